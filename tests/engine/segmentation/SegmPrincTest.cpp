#include "AideTests.h"

#include "engine/Globaux.h"
#include "engine/corpus/charg1.h"
#include "engine/segmentation/SegmPrinc.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

using namespace t3;
using t3test::DossierTemporaire;
using t3test::EcritFichier;
using t3test::LitFichier;
namespace fs = std::filesystem;

namespace {

std::vector<int32_t> LitNum(const std::string& nom) {
    const std::string octets = LitFichier(nom);
    std::vector<int32_t> valeurs(octets.size() / 4);
    std::memcpy(valeurs.data(), octets.data(), valeurs.size() * 4);
    return valeurs;
}

struct LigneDic {
    long frq, rang;
    std::string graphie;
};

std::vector<LigneDic> LitDic(const std::string& nom) {
    std::istringstream flux(LitFichier(nom));
    std::vector<LigneDic> lignes;
    LigneDic l;
    while (flux >> l.frq >> l.rang >> l.graphie)
        lignes.push_back(l);
    return lignes;
}

std::vector<std::string> Graphies(const std::string& nom) {
    std::vector<std::string> g;
    for (const auto& l : LitDic(nom))
        g.push_back(l.graphie);
    return g;
}

std::string Ligne2Par(const std::string& nom) {
    std::istringstream flux(LitFichier(nom));
    std::string ligne;
    std::getline(flux, ligne);
    std::getline(flux, ligne);
    return ligne;
}

// Segments the text under the default delimiters and returns the result.
ResultatSegm Segmente(const std::string& texte, const std::string& delimiteurs = DelimParDefaut,
                      int32_t maxart = MaxartInitial) {
    EcritFichier("corpus.txt", texte);
    return SegmPrinc("corpus.txt", delimiteurs, maxart);
}

} // namespace

TEST(SegmPrinc, LeChatLeChienDonneLaBaseAttendueOctetPourOctet) {
    DossierTemporaire dossier;
    ASSERT_EQ(Segmente("Le chat. Le chien.\n"), ResultatSegm::Ok);
    EXPECT_EQ(LitNum("corpus.num"), (std::vector<int32_t>{0, 1, 4999953, 0, 2, 4999953, 4999742}));
    EXPECT_EQ(LitFichier("corpus.dic"), " 2             0  Le\n"
                                        " 1             1  chat\n"
                                        " 1             2  chien\n"
                                        " 2             3  .\n");
    EXPECT_EQ(LitFichier("corpus.par"), "corpus\n"
                                        "7 7 3 4 3 2 2 5000000 1 0 0 0 0\n"
                                        "\n*** R\xE9sultat de la segmentation du fichier: corpus.TXT ***"
                                        "\nD\xE9limiteurs .,:;!?/_-\\\"'()[]{}\xA7$"
                                        "\n"
                                        "\n \tnombre des occurrences :           4"
                                        "\n \tnombre des formes      :           3"
                                        "\n \tfrequence maximale     :           2"
                                        "\n \tnombre des hapax       :           2"
                                        "\n \tnombre des cl\xE9s(type)  :           0"
                                        "\n \tnombre des cl\xE9s(ctnu)  :           0"
                                        "\n\n*** Fin de la segmentation du fichier:      corpus.TXT ***");
    EXPECT_FALSE(fs::exists("xxxx.txn"));

    const std::string dic = LitFichier("corpus.dic"), num = LitFichier("corpus.num"),
                      par = LitFichier("corpus.par");
    ASSERT_EQ(SegmPrinc("corpus.txt", DelimParDefaut, MaxartInitial), ResultatSegm::Ok);
    EXPECT_EQ(LitFichier("corpus.dic"), dic);
    EXPECT_EQ(LitFichier("corpus.num"), num);
    EXPECT_EQ(LitFichier("corpus.par"), par);
}

