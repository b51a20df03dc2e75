#include "engine/explore/DispositionCarte.h"

#include <algorithm>

namespace t3 {

namespace {

constexpr int32_t XDepart = 20;
constexpr int32_t YDepart = 5;
// A run's header line lies 5 pixels below where the run begins, its boxes 12 pixels below the line.
constexpr int32_t DecalageEntete = 5;
constexpr int32_t DecalageBoites = 12;

} // namespace

DispositionCarte::DispositionCarte(int32_t nbSections, int32_t taille)
    : DispositionCarte(nbSections, taille, std::vector<int32_t>{}) {}

DispositionCarte::DispositionCarte(int32_t nbSections, int32_t taille, std::vector<int32_t> premieres)
    : m_nbSections(std::max(nbSections, 0)), m_taille(std::clamp(taille, TailleMin, TailleMax)),
      m_pas(13 * m_taille / 10), m_avecSeries(!premieres.empty()), m_premieres(std::move(premieres)) {
    if (!m_avecSeries) {
        // One stretch of every section, from the top of the surface, without a header.
        m_premieres = {0};
        m_yBoites = {YDepart};
        const int32_t rangs = m_nbSections / BoitesParRang;
        m_yFin = YRang(0, 0) + rangs * m_pas + 2 * (rangs / 2);
        return;
    }
    // Runs given out of order or beyond the sections are brought back within them, in order.
    m_premieres[0] = 0;
    for (size_t j = 1; j < m_premieres.size(); ++j)
        m_premieres[j] = std::clamp(m_premieres[j], m_premieres[j - 1], m_nbSections);
    m_yBoites.resize(m_premieres.size());
    int32_t y = YDepart;
    for (size_t j = 0; j < m_premieres.size(); ++j) {
        m_yBoites[j] = y + DecalageEntete + DecalageBoites;
        const int32_t a = m_premieres[j], b = FinSerie(static_cast<int32_t>(j));
        const int32_t yRendu = m_yBoites[j] + (b / 50 - a / 50) * m_pas + 2 * (b / 100 - a / 100);
        y = yRendu + m_pas + m_taille / 2;
    }
    m_yFin = y;
}

int32_t DispositionCarte::Largeur() const {
    return 65 * m_taille + 125;
}

int32_t DispositionCarte::XFinEntete() const {
    return 65 * m_taille + 28;
}

// 1.3 s is 13 s / 10 exactly, so that the integer parts are those of the decimal products.
int32_t DispositionCarte::Hauteur() const {
    const int64_t rangs = m_nbSections / BoitesParRang;
    int64_t dixiemes = 13 * int64_t{m_taille} * rangs;
    if (m_avecSeries) dixiemes += int64_t{NbSeries()} * (13 * m_taille + 200);
    const int64_t hauteur = dixiemes / 10 + 75;
    return static_cast<int32_t>(std::max<int64_t>(hauteur, int64_t{m_yFin} + m_taille + 5));
}

int32_t DispositionCarte::XColonne(int32_t colonne) const {
    return XDepart + colonne * m_pas + 2 * (colonne / 10);
}

int32_t DispositionCarte::YRang(int32_t j, int32_t rang) const {
    const int32_t premierRang = m_premieres[static_cast<size_t>(j)] / BoitesParRang;
    return m_yBoites[static_cast<size_t>(j)] + (rang - premierRang) * m_pas +
           2 * (rang / 2 - premierRang / 2);
}

int32_t DispositionCarte::SerieDe(int32_t section) const {
    return static_cast<int32_t>(std::upper_bound(m_premieres.begin(), m_premieres.end(), section) -
                                m_premieres.begin()) -
           1;
}

int32_t DispositionCarte::FinSerie(int32_t j) const {
    const auto suivante = static_cast<size_t>(j) + 1;
    return suivante < m_premieres.size() ? m_premieres[suivante] : m_nbSections;
}

int32_t DispositionCarte::DerniereSerieAvant(int32_t y) const {
    return static_cast<int32_t>(std::upper_bound(m_yBoites.begin(), m_yBoites.end(), y) - m_yBoites.begin()) -
           1;
}

std::optional<PositionBoite> DispositionCarte::Position(int32_t section) const {
    if (section < 0 || section >= m_nbSections) return std::nullopt;
    return PositionBoite{XColonne(section % BoitesParRang), YRang(SerieDe(section), section / BoitesParRang)};
}

// Rows step by d or d + 2 in turn, so (y - top) / (d + 1) is within a row of the answer.
int32_t DispositionCarte::SectionEn(int32_t x, int32_t y) const {
    const int32_t j = DerniereSerieAvant(y);
    if (j < 0 || x < XDepart) return -1;
    const int32_t a = m_premieres[static_cast<size_t>(j)], b = FinSerie(j);
    if (a >= b) return -1;
    const int32_t premierRang = a / BoitesParRang, dernierRang = (b - 1) / BoitesParRang;
    int32_t rang = std::min(premierRang + (y - m_yBoites[static_cast<size_t>(j)]) / (m_pas + 1), dernierRang);
    while (rang < dernierRang && YRang(j, rang + 1) <= y)
        ++rang;
    while (rang > premierRang && YRang(j, rang) > y)
        --rang;
    const int32_t yRang = YRang(j, rang);
    if (y < yRang || y >= yRang + m_taille) return -1;

    int32_t colonne = std::min((x - XDepart) / m_pas, BoitesParRang - 1);
    while (colonne < BoitesParRang - 1 && XColonne(colonne + 1) <= x)
        ++colonne;
    while (colonne > 0 && XColonne(colonne) > x)
        --colonne;
    if (x >= XColonne(colonne) + m_taille) return -1;
    const int32_t section = rang * BoitesParRang + colonne;
    return section >= a && section < b ? section : -1;
}

int32_t DispositionCarte::PremiereDes(int32_t y) const {
    const int32_t j = DerniereSerieAvant(y);
    if (j < 0) return 0;
    const int32_t a = m_premieres[static_cast<size_t>(j)], b = FinSerie(j);
    if (a >= b) return b;
    const int32_t premierRang = a / BoitesParRang, dernierRang = (b - 1) / BoitesParRang;
    int32_t rang =
        std::min(premierRang + (y - m_yBoites[static_cast<size_t>(j)]) / (m_pas + 1), dernierRang + 1);
    while (rang > premierRang && YRang(j, rang - 1) >= y)
        --rang;
    while (rang <= dernierRang && YRang(j, rang) < y)
        ++rang;
    return rang > dernierRang ? b : std::max(a, rang * BoitesParRang);
}

std::pair<int32_t, int32_t> DispositionCarte::SectionsVisibles(int32_t y0, int32_t y1) const {
    const int32_t premiere = PremiereDes(y0 - m_taille + 1);
    return {premiere, std::max(premiere, PremiereDes(y1))};
}

std::vector<NumeroDeRang> DispositionCarte::NumerosVisibles(int32_t y0, int32_t y1,
                                                            int32_t hauteurTexte) const {
    std::vector<NumeroDeRang> numeros;
    // A number lies 2 pixels above its row's boxes: those rows lie within the band widened by the text.
    const int32_t premiere = PremiereDes(y0 - hauteurTexte), fin = PremiereDes(y1 + 3);
    const int32_t x = XColonne(BoitesParRang - 1) + m_pas + 2 + 5;
    for (int32_t i = premiere / BoitesParRang * BoitesParRang + BoitesParRang - 1; i < fin;
         i += BoitesParRang) {
        const int32_t y = YRang(SerieDe(i), i / BoitesParRang) - 2;
        if (y < y1 && y + hauteurTexte > y0) numeros.push_back({i + 1, x, y});
    }
    return numeros;
}

std::vector<EnteteSerie> DispositionCarte::EntetesVisibles(int32_t y0, int32_t y1,
                                                           int32_t hauteurTexte) const {
    std::vector<EnteteSerie> entetes;
    if (!m_avecSeries) return entetes;
    // Header j is at m_yBoites[j] - 12, its texts from 3 pixels above.
    const int32_t bas = y0 + 3 - hauteurTexte + DecalageBoites;
    auto j =
        static_cast<size_t>(std::upper_bound(m_yBoites.begin(), m_yBoites.end(), bas) - m_yBoites.begin());
    for (; j < m_yBoites.size() && m_yBoites[j] - DecalageBoites - 3 < y1; ++j)
        entetes.push_back({static_cast<int32_t>(j), XColonne(m_premieres[j] % BoitesParRang),
                           m_yBoites[j] - DecalageBoites});
    return entetes;
}

} // namespace t3
