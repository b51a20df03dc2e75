// The detection of a corpus text's encoding and the transcoding of UTF-8 to Windows-1252.
#include "AideTests.h"

#include "engine/segmentation/Encodage.h"
#include "engine/segmentation/TexteCorpus.h"
#include "engine/segmentation/TranscodeurUtf8.h"
#include "engine/socle/TaillesTampons.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace t3;
using t3test::DossierTemporaire;
using t3test::EcritFichier;
using t3test::LitFichier;
namespace fs = std::filesystem;

namespace {

// The verdict of a detector given the text one byte at a time after its first three, each cut sequence
// given again.
Encodage DetecteOctetParOctet(std::string_view texte) {
    DetecteurUtf8 detecteur;
    const size_t tete = std::min<size_t>(3, texte.size());
    std::string attente(texte.substr(0, tete));
    if (tete == texte.size()) detecteur.Avance(attente, true);
    for (size_t i = tete; i < texte.size(); ++i) {
        attente += texte[i];
        const bool fin = i + 1 == texte.size();
        attente.erase(0, detecteur.Avance(attente, fin));
    }
    return detecteur.Verdict();
}

RapportRemplacements Rapport(std::string_view texte, std::string* sortie = nullptr) {
    RapportRemplacements rapport;
    const std::string converti = TranscodeUtf8(texte, &rapport);
    if (sortie) *sortie = converti;
    return rapport;
}

int64_t Sorte(const RapportRemplacements& r, SorteRemplacement s) {
    return r.parSorte[static_cast<size_t>(s)];
}

} // namespace

TEST(Encodage, ReconnaitLUtf8ParSaMarqueOuSesSequencesValides) {
    const struct {
        const char* texte;
        Encodage attendu;
    } cas[] = {
        {"\xEF\xBB\xBFLe chat.", Encodage::Utf8},          // byte-order mark, ASCII after it
        {"\xEF\xBB\xBF", Encodage::Utf8},                  // the mark alone
        {"Le gar\xC3\xA7on \xE2\x80\x99", Encodage::Utf8}, // valid multi-byte sequences
        {"\xF0\x9F\x98\x80", Encodage::Utf8},              // four bytes
        {"Le chat.", Encodage::Cp1252},                    // pure ASCII: either reading gives the same
        {"", Encodage::Cp1252},
        {"Le gar\xE7on", Encodage::Cp1252},                   // Windows-1252
        {"gar\xC3\xA7on puis caf\xE9", Encodage::Utf8},       // valid, then one stray byte
        {"gar\xC3\xA7on gar\xC3", Encodage::Utf8},            // the last character cut short
        {"gar\xC3\xA7on caf\xE9 \xE0 toi", Encodage::Cp1252}, // two stray bytes: more than 0.1 %
        {"\xC0\xAF", Encodage::Cp1252},                       // overlong form
        {"\xED\xA0\x80", Encodage::Cp1252},                   // surrogate
        {"\xF8\x80\x80", Encodage::Cp1252},                   // F8 begins no sequence
        {"gar\xC3", Encodage::Cp1252},                        // cut short at the end
        {"\xEF\xBB\xBF"
         "caf\xE9",
         Encodage::Utf8}, // a mark decides, whatever follows
    };
    for (const auto& c : cas) {
        EXPECT_EQ(DetecteEncodageTexte(c.texte), c.attendu) << c.texte;
        EXPECT_EQ(DetecteOctetParOctet(c.texte), c.attendu) << c.texte;
    }
}

TEST(Encodage, LitLeFichierParTamponsEtCedeAuChoixDeclare) {
    DossierTemporaire dossier;
    // A sequence across the boundary of two reading buffers.
    EcritFichier("a.txt", std::string(TailleTamponLecture - 1, 'a') + "\xC3\xA9" + "b");
    EcritFichier("b.txt", std::string(TailleTamponLecture - 1, 'a') + "\xE9" + "b");
    EXPECT_EQ(DetecteEncodage("a.txt"), Encodage::Utf8);
    EXPECT_EQ(DetecteEncodage("b.txt"), Encodage::Cp1252);
    EXPECT_EQ(DetecteEncodage("absent.txt"), Encodage::Cp1252);
    EXPECT_EQ(EncodageRetenu("a.txt", Encodage::Cp1252), Encodage::Cp1252);
    EXPECT_EQ(EncodageRetenu("b.txt", Encodage::Utf8), Encodage::Utf8);
    EXPECT_EQ(EncodageRetenu("a.txt", Encodage::Auto), Encodage::Utf8);
    Encodage e = Encodage::Auto;
    EXPECT_TRUE(LitEncodage("utf8", e));
    EXPECT_EQ(e, Encodage::Utf8);
    EXPECT_TRUE(LitEncodage("cp1252", e));
    EXPECT_EQ(e, Encodage::Cp1252);
    EXPECT_FALSE(LitEncodage("latin1", e));
}

