// The text page of the text view: exact bytes of small pages, keys, line breaks, the highlighted group
// and its colour, escaping, and the unique page file.
#include "corpus/AideCorpus.h"

#include "engine/rapport/PageTexte.h"
#include "engine/socle/Html.h"
#include "engine/stats/Tgen.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace t3;
using namespace t3test;

namespace {

const std::string Tete(const std::string& couleur) {
    return "<html><head><title>TEXTE</title><style type=\"text/css\">\n.tgenstyle {font-weight: "
           "bold;\ncolor: " +
           couleur +
           ";}\n.partie {background-color: #ffff00;\nfont-weight: bold;\ncolor: #0000ff;}\n"
           "</style></head><body>\n";
}
const std::string Fin = "</body></html>\n";

// Segments texte in the current folder and loads it.
void Charge(charg1& base, const std::string& texte) {
    SegmenteBase(texte);
    ASSERT_EQ(base.ChargeBase("corpus.par"), ChargeReussie);
}

// The page of the base with that group, read back.
std::string Page(const charg1& base, const Tgen* groupe) {
    EXPECT_TRUE(EcritPageTexte(base, groupe, "page"));
    return LitFichier("page");
}

size_t Compte(const std::string& texte, const std::string& motif) {
    size_t n = 0;
    for (size_t p = texte.find(motif); p != std::string::npos; p = texte.find(motif, p + 1))
        ++n;
    return n;
}

} // namespace

TEST(PageTexte, LignesClesEtPonctuationSansGroupe) {
    DossierTemporaire dossier;
    charg1 base;
    Charge(base, "le chat\n<auteur=Hugo> voit\n\nle chien.\n");
    // Every item in its place, each form after one blank, each line of the text (blank ones too) ended by
    // a break, the key's content shown once in the key's span.
    EXPECT_EQ(Page(base, nullptr), Tete("#ff0000") +
                                       " le chat<br />\n"
                                       "<span class=\"partie\">&lt;auteur=Hugo&gt;</span> voit<br />\n"
                                       "<br />\n"
                                       " le chien .<br />\n" +
                                       Fin);

    Charge(base, "un\ndeux\ntrois\n");
    const std::string page = Page(base, nullptr);
    EXPECT_EQ(Compte(page, "<br />"), 3u);
    EXPECT_EQ(Compte(page, "tgenstyle"), 1u); // the style only

    // Rewriting replaces the whole content of the file.
    EcritFichier("page", std::string(100000, 'x'));
    EXPECT_EQ(Page(base, nullptr), Tete("#ff0000") + " un<br />\n deux<br />\n trois<br />\n" + Fin);
}

TEST(PageTexte, GroupeSurligneEtSaCouleur) {
    DossierTemporaire dossier;
    charg1 base;
    Charge(base, "le chat voit le chien\n<titre=fin> le chat dort le\n");
    const int32_t le = base.LocFormDic("le"), chat = base.LocFormDic("chat");
    ASSERT_GE(le, 0);
    ASSERT_GE(chat, 0);

    // Several entries: every occurrence highlighted, from the first position of the text to the last form.
    Tgen groupe(&base, std::vector<int32_t>{chat, le});
    groupe.SetCouleur(CouleurRGB(0, 0, 255));
    const std::string marque = "<span class=\"tgenstyle\"> ";
    EXPECT_EQ(Page(base, &groupe),
              Tete("#0000ff") + marque + "le</span>" + marque + "chat</span> voit" + marque +
                  "le</span> chien<br />\n<span class=\"partie\">&lt;titre=fin&gt;</span>" + marque +
                  "le</span>" + marque + "chat</span> dort" + marque + "le</span><br />\n" + Fin);

    // The colour bytes in the order red, green, blue, two lower-case digits each.
    groupe.SetCouleur(CouleurRGB(0xAB, 0x0C, 0xFE));
    EXPECT_NE(Page(base, &groupe).find("color: #ab0cfe;}"), std::string::npos);
}

TEST(PageTexte, CaracteresHtmlEchappes) {
    EXPECT_EQ(EchappeHtml("a&b<c>d\"e'f \xE9t\xE9 &amp;"), "a&amp;b&lt;c&gt;d\"e'f \xE9t\xE9 &amp;amp;");
    EXPECT_EQ(EchappeHtml(""), "");

    DossierTemporaire dossier;
    charg1 base;
    // A ">" outside a key stands apart from the forms around it.
    Charge(base, "R&D a>b \xE9t\xE9\n<soci\xE9t\xE9=A&B> fin\n");
    const int32_t rd = base.LocFormDic("R&D");
    ASSERT_GE(rd, 0);
    Tgen groupe(&base, std::vector<int32_t>{rd});
    groupe.SetCouleur(CouleurRGB(255, 0, 0));
    EXPECT_EQ(Page(base, &groupe),
              Tete("#ff0000") +
                  "<span class=\"tgenstyle\"> R&amp;D</span> a &gt; b \xE9t\xE9<br />\n"
                  "<span class=\"partie\">&lt;soci\xE9t\xE9=A&amp;B&gt;</span> fin<br />\n" +
                  Fin);
}

TEST(PageTexte, TypeDeCleEnFinDeTexte) {
    DossierTemporaire dossier;
    charg1 base;
    Charge(base, "<x=y> mot\n");
    // The key type put on the last position: its content would lie beyond the text.
    const int32_t dernier = base.Nbitem() - 1;
    base.SetTnum(dernier, base.Tnum(0));
    EXPECT_EQ(Page(base, nullptr), Tete("#ff0000") + "<span class=\"partie\">&lt;x=y&gt;</span> mot" +
                                       "<span class=\"partie\">&lt;x=&gt;</span>" + Fin);
}

TEST(PageTexte, FichierDeLaPage) {
    DossierTemporaire dossier;
    const FichierTemporaire pageUn = CreePageTexte(dossier.Chemin().string());
    const FichierTemporaire pageDeux = CreePageTexte(dossier.Chemin().string() + "/");
    const std::string& un = pageUn.Chemin();
    const std::string& deux = pageDeux.Chemin();
    ASSERT_FALSE(un.empty());
    ASSERT_FALSE(deux.empty());
    EXPECT_NE(un, deux);
    for (const std::string& chemin : {un, deux}) {
        const std::filesystem::path p(chemin);
        EXPECT_EQ(p.parent_path(), dossier.Chemin());
        EXPECT_EQ(p.filename().string().substr(0, 4), "t3th");
        EXPECT_EQ(p.filename().string().size(), 10u);
        EXPECT_FALSE(p.has_extension());
        EXPECT_TRUE(std::filesystem::is_regular_file(p));
        EXPECT_EQ(std::filesystem::file_size(p), 0u);
    }
    EXPECT_EQ(CreePageTexte((dossier.Chemin() / "absent").string()).Chemin(), "");

    // A page that cannot be written.
    charg1 base;
    Charge(base, "mot\n");
    EXPECT_FALSE(EcritPageTexte(base, nullptr, (dossier.Chemin() / "absent" / "page").string()));
}
