#include "engine/segmentation/Fic.h"

#include "AideTests.h"
#include "FabriqueDocuments.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

using namespace t3;
using namespace t3test;
namespace fs = std::filesystem;

TEST(Fic, NomTypeEtTaille) {
    DossierTemporaire dossier;
    EcritFichier("discours 1.txt", "douze octets");
    const Fic texte((dossier.Chemin() / "discours 1.txt").string());
    EXPECT_EQ(texte.Nom(), "discours_1");
    EXPECT_EQ(texte.Chemin(), (dossier.Chemin() / "discours 1.txt").string());
    EXPECT_EQ(texte.Taille(), 12);
    EXPECT_EQ(texte.Occurrences(), -1);
    EXPECT_EQ(texte.Type(), TypeTexte);

    // The name is cut before the last dot; the extension counts whatever its case.
    EXPECT_EQ(Fic("/d/a.b.Doc").Nom(), "a.b");
    EXPECT_EQ(Fic("/d/a.b.Doc").Type(), TypeDocWord);
    EXPECT_EQ(Fic("X.TXT").Type(), TypeTexte);
    EXPECT_EQ(Fic("rapport.DocX").Type(), TypeDocWordXml);
    EXPECT_EQ(Fic("r.odt").Type(), TypeDocOpenDocument);
    EXPECT_EQ(Fic("r.text").Type(), TypeInconnu);
    EXPECT_EQ(Fic("absent.txt").Taille(), 0);
    // No dot in the file's own name: empty name, unknown type, whatever the folder's name holds.
    EXPECT_EQ(Fic("/d.txt/sans_point").Nom(), "");
    EXPECT_EQ(Fic("/d.txt/sans_point").Type(), TypeInconnu);
    EXPECT_EQ(Fic(".odt").Nom(), "");
    EXPECT_EQ(Fic(".odt").Type(), TypeDocOpenDocument);

    // 40 characters at most, counted in characters and not in bytes.
    EXPECT_EQ(Fic(std::string(50, 'n') + ".txt").Nom(), std::string(40, 'n'));
    std::string accents;
    for (int i = 0; i < 45; ++i)
        accents += "é";
    EXPECT_EQ(Fic(accents + " x.doc").Nom(), accents.substr(0, 80));
    EXPECT_EQ(Fic(std::string(39, 'a') + " b.doc").Nom(), std::string(39, 'a') + "_");

    EXPECT_STREQ(LibelleType(TypeInconnu), "Inconnu");
    EXPECT_STREQ(LibelleType(TypeTexte), "Texte");
    EXPECT_STREQ(LibelleType(TypeDocWord), "Doc. Word");
    EXPECT_STREQ(LibelleType(TypeDocWordXml), "Doc. Word");
    EXPECT_STREQ(LibelleType(TypeDocOpenDocument), "Doc. OpenDocument");
    EXPECT_STREQ(LibelleType(7), "Inconnu");
}

TEST(Fic, ListeSansDoublonEtActionDeSauvegarde) {
    std::vector<Fic> fichiers;
    EXPECT_EQ(SauvegardeDe(fichiers), Sauvegarde::Rien);
    EXPECT_TRUE(AjouteFic(fichiers, "/d/a.txt"));
    EXPECT_EQ(SauvegardeDe(fichiers), Sauvegarde::FichierSeul);
    EXPECT_FALSE(AjouteFic(fichiers, "/d/a.txt"));
    EXPECT_EQ(fichiers.size(), 1u);
    EXPECT_EQ(SauvegardeDe({Fic("/d/a.odt")}), Sauvegarde::Assemblage);
    EXPECT_TRUE(AjouteFic(fichiers, "/e/a.txt"));
    EXPECT_EQ(SauvegardeDe(fichiers), Sauvegarde::Assemblage);
}

TEST(Fic, AssembleDeuxTextesOctetPourOctet) {
    DossierTemporaire dossier;
    const std::string a("premier\r\n\xFF suite \xE9t\xE9\0fin", 24);
    EcritFichier("a.txt", a);
    EcritFichier("b c.txt", "second");
    EcritFichier("corpus.txt", "ancien corpus, remplacé");
    const auto assemble = AssembleCorpus({Fic("a.txt"), Fic("b c.txt")}, "clé", "", "corpus.txt");
    ASSERT_TRUE(assemble);
    EXPECT_TRUE(assemble->empty());
    EXPECT_EQ(LitFichier("corpus.txt"), "<cl\xE9=a>\n" + a + "\n<cl\xE9=b_c>\nsecond\n");
    // Nothing is left beside the corpus.
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 3);
}