// A UTF-8 text with a few stray bytes (at most 0.1 % of its bytes) is read as UTF-8, the bytes reported
// with the line of the first; beyond, it is read as Windows-1252 and the user is told why.
TEST(Encodage, QuelquesOctetsNonUtf8ParmiMilleSontRapportes) {
    DossierTemporaire dossier;
    const std::string ligne = "\xC3\xA9t\xC3\xA9 \xC3\xA0 la plage, le gar\xC3\xA7on lit.\n";
    std::string texte;
    for (int i = 0; i < 100; ++i)
        texte += ligne;                // 3,500 bytes: three stray bytes may pass, not four
    for (const size_t k : {4, 50, 70}) // the first on line 5
        texte[k * ligne.size() + 10] = '\xE9';
    EcritFichier("trois.txt", texte);
    texte[90 * ligne.size() + 10] = '\xE9';
    EcritFichier("quatre.txt", texte);

    TexteCorpus trois("trois.txt");
    ASSERT_TRUE(trois.Prepare());
    EXPECT_EQ(trois.EncodageLu(), Encodage::Utf8);
    EXPECT_EQ(DetecteEncodage("trois.txt"), Encodage::Utf8);
    EXPECT_EQ(trois.Rapport().parSorte[IndexNonUtf8], 3);
    EXPECT_EQ(trois.Rapport().ligneNonUtf8, 5);
    EXPECT_TRUE(trois.RaisonCp1252().empty());

    TexteCorpus quatre("quatre.txt");
    ASSERT_TRUE(quatre.Prepare());
    EXPECT_EQ(quatre.EncodageLu(), Encodage::Cp1252);
    EXPECT_EQ(DetecteEncodage("quatre.txt"), Encodage::Cp1252);
    EXPECT_EQ(quatre.RaisonCp1252(),
              "Le texte contient des caractères UTF-8, mais aussi 4 octets qui ne sont "
              "pas de l'UTF-8 (plus de 0,1 % du texte), le premier à la ligne 5 : il "
              "est lu en Windows-1252.");
}

TEST(TranscodeurUtf8, ComposeEtConvertitCeQueWindows1252Tient) {
    std::string sortie;
    const RapportRemplacements r =
        Rapport("\xEF\xBB\xBF"
                "e\xCC\x81t\xC3\xA9 \xC5\x93uvre 5\xE2\x82\xAC \xE2\x80\x9Cl\xE2\x80\x99"
                "a\xE2\x80\x9D\xE2\x80\xA6\n",
                &sortie);
    EXPECT_EQ(sortie, "\xE9t\xE9 \x9Cuvre 5\x80 \x93l\x92"
                      "a\x94\x85\n"); // the mark dropped, e + accent composed
    EXPECT_TRUE(r.Vide());
    EXPECT_EQ(MessageRemplacements(r), "");
}