TEST(SegmPrinc, LaTraceSuitLesEtapesDansLOrdre) {
    DossierTemporaire dossier;
    ASSERT_EQ(Segmente("Le chat. Le chien.\n"), ResultatSegm::Ok);
    const std::string trace = LitFichier("atrace.txt");
    const char* etapes[] = {
        "*****D\xE9"
        "but SegmPrinc*****",
        "*****FIN DE TraitPath : pn:corpus.txt bn:corpus*****",
        "\nMAXART (Maximum d'articles trait\xE9s) = 100000\nAllocation de 7812K",
        "*****FIN DE AllocTab*****",
        "\nFichier -- corpus.txt -- ouvert pour segmentation\nFichier xxxx.txn ouvert",
        "\n==  nbf= 3, nhap= 2, nbcle= 0, nbctnu= 0, nblemm= 0, nbcatg= 0\n",
        "*****FIN DE SegmText*****",
        "\n--  Tri lexicom. de       3 formes ",
        "*****FIN DE TravDico*****",
        "\n    Fichier Dict  :\t corpus.dic :\n--  Fin EcriDicNum        3 articles",
        "\n    Fichier Texte :\t corpus.num :        7 items.",
        "\n    Fichier Param \t corpus.par  :",
        "*****FIN DE LA SEGMENTATION*****",
        "*****FIN DE NumeDefT*****",
        "\nlib\xE9ration de ptrzon2\nlib\xE9ration de list\nlib\xE9ration de list1\nlib\xE9ration de msg",
        "*****FIN DE Desalloc*****",
        "*****FIN DE EffaceTxn*****"};
    size_t position = 0;
    for (const char* etape : etapes) {
        const size_t trouve = trace.find(etape, position);
        ASSERT_NE(trouve, std::string::npos) << etape;
        position = trouve;
    }
}

TEST(SegmPrinc, NumeroteLesArticlesParFrequencePuisOrdreLexicographique) {
    DossierTemporaire dossier;
    // Equal frequencies in lexicographic order; capitals before small letters; lowercase accented
    // initials sort with their base letter, uppercase ones after z.
    ASSERT_EQ(Segmente("zoo \xC9t\xE9 \xE9t\xE9 etre Alpha abri \xE9t\xE9\n"), ResultatSegm::Ok);
    EXPECT_EQ(Graphies("corpus.dic"),
              (std::vector<std::string>{"\xE9t\xE9", "Alpha", "abri", "etre", "zoo", "\xC9t\xE9"}));
    const auto dic = LitDic("corpus.dic");
    EXPECT_EQ(dic[0].frq, 2);
    EXPECT_EQ(dic[0].rang, 2); // Alpha abri été etre zoo Été: the collation puts ete before etre
    EXPECT_EQ(dic[5].rang, 5);
}

TEST(SegmPrinc, RangeAussiLesFormesDePlusDe65535Occurrences) {
    DossierTemporaire dossier;
    // Frequencies on either side of 65536, equal ones among them, and hapaxes.
    std::string texte = "z y ";
    const std::pair<const char*, int> formes[] = {{"b", 70000}, {"c", 70001}, {"a", 70000}, {"e", 65535},
                                                  {"d", 65536}, {"f", 65535}, {"g", 200000}};
    for (int i = 0; i < 200000; ++i)
        for (const auto& [forme, frq] : formes)
            if (i < frq) texte.append(forme).append(" ");
    ASSERT_EQ(Segmente(texte), ResultatSegm::Ok);
    const auto dic = LitDic("corpus.dic");
    std::vector<std::pair<std::string, long>> lignes;
    for (const auto& l : dic)
        lignes.emplace_back(l.graphie, l.frq);
    EXPECT_EQ(lignes, (std::vector<std::pair<std::string, long>>{{"g", 200000},
                                                                 {"c", 70001},
                                                                 {"a", 70000},
                                                                 {"b", 70000},
                                                                 {"d", 65536},
                                                                 {"e", 65535},
                                                                 {"f", 65535},
                                                                 {"y", 1},
                                                                 {"z", 1}}));
}

TEST(SegmPrinc, LesFormesQueLaCollationConfondSuiventLOrdreDesOctets) {
    DossierTemporaire dossier;
    // 0x81 and 0x8D are controls that the collation ignores: "x\x81" and "x\x8D" sort as "x" does, and
    // their order must not depend on which one the text meets first.
    const std::vector<std::string> attendu = {"x", "x\x81", "x\x8D", "x\x81y", "x\x8Dy", "y"};
    for (const char* texte : {"x x\x81 x\x8D y x\x81y x\x8Dy\n", "y x\x8Dy x\x81y x\x8D x\x81 x\n"}) {
        ASSERT_EQ(Segmente(texte), ResultatSegm::Ok);
        EXPECT_EQ(Graphies("corpus.dic"), attendu) << texte;
    }
}

