// The concordance: its contexts, sorts and part headings against a plain reading of the numbered text,
// and its export page byte for byte.
#include "AideSegments.h"

#include "engine/corpus/Cles.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/Concordance.h"
#include "engine/stats/Tgen.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sstream>

using namespace t3;
using namespace t3test;

namespace {

// "gauche|pivot|droite" of each line of the concordance, or the heading's text.
Lignes Decrit(const Concordance& c) {
    Lignes lignes;
    LigneConcordance l;
    for (int32_t i = 0; i < c.NbLignes(); ++i) {
        c.Ligne(i, l);
        lignes.push_back(c.EstEntete(i) ? c.TexteEntete(i) : l.gauche + "|" + l.pivot + "|" + l.droite);
    }
    return lignes;
}

// --- A plain reading of the text, written from the description of the contexts

// What each item shows in a context: a form's or punctuation sign's graphie; nothing for the rest.
std::vector<std::string> Items(const charg1& base) {
    std::vector<std::string> items;
    for (int32_t p = 0; p < base.Nbitem(); ++p) {
        const int32_t v = base.Tnum(p);
        items.emplace_back(v >= 0 && v < base.Nbform() + base.Nbartponct() ? base.Graphie(v) : "");
    }
    return items;
}

std::string GaucheNaive(const std::vector<std::string>& items, int32_t p, size_t largeur) {
    std::string gauche;
    for (int32_t q = p - 1; gauche.size() < largeur && q >= 0; --q)
        if (!items[size_t(q)].empty()) gauche = " " + items[size_t(q)] + gauche;
    if (gauche.size() > largeur) return gauche.substr(gauche.size() - largeur);
    return std::string(largeur - gauche.size(), ' ') + gauche;
}

std::string DroiteNaive(const std::vector<std::string>& items, int32_t p, size_t largeur) {
    std::string droite;
    for (size_t q = size_t(p) + 1; droite.size() < largeur && q < items.size(); ++q)
        if (!items[q].empty()) droite += items[q] + " ";
    return droite;
}

// The lexicographic ranks of the forms read from p in direction sens, to the end of the text.
std::vector<int32_t> RangsContexte(const charg1& base, int32_t p, int32_t sens) {
    std::vector<int32_t> rangs;
    for (int32_t q = p + sens; q >= 0 && q < base.Nbitem(); q += sens)
        if (base.Tnum(q) >= 0 && base.Tnum(q) < base.Nbform()) rangs.push_back(base.Lexg(base.Tnum(q)));
    return rangs;
}

// Positions sorted on their contexts: ranks compared one by one, a context that ends first coming
// first, equal contexts in text order.
void TriNaif(const charg1& base, std::vector<int32_t>& positions, int32_t sens) {
    if (sens == 0) return std::sort(positions.begin(), positions.end());
    std::stable_sort(positions.begin(), positions.end(), [&](int32_t a, int32_t b) {
        return RangsContexte(base, a, sens) < RangsContexte(base, b, sens);
    });
}

// The key content that rules each position for the key type named cle: the last key of that type before
// it, or the first key of that type for the text before it; -1 when there is no such key.
std::vector<int32_t> ContenusNaifs(const charg1& base, const std::string& cle) {
    std::vector<int32_t> contenus(size_t(base.Nbitem()), -1);
    int32_t courant = -1, premier = -1;
    for (int32_t p = 0; p < base.Nbitem(); ++p) {
        const int32_t v = base.Tnum(p);
        if (v >= base.Nbform() + base.Nbartponct() && v < base.Nbart() && base.Graphie(v) == cle &&
            p + 1 < base.Nbitem()) {
            courant = base.Tnum(p + 1);
            if (premier < 0) premier = courant;
        }
        contenus[size_t(p)] = courant;
    }
    for (int32_t& c : contenus) {
        if (c >= 0) break;
        c = premier;
    }
    return contenus;
}

// The lines the concordance of the positions should show, read plainly from the text.
Lignes LignesNaives(const charg1& base, std::vector<int32_t> positions, int32_t sens, size_t largeur,
                    const std::string* cle) {
    const std::vector<std::string> items = Items(base);
    const auto ligne = [&](int32_t p) {
        return GaucheNaive(items, p, largeur) + "|" + std::string(base.Graphie(base.Tnum(p))) + "|" +
               DroiteNaive(items, p, largeur);
    };
    TriNaif(base, positions, sens);
    Lignes lignes;
    if (cle == nullptr) {
        for (const int32_t p : positions)
            lignes.push_back(ligne(p));
        return lignes;
    }
    // Parts in increasing content entry, each with its occurrences in the sorted order.
    const std::vector<int32_t> contenus = ContenusNaifs(base, *cle);
    std::map<int32_t, std::vector<int32_t>> parties;
    for (const int32_t p : positions)
        if (contenus[size_t(p)] >= 0) parties[contenus[size_t(p)]].push_back(p);
    for (const auto& [contenu, occ] : parties) {
        lignes.push_back("Partie : " + std::string(base.Graphie(contenu)) +
                         ", Nombre de contextes : " + std::to_string(occ.size()));
        for (const int32_t p : occ)
            lignes.push_back(ligne(p));
    }
    return lignes;
}

// A text of short words (accented, with braces and backslashes), punctuation, line breaks and author
// keys, so that contexts repeat, cross keys and reach both ends of the text.
std::string TexteAleatoire(std::mt19937& alea, int nbMots) {
    static const char* const mots[] = {
        "le", "la", "chat", "\xE9t\xE9", "x{y}", "a\\b", "un", "mur", "anticonstitutionnellement", "de"};
    static const char* const separateurs[] = {" ", " ", " ", ". ", "\n", ", ", " \n\n ", " { "};
    std::uniform_int_distribution<int> mot(0, 9), separateur(0, 7), cle(0, 14), auteur(0, 3);
    std::string texte;
    for (int i = 0; i < nbMots; ++i) {
        if (cle(alea) == 0) texte += "<auteur=A" + std::to_string(auteur(alea)) + "> ";
        texte += mots[mot(alea)];
        texte += separateurs[separateur(alea)];
    }
    return texte;
}

} // namespace

