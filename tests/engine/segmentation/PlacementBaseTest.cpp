// The placement of a new base over the previous one, interrupted or failing at each of its file calls:
// the base of that name always loads afterwards, the previous one or the new one, never a mix.
#include "AideTests.h"

#include "Globaux.h"
#include "corpus/charg1.h"
#include "segmentation/PlacementBase.h"
#include "segmentation/SegmPrinc.h"

#include <filesystem>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace t3;
using t3test::DossierTemporaire;
using t3test::EcritFichier;

namespace {

// The real calls, counted; from the call numbered panne on, either that call alone fails (an error) or
// every call does nothing and fails (the process was killed there).
class FichiersEnPanne : public OperationsFichiers {
  public:
    enum class Mode { Aucune, Erreur, Arret };
    FichiersEnPanne(Mode mode, int panne) : m_mode(mode), m_panne(panne) {}
    int appels = 0;

    bool Renomme(const std::string& de, const std::string& vers) override {
        return Passe() && OperationsFichiers::Renomme(de, vers);
    }
    bool Lie(const std::string& existant, const std::string& nouveau) override {
        return Passe() && OperationsFichiers::Lie(existant, nouveau);
    }
    bool Supprime(const std::string& chemin) override {
        return Passe() && OperationsFichiers::Supprime(chemin);
    }

  private:
    bool Passe() {
        const int numero = appels++;
        if (m_mode == Mode::Erreur) return numero != m_panne;
        return m_mode != Mode::Arret || numero < m_panne;
    }
    Mode m_mode;
    int m_panne;
};

class Injection {
  public:
    explicit Injection(OperationsFichiers* operations) { SetOperationsFichiers(operations); }
    ~Injection() { SetOperationsFichiers(nullptr); }
};

const std::string Ancien = "alpha alpha beta .\n";
const std::string Nouveau = "gamma delta gamma delta epsilon .\n";

// Which base loads under the name "corpus": "ancienne", "nouvelle", or what went wrong.
std::string BaseChargee() {
    charg1 base;
    if (base.ChargeBase("corpus.par") != ChargeReussie) return "refusée";
    if (base.Nbform() == 2 && base.LocFormDic("alpha") == 0) return "ancienne";
    if (base.Nbform() == 3 && base.LocFormDic("gamma") >= 0) return "nouvelle";
    return "mêlée";
}

void SegmenteAncienne() {
    EcritFichier("corpus.txt", Ancien);
    ASSERT_EQ(SegmPrinc("corpus.txt", DelimParDefaut), ResultatSegm::Ok);
}

} // namespace

TEST(PlacementBase, UnArretOuUneErreurAChaqueAppelLaisseUneBaseEntiere) {
    DossierTemporaire dossier;
    // The calls of a placement that goes through, counted.
    SegmenteAncienne();
    FichiersEnPanne compteur(FichiersEnPanne::Mode::Aucune, 0);
    {
        Injection injection(&compteur);
        EcritFichier("corpus.txt", Nouveau);
        ASSERT_EQ(SegmPrinc("corpus.txt", DelimParDefaut), ResultatSegm::Ok);
    }
    ASSERT_EQ(BaseChargee(), "nouvelle");
    const int appels = compteur.appels;
    ASSERT_GE(appels, 6); // three kept, three renamed, and the kept ones removed

    for (const auto mode : {FichiersEnPanne::Mode::Arret, FichiersEnPanne::Mode::Erreur}) {
        for (int panne = 0; panne < appels; ++panne) {
            SegmenteAncienne();
            ResultatSegm resultat;
            {
                FichiersEnPanne pannes(mode, panne);
                Injection injection(&pannes);
                EcritFichier("corpus.txt", Nouveau);
                resultat = SegmPrinc("corpus.txt", DelimParDefaut);
            }
            const std::string chargee = BaseChargee();
            const std::string cas = (mode == FichiersEnPanne::Mode::Arret ? "arrêt" : "erreur") +
                                    std::string(" à l'appel ") + std::to_string(panne);
            EXPECT_TRUE(chargee == "ancienne" || chargee == "nouvelle") << cas << " : " << chargee;
            // A failure reported keeps the previous base; a success shows the new one.
            if (resultat == ResultatSegm::Ok)
                EXPECT_EQ(chargee, "nouvelle") << cas;
            else
                EXPECT_EQ(chargee, "ancienne") << cas;
            // Once put back, no kept file is left beside the base.
            EXPECT_FALSE(std::filesystem::exists("corpus.par.prec")) << cas;
        }
    }
}

// Without a previous base nothing is kept, and a failing placement leaves no base that loads.
TEST(PlacementBase, SansBasePrecedenteRienNEstGarde) {
    DossierTemporaire dossier;
    EcritFichier("corpus.txt", Nouveau);
    {
        FichiersEnPanne pannes(FichiersEnPanne::Mode::Erreur, 2);
        Injection injection(&pannes);
        EXPECT_EQ(SegmPrinc("corpus.txt", DelimParDefaut), ResultatSegm::BaseNonEcrite);
    }
    EXPECT_EQ(BaseChargee(), "refusée");
    EXPECT_EQ(SegmPrinc("corpus.txt", DelimParDefaut), ResultatSegm::Ok);
    EXPECT_EQ(BaseChargee(), "nouvelle");
}

// Two segmentations at once in one folder: the second is told that the first runs, and touches
// neither its temporary file nor the base.
TEST(PlacementBase, UneSegmentationALaFoisParDossier) {
    DossierTemporaire dossier;
    SegmenteAncienne();
    EcritFichier("xxxx.txn", "codes en cours");
    const int autre = ::open("xxxx.txn", O_RDWR);
    ASSERT_GE(autre, 0);
    ASSERT_EQ(::flock(autre, LOCK_EX), 0);
    EcritFichier("corpus.txt", Nouveau);
    EXPECT_EQ(SegmPrinc("corpus.txt", DelimParDefaut), ResultatSegm::SegmentationEnCours);
    EXPECT_EQ(t3test::LitFichier("xxxx.txn"), "codes en cours");
    EXPECT_EQ(BaseChargee(), "ancienne");
    ::close(autre);
    EXPECT_EQ(SegmPrinc("corpus.txt", DelimParDefaut), ResultatSegm::Ok);
    EXPECT_EQ(BaseChargee(), "nouvelle");
    EXPECT_FALSE(std::filesystem::exists("xxxx.txn"));
}

// The temporary file of a killed segmentation goes when a base of that folder is opened, unless a
// segmentation runs there now.
TEST(PlacementBase, LeFichierTemporaireDUnArretPartALOuverture) {
    DossierTemporaire dossier;
    SegmenteAncienne();
    EcritFichier("xxxx.txn", std::string(4096, 'x'));
    const int autre = ::open("xxxx.txn", O_RDWR);
    ASSERT_EQ(::flock(autre, LOCK_EX), 0);
    EXPECT_EQ(BaseChargee(), "ancienne");
    EXPECT_TRUE(std::filesystem::exists("xxxx.txn"));
    ::close(autre);
    EXPECT_EQ(BaseChargee(), "ancienne");
    EXPECT_FALSE(std::filesystem::exists("xxxx.txn"));
    EXPECT_EQ(BaseChargee(), "ancienne"); // and nothing to say when there is none
}
