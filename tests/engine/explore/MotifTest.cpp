// The pattern matcher: French letters, case-less matching, forms then segment entries, and the
// patterns that must select nothing with a French message (invalid, refused, or too costly to match).
#include "AideSegments.h"

#include "engine/corpus/charg1.h"
#include "engine/explore/Motif.h"
#include "engine/explore/RaisonsMotif.h"

#include <gtest/gtest.h>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

using namespace t3;
using namespace t3test;

namespace {

// Whether the pattern matches the graphie (Windows-1252); the test fails on a compilation error.
bool Correspond(const char* motif, const std::string& graphie) {
    const auto m = Motif::Compile(motif);
    EXPECT_TRUE(m) << m.Message();
    if (!m) return false;
    const auto oui = m->Correspond(graphie);
    EXPECT_TRUE(oui) << oui.Message();
    return oui && *oui;
}

std::vector<int32_t> Selection(const charg1& base, const char* motif) {
    const auto m = Motif::Compile(motif);
    EXPECT_TRUE(m) << m.Message();
    if (!m) return {};
    const auto entrees = m->Selectionne(base);
    EXPECT_TRUE(entrees) << entrees.Message();
    return entrees ? *entrees : std::vector<int32_t>{};
}

} // namespace

// Accented letters, the ligatures of the 0x80-0x9F range and their capitals are letters for \w, the
// POSIX classes and case-less matching; punctuation is not.
TEST(Motif, LettresFrancaisesEtCasse) {
    const std::string ete = "\xE9t\xE9", oeuvre = "\x9Cuvre", OEUVRE = "\x8CUVRE";
    EXPECT_TRUE(Correspond("^\\w+$", ete));
    EXPECT_TRUE(Correspond("^[[:alpha:]]+$", oeuvre));
    EXPECT_TRUE(Correspond("^[[:upper:]]{2,}$", OEUVRE));
    EXPECT_FALSE(Correspond("^[[:upper:]]{2,}$", oeuvre));
    EXPECT_TRUE(Correspond("(?i)^ÉTÉ$", ete));
    EXPECT_TRUE(Correspond("(?i)œuvre", OEUVRE));
    EXPECT_FALSE(Correspond("ÉTÉ", ete));
    EXPECT_TRUE(Correspond("^.t.$", ete));       // one character, not one byte
    EXPECT_FALSE(Correspond("\\w", "\x85\x93")); // the ellipsis and a quotation mark
    EXPECT_TRUE(Correspond("^\\x{20AC}$", "\x80"));
    // A match anywhere, searched from the first character.
    EXPECT_TRUE(Correspond("ment", "rapidement"));
    EXPECT_FALSE(Correspond("^ment", "rapidement"));
}

// Forms in number order, then segment entries matched on their forms each followed by a blank; the
// result agrees with a plain search of the graphies.
TEST(Motif, FormesPuisSegments) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(
        ChargeTexte(base, "le chat mange. Le chien mange le chat. antichat antienne \xE9t\xE9 \xC9T\xC9\n"));
    std::vector<int32_t> debut, fin;
    for (int32_t f = 0; f < base.Nbform(); ++f) {
        const std::string_view g = base.Graphie(f);
        if (g.starts_with("anti")) debut.push_back(f);
        if (g.ends_with("at")) fin.push_back(f);
    }
    EXPECT_EQ(Selection(base, "^anti"), debut);
    EXPECT_EQ(Selection(base, "at$"), fin);
    EXPECT_EQ(debut.size(), 2u);
    const int32_t ete = base.LocFormDic("\xE9t\xE9"), ETE = base.LocFormDic("\xC9T\xC9");
    EXPECT_EQ(Selection(base, "(?i)^été$"), (std::vector<int32_t>{std::min(ete, ETE), std::max(ete, ETE)}));

    const int32_t le = base.LocFormDic("le"), chat = base.LocFormDic("chat"),
                  mange = base.LocFormDic("mange");
    SegmentsDonnes segments({{le, chat}, {chat, mange}}, {{0, 8}, {1}});
    base.AssigneSR(&segments);
    const int32_t leChat = base.Nbart() + 1, chatMange = base.Nbart() + 2;
    EXPECT_EQ(Selection(base, "chat $"), (std::vector<int32_t>{leChat}));
    EXPECT_EQ(Selection(base, "^chat"), (std::vector<int32_t>{chat, chatMange}));
    EXPECT_EQ(Selection(base, "^le chat $"), (std::vector<int32_t>{leChat}));
    EXPECT_EQ(Selection(base, "^\\w+ \\w+ $"), (std::vector<int32_t>{leChat, chatMange}));
    base.AssigneSR(nullptr);
    EXPECT_EQ(Selection(base, "chat $"), std::vector<int32_t>{});
}

