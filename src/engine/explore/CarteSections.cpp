#include "engine/explore/CarteSections.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/Section.h"
#include "engine/corpus/charg1.h"
#include "engine/stats/SpecCoefficient.h"

#include <algorithm>
#include <bit>

namespace t3 {

void BitsSections::Met(int32_t i, bool valeur) {
    if (i < 0 || i >= m_nb) return;
    const uint64_t bit = uint64_t{1} << (i % 64);
    if (valeur)
        m_mots[static_cast<size_t>(i) / 64] |= bit;
    else
        m_mots[static_cast<size_t>(i) / 64] &= ~bit;
}

void BitsSections::MetIntervalle(int32_t debut, int32_t fin, bool valeur) {
    debut = std::max(debut, 0);
    fin = std::min(fin, m_nb);
    for (int32_t i = debut; i < fin; ++i)
        Met(i, valeur);
}

void BitsSections::Efface() {
    std::fill(m_mots.begin(), m_mots.end(), 0);
}

int32_t BitsSections::Compte() const {
    int32_t compte = 0;
    for (const uint64_t mot : m_mots)
        compte += std::popcount(mot);
    return compte;
}

int32_t BitsSections::Suivant(int32_t i) const {
    int32_t depart = std::max(i + 1, 0);
    if (depart >= m_nb) return -1;
    size_t m = static_cast<size_t>(depart) / 64;
    uint64_t mot = m_mots[m] & (~uint64_t{0} << (depart % 64));
    while (mot == 0) {
        if (++m == m_mots.size()) return -1;
        mot = m_mots[m];
    }
    return static_cast<int32_t>(m * 64) + std::countr_zero(mot);
}

int32_t BitsSections::Precedent(int32_t i) const {
    const int32_t depart = std::min(i - 1, m_nb - 1);
    if (depart < 0) return -1;
    size_t m = static_cast<size_t>(depart) / 64;
    uint64_t mot = m_mots[m] & (~uint64_t{0} >> (63 - depart % 64));
    while (mot == 0) {
        if (m == 0) return -1;
        mot = m_mots[--m];
    }
    return static_cast<int32_t>(m * 64) + 63 - std::countl_zero(mot);
}

std::vector<int32_t> BitsSections::Liste() const {
    std::vector<int32_t> liste;
    for (int32_t i = Suivant(-1); i >= 0; i = Suivant(i))
        liste.push_back(i);
    return liste;
}

BitsSections BitsSections::Union(const BitsSections& autre) const {
    BitsSections u(std::max(m_nb, autre.m_nb));
    for (size_t m = 0; m < u.m_mots.size(); ++m)
        u.m_mots[m] = (m < m_mots.size() ? m_mots[m] : 0) | (m < autre.m_mots.size() ? autre.m_mots[m] : 0);
    return u;
}

// One walk along the positions and the starts together.
BitsSections PresenceGroupe(const Section& sections, const std::vector<int32_t>& positions) {
    const int32_t n = sections.NbSections();
    BitsSections presence(n);
    if (n == 0) return presence;
    const int32_t* const debuts = sections.Debuts().data();
    auto p = std::lower_bound(positions.begin(), positions.end(), debuts[0]);
    int32_t s = 0;
    for (; p != positions.end() && *p < debuts[n]; ++p) {
        while (debuts[s + 1] <= *p)
            ++s;
        presence.Met(s);
    }
    return presence;
}

std::vector<int32_t> CoefficientsSections(const Section& sections, const std::vector<int32_t>& positions,
                                          int32_t debut, int32_t fin) {
    debut = std::max(debut, 0);
    fin = std::min(fin, sections.NbSections());
    std::vector<int32_t> coefficients(static_cast<size_t>(std::max(fin - debut, 0)), 0);
    if (debut >= fin || sections.Base() == nullptr) return coefficients;
    const double T = sections.Base()->Nbocc(), F = static_cast<double>(positions.size());
    auto p = std::lower_bound(positions.begin(), positions.end(), sections.Debut(debut));
    for (int32_t s = debut; s < fin; ++s) {
        const int32_t finSection = sections.Debut(s + 1);
        int32_t f = 0;
        for (; p != positions.end() && *p < finSection; ++p)
            ++f;
        // The text of a section is read only when the group is there.
        if (f > 0)
            coefficients[static_cast<size_t>(s - debut)] =
                SpecCoefficient(T, sections.OccurrencesSection(s), F, f, 0.05);
    }
    return coefficients;
}

int32_t CoefficientSection(const Section& sections, const std::vector<int32_t>& positions, int32_t section) {
    const std::vector<int32_t> c = CoefficientsSections(sections, positions, section, section + 1);
    return c.empty() ? 0 : c[0];
}

std::vector<SerieSections> SeriesSections(const Section& sections, const Partition& partition) {
    std::vector<SerieSections> series;
    const int32_t n = sections.NbSections();
    const std::vector<Span>& spans = partition.Spans();
    int32_t s = 0;
    for (int32_t j = 0; j < partition.NbSpans(); ++j) {
        // Each search goes on from where the previous one stopped.
        while (s < n && sections.Debut(s) < spans[static_cast<size_t>(j)].debut)
            ++s;
        if (j > 0) series.back().fin = s;
        series.push_back({j == 0 ? 0 : s, n, spans[static_cast<size_t>(j)].partie});
    }
    return series;
}

std::vector<int32_t> PremieresSections(const std::vector<SerieSections>& series) {
    std::vector<int32_t> premieres;
    premieres.reserve(series.size());
    for (const SerieSections& serie : series)
        premieres.push_back(serie.premiere);
    return premieres;
}

std::pair<std::string, std::string> TextesEntete(const Partition& partition, const SerieSections& serie) {
    if (partition.Base() == nullptr) return {};
    const charg1& base = *partition.Base();
    return {std::string(base.Graphie(partition.CleType())),
            std::string(base.Graphie(partition.Contenu(serie.partie)))};
}

namespace {

template <typename Eclaircit> Couleur ParComposante(Couleur c, Eclaircit eclaircit) {
    return CouleurRGB(eclaircit(Rouge(c)), eclaircit(Vert(c)), eclaircit(Bleu(c)));
}

} // namespace

Couleur CouleurAffichee(Couleur couleurGroupe) {
    return (couleurGroupe & 0xFFFFFF) == CouleurBlanche ? CouleurRGB(0, 0, 0) : couleurGroupe;
}

Couleur DemiClaire(Couleur couleur) {
    return ParComposante(couleur, [](int c) { return static_cast<uint8_t>(c + (255 - c) / 2); });
}

Couleur DeuxTiersClaire(Couleur couleur) {
    return ParComposante(couleur, [](int c) { return static_cast<uint8_t>(c + (255 - c) * 2 / 3); });
}

NuancesGroupe Nuances(Couleur couleurGroupe) {
    const Couleur pleine = CouleurAffichee(couleurGroupe);
    return {pleine, DemiClaire(pleine), DeuxTiersClaire(pleine)};
}

Couleur NuanceSelonCoefficient(const NuancesGroupe& nuances, int32_t coefficient, int32_t seuil1,
                               int32_t seuil2) {
    if (coefficient >= seuil1) return nuances.pleine;
    if (coefficient < seuil2) return nuances.deuxTiersClaire;
    return nuances.demiClaire;
}

int32_t OccurrenceSuivante(const BitsSections& presence, int32_t courante) {
    const int32_t suivante = presence.Suivant(courante);
    return suivante >= 0 ? suivante : courante;
}

int32_t OccurrencePrecedente(const BitsSections& presence, int32_t courante) {
    const int32_t precedente = presence.Precedent(courante);
    return precedente >= 0 ? precedente : courante;
}

std::pair<int32_t, int32_t> IntervalleShiftClic(int32_t courante, int32_t cliquee) {
    if (cliquee > courante) return {courante + 1, cliquee + 1};
    if (cliquee < courante) return {cliquee, courante};
    return {cliquee, cliquee};
}

void ClicSection(BitsSections& selection, int32_t& courante, int32_t cliquee, bool shift, bool ctrl) {
    if (shift) {
        const auto [debut, fin] = IntervalleShiftClic(courante, cliquee);
        selection.MetIntervalle(debut, fin);
    } else {
        if (!ctrl) selection.Efface();
        selection.Met(cliquee);
    }
    courante = cliquee;
}

} // namespace t3
