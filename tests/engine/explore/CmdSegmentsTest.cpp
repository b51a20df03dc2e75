// t3 segments, run as the user runs it.
#include "AideTests.h"

#include <filesystem>
#include <gtest/gtest.h>

using t3test::DossierTemporaire;
using t3test::ExecuteT3;
using t3test::SegmenteDans;
using t3test::SortieT3;
namespace fs = std::filesystem;

TEST(CmdSegments, ListeLesSegmentsDUneBaseDUnAutreDossier) {
    DossierTemporaire dossier;
    // été (Windows-1252) must come out in UTF-8.
    ASSERT_TRUE(SegmenteDans(
        "base", "x \xE9t\xE9 b c y . z \xE9t\xE9 b c w . v \xE9t\xE9 b c u . t \xE9t\xE9 b s .\n"));
    const SortieT3 s = ExecuteT3("segments base/corpus.par --seuil=3 --formes=2");
    EXPECT_EQ(s.statut, 0) << s.sortie;
    EXPECT_EQ(s.sortie, "Longueur\tSegment\tFréquence\n3\tété b c\t3\n2\tété b\t4\n");
    EXPECT_TRUE(fs::exists("base/corpus.loc.sr"));
    EXPECT_TRUE(fs::exists("base/corpus.desc.sr"));
    EXPECT_FALSE(fs::exists("corpus.loc.sr"));
    // Without the full stop among the delimiters the segments run on across it.
    const SortieT3 sansPoint = ExecuteT3("segments base/corpus.par --seuil=3 --formes=3 --delimiteurs=,");
    EXPECT_EQ(sansPoint.statut, 0) << sansPoint.sortie;
    EXPECT_NE(sansPoint.sortie.find("3\tété b c\t3\n"), std::string::npos) << sansPoint.sortie;
    // The defaults: 10, lowered to the highest frequency of the base (4).
    const SortieT3 defauts = ExecuteT3("segments base/corpus.par");
    EXPECT_EQ(defauts.statut, 0);
    EXPECT_EQ(defauts.sortie, "Longueur\tSegment\tFréquence\n2\tété b\t4\n");
}

TEST(CmdSegments, RefuseLesArgumentsFautifsEtSignaleLesEchecs) {
    DossierTemporaire dossier;
    ASSERT_TRUE(SegmenteDans("base", "a b . a b .\n"));
    SortieT3 s = ExecuteT3("segments");
    EXPECT_EQ(s.statut, 2);
    EXPECT_NE(s.sortie.find("il manque la base"), std::string::npos) << s.sortie;
    s = ExecuteT3("segments base/corpus.par --seuil=1");
    EXPECT_EQ(s.statut, 2);
    EXPECT_NE(s.sortie.find("--seuil doit être un nombre entier au moins égal à 2"), std::string::npos)
        << s.sortie;
    s = ExecuteT3("segments base/corpus.par --formes=dix");
    EXPECT_EQ(s.statut, 2);
    // A delimiter that no base can hold is refused by its name, for segments and for the segmentation.
    s = ExecuteT3("segments base/corpus.par --delimiteurs=.→");
    EXPECT_EQ(s.statut, 2);
    EXPECT_NE(s.sortie.find("ne peuvent servir de délimiteurs (ils n'existent pas en Windows-1252) : →"),
              std::string::npos)
        << s.sortie;
    t3test::EcritFichier("texte.txt", "a ? b\n");
    s = ExecuteT3("segmente texte.txt --delimiteurs=→€");
    EXPECT_EQ(s.statut, 2);
    EXPECT_EQ(s.sortie, "t3 : ces caractères ne peuvent servir de délimiteurs (ils n'existent pas en "
                        "Windows-1252) : →\n");
    EXPECT_FALSE(fs::exists("texte.par"));
    s = ExecuteT3("segments base/absente.par");
    EXPECT_EQ(s.statut, 2);
    EXPECT_NE(s.sortie.find("n'existe pas"), std::string::npos) << s.sortie;
    s = ExecuteT3("segments base/corpus.par --seuil=3");
    EXPECT_EQ(s.statut, 0);
    EXPECT_EQ(s.sortie, "Aucun segment trouvé!\n");
    // A folder in the way of the locations file: a failure, not an empty result.
    fs::remove("base/corpus.loc.sr");
    fs::create_directory("base/corpus.loc.sr");
    s = ExecuteT3("segments base/corpus.par");
    EXPECT_EQ(s.statut, 2);
    EXPECT_NE(s.sortie.find("corpus.loc.sr"), std::string::npos) << s.sortie;
    // A base whose .num is missing: the loader's message.
    fs::remove_all("base/corpus.loc.sr");
    fs::remove("base/corpus.num");
    s = ExecuteT3("segments base/corpus.par");
    EXPECT_EQ(s.statut, 2);
    EXPECT_NE(s.sortie.find("Erreur"), std::string::npos) << s.sortie;
}