TEST(TranscodeurUtf8, RapporteCeQuIlRemplaceParSorteAvecLaLigneDuPremier) {
    std::string sortie;
    RapportRemplacements r =
        Rapport("un\ndeux\n\xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\n"
                "\xF0\x9F\x98\x80 q\xCC\x83 \xE2\x89\xAA \xCC\x81\n",
                &sortie);
    // Greek and CJK transliterated; the emoji becomes the mark; the tilde that composes with nothing is
    // dropped, its letter kept; "≪" would give "<<", which would open a key: marks instead of "<".
    EXPECT_EQ(sortie, "un\ndeux\nlogos ri ben yu\n\xA4 q \xA4\xA4 \n");
    EXPECT_EQ(Sorte(r, SorteRemplacement::LettreGrecque), 5);
    EXPECT_EQ(Sorte(r, SorteRemplacement::Cjk), 3);
    EXPECT_EQ(Sorte(r, SorteRemplacement::EmojiSymbole), 2); // the emoji and "≪"
    EXPECT_EQ(Sorte(r, SorteRemplacement::AccentCombinant), 2);
    EXPECT_EQ(r.total, 12);
    EXPECT_EQ(r.marques, 3);
    EXPECT_EQ(r.lignePremier, 3);
    EXPECT_EQ(MessageRemplacements(r),
              "Attention : 12 caractère(s) absent(s) de Windows-1252 remplacé(s) (lettres grecques : 5, "
              "idéogrammes et syllabes CJK : 3, accents combinants : 2, emoji et symboles : 2), dont 3 par "
              "la marque ¤ ; le premier à la ligne 3.");

    // A narrow no-break space becomes a no-break space; a stray byte of a text declared UTF-8 is kept.
    r = Rapport("a\n\xE2\x80\xAF!\ncaf\xE9", &sortie);
    EXPECT_EQ(sortie, "a\n\xA0!\ncaf\xE9");
    EXPECT_EQ(Sorte(r, SorteRemplacement::Espace), 1);
    EXPECT_EQ(Sorte(r, SorteRemplacement::OctetNonUtf8), 1);
    EXPECT_EQ(r.lignePremier, 2);
}

TEST(TranscodeurUtf8, DonneLaMemeChoseQuelQueSoitLeDecoupageEnMorceaux) {
    const std::string textes[] = {
        "\xEF\xBB\xBFl\xE2\x80\x99"
        "e\xCC\x81t\xC3\xA9\n\xCE\xB1\xCE\xB2 e\xCC\x81\xCC\x81 "
        "\xF0\x9F\x98\x80\xE2\x80\x8D\xF0\x9F\x98\x80 \xE6\x97\xA5 fin\n",
        // Declared UTF-8 by its mark, with a stray sequence on a line that needs composing (found by
        // fuzzing: the line was composed or not as the pieces fell).
        "\xEF\xBB\xBF<t=\xC3\x89>\nl\xE2\x80@\xC3\xA9t\xC3\xA9 e\xCC\x81 \xCE\xBB q\xCC\x83\n"};
    for (const std::string& texte : textes) {
        RapportRemplacements entier;
        const std::string attendu = TranscodeUtf8(texte, &entier);
        for (size_t coupe = 0; coupe <= texte.size(); ++coupe) {
            TranscodeurUtf8 t;
            std::string sortie;
            t.Convertit(std::string_view(texte).substr(0, coupe), false, sortie);
            t.Convertit(std::string_view(texte).substr(coupe), true, sortie);
            EXPECT_EQ(sortie, attendu) << "cut at " << coupe;
            EXPECT_EQ(t.Rapport().total, entier.total) << "cut at " << coupe;
            EXPECT_EQ(t.Rapport().lignePremier, entier.lignePremier) << "cut at " << coupe;
        }
    }
}

TEST(TexteCorpus, TranscritLUtf8DansUnFichierQuIlEfface) {
    DossierTemporaire dossier;
    const std::string utf8 = "\xEF\xBB\xBF<titre=\xC3\x89t\xC3\xA9>\n\xCE\xB1\n";
    EcritFichier("c.txt", utf8);
    EcritFichier("w.txt", "caf\xE9\n");
    std::string lu;
    {
        TexteCorpus texte("c.txt");
        ASSERT_TRUE(texte.Prepare());
        EXPECT_EQ(texte.EncodageLu(), Encodage::Utf8);
        ASSERT_TRUE(texte.Transcode());
        EXPECT_NE(texte.CheminLu(), "c.txt");
        EXPECT_EQ(LitFichier(texte.CheminLu()), "<titre=\xC9t\xE9>\na\n");
        EXPECT_EQ(texte.Rapport().lignePremier, 2);
        lu = texte.CheminLu();
    }
    EXPECT_FALSE(fs::exists(lu));
    EXPECT_EQ(LitFichier("c.txt"), utf8); // the user's file is only read
    TexteCorpus windows("w.txt"), declare("c.txt", Encodage::Cp1252);
    ASSERT_TRUE(windows.Prepare());
    ASSERT_TRUE(declare.Prepare());
    EXPECT_EQ(windows.CheminLu(), "w.txt");
    EXPECT_EQ(declare.CheminLu(), "c.txt");
    EXPECT_EQ(declare.EncodageLu(), Encodage::Cp1252);
    // Only the two texts are left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 2);
}
