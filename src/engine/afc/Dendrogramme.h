#pragma once
// The layout of the tree of a clustering, which the tree window draws: the leaves (the parts) side by
// side in the order that keeps every cluster in one piece, each merge above the middle of its two
// clusters at its height, and the classes of a cut of the tree into k classes.
#include "engine/afc/Ward.h"

#include <cstdint>
#include <string>
#include <vector>

namespace t3 {

// The fewest and the most classes the user can cut the tree into.
inline constexpr int32_t ClassesMinDendrogramme = 2;
inline constexpr int32_t ClassesMaxDendrogramme = 10;

struct DispositionDendrogramme {
    // The points from left to right: a walk of the tree from its last merge, the left cluster first.
    std::vector<int32_t> ordreFeuilles;
    // For each cluster (points 0 to n - 1, then n + s for merge s): its position across, in leaf widths
    // (a point at its rank in ordreFeuilles, a merge in the middle of its two clusters), its height (0
    // for a point) and its class in the cut (from 1; 0 for a merge above the cut, which joins classes).
    std::vector<double> x;
    std::vector<double> hauteur;
    std::vector<int32_t> classe;
    double hauteurMax = 0; // the height of the last merge
    // Halfway between the last merge kept inside the classes (0 when none is) and the first one above
    // them (the last one kept when none is above).
    double hauteurCoupe = 0;
    int32_t nbClasses = 0; // k, held between 1 and the number of points
};

// The layout of the tree with its classes for a cut into k classes. A tree of several roots (fewer than
// n - 1 merges) gets its roots side by side.
DispositionDendrogramme DisposeDendrogramme(const ArbreCAH& arbre, int32_t k);

// The classes a tree of n points offers: 2 to min(10, n); empty for fewer than two points.
std::vector<int32_t> ChoixClasses(int32_t nbPoints);

// The report picture of a tree: "img-cah-" + key type + counter + ".jpg" (the key type's unsafe bytes
// written "_"), its title "Classification hiérarchique - " + key type + " (counter)", in Windows-1252.
std::string NomImageDendrogramme(std::string_view cleType, int32_t compteur);
std::string TitreImageDendrogramme(std::string_view cleType, int32_t compteur);

} // namespace t3
