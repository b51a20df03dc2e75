// The exchange file "coran.don" byte for byte on a small base of three parts, the column flags of four
// parts, the repeated segments written after the control line, NI following FreqMin, and the earlier
// file kept whole when the new one cannot be written.
#include "engine/afc/ExportAFC.h"

#include "AideFils.h"
#include "engine/afc/LectureCoranDon.h"
#include "engine/corpus/Partition.h"
#include "stats/BaseDeTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

using t3::ParamAFC;
using t3::Partition;
using t3test::BaseDeTest;

namespace {

// x 3, 1, 1; y 1, 2, 0; a 25-letter word 1, 1, 0; z 0, 1, 1 over the authors a, b, c.
std::string TexteTroisParties() {
    return "<auteur=a>\nx x x y anticonstitutionnellement\n"
           "<auteur=b>\nx y y anticonstitutionnellement z\n"
           "<auteur=c>\nx z\n";
}

int32_t Cle(BaseDeTest& b) {
    return b.Entree("auteur");
}

} // namespace

TEST(ExportAFC, TroisPartiesOctetParOctet) {
    BaseDeTest b(TexteTroisParties());
    ASSERT_TRUE(b.Prete());
    const Partition partition(&b.Base(), Cle(b));
    const ParamAFC param = t3::ParamAFCInitiaux(partition, 2, false);
    EXPECT_EQ(param.ni, 4);
    EXPECT_EQ(param.nj, 3);
    EXPECT_EQ(param.nf, 2);
    const auto texte = t3::TexteCoranDon(partition, param);
    ASSERT_TRUE(texte) << texte.Message();
    EXPECT_EQ(*texte, b.Base().NomBase() + " : auteur\r\n"
                                           "   4   3   5   1   0\r\n"
                                           "   0   1   2\r\n"
                                           "111\r\n"
                                           "(6x,5A4,3F5.0)\r\n"
                                           "    0 x                       3    1    1\r\n"
                                           "    1 y                       1    2    0\r\n"
                                           "    2 anticonstitutionnell    1    1    0\r\n"
                                           "    3 z                       0    1    1\r\n"
                                           "   2   0   0   4 150   0   0\r\n");
    // The first two parts only.
    ParamAFC deux = param;
    deux.nbColonnes = deux.nj = 2;
    deux.nf = 1;
    EXPECT_EQ(t3::TexteCoranDon(partition, deux)->substr(texte->find("\r\n") + 2),
              "   4   2   5   1   0\r\n   0   1\r\n11\r\n(6x,5A4,2F5.0)\r\n"
              "    0 x                       3    1\r\n"
              "    1 y                       1    2\r\n"
              "    2 anticonstitutionnell    1    1\r\n"
              "    3 z                       0    1\r\n"
              "   1   0   0   4 150   0   0\r\n");
    // FreqMin 3 keeps x and y only; the analysis program reads back what was written.
    const ParamAFC trois = t3::ParamAFCInitiaux(partition, 3, false);
    EXPECT_EQ(trois.ni, 2);
    const auto relu = t3::LitTexteCoranDon(*t3::TexteCoranDon(partition, trois));
    ASSERT_TRUE(relu) << relu.Message();
    EXPECT_EQ(relu->nbLignes, 2);
    EXPECT_EQ(relu->nbColonnes, 3);
    EXPECT_EQ(relu->cellules.size(), 5u);
}

TEST(ExportAFC, DrapeauxDesColonnesEtNIRefuse) {
    BaseDeTest b("<auteur=a>\nx y\n<auteur=b>\nx\n<auteur=c>\ny\n<auteur=d>\nx x\n");
    ASSERT_TRUE(b.Prete());
    Partition partition(&b.Base(), Cle(b));
    ASSERT_EQ(partition.NbParties(), 4);
    for (int32_t i = 0; i < 4; ++i)
        partition.SetReference(i, i == 0 || i == 2);
    ParamAFC param = t3::ParamAFCInitiaux(partition, 1, true);
    EXPECT_NE(t3::TexteCoranDon(partition, param)->find("\r\n1212\r\n(6x,5A4,4F5.0)\r\n"), std::string::npos);
    param.drapeauxColonnes = false;
    EXPECT_NE(t3::TexteCoranDon(partition, param)->find("\r\n1111\r\n"), std::string::npos);
    // NI beyond the forms of the base: refused, nothing written.
    param.ni = b.Base().Nbform() + 1;
    EXPECT_FALSE(t3::TexteCoranDon(partition, param));
    param.ni = -1;
    EXPECT_FALSE(t3::TexteCoranDon(partition, param));
}

