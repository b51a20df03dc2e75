// t3 afc and t3 cah on a base of four authors, against the analysis and the clustering computed in the
// process from the same partition; their options and failures; where the programs are looked for.
#include "AideFils.h"
#include "engine/afc/AnalyseAFC.h"
#include "engine/afc/ExportAFC.h"
#include "engine/afc/Programmes.h"
#include "engine/afc/Ward.h"
#include "engine/corpus/Partition.h"
#include "stats/BaseDeTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>

using t3test::BaseDeTest;
using t3test::ErreursT3;
using t3test::ExecuteT3;

namespace {

std::string Decimales(double v, int n) {
    char texte[64];
    std::snprintf(texte, sizeof texte, "%.*f", n, v);
    return texte;
}

// The analysis of the author partition computed here, as t3 afc should print it; with a reference set
// (parts a to d: 0 to 3), the other parts are supplementary.
t3::AnalyseAFC AnalyseAttendue(BaseDeTest& b, int32_t freqMin, const std::vector<int32_t>& reference = {}) {
    t3::Partition partition(&b.Base(), b.Entree("auteur"));
    for (int32_t i = 0; i < partition.NbParties(); ++i)
        partition.SetReference(i, false);
    for (const int32_t i : reference)
        partition.SetReference(i, true);
    const auto tableau = t3::LitTexteCoranDon(
        *t3::TexteCoranDon(partition, t3::ParamAFCInitiaux(partition, freqMin, !reference.empty())));
    return *t3::CalculeAFC(*tableau);
}

std::string TableAttendue(const t3::AnalyseAFC& a) {
    std::string attendu = "Partie\tMasse\tDistance";
    for (int32_t k = 0; k < a.NbFacteurs(); ++k)
        attendu += "\tF" + std::to_string(k + 1);
    attendu += "\n";
    const char* noms[] = {"a", "b", "c", "d"};
    for (size_t j = 0; j < 4; ++j) {
        attendu +=
            std::string(noms[j]) + "\t" + Decimales(a.masses[j], 3) + "\t" + Decimales(a.distances[j], 3);
        for (size_t k = 0; k < a.valeursPropres.size(); ++k)
            (attendu += '\t') += Decimales(1000 * a.coordonnees[k][j], 2);
        attendu += "\n";
    }
    return attendu;
}

} // namespace

TEST(CmdAfc, TableDesFacteursEtClasses) {
    BaseDeTest b(t3test::TexteAleatoire());
    ASSERT_TRUE(b.Prete());
    const auto sortie = ExecuteT3("afc corpus.par auteur --fmin=5", ErreursT3::APart);
    ASSERT_EQ(sortie.statut, 0) << sortie.erreurs;
    const t3::AnalyseAFC a = AnalyseAttendue(b, 5);
    ASSERT_EQ(a.NbFacteurs(), 3);
    EXPECT_EQ(sortie.sortie, TableAttendue(a));
    // The exchange file lies in the work folder of the partition by auteur.
    const t3::Partition partition(&b.Base(), b.Entree("auteur"));
    EXPECT_EQ(t3test::LitFichier(b.Dossier().Chemin() / "corpus.afc" / "auteur" / "coran.don"),
              *t3::TexteCoranDon(partition, t3::ParamAFCInitiaux(partition, 5, false)));

    // Ward's classes of the four authors on their coordinates.
    const auto cah = ExecuteT3("cah corpus.par auteur --fmin=5 --classes=3", ErreursT3::APart);
    ASSERT_EQ(cah.statut, 0) << cah.erreurs;
    std::vector<std::vector<double>> points(4);
    for (size_t j = 0; j < 4; ++j)
        for (size_t k = 0; k < 3; ++k)
            points[j].push_back(std::stod(Decimales(1000 * a.coordonnees[k][j], 9)) / 1000);
    const std::vector<int32_t> classes = t3::ClassesCAH(t3::ClassificationWard(points), 3);
    std::string classesAttendues = "Partie\tClasse\n";
    for (size_t j = 0; j < 4; ++j)
        classesAttendues +=
            std::string(1, static_cast<char>('a' + j)) + "\t" + std::to_string(classes[j]) + "\n";
    EXPECT_EQ(cah.sortie, classesAttendues);

    // With --csv, the same rows.
    const auto csv = ExecuteT3("afc corpus.par auteur --fmin=5 --csv", ErreursT3::APart);
    EXPECT_EQ(t3test::LitCsv(csv.sortie), t3test::LitTabulations(sortie.sortie)) << csv.erreurs;
    const auto cahCsv = ExecuteT3("cah corpus.par auteur --fmin=5 --classes=3 --csv", ErreursT3::APart);
    EXPECT_EQ(t3test::LitCsv(cahCsv.sortie), t3test::LitTabulations(cah.sortie)) << cahCsv.erreurs;
}

