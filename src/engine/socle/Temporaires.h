#pragma once
// Temporary files and folders that outlive no process (the transcoding of a UTF-8 corpus, the page of the
// text view, the report's folder). Each holds a lock for the life of its owner, the mark that a live
// process uses it, and its files are registered so that an interruption (Ctrl+C, a kill, a closed
// terminal) removes them; what a process killed outright left is removed by the next one that makes a
// temporary of that kind in the same folder, once a minute old and held by no process.
#include <string>
#include <string_view>

namespace t3 {

// Installs, once, the handlers of SIGINT, SIGTERM and SIGHUP that remove the registered files, then let
// the signal end the process as it would have.
void NettoieAuxSignaux();

// A file created from a mkstemp pattern (prefix + "XXXXXX") in a folder, locked and registered for the
// life of the object, removed with it. The stale files of that prefix in the folder go first.
class FichierTemporaire {
  public:
    FichierTemporaire() = default;
    // Creates the file; Chemin() stays empty when it cannot be created (errno tells why).
    FichierTemporaire(const std::string& dossier, std::string_view prefixe);
    ~FichierTemporaire();
    FichierTemporaire(FichierTemporaire&& autre) noexcept;
    FichierTemporaire& operator=(FichierTemporaire&& autre) noexcept;
    FichierTemporaire(const FichierTemporaire&) = delete;
    FichierTemporaire& operator=(const FichierTemporaire&) = delete;

    const std::string& Chemin() const { return m_chemin; }
    // The descriptor open for writing, -1 when there is no file.
    int Descripteur() const { return m_fd; }
    // Removes the file now.
    void Supprime();

  private:
    std::string m_chemin;
    int m_fd = -1;
};

// A folder created from a mkdtemp pattern (prefix + "XXXXXX"), locked for the life of the object. Its
// owner removes its content; the stale folders of that prefix go first.
class DossierTemporaireVerrouille {
  public:
    DossierTemporaireVerrouille(const std::string& dossier, std::string_view prefixe);
    ~DossierTemporaireVerrouille();
    DossierTemporaireVerrouille(const DossierTemporaireVerrouille&) = delete;
    DossierTemporaireVerrouille& operator=(const DossierTemporaireVerrouille&) = delete;
    // Empty when it cannot be created.
    const std::string& Chemin() const { return m_chemin; }

  private:
    std::string m_chemin;
    int m_fd = -1;
};

// Removes the files of the folder (not its subfolders), then the folder.
void SupprimeDossierEtFichiers(const std::string& chemin);

// Removes in dossier the files and folders (with the files they hold) whose names begin with prefixe,
// that are older than a minute and that no process holds.
void NettoieAbandonnes(const std::string& dossier, std::string_view prefixe);

} // namespace t3
