#pragma once
// A partition of the text by one key type: one part per distinct content of that type, the spans of
// text that belong to each part, the main characteristics of every part, and the table of forms by
// parts. The table keeps only its non-zero cells: per form, the (part, frequency) pairs in increasing
// part order. The characteristics and the table are each made on their first use: a concordance
// grouped by parts needs only the spans, and listing the parts (a command, the statistics window
// opening) only the characteristics.
#include "engine/Globaux.h"

#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

namespace t3 {

class charg1;

// A stretch of text that belongs to one part: from its first position up to the next span's.
struct Span {
    int32_t partie;
    int32_t debut;
    int32_t libre; // filled on demand by PremierIndexParSpan
};

// A non-zero cell of the table of forms by parts.
struct CelluleForme {
    int32_t partie;
    int32_t frequence;
};

class Partition {
  public:
    inline static constexpr int32_t FreqMinInitiale = 10;
    inline static constexpr int32_t SeuilInitial = 5;
    inline static constexpr Couleur CouleurInitiale = CouleurRGB(0, 0, 255);

    // Builds the partition of the loaded base by the key type entry cleType. A key type that does not
    // occur gives a partition with no part and no span.
    Partition(const charg1* base, int32_t cleType);
    Partition(const Partition&) = delete;
    Partition& operator=(const Partition&) = delete;

    const charg1* Base() const { return m_base; }
    int32_t CleType() const { return m_cleType; }
    int32_t NbParties() const { return static_cast<int32_t>(m_contenus.size()); }
    // Spans of the text, without the sentinel.
    int32_t NbSpans() const { return static_cast<int32_t>(m_spans.size()) - 1; }
    // The spans followed by the sentinel (part NbParties() + 1, first position Nbitem()).
    const std::vector<Span>& Spans() const { return m_spans; }
    // The key content entry that names each part, in increasing entry number.
    const std::vector<int32_t>& Contenus() const { return m_contenus; }
    int32_t Contenu(int32_t partie) const { return Dans(partie) ? m_contenus[Ix(partie)] : -1; }

    // Characteristics of a part (0 outside the parts), counted by the first call of any of them.
    int32_t NbOccPartie(int32_t partie) const { return Lit(m_occurrences, partie); }
    int32_t NbFormesPartie(int32_t partie) const { return Lit(m_formes, partie); }
    int32_t NbHapaxPartie(int32_t partie) const { return Lit(m_hapax, partie); }
    int32_t FmaxPartie(int32_t partie) const { return Lit(m_fmax, partie); }
    // The most frequent form of the part (the smallest number among equals; 0 for an empty part).
    int32_t FormeMaxPartie(int32_t partie) const { return Lit(m_formeMax, partie); }
    const std::vector<int32_t>& Occurrences() const {
        LitCaracteristiques();
        return m_occurrences;
    }

    // The part of a position; -1 for a negative position or one beyond the last span.
    int32_t PartieDePosition(int32_t position) const;
    // The part of the span that holds a position, as the frequencies of entries that are not forms count
    // it: -1 beyond the last span and, unlike PartieDePosition, before the first one.
    int32_t PartieDansLesSpans(int32_t position) const;
    // The number of the nb sorted positions that lie in span s; 0 when s is not a span.
    int32_t CompteDansSpan(const int32_t* positions, int32_t nb, int32_t span) const;
    // The frequency of an entry in a part: from the table for a form, from the entry's positions
    // counted over the spans of the part otherwise (segment entries above all).
    int32_t Frequence(int32_t entree, int32_t partie) const;
    // The number of the nb sorted positions (a group of forms) that lie in the spans of the part.
    int32_t FrequenceGroupe(const int32_t* positions, int32_t nb, int32_t partie) const;
    int32_t FrequenceGroupe(const std::vector<int32_t>& positions, int32_t partie) const {
        return FrequenceGroupe(positions.data(), static_cast<int32_t>(positions.size()), partie);
    }
    // The non-zero cells of a form, in increasing part order; empty for anything but a form. The first
    // call builds the table of forms by parts.
    std::span<const CelluleForme> CellulesForme(int32_t forme) const;
    // The spans of a part, as indexes into Spans(), in text order.
    std::span<const int32_t> SpansDePartie(int32_t partie) const;
    // For each span, the index in the sorted list of the first position at or after the span's first
    // position, stored in the span's free field; the sentinel gets nb.
    void PremierIndexParSpan(const int32_t* positions, int32_t nb);

