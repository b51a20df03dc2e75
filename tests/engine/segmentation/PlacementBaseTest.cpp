// The placement of a new base over the previous one, interrupted or failing at each of its file calls:
// the base of that name always loads afterwards, the previous one or the new one, never a mix.
#include "AideTests.h"

#include "engine/Globaux.h"
#include "engine/corpus/charg1.h"
#include "engine/segmentation/CreationBase.h"
#include "engine/segmentation/PlacementBase.h"
#include "engine/segmentation/SegmPrinc.h"
#include "engine/socle/VerrousDossier.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
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

// A segmentation stopped at any of its progress calls, the last one before the placement included, says
// so and leaves the previous base and the folder as they were; unstopped, it puts the new base in place.
TEST(PlacementBase, UneSegmentationArreteeLaisseLaBasePrecedente) {
    DossierTemporaire dossier;
    const auto segmente = [](int arretA) {
        EcritFichier("corpus.txt", Nouveau);
        auto verifie = VerifieCorpus("corpus.txt", Encodage::Auto);
        Arret arret{false};
        int appels = 0;
        const Progression progression = [&](int32_t) {
            if (appels++ == arretA) arret = true;
        };
        const auto creee = SegmenteCorpus(*verifie->texte, {DelimParDefaut, MaxartInitial, false}, {},
                                          {progression, &arret});
        return std::pair{creee ? 0 : creee.Code(), appels};
    };
    SegmenteAncienne();
    const auto [code, appels] = segmente(-1);
    ASSERT_EQ(code, 0);
    ASSERT_EQ(BaseChargee(), "nouvelle");
    ASSERT_GE(appels, 3);
    for (const int arretA : {0, appels / 2, appels - 1}) {
        SegmenteAncienne();
        std::vector<std::string> avant;
        for (const auto& f : std::filesystem::directory_iterator("."))
            avant.push_back(f.path().filename().string());
        std::sort(avant.begin(), avant.end());
        EXPECT_EQ(segmente(arretA).first, static_cast<int>(ResultatSegm::Annulee)) << arretA;
        EXPECT_EQ(BaseChargee(), "ancienne") << arretA;
        std::vector<std::string> apres;
        for (const auto& f : std::filesystem::directory_iterator("."))
            apres.push_back(f.path().filename().string());
        std::sort(apres.begin(), apres.end());
        EXPECT_EQ(apres, avant) << arretA;
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

// Another segmentation of the folder, as a lock held by another process would show it.
class SegmentationEnCours {
  public:
    SegmentationEnCours() : m_fd(::open(NomVerrouSegmentation, O_RDWR | O_CREAT, 0644)) {
        EXPECT_EQ(::flock(m_fd, LOCK_EX), 0);
    }
    ~SegmentationEnCours() { ::close(m_fd); }

  private:
    int m_fd;
};

// Two segmentations at once in one folder: the second is told that the first runs, and touches
// neither its temporary file nor the base; the temporary file of a killed segmentation goes when a base
// of that folder is opened, unless a segmentation runs there now.
TEST(PlacementBase, UneSegmentationALaFoisParDossier) {
    DossierTemporaire dossier;
    SegmenteAncienne();
    EcritFichier("xxxx.txn", "codes en cours");
    EcritFichier("corpus.txt", Nouveau);
    {
        SegmentationEnCours autre;
        EXPECT_EQ(SegmPrinc("corpus.txt", DelimParDefaut), ResultatSegm::SegmentationEnCours);
        EXPECT_EQ(BaseChargee(), "ancienne");
        EXPECT_EQ(t3test::LitFichier("xxxx.txn"), "codes en cours");
    }
    EXPECT_EQ(BaseChargee(), "ancienne");
    EXPECT_FALSE(std::filesystem::exists("xxxx.txn"));
    EXPECT_EQ(SegmPrinc("corpus.txt", DelimParDefaut), ResultatSegm::Ok);
    EXPECT_EQ(BaseChargee(), "nouvelle");
    EXPECT_FALSE(std::filesystem::exists("xxxx.txn"));
}

namespace {

// At the first renaming of a placement, another thread opens the base and is given some time: it must
// wait for the placement rather than put back the previous base under its feet.
class LectureAuMilieu : public OperationsFichiers {
  public:
    std::future<std::string> lecture;
    bool Renomme(const std::string& de, const std::string& vers) override {
        if (!m_lance.exchange(true)) {
            lecture = std::async(std::launch::async, BaseChargee);
            lecture.wait_for(std::chrono::milliseconds(300));
        }
        return OperationsFichiers::Renomme(de, vers);
    }

  private:
    std::atomic<bool> m_lance{false};
};

} // namespace

TEST(PlacementBase, UneLectureAttendLaFinDuPlacement) {
    DossierTemporaire dossier;
    SegmenteAncienne();
    EcritFichier("corpus.txt", Nouveau);
    LectureAuMilieu lecteur;
    {
        Injection injection(&lecteur);
        EXPECT_EQ(SegmPrinc("corpus.txt", DelimParDefaut), ResultatSegm::Ok);
        ASSERT_TRUE(lecteur.lecture.valid());
        EXPECT_EQ(lecteur.lecture.get(), "nouvelle");
    }
    EXPECT_EQ(BaseChargee(), "nouvelle");
}

// Another process opens the base again and again while two texts are segmented in turn under its name:
// every segmentation goes through, and every opening finds one base or the other, whole.
TEST(PlacementBase, DeuxProcessusNeVoientJamaisDeBaseMelee) {
    DossierTemporaire dossier;
    SegmenteAncienne();
    const pid_t lecteur = ::fork();
    ASSERT_GE(lecteur, 0);
    if (lecteur == 0) {
        while (!std::filesystem::exists("fin")) {
            const std::string chargee = BaseChargee();
            if (chargee != "ancienne" && chargee != "nouvelle") ::_exit(1);
        }
        ::_exit(0);
    }
    for (int i = 0; i < 40; ++i) {
        EcritFichier("corpus.txt", i % 2 ? Ancien : Nouveau);
        EXPECT_EQ(SegmPrinc("corpus.txt", DelimParDefaut), ResultatSegm::Ok) << "segmentation " << i;
    }
    EcritFichier("fin", "");
    int statut = 0;
    ASSERT_EQ(::waitpid(lecteur, &statut, 0), lecteur);
    EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0) << "le lecteur a vu une base mêlée";
}
