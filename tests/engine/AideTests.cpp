#include "AideTests.h"

#include "engine/segmentation/SegmPrinc.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
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

SortieT3 ExecuteT3(const std::string& arguments, ErreursT3 erreurs) {
    SortieT3 resultat;
    std::string fichierErreurs;
    std::string commande = std::string(T3_BIN_DIR) + "/t3 " + arguments;
    if (erreurs == ErreursT3::APart) {
        std::string modele = (fs::temp_directory_path() / "t3test-erreurs-XXXXXX").string();
        const int descripteur = ::mkstemp(modele.data());
        if (descripteur < 0) return resultat;
        ::close(descripteur);
        fichierErreurs = modele;
        commande += " 2>'" + fichierErreurs + "'";
    } else {
        commande += " 2>&1";
    }
    if (std::FILE* f = ::popen(commande.c_str(), "r")) {
        char tampon[4096];
        for (size_t n; (n = std::fread(tampon, 1, sizeof tampon, f)) > 0;)
            resultat.sortie.append(tampon, n);
        const int etat = ::pclose(f);
        resultat.statut = WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    }
    if (!fichierErreurs.empty()) {
        resultat.erreurs = LitFichier(fichierErreurs);
        fs::remove(fichierErreurs);
    }
    return resultat;
}

std::optional<TableLue> LitCsv(std::string_view texte) {
    enum class Etat { DebutChamp, Nu, Cite, GuillemetDansCite };
    TableLue lignes;
    std::vector<std::string> ligne;
    std::string champ;
    Etat etat = Etat::DebutChamp;
    const auto finChamp = [&] {
        ligne.push_back(std::move(champ));
        champ.clear();
        etat = Etat::DebutChamp;
    };
    const auto finLigne = [&] {
        finChamp();
        lignes.push_back(std::move(ligne));
        ligne.clear();
    };
    for (size_t i = 0; i < texte.size(); ++i) {
        const char c = texte[i];
        const bool finDeLigne = c == '\n' || (c == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n');
        switch (etat) {
        case Etat::Cite:
            if (c == '"')
                etat = Etat::GuillemetDansCite;
            else
                champ += c;
            continue;
        case Etat::GuillemetDansCite:
            if (c == '"') {
                champ += '"';
                etat = Etat::Cite;
                continue;
            }
            if (c != ',' && !finDeLigne) return std::nullopt;
            break;
        case Etat::DebutChamp:
            if (c == '"') {
                etat = Etat::Cite;
                continue;
            }
            break;
        case Etat::Nu:
            if (c == '"') return std::nullopt;
            break;
        }
        if (c == ',') {
            finChamp();
        } else if (finDeLigne) {
            if (c == '\r') ++i;
            finLigne();
        } else {
            champ += c;
            etat = Etat::Nu;
        }
    }
    if (etat == Etat::Cite) return std::nullopt;
    if (etat != Etat::DebutChamp || !ligne.empty()) finLigne();
    return lignes;
}

TableLue LitTabulations(std::string_view texte) {
    TableLue lignes;
    while (!texte.empty()) {
        const size_t fin = std::min(texte.find('\n'), texte.size());
        std::string_view ligne = texte.substr(0, fin);
        texte.remove_prefix(std::min(fin + 1, texte.size()));
        lignes.emplace_back();
        for (size_t tab; (tab = ligne.find('\t')) != std::string_view::npos; ligne.remove_prefix(tab + 1))
            lignes.back().emplace_back(ligne.substr(0, tab));
        lignes.back().emplace_back(ligne);
    }
    return lignes;
}

} // namespace t3test
