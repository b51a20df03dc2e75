#include "AideFils.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace t3test {

Fils DansUnFils(const std::function<int()>& travail) {
    int tube[2];
    if (::pipe(tube) != 0) return {-1, "pipe"};
    std::fflush(stderr);
    const pid_t fils = ::fork();
    if (fils == 0) {
        ::close(tube[0]);
        ::dup2(tube[1], STDERR_FILENO);
        ::close(tube[1]);
        const int statut = travail();
        std::fflush(stderr);
        ::_exit(statut);
    }
    ::close(tube[1]);
    Fils f;
    char tampon[512];
    for (ssize_t lus; (lus = ::read(tube[0], tampon, sizeof tampon)) > 0;)
        f.erreurs.append(tampon, static_cast<size_t>(lus));
    ::close(tube[0]);
    int statut = 0;
    if (fils > 0 && ::waitpid(fils, &statut, 0) == fils && WIFEXITED(statut)) f.statut = WEXITSTATUS(statut);
    return f;
}

bool DevientUtilisateurOrdinaire() {
    constexpr uid_t Personne = 65534;
    return ::geteuid() != 0 || (::setgid(Personne) == 0 && ::setuid(Personne) == 0);
}

bool LimiteTailleFichiers(uint64_t octets) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limite{octets, octets};
    return ::setrlimit(RLIMIT_FSIZE, &limite) == 0;
}

int ExecuteDans(const std::filesystem::path& dossier, const std::string& programme) {
    if (::chdir(dossier.c_str()) != 0) return 127;
    ::execl(programme.c_str(), programme.c_str(), static_cast<char*>(nullptr));
    return 127;
}

std::vector<std::string> Fichiers(const std::filesystem::path& dossier) {
    std::vector<std::string> noms;
    for (const auto& f : std::filesystem::directory_iterator(dossier))
        noms.push_back(f.path().filename().string());
    std::sort(noms.begin(), noms.end());
    return noms;
}

} // namespace t3test
