#pragma once
// A real base for the tests of the statistics: the text is segmented by SegmPrinc into a fresh folder,
// then loaded; and the texts of the bases that several tests share.
#include "AideTests.h"
#include "engine/Globaux.h"
#include "engine/corpus/charg1.h"
#include "engine/segmentation/SegmPrinc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace t3test {

class BaseDeTest {
  public:
    // texte is Windows-1252; it is written as "corpus.txt" and segmented under the default delimiters.
    explicit BaseDeTest(const std::string& texte) {
        EcritFichier(m_dossier.Chemin() / "corpus.txt", texte);
        m_segmentee =
            t3::SegmPrinc("corpus.txt", t3::DelimParDefaut, t3::MaxartInitial) == t3::ResultatSegm::Ok;
        m_chargee = m_segmentee && m_base.ChargeBase("corpus.par") == t3::ChargeReussie;
    }
    bool Prete() const { return m_chargee; }
    t3::charg1& Base() { return m_base; }
    const DossierTemporaire& Dossier() const { return m_dossier; }
    // The entry whose graphie is texte among every entry of the dictionary, -1 if none.
    int32_t Entree(const std::string& texte) const {
        for (int32_t e = 0; e < m_base.Nbart(); ++e)
            if (m_base.Graphie(e) == texte) return e;
        return -1;
    }

  private:
    DossierTemporaire m_dossier;
    t3::charg1 m_base;
    bool m_segmentee = false;
    bool m_chargee = false;
};

// Segments given by hand on a loaded base, for the frequencies of entries that are not forms: segment k
// (k below nbFormes) occurs where form k does, one more at the positions autres; each spells forms 0 and 1.
inline SegmentsDonnes SegmentsDesFormes(const t3::charg1& base, int32_t nbFormes,
                                        std::vector<int32_t> autres) {
    std::vector<std::vector<int32_t>> positions;
    for (int32_t k = 0; k < nbFormes; ++k)
        positions.push_back(base.LocOccFor(k));
    positions.push_back(std::move(autres));
    std::vector<std::vector<int32_t>> formes(positions.size(), {0, 1});
    return SegmentsDonnes(std::move(formes), std::move(positions));
}

inline std::string Repete(const std::string& mot, int fois) {
    std::string texte;
    for (int i = 0; i < fois; ++i)
        texte += mot + " ";
    return texte;
}

// Two parts of 100 occurrences: x 10 times, all in a; y 2 times in a and 18 in b; z 9 times, all in a;
// m fills the rest (79 in a, 82 in b).
inline std::string TexteDeuxParties() {
    return "<auteur=a>\n" + Repete("x", 10) + Repete("m", 40) + Repete("y", 2) + Repete("z", 9) +
           Repete("m", 39) + "\n<auteur=b>\n" + Repete("m", 50) + Repete("y", 18) + Repete("m", 32) + "\n";
}

// A corpus of four authors whose spans alternate, each author favouring some words of a vocabulary of
// 260, with a few words before the first key.
inline std::string TexteAleatoire() {
    std::mt19937 alea(20261208);
    std::vector<std::string> vocabulaire;
    for (int i = 0; i < 260; ++i)
        vocabulaire.push_back(std::string("mot") + static_cast<char>('a' + i / 26) +
                              static_cast<char>('a' + i % 26));
    const std::string auteurs[] = {"d", "b", "a", "c", "b", "a", "a", "d", "c", "b"};
    std::string texte = "avant le titre .\n";
    for (size_t s = 0; s < std::size(auteurs); ++s) {
        texte += "<auteur=" + auteurs[s] + ">\n";
        const int biais = auteurs[s][0] - 'a';
        for (int i = 0; i < 400; ++i) {
            // Zipf-like ranks; each author draws a quarter of its words from its own band of ranks.
            int rang =
                static_cast<int>(std::pow(260.0, std::uniform_real_distribution<double>(0, 1)(alea))) - 1;
            if (alea() % 4 == 0) rang = 20 + 10 * biais + static_cast<int>(alea() % 10);
            texte += vocabulaire[static_cast<size_t>(rang)] + (i % 17 == 16 ? " .\n" : " ");
        }
    }
    return texte;
}

} // namespace t3test
