#pragma once
// A file replaced whole or not at all: the new bytes go into a file of a new name beside it, which is
// synced and renamed over it only once every byte is written. A failure at any step (folder that refuses
// the file, disk full) removes the new file and leaves the earlier one as it was; a file that is
// replaced keeps its permissions.
#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>

namespace t3 {

class RemplacementFichier {
  public:
    // Creates the new file beside chemin; Erreur() tells when it cannot be created.
    explicit RemplacementFichier(std::filesystem::path chemin);
    // Removes the new file when Termine() has not put it in place.
    ~RemplacementFichier();
    RemplacementFichier(const RemplacementFichier&) = delete;
    RemplacementFichier& operator=(const RemplacementFichier&) = delete;

    // Appends the bytes; false once any write has failed.
    bool Ecrit(std::string_view octets);
    // Syncs the new file and renames it over chemin; the error number of the first failure, 0 if none.
    int Termine();
    // The error number of the first failure so far (the creation included), 0 if none.
    int Erreur() const { return m_erreur; }
    // True when the new file could not even be created (the folder refuses it, or is missing).
    bool NonCree() const { return !m_cree; }

  private:
    void Echoue(int erreur);

    std::filesystem::path m_chemin;
    std::filesystem::path m_temporaire;
    int m_fd = -1;
    int m_erreur = 0;
    bool m_cree = false;
    bool m_enPlace = false;
};

// Replaces the file at chemin by the bytes; 0, or the error number of the first failure.
int RemplaceFichier(const std::filesystem::path& chemin, std::string_view octets);

// The error number of a replacement refused because the name is a pipe, a device or a socket.
inline constexpr int ErreurNonFichier = EINVAL;

// The cause of a write failure in French ("le disque est plein"); empty for 0.
std::string CauseEcriture(int erreur);

// Why a file cannot be read or written, in French ("l'accès est refusé", "le disque est plein").
std::string CauseFichier(int erreur);

} // namespace t3
