// t3 charge, t3 dico and t3 partition, run as the user runs them.
#include "AideCorpus.h"

#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

using namespace t3test;
namespace fs = std::filesystem;

namespace {

struct Sortie {
    int statut = -1;
    std::string texte; // standard output, then the error stream
};

Sortie T3(const std::string& arguments) {
    Sortie s;
    const std::string commande = std::string(T3_BIN_DIR) + "/t3 " + arguments + " 2>&1";
    std::FILE* f = ::popen(commande.c_str(), "r");
    if (!f) return s;
    char tampon[4096];
    for (size_t n; (n = std::fread(tampon, 1, sizeof tampon, f)) > 0;)
        s.texte.append(tampon, n);
    const int etat = ::pclose(f);
    s.statut = WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    return s;
}

// The base "corpus" in the folder "base", so that the commands must make that folder current.
void BaseDansSousDossier(const std::string& texte) {
    fs::create_directory("base");
    fs::current_path("base");
    SegmenteBase(texte);
    fs::current_path("..");
}

} // namespace

TEST(CmdBase, ChargeAfficheLesComptesOuLErreur) {
    DossierTemporaire dossier;
    BaseDansSousDossier("Le chat. Le chien.\n");
    const Sortie s = T3("charge base/corpus.par");
    EXPECT_EQ(s.statut, 0) << s.texte;
    EXPECT_EQ(s.texte,
              "Compte\tValeur\nbase\tcorpus\nitems\t7\narticles\t4\noccurrences\t4\nformes\t3\n"
              "fréquence maximale\t2\nhapax\t2\nponctuations\t1\ntypes de clés\t0\ncontenus de clés\t0\n"
              "lignes\t1\n");
    // A .num cut short: the loader's message, and the failure status.
    const std::string num = LitFichier("base/corpus.num");
    EcritFichier("base/corpus.num", num.substr(0, num.size() - 4));
    const Sortie tronque = T3("charge base/corpus.par");
    EXPECT_EQ(tronque.statut, 2);
    EXPECT_EQ(tronque.texte, "t3 : base/corpus.par : Erreur de lecture du texte numérisé\n");
    EXPECT_EQ(T3("charge base/absent.par").statut, 2);
    EXPECT_EQ(T3("charge").statut, 2);
}

TEST(CmdBase, DicoDansLOrdreDesEntreesOuLexicographique) {
    DossierTemporaire dossier;
    // été (Windows-1252) comes out in UTF-8; the frequency order puts b first, the lexicographic one a.
    BaseDansSousDossier("b b \xE9t\xE9 a\n");
    const Sortie s = T3("dico base/corpus.par");
    EXPECT_EQ(s.statut, 0) << s.texte;
    EXPECT_EQ(s.texte,
              "Entrée\tGraphie\tFréquence\tRang lexicographique\n0\tb\t2\t1\n1\ta\t1\t0\n2\tété\t1\t2\n");
    const Sortie alpha = T3("dico base/corpus.par --alpha");
    EXPECT_EQ(alpha.texte,
              "Entrée\tGraphie\tFréquence\tRang lexicographique\n1\ta\t1\t0\n0\tb\t2\t1\n2\tété\t1\t2\n");
    EXPECT_EQ(T3("dico base/corpus.par --tri").statut, 2);
}

TEST(CmdBase, PartitionParTypeDeCle) {
    DossierTemporaire dossier;
    BaseDansSousDossier("<a=x> u v <a=y> w <a=x> u <b=\xE9> u\n");
    const Sortie s = T3("partition base/corpus.par a");
    EXPECT_EQ(s.statut, 0) << s.texte;
    EXPECT_EQ(s.texte, "Partie\tOccurrences\tFormes\tHapax\tFmax\tForme la plus fréquente\n"
                       "x\t4\t2\t1\t3\tu\ny\t1\t1\t1\t1\tw\n");
    const Sortie b = T3("partition base/corpus.par b");
    EXPECT_EQ(b.texte,
              "Partie\tOccurrences\tFormes\tHapax\tFmax\tForme la plus fréquente\né\t5\t3\t2\t3\tu\n");
    const Sortie absente = T3("partition base/corpus.par auteur");
    EXPECT_EQ(absente.statut, 2);
    EXPECT_EQ(absente.texte,
              "t3 : le type de clé « auteur » n'existe pas dans la base (types de clés : a, b).\n");
    EXPECT_EQ(T3("partition base/corpus.par").statut, 2);
}
