#pragma once
// The loader of a base (bn".par", bn".dic", bn".num") and the query interface of every analysis: the
// counts of the base, the record of each entry, the entry at each position, the positions of each entry
// and the ordering of positions by their contexts.
#include "engine/corpus/FournisseurSegments.h"
#include "engine/socle/Arret.h"
#include "engine/socle/Resultat.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace t3 {

// The record of one dictionary entry. The graphie points into the loader's text block and stays valid
// as long as the loader keeps its tables; a record outside the dictionary is all zeros.
struct Lexm {
    int32_t lexg = 0;              // lexicographic rank
    int32_t frq = 0;               // frequency
    const char* graphie = nullptr; // the entry's text, zero-terminated
    int32_t info = 0;              // free value for callers
};

// Results of charg1::ChargeBase.
inline constexpr int32_t ChargeReussie = 0;
inline constexpr int32_t ChargeErreurParam = 1;
inline constexpr int32_t ChargeErreurDic = 2;
inline constexpr int32_t ChargeErreurNum = 3;
inline constexpr int32_t ChargeErreurMemoire = 4;
// The loading was stopped on demand (its stop flag set): the base is left unloaded.
inline constexpr int32_t ChargeArretee = CodeArrete;

// The French message of a ChargeBase result ("Erreur de lecture du fichier de paramètres", ...);
// an empty text for 0 or an unknown result. UTF-8.
std::string MessageChargeBase(int32_t resultat);

// The longest base name line 1 of a .par may hold.
inline constexpr size_t LongueurMaxNomBase = 254;
// Bytes of the graphie block per entry, at least: more when the graphies of the .dic are longer.
inline constexpr int64_t OctetsGraphieParEntree = 40;

class charg1 {
  public:
    charg1();
    ~charg1();
    charg1(const charg1&) = delete;
    charg1& operator=(const charg1&) = delete;

    // --- Loading
    // The progress of the loading: called with 0 about every 1 % of the dictionary read, then with 1
    // about every 1 % of the text.
    void AttribGauge(Progression gauge);
    // The stop flag of the loading, read where the gauge steps; null (the default) never stops.
    void AttribArret(const Arret* arret) { m_arret = arret; }
    // Loads the base whose .par is at chemin (LecParam, AllocMem, OpenDicNum, OpenTextNum, stopping at the
    // first failure). 0: loaded; 1: LecParam failed; 4: AllocMem; 2: OpenDicNum; 3: OpenTextNum.
    // The .dic and .num are read beside the .par under the name on line 1 of the .par; the trace goes
    // to that folder too. A relative chemin is taken from the current folder at the time of the call.
    int32_t ChargeBase(const char* chemin);
    int32_t ChargeBase(const std::string& chemin) { return ChargeBase(chemin.c_str()); }
    // The same as a Resultat: its code that of ChargeBase, its message MessageChargeBase's.
    Resultat<void> Charge(const std::string& chemin);
    bool LecParam(const char* chemin);
    bool AllocMem();
    bool OpenDicNum();
    bool OpenTextNum();
    void DesAlloc();

    // --- Counts
    int32_t Nbart() const { return m_nbart; }
    int32_t Nbform() const { return m_nbform; }
    int32_t Nbartponct() const { return m_nbartponct; }
    int32_t Nbcle() const { return m_nbcle; }
    int32_t Nbctnu() const { return m_nbctnu; }
    int32_t Nbitem() const { return m_nbitem; }
    int32_t Nbocc() const { return m_nbocc; }
    int32_t Fmax() const { return m_fmax; }
    int32_t Nhap() const { return m_nhap; }
    int32_t NbLignes() const { return m_nblignes; }
    int32_t Limd() const { return m_limd; }
    int32_t NbFormSup() const { return m_nbformsup; }
    int32_t NbTotEntites() const { return m_nbart + m_nbformsup; }
    // The name on line 1 of the .par.
    const std::string& NomBase() const { return m_nomBase; }
    // The absolute folder of the .par, fixed by the loading: every file of the base lies there.
    const std::string& Dossier() const { return m_dossier; }
    // The path of a file of the base: Dossier() + "/" + NomBase() + suffixe (".dic", ".loc.sr", ...).
    std::string CheminFichier(std::string_view suffixe) const;
    // True once ChargeBase has returned 0 (and DesAlloc has not been called since).
    bool Charge() const { return m_charge; }

