#include "AideCorpus.h"

#include "engine/socle/Trace.h"

#include <filesystem>
#include <functional>

using namespace t3;
using namespace t3test;
namespace fs = std::filesystem;

namespace {

// Replaces n bytes at debut (a concatenation, which GCC 12 does not misread as an overlapping copy).
void Remplace(std::string& texte, size_t debut, size_t n, const std::string& nouveau) {
    texte = texte.substr(0, debut) + nouveau + texte.substr(debut + n);
}

// The base of the text "Le chat. Le chien." written by hand, field by field, so that each test can
// spoil one of them.
struct BaseLeChat {
    std::string par = "lc\n7 7 3 4 3 2 2 5000000 1 0 0 0 0\nrésumé\n";
    std::string dic =
        " 2             0  Le\n 1             1  chat\n 1             2  chien\n 2             3  .\n";
    std::vector<int32_t> num = {0, 1, CodePonct('.'), 0, 2, CodePonct('.'), CodeSautLigne};
    void Ecrit() const {
        EcritFichier("lc.par", par);
        EcritFichier("lc.dic", dic);
        EcritFichier("lc.num", OctetsNum(num));
    }
};

int AppelsGauge[2];
void CompteGauge(int32_t etape) {
    ++AppelsGauge[etape == 0 ? 0 : 1];
}

} // namespace

TEST(Charg1, ChargeLaBaseSegmenteeDeLeChat) {
    DossierTemporaire dossier;
    SegmenteBase("Le chat. Le chien.\n", "lc");
    charg1 base;
    AppelsGauge[0] = AppelsGauge[1] = 0;
    base.AttribGauge(CompteGauge);
    ASSERT_EQ(base.ChargeBase("lc.par"), 0);
    EXPECT_EQ(base.NomBase(), "lc");
    EXPECT_EQ(base.Nbart(), 4);
    EXPECT_EQ(base.Nbform(), 3);
    EXPECT_EQ(base.Nbitem(), 7);
    EXPECT_EQ(base.Nbocc(), 4);
    EXPECT_EQ(base.Fmax(), 2);
    EXPECT_EQ(base.Nhap(), 2);
    EXPECT_EQ(base.Nbartponct(), 1);
    EXPECT_EQ(base.Nbcle(), 0);
    EXPECT_EQ(base.Nbctnu(), 0);
    EXPECT_EQ(base.NbLignes(), 1);
    EXPECT_EQ(base.Limd(), 5000000);
    EXPECT_EQ(base.NbFormSup(), 0);
    EXPECT_EQ(base.NbTotEntites(), 4);
    EXPECT_EQ(TexteCharge(base), (std::vector<int32_t>{0, 1, 3, 0, 2, 3, 5000002}));
    // Fewer than 100 entries and items: the gauge is called once per file.
    EXPECT_EQ(AppelsGauge[0], 1);
    EXPECT_EQ(AppelsGauge[1], 1);

    EXPECT_EQ(base.RetourneGraphie(3, true), ".");
    EXPECT_EQ(base.RetourneGraphie(4, false), "");
    EXPECT_EQ(base.RetourneGraphie(-1, false), "");
    EXPECT_EQ(base.RetourneGraphie(1, true), "chat");
    EXPECT_EQ(base.Lexg(2), 2);
    EXPECT_EQ(base.Lexg(4), -1);
    EXPECT_EQ(base.RetourneFrq(0), 2);
    EXPECT_EQ(base.RetourneFrq(-1), -1);
    const Lexm hors = base.RetourneLexm(4);
    EXPECT_EQ(hors.graphie, nullptr);
    EXPECT_EQ(hors.frq, 0);
    EXPECT_EQ(hors.lexg, 0);
    base.SetInfo(1, 42);
    base.SetInfo(9, 42);
    EXPECT_EQ(base.RetourneLexm(1).info, 42);
    EXPECT_EQ(base.RetourneLexm(0).info, 0);

    EXPECT_EQ(base.LocOccFor(0), (std::vector<int32_t>{0, 3}));
    const int32_t entrees[] = {0, 2, 0};
    EXPECT_EQ(base.LocOccFor(entrees, 3), (std::vector<int32_t>{0, 3, 4}));
    EXPECT_EQ(base.LocOccFor(3), (std::vector<int32_t>{2, 5}));
    EXPECT_TRUE(base.LocOccFor(4).empty());
    EXPECT_TRUE(base.LocOccFor(-3).empty());
    EXPECT_EQ(base.LocFormDic("le"), -1);
    EXPECT_EQ(base.LocFormDic("Le"), 0);
    EXPECT_EQ(base.LocFormDic("chien"), 2);
    EXPECT_EQ(base.LocFormDic("."), -1); // punctuation is not a form

    EXPECT_EQ(base.Tnum(6), 5000002);
    EXPECT_EQ(base.Tnum(7), -1);
    EXPECT_EQ(base.RetourneFrqAtPos(6), -1);
    EXPECT_EQ(base.RetourneFrqAtPos(-1), -1);
    EXPECT_EQ(base.RetourneFrqAtPos(2), 2);
    EXPECT_EQ(base.RetourneLexmAtPos(6).graphie, nullptr);
    EXPECT_STREQ(base.RetourneGraphieAtPos(1, true), "chat");
    EXPECT_EQ(base.RetourneGraphieAtPos(6, false), nullptr);
    EXPECT_EQ(base.RetourneGraphieAtPos(7, false), nullptr);

    std::vector<int32_t> positions = {4, 0, 3, 1};
    base.TriCont(positions, 0, base.Nbart());
    EXPECT_EQ(positions, (std::vector<int32_t>{4, 0, 3, 1}));
}