TEST(SegmPrinc, RangeLesClesApresLaPonctuationEtPartageLesContenus) {
    DossierTemporaire dossier;
    ASSERT_EQ(Segmente("<numero=1990> un ; <annee=1990> deux, <annee =1991>\n"), ResultatSegm::Ok);
    EXPECT_EQ(Graphies("corpus.dic"),
              (std::vector<std::string>{"deux", "un", ",", ";", "annee", "numero", "1990", "1991"}));
    const auto dic = LitDic("corpus.dic");
    EXPECT_EQ(dic[4].frq, 2); // annee
    EXPECT_EQ(dic[6].frq, 2); // 1990, one article for both types
    for (size_t i = 2; i < dic.size(); ++i)
        EXPECT_EQ(dic[i].rang, static_cast<long>(i));
    EXPECT_EQ(Ligne2Par("corpus.par"), "11 11 7 2 2 1 2 5000000 2 2 2 0 0");
    EXPECT_EQ(LitNum("corpus.num"),
              (std::vector<int32_t>{5, 6, 1, 4999999 - ';', 4, 6, 0, 4999999 - ',', 4, 7, 4999742}));
}

TEST(SegmPrinc, DecoupeSelonLesDelimiteurs) {
    DossierTemporaire dossier;
    ASSERT_EQ(Segmente("l'homme 3,5 1990 a>b\n"), ResultatSegm::Ok);
    EXPECT_EQ(Graphies("corpus.dic"),
              (std::vector<std::string>{"1990", "3", "5", "a", "b", "homme", "l", "'", ",", ">"}));

    ASSERT_EQ(Segmente("l'homme\n", ""), ResultatSegm::Ok);
    EXPECT_EQ(Graphies("corpus.dic"), (std::vector<std::string>{"l'homme"}));

    ASSERT_EQ(Segmente("l'homme\n", "''"), ResultatSegm::Ok);
    EXPECT_EQ(Graphies("corpus.dic"), (std::vector<std::string>{"homme", "l", "'"}));

    ASSERT_EQ(Segmente("chemin\n", "e"), ResultatSegm::Ok); // a letter as a delimiter
    EXPECT_EQ(Graphies("corpus.dic"), (std::vector<std::string>{"ch", "min", "e"}));
}

TEST(SegmPrinc, TraiteLesTextesLimites) {
    DossierTemporaire dossier;
    ASSERT_EQ(Segmente(""), ResultatSegm::Ok);
    EXPECT_EQ(Ligne2Par("corpus.par"), "0 0 -1 0 0 0 0 5000000 0 0 0 0 0");
    EXPECT_EQ(LitFichier("corpus.dic"), "");
    EXPECT_EQ(LitFichier("corpus.num"), "");

    ASSERT_EQ(Segmente("fin sans saut"), ResultatSegm::Ok); // the end of the file makes no item
    EXPECT_EQ(LitNum("corpus.num"), (std::vector<int32_t>{0, 1, 2}));

    // Byte 0 separates like a space; byte 255 is a word character.
    ASSERT_EQ(Segmente(std::string("a\0b \xFF\xFFz\n", 9)), ResultatSegm::Ok);
    EXPECT_EQ(Graphies("corpus.dic"), (std::vector<std::string>{"a", "b", "\xFF\xFFz"}));

    // A UTF-8 text is segmented as bytes.
    ASSERT_EQ(Segmente("\xC3\xA9t\xC3\xA9 \xE2\x80\x99\n"), ResultatSegm::Ok);
    EXPECT_EQ(LitDic("corpus.dic").size(), 2u);
}