// The segments at least as frequent as FreqMin get a row after the control line (not the rarer ones),
// numbered as segment entries, labelled by their forms cut to 20 characters, counted by part.
TEST(ExportAFC, SegmentsAuMoinsAussiFrequentsQueFreqMin) {
    BaseDeTest b(TexteTroisParties());
    ASSERT_TRUE(b.Prete());
    t3::charg1& base = b.Base();
    const int32_t x = b.Entree("x"), y = b.Entree("y");
    const std::vector<int32_t> px = base.LocOccFor(x), py = base.LocOccFor(y);
    // Segment 0 "x y" at the first x of each part (3 occurrences); segment 1 "y x" once.
    t3test::SegmentsDonnes segments({{x, y}, {y, x}}, {{px[0], px[3], px[4]}, {py[0]}});
    base.AssigneSR(&segments);
    const Partition partition(&base, Cle(b));
    const auto texte = t3::TexteCoranDon(partition, t3::ParamAFCInitiaux(partition, 2, false));
    base.AssigneSR(nullptr);
    ASSERT_TRUE(texte);
    const std::string controle = "   2   0   0   4 150   0   0\r\n";
    const size_t fin = texte->find(controle);
    ASSERT_NE(fin, std::string::npos);
    char numero[16];
    std::snprintf(numero, sizeof numero, "%5d ", base.Nbart() + 1);
    EXPECT_EQ(texte->substr(fin + controle.size()),
              std::string(numero) + "x y                     1    1    1\r\n");
}

// The size of "coran.don", measured without writing it, is that of the text written, whatever widens its
// fields (a wide header, counts of 100000 or more, the segments' rows); the analysis of a table that the
// memory cannot hold is refused.
TEST(ExportAFC, TailleSansEcrire) {
    BaseDeTest b(TexteTroisParties());
    std::string centMille = "<auteur=a>\n";
    for (int i = 0; i < 100000; ++i)
        centMille += "x ";
    BaseDeTest grande(centMille + "\n<auteur=b>\nx y\n");
    ASSERT_TRUE(b.Prete() && grande.Prete());
    t3::charg1& base = b.Base();
    const std::vector<int32_t> px = base.LocOccFor(b.Entree("x"));
    t3test::SegmentsDonnes segments({{b.Entree("x"), b.Entree("y")}}, {{px[0], px[3], px[4]}});
    base.AssigneSR(&segments);
    const Partition trois(&base, Cle(b));
    const Partition deux(&grande.Base(), Cle(grande));
    ParamAFC large = t3::ParamAFCInitiaux(trois, 1, true);
    large.titre = "un titre";
    large.nj = 123456;
    large.nf = -7;
    ParamAFC colonnes = t3::ParamAFCInitiaux(trois, 2, false);
    colonnes.nbColonnes = 2;
    const std::pair<const Partition*, ParamAFC> cas[] = {
        {&trois, t3::ParamAFCInitiaux(trois, 2, false)},
        {&trois, large},
        {&trois, colonnes},
        {&deux, t3::ParamAFCInitiaux(deux, 1, false)},
    };
    for (const auto& [partition, param] : cas) {
        const t3::TailleAFC taille = t3::EstimeTailleAFC(*partition, param);
        EXPECT_EQ(taille.octets, t3::TexteCoranDon(*partition, param)->size()) << param.ni << " " << param.nj;
        EXPECT_TRUE(t3::VerifieTailleAFC(taille, t3::MemoirePhysique()));
        const auto refus = t3::VerifieTailleAFC(taille, taille.memoire - 1);
        ASSERT_FALSE(refus);
        EXPECT_NE(refus.Message().find("de mémoire, plus que les"), std::string::npos) << refus.Message();
    }
    base.AssigneSR(nullptr);
}

