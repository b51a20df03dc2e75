#include "engine/socle/VerrousDossier.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace t3 {

namespace {

std::string Dans(const std::string& dossier, const char* nom) {
    return dossier.empty() ? std::string(nom) : dossier + "/" + nom;
}

int Verrouille(int fd, int operation) {
    int r;
    while ((r = ::flock(fd, operation)) != 0 && errno == EINTR) {
    }
    return r;
}

} // namespace

VerrouBases::VerrouBases(const std::string& dossier, Mode mode)
    : m_fd(::open(dossier.empty() ? "." : dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (m_fd >= 0) Verrouille(m_fd, mode == Mode::Exclusif ? LOCK_EX : LOCK_SH);
}

VerrouBases::~VerrouBases() {
    if (m_fd >= 0) ::close(m_fd);
}

void VerrouBases::Partage() {
    if (m_fd >= 0) Verrouille(m_fd, LOCK_SH);
}

void VerrouBases::Exclusif() {
    if (m_fd >= 0) Verrouille(m_fd, LOCK_EX);
}

VerrouSegmentation::VerrouSegmentation(const std::string& dossier, int attenteMs)
    : m_fd(::open(Dans(dossier, NomVerrouSegmentation).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                  0644)) {
    if (m_fd < 0) return;
    const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(attenteMs);
    while (Verrouille(m_fd, LOCK_EX | LOCK_NB) != 0) {
        const bool pris = errno == EWOULDBLOCK;
        if (!pris || std::chrono::steady_clock::now() >= limite) {
            m_occupe = pris;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    m_tenu = true;
}

VerrouSegmentation::~VerrouSegmentation() {
    if (m_fd >= 0) ::close(m_fd);
}

} // namespace t3
