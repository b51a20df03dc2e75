#pragma once
// The geometry and the rules of the factor plane, which the factor plot draws and forwards clicks to:
// the scale that maps the points' values to pixels, the axes with their ticks every 50 units, the label
// boxes under a mouse rectangle, the choice of the factors on the axes, what a rectangle or a colour of
// the grid does to the flags and colours of the partition, and the texts of the factor table and of the
// report pictures.
#include "engine/Globaux.h"
#include "engine/afc/ListePoints.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace t3 {

class Partition;
class charg1;

// The least and greatest of some values ({0, 0} for none).
struct Etendue {
    double min = 0;
    double max = 0;
};
Etendue EtendueValeurs(std::span<const double> valeurs);

// The units between two ticks of the axes.
inline constexpr double PasGraduation = 50;
// The pixels of the plane left free on the right and at the bottom for the last labels.
inline constexpr int32_t MargePlan = 30;

// Maps values to pixels: a point of values (x, y) stands at column (W - 30) (x - least x) / (greatest x -
// least x) and row (H - 30) (greatest y - y) / (greatest y - least y), truncated towards zero. When all
// points share one value on an axis, that axis spans the value ± PasGraduation instead (the points then
// stand in the middle, and a tick each side shows the unit); the difference of two far extremes never
// overflows, and a pixel always fits in 32 bits.
class EchellePlan {
  public:
    EchellePlan(Etendue x, Etendue y, int32_t largeur, int32_t hauteur);
    int32_t Colonne(double x) const;
    int32_t Rangee(double y) const;
    // The extremes after the widening of a degenerate axis.
    const Etendue& EtendueX() const { return m_x; }
    const Etendue& EtendueY() const { return m_y; }
    // W and H.
    int32_t LargeurPlan() const { return m_largeurPlan; }
    int32_t HauteurPlan() const { return m_hauteurPlan; }

  private:
    Etendue m_x, m_y;
    int32_t m_largeurPlan, m_hauteurPlan;
    double m_largeur, m_hauteur; // W - 30 and H - 30, never negative
};

// A tick of an axis: its value and whether it is a long one.
struct Graduation {
    double valeur;
    bool longue;
};
// The ticks of one axis: 50, 100, ... while below the greatest value, then -50, -100, ... while above the
// least, each direction alternating short (first) and long; those between 0 and the extremes, off the
// plane when 0 lies outside them, are left out. None when they would stand less than 2 pixels apart
// (pixelsParPas, the pixels of one step), where they would merge into a bar.
std::vector<Graduation> Graduations(const Etendue& etendue, double pixelsParPas);

// A segment to draw, in pixels.
struct Trait {
    int32_t x1, y1, x2, y2;
};
// The two axes through 0 over the whole plane (largeur x hauteur) and their ticks: at the row of y = 0
// for the x values, a short tick running 3 pixels below, a long one from 3 above to 3 below; at the
// column of x = 0 for the y values, short 3 pixels to the right, long from 3 left to 3 right.
std::vector<Trait> TraitsAxes(const EchellePlan& echelle, int32_t largeur, int32_t hauteur);

// A label box, in pixels of the plane.
struct Boite {
    int32_t x, y, largeur, hauteur;
};
// A label box is as wide and as high as its text plus MargeEtiquette pixels; the text stands
// RetraitEtiquette pixels in from its left and top.
inline constexpr int32_t MargeEtiquette = 7;
inline constexpr int32_t RetraitEtiquette = 3;
// The label box of the point of values (x, y) whose text measures largeurTexte x hauteurTexte pixels: its
// top-left corner at the point's position, moved left or up just enough to keep the box inside the plane
// when the point stands nearer the right or bottom edge than the box's size (the 30 pixels of margin hold
// a short label, not a long one); the point keeps its place. A box larger than the plane starts at its
// left or top edge.
Boite BoiteEtiquette(const EchellePlan& echelle, double x, double y, int32_t largeurTexte,
                     int32_t hauteurTexte);