// A text of punctuation and keys alone has no form, hence no highest frequency: the base says 0, as
// the loader requires of a base without forms, and loads back.
TEST(SegmPrinc, UnTexteSansFormeNAPasDeFrequenceMaximale) {
    DossierTemporaire dossier;
    for (const char* texte : {",", "<a=b> ; ;\n", "!?!"}) {
        ASSERT_EQ(Segmente(texte), ResultatSegm::Ok) << texte;
        std::istringstream champs(Ligne2Par("corpus.par"));
        std::vector<long> valeurs;
        for (long v; champs >> v;)
            valeurs.push_back(v);
        ASSERT_EQ(valeurs.size(), 13u) << texte;
        EXPECT_EQ(valeurs[4], 0) << texte; // forms
        EXPECT_EQ(valeurs[5], 0) << texte; // highest frequency
        charg1 base;
        EXPECT_EQ(base.ChargeBase("corpus.par"), ChargeReussie) << texte;
    }
}

// Line breaks without any article: the numbered text holds their code, not an article that does not
// exist.
TEST(SegmPrinc, DesSautsDeLigneSansArticleGardentLeurCode) {
    DossierTemporaire dossier;
    ASSERT_EQ(Segmente("\n"), ResultatSegm::Ok);
    EXPECT_EQ(Ligne2Par("corpus.par"), "1 1 -1 0 0 0 0 5000000 0 0 0 0 0");
    EXPECT_EQ(LitNum("corpus.num"), (std::vector<int32_t>{CodeSautLigne}));
    ASSERT_EQ(Segmente(std::string(" \n\t\0\n\x01\r\n", 8)), ResultatSegm::Ok);
    EXPECT_EQ(LitNum("corpus.num"), (std::vector<int32_t>(3, CodeSautLigne)));
    charg1 base;
    ASSERT_EQ(base.ChargeBase("corpus.par"), ChargeReussie);
    EXPECT_EQ(base.NbLignes(), 3);
}

TEST(SegmPrinc, CoupeUneSuiteDe70CaracteresSansEnPerdre) {
    DossierTemporaire dossier;
    const std::string longue(70, 'x');
    ASSERT_EQ(Segmente(longue + "\n"), ResultatSegm::Ok);
    const auto dic = LitDic("corpus.dic");
    ASSERT_EQ(dic.size(), 2u);
    EXPECT_EQ(dic[0].graphie, std::string(11, 'x')); // both hapax: the shorter sorts first
    EXPECT_EQ(dic[1].graphie, std::string(59, 'x'));
}

TEST(SegmPrinc, RefuseProprementCeQuiDepasseSesCapacites) {
    DossierTemporaire dossier;
    std::string vingt;
    for (int i = 0; i < 20; ++i)
        vingt += "mot" + std::to_string(i) + " ";
    EXPECT_EQ(Segmente(vingt, DelimParDefaut, 10), ResultatSegm::MaxartDepasse);
    EXPECT_NE(LitFichier("atrace.txt").find("MAXART = 10"), std::string::npos);
    // 59-character forms overflow the 40 bytes per article of the string zone.
    std::string longues;
    for (char c = 'a'; c <= 'j'; ++c)
        longues += std::string(59, c) + " ";
    EXPECT_EQ(Segmente(longues, DelimParDefaut, 10), ResultatSegm::ZoneTextePleine);
    const auto cle = [](const std::string& type, const std::string& contenu) {
        return std::string("<").append(type).append("=").append(contenu).append(">");
    };
    EXPECT_EQ(Segmente(cle(std::string(300, 't'), "x")), ResultatSegm::CleTropLongue);
    EXPECT_EQ(Segmente(cle("a", std::string(127, 'c'))), ResultatSegm::CleTropLongue);
    EXPECT_EQ(Segmente(cle("a", std::string(126, 'c') + "   ")), ResultatSegm::Ok); // spaces are dropped
    EXPECT_EQ(Segmente("<=mars> texte"), ResultatSegm::CleIncorrecte);
    EXPECT_EQ(Segmente("texte <date=mars"), ResultatSegm::CleIncorrecte);
    EXPECT_EQ(Segmente("un", DelimParDefaut, 0), ResultatSegm::MaxartInvalide);
    EXPECT_EQ(Segmente("un", DelimParDefaut, Limd), ResultatSegm::MaxartInvalide);
}

