#include "engine/socle/LectureBornee.h"

#include "AideTests.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace t3;
using t3test::DossierTemporaire;

// What is not a regular file is refused at once (a pipe no one writes to would wait forever, a device
// never ends), and a regular file is read whole up to the limit.
TEST(LitFichierBorne, RefuseCeQuiNEstPasUnFichierEtBorneLaTaille) {
    DossierTemporaire dossier;
    t3test::EcritFichier("liste.lst", "chat\nchien\n");
    ASSERT_EQ(::mkfifo("tube", 0600), 0);
    std::filesystem::create_directory("dossier");
    struct Cas {
        std::string chemin;
        uint64_t limite;
        int32_t code;
    };
    for (const Cas& cas :
         {Cas{"liste.lst", 11, 0}, Cas{"liste.lst", 10, LectureTropGrande},
          Cas{"tube", 1 << 20, LectureNonFichier}, Cas{"/dev/zero", 1 << 20, LectureNonFichier},
          Cas{"dossier", 1 << 20, LectureNonFichier}, Cas{"absent", 1 << 20, LectureImpossible}}) {
        const Resultat<std::string> lu = LitFichierBorne(cas.chemin, cas.limite);
        EXPECT_EQ(lu.Code(), cas.code) << cas.chemin << " " << lu.Message();
        if (lu) EXPECT_EQ(*lu, "chat\nchien\n");
    }
    EXPECT_EQ(TailleLisible(64u << 20), "64 Mo");
    EXPECT_EQ(TailleLisible(3u << 29), "1,5 Go");
}
