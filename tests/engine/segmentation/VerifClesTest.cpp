#include "AideTests.h"

#include "engine/Globaux.h"
#include "engine/segmentation/SegmPrinc.h"
#include "engine/segmentation/VerifCles.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace t3;
using t3test::DossierTemporaire;
using t3test::EcritFichier;
using t3test::LitFichier;

namespace {

struct Verification {
    int32_t erreurs;
    std::vector<MessageCle> messages;
};

Verification Verifie(const std::string& texte) {
    EcritFichier("corpus.txt", texte);
    Verification v;
    v.erreurs = *VerifCles("corpus.txt", &v.messages);
    return v;
}

// The one message that the text raises.
std::string SeulMessage(const std::string& texte) {
    const Verification v = Verifie(texte);
    EXPECT_EQ(v.messages.size(), 1u) << texte;
    return v.messages.empty() ? std::string() : v.messages[0].texte;
}

} // namespace

TEST(VerifCles, AccepteLesClesCorrectes) {
    DossierTemporaire dossier;
    for (const char* texte :
         {"<date=mars>", "<date =mars>", "<date= mars >", "<titre=a=b> texte", "sans cl\xE9\xFF"}) {
        const Verification v = Verifie(texte);
        EXPECT_EQ(v.erreurs, 0) << texte;
        EXPECT_TRUE(v.messages.empty()) << texte;
    }
}

TEST(VerifCles, SignaleChaqueFauteAvecSonMessageExact) {
    DossierTemporaire dossier;
    EXPECT_EQ(SeulMessage("< date=mars>"),
              "\nL    1 Cl\xE9 incorrecte (espace dans type) \t\t: < date=mars>");
    EXPECT_EQ(SeulMessage("<date=1er mars>"),
              "\nL    1 Cl\xE9 incorrecte (espace dans contenu)  : <date=1er mars>");
    EXPECT_EQ(SeulMessage("<date=>"), "\nL    1 Cl\xE9 incorrecte (pas de contenu) \t\t: <date=>");
    EXPECT_EQ(SeulMessage("<date>"), "\nL    1 Cl\xE9 incorrecte (pas d'=)\t\t\t\t\t: <date>");
    EXPECT_EQ(SeulMessage("\n\n\n\n<a=b"), "\nL    5 Cl\xE9 incorrecte \t\t\t\t\t\t\t\t: <a=b");
}

TEST(VerifCles, UneCleNonFermeeSArreteALaCleSuivante) {
    DossierTemporaire dossier;
    const Verification v = Verifie("<date=mars\n<titre=x y>\n");
    ASSERT_EQ(v.messages.size(), 2u);
    EXPECT_EQ(v.messages[0].texte, "\nL    2 Cl\xE9 incorrecte \t\t\t\t\t\t\t\t: <date=mars\n<");
    EXPECT_EQ(v.messages[1].texte, "\nL    2 Cl\xE9 incorrecte (espace dans contenu)  : <titre=x y>");
    EXPECT_EQ(v.erreurs, 2);
    // An unclosed key holding a space raises two errors.
    EXPECT_EQ(Verifie("<a=b c\n<x=y>").erreurs, 2);
}

TEST(VerifCles, UneCleTropLongueEstNonFermeeEtSonChevronEstUnAvertissement) {
    DossierTemporaire dossier;
    const Verification v = Verifie("<" + std::string(300, 'x') + ">");
    ASSERT_EQ(v.messages.size(), 2u);
    EXPECT_TRUE(v.messages[0].erreur);
    EXPECT_EQ(v.messages[0].texte.size(),
              std::string("\nL    1 Cl\xE9 incorrecte \t\t\t\t\t\t\t\t: ").size() + 250);
    EXPECT_FALSE(v.messages[1].erreur);
    EXPECT_EQ(v.erreurs, 1);
}

TEST(VerifCles, LeChevronIsoleEstUnAvertissementQuiNeComptePas) {
    DossierTemporaire dossier;
    const Verification v = Verifie("a\nb\n1 > 0\n");
    EXPECT_EQ(v.erreurs, 0);
    ASSERT_EQ(v.messages.size(), 1u);
    EXPECT_EQ(v.messages[0].texte,
              "\nL    3 Cl\xE9 incorrecte \t\t\t\t\t\t\t\t: Mauvais emplacement de balise de fermeture");
}

