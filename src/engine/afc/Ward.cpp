#include "engine/afc/Ward.h"

#include "engine/afc/ExportAFC.h"
#include "engine/afc/FichiersTexte.h"
#include "engine/afc/ListePoints.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <limits>
#include <numeric>
#include <queue>
#include <sstream>

namespace t3 {

namespace {

struct Grappe {
    std::vector<double> centre;
    int32_t effectif = 1;
    bool active = true;
};

double CoutWard(const Grappe& a, const Grappe& b) {
    double d2 = 0;
    for (size_t k = 0; k < a.centre.size(); ++k) {
        const double e = a.centre[k] - b.centre[k];
        d2 += e * e;
    }
    const double na = a.effectif, nb = b.effectif;
    return na * nb / (na + nb) * d2;
}

// The active cluster nearest to a by Ward's cost; on a tie, prefere (the cluster before a in the chain,
// which keeps the chain from turning round), then the smallest number.
int32_t PlusProche(const std::vector<Grappe>& g, int32_t a, int32_t prefere, double& cout) {
    int32_t meilleur = -1;
    cout = std::numeric_limits<double>::infinity();
    if (prefere >= 0) {
        meilleur = prefere;
        cout = CoutWard(g[static_cast<size_t>(a)], g[static_cast<size_t>(prefere)]);
    }
    for (size_t b = 0; b < g.size(); ++b) {
        if (!g[b].active || static_cast<int32_t>(b) == a) continue;
        const double c = CoutWard(g[static_cast<size_t>(a)], g[b]);
        if (c < cout) {
            cout = c;
            meilleur = static_cast<int32_t>(b);
        }
    }
    return meilleur;
}

// The centroid of the union, moved from a's towards b's by b's share of the weight: two clusters at the
// same place make one exactly there (the weighted mean of equal coordinates, rounded, may move a hair),
// so that identical points cost nothing to join however many of them there are.
Grappe Reunit(const Grappe& a, const Grappe& b) {
    Grappe r;
    r.effectif = a.effectif + b.effectif;
    r.centre.resize(a.centre.size());
    const double part = static_cast<double>(b.effectif) / r.effectif;
    for (size_t k = 0; k < a.centre.size(); ++k)
        r.centre[k] = a.centre[k] + (b.centre[k] - a.centre[k]) * part;
    return r;
}

// The merges in the order the chain made them, with the numbers of the clusters as they were made.
std::vector<FusionCAH> ChaineDesPlusProches(const std::vector<std::vector<double>>& points) {
    std::vector<Grappe> g;
    for (const auto& p : points)
        g.push_back({p, 1, true});
    std::vector<FusionCAH> fusions;
    std::vector<int32_t> chaine;
    size_t actives = g.size();
    int32_t prochaineLibre = 0;
    while (actives > 1) {
        if (chaine.empty()) {
            while (!g[static_cast<size_t>(prochaineLibre)].active)
                ++prochaineLibre;
            chaine.push_back(prochaineLibre);
        }
        const int32_t a = chaine.back();
        const int32_t avant = chaine.size() >= 2 ? chaine[chaine.size() - 2] : -1;
        double cout = 0;
        const int32_t b = PlusProche(g, a, avant, cout);
        if (b != avant) {
            chaine.push_back(b);
            continue;
        }
        chaine.resize(chaine.size() - 2);
        Grappe r = Reunit(g[static_cast<size_t>(a)], g[static_cast<size_t>(b)]);
        g[static_cast<size_t>(a)].active = g[static_cast<size_t>(b)].active = false;
        fusions.push_back({std::min(a, b), std::max(a, b), cout, r.effectif});
        g.push_back(std::move(r));
        --actives;
    }
    return fusions;
}

} // namespace

ArbreCAH ClassificationWard(const std::vector<std::vector<double>>& points) {
    ArbreCAH arbre;
    arbre.nbPoints = static_cast<int32_t>(points.size());
    const std::vector<FusionCAH> faites = ChaineDesPlusProches(points);
    const auto n = static_cast<size_t>(arbre.nbPoints);
    // Ward's method never lowers a height along the tree, but rounding may put a merge a hair below one
    // of its clusters, and equal heights (identical points, all at 0) say nothing of the order. So the
    // merges are taken by increasing height, ties by the order of making, and each only once its two
    // clusters are made; a height below that of one of its clusters is raised to it. The heights then
    // never go down, and the clusters are renumbered in that order.
    std::vector<int32_t> enAttente(faites.size(), 0); // clusters of the merge not yet made
    std::vector<size_t> parent(n + faites.size(), faites.size());
    for (size_t s = 0; s < faites.size(); ++s)
        for (const int32_t g : {faites[s].gauche, faites[s].droite}) {
            parent[static_cast<size_t>(g)] = s;
            if (static_cast<size_t>(g) >= n) ++enAttente[s];
        }
    std::vector<double> hauteur(faites.size());
    using Pret = std::pair<double, size_t>; // height, step
    std::priority_queue<Pret, std::vector<Pret>, std::greater<>> prets;
    for (size_t s = 0; s < faites.size(); ++s) {
        hauteur[s] = faites[s].hauteur;
        if (enAttente[s] == 0) prets.push({hauteur[s], s});
    }
    std::vector<int32_t> numero(n + faites.size());
    std::iota(numero.begin(), numero.begin() + static_cast<std::ptrdiff_t>(n), 0);
    while (!prets.empty()) {
        const size_t s = prets.top().second;
        prets.pop();
        FusionCAH f = faites[s];
        const int32_t x = numero[static_cast<size_t>(f.gauche)], y = numero[static_cast<size_t>(f.droite)];
        f.gauche = std::min(x, y);
        f.droite = std::max(x, y);
        f.hauteur = hauteur[s];
        numero[n + s] = static_cast<int32_t>(n + arbre.fusions.size());
        arbre.fusions.push_back(f);
        const size_t q = parent[n + s];
        if (q == faites.size()) continue;
        hauteur[q] = std::max(hauteur[q], hauteur[s]);
        if (--enAttente[q] == 0) prets.push({hauteur[q], q});
    }
    return arbre;
}

std::vector<int32_t> ClassesCAH(const ArbreCAH& arbre, int32_t k) {
    const auto n = static_cast<size_t>(arbre.nbPoints);
    // The cluster that each point and each merge belongs to once the first n - k merges are made.
    std::vector<size_t> parent(n + arbre.fusions.size());
    std::iota(parent.begin(), parent.end(), 0);
    const size_t faites =
        std::min(arbre.fusions.size(), n - static_cast<size_t>(std::clamp<int32_t>(k, 1, arbre.nbPoints)));
    for (size_t s = 0; s < faites; ++s) {
        parent[static_cast<size_t>(arbre.fusions[s].gauche)] = n + s;
        parent[static_cast<size_t>(arbre.fusions[s].droite)] = n + s;
    }
    std::vector<int32_t> classes(n, 0);
    std::vector<int32_t> classeDeRacine(parent.size(), 0);
    int32_t suivante = 0;
    for (size_t i = 0; i < n; ++i) {
        size_t r = i;
        while (parent[r] != r)
            r = parent[r];
        if (classeDeRacine[r] == 0) classeDeRacine[r] = ++suivante;
        classes[i] = classeDeRacine[r];
    }
    return classes;
}

std::string TexteCah(const ArbreCAH& arbre) {
    std::string texte = "CAH " + std::to_string(arbre.nbPoints) + "\n";
    for (size_t s = 0; s < arbre.fusions.size(); ++s) {
        const FusionCAH& f = arbre.fusions[s];
        char ligne[96];
        std::snprintf(ligne, sizeof ligne, "%zu %d %d %.12g %d\n", s + 1, f.gauche, f.droite, f.hauteur,
                      f.effectif);
        texte += ligne;
    }
    const int32_t kmax = std::min(ClassesMaxCAH, arbre.nbPoints);
    texte += "CLASSES " + std::to_string(kmax) + "\n";
    for (int32_t k = 2; k <= kmax; ++k) {
        texte += std::to_string(k);
        for (const int32_t c : ClassesCAH(arbre, k))
            (texte += ' ') += std::to_string(c);
        texte += "\n";
    }
    return texte;
}

Resultat<std::vector<std::vector<int32_t>>> LitClassesCah(std::string_view texte) {
    std::istringstream flux{std::string(texte)};
    const Echec faute{LectureInvalide, "Le fichier « cah.txt » est incorrect."};
    std::string mot;
    int64_t n = 0, fusions = 0, kmax = 0;
    if (!(flux >> mot >> n) || mot != "CAH" || n < 1 || n > static_cast<int64_t>(texte.size())) return faute;
    std::string ligne;
    std::getline(flux, ligne);
    while (std::getline(flux, ligne) && ligne.rfind("CLASSES", 0) != 0)
        ++fusions;
    if (fusions != n - 1 || !(std::istringstream(ligne.substr(std::min<size_t>(7, ligne.size()))) >> kmax) ||
        kmax != std::min<int64_t>(ClassesMaxCAH, n))
        return faute;
    std::vector<std::vector<int32_t>> classes;
    for (int64_t k = 2; k <= kmax; ++k) {
        int64_t lu = 0;
        if (!(flux >> lu) || lu != k) return faute;
        std::vector<int32_t> c(static_cast<size_t>(n));
        for (int32_t& x : c)
            if (!(flux >> x) || x < 1 || x > k) return faute;
        classes.push_back(std::move(c));
    }
    return classes;
}

namespace {

// The blank-separated fields of a line.
std::vector<std::string_view> Champs(std::string_view ligne) {
    std::vector<std::string_view> champs;
    size_t i = 0;
    while (i < ligne.size()) {
        while (i < ligne.size() && (ligne[i] == ' ' || ligne[i] == '\t' || ligne[i] == '\r'))
            ++i;
        const size_t debut = i;
        while (i < ligne.size() && ligne[i] != ' ' && ligne[i] != '\t' && ligne[i] != '\r')
            ++i;
        if (i > debut) champs.push_back(ligne.substr(debut, i - debut));
    }
    return champs;
}

template <typename T> bool Nombre(std::string_view champ, T& valeur) {
    const char* fin = champ.data() + champ.size();
    const auto [p, erreur] = std::from_chars(champ.data(), fin, valeur);
    return erreur == std::errc() && p == fin;
}

Echec FauteCah(int64_t ligne, const std::string& detail) {
    return Echec{LectureInvalide, "Le fichier « cah.txt » est incorrect : ligne " + std::to_string(ligne) +
                                      ", " + detail + "."};
}

// Reads merge s (from 0) of a tree of n points, checked against the clusters made before it; an empty
// text, or what is wrong.
std::string LitFusion(std::string_view ligne, int64_t s, ArbreCAH& arbre, std::vector<int32_t>& tailles,
                      std::vector<char>& pris) {
    const std::vector<std::string_view> champs = Champs(ligne);
    int64_t numero = 0, gauche = 0, droite = 0, effectif = 0;
    double hauteur = 0;
    if (champs.size() != 5 || !Nombre(champs[0], numero) || !Nombre(champs[1], gauche) ||
        !Nombre(champs[2], droite) || !Nombre(champs[3], hauteur) || !Nombre(champs[4], effectif))
        return "fusion attendue (numéro, deux groupes, hauteur, effectif)";
    if (numero != s + 1) return "fusion numéro " + std::to_string(s + 1) + " attendue";
    const int64_t existants = arbre.nbPoints + s;
    for (const int64_t g : {gauche, droite}) {
        if (g < 0 || g >= existants)
            return "le groupe " + std::to_string(g) + " n'est pas entre 0 et " +
                   std::to_string(existants - 1);
        if (pris[static_cast<size_t>(g)]) return "le groupe " + std::to_string(g) + " est déjà réuni";
    }
    if (gauche == droite) return "un groupe réuni à lui-même";
    const double avant = arbre.fusions.empty() ? 0.0 : arbre.fusions.back().hauteur;
    if (!std::isfinite(hauteur) || hauteur < avant) return "hauteur négative ou plus basse que la précédente";
    const int32_t somme = tailles[static_cast<size_t>(gauche)] + tailles[static_cast<size_t>(droite)];
    if (effectif != somme) return "l'effectif devrait être " + std::to_string(somme);
    pris[static_cast<size_t>(gauche)] = pris[static_cast<size_t>(droite)] = 1;
    tailles.push_back(somme);
    arbre.fusions.push_back({static_cast<int32_t>(gauche), static_cast<int32_t>(droite), hauteur, somme});
    return {};
}

} // namespace

Resultat<ArbreCAH> LitArbreCah(std::string_view texte) {
    Lignes lignes(texte);
    std::string_view ligne;
    int64_t n = 0;
    const bool entete = lignes.Suivante(ligne);
    const std::vector<std::string_view> champs = Champs(ligne);
    // A tree of n points takes at least n - 1 lines: a bound on n before any allocation.
    if (!entete || champs.size() != 2 || champs[0] != "CAH" || !Nombre(champs[1], n) || n < 1 ||
        n > static_cast<int64_t>(texte.size()))
        return FauteCah(1, "« CAH » et le nombre de points attendus");
    ArbreCAH arbre;
    arbre.nbPoints = static_cast<int32_t>(n);
    std::vector<int32_t> tailles(static_cast<size_t>(n), 1);
    std::vector<char> pris(static_cast<size_t>(2 * n - 1), 0);
    for (int64_t s = 0; s + 1 < n; ++s) {
        if (!lignes.Suivante(ligne)) return FauteCah(lignes.Numero() + 1, "il manque des fusions");
        if (const std::string faute = LitFusion(ligne, s, arbre, tailles, pris); !faute.empty())
            return FauteCah(lignes.Numero(), faute);
    }
    while (lignes.Suivante(ligne)) {
        const std::vector<std::string_view> suite = Champs(ligne);
        if (suite.empty()) continue;
        if (suite[0] != "CLASSES") return FauteCah(lignes.Numero(), "« CLASSES » attendu après les fusions");
        break;
    }
    return arbre;
}

Resultat<ArbreCAH> LitCah(const std::string& chemin) {
    const Resultat<std::string> texte = LitFichierAnalyse(
        chemin, NomCah, LimiteCah, "Le fichier de la classification « cah.txt » est absent ou illisible.");
    if (!texte) return Echec{texte.Code(), texte.Message()};
    return LitArbreCah(*texte);
}

Resultat<void> ExecuteCah(const std::string& dossier) {
    const std::filesystem::path d(dossier);
    std::error_code e;
    std::filesystem::remove(d / NomCah, e);
    const Resultat<TListePoints> points = LitFacteurs((d / NomFacteurs).string());
    if (!points) return Echec{points.Code(), points.Message()};
    if (points->NbPoints() < 2)
        return Echec{LectureInvalide, "La classification demande au moins deux points."};
    std::vector<std::vector<double>> coordonnees(static_cast<size_t>(points->NbPoints()));
    for (int32_t i = 0; i < points->NbPoints(); ++i)
        for (int32_t k = 0; k < points->NbFacteurs(); ++k)
            coordonnees[static_cast<size_t>(i)].push_back(points->Coordonnee(k, i) / 1000.0);
    // The tree is checked as the windows will read it before it is written: a tree that joins a cluster
    // twice or before it is made is never left to be read as a result.
    const std::string texte = TexteCah(ClassificationWard(coordonnees));
    if (const Resultat<ArbreCAH> relu = LitArbreCah(texte); !relu)
        return Echec{LectureInvalide,
                     "La classification a donné un arbre incorrect ; « cah.txt » n'a pas été écrit."};
    return EcritFichierResultat(d / NomCah, texte);
}

} // namespace t3
