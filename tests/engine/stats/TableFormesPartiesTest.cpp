// The table of forms by parts read cell by cell, as a window does, and row by row, as t3 specifs does.
#include "engine/stats/TableFormesParties.h"

#include "BaseDeTest.h"
#include "engine/corpus/Partition.h"
#include "engine/stats/CalcSpecTot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

using t3::CalcSpecTot;
using t3::CelluleTable;
using t3::Partition;
using t3::TableFormesParties;
using t3test::BaseDeTest;

namespace {

std::vector<CelluleTable> LigneParCellules(const TableFormesParties& table, int32_t entree) {
    std::vector<CelluleTable> ligne;
    for (int32_t j = 0; j < table.NbColonnes(); ++j)
        ligne.push_back(table.Cellule(entree, j));
    return ligne;
}

} // namespace

// The two authors (x 10 times in a; y 2 in a and 18 in b; z 9 in a; m 79 in a and 82 in b).
TEST(TableFormesParties, CellulesDesDeuxAuteurs) {
    BaseDeTest b(t3test::TexteDeuxParties());
    ASSERT_TRUE(b.Prete());
    Partition partition(&b.Base(), b.Entree("auteur"));
    partition.SetFreqMin(9);
    const CalcSpecTot tot(&partition, nullptr, nullptr);
    const TableFormesParties table(tot);
    ASSERT_EQ(table.NbColonnes(), 2);
    EXPECT_EQ(table.NomColonne(0), "a");
    EXPECT_EQ(table.NomColonne(1), "b");
    EXPECT_EQ(table.NomColonne(2), "");
    EXPECT_EQ(table.Partie(-1), -1);
    const struct {
        const char* forme;
        CelluleTable a, b;
    } attendus[] = {
        {"m", {79, 0}, {82, 0}}, {"y", {2, -4}, {18, 4}}, {"x", {10, 4}, {0, -4}}, {"z", {9, 3}, {0, -3}}};
    for (const auto& attendu : attendus) {
        SCOPED_TRACE(attendu.forme);
        const int32_t forme = b.Entree(attendu.forme);
        EXPECT_EQ(LigneParCellules(table, forme), (std::vector<CelluleTable>{attendu.a, attendu.b}));
        EXPECT_EQ(table.Frequence(forme, 2), 0);
        EXPECT_EQ(table.Coefficient(forme, -1), 0);
    }

    // Only b in the reference corpus: one column, the whole reference, where nothing is specific.
    partition.SetReference(0, false);
    const CalcSpecTot seule(&partition, nullptr, nullptr);
    const TableFormesParties tableB(seule);
    ASSERT_EQ(tableB.NbColonnes(), 1);
    EXPECT_EQ(tableB.Partie(0), 1);
    EXPECT_EQ(tableB.NomColonne(0), "b");
    EXPECT_EQ(LigneParCellules(tableB, b.Entree("y")), (std::vector<CelluleTable>{{18, 0}}));
    TableFormesParties::LecteurLignes lecteur(tableB);
    EXPECT_EQ(lecteur.Ligne(b.Entree("x"))[0], (CelluleTable{0, 0}));
}

// Many forms and parts of several spans, one part left out of the reference: the rows read in order,
// and again in any order, are the cells read one by one; segment entries, which occur before the first
// key too, count over the spans of each part as the partition counts them.
TEST(TableFormesParties, LignesEtCellulesConcordent) {
    BaseDeTest b(t3test::TexteAleatoire());
    ASSERT_TRUE(b.Prete());
    t3::charg1& base = b.Base();
    const auto segments = t3test::SegmentsDesFormes(base, 3, {0, 1, 2, 3, base.Nbitem() - 2});
    base.AssigneSR(&segments);

    Partition partition(&base, b.Entree("auteur"));
    ASSERT_EQ(partition.NbParties(), 4);
    partition.SetReference(2, false);
    const CalcSpecTot tot(&partition, nullptr, nullptr);
    const TableFormesParties table(tot);
    ASSERT_EQ(table.NbColonnes(), 3);
    EXPECT_EQ(table.Partie(2), 3);

    int32_t specifiques = 0;
    TableFormesParties::LecteurLignes lecteur(table);
    for (int32_t forme = 0; forme < base.Nbform(); ++forme) {
        const auto ligne = lecteur.Ligne(forme);
        ASSERT_EQ(std::vector<CelluleTable>(ligne.begin(), ligne.end()), LigneParCellules(table, forme))
            << forme;
        for (int32_t j = 0; j < table.NbColonnes(); ++j) {
            EXPECT_EQ(ligne[static_cast<size_t>(j)].frequence, partition.Frequence(forme, table.Partie(j)));
            specifiques += ligne[static_cast<size_t>(j)].coefficient != 0;
        }
    }
    EXPECT_GT(specifiques, 10);

    std::vector<int32_t> desordre(static_cast<size_t>(base.Nbform()));
    std::iota(desordre.begin(), desordre.end(), 0);
    std::shuffle(desordre.begin(), desordre.end(), std::mt19937(7));
    TableFormesParties::LecteurLignes autre(table);
    for (const int32_t forme : desordre) {
        const auto ligne = autre.Ligne(forme);
        ASSERT_EQ(std::vector<CelluleTable>(ligne.begin(), ligne.end()), LigneParCellules(table, forme))
            << forme;
    }

    // Segment entries in turn, back and forth, and a punctuation entry.
    const int32_t point = b.Entree(".");
    for (const int32_t k : {0, 3, 1, 3, 0, 2}) {
        const int32_t entree = base.Nbart() + 1 + k;
        for (int32_t j = 0; j < table.NbColonnes(); ++j) {
            EXPECT_EQ(table.Frequence(entree, j), partition.Frequence(entree, table.Partie(j)))
                << k << " " << j;
            EXPECT_EQ(table.Coefficient(entree, j), tot.Coefficient(entree, j));
            EXPECT_EQ(table.Frequence(point, j), partition.Frequence(point, table.Partie(j)));
        }
    }
    // The first four positions come before every key: only the last one counts.
    int32_t total = 0;
    for (int32_t p = 0; p < partition.NbParties(); ++p)
        total += partition.Frequence(base.Nbart() + 4, p);
    EXPECT_EQ(total, 1);
    base.AssigneSR(nullptr);
}