// An invalid pattern: a French message with the reason and the place of the fault counted in
// characters; bytes that are not UTF-8 are refused the same way. No reason is the library's English text,
// for any code it may give.
TEST(Motif, MotifIncorrect) {
    const auto parenthese = Motif::Compile("(été");
    ASSERT_FALSE(parenthese);
    EXPECT_EQ(parenthese.Code(), MotifIncorrect);
    EXPECT_EQ(parenthese.Message(),
              "le motif « (été » est incorrect : il manque une parenthèse fermante (position 4).");
    const auto crochet = Motif::Compile("é[a");
    EXPECT_EQ(
        crochet.Message(),
        "le motif « é[a » est incorrect : il manque le ] qui ferme la classe de caractères (position 3).");
    const auto octets = Motif::Compile("a\xE9");
    ASSERT_FALSE(octets);
    EXPECT_EQ(octets.Code(), MotifIncorrect);
    EXPECT_EQ(octets.Message(),
              "le motif n'est pas un texte UTF-8 valide : le dernier caractère est incomplet "
              "(il manque 2 octets) (position 1).");
    EXPECT_NE(Motif::Compile("a\\C").Message().find("\\C (un octet isolé) est interdit"), std::string::npos);
    EXPECT_NE(Motif::Compile("x{2,1}").Message().find("nombres dans le désordre"), std::string::npos);

    const auto anglais = [](int code) {
        PCRE2_UCHAR texte[256];
        pcre2_get_error_message(code, texte, sizeof texte);
        return std::string(reinterpret_cast<const char*>(texte));
    };
    std::vector<int> codes;
    for (int code = PCRE2_ERROR_END_BACKSLASH; code <= PCRE2_ERROR_BACKSLASH_K_IN_LOOKAROUND; ++code)
        codes.push_back(code);
    for (int code = PCRE2_ERROR_UTF8_ERR1; code >= PCRE2_ERROR_UTF8_ERR21; --code)
        codes.push_back(code);
    for (const int code : codes) {
        const std::string raison = RaisonCompilation(code);
        EXPECT_FALSE(raison.empty()) << code;
        EXPECT_EQ(raison.find(anglais(code)), std::string::npos) << code;
    }
    for (int code = PCRE2_ERROR_BADDATA; code >= PCRE2_ERROR_DFA_UINVALID_UTF; --code)
        EXPECT_EQ(RaisonRecherche(code).find(anglais(code)), std::string::npos) << code;
}

// The leading verbs that only slow a match down are refused; those that set limits are accepted, since
// they can only lower ours: a pattern's own match limit stops its search, and a higher one leaves the
// budget in force. A pattern longer than the bound is refused before it is compiled.
TEST(Motif, VerbesEtLongueur) {
    for (const char* verbe : {"(*NO_JIT)", "(*NO_START_OPT)", "(*NO_AUTO_POSSESS)", "(*NO_DOTSTAR_ANCHOR)"}) {
        const std::string motif = std::string(verbe) + "^(?:|){19}(?!)";
        const auto m = Motif::Compile(motif);
        ASSERT_FALSE(m) << motif;
        EXPECT_EQ(m.Message(), "le motif « " + motif + " » est incorrect : " + verbe +
                                   " ne fait que ralentir la recherche.");
    }
    const std::string a(30, 'a');
    const auto propre = Motif::Compile("(*LIMIT_MATCH=1000)(a|aa)+$");
    ASSERT_TRUE(propre) << propre.Message();
    const auto arrete = propre->Correspond(a + "b");
    EXPECT_EQ(arrete.Code(), MotifTropCouteux);
    EXPECT_NE(arrete.Message().find("la limite (*LIMIT_MATCH) du motif est atteinte"), std::string::npos);
    EXPECT_TRUE(*propre->Correspond("aaa"));
    const auto haute = Motif::Compile("(*LIMIT_MATCH=4000000000)(*LIMIT_DEPTH=4000000000)(a|aa)+$");
    ASSERT_TRUE(haute) << haute.Message();
    Budget budget(100000);
    EXPECT_EQ(haute->Correspond(a + "b", budget).Code(), MotifTropCouteux);
    EXPECT_LE(budget.Depense(), 100000u);

    std::string parentheses;
    for (size_t i = 0; i < 7000; ++i)
        parentheses += "()";
    const auto longue = Motif::Compile(parentheses);
    ASSERT_FALSE(longue);
    EXPECT_EQ(longue.Message(), "le motif est trop long : 14000 caractères, pour 500 au plus.");
    EXPECT_TRUE(Motif::Compile(parentheses.substr(0, LongueurMaxMotif)));
}

