#pragma once
// Where the section map draws its boxes: one square box of side s (7 to 25 pixels) per section, in rows
// of 50 from x = 20. Boxes step by d = floor(1.3 s) and by 2 more pixels after every tenth box of a row;
// a row ends with the number of its last section written at (x + 5, y - 2), x being past the row; rows
// step by d and by 2 more after every hundredth section. The first row is at y = 5.
//
// With a partition the sections are drawn in runs, each under a red header: the run keeps the columns
// its sections have in rows of 50, its header line is at y + 5 (key type written at (x, y - 3), a red
// line from there to XFinEntete() at height y + 2, the part at (XFinEntete() + 5, y - 3)), its boxes
// begin 12 pixels lower, and the next run begins floor(1.3 s) + floor(s / 2) below the y reached by the
// last row.
//
// Nothing is kept per section: the position of any box, the box under a point and the sections within
// a band of the surface are computed from the section's number (and the run that holds it, found by a
// binary search), so that a map of a million sections paints and answers clicks as fast as a small one.
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace t3 {

// The top-left corner of a box.
struct PositionBoite {
    int32_t x;
    int32_t y;
};

// The number written at the end of a full row, at (x, y).
struct NumeroDeRang {
    int32_t numero;
    int32_t x;
    int32_t y;
};

// The header of a run: its key type is written at (x, y - 3), its red line runs at height y + 2 up to
// XFinEntete(), its part is written at (XFinEntete() + 5, y - 3).
struct EnteteSerie {
    int32_t serie;
    int32_t x;
    int32_t y;
};

class DispositionCarte {
  public:
    inline static constexpr int32_t TailleMin = 7;
    inline static constexpr int32_t TailleMax = 25;
    inline static constexpr int32_t TailleInitiale = 9;
    inline static constexpr int32_t BoitesParRang = 50;

    // Without a partition. The box size is brought within 7 to 25.
    DispositionCarte(int32_t nbSections, int32_t taille);
    // With a partition: premieres holds the first section of each run, ascending, the first being 0; a
    // run ends where the next begins, the last at nbSections. Empty runs keep their header. No run at all
    // lays the map out as without a partition.
    DispositionCarte(int32_t nbSections, int32_t taille, std::vector<int32_t> premieres);

    int32_t NbSections() const { return m_nbSections; }
    int32_t Taille() const { return m_taille; }
    // The step between boxes and between rows: floor(1.3 s).
    int32_t Pas() const { return m_pas; }
    bool AvecSeries() const { return m_avecSeries; }
    int32_t NbSeries() const { return m_avecSeries ? static_cast<int32_t>(m_premieres.size()) : 0; }

    // The drawing surface: floor(50 s 1.3 + 125) wide; floor(floor(n / 50) s 1.3 + 75) high without a
    // partition, floor(1.3 s floor(n / 50) + r (1.3 s + 20) + 75) with r runs; never less than what the
    // drawing reaches (the 2 pixels every hundred sections, or many short runs, outgrow that margin).
    int32_t Largeur() const;
    int32_t Hauteur() const;
    // Where the red line of a run's header ends: floor(50 s 1.3 + 28).
    int32_t XFinEntete() const;

    // The box of a section; none outside 0 to n - 1.
    std::optional<PositionBoite> Position(int32_t section) const;
    // The section whose box holds the point (its side s, right and bottom edges excluded); -1 for a point
    // between boxes, on a header or a number, or outside the map.
    int32_t SectionEn(int32_t x, int32_t y) const;
    // The sections whose boxes meet the band of the surface from y0 up to y1 (excluded): [first, end),
    // empty when none; sections follow each other from top to bottom, so they are consecutive.
    std::pair<int32_t, int32_t> SectionsVisibles(int32_t y0, int32_t y1) const;
    // The row numbers and run headers whose texts (at most hauteurTexte pixels high, from 3 pixels above
    // their y) meet the band from y0 up to y1.
    std::vector<NumeroDeRang> NumerosVisibles(int32_t y0, int32_t y1, int32_t hauteurTexte = 12) const;
    std::vector<EnteteSerie> EntetesVisibles(int32_t y0, int32_t y1, int32_t hauteurTexte = 12) const;

  private:
    int32_t XColonne(int32_t colonne) const;
    // The y of row rang (sections 50 rang to 50 rang + 49) drawn in run j.
    int32_t YRang(int32_t j, int32_t rang) const;
    // The run that holds a section (the last of the runs that begin there).
    int32_t SerieDe(int32_t section) const;
    int32_t FinSerie(int32_t j) const;
    // The smallest section whose box top is at or below y (n when none).
    int32_t PremiereDes(int32_t y) const;
    // The last run whose boxes begin at or above y; -1 when none.
    int32_t DerniereSerieAvant(int32_t y) const;

    int32_t m_nbSections;
    int32_t m_taille;
    int32_t m_pas;
    bool m_avecSeries = false;
    // Per run (a single run from section 0 without a partition): first section, y of its first row.
    std::vector<int32_t> m_premieres;
    std::vector<int32_t> m_yBoites;
    int32_t m_yFin = 0; // the y that follows the drawing
};

} // namespace t3
