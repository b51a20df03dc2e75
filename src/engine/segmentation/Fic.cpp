#include "engine/segmentation/Fic.h"

#include "engine/segmentation/Encodage.h"
#include "engine/segmentation/LecteurDocument.h"
#include "engine/segmentation/TranscodeurUtf8.h"
#include "engine/socle/Cp1252.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace t3 {

namespace fs = std::filesystem;

namespace {

std::string NomSeul(const std::string& chemin) {
    const size_t barre = chemin.rfind('/');
    return barre == std::string::npos ? chemin : chemin.substr(barre + 1);
}

// The length of the UTF-8 sequence at texte[i], or 1 for a byte that begins none (a name in another
// encoding is then cut byte by byte).
size_t LongueurCaractere(const std::string& texte, size_t i) {
    const auto c = static_cast<unsigned char>(texte[i]);
    size_t n = 1;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2;
    else if (c >= 0xE0 && c <= 0xEF)
        n = 3;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4;
    if (i + n > texte.size()) return 1;
    for (size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(texte[i + k]) & 0xC0) != 0x80) return 1;
    return n;
}

std::string CoupeCaracteres(const std::string& texte, size_t maximum) {
    size_t i = 0;
    for (size_t compte = 0; i < texte.size() && compte < maximum; ++compte)
        i += LongueurCaractere(texte, i);
    return texte.substr(0, i);
}

int32_t TypeSelonExtension(std::string extension) {
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (extension == ".txt") return TypeTexte;
    if (extension == ".doc") return TypeDocWord;
    if (extension == ".docx") return TypeDocWordXml;
    if (extension == ".odt") return TypeDocOpenDocument;
    return TypeInconnu;
}

FormatDocument FormatDuType(int32_t type) {
    if (type == TypeDocWordXml) return FormatDocument::WordXml;
    if (type == TypeDocOpenDocument) return FormatDocument::OpenDocument;
    return FormatDocument::Word97;
}

// Copies a text in UTF-8 transcoded to Windows-1252, as the segmentation would read it; the report of
// what was replaced goes to rapport.
bool CopieTranscode(const std::string& chemin, std::ostream& sortie, RapportRemplacements& rapport) {
    std::FILE* f = std::fopen(chemin.c_str(), "rb");
    if (!f) return false;
    std::unique_ptr<char[]> tampon(new char[1 << 16]);
    TranscodeurUtf8 transcodeur;
    std::string converti;
    for (bool fin = false; !fin;) {
        const size_t lus = std::fread(tampon.get(), 1, 1 << 16, f);
        fin = lus < (1 << 16);
        converti.clear();
        transcodeur.Convertit(std::string_view(tampon.get(), lus), fin, converti);
        sortie.write(converti.data(), static_cast<std::streamsize>(converti.size()));
    }
    const bool erreur = std::ferror(f) != 0;
    std::fclose(f);
    rapport = transcodeur.Rapport();
    return !erreur;
}

bool CopieOctets(const std::string& chemin, std::ostream& sortie) {
    std::FILE* f = std::fopen(chemin.c_str(), "rb");
    if (!f) return false;
    std::unique_ptr<char[]> tampon(new char[1 << 16]);
    size_t lus;
    while ((lus = std::fread(tampon.get(), 1, 1 << 16, f)) > 0)
        sortie.write(tampon.get(), static_cast<std::streamsize>(lus));
    const bool erreur = std::ferror(f) != 0;
    std::fclose(f);
    return !erreur;
}

