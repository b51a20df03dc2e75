#pragma once
// The repeated segments of a loaded base: sequences of 2 to 11 consecutive forms, read between sequence
// delimiters, that occur at least a threshold number of times and cannot be lengthened on either side
// without losing occurrences. The list stays in memory; the text positions of the occurrences go to the
// locations file bn".loc.sr" beside the base, from which they are read back on demand. The loader takes
// the list through charg1::AssigneSR and numbers segment k as the entry Nbart() + 1 + k.
#include "engine/corpus/FournisseurSegments.h"
#include "engine/explore/FichierPositions.h"
#include "engine/explore/Segment.h"
#include "engine/socle/Arret.h"
#include "engine/socle/Resultat.h"

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace t3 {

class charg1;
class Tgen;

class SegRep : public FournisseurSegments {
  public:
    // The files of the segments follow the base's name: bn".loc.sr", bn".desc.sr".
    inline static constexpr std::string_view SuffixeLoc = ".loc.sr";
    inline static constexpr std::string_view SuffixeDesc = ".desc.sr";

    // Keeps the loader (borrowed, and loaded) and a copy of the delimiter set: an entry of the set ends a
    // segment, every other entry that is not a form is passed over. Reads the entries' sort codes.
    SegRep(charg1* base, const std::set<int32_t>& delimiteurs);
    ~SegRep() override;
    SegRep(const SegRep&) = delete;
    SegRep& operator=(const SegRep&) = delete;

    // The progress of CalcSegRep: called with 0 about every 1 % of the forms that begin a search.
    void AttribGauge(Progression gauge) { m_gauge = std::move(gauge); }
    // A stop asked (checked where the gauge steps) ends CalcSegRep with false and no segment listed.
    void AttribArret(const Arret* arret) { m_arret = arret; }

    // Computes the whole list: every form of frequency at least seuilFormes begins the search, and the
    // segments found at least seuilSegments times are listed. Creates bn".loc.sr" and bn".desc.sr" anew.
    // False when either file cannot be created or the locations cannot be written: the list is then
    // empty. The forms are searched on several threads when the machine has several cores, with the
    // same list and files.
    bool CalcSegRep(int32_t seuilFormes, int32_t seuilSegments);
    // The segments that begin with a form of the group (the list and the threshold of this SegRep).
    std::vector<Segment> CalcTgenSR(const Tgen* groupe);
    // The segments whose first form is at one of the n positions; reorders the positions (by their
    // right contexts) and drops those outside the text. Nothing is read when n is 0.
    std::vector<Segment> SelSegRep(int32_t* positions, int32_t n);
    // Fills the reading window of the occurrence at position; all slots hold SansForme outside the text.
    void LectSeg(FenetreSeg& fenetre, int32_t position) const;
    // The ascending positions of segment k, read back from the locations file; empty when the file is
    // closed or k is not a segment.
    std::vector<int32_t> LocOccSeg(int32_t k) const override;
    // The graphies of the forms of segment k, each followed by one blank; empty when k is not a segment.
    std::string RetourneGraphie(int32_t k) const;

    int32_t NbSegments() const override { return static_cast<int32_t>(m_liste.size()); }
    std::vector<int32_t> FormesSegment(int32_t k) const override;
    const std::vector<Segment>& Segments() const { return m_liste; }
    const std::set<int32_t>& Delimiteurs() const { return m_delimiteurs; }
    int32_t SeuilSegments() const { return m_seuilSegments; }
    // The names of the two files as the trace gives them; they lie in the base's folder, at
    // charg1::CheminFichier(SuffixeLoc) and charg1::CheminFichier(SuffixeDesc).
    const std::string& NomFichierLoc() const { return m_nomLoc; }
    const std::string& NomFichierDesc() const { return m_nomDesc; }

  private:
    // The segments found among a set of positions, before their positions are written: the location of
    // each segment is the index of its first position in positions, where its positions follow each
    // other in ascending order.
    struct Trouvailles {
        std::vector<Segment> segments;
        std::vector<int32_t> positions;
    };
    bool EstDelimiteur(int32_t valeur) const;
    bool EstSegment(int32_t k) const { return k >= 0 && k < NbSegments(); }
    // The work space of a search, kept from one form to the next so that its memory is taken once.
    struct Brouillon;
    // Reads the windows of the positions debut to fin (excluded) into brouillon.
    void LitFenetres(const int32_t* positions, int32_t debut, int32_t fin, Brouillon& brouillon) const;
    // Keeps, in their order and with their windows (read), the positions of one form followed by a form
    // that follows it at least the segment threshold of times, and gives their number. A segment is at
    // least two forms long and all its occurrences share the second form: the other positions can
    // belong to no segment, and since they come together in the sort, by their second form, leaving
    // them out changes no run.
    int32_t GardeSuitesFrequentes(int32_t* positions, int32_t n, Brouillon& brouillon) const;
    // Orders the positions so that equal windows come next to each other; the window of the i-th
    // position is then brouillon.fenetres[brouillon.elements[i].indice].
    void TriParContexte(int32_t* positions, int32_t n, Brouillon& brouillon) const;
    // A window read as sort codes (CodeLu): slot 0 the left neighbour's, slots 1 to 11 those of the
    // forms from the occurrence on, then CodeDelimiteur() in the next slot when a delimiter ended the
    // window; 0 in every other slot. The forms' codes are distinct, from 1 to Nbart().
    using FenetreCodes = std::array<uint32_t, LongueurMaxSegment + 1>;
    // The window at position (which must be within the text), read as LectSeg reads it.
    void LitCodes(FenetreCodes& fenetre, int32_t position) const;
    bool EstCodeForme(uint32_t code) const { return code != 0 && code != CodeDelimiteur(); }
    // The sort code of an item of the text as a window reads it: 1 + the lexicographic rank of a form,
    // CodeDelimiteur() for a delimiter that ends a window, CodePasse for an item passed over.
    uint32_t CodeLu(int32_t valeur) const {
        if (static_cast<uint32_t>(valeur) < m_codes.size()) return m_codes[static_cast<size_t>(valeur)];
        return valeur <= m_limiteCles && EstDelimiteur(valeur) ? CodeDelimiteur() : CodePasse;
    }
    static constexpr uint32_t CodePasse = UINT32_MAX;
    uint32_t CodeDelimiteur() const { return m_codeDelimiteur; }
    // Sorts the positions debut to fin (excluded) of one entry, whose windows are read, by the codes
    // of their windows slot by slot, then by position.
    void TriParFenetre(int32_t* positions, int32_t debut, int32_t fin, Brouillon& brouillon) const;
    // Closes the runs of lengths premiereLongueur to 11 at the occurrence of index m of the sorted
    // positions, adds those that qualify to trouvailles, then opens new runs of those lengths on the
    // current window. The runs' neighbours are codes.
    void EdiSeg(int32_t premiereLongueur, CoursesSeg& courses, const int32_t* positions, int32_t m,
                const FenetreCodes& precedente, const FenetreCodes& courante, Trouvailles& trouvailles) const;
    // The search of SelSegRep, without writing: it only reads the base and this SegRep, so that
    // several threads may search at once. dUneForme: the positions are those of one form, which may
    // be dropped (GardeSuitesFrequentes).
    void Cherche(int32_t* positions, int32_t n, bool dUneForme, Trouvailles& trouvailles,
                 Brouillon& brouillon) const;
    // Writes the positions of the segments found at the end of the locations file, in their order, and
    // appends to liste those whose positions were written.
    void Ecrit(Trouvailles& trouvailles, std::vector<Segment>& liste);
    // Writes the positions of one segment, ascending, at the end of the locations file; false when they
    // cannot be written or their offset would not fit the segment record.
    bool EcritPositions(const int32_t* positions, int32_t nombre, int32_t& location);
    // The searches of CalcSegRep for the n most frequent forms, spread over threads, their findings
    // written in the order of the forms.
    void CalculeEnParallele(int32_t n, int nbFils);

    charg1* m_base;
    std::set<int32_t> m_delimiteurs;
    std::vector<char> m_estDelimiteur;  // the set as flags over the dictionary entries, for the walks
    std::vector<uint32_t> m_codes;      // CodeLu of each dictionary entry
    int32_t m_limiteCles = 0;           // items above it are passed over by the windows
    uint32_t m_codeDelimiteur = 1;      // Nbart() + 1
    std::vector<int32_t> m_formeDuCode; // the form of each form's code
    bool m_delimiteurHorsDico = false;  // the set holds values beyond the dictionary
    int32_t m_seuilSegments = 0;
    std::vector<Segment> m_liste;
    mutable FichierPositions m_loc; // reads move its position
    FichierPositions m_desc;        // created with the list, never written
    std::string m_nomLoc, m_nomDesc;
    bool m_ecritureEnErreur = false;
    Progression m_gauge;
    const Arret* m_arret = nullptr;
    bool Avance(int32_t& compteur, int32_t pas) const;
};

} // namespace t3