TEST(Charg1, TraceLeChargement) {
    DossierTemporaire dossier;
    BaseLeChat().Ecrit();
    charg1 base;
    ASSERT_EQ(base.ChargeBase("lc.par"), 0);
    const std::string attendu = Formate("LecParam\n"
                                        "\n7 7 4 4 3 2 2 5000000 1 0 0"
                                        "\nAllocation de la mémoire :"
                                        "\nAllocation de lexm réussie, %ld octets"
                                        "\nAllocation de tnum réussie, 28 octets"
                                        "\nAllocation de ftext réussie, 200 octets"
                                        "\nAllocation de list réussie, 8 octets"
                                        "\nEntrée dans OpenDicNum"
                                        "\nDictionnaire numérisé : lc.dic"
                                        "\nEntrée dans OpenTextNum\n",
                                        long(5 * sizeof(Lexm)));
    EXPECT_EQ(LitFichier("atrace.txt"), attendu);
}

// The count of articles is traced as read, even one past the largest 32-bit index.
TEST(Charg1, TraceLeNombreDArticlesQuelQuIlSoit) {
    DossierTemporaire dossier;
    BaseLeChat base;
    Remplace(base.par, 7, 1, "2147483647");
    base.Ecrit();
    charg1 chargeur;
    EXPECT_EQ(chargeur.ChargeBase("lc.par"), ChargeErreurParam);
    EXPECT_NE(LitFichier("atrace.txt").find("\n7 7 2147483648 4 3 2 2 5000000 1 0 0"), std::string::npos);
}

TEST(Charg1, ParametresAbsentsLaissentLaTrace) {
    DossierTemporaire dossier;
    EcritFichier("atrace.txt", "avant");
    charg1 base;
    EXPECT_EQ(base.ChargeBase("absent.par"), ChargeErreurParam);
    EXPECT_EQ(LitFichier("atrace.txt"), "avant");
    EXPECT_FALSE(base.Charge());
    EXPECT_EQ(base.Nbitem(), 0);
    EXPECT_EQ(base.Tnum(0), -1);
    EXPECT_TRUE(base.LocOccFor(0).empty());
}

