#include "AideFuzz.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace t3fuzz {

namespace fs = std::filesystem;

namespace {

const fs::path& DossierPrive() {
    static const fs::path chemin = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string modele = std::string(tmp && *tmp ? tmp : "/tmp") + "/t3fuzz-XXXXXX";
        if (!::mkdtemp(modele.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        std::atexit([] {
            std::error_code erreur;
            fs::remove_all(DossierPrive(), erreur);
        });
        return fs::path(modele);
    }();
    return chemin;
}

} // namespace

DansDossierPrive::DansDossierPrive() : m_precedent(::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (m_precedent < 0 || ::chdir(DossierPrive().c_str()) != 0) {
        std::perror("dossier privé");
        std::abort();
    }
}

DansDossierPrive::~DansDossierPrive() {
    std::error_code erreur;
    for (const fs::directory_entry& entree : fs::directory_iterator(DossierPrive(), erreur))
        fs::remove_all(entree.path(), erreur);
    if (::fchdir(m_precedent) != 0) std::abort();
    ::close(m_precedent);
}

void EcritFichier(const std::string& nom, std::string_view contenu) {
    std::FILE* f = std::fopen(nom.c_str(), "wb");
    if (!f || std::fwrite(contenu.data(), 1, contenu.size(), f) != contenu.size() || std::fclose(f) != 0) {
        std::perror(nom.c_str());
        std::abort();
    }
}

std::string LitFichier(const std::string& nom) {
    std::ifstream f(nom, std::ios::binary);
    std::ostringstream contenu;
    contenu << f.rdbuf();
    return contenu.str();
}

std::string CheminNonFichier(uint8_t choix) {
    switch (choix) {
    case 1:
        return "/dev/zero";
    case 2:
        if (::mkfifo("tube", 0600) != 0 && errno != EEXIST) {
            std::perror("mkfifo");
            std::abort();
        }
        return "tube";
    case 3:
        return ".";
    case 4:
        return "/dev/null";
    default:
        return {};
    }
}

void Echec(const char* fichier, int ligne, const char* condition, const std::string& detail) {
    std::fprintf(stderr, "\n%s:%d: invariant broken: %s\n  %s\n", fichier, ligne, condition, detail.c_str());
    std::abort();
}

std::vector<std::string_view> Decoupe(std::string_view entree, std::string_view separateur, size_t nombre) {
    std::vector<std::string_view> parties;
    while (parties.size() + 1 < nombre) {
        const size_t trouve = entree.find(separateur);
        if (trouve == std::string_view::npos) break;
        parties.push_back(entree.substr(0, trouve));
        entree.remove_prefix(trouve + separateur.size());
    }
    parties.push_back(entree);
    return parties;
}

} // namespace t3fuzz