// The capacity a text needs is counted exactly: with it the text segments, with one less it is refused,
// whether the articles or their texts run out first; keys and signs count, a repeated form once.
TEST(SegmPrinc, CompteLaCapaciteQuIlFautAuTexte) {
    DossierTemporaire dossier;
    const std::string textes[] = {
        "<titre=un> le chat, le chien. <titre=deux> la vache ; le chat\n",
        std::string(59, 'a') + " " + std::string(59, 'b') + " " + std::string(59, 'c') + " x x x\n",
        "<a=b> <b=a> mot mot\n",
    };
    for (const std::string& texte : textes) {
        EcritFichier("corpus.txt", texte);
        const int64_t besoin = CompteArticles("corpus.txt", DelimParDefaut);
        ASSERT_GT(besoin, 1) << texte;
        EXPECT_EQ(Segmente(texte, DelimParDefaut, static_cast<int32_t>(besoin)), ResultatSegm::Ok) << texte;
        const ResultatSegm moins = Segmente(texte, DelimParDefaut, static_cast<int32_t>(besoin - 1));
        EXPECT_TRUE(moins == ResultatSegm::MaxartDepasse || moins == ResultatSegm::ZoneTextePleine) << texte;
    }
    // Other delimiters, other forms: "chat," stays one form without the comma.
    EcritFichier("corpus.txt", "chat, chat,\n");
    EXPECT_EQ(CompteArticles("corpus.txt", DelimParDefaut), 2);
    EXPECT_EQ(CompteArticles("corpus.txt", "."), 1);
    EXPECT_EQ(CompteArticles("absent.txt", DelimParDefaut), -1);
}

// Without a capacity of its own, the segmentation takes the MAXART option in force; the options are
// back at their initial values once the guard goes.
TEST(SegmPrinc, SuitLOptionMaxartEnVigueur) {
    DossierTemporaire dossier;
    EcritFichier("corpus.txt", "un deux trois quatre\n");
    {
        const t3test::GardeOptions garde;
        Options.Maxart = 3;
        Options.NbEtiquettes = 7;
        EXPECT_EQ(SegmPrinc("corpus.txt", DelimParDefaut), ResultatSegm::MaxartDepasse);
        Options.Maxart = 4;
        EXPECT_EQ(SegmPrinc("corpus.txt", DelimParDefaut), ResultatSegm::Ok);
    }
    EXPECT_EQ(Options.Maxart, MaxartInitial);
    EXPECT_EQ(Options.NbEtiquettes, EtiquettesInitial);
}

TEST(SegmPrinc, UnEchecNeLaissePasDeBaseAMoitieEcrite) {
    DossierTemporaire dossier;
    ASSERT_EQ(Segmente("Le chat. Le chien.\n"), ResultatSegm::Ok);
    const std::string par = LitFichier("corpus.par"), num = LitFichier("corpus.num");
    EXPECT_EQ(Segmente("un deux trois quatre", DelimParDefaut, 2), ResultatSegm::MaxartDepasse);
    // The previous base stays whole; no temporary file is left.
    EXPECT_EQ(LitFichier("corpus.par"), par);
    EXPECT_EQ(LitFichier("corpus.num"), num);
    for (const auto& entree : fs::directory_iterator("."))
        EXPECT_TRUE(entree.path().extension() != ".part" && entree.path().filename() != "xxxx.txn")
            << entree.path();
}

TEST(SegmPrinc, SignaleLesFichiersIllisiblesOuImpossiblesAEcrire) {
    DossierTemporaire dossier;
    EXPECT_EQ(SegmPrinc("absent.txt", DelimParDefaut, MaxartInitial), ResultatSegm::TexteNonOuvert);
    EXPECT_NE(LitFichier("atrace.txt").find("\nFichier absent.txt pas ouvert !"), std::string::npos);

    EcritFichier("corpus.txt", "un texte\n");
    EXPECT_EQ(SegmPrinc("corpus.txt", DelimParDefaut, MaxartInitial), ResultatSegm::Ok);
    // A corpus that bears the name of a base file is never overwritten.
    EcritFichier("texte.num", "un texte\n");
    EXPECT_EQ(SegmPrinc("texte.num", DelimParDefaut, MaxartInitial), ResultatSegm::CorpusEcrase);
    EXPECT_EQ(LitFichier("texte.num"), "un texte\n");

    // A current folder where nothing can be created (removed while current: even root cannot write there).
    const fs::path corpus = fs::absolute("corpus.txt");
    fs::create_directory("perdu");
    fs::current_path("perdu");
    fs::remove(fs::path(dossier.Chemin()) / "perdu");
    EXPECT_EQ(SegmPrinc(corpus.string(), DelimParDefaut, MaxartInitial), ResultatSegm::TxnNonOuvert);
    fs::current_path(dossier.Chemin());
}

