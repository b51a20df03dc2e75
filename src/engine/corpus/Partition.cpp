#include "engine/corpus/Partition.h"

#include "engine/corpus/charg1.h"

#include <algorithm>
#include <utility>

namespace t3 {

Partition::Partition(const charg1* base, int32_t cleType) : m_base(base), m_cleType(cleType) {
    const std::vector<int32_t> cles = PositionsCles();
    LitContenus(cles);
    LitSpans(cles);
    const size_t n = m_contenus.size();
    m_reference.assign(n, 1);
    m_selection.assign(n, 0);
    m_couleurs.assign(n, CouleurInitiale);
    m_occurrences.assign(n, 0);
    m_formes.assign(n, 0);
    m_hapax.assign(n, 0);
    m_fmax.assign(n, 0);
    m_formeMax.assign(n, 0);
}

// The positions of the keys of the type followed by their content, read from the text in one pass
// rather than from the loader's occurrence index, which a partition alone does not need.
std::vector<int32_t> Partition::PositionsCles() const {
    std::vector<int32_t> cles;
    if (!m_base || m_cleType < 0 || m_cleType >= m_base->Nbart()) return cles;
    const int32_t* const tnum = m_base->TexteNum();
    const int32_t nbitem = m_base->Nbitem();
    const int32_t premierContenu = m_base->Nbform() + m_base->Nbartponct() + m_base->Nbcle();
    const int32_t nbart = m_base->Nbart();
    for (int32_t p = 0; p + 1 < nbitem; ++p)
        if (tnum[p] == m_cleType && tnum[p + 1] >= premierContenu && tnum[p + 1] < nbart) cles.push_back(p);
    return cles;
}

// The distinct contents that follow the key type, in increasing entry number.
void Partition::LitContenus(const std::vector<int32_t>& cles) {
    if (!m_base) return;
    const int32_t premierContenu = m_base->Nbform() + m_base->Nbartponct() + m_base->Nbcle();
    std::vector<bool> vu(static_cast<size_t>(std::max(m_base->Nbctnu(), 0)), false);
    for (const int32_t position : cles)
        vu[Ix(m_base->Tnum(position + 1) - premierContenu)] = true;
    for (size_t i = 0; i < vu.size(); ++i)
        if (vu[i]) m_contenus.push_back(premierContenu + static_cast<int32_t>(i));
}

// One span after every key of the type, then the sentinel; and the spans of each part.
void Partition::LitSpans(const std::vector<int32_t>& cles) {
    if (m_base) {
        // The part of every content, looked up in one table rather than searched for at each key.
        const int32_t premierContenu = m_base->Nbform() + m_base->Nbartponct() + m_base->Nbcle();
        std::vector<int32_t> partieDuContenu(static_cast<size_t>(std::max(m_base->Nbctnu(), 0)), -1);
        for (int32_t p = 0; p < NbParties(); ++p)
            partieDuContenu[Ix(m_contenus[Ix(p)] - premierContenu)] = p;
        m_spans.reserve(cles.size() + 1);
        for (const int32_t position : cles) {
            const int32_t partie = partieDuContenu[Ix(m_base->Tnum(position + 1) - premierContenu)];
            m_spans.push_back(Span{partie, position + 2, 0});
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

// Walks the parts one after the other, each part's spans in their order, counting its forms; the items
// before the first key count in the first span's part. After each part, fin(partie, occurrences,
// formes) reads a (form, frequency) pair for each form it holds, in the order first met.
template <typename Fin> void Partition::ParcoursParties(Fin&& fin) const {
    const int32_t* const tnum = m_base->TexteNum();
    const int32_t nbform = m_base->Nbform();
    std::vector<int32_t> compte(Ix(std::max(nbform, 0)), 0);
    std::vector<int32_t> vues;
    std::vector<FormeFrequence> formes;
    for (int32_t p = 0; p < NbParties(); ++p) {
        int32_t occurrences = 0;
        for (const int32_t s : SpansDePartie(p)) {
            const int32_t debut = s == 0 ? 0 : m_spans[Ix(s)].debut;
            const int32_t finSpan = m_spans[Ix(s) + 1].debut;
            for (int32_t position = debut; position < finSpan; ++position) {
                const int32_t forme = tnum[position];
                if (forme < 0 || forme >= nbform) continue;
                ++occurrences;
                if (compte[Ix(forme)]++ == 0) vues.push_back(forme);
            }
        }
        formes.clear();
        for (const int32_t forme : vues)
            formes.push_back(FormeFrequence{forme, std::exchange(compte[Ix(forme)], 0)});
        vues.clear();
        fin(p, occurrences, std::span<const FormeFrequence>(formes));
    }
}

// Notes the characteristics of a part from the frequencies of its forms.
void Partition::NoteCaracteristiques(int32_t partie, int32_t occurrences,
                                     std::span<const FormeFrequence> formes) const {
    int32_t hapax = 0, fmax = 0, formeMax = 0;
    for (const FormeFrequence& f : formes) {
        hapax += f.frequence == 1;
        if (f.frequence > fmax || (f.frequence == fmax && f.forme < formeMax)) {
            fmax = f.frequence;
            formeMax = f.forme;
        }
    }
    const size_t i = Ix(partie);
    m_occurrences[i] = occurrences;
    m_formes[i] = static_cast<int32_t>(formes.size());
    m_hapax[i] = hapax;
    m_fmax[i] = fmax;
    m_formeMax[i] = formeMax;
}

// Fills the table of forms by parts in one walk of the parts, whose pairs are then scattered by form:
// parts being walked in increasing order, each form's cells come out sorted by part. The
// characteristics, read from the same pairs, are noted too when no call has counted them yet.
void Partition::ConstruitTable() const {
    const size_t nbFormes = Ix(std::max(m_base ? m_base->Nbform() : 0, 0));
    m_debutsFormes.assign(nbFormes + 1, 0);
    if (!m_base || NbSpans() == 0) return;
    std::vector<FormeFrequence> paires;
    std::vector<size_t> debutsParties{0};
    std::vector<int32_t> occurrences(m_contenus.size(), 0);
    ParcoursParties([&](int32_t partie, int32_t n, std::span<const FormeFrequence> formes) {
        occurrences[Ix(partie)] = n;
        for (const FormeFrequence& f : formes)
            ++m_debutsFormes[Ix(f.forme) + 1];
        paires.insert(paires.end(), formes.begin(), formes.end());
        debutsParties.push_back(paires.size());
    });
    const auto formesDe = [&](int32_t p) {
        return std::span<const FormeFrequence>(paires.data() + debutsParties[Ix(p)],
                                               debutsParties[Ix(p) + 1] - debutsParties[Ix(p)]);
    };
    std::call_once(m_caracteristiquesLues, [&] {
        for (int32_t p = 0; p < NbParties(); ++p)
            NoteCaracteristiques(p, occurrences[Ix(p)], formesDe(p));
    });
    for (size_t f = 1; f <= nbFormes; ++f)
        m_debutsFormes[f] += m_debutsFormes[f - 1];
    m_cellules.resize(paires.size());
    std::vector<int32_t> curseur(m_debutsFormes.begin(), m_debutsFormes.end() - 1);
    for (int32_t p = 0; p < NbParties(); ++p)
        for (const FormeFrequence& f : formesDe(p))
            m_cellules[Ix(curseur[Ix(f.forme)]++)] = CelluleForme{p, f.frequence};
}

// Occurrences, forms, hapax, maximum frequency and its form (the smallest number among equals) per
// part, in one walk of the parts.
void Partition::Caracteristiques() const {
    if (!m_base || NbSpans() == 0) return;
    ParcoursParties([this](int32_t partie, int32_t occurrences, std::span<const FormeFrequence> formes) {
        NoteCaracteristiques(partie, occurrences, formes);
    });
}

std::span<const CelluleForme> Partition::CellulesForme(int32_t forme) const {
    std::call_once(m_tableConstruite, [this] { ConstruitTable(); });
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