// Patterns whose backtracking grows exponentially stop, with the message, on a form (under a small
// budget) and over a whole base (under the search's own): nothing is selected. The same patterns on a
// short text match as they should.
TEST(Motif, MotifCatastrophique) {
    const std::string longue = std::string(40, 'a') + "!";
    for (const char* motif : {"(a+)+$", "(a|aa)+$", "(a|a)+$", "^(\\w+\\s?)*$"}) {
        const auto m = Motif::Compile(motif);
        ASSERT_TRUE(m) << m.Message();
        Budget budget(1000000);
        const auto oui = m->Correspond(longue, budget);
        ASSERT_FALSE(oui) << motif;
        EXPECT_EQ(oui.Code(), MotifTropCouteux);
        EXPECT_EQ(oui.Message(), std::string("la recherche du motif « ") + motif +
                                     " » demande trop de calculs : son budget est épuisé sur « " + longue +
                                     " » ; aucune forme n'est retenue.");
        EXPECT_TRUE(Correspond(motif, "aaa"));
    }
    DossierTemporaire dossier;
    charg1 base;
    // The long form fails at its last letter, after every way of cutting the a's was tried.
    ASSERT_TRUE(ChargeTexte(base, "a aa " + std::string(40, 'a') + "b\n"));
    const auto m = Motif::Compile("(a|aa)+$");
    const auto entrees = m->Selectionne(base);
    ASSERT_FALSE(entrees);
    EXPECT_EQ(entrees.Code(), MotifTropCouteux);
}

// A search has one budget for all the forms it tests: a pattern that costs a little on each of many
// forms stops when the sum passes the budget, though each form alone passes it, and the units charged
// never pass it.
TEST(Motif, UnBudgetPourToutLaRecherche) {
    DossierTemporaire dossier;
    charg1 base;
    std::string texte;
    for (int i = 0; i < 100; ++i) {
        texte += 'a';
        texte += std::to_string(i) + " ";
    }
    ASSERT_TRUE(ChargeTexte(base, texte + "\n"));
    const auto m = Motif::Compile("^(?:|){8}(?!)");
    ASSERT_TRUE(m) << m.Message();
    constexpr uint64_t unites = 20000;
    uint64_t somme = 0;
    for (int32_t f = 0; f < base.Nbform(); ++f) {
        Budget seul(unites);
        const auto oui = m->Correspond(base.Graphie(f), seul);
        ASSERT_TRUE(oui) << oui.Message();
        EXPECT_FALSE(*oui);
        somme += seul.Depense();
    }
    ASSERT_GT(somme, unites);
    Budget budget(unites);
    const auto entrees = m->Selectionne(base, budget);
    ASSERT_FALSE(entrees);
    EXPECT_EQ(entrees.Code(), MotifTropCouteux);
    EXPECT_NE(entrees.Message().find("son budget est épuisé"), std::string::npos) << entrees.Message();
    EXPECT_LE(budget.Depense(), unites);
    Budget large(somme);
    EXPECT_TRUE(m->Selectionne(base, large));
    EXPECT_EQ(large.Depense(), somme);
}
