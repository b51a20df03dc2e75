// The queries of a loaded base: its entries, the entry at each position, the positions of each entry
// (the occurrence index, built on demand) and the order of positions by their contexts.
#include "engine/corpus/charg1.h"

#include "engine/socle/TriSequences.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace t3 {

// Built on the first lookup (under the index lock): most loads never look a form up by its text.
void charg1::ConstruitIndexFormes() const {
    if (m_formesTrieesPretes || m_nbform <= 0 || !m_lexm) return;
    m_formesTriees.resize(static_cast<size_t>(m_nbform));
    for (int32_t i = 0; i < m_nbform; ++i)
        m_formesTriees[static_cast<size_t>(i)] = i;
    std::sort(m_formesTriees.begin(), m_formesTriees.end(), [this](int32_t a, int32_t b) {
        const int c =
            std::strcmp(m_lexm[static_cast<size_t>(a)].graphie, m_lexm[static_cast<size_t>(b)].graphie);
        return c != 0 ? c < 0 : a < b;
    });
    m_formesTrieesPretes = true;
}

// Groups every position by entry (a counting sort): the run of entry e starts at m_debuts[e].
void charg1::ConstruitIndexOccurrences() const {
    if (m_indexAJour.load(std::memory_order_acquire)) return;
    const std::lock_guard verrou(m_verrouIndex);
    if (m_indexAJour.load(std::memory_order_relaxed) || !m_tnum) return;
    const int32_t* const tnum = m_tnum.get();
    std::fill(m_debuts.begin(), m_debuts.end(), 0);
    for (int32_t i = 0; i < m_nbitem; ++i)
        if (tnum[i] >= 0 && tnum[i] < m_nbart) ++m_debuts[static_cast<size_t>(tnum[i]) + 1];
    RemplitIndexOccurrences();
}

// Fills the index from the counts of every entry held in m_debuts[e + 1].
void charg1::RemplitIndexOccurrences() const {
    const int32_t* const tnum = m_tnum.get();
    for (size_t e = 1; e < m_debuts.size(); ++e)
        m_debuts[e] += m_debuts[e - 1];
    // Fill each run through a moving cursor kept in the following slot, then shift back.
    int32_t* const positions = m_positions.get();
    std::vector<int32_t>& curseur = m_debuts;
    for (int32_t i = 0; i < m_nbitem; ++i) {
        const int32_t v = tnum[i];
        if (v >= 0 && v < m_nbart) positions[curseur[static_cast<size_t>(v)]++] = i;
    }
    // curseur[e] now holds the end of run e, that is the start of run e + 1.
    for (size_t e = m_debuts.size() - 1; e > 0; --e)
        m_debuts[e] = m_debuts[e - 1];
    m_debuts[0] = 0;
    m_indexAJour.store(true, std::memory_order_release);
}

// --- Entries

Lexm charg1::RetourneLexm(int32_t entree) const {
    if (entree < 0 || entree >= m_nbart || !m_lexm) return Lexm{};
    return m_lexm[static_cast<size_t>(entree)];
}

int32_t charg1::Lexg(int32_t entree) const {
    if (entree < 0 || entree >= m_nbart || !m_lexm) return -1;
    return m_lexm[static_cast<size_t>(entree)].lexg;
}

int32_t charg1::RetourneFrq(int32_t entree) const {
    if (entree < 0 || entree >= m_nbart || !m_lexm) return -1;
    return m_lexm[static_cast<size_t>(entree)].frq;
}

void charg1::SetInfo(int32_t entree, int32_t valeur) {
    if (entree >= 0 && entree < m_nbart && m_lexm) m_lexm[static_cast<size_t>(entree)].info = valeur;
}

std::string charg1::RetourneGraphie(int32_t entree, bool premiersSeuls) const {
    const int32_t limite = premiersSeuls ? m_nbform + m_nbartponct : m_nbart;
    if (entree >= 0 && entree < limite) return std::string(Graphie(entree));
    if (entree <= m_nbart || !m_segments) return std::string();
    const int32_t k = entree - m_nbart - 1;
    if (k >= m_nbformsup || k >= m_segments->NbSegments()) return std::string();
    std::string texte;
    for (const int32_t forme : m_segments->FormesSegment(k)) {
        texte += Graphie(forme);
        texte += ' ';
    }
    return texte;
}

std::string_view charg1::Graphie(int32_t entree) const {
    if (entree < 0 || entree >= m_nbart || !m_lexm) return {};
    return GraphieRangee(entree);
}

