// The sorts of the segments list and its report page, on segments found in real bases.
#include "AideSegments.h"

#include "engine/explore/CalculSegments.h"
#include "engine/explore/TriSegments.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>

using namespace t3;
using namespace t3test;

namespace {

// A text of short sentences over a small vocabulary: many segments, sharing beginnings, of every length
// and of many equal frequencies.
std::string TexteAleatoire(uint32_t graine) {
    const char* mots[] = {"le", "chat", "\xE9t\xE9", "Chat", "dort", "la", "nuit", "\xE0", "Paris", "et"};
    std::mt19937 hasard(graine);
    std::string texte;
    for (int phrase = 0; phrase < 400; ++phrase) {
        const int n = 2 + static_cast<int>(hasard() % 9);
        for (int i = 0; i < n; ++i) {
            texte += mots[hasard() % 10];
            texte += ' ';
        }
        texte += ".\n";
    }
    return texte;
}

// The ranks of a segment's forms, to compare two segments as the "Segment" column does.
std::vector<int32_t> Rangs(const charg1& base, const Segment& s) {
    std::vector<int32_t> rangs;
    for (const int32_t forme : s.formes)
        rangs.push_back(base.Lexg(forme));
    return rangs;
}

std::vector<std::string> Textes(const CalculSegments& calcul, const std::vector<int32_t>& lignes) {
    std::vector<std::string> textes;
    for (const int32_t s : lignes)
        textes.push_back(calcul.RetourneGraphie(s) + ":" + std::to_string(calcul.Segments()[s].frequence));
    return textes;
}

} // namespace

// The three orders on a small base, and the same order on every click.
TEST(TriSegments, LesTroisColonnesDansUnMemeSens) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base,
                            "x \xE9t\xE9 b c y . z \xE9t\xE9 b c w . v \xE9t\xE9 b c u . t \xE9t\xE9 b s .\n"
                            "a b . a b . a b . a b . a b .\n"));
    const auto calcul = CalculeSegments(base, JeuDelimiteursSR(base), 2, 3);
    ASSERT_TRUE(calcul) << calcul.Message();
    const CalculSegments& c = **calcul;
    ASSERT_EQ(Textes(c, LignesSegments(c.NbSegments())),
              (Lignes{"a b :5", "\xE9t\xE9 b c :3", "\xE9t\xE9 b :4"}));
    std::vector<int32_t> lignes = LignesSegments(c.NbSegments());
    TrieSegments(lignes, c.Segments(), base, TriSR::Segment);
    EXPECT_EQ(Textes(c, lignes), (Lignes{"a b :5", "\xE9t\xE9 b :4", "\xE9t\xE9 b c :3"}));
    TrieSegments(lignes, c.Segments(), base, TriSR::Frequence);
    EXPECT_EQ(Textes(c, lignes), (Lignes{"a b :5", "\xE9t\xE9 b :4", "\xE9t\xE9 b c :3"}));
    TrieSegments(lignes, c.Segments(), base, TriSR::Frequence); // no reversing
    EXPECT_EQ(Textes(c, lignes), (Lignes{"a b :5", "\xE9t\xE9 b :4", "\xE9t\xE9 b c :3"}));
    TrieSegments(lignes, c.Segments(), base, TriSR::Longueur); // stable: a b stays before été b
    EXPECT_EQ(Textes(c, lignes), (Lignes{"a b :5", "\xE9t\xE9 b :4", "\xE9t\xE9 b c :3"}));
}

