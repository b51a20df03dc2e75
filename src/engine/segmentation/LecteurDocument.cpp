#include "engine/segmentation/LecteurDocument.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <expat.h>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

extern char** environ;

namespace t3 {

namespace {

std::string NomSeul(const std::string& chemin) {
    const size_t barre = chemin.rfind('/');
    return barre == std::string::npos ? chemin : chemin.substr(barre + 1);
}

std::string MessageIllisible(const std::string& chemin) {
    return "Impossible de lire le document « " + NomSeul(chemin) + " ».";
}

// ---- The XML of the documents -------------------------------------------------------------------------

// Expat gives each name as the namespace, this separator, then the local name.
constexpr char SeparateurEspace = '|';

constexpr std::string_view EspaceWord = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr std::string_view EspaceWordStrict = "http://purl.oclc.org/ooxml/wordprocessingml/main";
constexpr std::string_view EspaceCompatibilite =
    "http://schemas.openxmlformats.org/markup-compatibility/2006";
constexpr std::string_view EspaceTexte = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr std::string_view EspaceBureau = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr std::string_view EspaceDessin = "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0";

struct NomXml {
    std::string_view espace;
    std::string_view local;
};

NomXml Decoupe(const XML_Char* nom) {
    const std::string_view tout(nom);
    const size_t separateur = tout.find(SeparateurEspace);
    if (separateur == std::string_view::npos) return {{}, tout};
    return {tout.substr(0, separateur), tout.substr(separateur + 1)};
}

// Collects the paragraphs of the main text of one XML part. Only the main text is read, as the
// paragraphs of the document's body: text boxes, drawings, comments, and the notes of an OpenDocument
// text (whose body sits inside the paragraph that calls it) are left out, as are deleted text under
// revision marks and the instructions of fields (their results are kept). Inside a paragraph, a tab stays
// a tab and a line break becomes a blank, so that every paragraph makes one line of the corpus.
class LecteurXml {
  public:
    LecteurXml(FormatDocument format, std::vector<std::string>& paragraphes)
        : m_format(format), m_paragraphes(paragraphes) {
        m_analyseur = XML_ParserCreateNS(nullptr, SeparateurEspace);
        if (!m_analyseur) return;
        XML_SetUserData(m_analyseur, this);
        XML_SetElementHandler(m_analyseur, &LecteurXml::Debut, &LecteurXml::Fin);
        XML_SetCharacterDataHandler(m_analyseur, &LecteurXml::Texte);
    }
    ~LecteurXml() {
        if (m_analyseur) XML_ParserFree(m_analyseur);
    }
    LecteurXml(const LecteurXml&) = delete;
    LecteurXml& operator=(const LecteurXml&) = delete;

    bool Analyse(const char* octets, size_t n, bool dernier) {
        if (!m_analyseur) return false;
        return XML_Parse(m_analyseur, octets, static_cast<int>(n), dernier) == XML_STATUS_OK;
    }

  private:
    static void XMLCALL Debut(void* moi, const XML_Char* nom, const XML_Char** attributs) {
        static_cast<LecteurXml*>(moi)->Ouvre(Decoupe(nom), attributs);
    }
    static void XMLCALL Fin(void* moi, const XML_Char* nom) {
        static_cast<LecteurXml*>(moi)->Ferme(Decoupe(nom));
    }
    static void XMLCALL Texte(void* moi, const XML_Char* texte, int n) {
        static_cast<LecteurXml*>(moi)->Caracteres(std::string_view(texte, static_cast<size_t>(n)));
    }

    static bool EstWord(const NomXml& n) { return n.espace == EspaceWord || n.espace == EspaceWordStrict; }

    bool EstParagraphe(const NomXml& n) const {
        if (m_format == FormatDocument::WordXml) return EstWord(n) && n.local == "p";
        return n.espace == EspaceTexte && (n.local == "p" || n.local == "h");
    }

    // Elements left out with everything they hold.
    bool EstIgnore(const NomXml& n) const {
        if (m_format == FormatDocument::WordXml) {
            if (n.espace == EspaceCompatibilite) return n.local == "Fallback"; // the same content again
            if (!EstWord(n)) return false;
            return n.local == "pPr" || n.local == "rPr" || n.local == "delText" || n.local == "instrText" ||
                   n.local == "del" || n.local == "moveFrom" || n.local == "txbxContent" ||
                   n.local == "drawing" || n.local == "pict" || n.local == "object";
        }
        if (n.espace == EspaceDessin) return true;
        if (n.espace == EspaceBureau) return n.local == "annotation";
        if (n.espace == EspaceTexte)
            return n.local == "note" || n.local == "tracked-changes" || n.local == "ruby-text";
        return false;
    }

