// Corpora in UTF-8 segmented into the same bases as their Windows-1252 originals, the French typography
// option, and the commands t3 verifie and t3 segmente on them.
#include "AideTests.h"

#include "engine/Globaux.h"
#include "engine/segmentation/SegmPrinc.h"
#include "engine/segmentation/TexteCorpus.h"
#include "engine/segmentation/VerifCles.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

using namespace t3;
using t3test::DossierTemporaire;
using t3test::EcritFichier;
using t3test::ExecuteT3;
using t3test::LitFichier;
using t3test::SortieT3;
namespace fs = std::filesystem;

namespace {

// Accented letters, œ, €, typographic quotes and apostrophe, an ellipsis, a no-break space, two keys
// (one with an accented content) and line breaks, in Windows-1252.
const std::string Corpus1252 = "<titre=\xC9t\xE9>\n"
                               "\x93L\x92\xE9t\xE9 arrive\x94, dit-il\xA0: \x9Cuvre \xE0 5\x80\x85\n"
                               "<titre=hiver>\nGar\xE7on, \xAB\xA0No\xEBl\xA0\xBB ! \xC0 bient\xF4t.\n";

// The text converted by iconv, as a user would convert it.
std::string Iconv(const std::string& texte, const char* vers) {
    EcritFichier("iconv-entree", texte);
    const std::string commande =
        std::string("iconv -f WINDOWS-1252 -t ") + vers + " iconv-entree > iconv-sortie";
    EXPECT_EQ(std::system(commande.c_str()), 0);
    const std::string sortie = LitFichier("iconv-sortie");
    fs::remove("iconv-entree");
    fs::remove("iconv-sortie");
    return sortie;
}

// Segments the text as dossier/corpus.txt and returns the three base files, ".par" last.
std::string Base(const fs::path& dossier, const std::string& texte, bool typographie = false) {
    fs::create_directories(dossier);
    const fs::path precedent = fs::current_path();
    fs::current_path(dossier);
    EcritFichier("corpus.txt", texte);
    EXPECT_EQ(*VerifCles("corpus.txt"), 0);
    TexteCorpus corpus("corpus.txt");
    EXPECT_TRUE(corpus.Prepare());
    InfosSegm infos;
    EXPECT_EQ(SegmPrinc(corpus, DelimParDefaut, MaxartInitial, infos, typographie), ResultatSegm::Ok);
    EXPECT_EQ(LitFichier("corpus.txt"), texte); // never written
    const std::string base =
        LitFichier("corpus.dic") + "|" + LitFichier("corpus.num") + "|" + LitFichier("corpus.par");
    fs::current_path(precedent);
    return base;
}

std::vector<std::string> Graphies(const fs::path& dic) {
    std::istringstream flux(LitFichier(dic));
    std::vector<std::string> g;
    long frq, rang;
    std::string graphie;
    while (flux >> frq >> rang >> graphie)
        g.push_back(graphie);
    return g;
}

} // namespace

TEST(CorpusUtf8, DonneLaMemeBaseQueSonOriginalWindows1252) {
    DossierTemporaire dossier;
    const std::string utf8 = Iconv(Corpus1252, "UTF-8");
    ASSERT_NE(utf8, Corpus1252);
    const std::string attendue = Base("windows", Corpus1252);
    EXPECT_EQ(Base("utf8", utf8), attendue);
    EXPECT_EQ(Base("marque", "\xEF\xBB\xBF" + utf8), attendue);
    // The same with the typography option, and the base differs from the one without it.
    const std::string typo = Base("windows-typo", Corpus1252, true);
    EXPECT_EQ(Base("utf8-typo", utf8, true), typo);
    EXPECT_NE(typo, attendue);
    // Nothing but the text, the base, the trace and the folder's lock is left: the transcoding is gone.
    for (const char* d : {"utf8", "marque"})
        EXPECT_EQ(std::distance(fs::directory_iterator(d), fs::directory_iterator()), 6) << d;
}

TEST(CorpusUtf8, UneMarqueDOrdreLueEnWindows1252DonneLaFormeQueLUtilisateurADemandee) {
    DossierTemporaire dossier;
    EcritFichier("corpus.txt", "\xEF\xBB\xBFgar\xC3\xA7on\n");
    TexteCorpus declare("corpus.txt", Encodage::Cp1252);
    ASSERT_TRUE(declare.Prepare());
    InfosSegm infos;
    ASSERT_EQ(SegmPrinc(declare, DelimParDefaut, MaxartInitial, infos), ResultatSegm::Ok);
    // As the bytes say: the mark's bytes begin a form, and "§" (the second byte of ç) cuts it.
    EXPECT_EQ(Graphies("corpus.dic"), (std::vector<std::string>{"\xEF\xBB\xBFgar\xC3", "on", "\xA7"}));
    ASSERT_EQ(SegmPrinc("corpus.txt", DelimParDefaut, MaxartInitial, infos), ResultatSegm::Ok);
    EXPECT_EQ(Graphies("corpus.dic"), (std::vector<std::string>{"gar\xE7on"}));
    EXPECT_EQ(infos.encodage, Encodage::Utf8);
}

