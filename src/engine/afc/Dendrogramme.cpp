#include "engine/afc/Dendrogramme.h"

#include "engine/afc/PlanFactoriel.h"

#include <algorithm>

namespace t3 {

namespace {

// The points from left to right: each root in turn (the last made first), its clusters walked left
// first. Without recursion: a tree of thousands of parts may be a chain as deep.
std::vector<int32_t> OrdreFeuilles(const ArbreCAH& arbre) {
    const auto n = static_cast<size_t>(arbre.nbPoints);
    std::vector<char> enfant(n + arbre.fusions.size(), 0);
    for (const FusionCAH& f : arbre.fusions)
        enfant[static_cast<size_t>(f.gauche)] = enfant[static_cast<size_t>(f.droite)] = 1;
    std::vector<int32_t> ordre;
    std::vector<size_t> pile;
    for (size_t racine = enfant.size(); racine-- > 0;) {
        if (enfant[racine]) continue;
        pile.push_back(racine);
        while (!pile.empty()) {
            const size_t g = pile.back();
            pile.pop_back();
            if (g < n) {
                ordre.push_back(static_cast<int32_t>(g));
                continue;
            }
            const FusionCAH& f = arbre.fusions[g - n];
            pile.push_back(static_cast<size_t>(f.droite));
            pile.push_back(static_cast<size_t>(f.gauche));
        }
    }
    return ordre;
}

// The class of every cluster once the first dedans merges are made, numbered from 1 in the order of
// their first point as ClassesCAH numbers them; 0 for the merges above. In one pass down the tree (a
// merge comes after its clusters): a chain of thousands of parts is no deeper to walk.
void NumeroteClasses(const ArbreCAH& arbre, size_t dedans, std::vector<int32_t>& classe) {
    const auto n = static_cast<size_t>(arbre.nbPoints);
    // The cluster at the top of the class of each one.
    std::vector<size_t> sommet(classe.size());
    for (size_t g = 0; g < sommet.size(); ++g)
        sommet[g] = g;
    for (size_t s = dedans; s-- > 0;) {
        const FusionCAH& f = arbre.fusions[s];
        sommet[static_cast<size_t>(f.gauche)] = sommet[static_cast<size_t>(f.droite)] = sommet[n + s];
    }
    std::vector<int32_t> numero(classe.size(), 0);
    int32_t suivante = 0;
    for (size_t i = 0; i < n; ++i) {
        int32_t& c = numero[sommet[i]];
        if (c == 0) c = ++suivante;
        classe[i] = c;
    }
    for (size_t s = 0; s < dedans; ++s)
        classe[n + s] = numero[sommet[n + s]];
}

} // namespace

DispositionDendrogramme DisposeDendrogramme(const ArbreCAH& arbre, int32_t k) {
    DispositionDendrogramme d;
    if (arbre.nbPoints < 1) return d;
    const auto n = static_cast<size_t>(std::max(0, arbre.nbPoints));
    const size_t m = arbre.fusions.size();
    d.ordreFeuilles = OrdreFeuilles(arbre);
    d.x.assign(n + m, 0.0);
    d.hauteur.assign(n + m, 0.0);
    d.classe.assign(n + m, 0);
    for (size_t rang = 0; rang < d.ordreFeuilles.size(); ++rang)
        d.x[static_cast<size_t>(d.ordreFeuilles[rang])] = static_cast<double>(rang);
    d.nbClasses = std::clamp<int32_t>(k, 1, arbre.nbPoints);
    // The first n - k merges are those inside the classes (the merges are in increasing height).
    const size_t dedans = std::min(m, n - static_cast<size_t>(d.nbClasses));
    NumeroteClasses(arbre, dedans, d.classe);
    for (size_t s = 0; s < m; ++s) {
        const FusionCAH& f = arbre.fusions[s];
        d.x[n + s] = (d.x[static_cast<size_t>(f.gauche)] + d.x[static_cast<size_t>(f.droite)]) / 2;
        d.hauteur[n + s] = f.hauteur;
        d.hauteurMax = std::max(d.hauteurMax, f.hauteur);
    }
    const double dessous = dedans > 0 ? arbre.fusions[dedans - 1].hauteur : 0.0;
    const double dessus = dedans < m ? arbre.fusions[dedans].hauteur : dessous;
    d.hauteurCoupe = (dessous + dessus) / 2;
    return d;
}

std::vector<int32_t> ChoixClasses(int32_t nbPoints) {
    std::vector<int32_t> choix;
    for (int32_t k = ClassesMinDendrogramme; k <= std::min(ClassesMaxDendrogramme, nbPoints); ++k)
        choix.push_back(k);
    return choix;
}

std::string NomImageDendrogramme(std::string_view cleType, int32_t compteur) {
    return NomImageRapport("img-cah-", cleType, compteur);
}

std::string TitreImageDendrogramme(std::string_view cleType, int32_t compteur) {
    return "Classification hi\xe9rarchique - " + std::string(cleType) + " (" + std::to_string(compteur) + ")";
}

} // namespace t3