TEST(Charg1, MessagesDesResultats) {
    EXPECT_EQ(MessageChargeBase(1), "Erreur de lecture du fichier de paramètres");
    EXPECT_EQ(MessageChargeBase(2), "Erreur de lecture du dictionnaire numérisé");
    EXPECT_EQ(MessageChargeBase(3), "Erreur de lecture du texte numérisé");
    EXPECT_EQ(MessageChargeBase(4), "Erreur : Allocation mémoire impossible");
    EXPECT_EQ(MessageChargeBase(0), "");
}

// Every spoilt base ends in the result of the step that reads the faulty file.
TEST(Charg1, RefuseLesBasesCorrompues) {
    struct Cas {
        const char* nom;
        std::function<void(BaseLeChat&)> abime;
        int32_t resultat;
    };
    const std::vector<Cas> cas = {
        {"num tronqué", [](BaseLeChat& b) { b.num.pop_back(); }, ChargeErreurNum},
        {"num vide", [](BaseLeChat& b) { b.num.clear(); }, ChargeErreurNum},
        {"valeur au-delà des articles", [](BaseLeChat& b) { b.num[1] = 4; }, ChargeErreurNum},
        {"valeur négative", [](BaseLeChat& b) { b.num[1] = -1; }, ChargeErreurNum},
        {"valeur au-delà des codes", [](BaseLeChat& b) { b.num[1] = Limd + 3; }, ChargeErreurNum},
        {"valeur entre articles et codes", [](BaseLeChat& b) { b.num[1] = 1000; }, ChargeErreurNum},
        {"ponctuation inconnue", [](BaseLeChat& b) { b.num[2] = CodePonct('?'); }, ChargeErreurNum},
        {"fréquence contredite par le texte", [](BaseLeChat& b) { b.num[5] = 1; }, ChargeErreurNum},
        {"dic court", [](BaseLeChat& b) { b.dic.resize(b.dic.rfind(" 2 ")); }, ChargeErreurDic},
        {"dic sans graphie", [](BaseLeChat& b) { b.dic.resize(b.dic.size() - 2); }, ChargeErreurDic},
        {"graphies trop longues",
         [](BaseLeChat& b) { Remplace(b.dic, b.dic.find("chien"), 5, std::string(190, 'x')); },
         ChargeErreurDic},
        {"fréquence négative", [](BaseLeChat& b) { Remplace(b.dic, b.dic.find(" 1 "), 3, " -1 "); },
         ChargeErreurDic},
        {"rang hors du dictionnaire", [](BaseLeChat& b) { Remplace(b.dic, b.dic.find("2  chien"), 1, "9"); },
         ChargeErreurDic},
        {"rang répété", [](BaseLeChat& b) { Remplace(b.dic, b.dic.find("2  chien"), 1, "1"); },
         ChargeErreurDic},
        {"fréquence contredite par les paramètres",
         [](BaseLeChat& b) { Remplace(b.dic, b.dic.find(" 1 "), 3, " 3 "); }, ChargeErreurDic},
        {"nombre illisible", [](BaseLeChat& b) { Remplace(b.dic, 0, 2, " x"); }, ChargeErreurDic},
        {"dic absent", [](BaseLeChat& b) { Remplace(b.par, 0, 2, "zz"); }, ChargeErreurDic},
        {"items négatifs", [](BaseLeChat& b) { Remplace(b.par, 3, 1, "-7"); }, ChargeErreurParam},
        {"articles négatifs", [](BaseLeChat& b) { Remplace(b.par, 7, 1, "-5"); }, ChargeErreurParam},
        {"catégories qui ne font pas le compte", [](BaseLeChat& b) { Remplace(b.par, 11, 1, "4"); },
         ChargeErreurParam},
        {"plus d'occurrences que d'items", [](BaseLeChat& b) { Remplace(b.par, 9, 1, "8"); },
         ChargeErreurParam},
        {"Limd inattendu", [](BaseLeChat& b) { Remplace(b.par, b.par.find("5000000"), 7, "4000000"); },
         ChargeErreurParam},
        {"nombre trop grand", [](BaseLeChat& b) { Remplace(b.par, 3, 1, "99999999999"); }, ChargeErreurParam},
        {"dernier article au plus grand entier", [](BaseLeChat& b) { Remplace(b.par, 7, 1, "2147483647"); },
         ChargeErreurParam},
        {"Limd au plus petit entier",
         [](BaseLeChat& b) { Remplace(b.par, b.par.find("5000000"), 7, "-2147483648"); }, ChargeErreurParam},
        {"paramètres manquants", [](BaseLeChat& b) { b.par = "lc\n7 7 3 4 3 2 2 5000000 1 0\n"; },
         ChargeErreurParam},
        {"par vide", [](BaseLeChat& b) { b.par.clear(); }, ChargeErreurParam},
        {"nom vide", [](BaseLeChat& b) { b.par.erase(0, 2); }, ChargeErreurParam},
        {"nom de 255 caractères", [](BaseLeChat& b) { Remplace(b.par, 0, 2, std::string(255, 'n')); },
         ChargeErreurParam},
    };
    for (const Cas& c : cas) {
        DossierTemporaire dossier;
        BaseLeChat base;
        c.abime(base);
        base.Ecrit();
        charg1 chargeur;
        EXPECT_EQ(chargeur.ChargeBase("lc.par"), c.resultat) << c.nom;
        EXPECT_EQ(chargeur.Nbitem(), 0) << c.nom;
        EXPECT_TRUE(chargeur.LocOccFor(0).empty()) << c.nom;
        EXPECT_EQ(chargeur.RetourneGraphie(0, false), "") << c.nom;
    }
}

