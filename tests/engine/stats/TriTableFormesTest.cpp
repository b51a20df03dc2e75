// The rows of the table of forms by parts sorted by clicks on the column headers, and the entry order.
#include "engine/stats/TriTableFormes.h"

#include "BaseDeTest.h"
#include "engine/corpus/Partition.h"
#include "engine/stats/CalcSpecTot.h"
#include "engine/stats/TableFormesParties.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using t3::CalcSpecTot;
using t3::CritereTri;
using t3::EtatTri;
using t3::Partition;
using t3::TableFormesParties;
using t3::TriTableFormes;
using t3test::BaseDeTest;

namespace {

using Graphies = std::vector<std::string>;

Graphies GraphiesDe(const t3::charg1& base, const std::vector<int32_t>& lignes) {
    Graphies graphies;
    for (const int32_t e : lignes)
        graphies.push_back(base.RetourneGraphie(e, false));
    return graphies;
}

// A key that orders entries as the entry order should, by another road: the lexicographic ranks of the
// entry's forms written in six digits each, compared as texts (a shorter key that begins a longer one
// comes first, as a form before the segments that begin with it), then a form before a segment.
using Cle = std::pair<std::string, bool>;
Cle CleDOrdre(const t3::charg1& base, const std::vector<int32_t>& formes, bool segment) {
    std::string cle;
    for (const int32_t forme : formes) {
        char rang[8];
        std::snprintf(rang, sizeof rang, "%06d", base.Lexg(forme));
        cle += rang;
    }
    return {cle, segment};
}

} // namespace

// Two authors (m 79 in a and 82 in b; y 2 and 18, -4 and +4; x 10 and 0, +4 and -4; z 9 and 0, +3 and
// -3): the clicks of a user on the headers and the radio buttons, and the state after each.
TEST(TriTableFormes, ClicsSurLesEntetes) {
    BaseDeTest b(t3test::TexteDeuxParties());
    ASSERT_TRUE(b.Prete());
    Partition partition(&b.Base(), b.Entree("auteur"));
    partition.SetFreqMin(9);
    const CalcSpecTot tot(&partition, nullptr, nullptr);
    const TableFormesParties table(tot);
    TriTableFormes tri(table);
    const auto lignes = [&] { return GraphiesDe(b.Base(), tri.Lignes()); };
    ASSERT_EQ(lignes(), (Graphies{"m", "y", "x", "z"}));
    EXPECT_EQ(tri.Etat(), EtatTri::Aucun);
    EXPECT_EQ(tri.ColonneTriee(), -1);
    EXPECT_FALSE(tri.ChangeCritere(CritereTri::Specificite)); // no column sorted yet

    const CritereTri frq = CritereTri::Frequence, spec = CritereTri::Specificite;
    const struct {
        int32_t colonne; // -1: the criterion changes
        CritereTri critere;
        Graphies attendu;
        EtatTri etat;
        int32_t colonneTriee;
    } etapes[] = {
        // Column a by frequency: descending first, then each click reverses.
        {1, frq, {"m", "x", "z", "y"}, EtatTri::FrequenceDecroissante, 0},
        {1, frq, {"y", "z", "x", "m"}, EtatTri::FrequenceCroissante, 0},
        // By coefficient: descending at once; m (0) stays last in both directions.
        {-1, spec, {"x", "z", "y", "m"}, EtatTri::CoefficientDecroissant, 0},
        {1, spec, {"y", "z", "x", "m"}, EtatTri::CoefficientCroissant, 0},
        {1, spec, {"x", "z", "y", "m"}, EtatTri::CoefficientDecroissant, 0},
        // A new column starts descending again.
        {2, spec, {"y", "z", "x", "m"}, EtatTri::CoefficientDecroissant, 1},
        {2, spec, {"x", "z", "y", "m"}, EtatTri::CoefficientCroissant, 1},
        // Back to frequency: descending; x and z (0 both) keep their order.
        {-1, frq, {"m", "y", "x", "z"}, EtatTri::FrequenceDecroissante, 1},
        // The entries' column toggles, ascending from any other state; the sorted column stays.
        {0, frq, {"m", "x", "y", "z"}, EtatTri::EntreesCroissantes, 1},
        {0, frq, {"z", "y", "x", "m"}, EtatTri::EntreesDecroissantes, 1},
        {0, spec, {"m", "x", "y", "z"}, EtatTri::EntreesCroissantes, 1},
        // The sorted column clicked again after the entries: by frequency descending, by coefficient
        // ascending (the state is neither of the criterion's).
        {2, frq, {"m", "y", "x", "z"}, EtatTri::FrequenceDecroissante, 1},
        {0, frq, {"m", "x", "y", "z"}, EtatTri::EntreesCroissantes, 1},
        {2, spec, {"x", "z", "y", "m"}, EtatTri::CoefficientCroissant, 1},
        // Columns that do not exist change nothing.
        {3, frq, {"x", "z", "y", "m"}, EtatTri::CoefficientCroissant, 1},
        {-5, frq, {"x", "z", "y", "m"}, EtatTri::CoefficientCroissant, 1},
    };
    for (size_t i = 0; i < std::size(etapes); ++i) {
        SCOPED_TRACE(i);
        const auto& e = etapes[i];
        if (e.colonne == -1)
            EXPECT_TRUE(tri.ChangeCritere(e.critere));
        else
            tri.ClicEntete(e.colonne == -5 ? -1 : e.colonne, e.critere);
        EXPECT_EQ(lignes(), e.attendu);
        EXPECT_EQ(tri.Etat(), e.etat);
        EXPECT_EQ(tri.ColonneTriee(), e.colonneTriee);
    }
    // The criterion the state already has: nothing to do.
    EXPECT_FALSE(tri.ChangeCritere(CritereTri::Specificite));
    EXPECT_EQ(lignes(), (Graphies{"x", "z", "y", "m"}));

    // A dropped group keeps the state: the next click on the column reverses it.
    tri.SetLignes({b.Entree("m"), b.Entree("z"), b.Entree("y")});
    EXPECT_EQ(tri.Etat(), EtatTri::CoefficientCroissant);
    tri.ClicEntete(2, spec);
    EXPECT_EQ(lignes(), (Graphies{"y", "z", "m"}));
    // Every entry again, unsorted.
    tri.ToutesLesEntrees();
    EXPECT_EQ(lignes(), (Graphies{"m", "y", "x", "z"}));
    EXPECT_EQ(tri.Etat(), EtatTri::Aucun);
    EXPECT_EQ(tri.ColonneTriee(), -1);
}

