// Every table of t3 written with --csv, read back by the tests' own CSV reader: the same rows as its
// tab-separated text, on a base whose forms hold commas and quotes.
#include "AideTests.h"

#include <gtest/gtest.h>

using namespace t3test;

TEST(CmdCsv, ChaqueTableauEnCsvALesLignesDuTexteTabule) {
    DossierTemporaire dossier;
    // Only "." and ";" cut the text: "chat," and "\"oui\"" are forms.
    std::string texte;
    for (int i = 0; i < 8; ++i)
        texte += i % 2 ? "<p=un> le chat, dit \"oui\". le chat, dort ;\n"
                       : "<p=deux> le chien \xE9t\xE9 dit \"oui\". le chien dort ;\n";
    ASSERT_TRUE(SegmenteDans(".", texte, "corpus", ".;"));
    const char* const commandes[] = {
        "dico corpus.par",
        "partition corpus.par p",
        "specifs corpus.par p --parties=un --fmin=1",
        "specifs corpus.par p --evolutives=un --fmin=1",
        "specifs corpus.par p --toutes --tri=un --fmin=1",
        "ventilation corpus.par p le,'\"oui\"'",
        "segments corpus.par --seuil=2 --formes=2",
        "selection corpus.par '\"' --type=3",
        "concordance corpus.par 'chat,' --partition=p",
        "sections corpus.par --delimiteurs=. --groupe='\"oui\"' --partition=p",
        "sections corpus.par --delimiteurs=';' --specifs=0,2,4 --fmin=1",
    };
    for (const std::string commande : commandes) {
        const SortieT3 tabule = ExecuteT3(commande, ErreursT3::APart);
        const SortieT3 csv = ExecuteT3(commande + " --csv", ErreursT3::APart);
        ASSERT_EQ(csv.statut, 0) << commande << "\n" << csv.erreurs;
        const auto lignes = LitCsv(csv.sortie);
        ASSERT_TRUE(lignes.has_value()) << commande << "\n" << csv.sortie;
        EXPECT_GT(lignes->size(), 1u) << commande;
        EXPECT_EQ(*lignes, LitTabulations(tabule.sortie)) << commande << "\n" << csv.sortie;
    }
    // The forms that CSV quotes are quoted; the byte-order mark comes only with --csv.
    const SortieT3 dico = ExecuteT3("dico corpus.par --csv");
    EXPECT_NE(dico.sortie.find(",\"chat,\","), std::string::npos) << dico.sortie;
    EXPECT_NE(dico.sortie.find(",\"\"\"oui\"\"\","), std::string::npos) << dico.sortie;
    EXPECT_EQ(ExecuteT3("dico corpus.par --csv --bom").sortie, "\xEF\xBB\xBF" + dico.sortie);
    const SortieT3 bom = ExecuteT3("dico corpus.par --bom", ErreursT3::APart);
    EXPECT_EQ(bom.statut, 2);
    EXPECT_EQ(bom.erreurs.rfind("t3 : --bom ne va qu'avec --csv.\n", 0), 0u) << bom.erreurs;
    EXPECT_EQ(ExecuteT3("concordance corpus.par le --html --csv").statut, 2);
    // No segment: a CSV table all the same, of its header alone.
    EXPECT_EQ(ExecuteT3("segments corpus.par --seuil=100 --csv", ErreursT3::APart).sortie,
              "Longueur,Segment,Fréquence\n");
}