// Counts that the files cannot hold are refused as a fault of the file, without the tables they
// announce: a .par of a few bytes must not make the loader reserve gigabytes.
TEST(Charg1, TableauxTropGrandsPourLeTexte) {
    {
        DossierTemporaire dossier;
        BaseLeChat base;
        base.par = "lc\n2000000000 7 3 4 3 2 2 5000000 1 0 0 0 0\n";
        base.Ecrit();
        charg1 chargeur;
        EXPECT_EQ(chargeur.ChargeBase("lc.par"), ChargeErreurNum);
        EXPECT_EQ(LitFichier("atrace.txt").find("tnum"), std::string::npos);
    }
    {
        // Every article the codes leave room for, in a dictionary of one line.
        DossierTemporaire dossier;
        EcritFichier("b.par", "b\n0 0 4999741 0 0 0 0 5000000 256 1 4999485\n");
        EcritFichier("b.dic", " 0 0 x\n");
        EcritFichier("b.num", "");
        charg1 chargeur;
        EXPECT_EQ(chargeur.ChargeBase("b.par"), ChargeErreurDic);
        EXPECT_EQ(LitFichier("atrace.txt").find("lexm"), std::string::npos);
    }
    {
        // Both files too short: the dictionary, read first, is the fault.
        DossierTemporaire dossier;
        EcritFichier("b.par", "b\n2000000000 0 4999741 0 0 0 0 5000000 256 1 4999485\n");
        charg1 chargeur;
        EXPECT_EQ(chargeur.ChargeBase("b.par"), ChargeErreurDic);
    }
}

