// The list files of the groups of forms, on their bytes: the line format, round trips of forms and
// segments before and after segments are computed, Windows line ends, and the files that cannot be
// written or read.
#include "AideSegments.h"

#include "engine/explore/CalculSegments.h"
#include "engine/explore/ListeFormes.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace t3;
using namespace t3test;
namespace fs = std::filesystem;

namespace {

// "été b c" three times, "a b" five times: two segments, and punctuation.
constexpr char Texte[] = "x \xE9t\xE9 b c y . z \xE9t\xE9 b c w . v \xE9t\xE9 b c u . t \xE9t\xE9 b s .\n"
                         "a b . a b . a b . a b . a b !\n";

std::shared_ptr<const CalculSegments> Segments(charg1& base) {
    const auto calcul = CalculeSegments(base, JeuDelimiteursSR(base), 2, 3);
    EXPECT_TRUE(calcul) << calcul.Message();
    return calcul ? *calcul : nullptr;
}

// The entry of a segment by its text.
int32_t EntreeSegment(const charg1& base, const CalculSegments& calcul, const std::string& texte) {
    const int32_t k = calcul.ChercheTexte(texte);
    EXPECT_GE(k, 0) << texte;
    return base.Nbart() + 1 + k;
}

} // namespace

// Forms as their graphies, segments as their forms each followed by a blank, one line each ending with
// "\n"; read back, each line comes back as the same entry, segments only while segments are attached.
TEST(ListeFormes, AllerRetourDeFormesEtDeSegments) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, Texte));
    const int32_t ete = base.LocFormDic("\xE9t\xE9"), b = base.LocFormDic("b"), point = base.Nbform();
    ASSERT_GE(ete, 0);
    const std::vector<int32_t> formes{ete, b};
    ASSERT_TRUE(EcritListe("formes.lst", base, formes));
    EXPECT_EQ(LitFichier("formes.lst"), "\xE9t\xE9\nb\n");
    EXPECT_EQ(*LitListe("formes.lst", base), formes);

    const auto calcul = Segments(base);
    ASSERT_TRUE(calcul);
    // Segment entries are not written while no segments are attached.
    const std::vector<int32_t> avecSegment{b, base.Nbart() + 1, ete};
    EXPECT_EQ(TexteListe(base, avecSegment), "b\n\xE9t\xE9\n");
    base.AssigneSR(calcul.get());
    const int32_t eteBC = EntreeSegment(base, *calcul, "\xE9t\xE9 b c "),
                  ab = EntreeSegment(base, *calcul, "a b ");
    // A punctuation entry is written but not found again: only forms and segments are.
    const std::vector<int32_t> melange{eteBC, b, ab, point, ete};
    ASSERT_TRUE(EcritListe("groupe.lst", base, melange));
    const std::string octets = LitFichier("groupe.lst");
    EXPECT_EQ(octets, "\xE9t\xE9 b c \nb\na b \n" + std::string(base.Graphie(point)) + "\n\xE9t\xE9\n");
    const std::vector<int32_t> relus{eteBC, b, ab, ete};
    EXPECT_EQ(*LitListe("groupe.lst", base), relus);

    // Loaded before the segments are computed again, the segment lines are passed over; after the same
    // computation they come back as the same segment entries.
    base.AssigneSR(nullptr);
    EXPECT_EQ(*LitListe("groupe.lst", base), (std::vector<int32_t>{b, ete}));
    const auto encore = Segments(base);
    ASSERT_TRUE(encore);
    base.AssigneSR(encore.get());
    EXPECT_EQ(*LitListe("groupe.lst", base), relus);
    // A form of another base, an empty line and lines that are almost segments are passed over.
    EXPECT_EQ(EntreesDeListe(base, "chien\n\n\xE9t\xE9 b c u\nb c a \n \xE9t\xE9 b c \nb\nb\n"),
              std::vector<int32_t>{b});
}

// Windows line ends, a last line without its line end and a segment line whose last blank an editor
// removed load the same entries as the list as written.
TEST(ListeFormes, FinsDeLigneWindowsEtDerniereLigneSansFin) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, Texte));
    const auto calcul = Segments(base);
    ASSERT_TRUE(calcul);
    base.AssigneSR(calcul.get());
    const int32_t b = base.LocFormDic("b"), ete = base.LocFormDic("\xE9t\xE9");
    const std::vector<int32_t> attendues{EntreeSegment(base, *calcul, "a b "), b, ete};
    EXPECT_EQ(EntreesDeListe(base, "a b \nb\n\xE9t\xE9\n"), attendues);
    EXPECT_EQ(EntreesDeListe(base, "a b \r\nb\r\n\xE9t\xE9\r\n"), attendues);
    EXPECT_EQ(EntreesDeListe(base, "a b \r\nb\r\n\xE9t\xE9"), attendues);
    EXPECT_EQ(EntreesDeListe(base, "a b\r\nb\n\xE9t\xE9\r"), attendues);
    EcritFichier("windows.lst", "a b \r\nb\r\n\xE9t\xE9");
    EXPECT_EQ(*LitListe("windows.lst", base), attendues);
    // A line repeated loads once.
    EXPECT_EQ(EntreesDeListe(base, "b\r\nb\nb"), std::vector<int32_t>{b});
}

