// Temporary files never outlive their process: an interruption removes them, and what a killed process
// left goes at the next run, unless a live process still holds it.
#include "AideTests.h"

#include "engine/socle/Temporaires.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <utime.h>

using namespace t3;
namespace fs = std::filesystem;

namespace {

void Vieillit(const std::string& chemin) {
    const utimbuf autrefois{std::time(nullptr) - 3600, std::time(nullptr) - 3600};
    ::utime(chemin.c_str(), &autrefois);
}

} // namespace

TEST(Temporaires, UneInterruptionLesRetireEtLeRunSuivantRetireLesAbandonnes) {
    t3test::DossierTemporaire dossier;
    const pid_t fils = ::fork();
    ASSERT_GE(fils, 0);
    if (fils == 0) {
        NettoieAuxSignaux();
        FichierTemporaire fichier(".", "xxxx-utf8-");
        t3test::EcritFichier("nom", fichier.Chemin());
        std::raise(SIGTERM);
        ::_exit(0);
    }
    int statut = 0;
    ASSERT_EQ(::waitpid(fils, &statut, 0), fils);
    EXPECT_TRUE(WIFSIGNALED(statut) && WTERMSIG(statut) == SIGTERM);
    EXPECT_FALSE(fs::exists(t3test::LitFichier("nom")));

    // Left by a killed process: a file and a folder with its files; one still held by a live process.
    t3test::EcritFichier("xxxx-utf8-abandon", "texte");
    fs::create_directory("tes3-abandon");
    t3test::EcritFichier("tes3-abandon/conc1.html", "page");
    t3test::EcritFichier("xxxx-utf8-tenu", "texte");
    const int tenu = ::open("xxxx-utf8-tenu", O_RDONLY);
    ASSERT_EQ(::flock(tenu, LOCK_EX), 0);
    for (const char* nom : {"xxxx-utf8-abandon", "tes3-abandon", "xxxx-utf8-tenu"})
        Vieillit(nom);
    t3test::EcritFichier("xxxx-utf8-recent", "texte");
    {
        const FichierTemporaire nouveau(".", "xxxx-utf8-");
        const DossierTemporaireVerrouille rapport(".", "tes3-");
        EXPECT_FALSE(fs::exists("xxxx-utf8-abandon"));
        EXPECT_FALSE(fs::exists("tes3-abandon"));
        EXPECT_TRUE(fs::exists("xxxx-utf8-tenu"));
        EXPECT_TRUE(fs::exists("xxxx-utf8-recent"));
        EXPECT_TRUE(fs::exists(nouveau.Chemin()));
    }
    ::close(tenu);
}
