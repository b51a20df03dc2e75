#pragma once
// Helpers shared by the engine tests: a fresh working folder per test, whole-file reads and writes, and
// bases segmented into a given folder.
#include "Globaux.h"

#include <filesystem>
#include <string>

namespace t3test {

// Makes a new empty folder the current folder for the life of the object, then goes back and removes it.
class DossierTemporaire {
  public:
    DossierTemporaire();
    ~DossierTemporaire();
    DossierTemporaire(const DossierTemporaire&) = delete;
    DossierTemporaire& operator=(const DossierTemporaire&) = delete;
    const std::filesystem::path& Chemin() const { return m_chemin; }

  private:
    std::filesystem::path m_chemin;
    std::filesystem::path m_precedent;
};

std::string LitFichier(const std::filesystem::path& chemin);
void EcritFichier(const std::filesystem::path& chemin, const std::string& contenu);
// The path of a file of tests/data.
std::string Donnee(const std::string& nom);

// Writes texte (Windows-1252) as nom.txt into dossier, made if need be, and segments it there into the
// base nom; the current folder is left as it was. False when the segmentation fails.
bool SegmenteDans(const std::filesystem::path& dossier, const std::string& texte,
                  const std::string& nom = "corpus", const std::string& delimiteurs = t3::DelimParDefaut);

} // namespace t3test