// A rectangle given by two corners in any order, normalised.
struct Rectangle {
    int32_t gauche, haut, droite, bas;
};
Rectangle Normalise(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// A box meets a rectangle when x + width >= its left, its right >= x, y + height >= its top and its
// bottom >= y (edges touching count).
bool Rencontre(const Boite& boite, const Rectangle& rectangle);
// The indexes of the boxes that meet the rectangle, in order.
std::vector<int32_t> BoitesPrises(std::span<const Boite> boites, const Rectangle& rectangle);

// Choosing a factor for one axis: a factor already on the other axis leaves this one as it was; otherwise
// the axis takes it. True when the axis changed.
bool ChoisitAxeX(TListePoints& points, int32_t facteur);
bool ChoisitAxeY(TListePoints& points, int32_t facteur);

// What a mouse rectangle released on the plane does to the parts picked.
struct GesteSouris {
    bool pinceau = false;  // the brush is down: the parts take its colour
    bool gauche = true;    // the left button (any other toggles the reference flags)
    bool controle = false; // the Control key: a left rectangle adds to the selection
    Couleur couleur = 0;   // the brush's colour
};
// Brush: each part picked takes the colour. Otherwise, any button but the left one: each part picked has
// its reference flag toggled, and leaves the selection when its reference flag becomes clear. Otherwise
// the left button: without Control the selection is first cleared; then each part picked is selected and
// put in the reference set. Parts outside the partition are passed over.
void AppliqueGeste(Partition& partition, std::span<const int32_t> pris, const GesteSouris& geste);
// A colour chosen in the grid: exactly the parts of that colour are selected, and put in the reference
// set.
void SelectionneCouleur(Partition& partition, Couleur couleur);

// The label of a point (a part): the graphie of the part's key content when noms, the number of that
// entry otherwise; the point's number when it is not a part of the partition.
std::string EtiquettePoint(const Partition& partition, int32_t point, bool noms);

// The factor table: "Ident.", "Masse", "Distance", then three runs "f1" to "fp" (coordinates, then the
// two further values), 3 + 3p columns.
int32_t NbColonnesFacteurs(const TListePoints& points);
std::string TitreColonneFacteurs(const TListePoints& points, int32_t colonne);
// The hint of a column of the three runs, naming its run and its factor: "Coordonnée sur le facteur k",
// "Contribution au facteur k", "Cos² avec le facteur k" (Windows-1252); none for the first three columns.
std::string AideColonneFacteurs(const TListePoints& points, int32_t colonne);
// The text of a cell of columns 1 onwards (column 0 is the point's label): mass and distance with 3
// decimals, coordinates with 2, the first further values with 1, the second with 2; fixed notation
// rounded to 8 significant digits, exponent notation beyond 8 digits before the point.
std::string TexteCelluleFacteurs(const TListePoints& points, int32_t point, int32_t colonne);
// A value in fixed notation with the decimals, rounded to 8 significant digits.
std::string FormatFixe(double valeur, int32_t decimales);

// The bars of the histogram of eigenvalues in the order the series receives them (the last value
// first); value i, counting from 0, is the eigenvalue of factor i + 1 and labelled so, as the factor
// table's columns and the axis lists number the factors ("vp.txt" holds no trivial eigenvalue).
struct BarreHistogramme {
    std::string etiquette;
    int64_t valeur;
};
std::vector<BarreHistogramme> BarresHistogramme(std::span<const int64_t> valeurs);

// The report pictures of a factor plot. Texts are Windows-1252; the caption and the names are escaped
// for HTML.
struct EnteteImageAFC {
    std::string titre;     // the window's caption
    std::string nomBase;   // charg1::NomBase()
    std::string dateHeure; // already formatted ("mercredi 9 décembre 2026 - 15:04")
    std::string cleType;   // the graphie of the partition's key type
    int32_t nbPoints = 0;
};
// prefixe + key type + counter + ".jpg", the key type's bytes other than ASCII letters, digits, "-", "_"
// and "." written "_" (a key type may hold "/" or "..", and the report's index links to the file by its
// name as it is).
std::string NomImageRapport(std::string_view prefixe, std::string_view cleType, int32_t compteur);
// "img-afc-" + key type + counter + ".jpg" and "img-afc-vp-" + ...
std::string NomImagePlan(std::string_view cleType, int32_t compteur);
std::string NomImageHistogramme(std::string_view cleType, int32_t compteur);
// The caption followed by "(counter)"; "AFC - Histogramme des Valeurs Propres (counter)".
std::string TitreImagePlan(std::string_view titre, int32_t compteur);
std::string TitreImageHistogramme(int32_t compteur);
// The comments shown above the pictures: a heading (the caption for a picture of a window with its
// caption: the plane, the tree of a clustering), then the table of the corpus, the date and the
// partition, and the number of parts.
std::string CommentaireImagePlan(const EnteteImageAFC& entete);
std::string CommentaireImageHistogramme(const EnteteImageAFC& entete);
// The table and the number of parts that both comments end with (the tree of a clustering shows it too).
std::string TableImageAFC(const EnteteImageAFC& entete);

} // namespace t3
