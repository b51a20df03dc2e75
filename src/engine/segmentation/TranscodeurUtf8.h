#pragma once
// The transcoding of a UTF-8 text to the bases' Windows-1252, piece by piece. The text is normalised to
// NFC first, so that a letter written with a combining accent becomes the accented letter. A character
// that Windows-1252 cannot hold is transliterated to Latin letters ("Any-Latin; Latin-ASCII": λόγος gives
// logos, 日本語 gives ri ben yu), each character of the transliteration that the code page still cannot
// hold becoming the replacement mark "¤", a word character under the default delimiters, as does a
// character the transliteration leaves nothing of (a zero-width joiner). A combining mark that composes
// with nothing the code page holds is dropped, its letter kept. A narrow no-break space becomes a
// no-break space. Nothing is dropped unsaid: the report counts every character
// replaced, by kind, with the line of the first. Line feeds are kept one for one, and no replacement
// writes a line feed, a key bracket "<" ">" or a control character, so that lines and keys are the
// user's own.
#include "engine/segmentation/Encodage.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class Normalizer2;
class Transliterator;
U_NAMESPACE_END

namespace t3 {

// The replacement mark: the currency sign, byte 164 ("¤").
inline constexpr char MarqueRemplacement = '\xA4';

enum class SorteRemplacement {
    LettreGrecque,
    LettreCyrillique,
    Cjk, // ideographs and syllables of Chinese, Japanese and Korean
    AutreLettre,
    AccentCombinant, // a combining mark left alone once the text is composed
    EmojiSymbole,
    Espace,
    Ponctuation,
    AutreCaractere,
    OctetNonUtf8, // a byte that is not UTF-8, kept as a Windows-1252 byte
};
inline constexpr size_t NbSortesRemplacement = 10;
inline constexpr size_t IndexNonUtf8 = static_cast<size_t>(SorteRemplacement::OctetNonUtf8);

// The plural French name of a kind: "lettres grecques", "accents combinants".
const char* LibelleSorte(SorteRemplacement sorte);

struct RapportRemplacements {
    std::array<int64_t, NbSortesRemplacement> parSorte{};
    int64_t total = 0;        // characters (and stray bytes) replaced
    int64_t marques = 0;      // replacement marks written
    int64_t lignePremier = 0; // line of the first replacement in the user's file (from 1), 0 if none
    int64_t ligneNonUtf8 = 0; // line of the first byte that is not UTF-8, 0 if none
    bool Vide() const { return total == 0; }
};

// The report in one French sentence (UTF-8), empty when nothing was replaced: "Attention : 7
// caractère(s) absent(s) de Windows-1252 remplacé(s) (lettres grecques : 5, emoji et symboles : 2), dont
// 2 par la marque ¤ ; le premier à la ligne 3."
std::string MessageRemplacements(const RapportRemplacements& rapport);

class TranscodeurUtf8 {
  public:
    TranscodeurUtf8();
    ~TranscodeurUtf8();
    TranscodeurUtf8(const TranscodeurUtf8&) = delete;
    TranscodeurUtf8& operator=(const TranscodeurUtf8&) = delete;

    // Appends to sortie the Windows-1252 of the next piece of the text; fin for the last. The end of a
    // piece that might still compose with what follows is held back until the next piece. A byte-order
    // mark opening the text is dropped.
    void Convertit(std::string_view morceau, bool fin, std::string& sortie);
    const RapportRemplacements& Rapport() const { return m_rapport; }
    // The valid multi-byte sequences met (a run of characters replaced together counts once).
    int64_t MultiOctets() const { return m_multiOctets; }
    // What the text read so far tells of its encoding, as DetecteurUtf8 would (LuEnUtf8).
    Encodage Verdict() const;
    // So many bytes were not UTF-8 that a text of this size is not read as UTF-8, unless its byte-order
    // mark says so: the rest need not be converted.
    bool Invalide(int64_t taille) const {
        return !m_marque && TropDOctetsNonUtf8(m_rapport.parSorte[IndexNonUtf8], taille);
    }

  private:
    void ConvertitMorceau(std::string_view texte, bool fin, std::string& sortie);
    bool ConvertitSimple(std::string_view texte, std::string& sortie);
    void ConvertitNormalise(std::string_view texte, std::string& sortie);
    void ConvertitSegment(std::string_view texte, std::string& sortie);
    size_t Remplace(std::string_view texte, size_t debut, std::string& sortie);
    void Compte(SorteRemplacement sorte, std::string_view texte, size_t position);
    // The lines are counted until the first replacement and the first byte that is not UTF-8 are placed.
    bool SuitLesLignes() const { return m_rapport.lignePremier == 0 || m_rapport.ligneNonUtf8 == 0; }

    const icu::Normalizer2* m_nfc = nullptr;
    std::unique_ptr<icu::Transliterator> m_translit; // made at the first character it is needed for
    bool m_translitEchoue = false;
    std::string m_report;    // the held-back end of the last piece
    std::string m_normalise; // work buffer
    bool m_debut = true;
    bool m_marque = false;      // the text opened with a byte-order mark
    int64_t m_multiOctets = 0;  // multi-byte sequences met
    int64_t m_octets = 0;       // bytes given
    int64_t m_ligneSegment = 1; // line of the start of the segment being converted
    RapportRemplacements m_rapport;
};

// The whole text at once.
std::string TranscodeUtf8(std::string_view texte, RapportRemplacements* rapport = nullptr);

} // namespace t3
