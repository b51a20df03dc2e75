#include "engine/segmentation/LecteurDocument.h"

#include "AideTests.h"
#include "FabriqueDocuments.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace t3;
using namespace t3test;
using Paragraphes = std::vector<std::string>;

namespace {

Paragraphes Lit(const std::string& chemin, FormatDocument format, std::string* erreur = nullptr) {
    const Resultat<Paragraphes> lus = LitParagraphes(chemin, format);
    if (erreur) *erreur = lus.Message();
    return lus ? *lus : Paragraphes{};
}

// Sets PATH for the life of the object.
class CheminProgrammes {
  public:
    explicit CheminProgrammes(const std::string& path)
        : m_ancien(std::getenv("PATH") ? std::getenv("PATH") : "") {
        ::setenv("PATH", path.c_str(), 1);
    }
    ~CheminProgrammes() { ::setenv("PATH", m_ancien.c_str(), 1); }

  private:
    std::string m_ancien;
};

} // namespace

TEST(LecteurDocument, DocxParagraphesDuCorpsDansLOrdreTableauxComprisSansLeTexteAnnexe) {
    DossierTemporaire dossier;
    EcritDocx("lettre.docx",
              "<w:p><w:pPr><w:tabs><w:tab w:val=\"left\" w:pos=\"720\"/></w:tabs></w:pPr>\n"
              "  <w:r><w:t>L’été</w:t></w:r><w:r><w:tab/><w:t xml:space=\"preserve\"> d’une </w:t></w:r>\n"
              "  <w:r><w:t>œuvre</w:t><w:br/><w:t>suite</w:t></w:r></w:p>\n"
              "<w:p/>\n"
              "<w:tbl><w:tr><w:tc><w:p><w:r><w:t>case 1</w:t></w:r></w:p></w:tc>\n"
              "  <w:tc><w:p><w:r><w:t>case 2</w:t></w:r></w:p></w:tc></w:tr></w:tbl>\n"
              // Deleted text, a field's instruction (its result stays), a text box given twice over.
              "<w:p><w:del><w:r><w:delText>ôté</w:delText></w:r></w:del>"
              "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText> PAGE </w:instrText></w:r>"
              "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r><w:r><w:t>3</w:t></w:r>"
              "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>"
              "<w:r><mc:AlternateContent><mc:Choice Requires=\"wps\"><w:drawing><w:txbxContent><w:p><w:r>"
              "<w:t>boîte</w:t></w:r></w:p></w:txbxContent></w:drawing></mc:Choice><mc:Fallback><w:r>"
              "<w:t>boîte</w:t></w:r></mc:Fallback></mc:AlternateContent></w:r>"
              "<w:r><w:t> fin</w:t></w:r></w:p>\n"
              "<w:sectPr/>");
    EXPECT_EQ(Lit("lettre.docx", FormatDocument::WordXml),
              (Paragraphes{"L’été\t d’une œuvre suite", "", "case 1", "case 2", "3 fin"}));
}

// Line ends written inside the text of a run, as such or as character references: each is a blank, so
// that the paragraph still makes one line of the corpus.
TEST(LecteurDocument, DocxFinsDeLigneDansLeTexteDevenuesDesBlancs) {
    DossierTemporaire dossier;
    EcritDocx("lignes.docx",
              "<w:p><w:r><w:t xml:space=\"preserve\">un\ndeux\r\ntrois\rquatre&#13;cinq&#10;six"
              "</w:t></w:r></w:p>\n<w:p><w:r><w:t>\r</w:t></w:r></w:p>");
    EXPECT_EQ(Lit("lignes.docx", FormatDocument::WordXml),
              (Paragraphes{"un deux trois quatre cinq six", " "}));
}

