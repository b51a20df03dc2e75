#include "segmentation/TexteCorpus.h"

#include "segmentation/RemplaceFichier.h"
#include "segmentation/TaillesTampons.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace t3 {

namespace fs = std::filesystem;

namespace {

// The folder for temporary files when the current one refuses them: $TEMP, else $TMPDIR, else /tmp.
std::string DossierTemporaire() {
    for (const char* variable : {"TEMP", "TMPDIR"})
        if (const char* valeur = std::getenv(variable); valeur && *valeur) return valeur;
    return "/tmp";
}

// Creates a new file from a mkstemp pattern; the file open for writing, or null.
std::FILE* CreeTemporaire(std::string& chemin) {
    for (const std::string& dossier : {std::string("."), DossierTemporaire()}) {
        // Absolute, so that it is removed even when the current folder changes meanwhile.
        std::error_code erreur;
        std::string modele = (fs::absolute(dossier, erreur) / "xxxx-utf8-XXXXXX").string();
        const int fd = ::mkstemp(modele.data());
        if (fd < 0) continue;
        if (std::FILE* f = ::fdopen(fd, "wb")) {
            chemin = modele;
            return f;
        }
        ::close(fd);
        std::remove(modele.c_str());
    }
    return nullptr;
}

} // namespace

TexteCorpus::TexteCorpus(std::string chemin, Encodage demande)
    : m_chemin(std::move(chemin)), m_encodage(demande) {}

TexteCorpus::~TexteCorpus() {
    if (!m_temporaire.empty()) std::remove(m_temporaire.c_str());
}

bool TexteCorpus::Prepare() {
    m_encodage = EncodageRetenu(m_chemin, m_encodage);
    if (m_encodage != Encodage::Utf8) return true;
    std::FILE* entree = std::fopen(m_chemin.c_str(), "rb");
    if (!entree) return true; // its readers will not open it either, and say so
    std::FILE* sortie = CreeTemporaire(m_temporaire);
    if (!sortie) {
        m_erreur = errno;
        std::fclose(entree);
        return false;
    }
    bool fait = Transcode(entree, sortie);
    fait = std::fclose(sortie) == 0 && fait;
    if (!fait && m_erreur == 0) m_erreur = errno ? errno : EIO;
    std::fclose(entree);
    if (!fait) {
        std::remove(m_temporaire.c_str());
        m_temporaire.clear();
    }
    return fait;
}

bool TexteCorpus::Transcode(std::FILE* entree, std::FILE* sortie) {
    const size_t taille = TailleTamponLecture;
    std::unique_ptr<char[]> tampon(new char[taille]);
    TranscodeurUtf8 transcodeur;
    std::string converti;
    for (bool fin = false; !fin;) {
        const size_t lus = std::fread(tampon.get(), 1, taille, entree);
        fin = lus < taille;
        if (fin && std::ferror(entree)) {
            m_erreur = EIO;
            return false;
        }
        converti.clear();
        transcodeur.Convertit(std::string_view(tampon.get(), lus), fin, converti);
        if (std::fwrite(converti.data(), 1, converti.size(), sortie) != converti.size()) {
            m_erreur = errno;
            return false;
        }
    }
    m_rapport = transcodeur.Rapport();
    return true;
}

std::string MessageTranscodage(const TexteCorpus& texte) {
    return "Le texte en UTF-8 ne peut être converti en Windows-1252 : " + CauseFichier(texte.Erreur()) + ".";
}

} // namespace t3