// Width 10 on a text whose items are known: padding, a word cut on the left, the right context running
// past the width by its last word, both ends of the text, keys and line breaks left out, braces and
// backslashes as written.
TEST(Contextes, LargeurCoupureEtBoutsDuTexte) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, "<t=a> un deux trois\nquatre <t=b> cinq x{y}z a\\b fin.\n", "."));
    const auto ligne = [&](const char* forme, int32_t largeur) {
        Concordance c(base, base.LocOccFor(base.LocFormDic(forme)), forme, nullptr, TriAucun, largeur);
        EXPECT_EQ(c.NbLignes(), 1);
        const LigneConcordance l = c.Ligne(0);
        EXPECT_EQ(l.gauche.size(), size_t(c.Largeur()));
        return l.gauche + "|" + l.pivot + "|" + l.droite;
    };
    EXPECT_EQ(ligne("un", 10), "          |un|deux trois ");       // text start; past the width
    EXPECT_EQ(ligne("deux", 10), "        un|deux|trois quatre "); // padded on the left
    EXPECT_EQ(ligne("cinq", 10), "ois quatre|cinq|x{y}z a\\b ");   // cut in a word; no key
    EXPECT_EQ(ligne("a\\b", 10), "cinq x{y}z|a\\b|fin . ");        // cut on a blank
    EXPECT_EQ(ligne("fin", 10), " x{y}z a\\b|fin|. ");             // the width reached exactly
    EXPECT_EQ(ligne("cinq", 40), std::string(20, ' ') + "un deux trois quatre|cinq|x{y}z a\\b fin . ");
    // Widths outside the window's range are brought into it.
    EXPECT_EQ(ligne("un", 3), "          |un|deux trois ");
    Concordance large(base, base.LocOccFor(0), "", nullptr, TriAucun, 1000);
    EXPECT_EQ(large.Largeur(), LargeurMax);

    // Under the default delimiters the braces and the backslash are punctuation signs of their own.
    charg1 base2;
    ASSERT_TRUE(ChargeTexte(base2, "x{y}z a\\b"));
    Concordance c(base2, base2.LocOccFor(base2.LocFormDic("y")), "y", nullptr, TriAucun, 10);
    EXPECT_EQ(Decrit(c), Lignes{"       x {|y|} z a \\ b "});
}

// Every occurrence of every form of random texts, at three widths, as the plain reading gives it.
TEST(Contextes, CommeUneLectureSimpleDuTexte) {
    std::mt19937 alea(2026);
    for (int essai = 0; essai < 6; ++essai) {
        DossierTemporaire dossier;
        charg1 base;
        ASSERT_TRUE(ChargeTexte(base, TexteAleatoire(alea, 60 + 80 * essai)));
        const std::vector<std::string> items = Items(base);
        std::string gauche, droite;
        for (const int32_t largeur : {10, 17, 40})
            for (int32_t p = 0; p < base.Nbitem(); ++p) {
                if (base.Tnum(p) < 0 || base.Tnum(p) >= base.Nbform()) continue;
                ContexteGauche(base, p, largeur, gauche);
                ContexteDroit(base, p, largeur, droite);
                ASSERT_EQ(gauche, GaucheNaive(items, p, size_t(largeur))) << p << " " << largeur;
                ASSERT_EQ(droite, DroiteNaive(items, p, size_t(largeur))) << p << " " << largeur;
                ASSERT_EQ(Pivot(base, p), base.Graphie(base.Tnum(p)));
            }
        // Outside the text: blanks on the left, nothing on the right.
        ContexteGauche(base, base.Nbitem(), 10, gauche);
        ContexteDroit(base, -1, 10, droite);
        EXPECT_EQ(gauche, std::string(10, ' '));
        EXPECT_EQ(droite, "");
    }
}