// A list that cannot be written leaves the earlier file whole and says so, naming the file; a list
// that cannot be read says so too, and so does a file that is not a list: only a regular file of at
// most TailleMaxListe bytes is read.
TEST(ListeFormes, FichiersQuiNePeuventEtreEcritsOuLus) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, Texte));
    const std::vector<int32_t> entrees{0, 1};

    auto ecrit = EcritListe("absent/liste.lst", base, entrees);
    ASSERT_FALSE(ecrit);
    EXPECT_EQ(ecrit.Code(), ListeNonEcrite);
    EXPECT_NE(ecrit.Message().find("la liste « absent/liste.lst » ne peut être écrite"), std::string::npos)
        << ecrit.Message();
    fs::create_directory("dossier.lst");
    ecrit = EcritListe("dossier.lst", base, entrees);
    EXPECT_FALSE(ecrit);
    EXPECT_TRUE(fs::is_directory("dossier.lst"));

    // Replacing a list: the new one whole, and no temporary file left beside it.
    EcritFichier("liste.lst", "ancienne\n");
    ASSERT_TRUE(EcritListe("liste.lst", base, entrees));
    EXPECT_EQ(LitFichier("liste.lst"), TexteListe(base, entrees));
    size_t fichiers = 0;
    for (const auto& f : fs::directory_iterator("."))
        fichiers += f.path().filename().string().rfind("liste.lst", 0) == 0 ? 1 : 0;
    EXPECT_EQ(fichiers, 1u);
    // A folder that refuses the new file: the earlier list stays as it was.
    if (::geteuid() != 0) {
        fs::create_directory("ferme");
        EcritFichier("ferme/liste.lst", "ancienne\n");
        fs::permissions("ferme", fs::perms::owner_read | fs::perms::owner_exec);
        ecrit = EcritListe("ferme/liste.lst", base, entrees);
        EXPECT_FALSE(ecrit);
        EXPECT_NE(ecrit.Message().find("l'accès est refusé"), std::string::npos) << ecrit.Message();
        fs::permissions("ferme", fs::perms::owner_all);
        EXPECT_EQ(LitFichier("ferme/liste.lst"), "ancienne\n");
    }

    auto lue = LitListe("absente.lst", base);
    ASSERT_FALSE(lue);
    EXPECT_EQ(lue.Code(), ListeNonLue);
    EXPECT_EQ(lue.Message(),
              "la liste « absente.lst » ne peut être lue : le fichier ou son dossier n'existe pas.");
    // A folder, a device, a pipe no one writes to (read at once, not waited for), a file beyond the bound
    // (never read into memory).
    ASSERT_EQ(::mkfifo("tube.lst", 0600), 0);
    // Nor is a pipe replaced by a list written under its name.
    ecrit = EcritListe("tube.lst", base, entrees);
    EXPECT_NE(ecrit.Message().find("ce n'est pas un fichier ordinaire"), std::string::npos)
        << ecrit.Message();
    EXPECT_EQ(fs::status("tube.lst").type(), fs::file_type::fifo);
    EcritFichier("enorme.lst", "");
    fs::resize_file("enorme.lst", TailleMaxListe + 1);
    const std::pair<const char*, const char*> refus[] = {{"dossier.lst", "c'est un dossier"},
                                                         {"/dev/zero", "ce n'est pas un fichier ordinaire"},
                                                         {"tube.lst", "ce n'est pas un fichier ordinaire"},
                                                         {"enorme.lst", "le fichier dépasse 64 Mo"}};
    for (const auto& [chemin, cause] : refus) {
        lue = LitListe(chemin, base);
        ASSERT_FALSE(lue) << chemin;
        EXPECT_EQ(lue.Code(), ListeNonLue);
        EXPECT_EQ(
            lue.Message().rfind(std::string("la liste « ") + chemin + " » ne peut être lue : " + cause, 0),
            0u)
            << lue.Message();
    }
    EcritFichier("vide.lst", "");
    EXPECT_TRUE(LitListe("vide.lst", base)->empty());
}