int32_t charg1::LocFormDic(std::string_view texte) const {
    // The first lookups compare the lengths, then the bytes, of every form: a command looks up one or
    // two forms, far fewer than the sort of the index compares.
    constexpr int32_t RecherchesSansIndex = 8;
    if (!m_formesTrieesPretes.load(std::memory_order_acquire)) {
        if (m_recherchesSansIndex.fetch_add(1) < RecherchesSansIndex) {
            for (int32_t f = 0; f < m_nbform && m_lexm; ++f)
                if (GraphieRangee(f) == texte) return f;
            return -1;
        }
        const std::lock_guard verrou(m_verrouIndex);
        ConstruitIndexFormes();
        if (!m_formesTrieesPretes) return -1; // no form to look up
    }
    const auto premier =
        std::lower_bound(m_formesTriees.begin(), m_formesTriees.end(), texte,
                         [this](int32_t forme, std::string_view t) { return Graphie(forme) < t; });
    if (premier != m_formesTriees.end() && Graphie(*premier) == texte) return *premier;
    return -1;
}

// --- Positions

int32_t charg1::Tnum(int32_t position) const {
    if (position < 0 || position >= m_nbitem || !m_tnum) return -1;
    return m_tnum[static_cast<size_t>(position)];
}

void charg1::SetTnum(int32_t position, int32_t valeur) {
    if (position < 0 || position >= m_nbitem || !m_tnum) return;
    if (m_tnum[static_cast<size_t>(position)] == valeur) return;
    m_tnum[static_cast<size_t>(position)] = valeur;
    m_indexAJour = false;
}

Lexm charg1::RetourneLexmAtPos(int32_t position) const {
    return RetourneLexm(Tnum(position));
}

int32_t charg1::RetourneFrqAtPos(int32_t position) const {
    return RetourneFrq(Tnum(position));
}

const char* charg1::RetourneGraphieAtPos(int32_t position, bool premiersSeuls) const {
    const int32_t limite = premiersSeuls ? m_nbform + m_nbartponct : m_nbart;
    const int32_t entree = Tnum(position);
    if (entree < 0 || entree >= limite) return nullptr;
    return m_lexm[static_cast<size_t>(entree)].graphie;
}

void charg1::PrepareGraphies(int32_t position, int32_t etendue, int32_t etape) const {
    if (!m_tnum || position < 0 || position >= m_nbitem) return;
    const int32_t* const tnum = m_tnum.get();
    const int32_t debut = std::max(position - etendue, 0);
    const int32_t fin = std::min(position + etendue, m_nbitem - 1);
    if (etape == 0) {
        // One request per cache line of 16 values, and the last one.
        for (int32_t p = debut; p < fin; p += 16)
            __builtin_prefetch(tnum + p);
        __builtin_prefetch(tnum + fin);
        return;
    }
    const int32_t limite = m_nbform + m_nbartponct;
    for (int32_t p = debut; p <= fin; ++p) {
        const int32_t e = tnum[p];
        if (e < 0 || e >= limite) continue;
        if (etape == 1)
            __builtin_prefetch(m_graphies.get() + e);
        else
            __builtin_prefetch(m_ftext.get() + (m_graphies[static_cast<size_t>(e)] >> 8));
    }
}

std::span<const int32_t> charg1::Occurrences(int32_t entree) const {
    if (entree < 0 || entree >= m_nbart || !m_tnum) return {};
    ConstruitIndexOccurrences();
    const int32_t debut = m_debuts[static_cast<size_t>(entree)];
    const int32_t fin = m_debuts[static_cast<size_t>(entree) + 1];
    return {m_positions.get() + debut, static_cast<size_t>(fin - debut)};
}

std::vector<int32_t> charg1::LocOccFor(int32_t entree) const {
    if (entree >= 0 && entree < m_nbart) {
        const auto occ = Occurrences(entree);
        return std::vector<int32_t>(occ.begin(), occ.end());
    }
    if (entree > m_nbart && m_segments && entree - m_nbart - 1 < m_nbformsup)
        return m_segments->LocOccSeg(entree - m_nbart - 1);
    return {};
}

// The positions of a few dictionary entries read from the text in one pass, ascending: cheaper than
// building the occurrence index, which writes every position at random, for the first groups made
// from a few forms (a command's concordance).
std::vector<int32_t> charg1::LitPositions(std::span<const int32_t> entrees) const {
    std::vector<int32_t> resultat;
    int64_t total = 0;
    for (const int32_t e : entrees)
        total += m_lexm[static_cast<size_t>(e)].frq;
    resultat.reserve(static_cast<size_t>(total));
    const int32_t* const tnum = m_tnum.get();
    if (entrees.size() == 1) {
        const int32_t e = entrees[0];
        for (int32_t i = 0; i < m_nbitem; ++i)
            if (tnum[i] == e) resultat.push_back(i);
        return resultat;
    }
    for (int32_t i = 0; i < m_nbitem; ++i)
        if (std::find(entrees.begin(), entrees.end(), tnum[i]) != entrees.end()) resultat.push_back(i);
    return resultat;
}

