#include "engine/afc/ListePoints.h"

#include "engine/afc/ExportAFC.h"
#include "engine/socle/LectureBornee.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace t3 {

namespace {

bool Blanc(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Whitespace-separated tokens of a text, read in order.
class Jetons {
  public:
    explicit Jetons(std::string_view texte) : m_texte(texte) {}
    // The next token; empty at the end.
    std::string_view Suivant() {
        SauteBlancs();
        const size_t debut = m_pos;
        while (m_pos < m_texte.size() && !Blanc(m_texte[m_pos]))
            ++m_pos;
        return m_texte.substr(debut, m_pos - debut);
    }
    // The next character that is not a blank; 0 at the end.
    char Caractere() {
        SauteBlancs();
        return m_pos < m_texte.size() ? m_texte[m_pos++] : '\0';
    }
    bool Fini() {
        SauteBlancs();
        return m_pos >= m_texte.size();
    }
    size_t Taille() const { return m_texte.size(); }

  private:
    void SauteBlancs() {
        while (m_pos < m_texte.size() && Blanc(m_texte[m_pos]))
            ++m_pos;
    }
    std::string_view m_texte;
    size_t m_pos = 0;
};

bool Entier(std::string_view jeton, int64_t& valeur) {
    const char* fin = jeton.data() + jeton.size();
    const auto [p, erreur] = std::from_chars(jeton.data(), fin, valeur);
    return !jeton.empty() && erreur == std::errc() && p == fin;
}

bool Reel(std::string_view jeton, double& valeur) {
    if (!jeton.empty() && jeton.front() == '+') jeton.remove_prefix(1);
    const char* fin = jeton.data() + jeton.size();
    const auto [p, erreur] = std::from_chars(jeton.data(), fin, valeur);
    return !jeton.empty() && erreur == std::errc() && p == fin && std::isfinite(valeur);
}

Echec Invalide(const std::string& fichier, const std::string& detail) {
    return Echec{LectureInvalide, "Le fichier « " + fichier + " » est incorrect : " + detail + "."};
}

// The first 40 bytes of a token, those outside printable ASCII written \xNN: a token of a file is
// quoted whatever it holds (an escape sequence, a bell, bytes that are no text).
std::string Cite(std::string_view jeton) {
    if (jeton.empty()) return "la fin du fichier";
    std::string cite = "« ";
    for (const char c : jeton.substr(0, 40)) {
        const auto octet = static_cast<unsigned char>(c);
        if (octet >= 0x20 && octet < 0x7F) {
            cite += c;
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", octet);
            cite += code;
        }
    }
    return cite + " »";
}

// Reads a count of at least minimum and at most maximum.
bool LitCompte(Jetons& j, int64_t minimum, int64_t maximum, int64_t& n, std::string& faute, const char* nom) {
    const std::string_view jeton = j.Suivant();
    if (!Entier(jeton, n)) {
        faute = std::string(nom) + " attendu, trouvé " + Cite(jeton);
        return false;
    }
    if (n < minimum || n > maximum) {
        faute = std::string(nom) + " " + std::to_string(n) + " hors des limites (" + std::to_string(minimum) +
                " à " + std::to_string(maximum) + ")";
        return false;
    }
    return true;
}

// Reads one point's line into the list; an empty text, or what is wrong.
std::string LitPoint(Jetons& j, TListePoints& points, std::vector<char>& vus, int64_t numeroLigne) {
    const std::string ligne = "point " + std::to_string(numeroLigne + 1) + " : ";
    const char marque = j.Caractere();
    if (marque == '\0') return ligne + "il manque des points";
    const std::string_view jetonIndice = j.Suivant();
    double indiceReel = 0;
    if (!Reel(jetonIndice, indiceReel) || indiceReel != std::floor(indiceReel))
        return ligne + "numéro de point attendu, trouvé " + Cite(jetonIndice);
    if (indiceReel < 0 || indiceReel >= points.NbPoints())
        return ligne + "le numéro " + std::string(jetonIndice) + " n'est pas entre 0 et " +
               std::to_string(points.NbPoints() - 1);
    const auto i = static_cast<int32_t>(indiceReel);
    if (vus[static_cast<size_t>(i)]) return ligne + "le point " + std::to_string(i) + " est donné deux fois";
    vus[static_cast<size_t>(i)] = 1;
    double valeurs[2];
    for (double& v : valeurs) {
        const std::string_view jeton = j.Suivant();
        if (!Reel(jeton, v)) return ligne + "nombre attendu, trouvé " + Cite(jeton);
    }
    points.SetPoint(i, marque, valeurs[0], valeurs[1]);
    for (int32_t k = 0; k < 3 * points.NbFacteurs(); ++k) {
        const std::string_view jeton = j.Suivant();
        double v = 0;
        if (!Reel(jeton, v)) return ligne + "nombre attendu, trouvé " + Cite(jeton);
        points.SetValeur(k, i, v);
    }
    return {};
}

} // namespace

TListePoints::TListePoints(int32_t nbPoints, int32_t nbFacteurs)
    : m_nbPoints(nbPoints), m_nbFacteurs(nbFacteurs),
      m_valeurs(Ix(3 * nbFacteurs), std::vector<double>(Ix(nbPoints), 0.0)), m_marques(Ix(nbPoints), ' '),
      m_masses(Ix(nbPoints), 0.0), m_distances(Ix(nbPoints), 0.0), m_axeX(0), m_axeY(nbFacteurs > 1 ? 1 : 0) {
}

Resultat<TListePoints> LitTexteFacteurs(std::string_view texte) {
    Jetons j(texte);
    std::string faute;
    int64_t m = 0, p = 0;
    // Every point takes at least 2 × (4 + 3p) characters: a bound on the counts before any allocation.
    const auto taille = static_cast<int64_t>(texte.size());
    if (!LitCompte(j, 1, std::max<int64_t>(1, taille / 8), m, faute, "nombre de points") ||
        !LitCompte(j, 1, std::max<int64_t>(1, taille / (6 * m)), p, faute, "nombre de facteurs"))
        return Invalide(NomFacteurs, faute);
    TListePoints points(static_cast<int32_t>(m), static_cast<int32_t>(p));
    std::vector<char> vus(static_cast<size_t>(m), 0);
    for (int64_t n = 0; n < m; ++n)
        if (const std::string f = LitPoint(j, points, vus, n); !f.empty()) return Invalide(NomFacteurs, f);
    if (!j.Fini()) return Invalide(NomFacteurs, "il reste du texte après le dernier point");
    return points;
}

Resultat<std::vector<int64_t>> LitTexteValeursPropres(std::string_view texte) {
    Jetons j(texte);
    std::string faute;
    int64_t q = 0;
    if (!LitCompte(j, 0, static_cast<int64_t>(texte.size() / 2), q, faute, "nombre de valeurs propres"))
        return Invalide(NomValeursPropres, faute);
    std::vector<int64_t> valeurs(static_cast<size_t>(q));
    for (int64_t& v : valeurs) {
        const std::string_view jeton = j.Suivant();
        if (!Entier(jeton, v))
            return Invalide(NomValeursPropres, "nombre entier attendu, trouvé " + Cite(jeton));
    }
    if (!j.Fini()) return Invalide(NomValeursPropres, "il reste du texte après la dernière valeur");
    return valeurs;
}

Resultat<std::string> LitFichierAnalyse(const std::string& chemin, const char* nom, uint64_t limite,
                                        const std::string& absent) {
    Resultat<std::string> lu = LitFichierBorne(chemin, limite);
    if (lu) return lu;
    if (lu.Code() == LectureImpossible) return Echec{LectureAbsent, absent};
    return Echec{LectureInvalide,
                 "Le fichier « " + std::string(nom) + " » ne peut pas être lu : " + lu.Message() + "."};
}

Resultat<TListePoints> LitFacteurs(const std::string& chemin) {
    const Resultat<std::string> texte =
        LitFichierAnalyse(chemin, NomFacteurs, LimiteFacteurs, "Erreur de lecture du fichier des facteurs");
    if (!texte) return Echec{texte.Code(), texte.Message()};
    return LitTexteFacteurs(*texte);
}

Resultat<std::vector<int64_t>> LitValeursPropres(const std::string& chemin) {
    const Resultat<std::string> texte =
        LitFichierAnalyse(chemin, NomValeursPropres, LimiteValeursPropres,
                          "Le fichier des valeurs propres « vp.txt » est absent ou illisible.");
    if (!texte) return Echec{texte.Code(), texte.Message()};
    return LitTexteValeursPropres(*texte);
}

Resultat<ResultatsAFC> LitResultatsAFC(const std::string& dossier) {
    Resultat<TListePoints> points = LitFacteurs(dossier + "/" + NomFacteurs);
    if (!points) return Echec{points.Code(), points.Message()};
    Resultat<std::vector<int64_t>> vp = LitValeursPropres(dossier + "/" + NomValeursPropres);
    if (!vp) return Echec{vp.Code(), vp.Message()};
    return ResultatsAFC{std::move(points.Valeur()), std::move(vp.Valeur())};
}

} // namespace t3
