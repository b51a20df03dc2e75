// t3 selection and t3 segments --tri, run as the user runs them.
#include "AideTests.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using t3test::DossierTemporaire;
using t3test::ExecuteT3;
using t3test::SegmenteDans;
using t3test::SortieT3;

namespace {

// "été b c" three times, "été b" four, "a b" five.
constexpr char Texte[] = "x \xE9t\xE9 b c y . z \xE9t\xE9 b c w . v \xE9t\xE9 b c u . t \xE9t\xE9 b s .\n"
                         "a b . a b . a b . a b . a b .\n";

void Verifie(const std::string& arguments, const std::string& attendu) {
    const SortieT3 s = ExecuteT3(arguments);
    EXPECT_EQ(s.statut, 0) << arguments << "\n" << s.sortie;
    EXPECT_EQ(s.sortie, attendu) << arguments;
}

} // namespace

// The request types over the forms, then over the segments computed first; a list file, with Windows
// line ends, before and after the segments.
TEST(CmdSelection, RequetesEtListes) {
    DossierTemporaire dossier;
    ASSERT_TRUE(SegmenteDans("base", Texte));
    // Forms: b (9), a (5), été (4), c (3), then the hapaxes.
    Verifie("selection base/corpus.par été", "Entrée\tGraphie\tFréquence\n2\tété\t4\n");
    Verifie("selection base/corpus.par ét. --type=0", "Entrée\tGraphie\tFréquence\n");
    Verifie("selection base/corpus.par ét. --type=1", "Entrée\tGraphie\tFréquence\n2\tété\t4\n");
    Verifie("selection base/corpus.par '^[a-c]$' --type=4",
            "Entrée\tGraphie\tFréquence\n0\tb\t9\n1\ta\t5\n3\tc\t3\n");

    // Segments are entries after the dictionary (Nbart() is 6 here: a b c d and two signs), searched
    // after the forms on their text, forms each followed by a blank; the form threshold is the
    // default, 4 here.
    ASSERT_TRUE(SegmenteDans("petite", "a b c . a b c . a b c ! a b d .\n"));
    Verifie("selection petite/corpus.par b. --type=3 --segments=3",
            "Entrée\tGraphie\tFréquence\n7\ta b c\t3\n8\ta b\t4\n");
    Verifie("selection petite/corpus.par b. --type=3", "Entrée\tGraphie\tFréquence\n");
    Verifie("selection petite/corpus.par b. --type=3 --segments", // threshold 4
            "Entrée\tGraphie\tFréquence\n7\ta b\t4\n");
    t3test::EcritFichier("groupe.lst", "a b \r\nc\r\n!\r\na b c ");
    Verifie("selection petite/corpus.par --liste=groupe.lst", "Entrée\tGraphie\tFréquence\n2\tc\t3\n");
    Verifie("selection petite/corpus.par --liste=groupe.lst --segments=3",
            "Entrée\tGraphie\tFréquence\n8\ta b\t4\n2\tc\t3\n7\ta b c\t3\n");
}

// Faulty arguments, an invalid pattern and a missing list get a French message and the failure status.
TEST(CmdSelection, MessagesDesFautes) {
    DossierTemporaire dossier;
    ASSERT_TRUE(SegmenteDans("base", Texte));
    const auto echoue = [](const std::string& arguments, const std::string& message) {
        const SortieT3 s = ExecuteT3(arguments);
        EXPECT_EQ(s.statut, 2) << arguments;
        EXPECT_NE(s.sortie.find(message), std::string::npos) << arguments << "\n" << s.sortie;
    };
    echoue("selection base/corpus.par '(a' --type=3",
           "le motif « .*(a.* » est incorrect : il manque une parenthèse fermante (position 6).");
    echoue("selection base/corpus.par '(*NO_START_OPT)(*NO_JIT)^(?:|){19}(?!)' --type=4",
           "(*NO_START_OPT) ne fait que ralentir la recherche.");
    echoue("selection base/corpus.par '^(?:|){40}(?!)' --type=4",
           "demande trop de calculs : son budget est épuisé");
    echoue("selection base/corpus.par a --type=5", "--type doit être un nombre entier de 0 à 4");
    echoue("selection base/corpus.par", "donnez soit un motif, soit --liste=FICHIER.lst");
    echoue("selection base/corpus.par a --liste=x.lst", "donnez soit un motif, soit --liste=FICHIER.lst");
    echoue("selection base/corpus.par --liste=x.lst --type=1", "--type ne vaut que pour un motif");
    echoue("selection base/corpus.par --liste=absente.lst",
           "la liste « absente.lst » ne peut être lue : le fichier ou son dossier n'existe pas.");
    // A device or a pipe is refused at once, without being read or waited for.
    ASSERT_EQ(::mkfifo("tube.lst", 0600), 0);
    for (const std::string chemin : {"/dev/zero", "tube.lst"})
        echoue("selection base/corpus.par --liste=" + chemin,
               "la liste « " + chemin + " » ne peut être lue : ce n'est pas un fichier ordinaire");
    echoue("selection base/corpus.par a --segments=1",
           "--segments doit être un nombre entier au moins égal à 2");
    echoue("selection", "il manque la base");
}

// The three orders of the segments window's columns; an unknown one is refused.
TEST(CmdSegments, TrisDesColonnes) {
    DossierTemporaire dossier;
    ASSERT_TRUE(SegmenteDans("base", Texte));
    const std::string tete = "Longueur\tSegment\tFréquence\n";
    Verifie("segments base/corpus.par --seuil=3 --formes=2",
            tete + "2\ta b\t5\n3\tété b c\t3\n2\tété b\t4\n");
    Verifie("segments base/corpus.par --seuil=3 --formes=2 --tri=lg",
            tete + "2\ta b\t5\n2\tété b\t4\n3\tété b c\t3\n");
    Verifie("segments base/corpus.par --seuil=3 --formes=2 --tri=segment",
            tete + "2\ta b\t5\n2\tété b\t4\n3\tété b c\t3\n");
    Verifie("segments base/corpus.par --seuil=3 --formes=2 --tri=frq",
            tete + "2\ta b\t5\n2\tété b\t4\n3\tété b c\t3\n");
    const SortieT3 s = ExecuteT3("segments base/corpus.par --tri=longueur");
    EXPECT_EQ(s.statut, 2);
    EXPECT_NE(s.sortie.find("la valeur de --tri doit être lg, segment ou frq : longueur"), std::string::npos)
        << s.sortie;
}