TEST(LecteurDocument, OdtParagraphesTitresEtEspacesSansNotesNiCadres) {
    DossierTemporaire dossier;
    EcritOdt(
        "texte.odt",
        "<text:h text:outline-level=\"1\">Le  titre\n é</text:h>\n"
        "<text:p>\n   Un<text:s text:c=\"3\"/>deux<text:tab/>trois<text:line-break/>quatre\n"
        "   <text:span>cinq</text:span> <text:a>six</text:a><text:note><text:note-citation>1"
        "</text:note-citation><text:note-body><text:p>note</text:p></text:note-body></text:note>.\n"
        "</text:p>\n"
        "<text:p/><text:p><text:s/>x </text:p>\n"
        "<table:table><table:table-row><table:table-cell><text:p>cellule</text:p></table:table-cell>"
        "</table:table-row></table:table>\n"
        "<text:list><text:list-item><text:p>œuvre ’a’<office:annotation><text:p>avis</text:p>"
        "</office:annotation><draw:frame><draw:text-box><text:p>cadre</text:p></draw:text-box></draw:frame>"
        "</text:p></text:list-item></text:list>");
    EXPECT_EQ(
        Lit("texte.odt", FormatDocument::OpenDocument),
        (Paragraphes{"Le titre é", "Un   deux\ttrois quatre cinq six.", "", " x", "cellule", "œuvre ’a’"}));
}

TEST(LecteurDocument, LeContenuDecideDuFormatEtUnDocumentAbimeNeDonneRien) {
    DossierTemporaire dossier;
    EcritDocx("vrai-docx.doc", "<w:p><w:r><w:t>un</w:t></w:r></w:p>");
    EXPECT_EQ(Lit("vrai-docx.doc", FormatDocument::Word97), Paragraphes{"un"});
    EcritOdt("vrai-odt.docx", "<text:p>deux</text:p>");
    EXPECT_EQ(Lit("vrai-odt.docx", FormatDocument::WordXml), Paragraphes{"deux"});

    std::string erreur;
    EcritFichier("abime.docx", "PK\x03\x04 pas une archive");
    EXPECT_TRUE(Lit("abime.docx", FormatDocument::WordXml, &erreur).empty());
    EXPECT_EQ(erreur, "Impossible de lire le document « abime.docx ».");
    EcritArchive("vide.odt", {{"mimetype", "application/vnd.oasis.opendocument.text"}});
    EXPECT_TRUE(Lit("vide.odt", FormatDocument::OpenDocument, &erreur).empty());
    EXPECT_EQ(erreur, "Impossible de lire le document « vide.odt ».");
    // XML cut short: the paragraphs read before the fault are not given either.
    EcritArchive("coupe.docx",
                 {{"word/document.xml", "<w:document xmlns:w=\"http://schemas.openxmlformats.org/"
                                        "wordprocessingml/2006/main\"><w:body><w:p><w:r><w:t>a"
                                        "</w:t></w:r></w:p><w:p>"}});
    EXPECT_TRUE(Lit((dossier.Chemin() / "coupe.docx").string(), FormatDocument::WordXml, &erreur).empty());
    EXPECT_EQ(erreur, "Impossible de lire le document « coupe.docx ».");
    EXPECT_TRUE(Lit("absent.odt", FormatDocument::OpenDocument, &erreur).empty());
    EXPECT_EQ(erreur, "Impossible de lire le document « absent.odt ».");
}

TEST(LecteurDocument, DocParAntiword) {
    if (!ProgrammeInstalle("antiword")) GTEST_SKIP() << "antiword n'est pas installé";
    DossierTemporaire dossier;
    // A name beginning with "-" is not taken for an option.
    EcritDocWord97("-vieux.doc", u"Premier été.\r\rDeuxième œuvre ’ici’.\rDernier\r");
    EXPECT_EQ(Lit("-vieux.doc", FormatDocument::Word97),
              (Paragraphes{"Premier été.", "", "Deuxième œuvre ’ici’.", "Dernier"}));
    EcritDocWord97("blanc.doc", u"\rSeul\r");
    EXPECT_EQ(Lit("blanc.doc", FormatDocument::Word97), (Paragraphes{"", "Seul"}));

    std::string erreur;
    EcritFichier("texte.doc", "pas un document Word\n");
    EXPECT_TRUE(Lit("texte.doc", FormatDocument::Word97, &erreur).empty());
    EXPECT_EQ(erreur, "Impossible de lire le document « texte.doc ».");
}

TEST(LecteurDocument, DocSansAntiword) {
    DossierTemporaire dossier;
    EcritDocWord97("vieux.doc", u"Texte\r");
    std::string erreur;
    {
        const CheminProgrammes sansProgrammes((dossier.Chemin() / "rien").string());
        EXPECT_TRUE(Lit((dossier.Chemin() / "vieux.doc").string(), FormatDocument::Word97, &erreur).empty());
    }
    EXPECT_EQ(erreur, "antiword n'est pas installé : le document « vieux.doc » ne peut pas être lu.");
}
