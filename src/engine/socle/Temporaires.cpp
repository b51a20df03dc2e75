#include "engine/socle/Temporaires.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace t3 {

namespace {

// The registered files, in fixed places that a signal handler may read: a slot is taken by writing its
// path, then raising its flag; the handler reads only raised flags.
constexpr size_t NbPlaces = 16;
constexpr size_t LongueurChemin = 4096;
struct Place {
    std::atomic<bool> prise{false};
    char chemin[LongueurChemin];
};
std::array<Place, NbPlaces> Places;
std::mutex ProtectionPlaces;

int Inscrit(const std::string& chemin) {
    if (chemin.size() >= LongueurChemin) return -1;
    const std::lock_guard<std::mutex> garde(ProtectionPlaces);
    for (size_t i = 0; i < NbPlaces; ++i) {
        if (Places[i].prise.load()) continue;
        std::memcpy(Places[i].chemin, chemin.c_str(), chemin.size() + 1);
        Places[i].prise.store(true);
        return static_cast<int>(i);
    }
    return -1;
}

void Desinscrit(const std::string& chemin) {
    const std::lock_guard<std::mutex> garde(ProtectionPlaces);
    for (Place& place : Places)
        if (place.prise.load() && chemin == place.chemin) place.prise.store(false);
}

extern "C" void SurSignal(int signal) {
    for (Place& place : Places)
        if (place.prise.load()) ::unlink(place.chemin);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

std::string Modele(const std::string& dossier, std::string_view prefixe) {
    std::string modele = dossier.empty() ? std::string(".") : dossier;
    if (modele.back() != '/') modele += '/';
    return modele.append(prefixe).append("XXXXXX");
}

// A lock that no process holds on the file or folder: taken, it says that its owner is gone.
bool Abandonne(const std::string& chemin) {
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return false;
    const bool libre = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return libre;
}

} // namespace

void SupprimeDossierEtFichiers(const std::string& chemin) {
    if (DIR* d = ::opendir(chemin.c_str())) {
        std::vector<std::string> noms;
        while (const dirent* e = ::readdir(d))
            if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
                noms.emplace_back(e->d_name);
        ::closedir(d);
        for (const std::string& nom : noms)
            ::unlink((chemin + "/" + nom).c_str());
    }
    ::rmdir(chemin.c_str());
}

void NettoieAuxSignaux() {
    static std::once_flag fait;
    std::call_once(fait, [] {
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
            struct sigaction action {};
            action.sa_handler = SurSignal;
            sigemptyset(&action.sa_mask);
            // A signal ignored by the one who started the process stays ignored.
            struct sigaction avant {};
            if (::sigaction(signal, nullptr, &avant) == 0 && avant.sa_handler == SIG_IGN) continue;
            ::sigaction(signal, &action, nullptr);
        }
    });
}

void NettoieAbandonnes(const std::string& dossier, std::string_view prefixe) {
    const std::string racine = dossier.empty() ? std::string(".") : dossier;
    DIR* d = ::opendir(racine.c_str());
    if (!d) return;
    std::vector<std::string> candidats;
    while (const dirent* e = ::readdir(d))
        if (std::string_view(e->d_name).starts_with(prefixe))
            candidats.emplace_back(racine + "/" + e->d_name);
    ::closedir(d);
    const std::time_t ilYaUneMinute = std::time(nullptr) - 60;
    for (const std::string& chemin : candidats) {
        struct stat etat {};
        // Only what this user owns, and what was left a while ago: a file just made is locked an instant
        // after its creation.
        if (::lstat(chemin.c_str(), &etat) != 0 || etat.st_uid != ::geteuid() ||
            etat.st_mtime > ilYaUneMinute)
            continue;
        if (!(S_ISREG(etat.st_mode) || S_ISDIR(etat.st_mode)) || !Abandonne(chemin)) continue;
        if (S_ISDIR(etat.st_mode))
            SupprimeDossierEtFichiers(chemin);
        else
            ::unlink(chemin.c_str());
    }
}

FichierTemporaire::FichierTemporaire(const std::string& dossier, std::string_view prefixe) {
    NettoieAbandonnes(dossier, prefixe);
    std::string modele = Modele(dossier, prefixe);
    const int fd = ::mkostemp(modele.data(), O_CLOEXEC);
    if (fd < 0) return;
    ::flock(fd, LOCK_EX | LOCK_NB);
    m_fd = fd;
    m_chemin = modele;
    Inscrit(m_chemin);
}

FichierTemporaire::~FichierTemporaire() {
    Supprime();
}

FichierTemporaire::FichierTemporaire(FichierTemporaire&& autre) noexcept
    : m_chemin(std::move(autre.m_chemin)), m_fd(autre.m_fd) {
    autre.m_chemin.clear();
    autre.m_fd = -1;
}

FichierTemporaire& FichierTemporaire::operator=(FichierTemporaire&& autre) noexcept {
    if (this != &autre) {
        Supprime();
        m_chemin = std::move(autre.m_chemin);
        m_fd = autre.m_fd;
        autre.m_chemin.clear();
        autre.m_fd = -1;
    }
    return *this;
}

void FichierTemporaire::Supprime() {
    if (!m_chemin.empty()) {
        Desinscrit(m_chemin);
        ::unlink(m_chemin.c_str());
        m_chemin.clear();
    }
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

DossierTemporaireVerrouille::DossierTemporaireVerrouille(const std::string& dossier,
                                                         std::string_view prefixe) {
    NettoieAbandonnes(dossier, prefixe);
    std::string modele = Modele(dossier, prefixe);
    if (!::mkdtemp(modele.data())) return;
    m_fd = ::open(modele.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd >= 0) ::flock(m_fd, LOCK_EX | LOCK_NB);
    m_chemin = modele;
}

DossierTemporaireVerrouille::~DossierTemporaireVerrouille() {
    if (m_fd >= 0) ::close(m_fd);
}

} // namespace t3
