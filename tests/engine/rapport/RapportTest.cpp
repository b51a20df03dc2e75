// The analysis report: the index page and its head, the copies under "contenu/", the framing pages of
// the pictures, the titles and order given by the tree, the saved flag, what could not be published,
// and the report folder's life.
#include "corpus/AideCorpus.h"

#include "engine/rapport/Rapport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

using namespace t3;
using namespace t3test;
namespace fs = std::filesystem;

namespace {

const char* const Decors[] = {"paper.gif", "bulle.gif", "cube.gif", "grille.gif"};

// A folder "images" holding the four decorations, each with its own bytes.
std::string DossierDecors() {
    fs::create_directory("images");
    for (const char* nom : Decors)
        EcritFichier(fs::path("images") / nom, std::string("GIF89a ") + nom);
    return (fs::current_path() / "images").string();
}

std::string Joint(const std::vector<std::string>& lignes) {
    std::string texte;
    for (size_t i = 0; i < lignes.size(); ++i)
        texte += (i ? "\r\n" : "") + lignes[i];
    return texte;
}

std::vector<std::string> Entete(const std::string& occ, const std::string& formes, const std::string& fmax,
                                const std::string& hapax) {
    return {
        "<HTML><HEAD><TITLE>Rapport </TITLE></HEAD>",
        "<BODY BACKGROUND=\"contenu\\paper.gif\">",
        "<table width=\"100%\" border=\"1\" cellpadding=\"5\" background=\"contenu\\grille.gif\"><tr> <td "
        "colspan=\"2\"><img src=\"contenu\\cube.gif\">&nbsp;&nbsp; Rapport d'analyse <br></table><br>",
        "<table width=\"100%\" border=\"1\" cellpadding=\"5\" background=\"contenu\\grille.gif\"><tr> <td "
        "colspan=\"2\"><img src=\"contenu\\bulle.gif\">Principales carat\xE9ristiques lexicom\xE9triques",
        "<tr><td><img src=\"contenu\\bulle.gif\">Nombre des occurrences <td align=right>" + occ,
        "<tr><td><img src=\"contenu\\bulle.gif\">Nombre des formes<td align=right>" + formes,
        "<tr><td><img src=\"contenu\\bulle.gif\">Fr\xE9quence maximale<td align=right>" + fmax,
        "<tr><td><img src=\"contenu\\bulle.gif\">Nombre des hapax<td align=right>" + hapax,
        "</table><br><br>",
    };
}

// Writes an entry file into the report folder, then records it.
int32_t AjouteFichier(Rapport& rapport, const std::string& titre, const std::string& fichier,
                      const std::string& contenu, const std::string& commentaire = " ") {
    EcritFichier(rapport.DossierRapport() + fichier, contenu);
    return rapport.Ajoute(titre, fichier, commentaire);
}

} // namespace

TEST(Rapport, PublicationSansEntree) {
    DossierTemporaire dossier;
    SegmenteBase("le chat voit le chien\nle chat\n");
    charg1 base;
    ASSERT_EQ(base.ChargeBase("corpus.par"), ChargeReussie);
    const std::string images = DossierDecors();

    Rapport rapport(&base, dossier.Chemin().string());
    ASSERT_TRUE(rapport.Valide());
    const fs::path dossierRapport(rapport.DossierRapport());
    EXPECT_EQ(rapport.DossierRapport().back(), '/');
    EXPECT_EQ(dossierRapport.parent_path().parent_path(), dossier.Chemin());
    EXPECT_EQ(dossierRapport.parent_path().filename().string().substr(0, 5), "tes3-");
    EXPECT_TRUE(fs::is_directory(dossierRapport));
    EXPECT_TRUE(rapport.Sauve());

    // The publication folder and its "contenu/" are made; the index is the head and an empty list.
    const auto publie = rapport.Enregistre("pub/RAPPORT", {}, images);
    ASSERT_TRUE(publie);
    EXPECT_TRUE(publie->empty());
    std::vector<std::string> lignes = Entete("7", "4", "3", "2");
    for (const char* fin : {"<OL>", "</OL>", "</BODY></HTML>"})
        lignes.push_back(fin);
    EXPECT_EQ(LitFichier("pub/RAPPORT/index.htm"), Joint(lignes));
    for (const char* nom : Decors)
        EXPECT_EQ(LitFichier(fs::path("pub/RAPPORT/contenu") / nom), std::string("GIF89a ") + nom);
    // Nothing else is left in the publication folder (no temporary index).
    EXPECT_EQ(std::distance(fs::directory_iterator("pub/RAPPORT"), fs::directory_iterator()), 2);

    // Without a base the head shows zero counts.
    const Rapport sansBase(nullptr, dossier.Chemin().string());
    std::vector<std::string> entete{"avant"};
    sansBase.EcritEntete(entete);
    std::vector<std::string> attendu = Entete("0", "0", "0", "0");
    attendu.insert(attendu.begin(), "avant");
    EXPECT_EQ(entete, attendu);
}

