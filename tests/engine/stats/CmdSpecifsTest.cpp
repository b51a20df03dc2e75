// t3 specifs, run as the user runs it, on a base in another folder.
#include "AideTests.h"

#include <gtest/gtest.h>

#include <filesystem>

using t3test::DossierTemporaire;
using t3test::SortieT3;
namespace fs = std::filesystem;

namespace {

constexpr auto T3 = t3test::ExecuteT3APart;

// Two authors of 100 occurrences (stats_deux_auteurs.txt): été 10 times, all by Sévigné; y 2 times by
// Sévigné and 18 by Zola; z 9 times, all by Sévigné; m fills the rest.
class CmdSpecifs : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(
            t3test::SegmenteDans("base", t3test::LitFichier(t3test::Donnee("stats_deux_auteurs.txt"))));
    }
    // t3 specifs on the base of the two authors succeeds and prints sortie.
    void Attend(const std::string& arguments, const std::string& sortie) {
        const SortieT3 r = T3("specifs base/corpus.par auteur " + arguments);
        EXPECT_EQ(r.statut, 0) << arguments << "\n" << r.erreurs;
        EXPECT_EQ(r.sortie, sortie) << arguments;
    }
    DossierTemporaire m_dossier;
};

} // namespace

TEST_F(CmdSpecifs, ListeDesPartiesEtudiees) {
    const SortieT3 r = T3("specifs base/corpus.par auteur --parties=Sévigné");
    EXPECT_EQ(r.statut, 0) << r.erreurs;
    EXPECT_EQ(r.sortie, "Terme\tFrq Tot.\tFrq Partie\tSpécif\nété\t10\t10\t4\ny\t20\t2\t-4\n");

    const SortieT3 z = T3("specifs base/corpus.par auteur --parties=Zola --fmin=9 --seuil=5");
    EXPECT_EQ(z.statut, 0) << z.erreurs;
    EXPECT_EQ(z.sortie, "Terme\tFrq Tot.\tFrq Partie\tSpécif\ny\t20\t18\t4\nz\t9\t0\t-3\nété\t10\t0\t-4\n");

    // Both parts make the whole reference corpus: nothing is specific. The same for a group that is
    // the whole of a restricted reference corpus, and for a threshold of 0.
    for (const char* arguments :
         {"--parties=Sévigné,Zola", "--parties=Zola --reference=Zola", "--parties=Zola --seuil=0"}) {
        const SortieT3 vide = T3(std::string("specifs base/corpus.par auteur ") + arguments);
        EXPECT_EQ(vide.statut, 0) << arguments << vide.erreurs;
        EXPECT_EQ(vide.sortie, "Terme\tFrq Tot.\tFrq Partie\tSpécif\n") << arguments;
    }
}

TEST_F(CmdSpecifs, TableauDeToutesLesParties) {
    const SortieT3 r = T3("specifs base/corpus.par auteur --toutes --fmin=9");
    EXPECT_EQ(r.statut, 0) << r.erreurs;
    EXPECT_EQ(r.sortie, "Formes\tSévigné\tSpécif Sévigné\tZola\tSpécif Zola\n"
                        "m\t79\t\t82\t\n"
                        "y\t2\t-4\t18\t+4\n"
                        "été\t10\t+4\t0\t-4\n"
                        "z\t9\t+3\t0\t-3\n");
    // One reference part only: one pair of columns, and that part is the whole reference corpus.
    const SortieT3 seule = T3("specifs base/corpus.par auteur --toutes --reference=Zola");
    EXPECT_EQ(seule.statut, 0) << seule.erreurs;
    EXPECT_EQ(seule.sortie, "Formes\tZola\tSpécif Zola\nm\t82\t\ny\t18\t\nété\t0\t\nz\t0\t\n");
}

// Evolutive specificities: Zola, the last part, against both authors; Sévigné, the first, against
// herself alone, as Zola once Sévigné is the whole reference corpus.
TEST_F(CmdSpecifs, SpecificitesEvolutives) {
    const std::string entete = "Terme\tFrq Tot.\tFrq Partie\tSpécif\n";
    Attend("--evolutives=Zola", entete + "y\t20\t18\t4\nété\t10\t0\t-4\n");
    Attend("--evolutives=Sévigné --fmin=9", entete);
    Attend("--evolutives=Zola --reference=Zola", entete);
}

// The table sorted by one part's column as a first click on its header sorts it: by descending
// frequency, forms of equal frequency in their former order (entry order); by descending coefficient,
// m (none) last.
TEST_F(CmdSpecifs, TableauTrie) {
    const std::string entete = "Formes\tSévigné\tSpécif Sévigné\tZola\tSpécif Zola\n";
    const std::string m = "m\t79\t\t82\t\n", y = "y\t2\t-4\t18\t+4\n", ete = "été\t10\t+4\t0\t-4\n",
                      z = "z\t9\t+3\t0\t-3\n";
    Attend("--toutes --fmin=9 --tri=Zola", entete + m + y + ete + z);
    Attend("--toutes --fmin=9 --tri=Sévigné:specificite", entete + ete + z + y + m);
    Attend("--toutes --fmin=9 --tri=Sévigné:frequence", entete + m + ete + z + y);
}

