#include "AideTests.h"

#include "segmentation/SegmPrinc.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace t3test {

namespace fs = std::filesystem;

DossierTemporaire::DossierTemporaire() : m_precedent(fs::current_path()) {
    static std::atomic<int> compteur{0};
    m_chemin = fs::temp_directory_path() /
               ("t3test-" + std::to_string(::getpid()) + "-" + std::to_string(compteur++));
    fs::remove_all(m_chemin);
    fs::create_directories(m_chemin);
    fs::current_path(m_chemin);
}

DossierTemporaire::~DossierTemporaire() {
    std::error_code erreur;
    fs::current_path(m_precedent, erreur);
    fs::permissions(m_chemin, fs::perms::owner_all, fs::perm_options::add, erreur);
    fs::remove_all(m_chemin, erreur);
}

std::string LitFichier(const fs::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::ostringstream contenu;
    contenu << f.rdbuf();
    return contenu.str();
}

void EcritFichier(const fs::path& chemin, const std::string& contenu) {
    std::ofstream f(chemin, std::ios::binary);
    f << contenu;
}

std::string Donnee(const std::string& nom) {
    return std::string(TEST_DATA_DIR) + "/" + nom;
}

bool SegmenteDans(const fs::path& dossier, const std::string& texte, const std::string& nom,
                  const std::string& delimiteurs) {
    fs::create_directories(dossier);
    EcritFichier(dossier / (nom + ".txt"), texte);
    // The segmentation writes into the current folder.
    const fs::path precedent = fs::current_path();
    fs::current_path(dossier);
    const bool ok = t3::SegmPrinc(nom + ".txt", delimiteurs) == t3::ResultatSegm::Ok;
    fs::current_path(precedent);
    return ok;
}

} // namespace t3test