// On hundreds of segments: each sort is a stable sort by its key, checked pair by pair against keys
// computed here; by frequency after by segment, equal frequencies come in segment order.
TEST(TriSegments, OrdresStablesSurDesCentainesDeSegments) {
    for (const uint32_t graine : {1u, 2u, 3u}) {
        DossierTemporaire dossier;
        charg1 base;
        ASSERT_TRUE(ChargeTexte(base, TexteAleatoire(graine)));
        const auto calcul = CalculeSegments(base, JeuDelimiteursSR(base), 2, 2);
        ASSERT_TRUE(calcul) << calcul.Message();
        const std::vector<Segment>& segments = (*calcul)->Segments();
        ASSERT_GT(segments.size(), 200u);
        const auto seg = [&segments](int32_t s) -> const Segment& {
            return segments[static_cast<size_t>(s)];
        };

        std::vector<int32_t> lignes = LignesSegments(static_cast<int32_t>(segments.size()));
        TrieSegments(lignes, segments, base, TriSR::Longueur);
        for (size_t i = 1; i < lignes.size(); ++i) {
            const size_t a = seg(lignes[i - 1]).formes.size(), b = seg(lignes[i]).formes.size();
            ASSERT_TRUE(a < b || (a == b && lignes[i - 1] < lignes[i])) << "rows " << i - 1 << ", " << i;
        }
        TrieSegments(lignes, segments, base, TriSR::Segment);
        bool prefixeVu = false;
        for (size_t i = 1; i < lignes.size(); ++i) {
            const std::vector<int32_t> a = Rangs(base, seg(lignes[i - 1])), b = Rangs(base, seg(lignes[i]));
            // std::lexicographical_compare puts a sequence before every longer one it begins.
            ASSERT_FALSE(std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end())) << i;
            ASSERT_NE(a, b) << "two segments of the same forms";
            prefixeVu |= a.size() < b.size() && std::equal(a.begin(), a.end(), b.begin());
        }
        EXPECT_TRUE(prefixeVu) << "no segment followed by a longer one it begins";
        const std::vector<int32_t> parSegment = lignes;
        std::vector<int32_t> rangSegment(segments.size());
        for (size_t r = 0; r < parSegment.size(); ++r)
            rangSegment[static_cast<size_t>(parSegment[r])] = static_cast<int32_t>(r);
        TrieSegments(lignes, segments, base, TriSR::Frequence);
        size_t egales = 0;
        for (size_t i = 1; i < lignes.size(); ++i) {
            const int32_t a = seg(lignes[i - 1]).frequence, b = seg(lignes[i]).frequence;
            ASSERT_GE(a, b) << i;
            if (a == b) {
                ++egales;
                ASSERT_LT(rangSegment[lignes[i - 1]], rangSegment[lignes[i]]) << i;
            }
        }
        EXPECT_GT(egales, 100u);
        std::vector<int32_t> toutes = lignes;
        std::sort(toutes.begin(), toutes.end());
        EXPECT_EQ(toutes, LignesSegments(static_cast<int32_t>(segments.size()))) << "a row lost or repeated";
    }
}

// The page byte for byte: the list order whatever the rows show, graphies and names escaped.
TEST(TriSegments, PageDuRapportOctetPourOctet) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, "R&D x z . R&D x w . R&D x v . b c . b c .\n"));
    const auto calcul = CalculeSegments(base, JeuDelimiteursSR(base), 2, 2);
    ASSERT_TRUE(calcul) << calcul.Message();
    std::ostringstream page;
    EcritPageSR(page, (*calcul)->Segments(), base,
                {std::string(TitreSR), "<a>", "lundi 2 mars 2026 - 10:05"});
    EXPECT_EQ(page.str(), "<html>\n<head><title>Segments r\xE9p\xE9t\xE9s</title></head>\n"
                          "<body bgcolor=#ffffff>\n<TABLE><TD>Corpus :&lt;a&gt;</TD>\n"
                          "<TD>Date :lundi 2 mars 2026 - 10:05</TD>\n"
                          "</TABLE>Segments r\xE9p\xE9t\xE9s<br>\n<table border=1><font size=-2>\n"
                          "<tr><td>Longueur<td>Segment<td>Fr\xE9quence"
                          "<tr><td align=right>2<td>R&amp;D x <td align=right>3\n"
                          "<tr><td align=right>2<td>b c <td align=right>2\n"
                          "</font></table>\n</body>\n</html>");
}