TEST(Rapport, EntreesImagesEtTitresDeLArbre) {
    DossierTemporaire dossier;
    const std::string images = DossierDecors();
    Rapport rapport(nullptr, dossier.Chemin().string());
    ASSERT_TRUE(rapport.Valide());

    const std::string commentaire = "<h3>Graphe</h3>\n<table><tr><td>corpus</td></tr></table>";
    EXPECT_EQ(AjouteFichier(rapport, "Segments r\xE9p\xE9t\xE9s", "sr.html", "<p>segments</p>"), 0);
    EXPECT_EQ(AjouteFichier(rapport, "Graphe", "img-graphe-Auteur3.jpg", "JPEG 1", commentaire), 1);
    EXPECT_EQ(AjouteFichier(rapport, "Photo", "photo.JPG", "JPEG 2"), 2);
    EXPECT_EQ(AjouteFichier(rapport, "Double", "a.jpg.b.jpg", "JPEG 3"), 3);
    EXPECT_EQ(rapport.Entrees(),
              (std::vector<std::string>{"sr.html", "img-graphe-Auteur3.jpg", "photo.JPG", "a.jpg.b.jpg"}));
    EXPECT_EQ(rapport.Commentaires()[1], commentaire);

    // The tree moved the picture first, edited two titles and shows the page twice.
    const std::vector<Rapport::Item> arbre = {
        {1, "Graphe <auteur> & co"}, {0, "Segments"}, {2, "Photo"}, {3, "Double"}, {0, "Encore"}};
    const auto publie = rapport.Enregistre(dossier.Chemin().string() + "/pub", arbre, images);
    ASSERT_TRUE(publie);
    EXPECT_TRUE(publie->empty());

    const std::string index = LitFichier("pub/index.htm");
    EXPECT_NE(
        index.find("\r\n<OL>\r\n"
                   "<LI><A HREF=\"contenu\\img-graphe-Auteur3.html\">Graphe &lt;auteur&gt; &amp; co</A>\r\n"
                   "<LI><A HREF=\"contenu\\sr.html\">Segments</A>\r\n"
                   "<LI><A HREF=\"contenu\\photo.JPG\">Photo</A>\r\n"
                   "<LI><A HREF=\"contenu\\a.html\">Double</A>\r\n"
                   "<LI><A HREF=\"contenu\\sr.html\">Encore</A>\r\n"
                   "</OL>\r\n</BODY></HTML>"),
        std::string::npos)
        << index;
    EXPECT_EQ(index.substr(index.size() - 14), "</BODY></HTML>");

    // The copies, and the framing pages of the lower-case ".jpg" names only, cut at the first ".jpg".
    EXPECT_EQ(LitFichier("pub/contenu/sr.html"), "<p>segments</p>");
    EXPECT_EQ(LitFichier("pub/contenu/img-graphe-Auteur3.jpg"), "JPEG 1");
    EXPECT_EQ(LitFichier("pub/contenu/photo.JPG"), "JPEG 2");
    EXPECT_EQ(LitFichier("pub/contenu/a.jpg.b.jpg"), "JPEG 3");
    EXPECT_EQ(LitFichier("pub/contenu/img-graphe-Auteur3.html"),
              "<html>\r\n<head><title>Image</title></head>\r\n<body bgcolor=#ffffff>\r\n"
              "<h3>Graphe</h3>\r\n<table><tr><td>corpus</td></tr></table><br>\r\n"
              "<img src=\"img-graphe-Auteur3.jpg\">\r\n</body>\r\n</html>");
    EXPECT_EQ(LitFichier("pub/contenu/a.html"),
              "<html>\r\n<head><title>Image</title></head>\r\n"
              "<body bgcolor=#ffffff>\r\n <br>\r\n<img src=\"a.jpg.b.jpg\">\r\n"
              "</body>\r\n</html>");
    EXPECT_FALSE(fs::exists("pub/contenu/photo.html"));
    EXPECT_FALSE(fs::exists("pub/contenu/a.jpg.html"));

    // A file name used again: both entries link to the last content; publishing again replaces the copies.
    EcritFichier(rapport.DossierRapport() + "sr.html", "<p>nouveau</p>");
    EXPECT_EQ(rapport.Ajoute("Autre", "sr.html", " "), 4);
    ASSERT_TRUE(
        rapport.Enregistre(dossier.Chemin().string() + "/pub/", {{4, "Autre"}, {0, "Segments"}}, images));
    EXPECT_EQ(LitFichier("pub/contenu/sr.html"), "<p>nouveau</p>");
    EXPECT_NE(
        LitFichier("pub/index.htm")
            .find("<OL>\r\n<LI><A HREF=\"contenu\\sr.html\">Autre</A>\r\n<LI><A HREF=\"contenu\\sr.html\">"
                  "Segments</A>\r\n</OL>"),
        std::string::npos);
}

