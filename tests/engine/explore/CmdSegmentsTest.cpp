// t3 segments, run as the user runs it.
#include "AideTests.h"

#include "Globaux.h"
#include "segmentation/SegmPrinc.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

using t3test::DossierTemporaire;
using t3test::EcritFichier;
namespace fs = std::filesystem;

namespace {

struct Sortie {
    int statut = -1;
    std::string texte; // standard output, then the error stream
};

Sortie T3(const std::string& arguments) {
    Sortie s;
    const std::string commande = std::string(T3_BIN_DIR) + "/t3 " + arguments + " 2>&1";
    std::FILE* f = ::popen(commande.c_str(), "r");
    if (!f) return s;
    char tampon[4096];
    for (size_t n; (n = std::fread(tampon, 1, sizeof tampon, f)) > 0;)
        s.texte.append(tampon, n);
    const int etat = ::pclose(f);
    s.statut = WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    return s;
}

// Writes the base "corpus" into the folder "base" under the current folder.
void BaseDansSousDossier(const std::string& texte) {
    fs::create_directory("base");
    fs::current_path("base");
    EcritFichier("corpus.txt", texte);
    const bool ok = t3::SegmPrinc("corpus.txt", t3::DelimParDefaut) == t3::ResultatSegm::Ok;
    fs::current_path("..");
    ASSERT_TRUE(ok);
}

} // namespace

TEST(CmdSegments, ListeLesSegmentsDUneBaseDUnAutreDossier) {
    DossierTemporaire dossier;
    // été (Windows-1252) must come out in UTF-8.
    BaseDansSousDossier("x \xE9t\xE9 b c y . z \xE9t\xE9 b c w . v \xE9t\xE9 b c u . t \xE9t\xE9 b s .\n");
    const Sortie s = T3("segments base/corpus.par --seuil=3 --formes=2");
    EXPECT_EQ(s.statut, 0) << s.texte;
    EXPECT_EQ(s.texte, "Longueur\tSegment\tFréquence\n3\tété b c\t3\n2\tété b\t4\n");
    EXPECT_TRUE(fs::exists("base/corpus.loc.sr"));
    EXPECT_TRUE(fs::exists("base/corpus.desc.sr"));
    // Without the full stop among the delimiters the segments run on across it.
    const Sortie sansPoint = T3("segments base/corpus.par --seuil=3 --formes=3 --delimiteurs=,");
    EXPECT_EQ(sansPoint.statut, 0) << sansPoint.texte;
    EXPECT_NE(sansPoint.texte.find("3\tété b c\t3\n"), std::string::npos) << sansPoint.texte;
    // The defaults: 10, lowered to the highest frequency of the base (4).
    const Sortie defauts = T3("segments base/corpus.par");
    EXPECT_EQ(defauts.statut, 0);
    EXPECT_EQ(defauts.texte, "Longueur\tSegment\tFréquence\n2\tété b\t4\n");
}

TEST(CmdSegments, RefuseLesArgumentsFautifsEtSignaleLesEchecs) {
    DossierTemporaire dossier;
    BaseDansSousDossier("a b . a b .\n");
    Sortie s = T3("segments");
    EXPECT_EQ(s.statut, 2);
    EXPECT_NE(s.texte.find("il manque la base"), std::string::npos) << s.texte;
    s = T3("segments base/corpus.par --seuil=1");
    EXPECT_EQ(s.statut, 2);
    EXPECT_NE(s.texte.find("--seuil doit être un nombre entier au moins égal à 2"), std::string::npos)
        << s.texte;
    s = T3("segments base/corpus.par --formes=dix");
    EXPECT_EQ(s.statut, 2);
    s = T3("segments base/absente.par");
    EXPECT_EQ(s.statut, 2);
    EXPECT_NE(s.texte.find("n'existe pas"), std::string::npos) << s.texte;
    s = T3("segments base/corpus.par --seuil=3");
    EXPECT_EQ(s.statut, 0);
    EXPECT_EQ(s.texte, "Aucun segment trouvé!\n");
    // A folder in the way of the locations file: a failure, not an empty result.
    fs::remove("base/corpus.loc.sr");
    fs::create_directory("base/corpus.loc.sr");
    s = T3("segments base/corpus.par");
    EXPECT_EQ(s.statut, 2);
    EXPECT_NE(s.texte.find("corpus.loc.sr"), std::string::npos) << s.texte;
    // A base whose .num is missing: the loader's message.
    fs::remove_all("base/corpus.loc.sr");
    fs::remove("base/corpus.num");
    s = T3("segments base/corpus.par");
    EXPECT_EQ(s.statut, 2);
    EXPECT_NE(s.texte.find("Erreur"), std::string::npos) << s.texte;
}
