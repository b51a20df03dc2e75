// Any bytes as the files of an analysis that the workbench reads: "facteurs.txt", "vp.txt" (after a first
// line "--vp--") and "cah.txt" (after a line "--cah--"), through the factor plot's readers and the reader
// of the clustering's tree. Never a crash nor a read out of range: a refused file has its French message;
// accepted factors have at least one point and one factor, every value finite, and every point's values
// within reach on both axes and on the plane, label box included; an accepted tree has n - 1 merges of
// clusters made before them, and its layout places every point once with classes from 1 to k for each cut
// offered. A first byte 1 to 4 names instead a device, a pipe or a folder, which the readers of the three
// files refuse at once (never waiting for a writer nor reading without end); a first byte 5 writes the rest
// into the files, which read through their paths give what their texts give.
#include "AideFuzz.h"

#include "engine/afc/Dendrogramme.h"
#include "engine/afc/ListePoints.h"
#include "engine/afc/PlanFactoriel.h"

#include <algorithm>
#include <cmath>
#include <string>

using namespace t3;

namespace {

void VerifiePoints(TListePoints p) {
    VERIFIE(p.NbPoints() >= 1 && p.NbFacteurs() >= 1, "counts of at least 1");
    p.SetAxeX(p.NbFacteurs() - 1);
    for (int32_t i = 0; i < p.NbPoints(); ++i) {
        VERIFIE(std::isfinite(p.Masse(i)) && std::isfinite(p.Distance(i)), "finite mass and distance");
        VERIFIE(std::isfinite(p.X()[static_cast<size_t>(i)]) && std::isfinite(p.Y()[static_cast<size_t>(i)]),
                "finite coordinates");
        for (int32_t k = 0; k < p.NbFacteurs(); ++k)
            VERIFIE(std::isfinite(p.Contribution(k, i)) && std::isfinite(p.Cosinus2(k, i)),
                    "finite further values");
    }
    // The plane: every point and its label box within the plane, however far apart or alike the values.
    const EchellePlan echelle(EtendueValeurs(p.X()), EtendueValeurs(p.Y()), 800, 600);
    for (int32_t i = 0; i < p.NbPoints(); ++i) {
        const int32_t c = echelle.Colonne(p.X()[static_cast<size_t>(i)]);
        const int32_t r = echelle.Rangee(p.Y()[static_cast<size_t>(i)]);
        VERIFIE(c >= 0 && c <= 770 && r >= 0 && r <= 570, "a point on the plane");
        const Boite b =
            BoiteEtiquette(echelle, p.X()[static_cast<size_t>(i)], p.Y()[static_cast<size_t>(i)], 80, 17);
        VERIFIE(b.x >= 0 && b.x + b.largeur <= 800 && b.y >= 0 && b.y + b.hauteur <= 600,
                "a label box within the plane");
    }
    VERIFIE(TraitsAxes(echelle, 800, 600).size() <= 2 + 800 + 600, "ticks at least 2 pixels apart");
}

void VerifieArbre(const ArbreCAH& arbre) {
    const auto n = static_cast<size_t>(arbre.nbPoints);
    VERIFIE(n >= 1 && arbre.fusions.size() == n - 1, "n - 1 merges");
    for (size_t s = 0; s < arbre.fusions.size(); ++s) {
        const FusionCAH& f = arbre.fusions[s];
        VERIFIE(f.gauche >= 0 && f.droite >= 0 && static_cast<size_t>(std::max(f.gauche, f.droite)) < n + s,
                "clusters made before the merge");
        VERIFIE(std::isfinite(f.hauteur), "a finite height");
    }
    for (int32_t k = 1; k <= std::min<int32_t>(ClassesMaxDendrogramme, arbre.nbPoints); ++k) {
        const DispositionDendrogramme d = DisposeDendrogramme(arbre, k);
        std::vector<int32_t> ordre = d.ordreFeuilles;
        std::sort(ordre.begin(), ordre.end());
        for (size_t i = 0; i < ordre.size(); ++i)
            VERIFIE(ordre[i] == static_cast<int32_t>(i), "every point once");
        VERIFIE(ordre.size() == n, "every point placed");
        for (size_t i = 0; i < n; ++i)
            VERIFIE(d.classe[i] >= 1 && d.classe[i] <= k, "a class from 1 to k");
    }
}

template <typename T> void Memes(const Resultat<T>& parChemin, const Resultat<T>& parTexte) {
    VERIFIE(parChemin.Reussi() == parTexte.Reussi() && parChemin.Message() == parTexte.Message(),
            parChemin.Message());
}

// The files named by their paths: what is not a regular file refused, a file read as its text is.
void LitParLeursChemins(uint8_t choix, std::string_view reste) {
    const t3fuzz::DansDossierPrive prive;
    const std::string chemin = t3fuzz::CheminNonFichier(choix);
    if (!chemin.empty()) {
        for (const int32_t code :
             {LitFacteurs(chemin).Code(), LitValeursPropres(chemin).Code(), LitCah(chemin).Code()})
            VERIFIE(code == LectureInvalide, "refused as no regular file");
        return;
    }
    const auto parties = t3fuzz::Decoupe(reste, "\n--cah--\n", 2);
    const auto morceaux = t3fuzz::Decoupe(parties[0], "\n--vp--\n", 2);
    t3fuzz::EcritFichier("facteurs.txt", morceaux[0]);
    t3fuzz::EcritFichier("vp.txt", morceaux.size() > 1 ? morceaux[1] : "");
    t3fuzz::EcritFichier("cah.txt", parties.size() > 1 ? parties[1] : "");
    Memes(LitFacteurs("facteurs.txt"), LitTexteFacteurs(morceaux[0]));
    Memes(LitValeursPropres("vp.txt"), LitTexteValeursPropres(morceaux.size() > 1 ? morceaux[1] : ""));
    Memes(LitCah("cah.txt"), LitArbreCah(parties.size() > 1 ? parties[1] : ""));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const std::string_view entree(reinterpret_cast<const char*>(donnees), taille);
    if (taille > 0 && donnees[0] >= 1 && donnees[0] <= 5) {
        LitParLeursChemins(donnees[0], entree.substr(1));
        return 0;
    }
    const auto parties = t3fuzz::Decoupe(entree, "\n--cah--\n", 2);
    const auto morceaux = t3fuzz::Decoupe(parties[0], "\n--vp--\n", 2);
    const Resultat<TListePoints> points = LitTexteFacteurs(morceaux[0]);
    if (points)
        VerifiePoints(*points);
    else
        VERIFIE(!points.Message().empty(), "a refusal has its message");
    if (morceaux.size() > 1) {
        const auto vp = LitTexteValeursPropres(morceaux[1]);
        VERIFIE(vp || !vp.Message().empty(), "a refusal has its message");
    }
    if (parties.size() > 1) {
        const Resultat<ArbreCAH> arbre = LitArbreCah(parties[1]);
        if (arbre)
            VerifieArbre(*arbre);
        else
            VERIFIE(!arbre.Message().empty(), "a refusal has its message");
    }
    return 0;
}
