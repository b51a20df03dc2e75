#include "engine/socle/Sha256.h"

#include "AideTests.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace t3;

// The vectors of FIPS 180-4 (one block, no byte, two blocks), and a message added in uneven pieces.
TEST(Sha256, DonneLesEmpreintesDeReference) {
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    const std::string deuxBlocs = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
    EXPECT_EQ(Sha256Hex(deuxBlocs), "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    Sha256 morceaux;
    for (size_t i = 0; i < deuxBlocs.size(); i += 7)
        morceaux.Ajoute(std::string_view(deuxBlocs).substr(i, 7));
    EXPECT_EQ(morceaux.Fin(), Sha256Hex(deuxBlocs));
}

// A file of several read blocks against the system's sha256sum.
TEST(Sha256, EmpreinteDUnFichierCommeSha256sum) {
    t3test::DossierTemporaire dossier;
    std::string contenu;
    for (int i = 0; i < 200000; ++i)
        contenu += static_cast<char>((i * 131) ^ (i >> 7));
    t3test::EcritFichier("octets.bin", contenu);
    std::string attendu(64, ' ');
    std::FILE* sortie = ::popen("sha256sum octets.bin", "r");
    ASSERT_TRUE(sortie);
    ASSERT_EQ(std::fread(attendu.data(), 1, 64, sortie), 64u);
    ::pclose(sortie);
    const auto lue = Sha256Fichier("octets.bin");
    ASSERT_TRUE(lue);
    EXPECT_EQ(lue->sha256, attendu);
    EXPECT_EQ(lue->taille, 200000);
    EXPECT_FALSE(Sha256Fichier("absent.bin"));
}