TEST(Fic, UnTexteEnUtf8RejointLeCorpusEnWindows1252EnDisantCeQuIlPerd) {
    DossierTemporaire dossier;
    const std::string utf8 = "\xEF\xBB\xBFl\xE2\x80\x99\xC3\xA9t\xC3\xA9 \xC5\x93uvre\n\xCE\xB1\n";
    EcritFichier("u.txt", utf8);
    EcritFichier("w.txt", "\xE9t\xE9");
    const auto assemble = AssembleCorpus({Fic("u.txt"), Fic("w.txt")}, "titre", "", "corpus.txt");
    ASSERT_TRUE(assemble);
    EXPECT_EQ(LitFichier("corpus.txt"), "<titre=u>\nl\x92\xE9t\xE9 \x9Cuvre\na\n\n<titre=w>\n\xE9t\xE9\n");
    ASSERT_EQ(assemble->size(), 1u);
    EXPECT_EQ((*assemble)[0], "« u.txt » (UTF-8) : Attention : 1 caractère(s) absent(s) de Windows-1252 "
                              "remplacé(s) (lettres grecques : 1) ; le premier à la ligne 2.");
    EXPECT_EQ(LitFichier("u.txt"), utf8);
}

TEST(Fic, OptionsDeParagraphesDUnDocument) {
    DossierTemporaire dossier;
    EcritDocx("trois.docx",
              "<w:p><w:r><w:t>Un été</w:t></w:r></w:p><w:p/><w:p><w:r><w:t>Trois</w:t></w:r></w:p>");
    const Fic document("trois.docx");
    const auto ecrit = [&](const std::string& option) {
        std::ostringstream sortie;
        EXPECT_TRUE(document.EcritDans(sortie, option));
        return sortie.str();
    };
    EXPECT_EQ(ecrit(""), "Un \xE9t\xE9\n\nTrois\n");
    EXPECT_EQ(ecrit("¶"), "\xB6\nUn \xE9t\xE9\n\xB6\n\n\xB6\nTrois\n");
    EXPECT_EQ(ecrit("§\n"), "\xA7\nUn \xE9t\xE9\n\xA7\n\n\xA7\nTrois\n");
    EXPECT_EQ(ecrit("<parag="), "<parag=1>\nUn \xE9t\xE9\n<parag=2>\n\n<parag=3>\nTrois\n");

    // The rule of the save button.
    EXPECT_EQ(ParagraphOptionString(false, true, "¶", "parag"), "");
    EXPECT_EQ(ParagraphOptionString(true, true, "¶", "parag"), "¶");
    EXPECT_EQ(ParagraphOptionString(true, false, "¶", "parag"), "<parag=");
}

TEST(Fic, UnDocumentIllisibleDonneUnePartieVideEtLAssemblageContinue) {
    DossierTemporaire dossier;
    EcritFichier("abime.docx", "ceci n'est pas une archive");
    EcritOdt("b c.odt", "<text:p>Lettre ’à’ Œdipe</text:p>");
    EcritFichier("fin.txt", "fin");
    const auto assemble = AssembleCorpus(
        {Fic("abime.docx"), Fic("b c.odt"), Fic("absent.txt"), Fic("fin.txt")}, "titre", "", "corpus.txt");
    ASSERT_TRUE(assemble);
    EXPECT_EQ(LitFichier("corpus.txt"), "<titre=abime>\n\n<titre=b_c>\nLettre \x92\xE0\x92 \x8C"
                                        "dipe\n\n<titre=absent>\n\n<titre=fin>\nfin\n");
    EXPECT_EQ(*assemble, (std::vector<std::string>{"Impossible de lire le document « abime.docx ».",
                                                   "Impossible de lire le fichier « absent.txt »."}));
}

TEST(Fic, LeCorpusNeRemplaceNiUnFichierAssembleNiRienSIlNePeutEtreEcrit) {
    DossierTemporaire dossier;
    EcritFichier("a.txt", "a");
    EcritFichier("b.txt", "b");
    fs::create_symlink("b.txt", "lien.txt");
    const auto remplace = AssembleCorpus({Fic("a.txt"), Fic("b.txt")}, "titre", "", "./b.txt");
    EXPECT_FALSE(remplace);
    EXPECT_FALSE(AssembleCorpus({Fic("a.txt"), Fic("b.txt")}, "titre", "", "lien.txt"));
    EXPECT_EQ(LitFichier("b.txt"), "b");
    EXPECT_EQ(remplace.Message(), "Le corpus ne peut pas remplacer le fichier « b.txt » qu'il rassemble : "
                                  "choisissez un autre nom.");
    EXPECT_EQ(AssembleCorpus({Fic("a.txt")}, "titre", "", "dossier-absent/corpus.txt").Message(),
              "Impossible de créer le corpus « corpus.txt ».");
}