    void Ouvre(const NomXml& n, const XML_Char** attributs) {
        ++m_profondeur;
        if (m_ignore) return;
        if (EstIgnore(n)) {
            m_ignore = m_profondeur;
            return;
        }
        if (m_format == FormatDocument::OpenDocument && n.espace == EspaceBureau && n.local == "body") {
            m_dansCorps = true;
            return;
        }
        if (EstParagraphe(n)) {
            // A paragraph inside another (only through the elements left out, in practice) joins it.
            if (m_niveauParagraphe++ == 0) {
                m_courant.clear();
                m_espaceReplie = false;
            }
            return;
        }
        if (m_niveauParagraphe == 0) return;
        if (m_format == FormatDocument::WordXml) {
            if (!EstWord(n)) return;
            if (n.local == "t")
                m_dansTexte = true;
            else if (n.local == "tab" || n.local == "ptab")
                m_courant += '\t';
            else if (n.local == "br" || n.local == "cr")
                m_courant += ' ';
            else if (n.local == "noBreakHyphen")
                m_courant += '-';
            return;
        }
        if (n.espace != EspaceTexte) return;
        if (n.local == "s") {
            long nombre = 1;
            for (const XML_Char** a = attributs; *a; a += 2) {
                const NomXml attribut = Decoupe(a[0]);
                if (attribut.espace == EspaceTexte && attribut.local == "c")
                    nombre = std::strtol(a[1], nullptr, 10);
            }
            // A count out of reason is a spoilt document, not a request for gigabytes of blanks.
            if (nombre < 1) nombre = 1;
            if (nombre > 10000) nombre = 10000;
            m_courant.append(static_cast<size_t>(nombre), ' ');
            m_espaceReplie = false;
        } else if (n.local == "tab") {
            m_courant += '\t';
            m_espaceReplie = false;
        } else if (n.local == "line-break") {
            m_courant += ' ';
            m_espaceReplie = false;
        }
    }

    void Ferme(const NomXml& n) {
        if (m_ignore) {
            if (m_ignore == m_profondeur) m_ignore = 0;
            --m_profondeur;
            return;
        }
        --m_profondeur;
        if (m_format == FormatDocument::OpenDocument && n.espace == EspaceBureau && n.local == "body") {
            m_dansCorps = false;
        } else if (EstParagraphe(n)) {
            if (m_niveauParagraphe > 0 && --m_niveauParagraphe == 0) {
                if (m_espaceReplie) m_courant.pop_back();
                if (m_format == FormatDocument::WordXml || m_dansCorps) m_paragraphes.push_back(m_courant);
            }
        } else if (m_format == FormatDocument::WordXml && EstWord(n) && n.local == "t") {
            m_dansTexte = false;
        }
    }

    void Caracteres(std::string_view texte) {
        if (m_ignore || m_niveauParagraphe == 0) return;
        if (m_format == FormatDocument::WordXml) {
            // A line end written in the text of a run (the XML hands any as a line feed, or as a
            // carriage return when it is a character reference) is a blank, as a line break is.
            if (m_dansTexte)
                for (char c : texte)
                    m_courant += c == '\n' || c == '\r' ? ' ' : c;
            return;
        }
        // In an OpenDocument text, white space in the character data is layout of the XML: a run of it
        // counts as one blank, and none at the start or the end of a paragraph (real blanks are elements).
        for (char c : texte) {
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
                if (m_courant.empty() || m_espaceReplie) continue;
                m_courant += ' ';
                m_espaceReplie = true;
            } else {
                m_courant += c;
                m_espaceReplie = false;
            }
        }
    }

