// Any bytes as the pair "facteurs.txt" and "vp.txt" (cut at the first line "--vp--"), read by the factor
// plot's readers. Never a crash nor a read out of range: a refused file has its French message; an
// accepted one has at least one point and one factor, every value finite, and every point's values
// within reach on both axes.
#include "AideFuzz.h"

#include "afc/ListePoints.h"

#include <cmath>
#include <string>

using namespace t3;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const std::string_view entree(reinterpret_cast<const char*>(donnees), taille);
    const auto morceaux = t3fuzz::Decoupe(entree, "\n--vp--\n", 2);
    const Resultat<TListePoints> points = LitTexteFacteurs(morceaux[0]);
    if (points) {
        TListePoints p = *points;
        VERIFIE(p.NbPoints() >= 1 && p.NbFacteurs() >= 1, "counts of at least 1");
        p.SetAxeX(p.NbFacteurs() - 1);
        for (int32_t i = 0; i < p.NbPoints(); ++i) {
            VERIFIE(std::isfinite(p.Masse(i)) && std::isfinite(p.Distance(i)), "finite mass and distance");
            VERIFIE(std::isfinite(p.X()[static_cast<size_t>(i)]) &&
                        std::isfinite(p.Y()[static_cast<size_t>(i)]),
                    "finite coordinates");
            for (int32_t k = 0; k < p.NbFacteurs(); ++k)
                VERIFIE(std::isfinite(p.Contribution(k, i)) && std::isfinite(p.Cosinus2(k, i)),
                        "finite further values");
        }
    } else {
        VERIFIE(!points.Message().empty(), "a refusal has its message");
    }
    if (morceaux.size() > 1) {
        const auto vp = LitTexteValeursPropres(morceaux[1]);
        VERIFIE(vp || !vp.Message().empty(), "a refusal has its message");
    }
    return 0;
}