// Creates an empty file of a new name beside the corpus, with the permissions a new file takes.
bool CreeTemporaire(const fs::path& corpus, fs::path& temporaire) {
    static std::atomic<int> compteur{0};
    for (int essai = 0; essai < 100; ++essai) {
        std::string nom(1, '.');
        nom += corpus.filename().string();
        nom += '.';
        nom += std::to_string(::getpid());
        nom += '-';
        nom += std::to_string(compteur++);
        nom += ".tmp";
        temporaire = corpus.parent_path() / nom;
        const int fd = ::open(temporaire.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

} // namespace

const char* LibelleType(int32_t type) {
    switch (type) {
    case TypeTexte:
        return "Texte";
    case TypeDocWord:
    case TypeDocWordXml:
        return "Doc. Word";
    case TypeDocOpenDocument:
        return "Doc. OpenDocument";
    default:
        return "Inconnu";
    }
}

Fic::Fic(const std::string& chemin) : m_chemin(chemin) {
    const std::string nom = NomSeul(chemin);
    const size_t point = nom.rfind('.');
    if (point != std::string::npos) {
        m_nom = CoupeCaracteres(nom.substr(0, point), LongueurMaxNomFic);
        for (char& c : m_nom)
            if (c == ' ') c = '_';
        m_type = TypeSelonExtension(nom.substr(point));
    }
    std::error_code erreur;
    const uintmax_t taille = fs::file_size(chemin, erreur);
    m_taille = erreur ? 0 : static_cast<int64_t>(taille);
}

Resultat<std::string> Fic::EcritDans(std::ostream& sortie, const std::string& optionParagraphes) const {
    if (!EstDocument(m_type)) {
        // A text in UTF-8 joins the corpus in Windows-1252, as the other files; what it loses is said.
        RapportRemplacements rapport;
        const bool utf8 = m_type == TypeTexte && DetecteEncodage(m_chemin) == Encodage::Utf8;
        if (utf8 ? CopieTranscode(m_chemin, sortie, rapport) : CopieOctets(m_chemin, sortie))
            return rapport.Vide()
                       ? std::string()
                       : "« " + NomSeul(m_chemin) + " » (UTF-8) : " + MessageRemplacements(rapport);
        return Echec{DocumentIllisible, "Impossible de lire le fichier « " + NomSeul(m_chemin) + " »."};
    }

    const Resultat<std::vector<std::string>> lus = LitParagraphes(m_chemin, FormatDuType(m_type));
    if (!lus) return Echec{lus.Code(), lus.Message()};
    const std::vector<std::string>& paragraphes = *lus;
    std::string s = Utf8VersCp1252(optionParagraphes);
    const bool numerote = !s.empty() && s[0] == '<';
    if (!s.empty() && !numerote && s.back() != '\n') s += '\n';
    for (size_t i = 0; i < paragraphes.size(); ++i) {
        sortie << s;
        if (numerote) sortie << std::to_string(i + 1) << ">\n";
        // The word processor gave each paragraph ending with its paragraph mark, a carriage return; here
        // each paragraph ends with a line feed, and a line break left inside it becomes a blank, so that
        // the corpus holds one paragraph a line.
        std::string texte = Utf8VersCp1252(paragraphes[i]);
        for (char& c : texte)
            if (c == '\n' || c == '\r' || c == '\v' || c == '\f') c = ' ';
        sortie << texte << '\n';
    }
    return std::string();
}

bool AjouteFic(std::vector<Fic>& fichiers, const std::string& chemin) {
    for (const Fic& f : fichiers)
        if (f.Chemin() == chemin) return false;
    fichiers.emplace_back(chemin);
    return true;
}

std::string ParagraphOptionString(bool traitement, bool parCaractere, const std::string& car,
                                  const std::string& cle) {
    if (!traitement) return {};
    if (parCaractere) return car;
    return "<" + cle + "=";
}

Sauvegarde SauvegardeDe(const std::vector<Fic>& fichiers) {
    if (fichiers.empty()) return Sauvegarde::Rien;
    if (fichiers.size() == 1 && fichiers[0].Type() == TypeTexte) return Sauvegarde::FichierSeul;
    return Sauvegarde::Assemblage;
}

Resultat<std::vector<std::string>> AssembleCorpus(const std::vector<Fic>& fichiers, const std::string& nomCle,
                                                  const std::string& optionParagraphes,
                                                  const std::string& cheminSortie) {
    std::vector<std::string> erreurs;
    // A failure says what was met before it, then its cause.
    const auto echec = [&erreurs](const std::string& cause) {
        std::string message;
        for (const std::string& e : erreurs)
            message += e + "\n";
        return Echec{1, message + cause};
    };
    std::error_code code;
    fs::path corpus(cheminSortie);
    // A link is followed, so that the file it points to is the one replaced.
    if (fs::is_symlink(corpus, code)) {
        const fs::path cible = fs::canonical(corpus, code);
        if (!code) corpus = cible;
    }
    for (const Fic& f : fichiers) {
        if (fs::equivalent(corpus, f.Chemin(), code) && !code) {
            return echec("Le corpus ne peut pas remplacer le fichier « " + NomSeul(f.Chemin()) +
                         " » qu'il rassemble : choisissez un autre nom.");
        }
    }

    const std::string nomCorpus = NomSeul(cheminSortie);
    fs::path temporaire;
    if (!CreeTemporaire(corpus, temporaire)) {
        return echec("Impossible de créer le corpus « " + nomCorpus + " ».");
    }
    bool ecrit;
    {
        std::ofstream sortie(temporaire, std::ios::binary | std::ios::trunc);
        std::string debutCle(1, '<');
        debutCle += Utf8VersCp1252(nomCle);
        debutCle += '=';
        for (const Fic& f : fichiers) {
            if (!sortie) break;
            sortie << debutCle << Utf8VersCp1252(f.Nom()) << ">\n";
            const Resultat<std::string> partie = f.EcritDans(sortie, optionParagraphes);
            if (!partie)
                erreurs.push_back(partie.Message());
            else if (!partie->empty())
                erreurs.push_back(*partie);
            sortie << '\n';
        }
        sortie.flush();
        ecrit = sortie.good();
    }
    if (ecrit) {
        // The corpus that is replaced keeps its permissions.
        const fs::file_status ancien = fs::status(corpus, code);
        if (!code && fs::exists(ancien)) fs::permissions(temporaire, ancien.permissions(), code);
        fs::rename(temporaire, corpus, code);
        ecrit = !code;
    }
    if (!ecrit) {
        fs::remove(temporaire, code);
        return echec("Impossible d'écrire le corpus « " + nomCorpus + " ».");
    }
    return erreurs;
}

} // namespace t3
