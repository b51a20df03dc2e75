#include "engine/afc/PlanFactoriel.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/Html.h"
#include "engine/socle/NomFichier.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace t3 {

namespace {

// Pixels far outside the plane (a value far beyond the extremes) are held here: still off the plane,
// and far from any overflow of the painter's coordinates.
constexpr double PixelMax = 1'000'000;

// An axis whose extremes are equal spans the common value ± one step.
Etendue Elargie(Etendue e) {
    if (e.max > e.min) return e;
    return {e.min - PasGraduation, e.min + PasGraduation};
}

// Halves: the difference of two finite extremes of opposite signs may overflow, that of their halves not.
double DemiEcart(const Etendue& e) {
    return e.max / 2 - e.min / 2;
}

// longueur × numerateur / denominateur, truncated, multiplied first as the scale is written; divided
// first when the product overflows.
int32_t Pixel(double numerateur, double denominateur, double longueur) {
    double v = longueur * numerateur / denominateur;
    if (!std::isfinite(v)) v = numerateur / denominateur * longueur;
    if (std::isnan(v)) v = longueur / 2;
    return static_cast<int32_t>(std::clamp(std::trunc(v), -PixelMax, PixelMax));
}

// The pixels of one step of the ticks on an axis of that length.
double PixelsParPas(const Etendue& e, double longueur) {
    const double demi = DemiEcart(e);
    return demi > 0 ? PasGraduation * longueur / 2 / demi : 0;
}

// The ticks of one direction (sens 1 or -1) that lie within the extremes: those nearer 0 fall off the
// plane when 0 lies outside it, and a far axis would otherwise count them by the billion. Tick k (from 1)
// stands at sens × 50k, long when k is even; k counts in whole numbers, so that a far value never stalls
// the walk, and at most maximum are made.
void AjouteGraduations(std::vector<Graduation>& g, double sens, const Etendue& e, double maximum) {
    const double proche = sens > 0 ? e.min : -e.max, loin = sens > 0 ? e.max : -e.min;
    double k = std::max(1.0, std::ceil(proche / PasGraduation));
    for (double n = 0; n < maximum && k * PasGraduation < loin; ++n, ++k)
        g.push_back({sens * k * PasGraduation, std::fmod(k, 2) == 0});
}

bool ChoisitAxe(TListePoints& points, int32_t facteur, bool horizontal) {
    const int32_t autre = horizontal ? points.AxeY() : points.AxeX();
    const int32_t actuel = horizontal ? points.AxeX() : points.AxeY();
    if (facteur == autre || facteur == actuel || facteur < 0 || facteur >= points.NbFacteurs()) return false;
    if (horizontal)
        points.SetAxeX(facteur);
    else
        points.SetAxeY(facteur);
    return true;
}

} // namespace

std::string NomImageRapport(std::string_view prefixe, std::string_view cleType, int32_t compteur) {
    return std::string(prefixe) + NomFichierSur(cleType) + std::to_string(compteur) + ".jpg";
}

Etendue EtendueValeurs(std::span<const double> valeurs) {
    if (valeurs.empty()) return {};
    const auto [min, max] = std::minmax_element(valeurs.begin(), valeurs.end());
    return {*min, *max};
}

EchellePlan::EchellePlan(Etendue x, Etendue y, int32_t largeur, int32_t hauteur)
    : m_x(Elargie(x)), m_y(Elargie(y)), m_largeurPlan(largeur), m_hauteurPlan(hauteur),
      m_largeur(std::max(0, largeur - MargePlan)), m_hauteur(std::max(0, hauteur - MargePlan)) {}

int32_t EchellePlan::Colonne(double x) const {
    return Pixel(x / 2 - m_x.min / 2, DemiEcart(m_x), m_largeur);
}

int32_t EchellePlan::Rangee(double y) const {
    return Pixel(m_y.max / 2 - y / 2, DemiEcart(m_y), m_hauteur);
}

std::vector<Graduation> Graduations(const Etendue& etendue, double pixelsParPas) {
    std::vector<Graduation> g;
    if (!(pixelsParPas >= 2)) return g;
    // The steps within the extremes, and one more for a bound that rounding may cross.
    const double maximum = std::min(1e6, DemiEcart(etendue) / (PasGraduation / 2) + 2);
    AjouteGraduations(g, 1, etendue, maximum);
    AjouteGraduations(g, -1, etendue, maximum);
    return g;
}