TEST(TraitPath, GardeLeNomSansDossierNiExtension) {
    // A backslash is a character of a name: it never reaches another base.
    EXPECT_EQ(TraitPath("a\\b.txt"), "a\\b");
    EXPECT_EQ(TraitPath("/home/u/corpus/discours.v2.txt"), "discours.v2");
    EXPECT_EQ(TraitPath("a.b/discours"), "discours");
    EXPECT_EQ(TraitPath(".cache"), ".cache");
    EXPECT_EQ(TraitPath("discours"), "discours");
}

// A name with a backslash gives a base of its own; a name with a line end, whose base could not be
// opened, is refused before anything is written.
TEST(SegmPrinc, LesNomsDeCorpusSinguliers) {
    DossierTemporaire dossier;
    EcritFichier("b.txt", "autre texte\n");
    ASSERT_EQ(SegmPrinc("b.txt", DelimParDefaut, MaxartInitial), ResultatSegm::Ok);
    const std::string parB = LitFichier("b.par");
    EcritFichier("a\\b.txt", "un texte\n");
    EXPECT_EQ(t3test::ExecuteT3("segmente 'a\\b.txt'").statut, 0);
    EXPECT_EQ(LitFichier("b.par"), parB);
    charg1 base;
    EXPECT_EQ(base.ChargeBase("a\\b.par"), ChargeReussie);
    EXPECT_EQ(base.RetourneGraphie(0, false), "texte");

    fs::remove("atrace.txt");
    EcritFichier("nl\nnom.txt", "un texte\n");
    const t3test::SortieT3 sortie = t3test::ExecuteT3("segmente \"$(printf 'nl\\nnom.txt')\"");
    EXPECT_EQ(sortie.statut, 2);
    EXPECT_NE(sortie.sortie.find("saut de ligne"), std::string::npos) << sortie.sortie;
    EXPECT_FALSE(fs::exists("atrace.txt"));
    EXPECT_FALSE(fs::exists("nl\nnom.par"));
    EXPECT_EQ(SegmPrinc("nl\nnom.txt", DelimParDefaut, MaxartInitial), ResultatSegm::NomIncorrect);
}

// A run of word characters longer than a form is cut as before, and told: how many runs, and the line
// of the first; a run cut several times counts once.
TEST(SegmPrinc, DitLesSuitesCoupees) {
    DossierTemporaire dossier;
    EcritFichier("corpus.txt",
                 "court\nencore court\n" + std::string(150, 'x') + " mot\n" + std::string(60, 'y') + "\n");
    InfosSegm infos;
    ASSERT_EQ(SegmPrinc("corpus.txt", DelimParDefaut, MaxartInitial, infos), ResultatSegm::Ok);
    EXPECT_EQ(infos.suitesCoupees, 2);
    EXPECT_EQ(infos.ligneSuiteCoupee, 3);
    EXPECT_EQ(AvertissementCoupes(infos),
              "Attention : 2 suite(s) de plus de 59 caractères sans séparateur coupée(s) "
              "en plusieurs formes, la première à la ligne 3.");
    EXPECT_NE(LitFichier("atrace.txt").find("2 suite(s) de plus de 59 caract"), std::string::npos);
    // A form of exactly 59 characters is no cut.
    EcritFichier("corpus.txt", std::string(59, 'z') + " " + std::string(59, 'w') + "\n");
    ASSERT_EQ(SegmPrinc("corpus.txt", DelimParDefaut, MaxartInitial, infos), ResultatSegm::Ok);
    EXPECT_EQ(infos.suitesCoupees, 0);
    EXPECT_EQ(AvertissementCoupes(infos), "");
}