TEST(Rapport, DrapeauSauveEtPublicationManquee) {
    DossierTemporaire dossier;
    const std::string images = DossierDecors();
    Rapport rapport(nullptr, dossier.Chemin().string());
    EXPECT_TRUE(rapport.Sauve());
    AjouteFichier(rapport, "Page", "p.html", "p");
    EXPECT_FALSE(rapport.Sauve());
    ASSERT_TRUE(rapport.Enregistre("pub", {{0, "Page"}}, images));
    EXPECT_TRUE(rapport.Sauve());
    AjouteFichier(rapport, "Page 2", "q.html", "q");
    EXPECT_FALSE(rapport.Sauve());

    // A publication folder that cannot exist (a file lies on its path): nothing is published, every
    // file is named, and the report stays unsaved.
    EcritFichier("fichier", "x");
    const auto manquee = rapport.Enregistre("fichier/pub", {{0, "Page"}, {1, "Page 2"}}, images);
    EXPECT_FALSE(manquee);
    EXPECT_FALSE(rapport.Sauve());
    std::vector<std::string> manques;
    std::istringstream lignes(manquee.Message());
    for (std::string ligne; std::getline(lignes, ligne);)
        manques.push_back(ligne);
    ASSERT_EQ(manques.size(), 8u);
    EXPECT_NE(manques[0].find("fichier/pub/contenu/"), std::string::npos) << manques[0];
    EXPECT_NE(manques[5].find("p.html"), std::string::npos) << manques[5];
    EXPECT_NE(manques[6].find("q.html"), std::string::npos) << manques[6];
    EXPECT_NE(manques[7].find("fichier/pub/index.htm"), std::string::npos) << manques[7];
}