std::vector<Trait> TraitsAxes(const EchellePlan& echelle, int32_t largeur, int32_t hauteur) {
    const int32_t c0 = echelle.Colonne(0), r0 = echelle.Rangee(0);
    std::vector<Trait> traits{{c0, 0, c0, hauteur}};
    const Etendue& ex = echelle.EtendueX();
    for (const Graduation& g : Graduations(ex, PixelsParPas(ex, std::max(0, largeur - MargePlan)))) {
        const int32_t c = echelle.Colonne(g.valeur);
        traits.push_back({c, g.longue ? r0 - 3 : r0, c, r0 + 3});
    }
    traits.push_back({0, r0, largeur, r0});
    const Etendue& ey = echelle.EtendueY();
    for (const Graduation& g : Graduations(ey, PixelsParPas(ey, std::max(0, hauteur - MargePlan)))) {
        const int32_t r = echelle.Rangee(g.valeur);
        traits.push_back({g.longue ? c0 - 3 : c0, r, c0 + 3, r});
    }
    return traits;
}

Boite BoiteEtiquette(const EchellePlan& echelle, double x, double y, int32_t largeurTexte,
                     int32_t hauteurTexte) {
    const int32_t largeur = largeurTexte + MargeEtiquette, hauteur = hauteurTexte + MargeEtiquette;
    const auto dedans = [](int32_t pixel, int32_t taille, int32_t cote) {
        return std::max(0, std::min(pixel, cote - taille));
    };
    return {dedans(echelle.Colonne(x), largeur, echelle.LargeurPlan()),
            dedans(echelle.Rangee(y), hauteur, echelle.HauteurPlan()), largeur, hauteur};
}