// The three sorts, with and without grouping by author, give the lines of the plain reading; a sort
// back to text order, a change of width and a regrouping keep to it.
TEST(Concordance, TrisEtParties) {
    std::mt19937 alea(77);
    const std::string auteur = "auteur";
    for (int essai = 0; essai < 5; ++essai) {
        DossierTemporaire dossier;
        charg1 base;
        ASSERT_TRUE(ChargeTexte(base, TexteAleatoire(alea, 150 + 100 * essai)));
        const Partition partition(&base, RetourneTypeCle(base, auteur));
        // The most frequent form, and a group of two forms.
        for (const std::vector<int32_t>& entrees : {std::vector<int32_t>{0}, std::vector<int32_t>{1, 3}}) {
            const Tgen groupe(&base, entrees);
            for (const bool parAuteur : {false, true}) {
                const Partition* p = parAuteur ? &partition : nullptr;
                const std::string* cle = parAuteur ? &auteur : nullptr;
                Concordance c(groupe, p, TriAucun, 12);
                for (const int32_t sens : {TriApres, TriAvant, TriAucun}) {
                    c.SetTri(sens);
                    ASSERT_EQ(Decrit(c), LignesNaives(base, groupe.Positions(), sens, 12, cle)) << sens;
                    ASSERT_EQ(Decrit(Concordance(groupe, p, sens, 12)), Decrit(c));
                }
                c.SetTri(TriApres);
                c.SetLargeur(33);
                ASSERT_EQ(Decrit(c), LignesNaives(base, groupe.Positions(), TriApres, 33, cle));
                // Each occurrence's line gives back its position; headings have none.
                for (int32_t i = 0; i < c.NbContextes(); ++i) {
                    const int32_t ligne = c.LigneDeContexte(i);
                    ASSERT_EQ(c.Position(ligne), c.Positions()[size_t(i)]);
                    ASSERT_FALSE(c.EstEntete(ligne));
                    const int32_t partie = p ? partition.PartieDePosition(c.Position(ligne)) : -1;
                    ASSERT_EQ(c.PartieDeLigne(ligne), partie);
                }
            }
        }
    }
}

// One heading per part that holds occurrences, in the partition's order (the contents' order), with
// its count; the words before the first key count in that key's part.
TEST(Concordance, EntetesDesParties) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, "chat mur <a=z> un chat <a=m> mur <a=b> chat chat <a=z> chat\n"));
    const Partition partition(&base, RetourneTypeCle(base, "a"));
    ASSERT_EQ(partition.NbParties(), 3); // b, m, z
    const Tgen chat(&base, {base.LocFormDic("chat")});
    Concordance c(chat, &partition, TriAucun, 10);
    EXPECT_EQ(c.NbLignes(), 7);
    EXPECT_EQ(c.NbContextes(), 5);
    EXPECT_EQ(Decrit(c),
              (Lignes{"Partie : b, Nombre de contextes : 2", "n chat mur|chat|chat chat ",
                      "t mur chat|chat|chat ", "Partie : z, Nombre de contextes : 3",
                      "          |chat|mur un chat ", "hat mur un|chat|mur chat chat ", " chat chat|chat|"}));
    EXPECT_EQ(c.NbContextesPartie(RetournePartie(partition, "m")), 0);
    EXPECT_EQ(c.PartieDeLigne(0), RetournePartie(partition, "b"));
    EXPECT_EQ(c.Position(0), -1);
    EXPECT_EQ(c.Position(7), -1);
    EXPECT_EQ(c.TexteEntete(1), "");
    EXPECT_EQ(c.NomPartie(c.PartieDeLigne(3)), "z");

    // A key type that does not occur in the text: a partition without parts shows nothing.
    const Partition vide(&base, -1);
    EXPECT_EQ(Concordance(chat, &vide).NbLignes(), 0);
}

