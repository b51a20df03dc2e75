#include "engine/afc/LectureCoranDon.h"

#include "engine/afc/ExportAFC.h"
#include "engine/afc/FichiersTexte.h"
#include "engine/socle/LectureBornee.h"
#include "engine/socle/RemplaceFichier.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <limits>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace t3 {

namespace {

bool Blanc(char c) {
    return c == ' ' || c == '\t';
}

std::string_view SansBlancs(std::string_view s) {
    while (!s.empty() && Blanc(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && Blanc(s.back()))
        s.remove_suffix(1);
    return s;
}

// The blank-separated whole numbers of a line; false when a word is not one.
bool Entiers(std::string_view ligne, std::vector<int64_t>& valeurs) {
    valeurs.clear();
    size_t i = 0;
    while (i < ligne.size()) {
        if (Blanc(ligne[i])) {
            ++i;
            continue;
        }
        size_t fin = i;
        while (fin < ligne.size() && !Blanc(ligne[fin]))
            ++fin;
        int64_t v = 0;
        const auto [p, erreur] = std::from_chars(ligne.data() + i, ligne.data() + fin, v);
        if (erreur != std::errc() || p != ligne.data() + fin) return false;
        valeurs.push_back(v);
        i = fin;
    }
    return true;
}

// A whole number in a field of fixed width (at most 18 characters), blanks allowed around it; a blank
// field is 0. Read by hand: a table of thousands of parts holds hundreds of millions of fields.
enum class Lu { Nombre, Negatif, Autre };
Lu Champ(const char* p, const char* fin, int64_t& valeur) {
    while (p < fin && Blanc(*p))
        ++p;
    const bool negatif = p < fin && *p == '-';
    p += negatif;
    const char* chiffres = p;
    valeur = 0;
    while (p < fin && *p >= '0' && *p <= '9')
        valeur = valeur * 10 + (*p++ - '0');
    const bool vide = p == chiffres;
    while (p < fin && Blanc(*p))
        ++p;
    if (p != fin || (negatif && vide)) return Lu::Autre;
    return negatif && valeur > 0 ? Lu::Negatif : Lu::Nombre;
}

struct Format {
    int64_t saut = 0;
    int64_t colonnes = 0;
    int64_t largeur = 0;
};

// "(6x,5A4,3F5.0)": the characters skipped, the columns and their width.
bool LitFormat(std::string_view ligne, Format& f) {
    ligne = SansBlancs(ligne);
    const auto nombre = [&ligne](int64_t& v) {
        const auto [p, erreur] = std::from_chars(ligne.data(), ligne.data() + ligne.size(), v);
        if (erreur != std::errc() || p == ligne.data()) return false;
        ligne.remove_prefix(static_cast<size_t>(p - ligne.data()));
        return true;
    };
    const auto mot = [&ligne](std::string_view m) {
        if (ligne.size() < m.size()) return false;
        for (size_t i = 0; i < m.size(); ++i)
            if ((ligne[i] | 0x20) != (m[i] | 0x20)) return false;
        ligne.remove_prefix(m.size());
        return true;
    };
    return mot("(") && nombre(f.saut) && mot("x,5A4,") && nombre(f.colonnes) && mot("F") &&
           nombre(f.largeur) && mot(".0)") && ligne.empty();
}

class Lecteur {
  public:
    explicit Lecteur(std::string_view texte) : m_lignes(texte) {}
    Resultat<TableauAFC> Lit();

  private:
    std::string Ligne(std::string_view& ligne, const char* quoi) {
        if (!m_lignes.Suivante(ligne)) return std::string("il manque ") + quoi;
        return {};
    }
    std::string Ici() const { return "ligne " + std::to_string(m_lignes.Numero()) + " : "; }
    std::string LitEntete();
    std::string LitColonnes();
    std::string LitRangee(int64_t rangee);
    std::string LitControle();

    Lignes m_lignes;
    TableauAFC m_t;
    int64_t m_ni = 0, m_nj = 0;
    Format m_format;
    std::vector<int64_t> m_nombres;
};

std::string Lecteur::LitEntete() {
    std::string_view ligne;
    if (std::string f = Ligne(ligne, "le titre"); !f.empty()) return f;
    m_t.titre = std::string(ligne);
    if (std::string f = Ligne(ligne, "la ligne d'en-tête"); !f.empty()) return f;
    if (!Entiers(ligne, m_nombres) || m_nombres.size() != 5)
        return Ici() + "l'en-tête doit tenir cinq nombres entiers (NI, NJ, 5, 1, 0)";
    m_ni = m_nombres[0];
    m_nj = m_nombres[1];
    if (m_ni < 1) return Ici() + "NI vaut " + std::to_string(m_ni) + " : le tableau n'a aucune ligne";
    return {};
}

std::string Lecteur::LitColonnes() {
    std::string_view etiquettes, drapeaux, format;
    if (std::string f = Ligne(etiquettes, "les étiquettes des colonnes"); !f.empty()) return f;
    if (!Entiers(etiquettes, m_nombres))
        return Ici() + "les étiquettes des colonnes doivent être des nombres";
    const size_t nbEtiquettes = m_nombres.size();
    if (std::string f = Ligne(drapeaux, "la ligne des drapeaux des colonnes"); !f.empty()) return f;
    if (std::string f = Ligne(format, "la ligne du format"); !f.empty()) return f;
    if (!LitFormat(format, m_format) || m_format.saut < 0 || m_format.colonnes < 1 || m_format.largeur < 1 ||
        m_format.largeur > 18 || m_format.colonnes > std::numeric_limits<int32_t>::max() / m_format.largeur)
        return Ici() + "format attendu : (6x,5A4,nF5.0)";
    const auto n = static_cast<size_t>(m_format.colonnes);
    if (m_nj != m_format.colonnes)
        return Ici() + "NJ (" + std::to_string(m_nj) + ") ne correspond pas aux " + std::to_string(n) +
               " colonnes du format";
    if (nbEtiquettes != n)
        return Ici() + "il y a " + std::to_string(nbEtiquettes) + " étiquettes de colonnes pour " +
               std::to_string(n) + " colonnes";
    drapeaux = SansBlancs(drapeaux);
    if (drapeaux.size() != n || drapeaux.find_first_not_of("12") != std::string_view::npos)
        return Ici() + "la ligne des drapeaux doit tenir un chiffre 1 ou 2 par colonne";
    m_t.drapeaux = std::string(drapeaux);
    m_t.nbColonnes = static_cast<int32_t>(n);
    return {};
}

std::string Lecteur::LitRangee(int64_t rangee) {
    std::string_view ligne;
    if (!m_lignes.Suivante(ligne))
        return "il manque des lignes du tableau : " + std::to_string(rangee) + " lues sur " +
               std::to_string(m_ni);
    const int64_t debut = m_format.saut + static_cast<int64_t>(LongueurLibelleAFC);
    const int64_t attendu = debut + m_format.colonnes * m_format.largeur;
    if (static_cast<int64_t>(ligne.size()) != attendu)
        return Ici() + "la ligne a " + std::to_string(ligne.size()) + " caractères au lieu de " +
               std::to_string(attendu);
    const auto w = static_cast<size_t>(m_format.largeur);
    const char* champ = ligne.data() + debut;
    for (int32_t j = 0; j < m_t.nbColonnes; ++j, champ += w) {
        int64_t compte = 0;
        const Lu lu = Champ(champ, champ + w, compte);
        if (lu == Lu::Autre)
            return Ici() + "la colonne " + std::to_string(j + 1) + " ne tient pas un nombre entier";
        if (lu == Lu::Negatif)
            return Ici() + "la colonne " + std::to_string(j + 1) + " tient un effectif négatif";
        if (compte > std::numeric_limits<int32_t>::max())
            return Ici() + "la colonne " + std::to_string(j + 1) + " tient un effectif trop grand";
        if (compte > 0) m_t.cellules.push_back({j, static_cast<int32_t>(compte)});
    }
    m_t.debuts.push_back(static_cast<int64_t>(m_t.cellules.size()));
    return {};
}

std::string Lecteur::LitControle() {
    std::string_view ligne;
    if (std::string f = Ligne(ligne, "la ligne de contrôle après les lignes du tableau"); !f.empty())
        return f;
    if (!Entiers(ligne, m_nombres) || m_nombres.size() != 7)
        return Ici() + "la ligne de contrôle doit tenir sept nombres entiers (NF, 0, 0, 4, 150, 0, 0)";
    if (m_nombres[0] < 0 || m_nombres[0] > std::numeric_limits<int32_t>::max())
        return Ici() + "NF doit être un nombre de facteurs";
    m_t.nbFacteursDemandes = static_cast<int32_t>(m_nombres[0]);
    return {};
}

Resultat<TableauAFC> Lecteur::Lit() {
    std::string faute = LitEntete();
    if (faute.empty()) faute = LitColonnes();
    if (faute.empty() && m_ni > std::numeric_limits<int32_t>::max()) faute = "NI est trop grand";
    for (int64_t i = 0; faute.empty() && i < m_ni; ++i)
        faute = LitRangee(i);
    if (faute.empty()) faute = LitControle();
    if (!faute.empty()) return Echec{1, "Le fichier « coran.don » est incorrect : " + faute + "."};
    m_t.nbLignes = static_cast<int32_t>(m_ni);
    return std::move(m_t);
}

// The file mapped into memory for the life of the object.
class Projection {
  public:
    Projection() = default;
    ~Projection() {
        if (m_debut != MAP_FAILED) ::munmap(m_debut, m_taille);
    }
    Projection(const Projection&) = delete;
    Projection& operator=(const Projection&) = delete;
    // 0, or the error of the system.
    int Projette(int fd, size_t taille) {
        m_debut = ::mmap(nullptr, taille, PROT_READ, MAP_PRIVATE, fd, 0);
        if (m_debut == MAP_FAILED) return errno;
        m_taille = taille;
        ::madvise(m_debut, taille, MADV_SEQUENTIAL);
        return 0;
    }
    std::string_view Texte() const { return {static_cast<const char*>(m_debut), m_taille}; }

  private:
    void* m_debut = MAP_FAILED;
    size_t m_taille = 0;
};

Echec Illisible(const std::string& cause) {
    return Echec{2, "Impossible de lire le fichier « " + std::string(NomCoranDon) + " » : " + cause + "."};
}

} // namespace

Resultat<TableauAFC> LitTexteCoranDon(std::string_view texte) {
    return Lecteur(texte).Lit();
}

Resultat<TableauAFC> LitCoranDon(const std::string& chemin) {
    // O_NONBLOCK: opening a pipe that no one writes to would otherwise wait for a writer.
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return Illisible(CauseFichier(errno));
    struct stat etat {};
    const int erreurEtat = ::fstat(fd, &etat) == 0 ? 0 : errno;
    if (erreurEtat != 0 || !S_ISREG(etat.st_mode) || etat.st_size == 0 ||
        static_cast<uint64_t>(etat.st_size) > LimiteCoranDon) {
        ::close(fd);
        if (erreurEtat != 0) return Illisible(CauseFichier(erreurEtat));
        // What is not mapped goes through the bounded reader, which says why it refuses it (a folder, a
        // pipe, a device, a file past the bound) or reads an empty file.
        const Resultat<std::string> lu = LitFichierBorne(chemin, LimiteCoranDon);
        if (!lu) return Illisible(lu.Message());
        return LitTexteCoranDon(*lu);
    }
    Projection projection;
    const int erreur = projection.Projette(fd, static_cast<size_t>(etat.st_size));
    ::close(fd);
    if (erreur != 0) return Illisible(CauseFichier(erreur));
    return LitTexteCoranDon(projection.Texte());
}

} // namespace t3