TEST(Charg1, AccepteLesLimitesLicites) {
    {
        DossierTemporaire dossier;
        BaseLeChat base;
        base.num.insert(base.num.end(), {77, -5, 0}); // a longer .num is read no further than the .par says
        // The longest plain name whose files the file system holds: 251 characters and ".dic" make the
        // 255 bytes of a file name.
        const std::string nom(251, 'n');
        Remplace(base.par, 0, 2, nom);
        base.Ecrit();
        std::filesystem::rename("lc.dic", nom + ".dic");
        std::filesystem::rename("lc.num", nom + ".num");
        charg1 chargeur;
        ASSERT_EQ(chargeur.ChargeBase("lc.par"), 0);
        EXPECT_EQ(TexteCharge(chargeur), (std::vector<int32_t>{0, 1, 3, 0, 2, 3, 5000002}));
    }
    {
        // Windows line ends: the carriage returns belong neither to the name nor to the graphies.
        DossierTemporaire dossier;
        BaseLeChat base;
        for (std::string* texte : {&base.par, &base.dic}) {
            std::string crlf;
            for (const char c : *texte)
                crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
            *texte = crlf;
        }
        base.Ecrit();
        charg1 chargeur;
        ASSERT_EQ(chargeur.ChargeBase("lc.par"), 0);
        EXPECT_EQ(chargeur.NomBase(), "lc");
        EXPECT_EQ(chargeur.RetourneGraphie(2, false), "chien");
        EXPECT_EQ(chargeur.LocFormDic("chien"), 2);
        EXPECT_EQ(chargeur.LocOccFor(3), (std::vector<int32_t>{2, 5}));
    }
    {
        // A base without any article: an empty text.
        DossierTemporaire dossier;
        EcritFichier("vide.par", "vide\n0 0 -1 0 0 0 0 5000000 0 0 0 0 0\n");
        EcritFichier("vide.dic", "");
        EcritFichier("vide.num", "");
        charg1 chargeur;
        ASSERT_EQ(chargeur.ChargeBase("vide.par"), 0);
        EXPECT_EQ(chargeur.Nbart(), 0);
        EXPECT_EQ(chargeur.LocFormDic("x"), -1);
    }
}

TEST(Charg1, RechargerRemplaceLaBase) {
    DossierTemporaire dossier;
    SegmenteBase("Le chat. Le chien.\n", "lc");
    SegmenteBase("<a=x> u v <a=y> w <a=x> u\n", "p");
    charg1 base;
    ASSERT_EQ(base.ChargeBase("lc.par"), 0);
    ASSERT_EQ(base.ChargeBase("p.par"), 0);
    EXPECT_EQ(base.Nbart(), 6);
    EXPECT_EQ(base.Nbcle(), 1);
    EXPECT_EQ(base.LocOccFor(0), (std::vector<int32_t>{2, 9}));
    EXPECT_EQ(base.LocOccFor(3), (std::vector<int32_t>{0, 4, 7}));
    EXPECT_EQ(base.RetourneGraphie(3, true), "");
    EXPECT_EQ(base.RetourneGraphie(3, false), "a");
    EXPECT_EQ(base.RetourneGraphieAtPos(0, true), nullptr);
    EXPECT_STREQ(base.RetourneGraphieAtPos(0, false), "a");
    EXPECT_EQ(base.ChargeBase("absent.par"), ChargeErreurParam);
    EXPECT_EQ(base.Nbart(), 0);
}

// A stop asked while the dictionary is read (by its gauge, as "Annuler" would) leaves no base loaded; the
// same loader loads it whole afterwards.
TEST(Charg1, UnChargementArreteNeLaissePasDeBase) {
    DossierTemporaire dossier;
    SegmenteBase("Le chat. Le chien.\n", "lc");
    charg1 base;
    Arret arret{false};
    base.AttribArret(&arret);
    base.AttribGauge([&arret](int32_t etape) { arret = arret || etape == 0; });
    EXPECT_EQ(base.ChargeBase("lc.par"), ChargeArretee);
    EXPECT_FALSE(base.Charge());
    EXPECT_EQ(base.Nbart(), 0);
    EXPECT_EQ(base.Charge("lc.par").Message(), "Commande annulée.");
    base.AttribGauge({});
    arret = false;
    ASSERT_EQ(base.ChargeBase("lc.par"), ChargeReussie);
    EXPECT_EQ(base.Nbart(), 4);
}