// The export page, byte for byte, with and without a partition, sorted after the following forms.
TEST(PageConcordance, PageExacte) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, "<a=x> le chat <a=y> le mur\n"));
    const Partition partition(&base, RetourneTypeCle(base, "a"));
    Tgen groupe(&base, {base.LocFormDic("le")});
    const EnteteConcordance entete{"Concordances", "corpus",
                                   "mercredi 9 d\xE9"
                                   "cembre 2026 - 15:04"};
    const std::string tete = "<html>\n<head>\n<title>Concordance</title>\n</head>\n<body bgcolor=#ffffff>\n"
                             "<CENTER><H3>Concordances</H3></CENTER><br>"
                             "<TABLE WIDTH=100% ALIGN=CENTER BORDER=1><TD>Corpus : corpus</TD>\n"
                             "<TD>Date : mercredi 9 d\xE9"
                             "cembre 2026 - 15:04</TD>\n";
    std::ostringstream simple;
    EcritPageConcordance(simple, Concordance(groupe, nullptr, TriApres, 10), entete);
    EXPECT_EQ(simple.str(), tete +
                                "</TABLE><pre><font size=1>Concordance de : le<br> (tri apr\xE8s)<br><br>\n"
                                "          &nbsp;<b>le</b>&nbsp;chat le mur \n"
                                "   le chat&nbsp;<b>le</b>&nbsp;mur \n"
                                "</font></pre></body></html>");

    std::ostringstream parties;
    groupe.SetNom("le+");
    const Concordance c(groupe, &partition, TriAvant, 10);
    EcritPageConcordance(parties, c, entete);
    EXPECT_EQ(parties.str(), tete + "<TD>Partition = a</TD>\n</TABLE><pre><font size=1>"
                                    "Concordance de : le+<br> (tri avant)<br><br>\n"
                                    "\n<br><b>Partie : x, Nombre de contextes : 1</b><br>\n"
                                    "          &nbsp;<b>le</b>&nbsp;chat le mur \n"
                                    "\n<br><b>Partie : y, Nombre de contextes : 1</b><br>\n"
                                    "   le chat&nbsp;<b>le</b>&nbsp;mur \n"
                                    "</font></pre></body></html>");
    EXPECT_EQ(TitreRapportConcordance(c), "Concordance de : le+  (tri avant)");
    EXPECT_EQ(TitreRapportConcordance(Concordance(groupe)), "Concordance de : le+  (tri ordre du texte)");
}

// Graphies and names that hold "<", ">" or "&" show as written in the page.
TEST(PageConcordance, GraphiesEchappees) {
    DossierTemporaire dossier;
    // A base written by hand: the segmentation makes no form of "<i>" (it would be a key).
    EcritFichier("b.par", "b\n5 5 3 3 3 1 3 5000000 1 0 0 0 0\n");
    EcritFichier("b.dic", " 1 0 <i>\n 1 1 R&D\n 1 2 vu\n 1 3 >\n");
    const std::vector<int32_t> num = {2, 0, 1, CodePonct('>'), CodeSautLigne};
    std::string octets(num.size() * 4, '\0');
    std::memcpy(octets.data(), num.data(), octets.size());
    EcritFichier("b.num", octets);
    charg1 base;
    ASSERT_EQ(base.ChargeBase("b.par"), ChargeReussie);
    const Tgen groupe(&base, {0, 1});
    std::ostringstream page;
    EcritPageConcordance(page, Concordance(groupe), {"<Concordances>", "b&c", "9 & 10"});
    const std::string texte = page.str();
    EXPECT_NE(texte.find("<H3>&lt;Concordances&gt;</H3>"), std::string::npos);
    EXPECT_NE(texte.find("Corpus : b&amp;c</TD>"), std::string::npos);
    EXPECT_NE(texte.find("Date : 9 &amp; 10</TD>"), std::string::npos);
    EXPECT_NE(texte.find("Concordance de : &lt;i&gt;+<br>"), std::string::npos);
    EXPECT_NE(texte.find("        vu&nbsp;<b>&lt;i&gt;</b>&nbsp;R&amp;D &gt; \n"), std::string::npos);
    EXPECT_NE(texte.find("    vu &lt;i&gt;&nbsp;<b>R&amp;D</b>&nbsp;&gt; \n"), std::string::npos);
}

// Names are never given twice in a process, and a file already in the folder is passed over.
TEST(PageConcordance, NomsDesPagesJamaisRepris) {
    DossierTemporaire dossier;
    const std::string premier = NomPageConcordance(dossier.Chemin().string());
    const std::string second = NomPageConcordance("");
    EXPECT_NE(premier, second);
    const int n = std::stoi(premier.substr(4));
    EXPECT_EQ(premier, "conc" + std::to_string(n) + ".html");
    EXPECT_EQ(second, "conc" + std::to_string(n + 1) + ".html");
    EcritFichier(dossier.Chemin() / ("conc" + std::to_string(n + 2) + ".html"), "une autre page");
    EXPECT_EQ(NomPageConcordance(dossier.Chemin().string()), "conc" + std::to_string(n + 3) + ".html");
}
