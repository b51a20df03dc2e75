// The writer of the tables, read back by the tests' own CSV reader; the export into a file, which a
// cancellation or a failed write leaves as it was.
#include "AideTests.h"

#include "engine/socle/EcritureTable.h"

#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <sys/resource.h>

using namespace t3;
using t3test::TableLue;
namespace fs = std::filesystem;

namespace {

// What the writer gives for the rows, every field a text.
std::string Ecrit(const TableLue& lignes, OptionsTable options) {
    std::ostringstream flux;
    {
        EcrivainTable table(flux, options);
        for (const auto& ligne : lignes) {
            for (const std::string& champ : ligne)
                table.Champ(champ);
            table.FinLigne();
        }
    }
    return flux.str();
}

} // namespace

TEST(EcritureTable, LesChampsReviennentTelsQuelsDuCsv) {
    const OptionsTable utf8{FormatTable::Csv, false, true};
    const TableLue difficiles = {{"a,b", "dit \"oui\"", "\"", "tab\there", "cr\rlf\n", "", "ligne\r\n"},
                                 {"", ""},
                                 {"simple", " espaces ", "\xC3\xA9t\xC3\xA9"}};
    EXPECT_EQ(t3test::LitCsv(Ecrit(difficiles, utf8)), difficiles);
    EXPECT_EQ(Ecrit({{"a", "b,c", "d\"e"}, {"x"}}, utf8), "a,\"b,c\",\"d\"\"e\"\nx\n");

    // Random fields made of the bytes that CSV treats apart, and of others.
    std::mt19937 alea(20261210);
    const std::string octets = ",\"\t\r\n a\xC3\xA9;'";
    TableLue lignes(300);
    for (auto& ligne : lignes) {
        ligne.resize(1 + alea() % 6);
        for (std::string& champ : ligne)
            for (size_t n = alea() % 9; n > 0; --n)
                champ += octets[alea() % octets.size()];
    }
    EXPECT_EQ(t3test::LitCsv(Ecrit(lignes, utf8)), lignes);

    // The engine's texts are Windows-1252, written in UTF-8; the mark goes once, before the first row.
    EXPECT_EQ(Ecrit({{"\xE9t\xE9", "\x80", "\xE9,\"\xE9"}}, {FormatTable::Csv, true}),
              "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9,\xE2\x82\xAC,\"\xC3\xA9,\"\"\xC3\xA9\"\n");
    // Tab-separated text leaves every field as it is.
    EXPECT_EQ(Ecrit({{"a,b", "\"c\""}, {"d"}}, {FormatTable::Tabulations}), "a,b\t\"c\"\nd\n");
}

// Numbers are written as the C locale's printf writes them; the rows go out in pieces of whole rows as
// they are written, and a receiver that refuses one stops the writer.
TEST(EcritureTable, NombresEtPiecesDeLignesEntieres) {
    std::ostringstream flux;
    std::string attendu = "-1234567,0\n";
    {
        EcrivainTable table(flux, {});
        table.Champ(int64_t{-1234567}).Champ(int32_t{0}).FinLigne();
        std::mt19937_64 alea(7);
        for (int i = 0; i < 200; ++i) {
            // Halves that round to even first, then random values.
            const double v = i == 0 ? 1234567.125 : i == 1 ? -0.5 : (alea() % 20000000) / 7.0 - 1e6;
            const int decimales = i == 0 ? 2 : i == 1 ? 0 : static_cast<int>(alea() % 6);
            char texte[64];
            std::snprintf(texte, sizeof texte, "%.*f\n", decimales, v);
            table.Champ(v, decimales).FinLigne();
            attendu += texte;
        }
    }
    EXPECT_EQ(flux.str(), attendu);

    size_t pieces = 0;
    EcrivainTable table(
        [&](std::string_view octets) {
            return octets.back() == '\n' && octets.size() < 70000 && ++pieces < 3;
        },
        {});
    for (int i = 0; i < 1000 && table.Ok(); ++i)
        table.Champ(std::string(1000, 'x')).FinLigne();
    EXPECT_EQ(pieces, 3u);
    EXPECT_FALSE(table.Ok());
    const int64_t lignes = table.NbLignes();
    table.Champ("encore").FinLigne();
    EXPECT_EQ(table.NbLignes(), lignes);
    EXPECT_FALSE(table.Termine());
    EXPECT_EQ(pieces, 3u);
}

TEST(EcritureTable, ExportEntierOuRienDuTout) {
    t3test::DossierTemporaire dossier;
    const auto lignes = [](int64_t n) {
        return [n](EcrivainTable& table) {
            for (int64_t i = 0; i < n && table.Ok(); ++i)
                table.Champ(i).Champ("un, deux").FinLigne();
        };
    };
    ASSERT_TRUE(ExporteTable("table.csv", {}, lignes(3)));
    EXPECT_EQ(t3test::LitFichier("table.csv"), "0,\"un, deux\"\n1,\"un, deux\"\n2,\"un, deux\"\n");

    // Cancelled after the first piece: the earlier file stays, a new one is never made.
    int64_t vues = 0;
    const SuiviExport annule = [&vues](int64_t lignes) {
        EXPECT_GT(lignes, vues);
        vues = lignes;
        return vues < 5000;
    };
    const auto annulee = ExporteTable("table.csv", {}, lignes(100000), annule);
    EXPECT_EQ(annulee.Code(), ExportAnnule);
    EXPECT_EQ(annulee.Message(), "L'export a été annulé.");
    EXPECT_EQ(ExporteTable("neuf.csv", {}, lignes(100000), [](int64_t) { return false; }).Code(),
              ExportAnnule);
    EXPECT_EQ(t3test::LitFichier("table.csv"), "0,\"un, deux\"\n1,\"un, deux\"\n2,\"un, deux\"\n");

    // A disk that fills up, stood for by a limit on the size of files: the failure in French, the earlier
    // file as it was.
    rlimit avant{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &avant), 0);
    const auto gestionnaire = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limite{200000, avant.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limite), 0);
    const auto echec = ExporteTable("table.csv", {}, lignes(100000));
    ::setrlimit(RLIMIT_FSIZE, &avant);
    std::signal(SIGXFSZ, gestionnaire);
    EXPECT_EQ(echec.Code(), ExportImpossible);
    EXPECT_EQ(echec.Message(),
              "Impossible d'écrire le fichier « table.csv » : le fichier dépasse la taille permise.");
    EXPECT_EQ(t3test::LitFichier("table.csv"), "0,\"un, deux\"\n1,\"un, deux\"\n2,\"un, deux\"\n");
    const auto erreur = ExporteTable("absent/table.csv", {}, lignes(1));
    EXPECT_EQ(
        erreur.Message(),
        "Impossible d'écrire le fichier « absent/table.csv » : le fichier ou son dossier n'existe pas.");
    // No new file is left behind.
    std::vector<std::string> fichiers;
    for (const auto& f : fs::directory_iterator("."))
        fichiers.push_back(f.path().filename().string());
    EXPECT_EQ(fichiers, std::vector<std::string>{"table.csv"});
}
