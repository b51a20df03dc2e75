// t3 segments: the repeated segments of a base.
#include "Commandes.h"

#include "corpus/charg1.h"
#include "explore/ParamSR.h"
#include "explore/SegRep.h"
#include "segmentation/Cp1252.h"

namespace t3cli {

namespace {

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
            if (!LitEntier(valeur, n) || n < t3::SeuilSRMinimal)
                return std::string("la valeur de --") + (seuil ? "seuil" : "formes") +
                       " doit être un nombre entier au moins égal à 2 : " + valeur;
            (seuil ? p.seuilSegments : p.seuilFormes) = n;
        } else if (Option(a, "delimiteurs", valeur)) {
            p.delimiteursDonnes = true;
            if (const std::string faute = LitDelimiteurs(valeur, p.delimiteurs); !faute.empty()) return faute;
        } else if (p.par.empty() && a.rfind("--", 0) != 0) {
            p.par = a;
        } else {
            return "argument inattendu : " + a;
        }
    }
    if (p.par.empty()) return "il manque la base (fichier .par).";
    return {};
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

    const int32_t seuilDefaut = t3::SeuilSRParDefaut(base);
    const int32_t seuilFormes = p.seuilFormes > 0 ? p.seuilFormes : seuilDefaut;
    const int32_t seuilSegments = p.seuilSegments > 0 ? p.seuilSegments : seuilDefaut;

    t3::SegRep sr(&base, p.delimiteursDonnes ? t3::JeuDelimiteursSR(base, p.delimiteurs)
                                             : t3::JeuDelimiteursSR(base));
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