TEST(Rapport, FichiersManquantsNommes) {
    DossierTemporaire dossier;
    Rapport rapport(nullptr, dossier.Chemin().string());
    AjouteFichier(rapport, "Page", "p.html", "p");
    rapport.Ajoute("Jamais \xE9"
                   "crite",
                   "absente.jpg", " ");

    // No decoration folder and one entry file never written: each named once, the rest still published.
    const auto publie =
        rapport.Enregistre("pub", {{0, "Page"}, {1, "Image"}, {7, "Hors liste"}}, "sans-images");
    ASSERT_TRUE(publie);
    const std::vector<std::string>& manques = *publie;
    ASSERT_EQ(manques.size(), 5u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(manques[i].find("Impossible de copier "), 0u) << manques[i];
        EXPECT_NE(manques[i].find("sans-images/" + std::string(Decors[i])), std::string::npos) << manques[i];
    }
    EXPECT_NE(manques[4].find(rapport.DossierRapport() + "absente.jpg"), std::string::npos) << manques[4];
    const std::string index = LitFichier("pub/index.htm");
    EXPECT_NE(index.find("<OL>\r\n<LI><A HREF=\"contenu\\p.html\">Page</A>\r\n"
                         "<LI><A HREF=\"contenu\\absente.html\">Image</A>\r\n</OL>"),
              std::string::npos)
        << index;
    EXPECT_EQ(LitFichier("pub/contenu/p.html"), "p");
    // The framing page of the missing picture is written all the same.
    EXPECT_TRUE(fs::exists("pub/contenu/absente.html"));
    EXPECT_TRUE(rapport.Sauve());
}

TEST(Rapport, DossierDuRapportSupprime) {
    DossierTemporaire dossier;
    std::string chemin;
    {
        Rapport rapport(nullptr, dossier.Chemin().string() + "/");
        ASSERT_TRUE(rapport.Valide());
        chemin = rapport.DossierRapport();
        AjouteFichier(rapport, "Un", "un.html", "1");
        AjouteFichier(rapport, "Deux", "img-deux.jpg", "2");
        EcritFichier(chemin + ".cache", "non enregistre");
        ASSERT_TRUE(fs::exists(chemin + "un.html"));
    }
    EXPECT_FALSE(fs::exists(chemin));
    EXPECT_TRUE(fs::is_empty(dossier.Chemin()));

    // Two reports side by side get two folders; one that cannot be made leaves the report unusable.
    const Rapport a(nullptr, dossier.Chemin().string()), b(nullptr, dossier.Chemin().string());
    EXPECT_NE(a.DossierRapport(), b.DossierRapport());
    const Rapport perdu(nullptr, (dossier.Chemin() / "absent").string());
    EXPECT_FALSE(perdu.Valide());
    EXPECT_EQ(perdu.DossierRapport(), "");
}

// A report never replaces what another report published: the earlier index and contents move into a
// dated folder under "precedents/", whole; the same report publishing again replaces its own.
TEST(Rapport, LaPublicationDUnAutreRapportEstMiseDeCote) {
    DossierTemporaire dossier;
    const std::string images = DossierDecors();
    Rapport premier(nullptr, dossier.Chemin().string());
    AjouteFichier(premier, "Page", "conc1.html", "du premier");
    ASSERT_TRUE(premier.Enregistre("RAPPORT", {{0, "Page"}}, images));
    EXPECT_TRUE(premier.PublicationDeplacee().empty());
    const std::string index = LitFichier("RAPPORT/index.htm");
    EcritFichier("RAPPORT/manifeste.txt", "du premier");

    Rapport second(nullptr, dossier.Chemin().string());
    AjouteFichier(second, "Autre", "conc1.html", "du second");
    ASSERT_TRUE(second.Enregistre("RAPPORT", {{0, "Autre"}}, images));
    const fs::path mis(second.PublicationDeplacee());
    ASSERT_EQ(mis.parent_path().parent_path(), fs::path("RAPPORT/precedents"));
    EXPECT_EQ(LitFichier(mis / "index.htm"), index);
    EXPECT_EQ(LitFichier(mis / "contenu/conc1.html"), "du premier");
    EXPECT_EQ(LitFichier(mis / "manifeste.txt"), "du premier");
    EXPECT_EQ(LitFichier("RAPPORT/contenu/conc1.html"), "du second");

    const auto encore = second.Enregistre("RAPPORT", {{0, "Autre"}}, images);
    ASSERT_TRUE(encore);
    EXPECT_TRUE(second.PublicationDeplacee().empty());
    EXPECT_EQ(std::distance(fs::directory_iterator("RAPPORT/precedents"), fs::directory_iterator()), 1);
    EXPECT_TRUE(encore->empty());
}