// The loader reads the .dic and .num beside the .par and traces there, not in the current folder, even
// when that folder holds a base of the same name; a relative path is resolved when the base is loaded.
TEST(Charg1, LitLaBaseACoteDeSonPar) {
    DossierTemporaire dossier;
    ASSERT_TRUE(SegmenteDans("a", "Le chat. Le chien.\n"));
    SegmenteBase("un deux trois quatre cinq\n");
    EcritFichier("atrace.txt", "courant");
    charg1 base;
    ASSERT_EQ(base.ChargeBase("a/corpus.par"), ChargeReussie);
    EXPECT_EQ(base.NomBase(), "corpus");
    EXPECT_EQ(base.Nbitem(), 7);
    EXPECT_EQ(base.LocFormDic("chat"), 1);
    EXPECT_EQ(LitFichier("atrace.txt"), "courant");
    EXPECT_EQ(LitFichier("a/atrace.txt").rfind("LecParam\n", 0), 0u);

    fs::create_directory("ailleurs");
    fs::current_path("ailleurs");
    EXPECT_TRUE(fs::path(base.Dossier()).is_absolute());
    EXPECT_TRUE(fs::equivalent(base.Dossier(), dossier.Chemin() / "a"));
    EXPECT_TRUE(fs::equivalent(base.CheminFichier(".num"), dossier.Chemin() / "a" / "corpus.num"));
    EXPECT_EQ(fs::path(base.CheminFichier(".loc.sr")).filename(), "corpus.loc.sr");
    // Loaded again from the new current folder, through a path that goes up.
    ASSERT_EQ(base.ChargeBase("../a/corpus.par"), ChargeReussie);
    EXPECT_TRUE(fs::equivalent(base.Dossier(), dossier.Chemin() / "a"));
    EXPECT_FALSE(fs::exists("atrace.txt"));

    // A name line that leads out of the .par's folder is a spoilt parameter file: no file elsewhere is
    // read (the base of the parent folder is there to be found).
    fs::current_path(dossier.Chemin());
    const std::string par = LitFichier("a/corpus.par");
    const std::string parametres = par.substr(par.find('\n'));
    for (const char* nom : {"../corpus", "..", "sous/corpus"}) {
        EcritFichier("a/faux.par", nom + parametres);
        EXPECT_EQ(base.ChargeBase("a/faux.par"), ChargeErreurParam) << nom;
    }
}

// Two key types that share their content: more types than contents, as the segmentation writes them.
TEST(Charg1, ChargeDesTypesDeClesQuiPartagentLeurContenu) {
    DossierTemporaire dossier;
    SegmenteBase("<a=1> x <b=1> y\n", "k");
    charg1 base;
    ASSERT_EQ(base.ChargeBase("k.par"), 0);
    EXPECT_EQ(base.Nbcle(), 2);
    EXPECT_EQ(base.Nbctnu(), 1);
    EXPECT_EQ(base.RetourneGraphie(4, false), "1");
    EXPECT_EQ(base.LocOccFor(4), (std::vector<int32_t>{1, 4}));
}

// Graphies longer than forty bytes on average: forms of the longest length, keys of the longest type
// and content. The segmentation writes them; the loader takes them back.
TEST(Charg1, ChargeDesGraphiesLonguesEnMoyenne) {
    DossierTemporaire dossier;
    const std::string a(59, 'a'), b(59, 'b'), c(59, 'c');
    SegmenteBase(a + " " + b + " " + c + "\n", "formes");
    charg1 formes;
    ASSERT_EQ(formes.ChargeBase("formes.par"), 0);
    EXPECT_EQ(formes.LocFormDic(c), 2);
    std::string cles;
    for (const char x : {'k', 'l', 'm'})
        cles += "<" + std::string(LongueurMaxCle, x) + "=" + std::string(LongueurMaxCle, x) + "> ";
    SegmenteBase(cles + "\n", "cles");
    charg1 base;
    ASSERT_EQ(base.ChargeBase("cles.par"), 0);
    EXPECT_EQ(base.Nbcle(), 3);
    EXPECT_EQ(base.Graphie(5), std::string(LongueurMaxCle, 'm'));
}

