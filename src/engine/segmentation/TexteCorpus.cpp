#include "engine/segmentation/TexteCorpus.h"

#include "engine/socle/RemplaceFichier.h"
#include "engine/socle/TaillesTampons.h"

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

// Creates the temporary file of the transcoding, in the current folder or else in the temporary folder;
// the file open for writing, or null.
std::FILE* CreeTemporaire(FichierTemporaire& temporaire) {
    for (const std::string& dossier : {std::string("."), DossierTemporaire()}) {
        // Absolute, so that it is removed even when the current folder changes meanwhile.
        std::error_code erreur;
        FichierTemporaire fichier(fs::absolute(dossier, erreur).string(), "xxxx-utf8-");
        if (fichier.Chemin().empty()) continue;
        // A second descriptor of the same open file: the first keeps its lock once the stream is closed.
        const int fd = ::dup(fichier.Descripteur());
        if (std::FILE* f = fd >= 0 ? ::fdopen(fd, "wb") : nullptr) {
            temporaire = std::move(fichier);
            return f;
        }
        if (fd >= 0) ::close(fd);
    }
    return nullptr;
}

// Why a text holding UTF-8 characters is read as Windows-1252: too many of its bytes are not UTF-8.
std::string RaisonLectureCp1252(const RapportRemplacements& rapport, bool interrompu) {
    return "Le texte contient des caractères UTF-8, mais aussi " +
           std::string(interrompu ? "au moins " : "") + std::to_string(rapport.parSorte[IndexNonUtf8]) +
           " octets qui ne sont pas de l'UTF-8 (plus de 0,1 % du texte), le premier à la ligne " +
           std::to_string(rapport.ligneNonUtf8) + " : il est lu en Windows-1252.";
}

} // namespace

TexteCorpus::TexteCorpus(std::string chemin, Encodage demande)
    : m_chemin(std::move(chemin)), m_encodage(demande) {}

TexteCorpus::~TexteCorpus() = default;

bool TexteCorpus::Prepare() {
    if (m_encodage == Encodage::Cp1252) return true;
    // A device or a pipe is not read: it may never end, and its readers refuse it anyway.
    std::error_code erreur;
    std::FILE* entree = fs::is_regular_file(m_chemin, erreur) ? std::fopen(m_chemin.c_str(), "rb") : nullptr;
    if (!entree) { // its readers will not open it either, and say so
        m_encodage = Encodage::Cp1252;
        return true;
    }
    const bool fait = Transcode(entree);
    std::fclose(entree);
    return fait;
}

// Transcodes the text into the temporary file, made at the first bytes to write. Asked to detect the
// encoding, it detects it on the way, and stops at the first byte that is not UTF-8: the text is then
// read as it is, as is a text of ASCII alone.
bool TexteCorpus::Transcode(std::FILE* entree) {
    const bool detecte = m_encodage == Encodage::Auto;
    std::error_code e;
    const auto tailleFichier = fs::file_size(m_chemin, e);
    const int64_t tailleTexte = e ? INT64_MAX : static_cast<int64_t>(tailleFichier);
    const size_t taille = TailleTamponLecture;
    std::unique_ptr<char[]> tampon(new char[taille]);
    TranscodeurUtf8 transcodeur;
    std::string converti;
    std::FILE* sortie = nullptr;
    bool fait = true, interrompu = false;
    for (bool fin = false; !fin && fait;) {
        const size_t lus = std::fread(tampon.get(), 1, taille, entree);
        fin = lus < taille;
        if (fin && std::ferror(entree)) {
            m_erreur = EIO;
            fait = false;
            break;
        }
        converti.clear();
        transcodeur.Convertit(std::string_view(tampon.get(), lus), fin, converti);
        if (detecte && transcodeur.Invalide(tailleTexte)) {
            interrompu = !fin;
            break;
        }
        if (!sortie && !converti.empty() && !(sortie = CreeTemporaire(m_temporaire))) {
            m_erreur = errno;
            fait = false;
        } else if (sortie && std::fwrite(converti.data(), 1, converti.size(), sortie) != converti.size()) {
            m_erreur = errno;
            fait = false;
        }
    }
    if (sortie && std::fclose(sortie) != 0 && fait) {
        m_erreur = errno;
        fait = false;
    }
    m_encodage = detecte ? transcodeur.Verdict() : Encodage::Utf8;
    // A Windows-1252 text may hold a few byte runs that read as UTF-8 ("é" + no-break space + "»"): the
    // user is told only of a text that holds more UTF-8 characters than stray bytes.
    if (detecte && m_encodage == Encodage::Cp1252 && transcodeur.MultiOctets() > 0 &&
        transcodeur.MultiOctets() >= transcodeur.Rapport().parSorte[IndexNonUtf8])
        m_raisonCp1252 = RaisonLectureCp1252(transcodeur.Rapport(), interrompu);
    if (fait && m_encodage == Encodage::Utf8) {
        m_rapport = transcodeur.Rapport();
        if (m_temporaire.Chemin().empty()) { // an empty text, or a byte-order mark alone
            sortie = CreeTemporaire(m_temporaire);
            if (!sortie || std::fclose(sortie) != 0) {
                m_erreur = errno;
                fait = false;
            }
        }
    }
    if (!fait || m_encodage != Encodage::Utf8) m_temporaire.Supprime();
    if (!fait && m_erreur == 0) m_erreur = EIO;
    return fait;
}

std::string MessageTranscodage(const TexteCorpus& texte) {
    return "Le texte en UTF-8 ne peut être converti en Windows-1252 : " + CauseFichier(texte.Erreur()) + ".";
}

} // namespace t3