// Many forms and segment entries that share their first forms, in four parts with one out of the
// reference corpus: every sort agrees with the cells the table shows and with an entry order computed
// otherwise; rows of equal key keep their previous order.
TEST(TriTableFormes, FormesEtSegmentsAuHasard) {
    BaseDeTest b(t3test::TexteAleatoire());
    ASSERT_TRUE(b.Prete());
    t3::charg1& base = b.Base();
    std::mt19937 alea(31);
    // Segments of 1 to 4 of the first six forms (so that many begin alike, some repeat a form alone or
    // another segment), at random positions.
    std::vector<std::vector<int32_t>> formes, positions;
    for (int k = 0; k < 80; ++k) {
        formes.emplace_back();
        for (uint32_t n = 1 + alea() % 4; n > 0; --n)
            formes.back().push_back(static_cast<int32_t>(alea() % 6));
        std::vector<int32_t> p;
        for (int32_t position = static_cast<int32_t>(alea() % 50); position < base.Nbitem();
             position += 1 + static_cast<int32_t>(alea() % 120))
            p.push_back(position);
        positions.push_back(std::move(p));
    }
    const t3test::SegmentsDonnes segments(formes, positions);
    base.AssigneSR(&segments);
    Partition partition(&base, b.Entree("auteur"));
    ASSERT_EQ(partition.NbParties(), 4);
    partition.SetReference(1, false);
    partition.SetFreqMin(3);
    partition.SetSeuil(20);
    const CalcSpecTot tot(&partition, nullptr, nullptr);
    const TableFormesParties table(tot);
    ASSERT_EQ(table.NbColonnes(), 3);
    TriTableFormes tri(table);

    // Every form, then every segment entry.
    const int32_t nbFormes = base.Nbform();
    ASSERT_EQ(tri.Lignes().size(), static_cast<size_t>(nbFormes + 80));
    for (int32_t i = 0; i < nbFormes + 80; ++i)
        EXPECT_EQ(tri.Lignes()[static_cast<size_t>(i)], i < nbFormes ? i : base.Nbart() + 1 + i - nbFormes);

    const auto cle = [&](int32_t e) {
        return e < nbFormes ? CleDOrdre(base, {e}, false)
                            : CleDOrdre(base, formes[static_cast<size_t>(e - base.Nbart() - 1)], true);
    };
    // The order of the entries, both ways, and the comparison of two entries.
    for (const bool decroissant : {false, true}) {
        tri.ClicEntete(0, CritereTri::Frequence);
        const std::vector<int32_t> lignes = tri.Lignes();
        for (size_t i = 1; i < lignes.size(); ++i) {
            const Cle avant = cle(lignes[i - 1]), apres = cle(lignes[i]);
            ASSERT_TRUE(decroissant ? avant >= apres : avant <= apres) << i;
        }
    }
    for (int n = 0; n < 3000; ++n) {
        const int32_t a = tri.Lignes()[alea() % tri.Lignes().size()];
        const int32_t c = tri.Lignes()[alea() % tri.Lignes().size()];
        ASSERT_EQ(t3::AvantDansLOrdreDesEntrees(base, a, c), cle(a) < cle(c)) << a << " " << c;
    }

    // Each column by frequency (a first click, then another), then by coefficient (the criterion
    // changed, then a click), each sort starting from the order the previous one left.
    int32_t segmentsSpecifiques = 0;
    for (int32_t j = 0; j < table.NbColonnes(); ++j)
        for (const CritereTri critere : {CritereTri::Frequence, CritereTri::Specificite})
            for (int clic = 0; clic < 2; ++clic) {
                SCOPED_TRACE(std::to_string(j) + " " + std::to_string(static_cast<int>(critere)) + " " +
                             std::to_string(clic));
                const std::vector<int32_t> avant = tri.Lignes();
                if (critere == CritereTri::Specificite && clic == 0)
                    EXPECT_TRUE(tri.ChangeCritere(critere));
                else
                    tri.ClicEntete(j + 1, critere);
                EXPECT_EQ(tri.ColonneTriee(), j);
                const std::vector<int32_t>& apres = tri.Lignes();
                std::vector<int32_t> memes = avant, triees = apres;
                std::sort(memes.begin(), memes.end());
                std::sort(triees.begin(), triees.end());
                ASSERT_EQ(memes, triees);
                const bool decroissant = tri.Etat() == EtatTri::FrequenceDecroissante ||
                                         tri.Etat() == EtatTri::CoefficientDecroissant;
                EXPECT_EQ(decroissant, clic == 0);
                const auto valeur = [&](int32_t e) {
                    return critere == CritereTri::Frequence ? table.Frequence(e, j) : table.Coefficient(e, j);
                };
                const auto place = [&](int32_t e) {
                    return std::find(avant.begin(), avant.end(), e) - avant.begin();
                };
                for (size_t i = 1; i < apres.size(); ++i) {
                    const int32_t va = valeur(apres[i - 1]), vb = valeur(apres[i]);
                    if (critere == CritereTri::Specificite && (va == 0 || vb == 0)) {
                        ASSERT_FALSE(va == 0 && vb != 0) << i; // without a coefficient: last
                        if (va != 0) continue;
                    } else if (va != vb) {
                        ASSERT_TRUE(decroissant ? va > vb : va < vb) << i;
                        continue;
                    }
                    ASSERT_LT(place(apres[i - 1]), place(apres[i])) << i;
                }
                for (const int32_t e : apres)
                    segmentsSpecifiques += e > base.Nbart() && table.Coefficient(e, j) != 0;
            }
    EXPECT_GT(segmentsSpecifiques, 0);
    base.AssigneSR(nullptr);
}

