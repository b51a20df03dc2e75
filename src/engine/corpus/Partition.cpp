#include "engine/corpus/Partition.h"

#include "engine/corpus/charg1.h"

#include <algorithm>

namespace t3 {

Partition::Partition(const charg1* base, int32_t cleType) : m_base(base), m_cleType(cleType) {
    LitContenus();
    LitSpans();
    const size_t n = m_contenus.size();
    m_reference.assign(n, 1);
    m_selection.assign(n, 0);
    m_couleurs.assign(n, CouleurInitiale);
    m_occurrences.assign(n, 0);
    m_formes.assign(n, 0);
    m_hapax.assign(n, 0);
    m_fmax.assign(n, 0);
    m_formeMax.assign(n, 0);
    CompteFormes();
    Caracteristiques();
}

namespace {

// True when the entry at position + 1 is a key content, so that position holds a whole key.
bool CleComplete(const charg1& base, int32_t position) {
    const int32_t premierContenu = base.Nbform() + base.Nbartponct() + base.Nbcle();
    const int32_t contenu = base.Tnum(position + 1);
    return contenu >= premierContenu && contenu < base.Nbart();
}

} // namespace

// The distinct contents that follow the key type, in increasing entry number.
void Partition::LitContenus() {
    if (!m_base) return;
    const int32_t premierContenu = m_base->Nbform() + m_base->Nbartponct() + m_base->Nbcle();
    std::vector<bool> vu(static_cast<size_t>(std::max(m_base->Nbctnu(), 0)), false);
    for (const int32_t position : m_base->Occurrences(m_cleType)) {
        if (!CleComplete(*m_base, position)) continue;
        vu[Ix(m_base->Tnum(position + 1) - premierContenu)] = true;
    }
    for (size_t i = 0; i < vu.size(); ++i)
        if (vu[i]) m_contenus.push_back(premierContenu + static_cast<int32_t>(i));
}

// One span after every key of the type, then the sentinel; and the spans of each part.
void Partition::LitSpans() {
    if (m_base) {
        for (const int32_t position : m_base->Occurrences(m_cleType)) {
            if (!CleComplete(*m_base, position)) continue;
            const int32_t contenu = m_base->Tnum(position + 1);
            const auto partie =
                std::lower_bound(m_contenus.begin(), m_contenus.end(), contenu) - m_contenus.begin();
            m_spans.push_back(Span{static_cast<int32_t>(partie), position + 2, 0});
        }
    }
    m_spans.push_back(Span{NbParties() + 1, m_base ? m_base->Nbitem() : 0, 0});

    m_debutsParties.assign(m_contenus.size() + 1, 0);
    for (int32_t s = 0; s < NbSpans(); ++s)
        ++m_debutsParties[Ix(m_spans[Ix(s)].partie) + 1];
    for (size_t p = 1; p < m_debutsParties.size(); ++p)
        m_debutsParties[p] += m_debutsParties[p - 1];
    m_spansParties.resize(Ix(NbSpans()));
    std::vector<int32_t> curseur(m_debutsParties.begin(), m_debutsParties.end() - 1);
    for (int32_t s = 0; s < NbSpans(); ++s)
        m_spansParties[Ix(curseur[Ix(m_spans[Ix(s)].partie)]++)] = s;
}

// Fills the table of forms by parts in two walks of the text. The first counts, per form, the runs of
// consecutive occurrences in one part (at least its number of non-zero cells); the second writes one
// (part, frequency) pair per run, grouped by form. Each form's pairs are then sorted by part and
// merged, so that a part met in several runs gives one cell.
void Partition::CompteFormes() {
    if (!m_base || NbSpans() == 0) {
        m_debutsFormes.assign(Ix(std::max(m_base ? m_base->Nbform() : 0, 0)) + 1, 0);
        return;
    }
    const int32_t* const tnum = m_base->TexteNum();
    const int32_t nbform = m_base->Nbform();
    const size_t nbFormes = Ix(nbform);
    std::vector<int32_t> dernierePartie(nbFormes, -1);
    m_debutsFormes.assign(nbFormes + 1, 0);

    // Walks the text span by span; the items before the first key count in the first span's part.
    auto parcours = [&](auto&& visite) {
        int32_t position = 0;
        for (int32_t s = 0; s < NbSpans(); ++s) {
            const int32_t partie = m_spans[Ix(s)].partie;
            const int32_t fin = m_spans[Ix(s) + 1].debut;
            for (; position < fin; ++position)
                if (tnum[position] >= 0 && tnum[position] < nbform) visite(tnum[position], partie);
        }
    };
    parcours([&](int32_t forme, int32_t partie) {
        ++m_occurrences[Ix(partie)];
        if (dernierePartie[Ix(forme)] != partie) {
            dernierePartie[Ix(forme)] = partie;
            ++m_debutsFormes[Ix(forme) + 1];
        }
    });
    for (size_t f = 1; f <= nbFormes; ++f)
        m_debutsFormes[f] += m_debutsFormes[f - 1];

    m_cellules.resize(Ix(m_debutsFormes[nbFormes]));
    std::vector<int32_t> curseur(m_debutsFormes.begin(), m_debutsFormes.end() - 1);
    std::fill(dernierePartie.begin(), dernierePartie.end(), -1);
    parcours([&](int32_t forme, int32_t partie) {
        if (dernierePartie[Ix(forme)] != partie) {
            dernierePartie[Ix(forme)] = partie;
            m_cellules[Ix(curseur[Ix(forme)]++)] = CelluleForme{partie, 1};
        } else {
            ++m_cellules[Ix(curseur[Ix(forme)] - 1)].frequence;
        }
    });
    dernierePartie = {};
    curseur = {};

    // Sort and merge each form's runs, packing the cells to the front.
    const auto parPartie = [](const CelluleForme& a, const CelluleForme& b) { return a.partie < b.partie; };
    size_t ecrit = 0;
    for (size_t f = 0; f < nbFormes; ++f) {
        const auto debut = m_cellules.begin() + m_debutsFormes[f];
        const auto fin = m_cellules.begin() + m_debutsFormes[f + 1];
        if (!std::is_sorted(debut, fin, parPartie)) std::sort(debut, fin, parPartie);
        m_debutsFormes[f] = static_cast<int32_t>(ecrit);
        for (auto c = debut; c != fin; ++c) {
            if (ecrit > Ix(m_debutsFormes[f]) && m_cellules[ecrit - 1].partie == c->partie)
                m_cellules[ecrit - 1].frequence += c->frequence;
            else
                m_cellules[ecrit++] = *c;
        }
    }
    m_debutsFormes[nbFormes] = static_cast<int32_t>(ecrit);
    m_cellules.resize(ecrit);
}

// Forms, hapax, maximum frequency and its form per part, the forms taken in increasing number.
void Partition::Caracteristiques() {
    const int32_t nbform = static_cast<int32_t>(m_debutsFormes.size()) - 1;
    for (int32_t f = 0; f < nbform; ++f) {
        for (const CelluleForme& c : CellulesForme(f)) {
            const size_t p = Ix(c.partie);
            ++m_formes[p];
            if (c.frequence == 1) ++m_hapax[p];
            if (c.frequence > m_fmax[p]) {
                m_fmax[p] = c.frequence;
                m_formeMax[p] = f;
            }
        }
    }
}

std::span<const CelluleForme> Partition::CellulesForme(int32_t forme) const {
    if (forme < 0 || Ix(forme) + 1 >= m_debutsFormes.size()) return {};
    const int32_t debut = m_debutsFormes[Ix(forme)];
    return {m_cellules.data() + debut, Ix(m_debutsFormes[Ix(forme) + 1] - debut)};
}

std::span<const int32_t> Partition::SpansDePartie(int32_t partie) const {
    if (!Dans(partie)) return {};
    const int32_t debut = m_debutsParties[Ix(partie)];
    return {m_spansParties.data() + debut, Ix(m_debutsParties[Ix(partie) + 1] - debut)};
}

int32_t Partition::SpanDePosition(int32_t position) const {
    if (position < 0 || NbSpans() == 0 || position >= m_spans.back().debut) return -1;
    const auto apres = std::upper_bound(m_spans.begin(), m_spans.end() - 1, position,
                                        [](int32_t p, const Span& s) { return p < s.debut; });
    return apres == m_spans.begin() ? 0 : static_cast<int32_t>(apres - m_spans.begin()) - 1;
}

int32_t Partition::PartieDePosition(int32_t position) const {
    const int32_t span = SpanDePosition(position);
    return span < 0 ? -1 : m_spans[Ix(span)].partie;
}

int32_t Partition::PartieDansLesSpans(int32_t position) const {
    if (NbSpans() == 0 || position < m_spans.front().debut) return -1;
    return PartieDePosition(position);
}

int32_t Partition::CompteDansSpan(const int32_t* positions, int32_t nb, int32_t span) const {
    if (span < 0 || span >= NbSpans() || !positions || nb <= 0) return 0;
    const int32_t* const fin = positions + nb;
    const int32_t* const debut = std::lower_bound(positions, fin, m_spans[Ix(span)].debut);
    return static_cast<int32_t>(std::lower_bound(debut, fin, m_spans[Ix(span) + 1].debut) - debut);
}

int32_t Partition::FrequenceGroupe(const int32_t* positions, int32_t nb, int32_t partie) const {
    int32_t total = 0;
    for (const int32_t s : SpansDePartie(partie))
        total += CompteDansSpan(positions, nb, s);
    return total;
}

int32_t Partition::Frequence(int32_t entree, int32_t partie) const {
    if (!Dans(partie) || !m_base) return 0;
    if (entree >= 0 && entree < m_base->Nbform()) {
        const auto cellules = CellulesForme(entree);
        const auto c = std::lower_bound(cellules.begin(), cellules.end(), partie,
                                        [](const CelluleForme& x, int32_t p) { return x.partie < p; });
        return c != cellules.end() && c->partie == partie ? c->frequence : 0;
    }
    if (entree >= 0 && entree < m_base->Nbart()) {
        const auto occ = m_base->Occurrences(entree);
        return FrequenceGroupe(occ.data(), static_cast<int32_t>(occ.size()), partie);
    }
    return FrequenceGroupe(m_base->LocOccFor(entree), partie);
}

void Partition::PremierIndexParSpan(const int32_t* positions, int32_t nb) {
    if (!positions) nb = 0;
    nb = std::max(nb, 0);
    for (size_t s = 0; s + 1 < m_spans.size(); ++s)
        m_spans[s].libre =
            static_cast<int32_t>(std::lower_bound(positions, positions + nb, m_spans[s].debut) - positions);
    m_spans.back().libre = nb;
}

} // namespace t3