    XML_Parser m_analyseur = nullptr;
    FormatDocument m_format;
    std::vector<std::string>& m_paragraphes;
    std::string m_courant;
    int m_profondeur = 0;
    int m_ignore = 0; // depth of the element left out that the reading is inside, or 0
    int m_niveauParagraphe = 0;
    bool m_dansTexte = false;
    bool m_dansCorps = false;
    bool m_espaceReplie = false; // the last character is a blank standing for XML white space
};

// ---- The zip archives ---------------------------------------------------------------------------------

constexpr const char* PartieWord = "word/document.xml";
constexpr const char* PartieOpenDocument = "content.xml";

struct FermeZip {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct FermeFichierZip {
    void operator()(zip_file_t* fichier) const { zip_fclose(fichier); }
};

bool LitArchive(const std::string& chemin, FormatDocument attendu, std::vector<std::string>& paragraphes) {
    int code = 0;
    std::unique_ptr<zip_t, FermeZip> archive(zip_open(chemin.c_str(), ZIP_RDONLY, &code));
    if (!archive) return false;
    const bool word = zip_name_locate(archive.get(), PartieWord, 0) >= 0;
    const bool openDocument = zip_name_locate(archive.get(), PartieOpenDocument, 0) >= 0;
    FormatDocument format;
    if (word && (!openDocument || attendu != FormatDocument::OpenDocument))
        format = FormatDocument::WordXml;
    else if (openDocument)
        format = FormatDocument::OpenDocument;
    else
        return false;

    std::unique_ptr<zip_file_t, FermeFichierZip> partie(
        zip_fopen(archive.get(), format == FormatDocument::WordXml ? PartieWord : PartieOpenDocument, 0));
    if (!partie) return false;
    LecteurXml lecteur(format, paragraphes);
    std::unique_ptr<char[]> tampon(new char[1 << 16]);
    for (;;) {
        const zip_int64_t lus = zip_fread(partie.get(), tampon.get(), 1 << 16);
        if (lus < 0) return false;
        if (!lecteur.Analyse(tampon.get(), static_cast<size_t>(lus), lus == 0)) return false;
        if (lus == 0) return true;
    }
}

// ---- antiword -----------------------------------------------------------------------------------------

enum class ResultatAntiword { Ok, Absent, Echec };

ResultatAntiword LanceAntiword(const std::string& chemin, std::string& sortie) {
    // A path beginning with "-" would be taken for an option, and "-" alone for the standard input.
    const std::string fichier = !chemin.empty() && chemin[0] == '-' ? "./" + chemin : chemin;
    int tube[2];
    if (::pipe2(tube, O_CLOEXEC) != 0) return ResultatAntiword::Echec;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, tube[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    // Whole paragraphs on one line each, in UTF-8 whatever the locale.
    const char* arguments[] = {"antiword", "-w", "0", "-m", "UTF-8.txt", fichier.c_str(), nullptr};
    pid_t pid = 0;
    const int lancement =
        posix_spawnp(&pid, "antiword", &actions, nullptr, const_cast<char* const*>(arguments), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(tube[1]);
    if (lancement != 0) {
        ::close(tube[0]);
        return lancement == ENOENT ? ResultatAntiword::Absent : ResultatAntiword::Echec;
    }
    char tampon[1 << 16];
    bool lu = true;
    for (;;) {
        const ssize_t n = ::read(tube[0], tampon, sizeof tampon);
        if (n > 0)
            sortie.append(tampon, static_cast<size_t>(n));
        else if (n == 0)
            break;
        else if (errno != EINTR) {
            lu = false;
            break;
        }
    }
    ::close(tube[0]);
    int statut = 0;
    while (::waitpid(pid, &statut, 0) < 0)
        if (errno != EINTR) return ResultatAntiword::Echec;
    if (!lu || !WIFEXITED(statut) || WEXITSTATUS(statut) != 0) return ResultatAntiword::Echec;
    return ResultatAntiword::Ok;
}

// ---- The kind of a file from its first bytes ----------------------------------------------------------

enum class Signature { Zip, FichierCompose, Autre };

Signature SignatureDe(const std::string& chemin) {
    std::FILE* f = std::fopen(chemin.c_str(), "rb");
    if (!f) return Signature::Autre;
    unsigned char debut[8] = {};
    const size_t n = std::fread(debut, 1, sizeof debut, f);
    std::fclose(f);
    if (n >= 4 && std::memcmp(debut, "PK\x03\x04", 4) == 0) return Signature::Zip;
    if (n == 8 && std::memcmp(debut, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) == 0)
        return Signature::FichierCompose;
    return Signature::Autre;
}

} // namespace

std::vector<std::string> ParagraphesSortieAntiword(std::string_view sortie) {
    std::vector<std::string> paragraphes;
    if (!sortie.empty() && sortie.front() == '\n') sortie.remove_prefix(1);
    std::string courant;
    for (char c : sortie) {
        if (c == '\n') {
            paragraphes.push_back(std::move(courant));
            courant.clear();
        } else if (c != '\r' && c != '\f') {
            courant += c;
        }
    }
    if (!courant.empty()) paragraphes.push_back(std::move(courant));
    return paragraphes;
}

Resultat<std::vector<std::string>> LitParagraphes(const std::string& chemin, FormatDocument attendu) {
    const Signature signature = SignatureDe(chemin);
    const bool archive =
        signature == Signature::Zip || (signature == Signature::Autre && attendu != FormatDocument::Word97);
    if (archive) {
        std::vector<std::string> paragraphes;
        if (LitArchive(chemin, attendu, paragraphes)) return paragraphes;
        return Echec{DocumentIllisible, MessageIllisible(chemin)};
    }
    std::string sortie;
    switch (LanceAntiword(chemin, sortie)) {
    case ResultatAntiword::Ok:
        return ParagraphesSortieAntiword(sortie);
    case ResultatAntiword::Absent:
        return Echec{AntiwordAbsent, "antiword n'est pas installé : le document « " + NomSeul(chemin) +
                                         " » ne peut pas être lu."};
    case ResultatAntiword::Echec:
        break;
    }
    return Echec{DocumentIllisible, MessageIllisible(chemin)};
}

} // namespace t3
