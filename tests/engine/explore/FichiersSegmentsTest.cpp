#include "AideSegments.h"

#include "engine/explore/FichierPositions.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

using namespace t3;
using t3test::ChargeTexte;
using t3test::DossierTemporaire;
using t3test::LitFichier;
namespace fs = std::filesystem;

namespace {

std::vector<int32_t> Valeurs(const std::string& octets) {
    std::vector<int32_t> v(octets.size() / 4);
    for (size_t i = 0; i < v.size(); ++i) {
        uint32_t x = 0;
        for (int b = 0; b < 4; ++b)
            x |= static_cast<uint32_t>(static_cast<unsigned char>(octets[4 * i + b])) << (8 * b);
        v[i] = static_cast<int32_t>(x);
    }
    return v;
}

// Two segments: a b c at positions 1, 7 and 13, which the sort by right context (u, w, y) visits in the
// reverse order, and q r at 18 and 23.
const char* const Texte = "x a b c y . z a b c w . v a b c u . q r t . s q r .\n";

} // namespace

TEST(FichiersSegments, EcritLesPositionsCroissantesEtLesOffsetsDeChaqueSegment) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, Texte));
    SegRep sr(&base, JeuDelimiteursSR(base));
    ASSERT_TRUE(sr.CalcSegRep(2, 2));
    ASSERT_EQ(sr.NbSegments(), 2);
    EXPECT_EQ(sr.NomFichierLoc(), "corpus.loc.sr");
    EXPECT_EQ(sr.NomFichierDesc(), "corpus.desc.sr");

    // The file is the plain concatenation, segment after segment, of each one's ascending positions.
    const std::vector<int32_t> abc{1, 7, 13}, qr{18, 23};
    std::vector<int32_t> attendu = abc;
    attendu.insert(attendu.end(), qr.begin(), qr.end());
    EXPECT_EQ(Valeurs(LitFichier("corpus.loc.sr")), attendu);
    EXPECT_EQ(LitFichier("corpus.loc.sr").size(), 20u);
    EXPECT_EQ(LitFichier("corpus.desc.sr"), "");
    EXPECT_EQ(sr.Segments()[0].location, 0);
    EXPECT_EQ(sr.Segments()[1].location, 12);
    EXPECT_EQ(sr.LocOccSeg(0), abc);
    EXPECT_EQ(sr.LocOccSeg(1), qr);
    EXPECT_EQ(sr.LocOccSeg(0), abc); // read again after another read
    EXPECT_TRUE(sr.LocOccSeg(2).empty());
    EXPECT_TRUE(sr.LocOccSeg(-1).empty());
    for (const int32_t p : qr)
        EXPECT_EQ(base.Tnum(p), base.LocFormDic("q"));

    // The trace names both files.
    const std::string trace = LitFichier("atrace.txt");
    const std::string ligne = "CalcSegRep----\ncorpus.loc.sr - corpus.desc.sr";
    ASSERT_GE(trace.size(), ligne.size());
    EXPECT_EQ(trace.substr(trace.size() - ligne.size()), ligne);
}

// Two bases of the same name in two folders, the current folder a third one: the segments of the first
// go beside it, its trace with them, and its positions are read back from there.
TEST(FichiersSegments, EcritACoteDeSaBaseQuelQueSoitLeDossierCourant) {
    DossierTemporaire dossier;
    ASSERT_TRUE(t3test::SegmenteDans("a", Texte));
    ASSERT_TRUE(t3test::SegmenteDans("b", "b a b c . b a b c .\n"));
    charg1 a, b;
    ASSERT_EQ(a.ChargeBase("a/corpus.par"), ChargeReussie);
    ASSERT_EQ(b.ChargeBase((dossier.Chemin() / "b" / "corpus.par").string()), ChargeReussie);
    fs::create_directory("c");
    fs::current_path("c");
    const std::string traceB = LitFichier("../b/atrace.txt");

    SegRep sr(&a, JeuDelimiteursSR(a));
    ASSERT_TRUE(sr.CalcSegRep(2, 2));
    ASSERT_EQ(sr.NbSegments(), 2);
    EXPECT_EQ(Valeurs(LitFichier("../a/corpus.loc.sr")), (std::vector<int32_t>{1, 7, 13, 18, 23}));
    EXPECT_TRUE(fs::exists("../a/corpus.desc.sr"));
    for (const char* ailleurs : {"corpus.loc.sr", "corpus.desc.sr", "atrace.txt", "../corpus.loc.sr",
                                 "../b/corpus.loc.sr", "../b/corpus.desc.sr"})
        EXPECT_FALSE(fs::exists(ailleurs)) << ailleurs;
    EXPECT_EQ(LitFichier("../b/atrace.txt"), traceB);
    const std::string trace = LitFichier("../a/atrace.txt");
    EXPECT_NE(trace.find("CalcSegRep----\ncorpus.loc.sr - corpus.desc.sr"), std::string::npos) << trace;

    a.AssigneSR(&sr);
    EXPECT_EQ(sr.LocOccSeg(1), (std::vector<int32_t>{18, 23}));
    EXPECT_EQ(a.LocOccFor(a.Nbart() + 1), (std::vector<int32_t>{1, 7, 13}));
    EXPECT_EQ(a.RetourneGraphie(a.Nbart() + 2, false), "q r ");
    a.AssigneSR(nullptr);
}

