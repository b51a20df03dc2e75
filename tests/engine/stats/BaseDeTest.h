#pragma once
// A real base for the tests of the statistics: the text is segmented by SegmPrinc into a fresh folder,
// then loaded.
#include "AideTests.h"
#include "Globaux.h"
#include "corpus/charg1.h"
#include "segmentation/SegmPrinc.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

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

} // namespace t3test
