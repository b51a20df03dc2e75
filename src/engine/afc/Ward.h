#pragma once
// Ward's hierarchical clustering of the points of an analysis (the parts, on their factor coordinates),
// and the file "cah.txt" that the clustering program writes beside "facteurs.txt".
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace t3 {

// One merge: the two clusters joined (points are 0 to n - 1; the cluster made by merge s, counted from 0,
// is n + s), the height (the growth of the within-cluster sum of squares that the merge costs:
// na nb / (na + nb) times the squared distance of the centroids), and the size of the new cluster.
struct FusionCAH {
    int32_t gauche;
    int32_t droite;
    double hauteur;
    int32_t effectif;
};

struct ArbreCAH {
    int32_t nbPoints = 0;
    std::vector<FusionCAH> fusions; // n - 1, by increasing height
};

// Ward's clustering of the points (each a vector of the same size, every point of weight 1), by the
// nearest-neighbour chain: O(n² d) time, O(n d) memory.
ArbreCAH ClassificationWard(const std::vector<std::vector<double>>& points);

// The class of each point when the tree is cut into k classes (1 to n), numbered from 1 in the order of
// their first point.
std::vector<int32_t> ClassesCAH(const ArbreCAH& arbre, int32_t k);

// The most classes that "cah.txt" lists.
inline constexpr int32_t ClassesMaxCAH = 10;

// The text of "cah.txt":
//   CAH n
//   then n - 1 lines "s gauche droite hauteur effectif" (s from 1);
//   CLASSES kmax
//   then for k from 2 to kmax = min(10, n): "k" followed by the class of each point.
std::string TexteCah(const ArbreCAH& arbre);

// Reads the classes back from the text of "cah.txt": for each k listed, the class of each point
// (index k - 2). Checks the counts and that each class lies between 1 and k.
Resultat<std::vector<std::vector<int32_t>>> LitClassesCah(std::string_view texte);

// Reads the tree back from the text of "cah.txt": the line "CAH n", then the n - 1 merges, numbered 1 to
// n - 1 in order, each joining two clusters made before it (points 0 to n - 1, then n + s for merge s
// from 0), none of them twice, at a finite height no lower than the merge before, with the sum of
// their sizes; then the line "CLASSES ..." or the end. A malformed text is refused with a French message
// naming the line (code LectureInvalide).
Resultat<ArbreCAH> LitArbreCah(std::string_view texte);
// The same from a file; a missing file gets code LectureAbsent.
Resultat<ArbreCAH> LitCah(const std::string& chemin);

// The clustering program: reads "facteurs.txt" in the folder and writes "cah.txt" (coordinates taken in
// natural units, those of the file divided by 1000).
Resultat<void> ExecuteCah(const std::string& dossier);

} // namespace t3
