// t3 charge, t3 dico and t3 partition, run as the user runs them.
#include "AideCorpus.h"

#include <filesystem>

using namespace t3test;
namespace fs = std::filesystem;

TEST(CmdBase, ChargeAfficheLesComptesOuLErreur) {
    DossierTemporaire dossier;
    ASSERT_TRUE(SegmenteDans("base", "Le chat. Le chien.\n"));
    const SortieT3 s = ExecuteT3("charge base/corpus.par");
    EXPECT_EQ(s.statut, 0) << s.sortie;
    EXPECT_EQ(s.sortie,
              "Compte\tValeur\nbase\tcorpus\nitems\t7\narticles\t4\noccurrences\t4\nformes\t3\n"
              "fréquence maximale\t2\nhapax\t2\nponctuations\t1\ntypes de clés\t0\ncontenus de clés\t0\n"
              "lignes\t1\n");
    // The loader traces beside the base, not in the folder t3 was run from.
    EXPECT_EQ(LitFichier("base/atrace.txt").rfind("LecParam\n", 0), 0u);
    EXPECT_FALSE(fs::exists("atrace.txt"));
    // A .num cut short: the loader's message, and the failure status.
    const std::string num = LitFichier("base/corpus.num");
    EcritFichier("base/corpus.num", num.substr(0, num.size() - 4));
    const SortieT3 tronque = ExecuteT3("charge base/corpus.par");
    EXPECT_EQ(tronque.statut, 2);
    EXPECT_EQ(tronque.sortie, "t3 : base/corpus.par : Erreur de lecture du texte numérisé\n");
    EXPECT_EQ(ExecuteT3("charge base/absent.par").statut, 2);
    EXPECT_EQ(ExecuteT3("charge").statut, 2);
}

TEST(CmdBase, DicoDansLOrdreDesEntreesOuLexicographique) {
    DossierTemporaire dossier;
    // été (Windows-1252) comes out in UTF-8; the frequency order puts b first, the lexicographic one a.
    ASSERT_TRUE(SegmenteDans("base", "b b \xE9t\xE9 a\n"));
    const SortieT3 s = ExecuteT3("dico base/corpus.par");
    EXPECT_EQ(s.statut, 0) << s.sortie;
    EXPECT_EQ(s.sortie,
              "Entrée\tGraphie\tFréquence\tRang lexicographique\n0\tb\t2\t1\n1\ta\t1\t0\n2\tété\t1\t2\n");
    const SortieT3 alpha = ExecuteT3("dico base/corpus.par --alpha");
    EXPECT_EQ(alpha.sortie,
              "Entrée\tGraphie\tFréquence\tRang lexicographique\n1\ta\t1\t0\n0\tb\t2\t1\n2\tété\t1\t2\n");
    EXPECT_EQ(ExecuteT3("dico base/corpus.par --tri").statut, 2);
}

TEST(CmdBase, PartitionParTypeDeCle) {
    DossierTemporaire dossier;
    ASSERT_TRUE(SegmenteDans("base", "<a=x> u v <a=y> w <a=x> u <b=\xE9> u\n"));
    const SortieT3 s = ExecuteT3("partition base/corpus.par a");
    EXPECT_EQ(s.statut, 0) << s.sortie;
    EXPECT_EQ(s.sortie, "Partie\tOccurrences\tFormes\tHapax\tFmax\tForme la plus fréquente\n"
                        "x\t4\t2\t1\t3\tu\ny\t1\t1\t1\t1\tw\n");
    const SortieT3 b = ExecuteT3("partition base/corpus.par b");
    EXPECT_EQ(b.sortie,
              "Partie\tOccurrences\tFormes\tHapax\tFmax\tForme la plus fréquente\né\t5\t3\t2\t3\tu\n");
    const SortieT3 absente = ExecuteT3("partition base/corpus.par auteur");
    EXPECT_EQ(absente.statut, 2);
    EXPECT_EQ(absente.sortie,
              "t3 : le type de clé « auteur » n'existe pas dans la base (types de clés : a, b).\n");
    EXPECT_EQ(ExecuteT3("partition base/corpus.par").statut, 2);
}

// What t3 prints cannot drive the terminal: the control characters of a corpus are escaped; the base
// name, a file name, is shown as the file system has it, not converted a second time.
TEST(CmdBase, CeQuiEstAfficheNePiloteJamaisLeTerminal) {
    DossierTemporaire dossier;
    fs::create_directory("base");
    fs::current_path("base");
    // Bytes 0x81 and 0x7F are word characters of a form; 0x81 and 0x9D stand for C1 controls.
    EcritFichier("corpüs.txt", "a\x81\x9D"
                               "31m mot\x7F mot\n");
    ASSERT_EQ(t3::SegmPrinc("corpüs.txt", t3::DelimParDefaut), t3::ResultatSegm::Ok);
    fs::current_path("..");
    SortieT3 s = ExecuteT3("charge base/corpüs.par");
    EXPECT_EQ(s.statut, 0) << s.sortie;
    EXPECT_NE(s.sortie.find("base\tcorpüs\n"), std::string::npos) << s.sortie;
    s = ExecuteT3("dico base/corpüs.par");
    EXPECT_EQ(s.sortie.find("\xC2\x9D"), std::string::npos); // a C1 control (the OSC introducer)
    EXPECT_EQ(s.sortie.find('\x7F'), std::string::npos);
    EXPECT_NE(s.sortie.find("a\\x81\\x9D31m"), std::string::npos) << s.sortie;
    EXPECT_NE(s.sortie.find("mot\\x7F"), std::string::npos) << s.sortie;
}

// Nor do its messages, nor the trace: a name holding an escape sequence is shown escaped; a key type
// typed outside Windows-1252 is named as typed, not as "?????".
TEST(CmdBase, LesMessagesEtLaTraceNePilotentPasLeTerminalNonPlus) {
    DossierTemporaire dossier;
    ASSERT_TRUE(SegmenteDans("base", "<a=x> u v\n"));
    const SortieT3 echappe = ExecuteT3("verifie \"$(printf 'x\\033]0;PWNED\\007.txt')\"");
    EXPECT_EQ(echappe.statut, 2);
    EXPECT_EQ(echappe.sortie.find('\x1B'), std::string::npos) << echappe.sortie;
    EXPECT_NE(echappe.sortie.find("x\\x1B]0;PWNED\\x07.txt"), std::string::npos) << echappe.sortie;
    EcritFichier("y\x1B[31m.txt", "<cl\x1B=1> mot\n");
    EXPECT_EQ(ExecuteT3("verifie \"$(printf 'y\\033[31m.txt')\"").statut, 1);
    EXPECT_EQ(LitFichier("atrace.txt").find('\x1B'), std::string::npos);

    const SortieT3 grec = ExecuteT3("partition base/corpus.par Ελλ");
    EXPECT_EQ(grec.statut, 2);
    EXPECT_NE(grec.sortie.find("« Ελλ »"), std::string::npos) << grec.sortie;
}
