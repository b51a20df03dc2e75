// The report pages of the partition windows, byte for byte, on a small base whose key type, part names
// and forms need escaping, with an empty part and a repeated segment attached.
#include "engine/rapport/PagesPartition.h"

#include "AideTests.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/stats/CalcSpecTot.h"
#include "engine/stats/TableFormesParties.h"

#include <gtest/gtest.h>

#include <sstream>

using t3::Partition;

namespace {

// Parts a&b (le chat x > y le chat .), zoé (a&b chien a&b le .) and vide (nothing) of the key type
// "auteur/&". Forms: le 0, a&b 1, chat 2, chien 3, x 4, y 5.
class PagesPartition : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(t3test::SegmenteDans(m_dossier.Chemin(), "<auteur/&=a&b>\nle chat x>y le chat .\n"
                                                             "<auteur/&=zo\xe9>\na&b chien a&b le .\n"
                                                             "<auteur/&=vide>\n"));
        ASSERT_EQ(m_base.ChargeBase("corpus.par"), t3::ChargeReussie);
        ASSERT_EQ(m_base.Graphie(1), "a&b");
        ASSERT_EQ(m_base.Graphie(8), "auteur/&");
        m_partition = std::make_unique<Partition>(&m_base, 8);
        ASSERT_EQ(m_partition->NbParties(), 3);
    }
    // The segment "le chat", where le is followed by chat.
    t3test::SegmentsDonnes LeChat() const {
        std::vector<int32_t> positions;
        for (const int32_t p : m_base.Occurrences(0))
            if (m_base.Tnum(p + 1) == 2) positions.push_back(p);
        return t3test::SegmentsDonnes({{0, 2}}, {positions});
    }
    t3test::DossierTemporaire m_dossier;
    t3::charg1 m_base;
    std::unique_ptr<Partition> m_partition;
};

const std::string Titre = "Principales caract\xe9ristiques de la partition : auteur/&";
const std::string TitreHtml = "Principales caract\xe9ristiques de la partition : auteur/&amp;";

} // namespace

TEST_F(PagesPartition, NomsDesPages) {
    EXPECT_EQ(t3::NomPagePCLC(*m_partition), "pclcauteur__.html");
    EXPECT_EQ(t3::NomPageTFG(*m_partition), "tfgauteur__.html");
    EXPECT_EQ(t3::NomPageSpecifs(0), "spf0.html");
    EXPECT_EQ(t3::NomPageSpecifs(12), "spf12.html");
    // A key type that would climb out of the report folder.
    ASSERT_TRUE(t3test::SegmenteDans(m_dossier.Chemin() / "haut", "<../x\xe9=1> mot\n"));
    t3::charg1 base;
    ASSERT_EQ(base.ChargeBase("haut/corpus.par"), t3::ChargeReussie);
    const Partition haut(&base, base.Nbform() + base.Nbartponct());
    ASSERT_EQ(base.Graphie(haut.CleType()), "../x\xe9");
    EXPECT_EQ(t3::NomPagePCLC(haut), "pclc.._x_.html");
}

// Every part, in entry order of its name, the one out of the reference corpus too; the empty part has no
// most frequent form.
TEST_F(PagesPartition, PageDesCaracteristiques) {
    m_partition->SetReference(2, false);
    std::ostringstream page;
    t3::EcritPagePCLC(page, *m_partition, Titre);
    EXPECT_EQ(page.str(),
              "<html>\n<head><title>" + TitreHtml + "</title></head>\n<body bgcolor=#ffffff>\n" + TitreHtml +
                  "<br>\n<table border=1><font size=-2>\n"
                  "<tr><td>Partie<td>Nb occurrences<td>Nb formes<td>Nb hapax<td>Fr\xe9q. Max<td>Forme"
                  "\n<tr><td>a&amp;b<td align=\"right\">6<td align=\"right\">4<td align=\"right\">2"
                  "<td align=\"right\">2<td>le"
                  "\n<tr><td>vide<td align=\"right\">0<td align=\"right\">0<td align=\"right\">0"
                  "<td align=\"right\">0<td>"
                  "\n<tr><td>zo\xe9<td align=\"right\">4<td align=\"right\">3<td align=\"right\">2"
                  "<td align=\"right\">2<td>a&amp;b"
                  "</font></table>\n</body>\n</html>");
}

