// t3 afc and t3 cah on a base of four authors, against the analysis and the clustering computed in the
// process from the same partition; their options and failures; where the programs are looked for.
#include "afc/AnalyseAFC.h"
#include "afc/ExportAFC.h"
#include "afc/Programmes.h"
#include "afc/Ward.h"
#include "corpus/Partition.h"
#include "stats/BaseDeTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using t3test::BaseDeTest;
using t3test::ErreursT3;
using t3test::ExecuteT3;

namespace {

std::string Decimales(double v, int n) {
    char texte[64];
    std::snprintf(texte, sizeof texte, "%.*f", n, v);
    return texte;
}

// The analysis of the author partition computed here, as t3 afc should print it.
t3::AnalyseAFC AnalyseAttendue(BaseDeTest& b, int32_t freqMin) {
    const t3::Partition partition(&b.Base(), b.Entree("auteur"));
    const auto tableau =
        t3::LitTexteCoranDon(*t3::TexteCoranDon(partition, t3::ParamAFCInitiaux(partition, freqMin, false)));
    return *t3::CalculeAFC(*tableau);
}

} // namespace

TEST(CmdAfc, TableDesFacteursEtClasses) {
    BaseDeTest b(t3test::TexteAleatoire());
    ASSERT_TRUE(b.Prete());
    const auto sortie = ExecuteT3("afc corpus.par auteur --fmin=5", ErreursT3::APart);
    ASSERT_EQ(sortie.statut, 0) << sortie.erreurs;
    const t3::AnalyseAFC a = AnalyseAttendue(b, 5);
    ASSERT_EQ(a.NbFacteurs(), 3);
    std::string attendu = "Partie\tMasse\tDistance\tF1\tF2\tF3\n";
    const char* noms[] = {"a", "b", "c", "d"};
    for (size_t j = 0; j < 4; ++j) {
        attendu +=
            std::string(noms[j]) + "\t" + Decimales(a.masses[j], 3) + "\t" + Decimales(a.distances[j], 3);
        for (size_t k = 0; k < 3; ++k)
            (attendu += '\t') += Decimales(1000 * a.coordonnees[k][j], 2);
        attendu += "\n";
    }
    EXPECT_EQ(sortie.sortie, attendu);
    // The exchange file lies in the base's work folder.
    const t3::Partition partition(&b.Base(), b.Entree("auteur"));
    EXPECT_EQ(t3test::LitFichier(b.Dossier().Chemin() / "corpus.afc" / "coran.don"),
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
        classesAttendues += std::string(noms[j]) + "\t" + std::to_string(classes[j]) + "\n";
    EXPECT_EQ(cah.sortie, classesAttendues);
}

TEST(CmdAfc, OptionsEtEchecs) {
    BaseDeTest b(t3test::TexteAleatoire());
    ASSERT_TRUE(b.Prete());
    std::filesystem::create_directory("ailleurs");
    const auto sortie =
        ExecuteT3("afc corpus.par auteur --reference=a,c --dossier=ailleurs", ErreursT3::APart);
    ASSERT_EQ(sortie.statut, 0) << sortie.erreurs;
    EXPECT_NE(t3test::LitFichier("ailleurs/coran.don").find("\r\n1212\r\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists("ailleurs/facteurs.txt"));

    const std::pair<const char*, const char*> echecs[] = {
        {"afc corpus.par auteur --reference=a,zz", "la partie « zz » n'existe pas dans la partition."},
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
