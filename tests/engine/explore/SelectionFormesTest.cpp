// The selection of forms: the five request types over forms then segments, the invalid pattern, the
// group name, and the list without repeats.
#include "AideSegments.h"

#include "engine/explore/CalculSegments.h"
#include "engine/explore/Motif.h"
#include "engine/explore/SelectionFormes.h"

#include <gtest/gtest.h>

using namespace t3;
using namespace t3test;

namespace {

// The graphies of the entries, "|" between them.
std::string Graphies(const charg1& base, const std::vector<int32_t>& entrees) {
    std::string texte;
    for (const int32_t e : entrees) {
        if (!texte.empty()) texte += '|';
        texte += base.RetourneGraphie(e, false);
    }
    return texte;
}

std::string Selection(const charg1& base, int32_t type, std::string_view motif) {
    const auto entrees = SelectionneFormes(base, type, motif);
    EXPECT_TRUE(entrees) << entrees.Message();
    return entrees ? Graphies(base, *entrees) : "";
}

} // namespace

// A pattern holding a dot: the exact request looks for that very graphie; the others build their
// expression around the pattern as typed, so the dot stands for any character, among the forms then
// among the segments. The blanks around the pattern are dropped.
TEST(SelectionFormes, LesCinqTypesAvecUnPoint) {
    DossierTemporaire dossier;
    // Only the comma is a delimiter here, so "a.b" is a form.
    ASSERT_TRUE(SegmenteDans(".", "a.b axb bab xaxb ab , axb ab , axb ab , baxb axb\n", "corpus", ","));
    charg1 base;
    ASSERT_EQ(base.ChargeBase("corpus.par"), ChargeReussie);
    EXPECT_EQ(Selection(base, RequeteExacte, " a.b "), "a.b");
    EXPECT_EQ(Selection(base, RequeteExacte, "a.c"), "");
    EXPECT_EQ(Selection(base, RequeteExacte, "a→b"), ""); // not Windows-1252: no graphie
    // Forms in number order: axb (4), ab (3), then the others alphabetically.
    EXPECT_EQ(Selection(base, RequeteContenu, "."), "axb|ab|a.b|bab|baxb|xaxb");
    EXPECT_EQ(Selection(base, RequeteDebut, "a.b"), "axb|a.b");
    EXPECT_EQ(Selection(base, RequeteFin, "a.b"), "axb|a.b|baxb|xaxb");
    EXPECT_EQ(Selection(base, RequeteContenu, "a.b"), "axb|a.b|baxb|xaxb");
    EXPECT_EQ(Selection(base, RequeteExpression, "^a.b$"), "axb|a.b");
    EXPECT_EQ(ExpressionRequete(RequeteDebut, " a.b "), "^a.b.*");
    EXPECT_EQ(ExpressionRequete(RequeteFin, "a.b"), ".*a.b$");
    EXPECT_EQ(ExpressionRequete(RequeteContenu, "a.b"), ".*a.b.*");
    EXPECT_EQ(ExpressionRequete(RequeteExpression, "a.b"), "a.b");

    // Once segments are attached, they are searched after the forms, on their text with its blanks.
    const auto calcul = CalculeSegments(base, JeuDelimiteursSR(base), 2, 2);
    ASSERT_TRUE(calcul) << calcul.Message();
    ASSERT_EQ((*calcul)->NbSegments(), 1);
    base.AssigneSR(calcul->get());
    EXPECT_EQ(Selection(base, RequeteDebut, "a.b"), "axb|a.b|axb ab ");
    EXPECT_EQ(Selection(base, RequeteFin, "ab."), "axb ab "); // its last blank
    EXPECT_EQ(Selection(base, RequeteContenu, "b a"), "axb ab ");
    EXPECT_EQ(Selection(base, RequeteExacte, "axb ab "), ""); // only forms are exact
    const auto entrees = SelectionneFormes(base, RequeteContenu, "b a");
    ASSERT_TRUE(entrees);
    EXPECT_EQ(*entrees, std::vector<int32_t>{base.Nbart() + 1});
}

// An invalid pattern gives the matcher's message and selects nothing; so does an unknown type.
TEST(SelectionFormes, MotifIncorrectEtTypeInconnu) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, "a b c .\n"));
    for (const int32_t type : {RequeteDebut, RequeteFin, RequeteContenu, RequeteExpression}) {
        const auto entrees = SelectionneFormes(base, type, "(a");
        ASSERT_FALSE(entrees) << type;
        EXPECT_EQ(entrees.Code(), MotifIncorrect);
        EXPECT_NE(entrees.Message().find("est incorrect"), std::string::npos) << entrees.Message();
    }
    const auto exacte = SelectionneFormes(base, RequeteExacte, "(a"); // no expression: nothing found
    ASSERT_TRUE(exacte);
    EXPECT_TRUE(exacte->empty());
    const auto inconnu = SelectionneFormes(base, 5, "a");
    EXPECT_EQ(inconnu.Code(), TypeRequeteInconnu);
    EXPECT_FALSE(inconnu.Message().empty());
    EXPECT_EQ(LibellesTypesRequete[RequeteExpression], "est une expression rationnelle");
}

// The name is kept when typed; otherwise the pattern followed by "+", blanks dropped.
TEST(SelectionFormes, NomDuGroupe) {
    EXPECT_EQ(NomGroupeSelection("", " anti "), "anti+");
    EXPECT_EQ(NomGroupeSelection("  \t", "^a.b"), "^a.b+");
    EXPECT_EQ(NomGroupeSelection(" mes formes ", "anti"), "mes formes");
}

// The list keeps each entry once, in the order first added, through adds and deletions.
TEST(SelectionFormes, ListeSansDoublons) {
    ListeEntrees liste;
    const std::vector<int32_t> premieres{5, 3, 5, 9};
    EXPECT_EQ(liste.Ajoute(premieres), 3);
    EXPECT_EQ(liste.Ajoute(premieres), 0); // the same search twice adds nothing
    EXPECT_EQ(liste.Entrees(), (std::vector<int32_t>{5, 3, 9}));
    liste.Retire({false, true, false});
    EXPECT_EQ(liste.Entrees(), (std::vector<int32_t>{5, 9}));
    EXPECT_TRUE(liste.Ajoute(3)); // deleted, so it may come back, at the end
    EXPECT_EQ(liste.Entrees(), (std::vector<int32_t>{5, 9, 3}));
    liste.Vide();
    EXPECT_EQ(liste.Nombre(), 0);
    EXPECT_TRUE(liste.Ajoute(5));
}
