#pragma once
// One computation of repeated segments kept whole in memory: the segment list, the positions of every
// occurrence and a number that no other computation of the process takes.
//
// The segment finder writes the positions into bn".loc.sr" beside the base, and a second computation
// rewrites that file. A CalculSegments reads them back once, so that what a segments window shows and
// drags stays that of its own computation whatever follows: the window keeps a shared_ptr to it, the
// loader numbers the segments of the one attached to it (charg1::AssigneSR), and a group carrying
// segment entries says which computation they come from (Identifiant), so that a drop target refuses
// the entries of another computation instead of reading other segments under the same numbers.
//
// Typical use:
//   auto calcul = CalculeSegments(base, JeuDelimiteursSR(base), 10, 10, gauge);
//   if (!calcul) show(calcul.Message());
//   else if ((*calcul)->NbSegments() == 0) show("Aucun segment trouvé!");
//   else { held = *calcul; base.AssigneSR(held.get()); open the window on held; }
#include "engine/corpus/FournisseurSegments.h"
#include "engine/explore/Segment.h"
#include "engine/socle/Arret.h"
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace t3 {

class charg1;
class SegRep;

// Code of the failure of CalculeSegments: the files of the segments cannot be written or read back.
inline constexpr int32_t SegmentsNonEcrits = 1;

// The segments' texts (forms each followed by one blank), for lookups by text: the first segment of a
// text in list order.
class IndexTextesSegments {
  public:
    IndexTextesSegments(const charg1& base, const FournisseurSegments& segments);
    // The segment whose text is texte; -1 when none.
    int32_t Cherche(std::string_view texte) const;

  private:
    std::unordered_map<std::string_view, int32_t> m_index; // views into m_textes
    std::string m_textes;
};

class CalculSegments : public FournisseurSegments, public std::enable_shared_from_this<CalculSegments> {
  public:
    // Copies the list of a finished computation and reads the positions of all its segments back from
    // its locations file; SegmentsNonEcrits with a French message naming the file when they cannot be.
    static Resultat<std::shared_ptr<const CalculSegments>> Depuis(const SegRep& sr, const charg1& base);

    int32_t NbSegments() const override { return static_cast<int32_t>(m_segments.size()); }
    std::vector<int32_t> FormesSegment(int32_t k) const override;
    std::vector<int32_t> LocOccSeg(int32_t k) const override;
    // The ascending positions of segment k without a copy; empty when k is not a segment.
    std::span<const int32_t> Occurrences(int32_t k) const;
    // The list in the order the finder gave it; positions are not read through its locations.
    const std::vector<Segment>& Segments() const { return m_segments; }
    // The graphies of the forms of segment k, each followed by one blank; empty when k is not a segment.
    std::string RetourneGraphie(int32_t k) const;
    // The first segment whose text is texte; -1 when none. The index is made by the first call.
    int32_t ChercheTexte(std::string_view texte) const;

    // A number of this computation that no other computation of the process has (from 1).
    uint64_t Identifiant() const override { return m_identifiant; }
    const std::set<int32_t>& Delimiteurs() const { return m_delimiteurs; }
    int32_t SeuilSegments() const { return m_seuilSegments; }
    const charg1& Base() const { return *m_base; }

    CalculSegments(const charg1& base, std::vector<Segment> segments, std::vector<int32_t> positions,
                   std::set<int32_t> delimiteurs, int32_t seuilSegments);

  private:
    bool EstSegment(int32_t k) const { return k >= 0 && k < NbSegments(); }

    const charg1* m_base;
    std::vector<Segment> m_segments;
    std::vector<int64_t> m_debuts; // positions of segment k: m_positions[m_debuts[k] .. + frequence)
    std::vector<int32_t> m_positions;
    std::set<int32_t> m_delimiteurs;
    int32_t m_seuilSegments;
    uint64_t m_identifiant;
    mutable std::once_flag m_indexFait;
    mutable std::unique_ptr<IndexTextesSegments> m_index;
};

// Computes the repeated segments of the base (SegRep::CalcSegRep) and keeps them in memory; the files
// beside the base are written as the finder writes them. No segment found: a computation of 0 segments.
// The files cannot be written or read back: SegmentsNonEcrits and a French message naming them. A stop
// asked: EchecArrete.
Resultat<std::shared_ptr<const CalculSegments>>
CalculeSegments(charg1& base, const std::set<int32_t>& delimiteurs, int32_t seuilFormes,
                int32_t seuilSegments, Progression gauge = {}, const Arret* arret = nullptr);

// The computation attached to the loader, shared with whoever attached it; null when none is, or when
// the attached segments are not a CalculSegments made by CalculeSegments or Depuis.
std::shared_ptr<const CalculSegments> SegmentsAttaches(const charg1& base);
// Whether entries taken from the computation `identifiant` (0: taken when no segments were attached)
// stand for the same things in the loader now: true when none of them is a segment entry (above
// Nbart()), or when the loader's attached computation is that one and every segment entry is one of its
// segments. A drop target refuses the entries otherwise.
bool EntreesResolubles(const charg1& base, uint64_t identifiant, std::span<const int32_t> entrees);

} // namespace t3