TEST(CorpusUtf8, LOptionTypographiqueCoupeLApostropheEtLitLesInsecablesCommeDesBlancs) {
    DossierTemporaire dossier;
    // "l’été arrive !" with a no-break space before the exclamation mark, then a narrow one.
    const std::string texte = "l\xE2\x80\x99\xC3\xA9t\xC3\xA9\xC2\xA0"
                              "arrive\xC2\xA0!\n\xC2\xAB\xE2\x80\xAFoui\xE2\x80\xAF\xC2\xBB\n";
    EcritFichier("corpus.txt", texte);
    InfosSegm infos;
    ASSERT_EQ(SegmPrinc("corpus.txt", DelimParDefaut, MaxartInitial, infos), ResultatSegm::Ok);
    // Without the option the no-break spaces and the marks are word characters, as before.
    EXPECT_EQ(Graphies("corpus.dic"), (std::vector<std::string>{"l\x92\xE9t\xE9\xA0"
                                                                "arrive\xA0",
                                                                "\xAB\xA0oui\xA0\xBB", "!"}));
    EXPECT_EQ(infos.remplacements.total, 2); // the two narrow no-break spaces

    TexteCorpus corpus("corpus.txt");
    ASSERT_TRUE(corpus.Prepare());
    ASSERT_EQ(SegmPrinc(corpus, DelimParDefaut, MaxartInitial, infos, true), ResultatSegm::Ok);
    EXPECT_EQ(Graphies("corpus.dic"),
              (std::vector<std::string>{"arrive", "\xE9t\xE9", "l", "oui", "!", "\x92", "\xAB", "\xBB"}));
    // The delimiters recorded in the ".par" tell that the option was on; no-break spaces gave no item.
    EXPECT_NE(LitFichier("corpus.par").find("$\xAB\xBB\x92\x93\x94\x85\xA0\n"), std::string::npos);
    EXPECT_EQ(DelimiteursTypographie("'\x85"), "'\x85\xAB\xBB\x92\x93\x94\xA0");
    EXPECT_EQ(LitFichier("corpus.txt"), texte);
}

TEST(CorpusUtf8, LaVerificationCompteLesLignesDuFichierDeLUtilisateur) {
    DossierTemporaire dossier;
    // Multi-byte characters, a letter with a combining accent and an emoji before the faulty key.
    const std::string texte =
        "\xEF\xBB\xBF\xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82 e\xCC\x81t\xC3\xA9\n\xF0\x9F\x98\x80\n"
        "\n<date=1er mars>\n<titre=\xC3\x89t\xC3\xA9>\n";
    EcritFichier("corpus.txt", texte);
    std::vector<MessageCle> messages;
    EXPECT_EQ(*VerifCles("corpus.txt", &messages), 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].texte.find("L    4 "), std::string::npos) << messages[0].texte;
    EXPECT_EQ(LitFichier("corpus.txt"), texte);
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 2); // text and trace
}

TEST(CorpusUtf8, LesCommandesSuiventLEncodageDemandeEtDisentCeQuiEstRemplace) {
    DossierTemporaire dossier;
    const std::string texte =
        "<titre=\xC3\x89t\xC3\xA9>\nl\xE2\x80\x99\xC3\xA9t\xC3\xA9 \xCE\xB1\xCE\xB2\n\xF0\x9F\x98\x80\n";
    EcritFichier("corpus.txt", texte);

    SortieT3 s = ExecuteT3("segmente corpus.txt");
    EXPECT_EQ(s.statut, 0) << s.sortie;
    EXPECT_NE(s.sortie.find("Texte en UTF-8, converti en Windows-1252."), std::string::npos) << s.sortie;
    EXPECT_NE(s.sortie.find("Attention : 3 caractère(s) absent(s) de Windows-1252 remplacé(s) (lettres "
                            "grecques : 2, emoji et symboles : 1), dont 1 par la marque ¤ ; le premier à la "
                            "ligne 2."),
              std::string::npos)
        << s.sortie;
    EXPECT_EQ(Graphies("corpus.dic"),
              (std::vector<std::string>{"ab", "l\x92\xE9t\xE9", "\xA4", "titre", "\xC9t\xE9"}));
    const std::string base = LitFichier("corpus.dic");
    // The report outlives the trace, beside the base, until a text that lost nothing replaces it.
    EXPECT_NE(LitFichier("corpus.transcodage.txt").find("Attention : 3 caractère(s)"), std::string::npos);

    s = ExecuteT3("segmente corpus.txt --encodage=cp1252");
    EXPECT_EQ(s.statut, 0) << s.sortie;
    EXPECT_EQ(s.sortie.find("UTF-8"), std::string::npos);
    EXPECT_FALSE(fs::exists("corpus.transcodage.txt"));
    EXPECT_NE(LitFichier("corpus.dic"), base);
    EXPECT_EQ(ExecuteT3("segmente corpus.txt --encodage=utf8 --typographie").statut, 0);
    EXPECT_EQ(Graphies("corpus.dic")[2], "l");

    s = ExecuteT3("verifie corpus.txt --encodage=auto");
    EXPECT_EQ(s.statut, 0) << s.sortie;
    EXPECT_NE(s.sortie.find("Texte en UTF-8"), std::string::npos);
    EXPECT_EQ(ExecuteT3("verifie --encodage=utf8 corpus.txt").statut, 0);
    s = ExecuteT3("segmente corpus.txt --encodage=latin9");
    EXPECT_NE(s.statut, 0);
    EXPECT_NE(s.sortie.find("--encodage doit être auto, cp1252 ou utf8"), std::string::npos) << s.sortie;
    EXPECT_EQ(LitFichier("corpus.txt"), texte);
    for (const auto& f : fs::directory_iterator("."))
        EXPECT_EQ(f.path().filename().string().rfind("xxxx", 0), std::string::npos) << f.path();
}
