#include "engine/explore/SegRep.h"

#include "engine/Globaux.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/GrandesPages.h"
#include "engine/socle/Trace.h"
#include "engine/stats/Tgen.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <limits>
#include <memory>
#include <span>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace t3 {

namespace {

// A window in the sort.
struct ElementTri {
    uint64_t cle;   // the first codes of the window, packed
    int32_t indice; // of the window in the reading order
};

// Cells that are written before they are read, grown as needed: a larger block never pays for setting
// them first. They lie on huge pages: the windows of a frequent form take tens of megabytes, read in
// the order of the sort.
template <class T> class Cellules {
  public:
    void Prepare(size_t n) {
        if (n <= m_taille) return;
        m_cellules = NouveauTableauGrandesPages<T>(n);
        m_taille = n;
    }
    T* data() { return m_cellules.get(); }
    T& operator[](size_t i) { return m_cellules[i]; }
    const T& operator[](size_t i) const { return m_cellules[i]; }

  private:
    TableauGrandesPages<T> m_cellules;
    size_t m_taille = 0;
};

// From this many elements on, the first words are sorted by their digits, in linear time.
constexpr int32_t SeuilTriParChiffres = 8192;

// Sorts the elements by their first words, stable: four passes of 16 bits from the lowest, a pass being
// skipped when all the elements share its digit.
void TriParChiffres(ElementTri* elements, int32_t n, Cellules<ElementTri>& auxiliaire) {
    const auto taille = static_cast<size_t>(n);
    auxiliaire.Prepare(taille);
    ElementTri* source = elements;
    ElementTri* cible = auxiliaire.data();
    std::vector<uint32_t> comptes(1 << 16);
    for (int decalage = 0; decalage < 64; decalage += 16) {
        std::fill(comptes.begin(), comptes.end(), 0);
        for (size_t i = 0; i < taille; ++i)
            ++comptes[(source[i].cle >> decalage) & 0xFFFF];
        if (comptes[(source[0].cle >> decalage) & 0xFFFF] == taille) continue;
        uint32_t somme = 0;
        for (uint32_t& c : comptes)
            somme += std::exchange(c, somme);
        for (size_t i = 0; i < taille; ++i)
            cible[comptes[(source[i].cle >> decalage) & 0xFFFF]++] = source[i];
        std::swap(source, cible);
    }
    if (source != elements) std::copy(source, source + taille, elements);
}

} // namespace

struct SegRep::Brouillon {
    Cellules<FenetreCodes> fenetres; // in the reading order
    Cellules<ElementTri> elements, auxiliaire;
    Cellules<int32_t> lues;       // the positions in the reading order
    std::vector<int32_t> comptes; // by code: how many positions it follows; 0 between two uses

    // Room for n of each; what was there is not kept.
    void Prepare(size_t n) {
        fenetres.Prepare(n);
        elements.Prepare(n);
        lues.Prepare(n);
    }
};

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
    m_codeDelimiteur = static_cast<uint32_t>(nbart) + 1;
    m_codes.assign(static_cast<size_t>(std::max(nbart, 0)), CodePasse);
    for (int32_t e = 0; e < nbart; ++e) {
        if (e < nbform)
            m_codes[static_cast<size_t>(e)] = 1 + static_cast<uint32_t>(m_base->Lexg(e));
        else if (e <= m_limiteCles && m_estDelimiteur[static_cast<size_t>(e)])
            m_codes[static_cast<size_t>(e)] = CodeDelimiteur();
    }
    // The loader keeps every lexicographic rank below Nbart(): a form's code is at most Nbart().
    m_formeDuCode.assign(static_cast<size_t>(nbart) + 1, SansForme);
    for (int32_t e = 0; e < nbform; ++e)
        if (const uint32_t code = m_codes[static_cast<size_t>(e)]; code < m_formeDuCode.size())
            m_formeDuCode[code] = e;
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