TEST(VerifCles, TrouveChaqueCleEtChaqueLigneAToutesLesPositionsDUnLongTexte) {
    DossierTemporaire dossier;
    // Lines of every length, filled with bytes near "<", ">" and the line feed (and the same with the
    // high bit set), with a faulty key or a lone ">" at every column; the text outgrows a read buffer.
    const std::string voisins = "=;?\t\x0B\xBC\xBE\x8A x";
    const auto numero = [](long ligne) {
        const std::string chiffres = std::to_string(ligne);
        return "\nL" + std::string(5 - std::min<size_t>(5, chiffres.size()), ' ') + chiffres;
    };
    std::string texte;
    std::vector<std::string> attendus;
    int32_t fautes = 0;
    for (long ligne = 1; texte.size() < (3u << 19); ++ligne) {
        const size_t longueur = static_cast<size_t>(ligne * 7 % 61);
        std::string contenu;
        for (size_t i = 0; i < longueur; ++i)
            contenu += voisins[(ligne + i) % voisins.size()];
        const size_t colonne = static_cast<size_t>(ligne % 67) % (longueur + 1);
        const auto place = [&](const char* insere) {
            contenu = contenu.substr(0, colonne) + insere + contenu.substr(colonne);
        };
        if (ligne % 5 == 0) {
            place("<k>");
            attendus.push_back(numero(ligne) + " Cl\xE9 incorrecte (pas d'=)\t\t\t\t\t: <k>");
            ++fautes;
        } else if (ligne % 5 == 2) {
            place(">");
            attendus.push_back(
                numero(ligne) +
                " Cl\xE9 incorrecte \t\t\t\t\t\t\t\t: Mauvais emplacement de balise de fermeture");
        }
        texte += contenu + "\n";
    }
    const Verification v = Verifie(texte);
    std::vector<std::string> recus;
    for (const MessageCle& m : v.messages)
        recus.push_back(m.texte);
    ASSERT_EQ(recus.size(), attendus.size());
    for (size_t i = 0; i < recus.size(); ++i)
        ASSERT_EQ(recus[i], attendus[i]) << i;
    EXPECT_EQ(v.erreurs, fautes);
}

// Keys that would give a dictionary that cannot be read back.
TEST(VerifCles, RefuseLesClesVidesOuPortantUnCaractereDeControle) {
    DossierTemporaire dossier;
    EXPECT_EQ(SeulMessage("<=mars>"), "\nL    1 Cl\xE9 incorrecte (pas de type) \t\t\t: <=mars>");
    EXPECT_EQ(SeulMessage("< =x>"), "\nL    1 Cl\xE9 incorrecte (pas de type) \t\t\t: < =x>");
    EXPECT_EQ(SeulMessage("<date= >"), "\nL    1 Cl\xE9 incorrecte (pas de contenu) \t\t: <date= >");
    EXPECT_EQ(SeulMessage("<date=ma\trs>"),
              "\nL    1 Cl\xE9 incorrecte (caract\xE8re de contr\xF4le) \t: <date=ma\trs>");
    EXPECT_EQ(SeulMessage("<da\nte=mars>"),
              "\nL    2 Cl\xE9 incorrecte (caract\xE8re de contr\xF4le) \t: <da\nte=mars>");
    EXPECT_EQ(SeulMessage("<a=" + std::string(127, 'c') + ">"),
              "\nL    1 Cl\xE9 incorrecte (type ou contenu trop long) \t: <a=" + std::string(127, 'c') + ">");
    EXPECT_EQ(Verifie("<a=" + std::string(126, 'c') + ">").erreurs, 0);
}

TEST(VerifCles, RepartDeZeroAChaqueVerificationEtTronqueLaTrace) {
    DossierTemporaire dossier;
    EcritFichier("corpus.txt", "x\n<date>\n");
    EXPECT_EQ(*VerifCles("corpus.txt"), 1);
    EXPECT_EQ(*VerifCles("corpus.txt"), 1);
    EXPECT_EQ(LitFichier("atrace.txt"), "\n*****COMPTE-RENDU DE LA SEGMENTATION*****\n\n"
                                        "Fichier -- corpus.txt -- ouvert pour v\xE9rification"
                                        "\nL    2 Cl\xE9 incorrecte (pas d'=)\t\t\t\t\t: <date>"
                                        "\n*****Fin de la v\xE9rification******");
    EXPECT_EQ(VerifCles("absent.txt").Code(), VerifTexteIllisible);
    EXPECT_NE(LitFichier("atrace.txt").find("\nfichier absent.txt pas ouvert !"), std::string::npos);
}

// A corpus that is the trace file itself is left untouched, by the verification and by the
// segmentation; a folder or a device is no text.
TEST(VerifCles, NeTouchePasAUnCorpusQuiEstLaTraceEtRefuseCeQuiNEstPasUnFichier) {
    DossierTemporaire dossier;
    const std::string texte = "<titre=un> le texte de l'utilisateur\n";
    EcritFichier("atrace.txt", texte);
    std::filesystem::create_hard_link("atrace.txt", "lien.txt");
    EXPECT_EQ(VerifCles("atrace.txt").Code(), VerifCorpusEstLaTrace);
    EXPECT_EQ(VerifCles("./lien.txt").Code(), VerifCorpusEstLaTrace);
    EXPECT_EQ(SegmPrinc("lien.txt", DelimParDefaut), ResultatSegm::CorpusEstLaTrace);
    EXPECT_EQ(LitFichier("atrace.txt"), texte);
    EXPECT_FALSE(std::filesystem::exists("lien.par"));

    std::filesystem::create_directory("dossier.txt");
    EXPECT_EQ(VerifCles("dossier.txt").Code(), VerifTexteIllisible);
    EXPECT_EQ(VerifCles("/dev/zero").Code(), VerifTexteIllisible);
    EXPECT_EQ(SegmPrinc("/dev/zero", DelimParDefaut), ResultatSegm::TexteNonOuvert);
}