TEST_F(CmdSpecifs, MessagesDErreur) {
    struct Cas {
        const char* arguments;
        const char* message;
    };
    const Cas cas[] = {
        {"specifs", "il manque la base (fichier .par)."},
        {"specifs base/corpus.par", "il manque le type de clé de la partition."},
        {"specifs base/corpus.par auteur",
         "il manque les parties étudiées (--parties=P1,P2...), --evolutives=PARTIE ou --toutes."},
        {"specifs base/corpus.par auteur --toutes --parties=Zola",
         "--parties et --toutes ne vont pas ensemble."},
        {"specifs base/corpus.par auteur --parties=Zola --seuil=101",
         "la valeur de --seuil doit être un pourcentage entier de 0 à 100 : 101"},
        {"specifs base/corpus.par auteur --parties=Zola --fmin=0",
         "la valeur de --fmin doit être un nombre entier au moins égal à 1 : 0"},
        {"specifs base/corpus.par auteur --parties=Zola --fmin=dix",
         "la valeur de --fmin doit être un nombre entier au moins égal à 1 : dix"},
        {"specifs base/corpus.par auteur --parties=Zola --fmin=99999999999",
         "la valeur de --fmin est trop grande : 99999999999"},
        {"specifs base/corpus.par auteur --parties=Zola --couleur=1", "argument inattendu : --couleur=1"},
        {"specifs base/absente.par auteur --parties=Zola", "la base base/absente.par n'existe pas."},
        {"specifs base/corpus.par titre --parties=Zola",
         "le type de clé « titre » n'existe pas dans la base ; types de clés : auteur."},
        {"specifs base/corpus.par auteur --parties=Hugo",
         "la partie « Hugo » n'existe pas dans la partition par « auteur »."},
        {"specifs base/corpus.par auteur --parties=Zola --reference=Sévigné",
         "la partie « Zola » n'est pas dans le corpus de référence."},
        {"specifs base/corpus.par auteur --parties=Zola --reference=,",
         "le corpus de référence (--reference) est vide."},
        {"specifs base/corpus.par auteur --evolutives=Zola --parties=Zola",
         "--evolutives et --parties ne vont pas ensemble."},
        {"specifs base/corpus.par auteur --toutes --evolutives=Zola",
         "--evolutives et --toutes ne vont pas ensemble."},
        {"specifs base/corpus.par auteur --evolutives=Zola,Sévigné",
         "--evolutives attend une partie et une seule : Zola,Sévigné"},
        {"specifs base/corpus.par auteur --evolutives=", "--evolutives attend une partie et une seule : "},
        {"specifs base/corpus.par auteur --evolutives=Hugo",
         "la partie « Hugo » n'existe pas dans la partition par « auteur »."},
        {"specifs base/corpus.par auteur --evolutives=Zola --reference=Sévigné",
         "la partie « Zola » n'est pas dans le corpus de référence."},
        {"specifs base/corpus.par auteur --parties=Zola --tri=Zola", "--tri ne va qu'avec --toutes."},
        {"specifs base/corpus.par auteur --toutes --tri=:frequence",
         "il manque la partie de --tri (--tri=PARTIE[:frequence|:specificite])."},
        {"specifs base/corpus.par auteur --toutes --tri=Hugo",
         "la partie « Hugo » n'existe pas dans la partition par « auteur »."},
        {"specifs base/corpus.par auteur --toutes --tri=Zola --reference=Sévigné",
         "la partie « Zola » n'est pas dans le corpus de référence."},
    };
    for (const Cas& c : cas) {
        const SortieT3 r = T3(c.arguments);
        EXPECT_EQ(r.statut, 2) << c.arguments;
        EXPECT_EQ(r.erreurs.rfind(std::string("t3 : ") + c.message + "\n", 0), 0u) << c.arguments << "\n"
                                                                                   << r.erreurs;
        EXPECT_EQ(r.sortie, "") << c.arguments;
    }
    // A damaged base: the loader's message, and no list.
    fs::resize_file("base/corpus.num", 12);
    const SortieT3 abime = T3("specifs base/corpus.par auteur --parties=Zola");
    EXPECT_EQ(abime.statut, 2);
    EXPECT_EQ(abime.erreurs, "t3 : base/corpus.par : Erreur de lecture du texte numérisé\n");
    EXPECT_EQ(abime.sortie, "");
}