TEST(FichiersSegments, UnNouveauCalculRecreeLesDeuxFichiers) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, Texte));
    t3test::EcritFichier("corpus.desc.sr", "ancien contenu");
    SegRep premier(&base, JeuDelimiteursSR(base));
    ASSERT_TRUE(premier.CalcSegRep(2, 2));
    EXPECT_EQ(LitFichier("corpus.desc.sr"), "");
    {
        SegRep second(&base, JeuDelimiteursSR(base));
        ASSERT_TRUE(second.CalcSegRep(3, 3)); // a b c only
        EXPECT_EQ(LitFichier("corpus.loc.sr").size(), 12u);
        EXPECT_EQ(second.LocOccSeg(0), (std::vector<int32_t>{1, 7, 13}));
    }
    // The same SegRep computed again starts from an empty list and empty files.
    ASSERT_TRUE(premier.CalcSegRep(3, 2));
    EXPECT_EQ(premier.NbSegments(), 1);
    EXPECT_EQ(LitFichier("corpus.loc.sr").size(), 12u);
}

TEST(FichiersSegments, UnFichierImpossibleACreerLaisseLaListeVide) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, Texte));
    for (const char* nom : {"corpus.loc.sr", "corpus.desc.sr"}) {
        fs::create_directory(nom); // a folder where the file should be
        SegRep sr(&base, JeuDelimiteursSR(base));
        EXPECT_FALSE(sr.CalcSegRep(2, 2)) << nom;
        EXPECT_EQ(sr.NbSegments(), 0);
        EXPECT_TRUE(sr.LocOccSeg(0).empty());
        fs::remove(nom);
    }
}

TEST(FichiersSegments, LesSegmentsAttachesSontDesEntreesDuChargeur) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, Texte));
    SegRep sr(&base, JeuDelimiteursSR(base));
    ASSERT_TRUE(sr.CalcSegRep(2, 2));
    base.AssigneSR(&sr);
    EXPECT_EQ(base.NbFormSup(), 2);
    EXPECT_EQ(base.NbTotEntites(), base.Nbart() + 2);
    const int32_t abc = base.Nbart() + 1;
    EXPECT_EQ(base.RetourneGraphie(abc, false), "a b c ");
    EXPECT_EQ(sr.RetourneGraphie(0), "a b c ");
    EXPECT_EQ(base.RetourneGraphie(abc + 1, false), "q r ");
    EXPECT_EQ(base.LocOccFor(abc), (std::vector<int32_t>{1, 7, 13}));
    // A group mixing a form and a segment gathers both, once each.
    const int32_t entrees[] = {abc + 1, base.LocFormDic("t")};
    EXPECT_EQ(base.LocOccFor(entrees, 2), (std::vector<int32_t>{18, 20, 23}));
    base.AssigneSR(nullptr);
}

TEST(FichiersSegments, LeFichierDePositionsNeLitQueCeQuiAEteEcrit) {
    DossierTemporaire dossier;
    FichierPositions f;
    EXPECT_FALSE(f.Ajoute(nullptr, 0)); // closed
    EXPECT_TRUE(f.Lit(0, 1).empty());
    ASSERT_TRUE(f.Ouvre("essai.bin"));
    const int32_t a[] = {5, -1, 1 << 24};
    ASSERT_TRUE(f.Ajoute(a, 3));
    EXPECT_EQ(f.Lit(4, 2), (std::vector<int32_t>{-1, 1 << 24}));
    // Writes after a read go to the end.
    const int32_t b[] = {7};
    ASSERT_TRUE(f.Ajoute(b, 1));
    EXPECT_EQ(f.Taille(), 16);
    EXPECT_EQ(f.Lit(0, 4), (std::vector<int32_t>{5, -1, 1 << 24, 7}));
    EXPECT_TRUE(f.Lit(8, 3).empty()); // beyond what was written
    EXPECT_TRUE(f.Lit(-4, 1).empty());
    EXPECT_TRUE(f.Lit(0, 0).empty());
    ASSERT_TRUE(f.Vide());
    EXPECT_EQ(LitFichier("essai.bin"), std::string("\x05\0\0\0\xff\xff\xff\xff\0\0\0\x01\x07\0\0\0", 16));
}
