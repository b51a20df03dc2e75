// The readers of the exchange files: "facteurs.txt" and "vp.txt" as the factor plot reads them, and
// "coran.don" as the analysis program reads it; each malformed input refused with a French message.
#include "engine/afc/LectureCoranDon.h"
#include "engine/afc/ListePoints.h"
#include "engine/afc/Ward.h"

#include "AideTests.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

using t3::LitTexteCoranDon;
using t3::LitTexteFacteurs;
using t3::LitTexteValeursPropres;

TEST(LitFacteurs, LitLesPointsDansLeurOrdreDIndice) {
    // Point 1 comes first; the mark sticks to the index or not; p = 2 gives 6 values per point.
    const auto lu = LitTexteFacteurs("2 2\n"
                                     "P 1 0.25 0.5 -10 20 30 40 0.1 0.2\n"
                                     "Q0 0.75 1e-3 1.5 -2.5 3 4 0.5 0.25\n");
    ASSERT_TRUE(lu) << lu.Message();
    const t3::TListePoints& p = *lu;
    EXPECT_EQ(p.NbPoints(), 2);
    EXPECT_EQ(p.NbFacteurs(), 2);
    EXPECT_EQ(p.Marque(0), 'Q');
    EXPECT_EQ(p.Marque(1), 'P');
    EXPECT_DOUBLE_EQ(p.Masse(1), 0.25);
    EXPECT_DOUBLE_EQ(p.Distance(0), 1e-3);
    EXPECT_DOUBLE_EQ(p.Coordonnee(1, 1), 20);
    EXPECT_DOUBLE_EQ(p.Contribution(0, 1), 30);
    EXPECT_DOUBLE_EQ(p.Cosinus2(1, 0), 0.25);
    EXPECT_EQ(p.X()[0], 1.5);
    EXPECT_EQ(p.Y()[0], -2.5);
    t3::TListePoints q = p;
    q.SetAxeX(1);
    q.SetAxeY(7); // no such factor: the axis stays
    EXPECT_EQ(q.AxeX(), 1);
    EXPECT_EQ(q.AxeY(), 1);
}

TEST(LitFacteurs, RefuseCeQuiSortDesLimites) {
    const std::string bon = "P 0 0.5 1 2 3 4\n";
    const char* mauvais[] = {
        "",                                        // nothing
        "x 1\nP 0 0.5 1 2 3 4\n",                  // m is not a number
        "0 1\n",                                   // no point
        "1 0\nP 0 0.5 1\n",                        // no factor
        "999999999 1\nP 0 0.5 1 2 3 4\n",          // more points than the file can hold
        "1 999999999\nP 0 0.5 1 2 3 4\n",          // more factors than the file can hold
        "1 1\nP 1 0.5 1 2 3 4\n",                  // index m
        "1 1\nP -1 0.5 1 2 3 4\n",                 // negative index
        "1 1\nP 0.5 0.5 1 2 3 4\n",                // index not whole
        "2 1\nP 0 0.5 1 2 3 4\nP 0 0.5 1 2 3 4\n", // index twice, point 1 missing
        "1 1\nP 0 0.5 1 2 3\n",                    // a value missing
        "1 1\nP 0 0.5 1 2 nan 4\n",                // not finite
        "1 1\nP 0 0.5 1 2 inf 4\n",                // not finite
        "1 1\nP 0 0.5 1 2 1e999 4\n",              // overflows
        "1 1\nP 0 0.5 1 2 3 4,5\n",                // decimal comma
        "1 1\nP 0 0.5 1 2 3 4 5\n",                // a value too many
        "2 1\nP 0 0.5 1 2 3 4\n",                  // a point missing
        "1 1\nP 0 \x1b[2J\x07\x9b 1 2 3 4\n",      // escape sequences
    };
    ASSERT_TRUE(LitTexteFacteurs("1 1\n" + bon));
    for (const char* texte : mauvais) {
        const auto lu = LitTexteFacteurs(texte);
        EXPECT_FALSE(lu) << texte;
        EXPECT_EQ(lu.Message().rfind("Le fichier « facteurs.txt » est incorrect : ", 0), 0u) << lu.Message();
        // A token quoted never brings a control character to a terminal or a window.
        for (const char c : lu.Message())
            EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) << lu.Message();
    }
    EXPECT_NE(LitTexteFacteurs(mauvais[std::size(mauvais) - 1]).Message().find("« \\x1B[2J\\x07\\x9B »"),
              std::string::npos);
}