    // --- Entries
    Lexm RetourneLexm(int32_t entree) const;
    int32_t Lexg(int32_t entree) const;
    int32_t RetourneFrq(int32_t entree) const;
    void SetInfo(int32_t entree, int32_t valeur);
    // The graphie of an entry: forms and punctuation only when premiersSeuls, every entry otherwise; a
    // segment entry (above Nbart()) gives its forms each followed by a blank; anything else the empty text.
    std::string RetourneGraphie(int32_t entree, bool premiersSeuls) const;
    // The graphie of an entry of the dictionary without a copy (empty outside 0 to Nbart() - 1).
    std::string_view Graphie(int32_t entree) const;
    // The first form whose graphie equals texte byte for byte; -1 if none.
    int32_t LocFormDic(std::string_view texte) const;

    // --- Positions
    // The value of the numbered text at position; -1 outside the text.
    int32_t Tnum(int32_t position) const;
    // Overwrites the numbered text at position (ignored outside the text); the occurrence index follows.
    void SetTnum(int32_t position, int32_t valeur);
    // The whole numbered text (Nbitem() values), for walks that read every position.
    const int32_t* TexteNum() const { return m_tnum.get(); }
    Lexm RetourneLexmAtPos(int32_t position) const;
    int32_t RetourneFrqAtPos(int32_t position) const;
    // The graphie at position if its entry is below the limit (see RetourneGraphie), else null.
    const char* RetourneGraphieAtPos(int32_t position, bool premiersSeuls) const;
    // The graphie of the form or punctuation sign at position, without a copy; empty for anything else.
    // Inline: the contexts of a concordance read millions of them.
    std::string_view GraphieFormeAtPos(int32_t position) const {
        if (position < 0 || position >= m_nbitem || !m_tnum) return {};
        const int32_t entree = m_tnum[static_cast<size_t>(position)];
        if (entree < 0 || entree >= m_nbform + m_nbartponct) return {};
        return GraphieRangee(entree);
    }
    // Asks the processor to bring in, ahead of their reading, what the graphies of the items within
    // etendue of position read: at etape 0 the text around position, at 1 the graphies' places (reading
    // the text), at 2 their bytes (reading their places). A walk over scattered positions calls the
    // three steps a few positions apart, so that the reads of each overlap the work on the others.
    void PrepareGraphies(int32_t position, int32_t etendue, int32_t etape) const;
    // Every position of an entry, ascending (a segment entry through the attached segments).
    std::vector<int32_t> LocOccFor(int32_t entree) const;
    // Every position of any of the nb entries, ascending, each once.
    std::vector<int32_t> LocOccFor(const int32_t* entrees, int32_t nb) const;
    std::vector<int32_t> LocOccFor(const std::vector<int32_t>& entrees) const {
        return LocOccFor(entrees.data(), static_cast<int32_t>(entrees.size()));
    }
    // The ascending positions of a dictionary entry read in place from the occurrence index; empty
    // outside 0 to Nbart() - 1. Valid until the next SetTnum or DesAlloc.
    std::span<const int32_t> Occurrences(int32_t entree) const;

    // Reorders the n positions by their context in direction sens (+1 right, -1 left), passing over
    // values above limite; does nothing when sens is 0.
    void TriCont(int32_t* positions, int32_t n, int32_t sens, int32_t limite) const;
    void TriCont(std::vector<int32_t>& positions, int32_t sens, int32_t limite) const {
        TriCont(positions.data(), static_cast<int32_t>(positions.size()), sens, limite);
    }
    // 1 when p1 may stay before p2, 0 when they must swap. A strict order: lexicographic ranks of the
    // context items; a context that reaches an end of the text comes before any context that goes on;
    // contexts equal up to both ends are ordered by position.
    int32_t Compar(int32_t p1, int32_t p2, int32_t sens, int32_t limite) const;

