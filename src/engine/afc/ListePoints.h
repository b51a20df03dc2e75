#pragma once
// The results of a correspondence analysis as the factor plot reads them: the points of "facteurs.txt"
// (the parts, with their mass, distance, coordinates and two further values per factor) and the
// eigenvalues of "vp.txt". Both readers check what they read and refuse a file with a French message
// rather than read out of range.
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace t3 {

class TListePoints {
  public:
    TListePoints() = default;
    TListePoints(int32_t nbPoints, int32_t nbFacteurs);

    int32_t NbPoints() const { return m_nbPoints; }
    int32_t NbFacteurs() const { return m_nbFacteurs; }
    // The type mark read at the head of the point's line.
    char Marque(int32_t point) const { return m_marques[Ix(point)]; }
    double Masse(int32_t point) const { return m_masses[Ix(point)]; }
    double Distance(int32_t point) const { return m_distances[Ix(point)]; }
    // Array k of the values: k < p the coordinates on factor k + 1; p to 2p - 1 the first further values
    // (contributions), 2p to 3p - 1 the second (squared cosines). Each holds one value per point.
    std::span<const double> Valeurs(int32_t k) const { return m_valeurs[Ix(k)]; }
    double Coordonnee(int32_t facteur, int32_t point) const { return m_valeurs[Ix(facteur)][Ix(point)]; }
    double Contribution(int32_t facteur, int32_t point) const {
        return m_valeurs[Ix(m_nbFacteurs + facteur)][Ix(point)];
    }
    double Cosinus2(int32_t facteur, int32_t point) const {
        return m_valeurs[Ix(2 * m_nbFacteurs + facteur)][Ix(point)];
    }

    // The factors on the two axes (0 and 1 at start, 0 and 0 when there is one factor); a factor outside
    // 0 to p - 1 is ignored.
    int32_t AxeX() const { return m_axeX; }
    int32_t AxeY() const { return m_axeY; }
    void SetAxeX(int32_t facteur) {
        if (facteur >= 0 && facteur < m_nbFacteurs) m_axeX = facteur;
    }
    void SetAxeY(int32_t facteur) {
        if (facteur >= 0 && facteur < m_nbFacteurs) m_axeY = facteur;
    }
    std::span<const double> X() const { return Valeurs(m_axeX); }
    std::span<const double> Y() const { return Valeurs(m_axeY); }

    // For the reader.
    void SetPoint(int32_t point, char marque, double masse, double distance) {
        m_marques[Ix(point)] = marque;
        m_masses[Ix(point)] = masse;
        m_distances[Ix(point)] = distance;
    }
    void SetValeur(int32_t k, int32_t point, double valeur) { m_valeurs[Ix(k)][Ix(point)] = valeur; }

  private:
    static size_t Ix(int32_t i) { return static_cast<size_t>(i); }
    int32_t m_nbPoints = 0;
    int32_t m_nbFacteurs = 0;
    std::vector<std::vector<double>> m_valeurs;
    std::vector<char> m_marques;
    std::vector<double> m_masses;
    std::vector<double> m_distances;
    int32_t m_axeX = 0;
    int32_t m_axeY = 0;
};

// Codes of the readers' failures.
inline constexpr int32_t LectureAbsent = 1;   // the file is missing or unreadable
inline constexpr int32_t LectureInvalide = 2; // its content is wrong

// Reads the text of "facteurs.txt": "m p", then m points, each a mark character, an index from 0 to
// m - 1 (each index once), the mass, the distance and 3 × p reals, all finite. Counts at least 1. A
// token quoted in a message has its control characters and other bytes outside printable ASCII written
// \xNN, so that a file's escape sequences never reach a terminal or a window.
Resultat<TListePoints> LitTexteFacteurs(std::string_view texte);
// Reads the text of "vp.txt": a count q, then q integers.
Resultat<std::vector<int64_t>> LitTexteValeursPropres(std::string_view texte);

Resultat<TListePoints> LitFacteurs(const std::string& chemin);
Resultat<std::vector<int64_t>> LitValeursPropres(const std::string& chemin);

// What the factor plot opens with: the points and the eigenvalues read from the work folder. A missing
// "facteurs.txt" gives "Erreur de lecture du fichier des facteurs"; a missing "vp.txt" beside it, a
// message of its own.
struct ResultatsAFC {
    TListePoints points;
    std::vector<int64_t> valeursPropres;
};
Resultat<ResultatsAFC> LitResultatsAFC(const std::string& dossier);

// The text of a file of an analysis named nom, read only when it is a regular file and holds at most
// limite bytes (the readers' helper, shared). A file missing or unreadable gets code LectureAbsent and
// the message absent; a folder, a pipe, a device or a file past the bound, code LectureInvalide and
// "Le fichier « nom » ne peut pas être lu : cause.".
Resultat<std::string> LitFichierAnalyse(const std::string& chemin, const char* nom, uint64_t limite,
                                        const std::string& absent);

} // namespace t3