// What is not a regular file is refused at once by every reader of the files of an analysis, naming
// the file: a pipe no one writes to would wait forever, a device never ends. The analysis and clustering
// programs say so and end.
TEST(LecturesFichiers, RefusentCeQuiNEstPasUnFichier) {
    t3test::DossierTemporaire dossier;
    ASSERT_EQ(::mkfifo("tube", 0600), 0);
    std::filesystem::create_directory("dossier");
    for (const std::string chemin : {"tube", "/dev/zero", "dossier"}) {
        const std::pair<std::string, std::string> refus[] = {
            {"facteurs.txt", t3::LitFacteurs(chemin).Message()},
            {"vp.txt", t3::LitValeursPropres(chemin).Message()},
            {"cah.txt", t3::LitCah(chemin).Message()},
            {"coran.don", t3::LitCoranDon(chemin).Message()},
        };
        for (const auto& [nom, message] : refus)
            EXPECT_NE(message.find("fichier « " + nom + " »"), std::string::npos) << chemin << " " << message;
    }
    for (const char* nom : {"coran.don", "facteurs.txt"})
        ASSERT_EQ(::mkfifo(nom, 0600), 0);
    for (const char* programme : {"ts3cah", "ts3afc"}) { // ts3afc removes "facteurs.txt"
        const std::string commande = "'" + std::string(T3_BIN_DIR) + "/" + programme + "' 2> erreurs.txt";
        EXPECT_EQ(WEXITSTATUS(std::system(commande.c_str())), 2) << programme;
        EXPECT_NE(t3test::LitFichier("erreurs.txt").find("ce n'est pas un fichier ordinaire"),
                  std::string::npos)
            << t3test::LitFichier("erreurs.txt");
    }
}

TEST(LitValeursPropres, CompteEtEntiers) {
    const auto vp = LitTexteValeursPropres("3\n 250000 120000\n5");
    ASSERT_TRUE(vp);
    EXPECT_EQ(*vp, (std::vector<int64_t>{250000, 120000, 5}));
    EXPECT_TRUE(LitTexteValeursPropres("0\n"));
    for (const char* texte : {"", "-1", "3 1 2", "2 1 2.5", "2 1 x", "1 1 2", "99999999999999999999 1"})
        EXPECT_FALSE(LitTexteValeursPropres(texte)) << texte;
}

// The factor plot's reading of a work folder: no "facteurs.txt" is the workbench's message; a
// "facteurs.txt" without its "vp.txt" is refused too rather than shown with no eigenvalue.
TEST(LitResultatsAFC, FichierAbsent) {
    t3test::DossierTemporaire dossier;
    const std::string d = dossier.Chemin().string();
    auto lu = t3::LitResultatsAFC(d);
    ASSERT_FALSE(lu);
    EXPECT_EQ(lu.Message(), "Erreur de lecture du fichier des facteurs");
    t3test::EcritFichier(dossier.Chemin() / "facteurs.txt", "1 1\nP 0 1 0 0 0 0\n");
    lu = t3::LitResultatsAFC(d);
    ASSERT_FALSE(lu);
    EXPECT_NE(lu.Message().find("vp.txt"), std::string::npos);
    t3test::EcritFichier(dossier.Chemin() / "vp.txt", "1 5\n");
    lu = t3::LitResultatsAFC(d);
    ASSERT_TRUE(lu) << lu.Message();
    EXPECT_EQ(lu->valeursPropres, std::vector<int64_t>{5});
}

namespace {

const std::string EnteteCoranDon =
    "titre\r\n   2   3   5   1   0\r\n   0   1   2\r\n121\r\n(6x,5A4,3F5.0)\r\n";
// A row: the number in 5 and a blank, the label in 20, then the fields of 5 as given.
std::string Rangee(const char* numero, const char* libelle, const char* champs) {
    char ligne[128];
    std::snprintf(ligne, sizeof ligne, "%5s %-20s%s\r\n", numero, libelle, champs);
    return ligne;
}
const std::string LigneA = Rangee("0", "a", "    3    0   12");
const std::string LigneB = Rangee("1", "b", "         7     ");
const std::string Controle = "   2   0   0   4 150   0   0\r\n";

} // namespace

