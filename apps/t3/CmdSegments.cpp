// t3 segments: the repeated segments of a base.
#include "Commandes.h"

#include "corpus/charg1.h"
#include "explore/SegRep.h"
#include "segmentation/Cp1252.h"

#include <algorithm>
#include <set>

namespace t3cli {

namespace {

// Both thresholds start at 10, or at the highest frequency of the base when it is lower, as in the
// parameter dialog; a segment must occur at least twice.
constexpr int32_t SeuilParDefaut = 10;
constexpr int32_t SeuilMinimal = 2;

struct ParamSegments {
    std::string par;
    int32_t seuilSegments = -1; // -1: the default
    int32_t seuilFormes = -1;
    bool delimiteursDonnes = false;
    std::string delimiteurs; // Windows-1252
};

// Reads the arguments; returns an empty text, or the French message of the first fault.
std::string LitParametres(const Arguments& args, ParamSegments& p) {
    std::string valeur;
    for (const std::string& a : args) {
        if (Option(a, "seuil", valeur) || Option(a, "formes", valeur)) {
            const bool seuil = a.rfind("--seuil=", 0) == 0;
            int32_t n = 0;
            if (!LitEntier(valeur, n) || n < SeuilMinimal)
                return std::string("la valeur de --") + (seuil ? "seuil" : "formes") +
                       " doit être un nombre entier au moins égal à 2 : " + valeur;
            (seuil ? p.seuilSegments : p.seuilFormes) = n;
        } else if (Option(a, "delimiteurs", valeur)) {
            p.delimiteursDonnes = true;
            p.delimiteurs = t3::Utf8VersCp1252(valeur);
        } else if (p.par.empty() && a.rfind("--", 0) != 0) {
            p.par = a;
        } else {
            return "argument inattendu : " + a;
        }
    }
    if (p.par.empty()) return "il manque la base (fichier .par).";
    return {};
}

// The punctuation entries that end a segment: those whose sign is in the given string, or all of them.
std::set<int32_t> JeuDelimiteurs(const t3::charg1& base, const ParamSegments& p) {
    std::set<int32_t> jeu;
    for (int32_t e = base.Nbform(); e < base.Nbform() + base.Nbartponct(); ++e) {
        const std::string_view signe = base.Graphie(e);
        if (!p.delimiteursDonnes || (signe.size() == 1 && p.delimiteurs.find(signe[0]) != std::string::npos))
            jeu.insert(e);
    }
    return jeu;
}

void AfficheSegments(const t3::SegRep& sr) {
    std::fputs("Longueur\tSegment\tFréquence\n", stdout);
    std::string ligne;
    for (int32_t k = 0; k < sr.NbSegments(); ++k) {
        const t3::Segment& s = sr.Segments()[static_cast<size_t>(k)];
        std::string texte = sr.RetourneGraphie(k);
        if (!texte.empty() && texte.back() == ' ') texte.pop_back(); // each form is followed by a blank
        ligne = std::to_string(s.formes.size()) + "\t" + texte + "\t" + std::to_string(s.frequence) + "\n";
        Affiche(stdout, ligne);
    }
}

int ExecuteSegments(const Arguments& args) {
    ParamSegments p;
    if (const std::string faute = LitParametres(args, p); !faute.empty())
        return Erreur(faute + "\n" + TexteUsage());

    t3::charg1 base;
    if (const auto ouverte = OuvreBase(p.par, base); !ouverte) return Erreur(ouverte.Message());

    const int32_t seuilDefaut = std::max(std::min(SeuilParDefaut, base.Fmax()), SeuilMinimal);
    const int32_t seuilFormes = p.seuilFormes > 0 ? p.seuilFormes : seuilDefaut;
    const int32_t seuilSegments = p.seuilSegments > 0 ? p.seuilSegments : seuilDefaut;

    t3::SegRep sr(&base, JeuDelimiteurs(base, p));
    if (!sr.CalcSegRep(seuilFormes, seuilSegments))
        return Erreur("les fichiers " + sr.NomFichierLoc() + " et " + sr.NomFichierDesc() +
                      " ne peuvent être écrits ; aucun segment n'est calculé.");
    if (sr.NbSegments() == 0) {
        std::fputs("Aucun segment trouvé!\n", stdout);
        return SortieOk;
    }
    AfficheSegments(sr);
    return SortieOk;
}

} // namespace

T3_COMMANDE(
    70, "segments",
    "  segments BASE.par [--seuil=N] [--formes=N] [--delimiteurs=CHAINE]\n"
    "                      les segments répétés (longueur, segment, fréquence) ; --seuil : fréquence\n"
    "                      minimale d'un segment, --formes : fréquence minimale de la forme qui le\n"
    "                      commence (10 par défaut, ou la fréquence maximale de la base si elle est\n"
    "                      plus basse) ; --delimiteurs : les signes de ponctuation qui coupent les\n"
    "                      segments (par défaut tous) ; écrit BASE.loc.sr et BASE.desc.sr\n",
    ExecuteSegments);

} // namespace t3cli