Rectangle Normalise(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

bool Rencontre(const Boite& b, const Rectangle& r) {
    // In 64 bits: a box at the edge of the pixels' range must not wrap round.
    const int64_t droite = int64_t{b.x} + b.largeur, bas = int64_t{b.y} + b.hauteur;
    return droite >= r.gauche && r.droite >= b.x && bas >= r.haut && r.bas >= b.y;
}

std::vector<int32_t> BoitesPrises(std::span<const Boite> boites, const Rectangle& rectangle) {
    std::vector<int32_t> pris;
    for (size_t i = 0; i < boites.size(); ++i)
        if (Rencontre(boites[i], rectangle)) pris.push_back(static_cast<int32_t>(i));
    return pris;
}

bool ChoisitAxeX(TListePoints& points, int32_t facteur) {
    return ChoisitAxe(points, facteur, true);
}

bool ChoisitAxeY(TListePoints& points, int32_t facteur) {
    return ChoisitAxe(points, facteur, false);
}

void AppliqueGeste(Partition& partition, std::span<const int32_t> pris, const GesteSouris& geste) {
    if (geste.pinceau) {
        for (const int32_t p : pris)
            partition.SetCouleurPartie(p, geste.couleur);
    } else if (!geste.gauche) {
        for (const int32_t p : pris) {
            const bool reference = !partition.Reference(p);
            partition.SetReference(p, reference);
            if (!reference) partition.SetSelection(p, false);
        }
    } else {
        if (!geste.controle)
            for (int32_t p = 0; p < partition.NbParties(); ++p)
                partition.SetSelection(p, false);
        for (const int32_t p : pris) {
            partition.SetSelection(p, true);
            partition.SetReference(p, true);
        }
    }
}

void SelectionneCouleur(Partition& partition, Couleur couleur) {
    for (int32_t p = 0; p < partition.NbParties(); ++p) {
        const bool prise = partition.CouleurPartie(p) == couleur;
        partition.SetSelection(p, prise);
        if (prise) partition.SetReference(p, true);
    }
}

std::string EtiquettePoint(const Partition& partition, int32_t point, bool noms) {
    if (point < 0 || point >= partition.NbParties()) return std::to_string(point);
    const int32_t entree = partition.Contenu(point);
    if (!noms || partition.Base() == nullptr) return std::to_string(entree);
    return std::string(partition.Base()->Graphie(entree));
}

int32_t NbColonnesFacteurs(const TListePoints& points) {
    return 3 + 3 * points.NbFacteurs();
}

std::string TitreColonneFacteurs(const TListePoints& points, int32_t colonne) {
    static const char* const Premieres[] = {"Ident.", "Masse", "Distance"};
    if (colonne < 0 || colonne >= NbColonnesFacteurs(points)) return {};
    if (colonne < 3) return Premieres[colonne];
    std::string titre = "f";
    return titre += std::to_string((colonne - 3) % points.NbFacteurs() + 1);
}

std::string AideColonneFacteurs(const TListePoints& points, int32_t colonne) {
    static const char* const Series[] = {"Coordonn\351e sur le facteur ", "Contribution au facteur ",
                                         "Cos\262 avec le facteur "};
    if (colonne < 3 || colonne >= NbColonnesFacteurs(points)) return {};
    const int32_t k = colonne - 3;
    return Series[k / points.NbFacteurs()] + std::to_string(k % points.NbFacteurs() + 1);
}

std::string FormatFixe(double valeur, int32_t decimales) {
    char texte[64];
    // Rounded to 8 significant digits first, then written with the decimals asked.
    std::snprintf(texte, sizeof texte, "%.7e", valeur);
    const double arrondi = std::strtod(texte, nullptr);
    if (std::fabs(arrondi) >= 1e8) {
        std::snprintf(texte, sizeof texte, "%.7E", arrondi);
        return texte;
    }
    std::snprintf(texte, sizeof texte, "%.*f", std::clamp(decimales, 0, 18), arrondi);
    std::string s = texte;
    // No "-0.00" for a small negative value.
    if (s.front() == '-' && s.find_first_not_of("0.", 1) == std::string::npos) s.erase(0, 1);
    return s;
}

std::string TexteCelluleFacteurs(const TListePoints& points, int32_t point, int32_t colonne) {
    const int32_t p = points.NbFacteurs();
    if (point < 0 || point >= points.NbPoints() || colonne < 1 || colonne >= NbColonnesFacteurs(points))
        return {};
    if (colonne == 1) return FormatFixe(points.Masse(point), 3);
    if (colonne == 2) return FormatFixe(points.Distance(point), 3);
    const int32_t k = colonne - 3;
    static const int32_t DecimalesParSerie[] = {2, 1, 2};
    return FormatFixe(points.Valeurs(k)[static_cast<size_t>(point)], DecimalesParSerie[k / p]);
}

std::vector<BarreHistogramme> BarresHistogramme(std::span<const int64_t> valeurs) {
    std::vector<BarreHistogramme> barres;
    for (size_t i = valeurs.size(); i-- > 0;)
        barres.push_back({std::to_string(i + 1), valeurs[i]});
    return barres;
}

std::string NomImagePlan(std::string_view cleType, int32_t compteur) {
    return NomImageRapport("img-afc-", cleType, compteur);
}

std::string NomImageHistogramme(std::string_view cleType, int32_t compteur) {
    return NomImageRapport("img-afc-vp-", cleType, compteur);
}

std::string TitreImagePlan(std::string_view titre, int32_t compteur) {
    return std::string(titre) + "(" + std::to_string(compteur) + ")";
}

std::string TitreImageHistogramme(int32_t compteur) {
    return "AFC - Histogramme des Valeurs Propres (" + std::to_string(compteur) + ")";
}

std::string TableImageAFC(const EnteteImageAFC& entete) {
    std::string t = "<TABLE WIDTH=100% ALIGN=CENTER BORDER=1><TD>Corpus : ";
    AjouteEchappe(t, entete.nomBase);
    t += "</TD>\n<TD>Date : ";
    AjouteEchappe(t, entete.dateHeure);
    t += "</TD>\n<TD>Partition = ";
    AjouteEchappe(t, entete.cleType);
    t += "</TD>\n</TABLE>Nombre de parties : " + std::to_string(entete.nbPoints) + "<br>\n<br>\n";
    return t;
}

std::string CommentaireImagePlan(const EnteteImageAFC& entete) {
    std::string t = "<CENTER><H3>";
    AjouteEchappe(t, entete.titre);
    return t + "</H3></CENTER><br>" + TableImageAFC(entete);
}

std::string CommentaireImageHistogramme(const EnteteImageAFC& entete) {
    return "<CENTER><H3>Histogramme des valeurs propres</H3></CENTER><br>" + TableImageAFC(entete);
}

} // namespace t3
