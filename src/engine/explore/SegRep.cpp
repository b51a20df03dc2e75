#include "engine/explore/SegRep.h"

#include "engine/corpus/charg1.h"
#include "engine/socle/Trace.h"
#include "engine/stats/Tgen.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

namespace t3 {

SegRep::SegRep(charg1* base, const std::set<int32_t>& delimiteurs)
    : m_base(base), m_delimiteurs(delimiteurs) {
    const int32_t nbart = m_base ? m_base->Nbart() : 0;
    m_estDelimiteur.assign(static_cast<size_t>(std::max(nbart, 0)), 0);
    for (const int32_t e : m_delimiteurs) {
        if (e >= 0 && e < nbart)
            m_estDelimiteur[static_cast<size_t>(e)] = 1;
        else
            m_delimiteurHorsDico = true;
    }
    if (!m_base) return;
    // The windows read the text through these codes, in one look-up per item.
    const int32_t nbform = m_base->Nbform();
    m_limiteCles = nbform + m_base->Nbartponct();
    m_codes.assign(static_cast<size_t>(std::max(nbart, 0)), CodePasse);
    for (int32_t e = 0; e < nbart; ++e) {
        if (e < nbform)
            m_codes[static_cast<size_t>(e)] = 1 + static_cast<uint32_t>(m_base->Lexg(e));
        else if (e <= m_limiteCles && m_estDelimiteur[static_cast<size_t>(e)])
            m_codes[static_cast<size_t>(e)] = CodeDelimiteur();
    }
}

SegRep::~SegRep() {
    m_loc.Ferme();
    m_desc.Ferme();
}

bool SegRep::EstDelimiteur(int32_t valeur) const {
    if (valeur >= 0 && static_cast<size_t>(valeur) < m_estDelimiteur.size())
        return m_estDelimiteur[static_cast<size_t>(valeur)] != 0;
    return m_delimiteurHorsDico && m_delimiteurs.count(valeur) != 0;
}

bool SegRep::CalcSegRep(int32_t seuilFormes, int32_t seuilSegments) {
    m_liste.clear();
    m_loc.Ferme();
    m_desc.Ferme();
    m_ecritureEnErreur = false;
    m_seuilSegments = seuilSegments;
    if (!m_base) return false;

    // The forms come in decreasing frequency: those that may begin a segment are a prefix.
    int32_t n = 0;
    while (n < m_base->Nbform() && m_base->RetourneLexm(n).frq >= seuilFormes)
        ++n;

    // Both files and the trace go beside the base, whatever the current folder; the trace names them
    // as the base names its own files.
    m_nomLoc = m_base->NomBase() + std::string(SuffixeLoc);
    m_nomDesc = m_base->NomBase() + std::string(SuffixeDesc);
    TraceDans(m_base->Dossier(), "CalcSegRep----\n%s - %s", m_nomLoc.c_str(), m_nomDesc.c_str());
    if (!m_loc.Ouvre(m_base->CheminFichier(SuffixeLoc)) ||
        !m_desc.Ouvre(m_base->CheminFichier(SuffixeDesc))) {
        m_loc.Ferme();
        m_desc.Ferme();
        return false;
    }

    const int32_t pas = n / 100;
    int32_t compteur = 0;
    for (int32_t forme = 0; forme < n && !m_ecritureEnErreur; ++forme) {
        if (compteur == pas) {
            if (m_gauge) m_gauge(0);
            compteur = 0;
        }
        const Tgen groupe(m_base, &forme, 1);
        std::vector<Segment> trouves = CalcTgenSR(&groupe);
        m_liste.insert(m_liste.end(), std::make_move_iterator(trouves.begin()),
                       std::make_move_iterator(trouves.end()));
        ++compteur;
    }
    const bool vides = m_loc.Vide() && m_desc.Vide();
    if (m_ecritureEnErreur || !vides) {
        // Segments whose positions are not all in the file would be listed with occurrences that cannot
        // be read back: none is kept.
        TraceDans(m_base->Dossier(), "\nCalcSegRep : %s ne peut être écrit", m_nomLoc.c_str());
        m_liste.clear();
        return false;
    }
    return true;
}

std::vector<Segment> SegRep::CalcTgenSR(const Tgen* groupe) {
    if (!groupe) return {};
    std::vector<int32_t> positions = groupe->Positions(); // SelSegRep reorders them
    return SelSegRep(positions.data(), static_cast<int32_t>(positions.size()));
}

std::vector<int32_t> SegRep::FormesSegment(int32_t k) const {
    return EstSegment(k) ? m_liste[static_cast<size_t>(k)].formes : std::vector<int32_t>{};
}

std::vector<int32_t> SegRep::LocOccSeg(int32_t k) const {
    if (!EstSegment(k) || !m_loc.EstOuvert()) return {};
    const Segment& s = m_liste[static_cast<size_t>(k)];
    return m_loc.Lit(s.location, s.frequence);
}

std::string SegRep::RetourneGraphie(int32_t k) const {
    std::string texte;
    if (!EstSegment(k) || !m_base) return texte;
    for (const int32_t forme : m_liste[static_cast<size_t>(k)].formes) {
        texte += m_base->Graphie(forme);
        texte += ' ';
    }
    return texte;
}

void SegRep::LectSeg(FenetreSeg& fenetre, int32_t position) const {
    fenetre.fill(SansForme);
    if (!m_base || !m_base->TexteNum() || position < 0 || position >= m_base->Nbitem()) return;
    const int32_t* tnum = m_base->TexteNum();
    const int32_t nbitem = m_base->Nbitem();
    const int32_t nbform = m_base->Nbform();
    const int32_t limiteCles = nbform + m_base->Nbartponct();

    // The left neighbour: the nearest form before, unless a delimiter comes first.
    for (int32_t p = position - 1; p >= 0; --p) {
        const int32_t v = tnum[p];
        if (v >= 0 && v < nbform) {
            fenetre[0] = v;
            break;
        }
        if (EstDelimiteur(v)) break;
    }
    // The forms from the occurrence on, up to 11, up to the first delimiter; keys, line breaks and
    // punctuation outside the set are passed over.
    int32_t nombre = 0;
    for (int32_t p = position; p < nbitem && nombre < LongueurMaxSegment; ++p) {
        const int32_t v = tnum[p];
        if (v > limiteCles) continue;
        if (v >= 0 && v < nbform)
            fenetre[static_cast<size_t>(++nombre)] = v;
        else if (EstDelimiteur(v))
            break;
    }
}

uint32_t SegRep::CodeDelimiteur() const {
    return static_cast<uint32_t>(m_base->Nbart()) + 1;
}

bool SegRep::LitFenetre(FenetreSeg& fenetre, int32_t position) const {
    fenetre.fill(SansForme);
    const int32_t* const tnum = m_base->TexteNum();
    const int32_t nbitem = m_base->Nbitem();
    const int32_t nbform = m_base->Nbform();
    for (int32_t p = position - 1; p >= 0; --p) {
        const int32_t v = tnum[p];
        if (v >= 0 && v < nbform) {
            fenetre[0] = v;
            break;
        }
        if (EstDelimiteur(v)) break;
    }
    int32_t nombre = 0;
    for (int32_t p = position; p < nbitem; ++p) {
        const int32_t v = tnum[p];
        if (CodeLu(v) == CodePasse) continue;
        if (v < 0 || v >= nbform) return true;
        fenetre[static_cast<size_t>(++nombre)] = v;
        if (nombre == LongueurMaxSegment) return false;
    }
    return false;
}

// The windows, not the whole contexts, decide the order: a sign left out of the delimiter set is passed
// over by the windows, and a sort that still compared it could part two occurrences of one sequence.
// The codes keep the order of the contexts on what the windows read (the end of the text first, the
// forms by lexicographic rank, then the punctuation that ends a window), so that with every sign in the
// set the segments come out in the order of a sort by right context. Each window is read once: its
// codes, packed into a few 64-bit words, are compared word by word.
void SegRep::TriParFenetre(int32_t* positions, int32_t n, FenetreSeg* fenetres) const {
    // The block's own form fills slot 1 of every window: the codes start after it.
    const int32_t entree = m_base->TexteNum()[positions[0]];
    const size_t premierCode = entree >= 0 && entree < m_base->Nbform() ? 2 : 1;
    const int bits = std::bit_width(CodeDelimiteur());
    const int parMot = 64 / bits;
    const int nbMots = (LongueurMaxSegment + parMot - 1) / parMot;
    const size_t taille = static_cast<size_t>(n);
    std::vector<FenetreSeg> lues(taille);
    std::vector<uint64_t> cles(taille * static_cast<size_t>(nbMots));
    struct Element {
        uint64_t cle; // the first word of the codes
        int32_t indice;
    };
    std::vector<Element> elements(taille);
    for (size_t i = 0; i < taille; ++i) {
        FenetreSeg& fenetre = lues[i];
        const bool delimitee = LitFenetre(fenetre, positions[i]);
        // The codes of the forms after the first, then what ended the window when it has room left;
        // 0 in every slot after.
        std::array<uint32_t, LongueurMaxSegment> codes{};
        size_t nombre = 0, slot = premierCode;
        for (; slot <= LongueurMaxSegment && fenetre[slot] != SansForme; ++slot)
            codes[nombre++] = m_codes[static_cast<size_t>(fenetre[slot])];
        if (slot <= LongueurMaxSegment && delimitee) codes[nombre] = CodeDelimiteur();
        uint64_t* const mots = &cles[i * static_cast<size_t>(nbMots)];
        for (int m = 0, rang = 0; m < nbMots; ++m) {
            uint64_t mot = 0;
            for (int r = 0; r < parMot; ++r, ++rang)
                mot = (mot << bits) | (rang < LongueurMaxSegment ? codes[static_cast<size_t>(rang)] : 0);
            mots[m] = mot;
        }
        elements[i] = {mots[0], static_cast<int32_t>(i)};
    }
    std::sort(elements.begin(), elements.end(), [&](const Element& x, const Element& y) {
        if (x.cle != y.cle) return x.cle < y.cle;
        const uint64_t* const a = &cles[static_cast<size_t>(x.indice) * static_cast<size_t>(nbMots)];
        const uint64_t* const b = &cles[static_cast<size_t>(y.indice) * static_cast<size_t>(nbMots)];
        for (int m = 1; m < nbMots; ++m)
            if (a[m] != b[m]) return a[m] < b[m];
        return positions[x.indice] < positions[y.indice];
    });
    std::vector<int32_t> triees(taille);
    for (size_t i = 0; i < taille; ++i) {
        const auto j = static_cast<size_t>(elements[i].indice);
        triees[i] = positions[j];
        fenetres[i] = lues[j];
    }
    std::copy(triees.begin(), triees.end(), positions);
}

void SegRep::TriParContexte(int32_t* positions, int32_t n, std::vector<FenetreSeg>& fenetres) const {
    // Occurrences of several entries (a group of forms) are first put together entry by entry, in
    // lexicographic order, so that equal windows still come next to each other; the occurrences of a
    // single form are left to the sort of the windows alone.
    // The positions are within the text: the entries are read straight from it.
    const int32_t* const tnum = m_base->TexteNum();
    int32_t* const fin = positions + n;
    const int32_t premiere = tnum[positions[0]];
    const bool uneEntree = std::all_of(positions, fin, [&](int32_t p) { return tnum[p] == premiere; });
    if (!uneEntree) {
        std::stable_sort(positions, positions + n, [&](int32_t a, int32_t b) {
            const int32_t ea = tnum[a], eb = tnum[b];
            const int32_t ra = m_base->Lexg(ea), rb = m_base->Lexg(eb);
            return ra != rb ? ra < rb : ea < eb;
        });
    }
    for (int32_t debut = 0; debut < n;) {
        int32_t finBloc = debut + 1;
        while (finBloc < n && tnum[positions[finBloc]] == tnum[positions[debut]])
            ++finBloc;
        TriParFenetre(positions + debut, finBloc - debut, fenetres.data() + debut);
        debut = finBloc;
    }
}

std::vector<Segment> SegRep::SelSegRep(int32_t* positions, int32_t n) {
    std::vector<Segment> resultat;
    if (!m_base || !positions || n <= 0) return resultat;
    // Positions outside the text have no window and must not reach the sort.
    const int32_t nbitem = m_base->Nbitem();
    n = static_cast<int32_t>(
        std::remove_if(positions, positions + n, [nbitem](int32_t p) { return p < 0 || p >= nbitem; }) -
        positions);
    if (n == 0) return resultat;

    // Without the text no window can be read.
    if (!m_base->TexteNum()) return resultat;
    std::vector<FenetreSeg> fenetres(static_cast<size_t>(n));
    TriParContexte(positions, n, fenetres);

    const FenetreSeg* precedente = &fenetres[0];
    CoursesSeg courses;
    for (int32_t L = 1; L <= LongueurMaxSegment; ++L) {
        const bool vide = (*precedente)[static_cast<size_t>(L)] == SansForme;
        courses.compte[static_cast<size_t>(L)] = vide ? 0 : 1;
        courses.debut[static_cast<size_t>(L)] = 0;
        courses.voisin[static_cast<size_t>(L)] = vide ? SansForme : (*precedente)[0];
    }
    for (int32_t m = 1; m < n; ++m) {
        const FenetreSeg& courante = fenetres[static_cast<size_t>(m)];
        int32_t D = 1;
        while (D <= LongueurMaxSegment &&
               courante[static_cast<size_t>(D)] == (*precedente)[static_cast<size_t>(D)] &&
               courante[static_cast<size_t>(D)] != SansForme)
            ++D;
        for (int32_t L = 1; L < D; ++L) {
            ++courses.compte[static_cast<size_t>(L)];
            if (courses.voisin[static_cast<size_t>(L)] != courante[0])
                courses.voisin[static_cast<size_t>(L)] = SansForme;
        }
        if (D <= LongueurMaxSegment) {
            std::vector<Segment> emis = EdiSeg(D, courses, positions, m, *precedente, courante);
            for (Segment& s : emis)
                resultat.push_back(std::move(s));
        }
        precedente = &courante;
    }
    std::vector<Segment> emis = EdiSeg(1, courses, positions, n, *precedente, *precedente);
    for (Segment& s : emis)
        resultat.push_back(std::move(s));
    return resultat;
}

std::vector<Segment> SegRep::EdiSeg(int32_t premiereLongueur, CoursesSeg& courses, const int32_t* positions,
                                    int32_t m, const FenetreSeg& precedente, const FenetreSeg& courante) {
    std::vector<Segment> emis;
    // A run of no occurrence is never a segment, whatever the threshold.
    const int32_t seuil = std::max(m_seuilSegments, 1);
    for (int32_t L = std::max(premiereLongueur, 1); L <= LongueurMaxSegment; ++L) {
        const size_t l = static_cast<size_t>(L);
        const int32_t compte = courses.compte[l];
        // Equal counts: every occurrence goes on with the same form, and the longer segment covers it.
        const bool maximalADroite = L == LongueurMaxSegment || compte != courses.compte[l + 1];
        if (L >= 2 && compte >= seuil && maximalADroite && courses.voisin[l] == SansForme) {
            Segment s;
            s.formes.assign(precedente.begin() + 1, precedente.begin() + 1 + L);
            s.frequence = compte;
            if (EcritPositions(positions + courses.debut[l], compte, s.location))
                emis.push_back(std::move(s));
        }
        if (courante[l] == SansForme) {
            courses.compte[l] = 0;
            courses.debut[l] = 0;
            courses.voisin[l] = SansForme;
        } else {
            courses.compte[l] = 1;
            courses.debut[l] = m;
            courses.voisin[l] = courante[0];
        }
    }
    return emis;
}

bool SegRep::EcritPositions(const int32_t* positions, int32_t nombre, int32_t& location) {
    const int64_t offset = m_loc.Taille();
    if (offset + int64_t{4} * nombre > std::numeric_limits<int32_t>::max()) {
        m_ecritureEnErreur = true; // the record's 32-bit offset cannot hold what follows
        return false;
    }
    location = static_cast<int32_t>(offset);
    if (!m_loc.EstOuvert()) return true; // a search outside CalcSegRep keeps its segments in memory only
    m_tampon.assign(positions, positions + nombre);
    std::sort(m_tampon.begin(), m_tampon.end());
    if (!m_loc.Ajoute(m_tampon.data(), m_tampon.size())) {
        m_ecritureEnErreur = true;
        return false;
    }
    return true;
}

} // namespace t3