// A text beyond the capacity: t3 says how many articles it needs, and --maxart=auto sizes the tables.
TEST(CmdSegmente, DitLaCapaciteQuIlFautEtLaPrendSurDemande) {
    DossierTemporaire dossier;
    std::string texte;
    for (int i = 0; i < 30; ++i)
        texte += "mot" + std::to_string(i) + " ";
    t3test::EcritFichier("trente.txt", texte + "\n");
    SortieT3 s = ExecuteT3("segmente trente.txt --maxart=10", t3test::ErreursT3::APart);
    EXPECT_EQ(s.statut, 2);
    EXPECT_NE(
        s.erreurs.find("t3 : le texte demande plus d'articles que --maxart=10 : il en demande 30 ; relancez "
                       "avec --maxart=30 (ou --maxart=auto)."),
        std::string::npos)
        << s.erreurs;
    EXPECT_FALSE(fs::exists("trente.par"));
    s = ExecuteT3("segmente trente.txt --maxart=auto", t3test::ErreursT3::APart);
    EXPECT_EQ(s.statut, 0) << s.erreurs;
    EXPECT_TRUE(fs::exists("trente.par"));
}

// What is no text, or is the trace, is refused before anything is written; a wrong capacity is told
// before the keys of the whole corpus are verified.
TEST(CmdSegmente, RefuseCeQuiNEstPasUnTexteEtVerifieLesOptionsDAbord) {
    DossierTemporaire dossier;
    fs::create_directory("dossier");
    SortieT3 s = ExecuteT3("verifie dossier");
    EXPECT_EQ(s.statut, 2);
    EXPECT_EQ(s.sortie, "t3 : « dossier » est un dossier, pas un fichier texte.\n");
    t3test::EcritFichier("atrace.txt", "mon texte\n");
    s = ExecuteT3("segmente atrace.txt");
    EXPECT_EQ(s.statut, 2);
    EXPECT_NE(s.sortie.find("fichier de la trace (atrace.txt)"), std::string::npos) << s.sortie;
    EXPECT_EQ(t3test::LitFichier("atrace.txt"), "mon texte\n");
    t3test::EcritFichier("cles.txt", "<titre=un\n");
    s = ExecuteT3("segmente cles.txt --maxart=0");
    EXPECT_EQ(s.statut, 2);
    EXPECT_NE(s.sortie.find("Le nombre maximum d'articles doit être compris entre 1 et 4999740."),
              std::string::npos)
        << s.sortie;
    EXPECT_EQ(s.sortie.find("Clés incorrectes"), std::string::npos) << s.sortie;
}

// Where the trace cannot be written, t3 does not send the user to it.
TEST(CmdSegmente, NeRenvoiePasAUneTraceQuiNAPuEtreEcrite) {
    DossierTemporaire dossier;
    t3test::EcritFichier("cles.txt", "<titre=un\n");
    SortieT3 s = ExecuteT3("segmente cles.txt");
    EXPECT_EQ(s.statut, 1);
    EXPECT_NE(s.sortie.find("Consultez atrace.txt"), std::string::npos) << s.sortie;
    fs::remove("atrace.txt");
    fs::create_directory("atrace.txt"); // in the way, whoever runs the test
    s = ExecuteT3("segmente cles.txt");
    EXPECT_EQ(s.statut, 1);
    EXPECT_EQ(s.sortie.find("Consultez"), std::string::npos) << s.sortie;
    EXPECT_NE(s.sortie.find("La trace atrace.txt n'a pu être écrite dans ce dossier"), std::string::npos)
        << s.sortie;
}

// A disk that fills up is named as the cause, not passed off as a file that cannot be opened.
TEST(CmdSegmente, DitQueLeDisqueEstPlein) {
    DossierTemporaire dossier;
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "pas de /dev/full";
    t3test::EcritFichier("texte.txt", "un texte assez court\n");
    fs::create_symlink("/dev/full", "xxxx.txn"); // every write of the temporary file finds the disk full
    const SortieT3 s = ExecuteT3("segmente texte.txt", t3test::ErreursT3::APart);
    EXPECT_EQ(s.statut, 2);
    EXPECT_NE(s.erreurs.find("Cause : le disque est plein."), std::string::npos) << s.erreurs;
    EXPECT_NE(t3test::LitFichier("atrace.txt")
                  .find("ne peut \xEAtre \xE9"
                        "crit : le disque est plein"),
              std::string::npos);
    EXPECT_FALSE(fs::exists("texte.par"));
}
