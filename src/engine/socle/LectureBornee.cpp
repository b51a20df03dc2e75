#include "engine/socle/LectureBornee.h"

#include "engine/socle/RemplaceFichier.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace t3 {

namespace {

class Descripteur {
  public:
    explicit Descripteur(int fd) : m_fd(fd) {}
    ~Descripteur() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descripteur(const Descripteur&) = delete;
    Descripteur& operator=(const Descripteur&) = delete;
    int fd() const { return m_fd; }

  private:
    int m_fd;
};

} // namespace

std::string TailleLisible(uint64_t octets) {
    constexpr uint64_t Ko = 1024, Mo = Ko * 1024, Go = Mo * 1024;
    const auto avecUnite = [](uint64_t n, uint64_t unite, const char* nom) {
        // One decimal, a comma, dropped when it is 0.
        const uint64_t dixiemes = (n * 10 + unite / 2) / unite;
        std::string texte = std::to_string(dixiemes / 10);
        if (dixiemes % 10 != 0) texte += "," + std::to_string(dixiemes % 10);
        return texte + " " + nom;
    };
    if (octets >= Go) return avecUnite(octets, Go, "Go");
    if (octets >= Mo) return avecUnite(octets, Mo, "Mo");
    if (octets >= Ko) return avecUnite(octets, Ko, "Ko");
    return std::to_string(octets) + " octets";
}

Resultat<std::string> LitFichierBorne(const std::string& chemin, uint64_t limite) {
    // O_NONBLOCK: opening a pipe that no one writes to would otherwise wait for a writer.
    Descripteur f(::open(chemin.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (f.fd() < 0) return Echec{LectureImpossible, CauseFichier(errno)};
    struct stat etat {};
    if (::fstat(f.fd(), &etat) != 0) return Echec{LectureImpossible, CauseFichier(errno)};
    if (S_ISDIR(etat.st_mode)) return Echec{LectureNonFichier, CauseFichier(EISDIR)};
    if (!S_ISREG(etat.st_mode)) return Echec{LectureNonFichier, CauseFichier(ErreurNonFichier)};
    const auto tropGrand = [limite] {
        return Echec{LectureTropGrande, "le fichier dépasse " + TailleLisible(limite)};
    };
    if (static_cast<uint64_t>(etat.st_size) > limite) return tropGrand();
    // One read into a buffer of the file's size; a file that grows meanwhile is read up to the limit.
    std::string contenu(static_cast<size_t>(etat.st_size), '\0');
    size_t lus = 0;
    for (;;) {
        if (lus == contenu.size()) {
            if (contenu.size() >= limite) {
                char octet;
                const ssize_t n = ::read(f.fd(), &octet, 1);
                if (n > 0) return tropGrand();
                if (n < 0 && errno != EINTR) return Echec{LectureImpossible, CauseFichier(errno)};
                if (n == 0) break;
                continue;
            }
            contenu.resize(std::min<uint64_t>(limite, contenu.size() + (1 << 16)));
        }
        const ssize_t n = ::read(f.fd(), contenu.data() + lus, contenu.size() - lus);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Echec{LectureImpossible, CauseFichier(errno)};
        }
        if (n == 0) break;
        lus += static_cast<size_t>(n);
    }
    contenu.resize(lus);
    return contenu;
}

} // namespace t3
