#include "engine/explore/CalculSegments.h"

#include "engine/corpus/charg1.h"
#include "engine/explore/SegRep.h"

#include <atomic>
#include <bit>
#include <cstdio>
#include <cstring>

namespace t3 {

namespace {

// The whole locations file of a computation: 4 × (sum of the frequencies) bytes of little-endian
// positions, segment after segment. False when it cannot be read or does not hold them all.
bool LitPositions(const std::string& chemin, const std::vector<Segment>& segments,
                  std::vector<int32_t>& positions) {
    int64_t total = 0;
    for (const Segment& s : segments)
        total += s.frequence;
    positions.assign(static_cast<size_t>(total), 0);
    std::FILE* f = std::fopen(chemin.c_str(), "rb");
    if (f == nullptr) return false;
    const size_t lus = total > 0 ? std::fread(positions.data(), sizeof(int32_t), positions.size(), f) : 0;
    std::fclose(f);
    if (lus != positions.size()) return false;
    if constexpr (std::endian::native == std::endian::big)
        for (int32_t& p : positions)
            p = static_cast<int32_t>(__builtin_bswap32(static_cast<uint32_t>(p)));
    return true;
}

std::atomic<uint64_t> s_dernierIdentifiant{0};

} // namespace

IndexTextesSegments::IndexTextesSegments(const charg1& base, const FournisseurSegments& segments) {
    const int32_t n = segments.NbSegments();
    std::vector<size_t> fins;
    fins.reserve(static_cast<size_t>(n));
    for (int32_t k = 0; k < n; ++k) {
        for (const int32_t forme : segments.FormesSegment(k)) {
            m_textes += base.Graphie(forme);
            m_textes += ' ';
        }
        fins.push_back(m_textes.size());
    }
    // The views are taken once the block no longer grows.
    m_index.reserve(fins.size());
    size_t debut = 0;
    for (int32_t k = 0; k < n; ++k) {
        const size_t fin = fins[static_cast<size_t>(k)];
        m_index.try_emplace(std::string_view(m_textes).substr(debut, fin - debut), k);
        debut = fin;
    }
}

int32_t IndexTextesSegments::Cherche(std::string_view texte) const {
    const auto trouve = m_index.find(texte);
    return trouve == m_index.end() ? -1 : trouve->second;
}

CalculSegments::CalculSegments(const charg1& base, std::vector<Segment> segments,
                               std::vector<int32_t> positions, std::set<int32_t> delimiteurs,
                               int32_t seuilSegments)
    : m_base(&base), m_segments(std::move(segments)), m_positions(std::move(positions)),
      m_delimiteurs(std::move(delimiteurs)), m_seuilSegments(seuilSegments),
      m_identifiant(++s_dernierIdentifiant) {
    m_debuts.reserve(m_segments.size());
    int64_t debut = 0;
    for (const Segment& s : m_segments) {
        m_debuts.push_back(debut);
        debut += s.frequence;
    }
}

Resultat<std::shared_ptr<const CalculSegments>> CalculSegments::Depuis(const SegRep& sr, const charg1& base) {
    std::vector<int32_t> positions;
    const std::string chemin = base.CheminFichier(SegRep::SuffixeLoc);
    if (!LitPositions(chemin, sr.Segments(), positions))
        return Echec{SegmentsNonEcrits,
                     "le fichier " + chemin + " ne peut être relu ; aucun segment n'est gardé."};
    return std::make_shared<const CalculSegments>(base, sr.Segments(), std::move(positions), sr.Delimiteurs(),
                                                  sr.SeuilSegments());
}

std::vector<int32_t> CalculSegments::FormesSegment(int32_t k) const {
    return EstSegment(k) ? m_segments[static_cast<size_t>(k)].formes : std::vector<int32_t>{};
}

std::span<const int32_t> CalculSegments::Occurrences(int32_t k) const {
    if (!EstSegment(k)) return {};
    return std::span<const int32_t>(m_positions)
        .subspan(static_cast<size_t>(m_debuts[static_cast<size_t>(k)]),
                 static_cast<size_t>(m_segments[static_cast<size_t>(k)].frequence));
}

std::vector<int32_t> CalculSegments::LocOccSeg(int32_t k) const {
    const std::span<const int32_t> occurrences = Occurrences(k);
    return {occurrences.begin(), occurrences.end()};
}

std::string CalculSegments::RetourneGraphie(int32_t k) const {
    std::string texte;
    if (!EstSegment(k)) return texte;
    for (const int32_t forme : m_segments[static_cast<size_t>(k)].formes) {
        texte += m_base->Graphie(forme);
        texte += ' ';
    }
    return texte;
}

int32_t CalculSegments::ChercheTexte(std::string_view texte) const {
    std::call_once(m_indexFait, [this] { m_index = std::make_unique<IndexTextesSegments>(*m_base, *this); });
    return m_index->Cherche(texte);
}

Resultat<std::shared_ptr<const CalculSegments>> CalculeSegments(charg1& base,
                                                                const std::set<int32_t>& delimiteurs,
                                                                int32_t seuilFormes, int32_t seuilSegments,
                                                                Progression gauge, const Arret* arret) {
    SegRep sr(&base, delimiteurs);
    sr.AttribGauge(std::move(gauge));
    sr.AttribArret(arret);
    const bool calcules = sr.CalcSegRep(seuilFormes, seuilSegments);
    if (Arrete(arret)) return EchecArrete();
    if (!calcules)
        return Echec{SegmentsNonEcrits, "les fichiers " + sr.NomFichierLoc() + " et " + sr.NomFichierDesc() +
                                            " ne peuvent être écrits ; aucun segment n'est calculé."};
    return CalculSegments::Depuis(sr, base);
}

std::shared_ptr<const CalculSegments> SegmentsAttaches(const charg1& base) {
    const auto* calcul = dynamic_cast<const CalculSegments*>(base.Segments());
    return calcul != nullptr ? calcul->weak_from_this().lock() : nullptr;
}

bool EntreesResolubles(const charg1& base, uint64_t identifiant, std::span<const int32_t> entrees) {
    bool segments = false;
    for (const int32_t e : entrees) {
        if (e < 0) return false;
        if (e < base.Nbart()) continue;
        if (e - base.Nbart() - 1 < 0 || e - base.Nbart() - 1 >= base.NbFormSup()) return false;
        segments = true;
    }
    return !segments || (identifiant != 0 && identifiant == IdentifiantSegments(base));
}

} // namespace t3