// The first lookups read the dictionary and the text, the later ones the indexes: both give the same.
TEST(Charg1, RecherchesAvantEtApresLesIndex) {
    DossierTemporaire dossier;
    SegmenteBase("Le chat voit le chien, le chien voit le chat. Un oiseau chante.\n", "rv");
    charg1 base;
    ASSERT_EQ(base.ChargeBase("rv.par"), 0);
    const std::vector<int32_t> texte = TexteCharge(base);
    // The positions of the text that hold a or b.
    const auto positions = [&texte](int32_t a, int32_t b) {
        std::vector<int32_t> trouvees;
        for (size_t p = 0; p < texte.size(); ++p)
            if (texte[p] == a || texte[p] == b) trouvees.push_back(static_cast<int32_t>(p));
        return trouvees;
    };
    for (int tour = 0; tour < 3; ++tour) {
        for (int32_t f = 0; f < base.Nbform(); ++f) {
            EXPECT_EQ(base.LocFormDic(base.Graphie(f)), f);
            EXPECT_EQ(base.LocOccFor(&f, 1), positions(f, f)) << base.Graphie(f);
            const int32_t paire[] = {(f + 1) % base.Nbform(), f};
            EXPECT_EQ(base.LocOccFor(paire, 2), positions(f, paire[0])) << base.Graphie(f);
        }
        EXPECT_EQ(base.LocFormDic("absent"), -1);
    }
}

TEST(Charg1, SetTnumTientLIndexAJour) {
    DossierTemporaire dossier;
    SegmenteBase("Le chat. Le chien.\n", "lc");
    charg1 base;
    ASSERT_EQ(base.ChargeBase("lc.par"), 0);
    base.SetTnum(4, 1);
    base.SetTnum(40, 1);
    EXPECT_EQ(base.Tnum(4), 1);
    EXPECT_EQ(base.LocOccFor(1), (std::vector<int32_t>{1, 4}));
    EXPECT_TRUE(base.LocOccFor(2).empty());
}

TEST(Charg1, EntreesDesSegmentsAttaches) {
    DossierTemporaire dossier;
    SegmenteBase("Le chat. Le chien.\n", "lc");
    charg1 base;
    ASSERT_EQ(base.ChargeBase("lc.par"), 0);
    EXPECT_EQ(base.RetourneGraphie(5, false), "");
    const SegmentsDonnes premiers({{0, 1}, {0, 2}, {1, 3}}, {{0}, {3}, {1}});
    const SegmentsDonnes seconds({{0, 1}, {0, 2}}, {{0}, {3}});
    base.AssigneSR(&premiers);
    EXPECT_EQ(base.NbTotEntites(), 7);
    base.AssigneSR(&seconds);
    EXPECT_EQ(base.NbFormSup(), 2);
    EXPECT_EQ(base.NbTotEntites(), 6);
    // Entry Nbart() stands for nothing; segment k is Nbart() + 1 + k.
    EXPECT_EQ(base.RetourneGraphie(4, false), "");
    const std::string premier = base.RetourneGraphie(5, true);
    const std::string second = base.RetourneGraphie(6, true);
    EXPECT_EQ(premier, "Le chat ");
    EXPECT_EQ(second, "Le chien ");
    EXPECT_EQ(base.RetourneGraphie(7, true), "");
    EXPECT_EQ(base.LocOccFor(6), (std::vector<int32_t>{3}));
    EXPECT_TRUE(base.LocOccFor(4).empty());
    EXPECT_TRUE(base.LocOccFor(7).empty());
    const int32_t entrees[] = {6, 2, 5};
    EXPECT_EQ(base.LocOccFor(entrees, 3), (std::vector<int32_t>{0, 3, 4}));
    base.AssigneSR(nullptr);
    EXPECT_EQ(base.NbTotEntites(), 4);
    EXPECT_EQ(base.RetourneGraphie(5, true), "");
}
