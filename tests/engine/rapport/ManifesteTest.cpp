#include "engine/rapport/Manifeste.h"

#include "AideTests.h"
#include "engine/corpus/charg1.h"

#include <gtest/gtest.h>

using namespace t3;

// The lines of the manifest: the delimiters read back from the .par (Windows-1252, "§" included), the
// base's files with their size and hash, the sections in order.
TEST(Manifeste, DitLesDelimiteursEtLesFichiersDeLaBase) {
    t3test::DossierTemporaire dossier;
    ASSERT_TRUE(t3test::SegmenteDans(dossier.Chemin(), "abc. def\n", "corpus", ".\xA7"));
    EXPECT_EQ(DelimiteursBase((dossier.Chemin() / "corpus.par").string()), ".\xA7");
    charg1 base;
    ASSERT_TRUE(base.Charge((dossier.Chemin() / "corpus.par").string()).Reussi());
    Manifeste manifeste;
    manifeste.entete.push_back({"Programme", "Tessaron3"});
    t3test::EcritFichier("abc.txt", "abc");
    AjouteFichier(manifeste, "corpus", "abc.txt");
    AjouteFichiersBase(manifeste, base);
    ASSERT_EQ(manifeste.fichiers.size(), 4u); // the corpus, .par, .dic, .num: no segments yet
    EXPECT_EQ(manifeste.fichiers[0].valeur,
              "abc.txt ; 3 octets ; SHA-256 "
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(manifeste.fichiers[1].nom, "base .par");
    const std::string texte = TexteManifeste(manifeste);
    EXPECT_EQ(texte.substr(0, texte.find("[Fichiers]")),
              "Manifeste du rapport Tessaron3\n\n[Rapport]\nProgramme : Tessaron3\n\n");
    ASSERT_TRUE(EcritManifeste(dossier.Chemin().string(), manifeste).Reussi());
    EXPECT_EQ(t3test::LitFichier(dossier.Chemin() / NomManifesteTexte), texte);
    EXPECT_NE(
        t3test::LitFichier(dossier.Chemin() / NomManifestePage).find("<td>corpus</td><td><tt>abc.txt ; 3"),
        std::string::npos);
}
