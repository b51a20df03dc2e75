#pragma once
// The first half of the segmentation's scan: cutting the text into tokens, a chunk at a time, so that
// the lookups of one chunk can run while the next one is cut.
#include "engine/segmentation/SegmPrinc.h"
#include "engine/socle/GrandesPages.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace t3 {

// A token of a chunk: a form in the chunk's bytes, a key type or content in its key texts (spaces
// dropped), or, when n is 0, a reserved code of the numbered text.
struct Jeton {
    uint32_t debut;
    uint8_t n;
    unsigned char classe; // '0' form, '2' key type, '3' key content
    uint32_t h;           // hash of the class digit and the text
    int32_t code;
};

struct Morceau {
    // The text of the chunk, then a margin of zero bytes, in a buffer kept from chunk to chunk.
    std::vector<unsigned char, AllocateurGrandesPages<unsigned char>> octets;
    size_t taille = 0;               // bytes of text in octets
    std::vector<unsigned char> cles; // key types and contents, each followed by a margin
    std::vector<Jeton, AllocateurGrandesPages<Jeton>> jetons;
    // The codes of the tokens in the numbered text, once looked up, until they are written.
    std::vector<int32_t, AllocateurGrandesPages<int32_t>> codes;
    // A refusal met after the last token of the chunk, with its trace line.
    ResultatSegm refus = ResultatSegm::Ok;
    std::string trace;

    const unsigned char* Texte(const Jeton& j) const {
        return (j.classe == '0' ? octets.data() : cles.data()) + j.debut;
    }
};

class DecoupeurTexte {
  public:
    // mot[c]: c is a word character; insecableBlanc: a no-break space that is no word character reads as
    // a blank (the French typography option) rather than as a punctuation sign.
    explicit DecoupeurTexte(const std::array<bool, 256>& mot, bool insecableBlanc = false)
        : m_mot(mot), m_insecableBlanc(insecableBlanc) {}
    ~DecoupeurTexte();
    DecoupeurTexte(const DecoupeurTexte&) = delete;
    DecoupeurTexte& operator=(const DecoupeurTexte&) = delete;

    bool Ouvre(const std::string& chemin);
    // Reads and cuts the next chunk; false once the text is exhausted or a refusal was met.
    bool Decoupe(Morceau& morceau);
    // True when the file could not be read to its end.
    bool EnErreur() const { return m_erreurLecture; }

    // Counts of the items cut so far.
    int32_t nbItems = 0;
    int32_t nbOcc = 0;
    // Runs of word characters longer than a form may be, cut into several forms, and the line of the
    // first (from 1).
    int64_t suitesCoupees = 0;
    int64_t ligneSuiteCoupee = 0;
    std::array<int32_t, 256> cptPonct{};

  private:
    enum class Cle { Lue, Incomplete, Refusee };
    bool Remplit(Morceau& morceau);
    Cle LitCle(Morceau& m, size_t& i, size_t fin);
    Cle LitPartieCle(Morceau& m, size_t& i, size_t fin, unsigned char finPartie, unsigned char classe);
    void Refuse(Morceau& m, ResultatSegm refus, std::string trace);

    const std::array<bool, 256>& m_mot;
    const bool m_insecableBlanc;
    std::FILE* m_fichier = nullptr;
    std::vector<unsigned char> m_report; // the bytes of an unfinished token, carried to the next chunk
    bool m_finFichier = false;
    bool m_erreurLecture = false;
    bool m_termine = false;
    int64_t m_ligne = 1;
    bool m_enSuite = false; // the last form was cut from a longer run
};

} // namespace t3