namespace {

std::string Message(const t3::Resultat<void>& r) {
    return r ? std::string() : r.Message();
}

// In a child: tells the failure's message on the error stream.
int Dit(const t3::Resultat<void>& r) {
    std::fputs(Message(r).c_str(), stderr);
    return 0;
}

} // namespace

// "coran.don" is replaced only once the new text is whole: refused parameters, a folder that refuses
// the file, a write cut short (the file size limit standing for a full disk) and a stop leave the earlier
// file byte for byte, say why in French, and leave no temporary file behind.
TEST(ExportAFC, EcritDansLeDossierOuLaisseLAncien) {
    BaseDeTest b(TexteTroisParties());
    ASSERT_TRUE(b.Prete());
    const Partition partition(&b.Base(), Cle(b));
    const auto param = t3::ParamAFCInitiaux(partition, 2, false);
    const std::filesystem::path dossier = b.Dossier().Chemin() / "travail";
    std::filesystem::create_directory(dossier);
    const std::filesystem::path chemin = dossier / "coran.don";
    t3test::EcritFichier(chemin, "ancien\r\n");
    ASSERT_TRUE(t3::EcritCoranDon(dossier.string(), partition, param));
    EXPECT_EQ(t3test::LitFichier(chemin), *t3::TexteCoranDon(partition, param));
    EXPECT_EQ(t3test::Fichiers(dossier), std::vector<std::string>{"coran.don"});

    const std::string ancien = "ancien coran.don\r\n";
    t3test::EcritFichier(chemin, ancien);
    ParamAFC refuse = param;
    refuse.ni = b.Base().Nbform() + 1;
    const auto niRefuse = t3::EcritCoranDon(dossier.string(), partition, refuse);
    ASSERT_FALSE(niRefuse);
    EXPECT_EQ(niRefuse.Code(), 1);
    EXPECT_EQ(t3test::LitFichier(chemin), ancien);

    // The folder closed to writing (to an ordinary user, the one the child takes when run by root).
    std::filesystem::permissions(dossier,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const std::string ferme = t3test::DansUnFils([&] {
                                  if (!t3test::DevientUtilisateurOrdinaire()) return 1;
                                  return Dit(t3::EcritCoranDon(dossier.string(), partition, param));
                              }).erreurs;
    std::filesystem::permissions(dossier, std::filesystem::perms::owner_all);
    EXPECT_EQ(ferme, "Impossible de créer le fichier « " + chemin.string() + " » : l'accès est refusé.");
    EXPECT_EQ(t3test::LitFichier(chemin), ancien);

    // A write cut short after 8 bytes.
    const std::string coupe = t3test::DansUnFils([&] {
                                  if (!t3test::LimiteTailleFichiers(8)) return 1;
                                  return Dit(t3::EcritCoranDon(dossier.string(), partition, param));
                              }).erreurs;
    EXPECT_EQ(coupe.rfind("Impossible d'écrire le fichier « " + chemin.string() + " » : ", 0), 0u) << coupe;
    EXPECT_EQ(t3test::LitFichier(chemin), ancien);
    EXPECT_EQ(t3test::Fichiers(dossier), std::vector<std::string>{"coran.don"});

    // Stopped on demand: the same.
    const t3::Arret arret{true};
    EXPECT_EQ(t3::EcritCoranDon(dossier.string(), partition, param, &arret).Code(), t3::CodeArrete);
    EXPECT_EQ(t3test::LitFichier(chemin), ancien);
    EXPECT_EQ(t3test::Fichiers(dossier), std::vector<std::string>{"coran.don"});

    const auto absent = t3::EcritCoranDon((dossier / "absent").string(), partition, param);
    EXPECT_EQ(Message(absent), "Impossible de créer le fichier « " +
                                   (dossier / "absent" / "coran.don").string() +
                                   " » : le fichier ou son dossier n'existe pas.");
}