TEST(LitCoranDon, TableauCreuxEtDrapeaux) {
    // Blank fields count 0; the segment rows after the control line are not read; LF alone is accepted.
    const auto lu =
        LitTexteCoranDon(EnteteCoranDon + LigneA + LigneB + Controle + "  999 a b    1    1    1\n");
    ASSERT_TRUE(lu) << lu.Message();
    EXPECT_EQ(lu->titre, "titre");
    EXPECT_EQ(lu->nbLignes, 2);
    EXPECT_EQ(lu->nbColonnes, 3);
    EXPECT_EQ(lu->drapeaux, "121");
    EXPECT_EQ(lu->nbFacteursDemandes, 2);
    EXPECT_EQ(lu->debuts, (std::vector<int64_t>{0, 2, 3}));
    ASSERT_EQ(lu->cellules.size(), 3u);
    EXPECT_EQ(lu->cellules[1].colonne, 2);
    EXPECT_EQ(lu->cellules[1].compte, 12);
    EXPECT_EQ(lu->cellules[2].colonne, 1);
    // Wider columns, as the writer makes them for large counts.
    char rangee[64];
    std::snprintf(rangee, sizeof rangee, "%6d %-20s%6d%6d\n", 0, "mot", 123456, 1);
    const auto large = LitTexteCoranDon("t\n   1   2   5   1   0\n   0   1\n11\n(7x,5A4,2F6.0)\n" +
                                        std::string(rangee) + "   1   0   0   4 150   0   0\n");
    ASSERT_TRUE(large) << large.Message();
    EXPECT_EQ(large->cellules[0].compte, 123456);
}

TEST(LitCoranDon, RefuseCeQuIlNePeutLireExactement) {
    const auto remplace = [](std::string texte, const std::string& avant, const std::string& apres) {
        return texte.replace(texte.find(avant), avant.size(), apres);
    };
    const std::string bon = EnteteCoranDon + LigneA + LigneB + Controle;
    const std::string mauvais[] = {
        "",
        "titre\r\n",
        remplace(bon, "   2   3   5", "   0   3   5"),           // no row
        remplace(bon, "   2   3   5", "   3   3   5"),           // a row missing
        remplace(bon, "   2   3   5", "   x   3   5"),           // header not numbers
        remplace(bon, "   2   3   5   1   0", "   2   3"),       // header too short
        remplace(bon, "   2   3   5", "   2   4   5"),           // NJ against the format
        remplace(bon, "   0   1   2\r\n", "   0   1\r\n"),       // labels
        remplace(bon, "121", "12"),                              // flags too short
        remplace(bon, "121", "103"),                             // flags not 1 or 2
        remplace(bon, "(6x,5A4,3F5.0)", "(6x,5A4,3I5)"),         // format
        remplace(bon, "(6x,5A4,3F5.0)", "(6x,5A4,0F5.0)"),       // no column
        remplace(bon, "3    0   12\r\n", "3    0   12 \r\n"),    // row too long
        remplace(bon, "3    0   12\r\n", "3    0  12\r\n"),      // row too short
        remplace(bon, "3    0   12", "3   -1   12"),             // negative count
        remplace(bon, "3    0   12", "3    x   12"),             // not a number
        remplace(bon, "3    0   12", "3  1.5   12"),             // not whole
        remplace(bon, Controle, ""),                             // no control line
        remplace(bon, Controle, "   2   0   0   4 150   0\r\n"), // control line too short
    };
    ASSERT_TRUE(LitTexteCoranDon(bon));
    for (const std::string& texte : mauvais) {
        const auto lu = LitTexteCoranDon(texte);
        EXPECT_FALSE(lu) << texte;
        EXPECT_EQ(lu.Message().rfind("Le fichier « coran.don » est incorrect : ", 0), 0u) << lu.Message();
    }
}