// Steps the gauge every pas forms searched; false once a stop is asked.
bool SegRep::Avance(int32_t& compteur, int32_t pas) const {
    if (compteur == pas) {
        if (m_gauge) m_gauge(0);
        if (Arrete(m_arret)) return false;
        compteur = 0;
    }
    ++compteur;
    return true;
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

    const int nbFils = static_cast<int>(std::min(std::thread::hardware_concurrency(), 4u));
    if (nbFils >= 2 && n >= 2) {
        CalculeEnParallele(n, nbFils);
    } else {
        const int32_t pas = n / 100;
        int32_t compteur = 0;
        for (int32_t forme = 0; forme < n && !m_ecritureEnErreur && Avance(compteur, pas); ++forme) {
            const Tgen groupe(m_base, &forme, 1);
            std::vector<Segment> trouves = CalcTgenSR(&groupe);
            m_liste.insert(m_liste.end(), std::make_move_iterator(trouves.begin()),
                           std::make_move_iterator(trouves.end()));
        }
    }
    if (Arrete(m_arret)) {
        TraceDans(m_base->Dossier(), "\nCalcSegRep : calcul annulé");
        m_liste.clear();
        m_loc.Ferme();
        m_desc.Ferme();
        return false;
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

// Each thread reads the positions of the forms it takes from the loader's index, which is made
// beforehand; the findings are written here in the order of the forms, with the progress: the files
// and the list are those of the sequential search.
void SegRep::CalculeEnParallele(int32_t n, int nbFils) {
    const auto taille = static_cast<size_t>(n);
    m_base->Occurrences(0); // the loader makes its index now, before the threads read it
    std::vector<Trouvailles> trouvailles(taille);
    // Waited on one by one: a thread that ends a search wakes only the writer that waits for it.
    const auto faites = std::make_unique<std::atomic<uint8_t>[]>(taille);
    std::atomic<int32_t> suivante{0};
    std::atomic<bool> arret{false};
    const auto cherche = [&] {
        Brouillon brouillon;
        Cellules<int32_t> positions;
        for (int32_t forme = suivante++; forme < n && !arret; forme = suivante++) {
            const std::span<const int32_t> occurrences = m_base->Occurrences(forme);
            positions.Prepare(occurrences.size());
            std::copy(occurrences.begin(), occurrences.end(), positions.data());
            Cherche(positions.data(), static_cast<int32_t>(occurrences.size()), true,
                    trouvailles[static_cast<size_t>(forme)], brouillon);
            faites[static_cast<size_t>(forme)] = 1;
            faites[static_cast<size_t>(forme)].notify_one();
        }
    };
    std::vector<std::thread> fils;
    try {
        for (int i = 0; i < nbFils; ++i)
            fils.emplace_back(cherche);
    } catch (const std::system_error&) {
        // Fewer threads, or none: this one then searches first.
    }
    if (fils.empty()) cherche();

    const int32_t pas = n / 100;
    int32_t compteur = 0;
    for (int32_t forme = 0; forme < n && !m_ecritureEnErreur && Avance(compteur, pas); ++forme) {
        // The sequential search makes a group of each form, which takes a colour of the cycle: the
        // groups made afterwards keep the colours they would have had.
        CycleCouleursGroupes.Prend();
        faites[static_cast<size_t>(forme)].wait(0);
        Ecrit(trouvailles[static_cast<size_t>(forme)], m_liste);
        trouvailles[static_cast<size_t>(forme)] = {};
    }
    arret = true;
    for (std::thread& f : fils)
        f.join();
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

void SegRep::LitCodes(FenetreCodes& fenetre, int32_t position) const {
    fenetre.fill(0);
    const int32_t* const tnum = m_base->TexteNum();
    const int32_t nbitem = m_base->Nbitem();
    const int32_t nbform = m_base->Nbform();
    for (int32_t p = position - 1; p >= 0; --p) {
        const int32_t v = tnum[p];
        if (v >= 0 && v < nbform) {
            fenetre[0] = m_codes[static_cast<size_t>(v)];
            break;
        }
        if (EstDelimiteur(v)) break;
    }
    const uint32_t delimiteur = CodeDelimiteur();
    size_t nombre = 0;
    for (int32_t p = position; p < nbitem; ++p) {
        const uint32_t code = CodeLu(tnum[p]);
        if (code == CodePasse) continue;
        if (code == delimiteur) {
            fenetre[nombre + 1] = delimiteur;
            return;
        }
        fenetre[++nombre] = code;
        if (nombre == LongueurMaxSegment) return;
    }
}

// The windows, not the whole contexts, decide the order: a sign left out of the delimiter set is passed
// over by the windows, and a sort that still compared it could part two occurrences of one sequence.
// The codes keep the order of the contexts on what the windows read (the end of the text first, the
// forms by lexicographic rank, then the punctuation that ends a window), so that with every sign in the
// set the segments come out in the order of a sort by right context. Each window is read once; its
// first codes, packed into one word, order most pairs at one comparison.
void SegRep::TriParFenetre(int32_t* positions, int32_t debut, int32_t fin, Brouillon& brouillon) const {
    // The block's own form fills slot 1 of every window: the codes compared start after it.
    const int32_t entree = m_base->TexteNum()[positions[debut]];
    const size_t premier = entree >= 0 && entree < m_base->Nbform() ? 2 : 1;
    const int bits = std::bit_width(CodeDelimiteur());
    const size_t suite = std::min(premier + static_cast<size_t>(64 / bits), FenetreCodes().size());
    for (int32_t i = debut; i < fin; ++i) {
        const auto k = static_cast<size_t>(i);
        const FenetreCodes& fenetre = brouillon.fenetres[k];
        uint64_t cle = 0;
        for (size_t slot = premier; slot < premier + static_cast<size_t>(64 / bits); ++slot)
            cle = (cle << bits) | (slot < fenetre.size() ? fenetre[slot] : 0);
        brouillon.elements[k] = {cle, i};
    }
    ElementTri* const elements = brouillon.elements.data() + debut;
    const int32_t n = fin - debut;
    const auto ordre = [&](const ElementTri& x, const ElementTri& y) {
        if (x.cle != y.cle) return x.cle < y.cle;
        const FenetreCodes& a = brouillon.fenetres[static_cast<size_t>(x.indice)];
        const FenetreCodes& b = brouillon.fenetres[static_cast<size_t>(y.indice)];
        for (size_t slot = suite; slot < a.size(); ++slot)
            if (a[slot] != b[slot]) return a[slot] < b[slot];
        return brouillon.lues[static_cast<size_t>(x.indice)] < brouillon.lues[static_cast<size_t>(y.indice)];
    };
    if (n < SeuilTriParChiffres) {
        std::sort(elements, elements + n, ordre);
    } else {
        // The first codes in linear time; the few runs that share them are ordered by the rest.
        TriParChiffres(elements, n, brouillon.auxiliaire);
        for (int32_t i = 0; i < n;) {
            int32_t j = i + 1;
            while (j < n && elements[j].cle == elements[i].cle)
                ++j;
            if (j - i > 1) std::sort(elements + i, elements + j, ordre);
            i = j;
        }
    }
    for (int32_t i = debut; i < fin; ++i)
        positions[i] = brouillon.lues[static_cast<size_t>(brouillon.elements[static_cast<size_t>(i)].indice)];
}

void SegRep::LitFenetres(const int32_t* positions, int32_t debut, int32_t fin, Brouillon& brouillon) const {
    const int32_t* const tnum = m_base->TexteNum();
    for (int32_t i = debut; i < fin; ++i) {
        // The text around the next positions is fetched while this window is read.
        if (i + 8 < fin) __builtin_prefetch(tnum + positions[i + 8]);
        LitCodes(brouillon.fenetres[static_cast<size_t>(i)], positions[i]);
        brouillon.lues[static_cast<size_t>(i)] = positions[i];
    }
}

int32_t SegRep::GardeSuitesFrequentes(int32_t* positions, int32_t n, Brouillon& brouillon) const {
    const int32_t seuil = std::max(m_seuilSegments, 1);
    if (seuil <= 1) return n;
    brouillon.comptes.resize(static_cast<size_t>(CodeDelimiteur()) + 1);
    for (int32_t i = 0; i < n; ++i)
        ++brouillon.comptes[brouillon.fenetres[static_cast<size_t>(i)][2]];
    int32_t gardees = 0;
    for (int32_t i = 0; i < n; ++i) {
        const auto k = static_cast<size_t>(i);
        const uint32_t code = brouillon.fenetres[k][2];
        if (!EstCodeForme(code) || brouillon.comptes[code] < seuil) continue;
        const auto g = static_cast<size_t>(gardees++);
        brouillon.fenetres[g] = brouillon.fenetres[k];
        brouillon.lues[g] = brouillon.lues[k];
        positions[g] = positions[k];
    }
    for (int32_t i = 0; i < n; ++i)
        brouillon.comptes[brouillon.fenetres[static_cast<size_t>(i)][2]] = 0;
    return gardees;
}

void SegRep::TriParContexte(int32_t* positions, int32_t n, Brouillon& brouillon) const {
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
    brouillon.Prepare(static_cast<size_t>(n));
    for (int32_t debut = 0; debut < n;) {
        int32_t finBloc = uneEntree ? n : debut + 1;
        while (finBloc < n && tnum[positions[finBloc]] == tnum[positions[debut]])
            ++finBloc;
        LitFenetres(positions, debut, finBloc, brouillon);
        TriParFenetre(positions, debut, finBloc, brouillon);
        debut = finBloc;
    }
}

std::vector<Segment> SegRep::SelSegRep(int32_t* positions, int32_t n) {
    Trouvailles trouvailles;
    Brouillon brouillon;
    Cherche(positions, n, false, trouvailles, brouillon);
    std::vector<Segment> resultat;
    Ecrit(trouvailles, resultat);
    return resultat;
}

void SegRep::Cherche(int32_t* positions, int32_t n, bool dUneForme, Trouvailles& trouvailles,
                     Brouillon& brouillon) const {
    if (!m_base || !positions || n <= 0) return;
    // Positions outside the text have no window and must not reach the sort.
    const int32_t nbitem = m_base->Nbitem();
    n = static_cast<int32_t>(
        std::remove_if(positions, positions + n, [nbitem](int32_t p) { return p < 0 || p >= nbitem; }) -
        positions);
    if (n == 0) return;

    // Without the text no window can be read.
    if (!m_base->TexteNum()) return;
    if (dUneForme) {
        // The windows are read once, before the positions that can belong to no segment are left out.
        brouillon.Prepare(static_cast<size_t>(n));
        LitFenetres(positions, 0, n, brouillon);
        n = GardeSuitesFrequentes(positions, n, brouillon);
        if (n == 0) return;
        TriParFenetre(positions, 0, n, brouillon);
    } else {
        TriParContexte(positions, n, brouillon);
    }
    const auto fenetre = [&brouillon](int32_t m) -> const FenetreCodes& {
        return brouillon.fenetres[static_cast<size_t>(brouillon.elements[static_cast<size_t>(m)].indice)];
    };

    // On codes, SansForme is 0: as a neighbour, none or several; in the slots, no form.
    const FenetreCodes* precedente = &fenetre(0);
    CoursesSeg courses;
    for (size_t L = 1; L <= LongueurMaxSegment; ++L) {
        const bool vide = !EstCodeForme((*precedente)[L]);
        courses.compte[L] = vide ? 0 : 1;
        courses.debut[L] = 0;
        courses.voisin[L] = vide ? 0 : static_cast<int32_t>((*precedente)[0]);
    }
    for (int32_t m = 1; m < n; ++m) {
        // The windows are read in the order of the sort, far from each other.
        if (m + 8 < n) __builtin_prefetch(&fenetre(m + 8));
        const FenetreCodes& courante = fenetre(m);
        size_t D = 1;
        while (D <= LongueurMaxSegment && courante[D] == (*precedente)[D] && EstCodeForme(courante[D]))
            ++D;
        const auto voisin = static_cast<int32_t>(courante[0]);
        for (size_t L = 1; L < D; ++L) {
            ++courses.compte[L];
            if (courses.voisin[L] != voisin) courses.voisin[L] = 0;
        }
        if (D <= LongueurMaxSegment)
            EdiSeg(static_cast<int32_t>(D), courses, positions, m, *precedente, courante, trouvailles);
        precedente = &courante;
    }
    EdiSeg(1, courses, positions, n, *precedente, *precedente, trouvailles);
}

void SegRep::EdiSeg(int32_t premiereLongueur, CoursesSeg& courses, const int32_t* positions, int32_t m,
                    const FenetreCodes& precedente, const FenetreCodes& courante,
                    Trouvailles& trouvailles) const {
    // A run of no occurrence is never a segment, whatever the threshold.
    const int32_t seuil = std::max(m_seuilSegments, 1);
    for (int32_t L = std::max(premiereLongueur, 1); L <= LongueurMaxSegment; ++L) {
        const size_t l = static_cast<size_t>(L);
        const int32_t compte = courses.compte[l];
        // Equal counts: every occurrence goes on with the same form, and the longer segment covers it.
        const bool maximalADroite = L == LongueurMaxSegment || compte != courses.compte[l + 1];
        if (L >= 2 && compte >= seuil && maximalADroite && courses.voisin[l] == 0) {
            Segment s;
            s.formes.resize(l);
            for (size_t slot = 1; slot <= l; ++slot)
                s.formes[slot - 1] = m_formeDuCode[precedente[slot]];
            s.frequence = compte;
            s.location = static_cast<int32_t>(trouvailles.positions.size());
            const int32_t* const debut = positions + courses.debut[l];
            trouvailles.positions.insert(trouvailles.positions.end(), debut, debut + compte);
            std::sort(trouvailles.positions.end() - compte, trouvailles.positions.end());
            trouvailles.segments.push_back(std::move(s));
        }
        if (!EstCodeForme(courante[l])) {
            courses.compte[l] = 0;
            courses.debut[l] = 0;
            courses.voisin[l] = 0;
        } else {
            courses.compte[l] = 1;
            courses.debut[l] = m;
            courses.voisin[l] = static_cast<int32_t>(courante[0]);
        }
    }
}

void SegRep::Ecrit(Trouvailles& trouvailles, std::vector<Segment>& liste) {
    for (Segment& s : trouvailles.segments)
        if (EcritPositions(trouvailles.positions.data() + s.location, s.frequence, s.location))
            liste.push_back(std::move(s));
}

bool SegRep::EcritPositions(const int32_t* positions, int32_t nombre, int32_t& location) {
    const int64_t offset = m_loc.Taille();
    if (offset + int64_t{4} * nombre > std::numeric_limits<int32_t>::max()) {
        m_ecritureEnErreur = true; // the record's 32-bit offset cannot hold what follows
        return false;
    }
    location = static_cast<int32_t>(offset);
    if (!m_loc.EstOuvert()) return true; // a search outside CalcSegRep keeps its segments in memory only
    if (!m_loc.Ajoute(positions, static_cast<size_t>(nombre))) {
        m_ecritureEnErreur = true;
        return false;
    }
    return true;
}

} // namespace t3