    // Attaches the repeated segments (borrowed; null detaches them).
    void AssigneSR(const FournisseurSegments* segments);
    const FournisseurSegments* Segments() const { return m_segments; }

  private:
    bool LitDictionnaire(const std::string& contenu);
    bool TraduitTexte(std::FILE* f);
    void ConstruitIndexOccurrences() const;
    void RemplitIndexOccurrences() const;
    void ConstruitIndexFormes() const;
    std::vector<int32_t> LitPositions(std::span<const int32_t> entrees) const;
    void AppelleGauge(int32_t valeur) const {
        if (m_gauge) m_gauge(valeur);
    }
    // True, the stop noted, once the loading is asked to stop.
    bool ArretDemande() {
        m_arretee = m_arretee || Arrete(m_arret);
        return m_arretee;
    }
    int32_t RangContexte(int32_t valeur) const;
    std::string_view GraphieRangee(int32_t entree) const {
        const uint64_t g = m_graphies[static_cast<size_t>(entree)];
        return {m_ftext.get() + (g >> 8), static_cast<size_t>(g & 0xFF)};
    }

    std::string m_nomBase;
    std::string m_dossier;
    int32_t m_limd = 0;
    int32_t m_codePonct = 0;     // m_limd - 1
    int32_t m_codeSautLigne = 0; // m_limd - 258
    std::unique_ptr<int32_t[]> m_tnum;
    // Gives back a table that NouvelleTable took (its values need no destruction).
    struct LibereTable {
        void operator()(void* table) const noexcept { ::operator delete(table); }
    };
    std::unique_ptr<Lexm[], LibereTable> m_lexm;
    // Each entry's graphie as its offset in m_ftext times 256 plus its length (at most LongueurMaxCle):
    // a graphie is read in one load of 8 bytes, without looking for its end.
    std::unique_ptr<uint64_t[]> m_graphies;
    int32_t m_nbform = 0, m_nbitem = 0, m_nbart = 0, m_fmax = 0, m_nhap = 0, m_nbocc = 0;
    int32_t m_nbartponct = 0, m_nbcle = 0, m_nbctnu = 0, m_nbitemSansAnnot = 0;
    int32_t m_nbformsup = 0;
    int32_t m_nblignes = 0;
    std::unique_ptr<int32_t[]> m_list;
    std::unique_ptr<char[]> m_ftext;
    int64_t m_tailleFtext = 0;
    int32_t m_carteponct[256];
    const FournisseurSegments* m_segments = nullptr;
    Progression m_gauge;
    const Arret* m_arret = nullptr;
    bool m_arretee = false; // the last loading stopped on demand
    bool m_charge = false;

    // The indexes below are built on first use, by whichever thread asks first (the workbench reads a base
    // on its interface thread while a long command reads it on a worker): under this lock, their flags
    // set once they are whole.
    mutable std::mutex m_verrouIndex;
    // Occurrence index: the positions of entry e are m_positions[m_debuts[e] .. m_debuts[e + 1]).
    mutable std::vector<int32_t> m_debuts;
    mutable std::unique_ptr<int32_t[]> m_positions;
    mutable std::atomic<bool> m_indexAJour = false;
    // The forms sorted by graphie (bytes), then by number, for LocFormDic once it has looked up a few
    // forms one by one.
    mutable std::vector<int32_t> m_formesTriees;
    mutable std::atomic<bool> m_formesTrieesPretes = false;
    mutable std::atomic<int32_t> m_recherchesSansIndex = 0;
    // The groups whose positions were read from the text while the index was not built.
    mutable std::atomic<int32_t> m_lecturesSansIndex = 0;
};

} // namespace t3