TEST(CmdAfc, OptionsEtEchecs) {
    BaseDeTest b(t3test::TexteAleatoire());
    ASSERT_TRUE(b.Prete());
    std::filesystem::create_directory("ailleurs");
    const auto sortie =
        ExecuteT3("afc corpus.par auteur --reference=a,c --dossier=ailleurs", ErreursT3::APart);
    ASSERT_EQ(sortie.statut, 0) << sortie.erreurs;
    EXPECT_NE(t3test::LitFichier("ailleurs/coran.don").find("\r\n1212\r\n"), std::string::npos);
    // Parts b and d, outside the reference set, are supplementary: one factor, that of a and c alone.
    const t3::AnalyseAFC a = AnalyseAttendue(b, t3::Partition::FreqMinInitiale, {0, 2});
    ASSERT_EQ(a.NbFacteurs(), 1);
    EXPECT_TRUE(a.Supplementaire(1) && a.Supplementaire(3));
    EXPECT_EQ(sortie.sortie, TableAttendue(a));

    const std::pair<const char*, const char*> echecs[] = {
        {"afc corpus.par auteur --reference=a,zz", "la partie « zz » n'existe pas dans la partition."},
        {"afc corpus.par auteur --reference=b", "Au moins deux parties actives (drapeau 1) sont nécessaires"},
        {"afc corpus.par inconnue", "le type de clé « inconnue » n'existe pas"},
        {"afc corpus.par auteur --fmin=0", "--fmin attend un nombre entier d'au moins 1."},
        {"afc corpus.par auteur --fmin=100000",
         "Le fichier « coran.don » est incorrect : ligne 2 : NI vaut 0"},
        {"afc corpus.par auteur --dossier=absent", "Impossible de créer le fichier"},
        {"cah corpus.par auteur --classes=11", "--classes attend un nombre de 2 à 10."},
        {"afc corpus.par", "il manque le type de clé de la partition."},
    };
    for (const auto& [arguments, message] : echecs) {
        const auto echec = ExecuteT3(arguments, ErreursT3::APart);
        EXPECT_EQ(echec.statut, 2) << arguments;
        EXPECT_NE(echec.erreurs.find(message), std::string::npos) << arguments << "\n" << echec.erreurs;
    }
}