    // Flags, colours and parameters that the partition and specificity windows change.
    bool Reference(int32_t partie) const { return Lit8(m_reference, partie) != 0; }
    bool Selection(int32_t partie) const { return Lit8(m_selection, partie) != 0; }
    void SetReference(int32_t partie, bool oui) { Ecrit8(m_reference, partie, oui); }
    void SetSelection(int32_t partie, bool oui) { Ecrit8(m_selection, partie, oui); }
    // The flag arrays themselves (one byte per part), for computations that keep views of them.
    uint8_t* DrapeauxReference() { return m_reference.data(); }
    uint8_t* DrapeauxSelection() { return m_selection.data(); }
    const uint8_t* DrapeauxReference() const { return m_reference.data(); }
    const uint8_t* DrapeauxSelection() const { return m_selection.data(); }
    Couleur CouleurPartie(int32_t partie) const { return Dans(partie) ? m_couleurs[Ix(partie)] : 0; }
    void SetCouleurPartie(int32_t partie, Couleur couleur) {
        if (Dans(partie)) m_couleurs[Ix(partie)] = couleur;
    }
    int32_t FreqMin() const { return m_freqMin; }
    void SetFreqMin(int32_t valeur) { m_freqMin = valeur; }
    int32_t Seuil() const { return m_seuil; }
    void SetSeuil(int32_t valeur) { m_seuil = valeur; }

  private:
    std::vector<int32_t> PositionsCles() const;
    void LitContenus(const std::vector<int32_t>& cles);
    void LitSpans(const std::vector<int32_t>& cles);
    void Caracteristiques() const;
    void LitCaracteristiques() const {
        std::call_once(m_caracteristiquesLues, [this] { Caracteristiques(); });
    }
    void ConstruitTable() const;
    struct FormeFrequence {
        int32_t forme;
        int32_t frequence;
    };
    template <typename Fin> void ParcoursParties(Fin&& fin) const;
    void NoteCaracteristiques(int32_t partie, int32_t occurrences,
                              std::span<const FormeFrequence> formes) const;
    bool Dans(int32_t partie) const { return partie >= 0 && partie < NbParties(); }
    static size_t Ix(int32_t i) { return static_cast<size_t>(i); }
    int32_t Lit(const std::vector<int32_t>& caracteristique, int32_t partie) const {
        LitCaracteristiques();
        return Dans(partie) ? caracteristique[Ix(partie)] : 0;
    }
    int32_t Lit8(const std::vector<uint8_t>& v, int32_t partie) const {
        return Dans(partie) ? v[Ix(partie)] : 0;
    }
    void Ecrit8(std::vector<uint8_t>& v, int32_t partie, bool oui) {
        if (Dans(partie)) v[Ix(partie)] = oui ? 1 : 0;
    }
    // The span that holds a position (the first span for the items before it); -1 beyond the text.
    int32_t SpanDePosition(int32_t position) const;

    const charg1* m_base;
    int32_t m_cleType;
    std::vector<int32_t> m_contenus;
    std::vector<Span> m_spans;
    // Table of forms by parts: the cells of form f are m_cellules[m_debutsFormes[f] .. m_debutsFormes[f+1]),
    // built once, by the first call that needs it.
    mutable std::once_flag m_tableConstruite;
    mutable std::vector<int32_t> m_debutsFormes;
    mutable std::vector<CelluleForme> m_cellules;
    // The spans of each part: m_spansParties[m_debutsParties[p] .. m_debutsParties[p+1]).
    std::vector<int32_t> m_debutsParties;
    std::vector<int32_t> m_spansParties;
    std::vector<uint8_t> m_reference;
    std::vector<uint8_t> m_selection;
    std::vector<Couleur> m_couleurs;
    int32_t m_freqMin = FreqMinInitiale;
    int32_t m_seuil = SeuilInitial;
    // The characteristics of the parts, counted once, by the first call that needs them: a
    // concordance grouped by parts needs only the spans.
    mutable std::once_flag m_caracteristiquesLues;
    mutable std::vector<int32_t> m_occurrences;
    mutable std::vector<int32_t> m_formes;
    mutable std::vector<int32_t> m_hapax;
    mutable std::vector<int32_t> m_fmax;
    mutable std::vector<int32_t> m_formeMax;
};

} // namespace t3