std::vector<int32_t> charg1::LocOccFor(const int32_t* entrees, int32_t nb) const {
    std::vector<int32_t> distinctes(entrees, entrees + std::max(nb, 0));
    std::sort(distinctes.begin(), distinctes.end());
    distinctes.erase(std::unique(distinctes.begin(), distinctes.end()), distinctes.end());
    // Up to four entries of the dictionary, a few times, before the index is built.
    constexpr size_t EntreesLues = 4;
    constexpr int32_t LecturesSansIndex = 4;
    if (!m_indexAJour && m_tnum && !distinctes.empty() && distinctes.size() <= EntreesLues &&
        distinctes.front() >= 0 && distinctes.back() < m_nbart &&
        m_lecturesSansIndex.fetch_add(1) < LecturesSansIndex)
        return LitPositions(distinctes);
    std::vector<int32_t> resultat;
    for (const int32_t e : distinctes) {
        if (e >= 0 && e < m_nbart) {
            const auto occ = Occurrences(e);
            resultat.insert(resultat.end(), occ.begin(), occ.end());
        } else if (e > m_nbart) {
            const std::vector<int32_t> occ = LocOccFor(e);
            resultat.insert(resultat.end(), occ.begin(), occ.end());
        }
    }
    std::sort(resultat.begin(), resultat.end());
    resultat.erase(std::unique(resultat.begin(), resultat.end()), resultat.end());
    return resultat;
}

// The rank by which a context item is compared: the lexicographic rank of an entry; every other value
// (a line break, when the limit lets it through) ranks after all entries.
int32_t charg1::RangContexte(int32_t valeur) const {
    if (valeur >= 0 && valeur < m_nbart) return m_lexm[static_cast<size_t>(valeur)].lexg;
    return m_nbart;
}

namespace {

// The next position in direction sens whose value is not above limite; -1 at an end of the text.
inline int32_t Avance(const int32_t* tnum, int32_t nbitem, int64_t p, int32_t sens, int32_t limite) {
    do {
        p += sens;
        if (p < 0 || p >= nbitem) return -1;
    } while (tnum[p] > limite);
    return static_cast<int32_t>(p);
}

} // namespace

int32_t charg1::Compar(int32_t p1, int32_t p2, int32_t sens, int32_t limite) const {
    if (sens == 0 || p1 == p2 || !m_tnum) return 1;
    sens = sens > 0 ? 1 : -1;
    const int32_t* const tnum = m_tnum.get();
    int32_t a = p1, b = p2;
    for (;;) {
        a = Avance(tnum, m_nbitem, a, sens, limite);
        b = Avance(tnum, m_nbitem, b, sens, limite);
        if (a < 0 || b < 0) {
            if (a < 0 && b < 0) return p1 <= p2 ? 1 : 0;
            return a < 0 ? 1 : 0;
        }
        const int32_t ra = RangContexte(tnum[a]), rb = RangContexte(tnum[b]);
        if (ra != rb) return ra < rb ? 1 : 0;
    }
}

// The order of Compar, read as sequences of codes: the lexicographic rank of each context item plus 1,
// then 0 at the end of the text, so that a context that ends comes first. Compar itself orders the
// contexts that go on past their keys, in fewer steps than the cursors.
void charg1::TriCont(int32_t* positions, int32_t n, int32_t sens, int32_t limite) const {
    if (sens == 0 || n < 2 || !positions || !m_tnum) return;
    sens = sens > 0 ? 1 : -1;
    const int32_t* const tnum = m_tnum.get();
    struct Curseur {
        int32_t position;
        bool fini;
    };
    TriSequences(
        positions, n, std::bit_width(static_cast<uint32_t>(m_nbart) + 1),
        [](int32_t p) {
            return Curseur{p, false};
        },
        [this, tnum, nbitem = m_nbitem, sens, limite](Curseur& c) -> uint32_t {
            if (c.fini) return 0;
            c.position = Avance(tnum, nbitem, c.position, sens, limite);
            if (c.position < 0) {
                c.fini = true;
                return 0;
            }
            return static_cast<uint32_t>(RangContexte(tnum[c.position])) + 1;
        },
        [&](int32_t p1, int32_t p2) { return Compar(p1, p2, sens, limite) == 1; });
}

void charg1::AssigneSR(const FournisseurSegments* segments) {
    m_segments = segments;
    m_nbformsup = segments ? std::max(segments->NbSegments(), 0) : 0;
}

} // namespace t3