// t3 beside analysis programs whose results are not those of the partition: points or a tree of another
// number of parts are refused, and a token quoted from a file never brings a terminal's control
// characters.
TEST(CmdAfc, ResultatsQuiNeCorrespondentPas) {
    BaseDeTest b(t3test::TexteAleatoire());
    ASSERT_TRUE(b.Prete());
    const std::filesystem::path bin = b.Dossier().Chemin() / "bin";
    std::filesystem::create_directory(bin);
    std::filesystem::copy_file(std::string(T3_BIN_DIR) + "/t3", bin / "t3");
    const auto programme = [&bin](const char* nom, const std::string& corps) {
        t3test::EcritFichier(bin / nom, "#!/bin/sh\n" + corps + "\n");
        ::chmod((bin / nom).c_str(), 0755);
    };
    const std::string quatrePoints = "printf '4 1\\nP 0 0.25 1 10 25 1\\nP 1 0.25 1 -10 25 1\\nP 2 0.25 1 5 "
                                     "25 1\\nP 3 0.25 1 -5 25 1\\n' > facteurs.txt; echo '1 100' > vp.txt";
    struct Cas {
        const char* commande;
        std::string ts3afc, ts3cah;
        const char* message;
    };
    const Cas cas[] = {
        {"afc", "printf '1 1\\nP 0 1 0 0 0 0\\n' > facteurs.txt; echo '1 5' > vp.txt", "",
         "ne correspondent pas aux 4 parties de la partition (points lus : 1)"},
        {"afc", "printf '1 1\\nP 0 1 \\033[2J\\007 0 0 0\\n' > facteurs.txt; echo '1 5' > vp.txt", "",
         "trouvé « \\x1B[2J\\x07 »"},
        {"cah", quatrePoints,
         "printf 'CAH 3\\n1 0 1 1 2\\n2 2 3 2 3\\nCLASSES 3\\n2 1 1 2\\n3 1 2 3\\n' > cah.txt",
         "ne correspond pas aux 4 parties de la partition (points lus : 3)"},
    };
    for (const Cas& c : cas) {
        programme("ts3afc", c.ts3afc);
        programme("ts3cah", c.ts3cah);
        const std::string commande = (bin / "t3").string() + " " + c.commande + " corpus.par auteur 2>&1";
        std::string sortie;
        std::FILE* f = ::popen(commande.c_str(), "r");
        ASSERT_NE(f, nullptr);
        char tampon[4096];
        for (size_t n; (n = std::fread(tampon, 1, sizeof tampon, f)) > 0;)
            sortie.append(tampon, n);
        EXPECT_EQ(WEXITSTATUS(::pclose(f)), 2) << c.commande << "\n" << sortie;
        EXPECT_NE(sortie.find(c.message), std::string::npos) << sortie;
        EXPECT_EQ(sortie.find_first_of("\x1b\x07"), std::string::npos) << sortie;
    }
}

// An analysis program that runs out of memory says so in French; no English reason of the library
// reaches its message.
TEST(Programmes, EchecsDuCalculEnFrancais) {
    const std::pair<std::function<void()>, std::string> echecs[] = {
        {[] { throw std::bad_alloc(); }, "ts3afc : mémoire insuffisante pour ce calcul.\n"},
        {[] { throw std::length_error("vector::_M_default_append"); },
         "ts3afc : le calcul a échoué (erreur interne).\n"},
    };
    for (const auto& [lance, attendu] : echecs) {
        const t3test::Fils fils = t3test::DansUnFils([&lance] {
            return t3::ExecuteProgrammeAnalyse(t3::ProgrammeAFC, [&lance]() -> t3::Resultat<void> {
                lance();
                return {};
            });
        });
        EXPECT_EQ(fils.statut, 2);
        EXPECT_EQ(fils.erreurs, attendu);
    }
}

