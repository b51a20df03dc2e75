#pragma once
// The encoding of a corpus text. Bases hold Windows-1252; a text in UTF-8 is recognised and transcoded
// before the key verification and the segmentation read it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace t3 {

// The byte-order mark of a UTF-8 text.
inline constexpr std::string_view MarqueOrdreUtf8 = "\xEF\xBB\xBF";

enum class Encodage {
    Auto,   // decided by DetecteEncodage
    Cp1252, // read byte for byte, as the bases hold it
    Utf8,   // transcoded to Windows-1252
};

// The name shown to the user: "automatique", "Windows-1252", "UTF-8".
const char* LibelleEncodage(Encodage encodage);
// The encoding named on the command line ("auto", "cp1252", "utf8"; "windows-1252" and "utf-8" too);
// false for any other name.
bool LitEncodage(std::string_view nom, Encodage& encodage);

// Whether a text is read as UTF-8: it starts with a byte-order mark, or it holds at least one valid
// multi-byte sequence and few bytes that are not UTF-8 (one, or at most 0.1 % of its bytes: a text cut in
// the middle of its last character, a stray byte pasted in), which are then read as Windows-1252 bytes
// and reported. The detection and the transcoding decide by this one rule.
bool LuEnUtf8(bool marque, bool multiOctets, int64_t nonUtf8, int64_t octets);
// True when so many bytes are not UTF-8 that a text of that size cannot be read as UTF-8 without a
// byte-order mark, whatever the rest holds.
bool TropDOctetsNonUtf8(int64_t nonUtf8, int64_t taille);

// Follows a text given piece by piece and tells whether it is read as UTF-8 (LuEnUtf8).
class DetecteurUtf8 {
  public:
    // taille: the size of the whole text when known (-1 otherwise), to stop reading early.
    explicit DetecteurUtf8(int64_t taille = -1) : m_taille(taille) {}
    // Reads the piece; returns how many of its bytes were read. The bytes of a sequence cut by the end
    // of the piece are left over, unless fin: the caller gives them again in front of the next piece.
    // The first piece holds the first three bytes of the text, unless the text is shorter.
    size_t Avance(std::string_view morceau, bool fin);
    // True once the text is known not to be read as UTF-8: the rest need not be read.
    bool Invalide() const { return !m_marque && m_taille >= 0 && TropDOctetsNonUtf8(m_nonUtf8, m_taille); }
    // The verdict, once every piece was given.
    Encodage Verdict() const;

  private:
    int64_t m_taille;
    bool m_debut = true;
    bool m_marque = false; // a byte-order mark opens the text
    int64_t m_nonUtf8 = 0;
    int64_t m_octets = 0;
    bool m_multiOctets = false;
};

Encodage DetecteEncodageTexte(std::string_view texte);
// The encoding of the file: Cp1252 as well when it cannot be read or is no regular file (its reader
// will say so).
Encodage DetecteEncodage(const std::string& chemin);
// The encoding a text is read in: the one asked for, or the one detected when Auto is asked.
Encodage EncodageRetenu(const std::string& chemin, Encodage demande);

} // namespace t3