// The rows in the order given, a pair of cells per reference part: "+" before an excess, "&nbsp;" where
// nothing is specific; "Formes/SR" and the segment's words once a segment is attached.
TEST_F(PagesPartition, PageDuTableau) {
    const std::string debut =
        "<html>\n<head><title>" + TitreHtml +
        " : Tableau des sp&eacute;cificit&eacute;s</title></head>\n<body bgcolor=#ffffff>\n" + TitreHtml +
        " : Tableau des sp&eacute;cificit&eacute;s<br>\n<table border=1><font size=-2>\n";
    const std::string fin = "</font></table>\n</body>\n</html>";
    m_partition->SetSeuil(60);
    m_partition->SetFreqMin(1);
    {
        // vide out of the reference corpus: two columns.
        m_partition->SetReference(1, false);
        const t3::CalcSpecTot tot(m_partition.get(), nullptr, nullptr);
        const t3::TableFormesParties table(tot);
        std::ostringstream page;
        t3::EcritPageTFG(page, table, {1, 4, 0}, Titre);
        EXPECT_EQ(page.str(),
                  debut +
                      "<tr><td>Formes<td colspan=2>a&amp;b<td colspan=2>zo\xe9"
                      "\n<tr><td>a&amp;b<td align=\"right\">0<td align=\"right\">-1<td align=\"right\">2"
                      "<td align=\"right\">+1"
                      "\n<tr><td>x<td align=\"right\">1<td align=\"right\">&nbsp;<td align=\"right\">0"
                      "<td align=\"right\">-1"
                      "\n<tr><td>le<td align=\"right\">2<td align=\"right\">&nbsp;<td align=\"right\">1"
                      "<td align=\"right\">&nbsp;" +
                      fin);
        std::ostringstream vide;
        t3::EcritPageTFG(vide, table, {}, Titre);
        EXPECT_EQ(vide.str(), debut + "<tr><td>Formes<td colspan=2>a&amp;b<td colspan=2>zo\xe9" + fin);
    }
    m_partition->SetReference(1, true);
    const auto segments = LeChat();
    m_base.AssigneSR(&segments);
    const t3::CalcSpecTot tot(m_partition.get(), nullptr, nullptr);
    const t3::TableFormesParties table(tot);
    std::ostringstream page;
    t3::EcritPageTFG(page, table, {m_base.Nbart() + 1, 2}, Titre);
    EXPECT_EQ(page.str(),
              debut +
                  "<tr><td>Formes/SR<td colspan=2>a&amp;b<td colspan=2>vide<td colspan=2>zo\xe9"
                  "\n<tr><td>le chat <td align=\"right\">2<td align=\"right\">+1<td align=\"right\">0"
                  "<td align=\"right\">&nbsp;<td align=\"right\">0<td align=\"right\">-1"
                  "\n<tr><td>chat<td align=\"right\">2<td align=\"right\">+1<td align=\"right\">0"
                  "<td align=\"right\">&nbsp;<td align=\"right\">0<td align=\"right\">-1" +
                  fin);
    m_base.AssigneSR(nullptr);
}

// The records in the order given, whatever their coefficients; the partition's cell only for a list of
// a partition; every text escaped.
TEST_F(PagesPartition, PageDUneListe) {
    const auto segments = LeChat();
    m_base.AssigneSR(&segments);
    t3::EnteteSpecifs entete{"Sp\xe9"
                             "cifs - Part : auteur/&",
                             "cor<p>us",
                             "mercredi 9 d\xe9"
                             "cembre 2026 - 15:04",
                             m_partition.get(),
                             "Parties s\xe9lectionn\xe9"
                             "es : a&b, zo\xe9, "};
    const std::vector<t3::EnregSpec> records = {{m_base.Nbart() + 1, 2, 2, 3}, {1, 2, 2, 1}, {0, 3, 1, -1}};
    const std::string titre = "Sp\xe9"
                              "cifs - Part : auteur/&amp;";
    const std::string tete = "<html>\n<head><title>" + titre +
                             "</title></head>\n<body bgcolor=#ffffff>\n"
                             "<TABLE WIDTH=100% ALIGN=CENTER BORDER=1><TD>Corpus : cor&lt;p&gt;us</TD>\n"
                             "<TD>Date : mercredi 9 d\xe9"
                             "cembre 2026 - 15:04</TD>\n";
    const std::string suite = "</TABLE>" + titre +
                              "<br>\nParties s\xe9lectionn\xe9"
                              "es : a&amp;b, zo\xe9, <br>\n<table border=1><font size=-2>\n"
                              "<tr><td>Forme<td>Frq. Tot.<td>Fr\xe9quence<td>Coeff.";
    const std::string lignes = "<tr><td>le chat <td align=right>2<td align=right>2<td align=right>3\n"
                               "<tr><td>a&amp;b<td align=right>2<td align=right>2<td align=right>1\n"
                               "<tr><td>le<td align=right>3<td align=right>1<td align=right>-1\n"
                               "</font></table>\n</body>\n</html>";
    std::ostringstream page;
    t3::EcritPageSpecifs(page, m_base, records, entete);
    EXPECT_EQ(page.str(), tete + "<TD>Partition = auteur/&amp;</TD>\n" + suite + lignes);

    // The list of a section map: no partition.
    entete.partition = nullptr;
    std::ostringstream sections;
    t3::EcritPageSpecifs(sections, m_base, records, entete);
    EXPECT_EQ(sections.str(), tete + suite + lignes);
    std::ostringstream vide;
    t3::EcritPageSpecifs(vide, m_base, {}, entete);
    EXPECT_EQ(vide.str(), tete + suite + "</font></table>\n</body>\n</html>");
    m_base.AssigneSR(nullptr);
}
