#include "engine/socle/RemplaceFichier.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace t3 {

namespace fs = std::filesystem;

namespace {

// Creates an empty file of a new name beside chemin; its descriptor, or -1 with errno set.
int CreeTemporaire(const fs::path& chemin, fs::path& temporaire) {
    static std::atomic<int> compteur{0};
    for (int essai = 0; essai < 100; ++essai) {
        std::string suffixe(1, '.');
        suffixe += std::to_string(::getpid());
        suffixe += '-';
        suffixe += std::to_string(compteur++);
        suffixe += ".tmp";
        temporaire = chemin;
        temporaire += suffixe;
        const int fd = ::open(temporaire.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

} // namespace

RemplacementFichier::RemplacementFichier(fs::path chemin) : m_chemin(std::move(chemin)) {
    // A pipe, a device or a folder of that name is never replaced by a file.
    struct stat etat {};
    if (::stat(m_chemin.c_str(), &etat) == 0 && !S_ISREG(etat.st_mode)) {
        m_erreur = S_ISDIR(etat.st_mode) ? EISDIR : ErreurNonFichier;
        return;
    }
    m_fd = CreeTemporaire(m_chemin, m_temporaire);
    m_cree = m_fd >= 0;
    if (!m_cree) m_erreur = errno != 0 ? errno : EIO;
}

RemplacementFichier::~RemplacementFichier() {
    if (m_fd >= 0) ::close(m_fd);
    if (m_cree && !m_enPlace) {
        std::error_code code;
        fs::remove(m_temporaire, code);
    }
}

void RemplacementFichier::Echoue(int erreur) {
    if (m_erreur == 0) m_erreur = erreur != 0 ? erreur : EIO;
}

bool RemplacementFichier::Ecrit(std::string_view octets) {
    while (m_erreur == 0 && !octets.empty()) {
        const ssize_t ecrits = ::write(m_fd, octets.data(), octets.size());
        if (ecrits < 0 && errno == EINTR) continue;
        if (ecrits <= 0) {
            Echoue(errno);
            break;
        }
        octets.remove_prefix(static_cast<size_t>(ecrits));
    }
    return m_erreur == 0;
}

int RemplacementFichier::Termine() {
    if (m_enPlace || m_erreur != 0) return m_erreur;
    if (::fsync(m_fd) != 0) Echoue(errno);
    if (::close(m_fd) != 0) Echoue(errno);
    m_fd = -1;
    if (m_erreur != 0) return m_erreur;
    std::error_code code;
    const fs::file_status ancien = fs::status(m_chemin, code);
    if (!code && fs::exists(ancien)) fs::permissions(m_temporaire, ancien.permissions(), code);
    fs::rename(m_temporaire, m_chemin, code);
    if (code) {
        Echoue(code.value());
        return m_erreur;
    }
    m_enPlace = true;
    return 0;
}

int RemplaceFichier(const fs::path& chemin, std::string_view octets) {
    RemplacementFichier fichier(chemin);
    if (!fichier.Ecrit(octets)) return fichier.Erreur();
    return fichier.Termine();
}

std::string CauseEcriture(int erreur) {
    switch (erreur) {
    case 0:
        return {};
    case ENOSPC:
    case EDQUOT:
        return "le disque est plein";
    case EROFS:
        return "le disque est en lecture seule";
    case EACCES:
    case EPERM:
        return "l'accès au dossier est refusé";
    case EMFILE:
    case ENFILE:
        return "trop de fichiers sont ouverts";
    case EIO:
        return "erreur d'entrée-sortie du disque";
    default:
        return "erreur système " + std::to_string(erreur);
    }
}

std::string CauseFichier(int erreur) {
    switch (erreur) {
    case 0:
        return "erreur inconnue";
    case ENOENT:
        return "le fichier ou son dossier n'existe pas";
    case EISDIR:
        return "c'est un dossier";
    case EACCES:
    case EPERM:
        return "l'accès est refusé";
    case EFBIG:
        return "le fichier dépasse la taille permise";
    case ErreurNonFichier:
        return "ce n'est pas un fichier ordinaire (tube, périphérique ou socket)";
    default:
        return CauseEcriture(erreur);
    }
}

} // namespace t3