// A form and the segments that begin with it, one of them that form alone, segments of which one begins
// another, and entries that stand for nothing.
TEST(TriTableFormes, OrdreDesEntrees) {
    BaseDeTest b("<t=a> mur chat mur chat arbre chat mur\n");
    ASSERT_TRUE(b.Prete());
    t3::charg1& base = b.Base();
    const int32_t arbre = b.Entree("arbre"), chat = b.Entree("chat"), mur = b.Entree("mur");
    const t3test::SegmentsDonnes segments(
        {{chat, mur}, {arbre, chat}, {chat, mur, arbre}, {mur, chat}, {chat}}, {{}, {}, {}, {}, {}});
    base.AssigneSR(&segments);
    const int32_t s = base.Nbart() + 1;
    const auto avant = [&](int32_t x, int32_t y) { return t3::AvantDansLOrdreDesEntrees(base, x, y); };
    EXPECT_TRUE(avant(arbre, s + 1)); // a form before the segments that begin with it
    EXPECT_FALSE(avant(s + 1, arbre));
    EXPECT_TRUE(avant(s + 1, chat)); // "arbre chat" before "chat"
    EXPECT_TRUE(avant(s, s + 2));    // "chat mur" before "chat mur arbre"
    EXPECT_TRUE(avant(s + 2, mur));  // the first word decides
    EXPECT_TRUE(avant(chat, s + 4)); // a form before a segment of that form alone
    EXPECT_FALSE(avant(s + 4, chat));
    EXPECT_FALSE(avant(mur, mur));
    EXPECT_FALSE(avant(s + 3, s + 3));
    EXPECT_TRUE(avant(s + 3, base.Nbart())); // an entry that stands for nothing comes last
    EXPECT_FALSE(avant(-1, chat));

    Partition partition(&base, b.Entree("t"));
    const CalcSpecTot tot(&partition, nullptr, nullptr);
    const TableFormesParties table(tot);
    TriTableFormes tri(table);
    tri.ClicEntete(0, CritereTri::Frequence);
    EXPECT_EQ(GraphiesDe(base, tri.Lignes()), (Graphies{"arbre", "arbre chat ", "chat", "chat ", "chat mur ",
                                                        "chat mur arbre ", "mur", "mur chat "}));
    tri.ClicEntete(0, CritereTri::Frequence);
    EXPECT_EQ(GraphiesDe(base, tri.Lignes()), (Graphies{"mur chat ", "mur", "chat mur arbre ", "chat mur ",
                                                        "chat ", "chat", "arbre chat ", "arbre"}));
    base.AssigneSR(nullptr);
}