// The work folder of a partition is named after its key type, whole when it is safe, otherwise made
// safe and marked with the key type's entry number, so that no two key types share one.
TEST(Programmes, DossierDeLaPartition) {
    const std::pair<std::string, std::string> noms[] = {
        {"chapitre", "chapitre"},
        {"date-2_b", "date-2_b"},
        {"\xe9t\xe9", "\xc3\xa9t\xc3\xa9"}, // été, accented letters kept (UTF-8)
        {"\x9cuvre", "\xc5\x93uvre"},       // œuvre
        {"date naissance", "date_naissance.7"},
        {"a.b", "a_b.7"},
        {"..", "__.7"},
        {"x/y", "x_y.7"},
        {"1\xd7"
         "2",
         "1_2.7"}, // the multiplication sign is no letter
        {"", "cle.7"},
        {std::string(70, 'a'), std::string(60, 'a') + ".7"},
    };
    for (const auto& [graphie, attendu] : noms)
        EXPECT_EQ(t3::NomDossierCle(graphie, 7), attendu) << graphie;

    // Three partitions of one base: three folders, made, inside the base's.
    BaseDeTest b(
        "<auteur=a>\n<date.x=1>\n<\xe9poque=1>\nx y z\n<auteur=b>\n<date.x=2>\n<\xe9poque=2>\nx x y\n");
    ASSERT_TRUE(b.Prete());
    const t3::Partition parAuteur(&b.Base(), b.Entree("auteur"));
    const int32_t date = b.Entree("date.x");
    ASSERT_GE(date, 0);
    const std::filesystem::path base = b.Dossier().Chemin() / "corpus.afc";
    EXPECT_EQ(*t3::DossierAnalyses(parAuteur), (base / "auteur").string());
    EXPECT_EQ(*t3::DossierAnalyses(t3::Partition(&b.Base(), date)),
              (base / ("date_x." + std::to_string(date))).string());
    EXPECT_EQ(*t3::DossierAnalyses(t3::Partition(&b.Base(), b.Entree("\xe9poque"))),
              (base / "\xc3\xa9poque").string());
    for (const char* nom : {"auteur", "\xc3\xa9poque"})
        EXPECT_TRUE(std::filesystem::is_directory(base / nom)) << nom;

    // The points read must be one per part.
    const std::string dossier = *t3::DossierAnalyses(parAuteur);
    auto verifie = t3::VerifiePointsPartition(dossier, 2);
    ASSERT_FALSE(verifie);
    EXPECT_NE(verifie.Message().find("lancez d'abord l'AFC de cette partition"), std::string::npos);
    const auto tableau =
        t3::LitTexteCoranDon(*t3::TexteCoranDon(parAuteur, t3::ParamAFCInitiaux(parAuteur, 1, false)));
    t3test::EcritFichier(std::filesystem::path(dossier) / "facteurs.txt",
                         t3::TexteFacteurs(*t3::CalculeAFC(*tableau)));
    EXPECT_TRUE(t3::VerifiePointsPartition(dossier, 2));
    verifie = t3::VerifiePointsPartition(dossier, 3);
    ASSERT_FALSE(verifie);
    EXPECT_EQ(verifie.Message(),
              "Les résultats de l'AFC (« facteurs.txt ») ne correspondent pas aux 3 parties "
              "de la partition (points lus : 2) : relancez l'AFC de cette partition.");
    t3test::EcritFichier(std::filesystem::path(dossier) / "facteurs.txt", "2 1\n");
    verifie = t3::VerifiePointsPartition(dossier, 2);
    ASSERT_FALSE(verifie);
    EXPECT_NE(verifie.Message().find("Relancez l'AFC de cette partition."), std::string::npos);
}

// Beside the executable first, then the folders of the PATH in order, only files that may be run.
TEST(Programmes, TrouveProgramme) {
    t3test::DossierTemporaire dossier;
    const auto& d = dossier.Chemin();
    for (const char* sous : {"exe", "p1", "p2"})
        std::filesystem::create_directory(d / sous);
    const auto executable = [](const std::filesystem::path& chemin, bool x) {
        t3test::EcritFichier(chemin, "#!/bin/sh\n");
        ::chmod(chemin.c_str(), x ? 0755 : 0644);
    };
    executable(d / "p1" / "ts3afc", false);
    executable(d / "p2" / "ts3afc", true);
    const std::string chemins = "::" + (d / "p1").string() + ":" + (d / "p2").string();
    EXPECT_EQ(t3::TrouveProgramme("ts3afc", (d / "exe").string(), chemins), (d / "p2" / "ts3afc").string());
    executable(d / "exe" / "ts3afc", true);
    EXPECT_EQ(t3::TrouveProgramme("ts3afc", (d / "exe").string(), chemins), (d / "exe" / "ts3afc").string());
    EXPECT_EQ(t3::TrouveProgramme("ts3cah", (d / "exe").string(), chemins), "");
    // An empty PATH entry is not the current folder.
    executable(d / "ts3cah", true);
    EXPECT_EQ(t3::TrouveProgramme("ts3cah", "", ":"), "");
}
