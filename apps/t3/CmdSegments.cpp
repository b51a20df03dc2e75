// t3 segments: the repeated segments of a base.
#include "Commandes.h"

#include "engine/corpus/charg1.h"
#include "engine/explore/CalculSegments.h"
#include "engine/explore/ParamSR.h"
#include "engine/explore/TriSegments.h"
#include "engine/socle/Cp1252.h"

#include <optional>

namespace t3cli {

namespace {

struct ParamSegments {
    std::string par;
    int32_t seuilSegments = -1; // -1: the default
    int32_t seuilFormes = -1;
    bool delimiteursDonnes = false;
    std::string delimiteurs;      // Windows-1252
    std::optional<t3::TriSR> tri; // none: the order in which the segments were found
    FormatTableau format;
};

// The columns of the segments window by the names --tri takes.
t3::Resultat<t3::TriSR> LitTri(const std::string& nom) {
    if (nom == "lg") return t3::TriSR::Longueur;
    if (nom == "segment") return t3::TriSR::Segment;
    if (nom == "frq") return t3::TriSR::Frequence;
    return Faute("la valeur de --tri doit être lg, segment ou frq : " + nom);
}

t3::Resultat<ParamSegments> LitParametres(const Arguments& args) {
    ParamSegments p;
    const Lu lus = LitArgumentsTableau(
        args,
        {OptionEntier("seuil", p.seuilSegments, t3::SeuilSRMinimal),
         OptionEntier("formes", p.seuilFormes, t3::SeuilSRMinimal),
         {"delimiteurs=",
          [&p](const std::string& valeur) {
              p.delimiteursDonnes = true;
              return Retient(p.delimiteurs, LitDelimiteurs(valeur));
          }},
         {"tri=", [&p](const std::string& valeur) { return Retient(p.tri, LitTri(valeur)); }}},
        p.format, [&p](const std::string& a) { return Remplit(p.par, a); });
    if (!lus) return t3::Echec{lus.Code(), lus.Message()};
    if (p.par.empty()) return Faute("il manque la base (fichier .par).");
    return p;
}

// The rows in the order of the segments window after a click on the column of tri, if any.
void AfficheSegments(const t3::charg1& base, const t3::CalculSegments& calcul, const ParamSegments& p) {
    std::vector<int32_t> lignes = t3::LignesSegments(calcul.NbSegments());
    if (p.tri) t3::TrieSegments(lignes, calcul.Segments(), base, *p.tri);
    SortieTableau tableau(p.format);
    tableau.Ligne({"Longueur", "Segment", "Fr\xE9quence"});
    for (const int32_t k : lignes) {
        const t3::Segment& s = calcul.Segments()[static_cast<size_t>(k)];
        std::string texte = calcul.RetourneGraphie(k);
        if (!texte.empty() && texte.back() == ' ') texte.pop_back(); // each form is followed by a blank
        tableau.Champ(static_cast<int64_t>(s.formes.size())).Champ(texte).Champ(s.frequence);
        tableau.FinLigne();
    }
}

int ExecuteSegments(const Arguments& args) {
    const auto lus = LitParametres(args);
    if (!lus) return ErreurEtUsage(lus.Message());
    const ParamSegments& p = *lus;

    t3::charg1 base;
    if (const auto ouverte = OuvreBase(p.par, base); !ouverte) return Erreur(ouverte.Message());

    const int32_t seuilDefaut = t3::SeuilSRParDefaut(base);
    const int32_t seuilFormes = p.seuilFormes > 0 ? p.seuilFormes : seuilDefaut;
    const int32_t seuilSegments = p.seuilSegments > 0 ? p.seuilSegments : seuilDefaut;

    const auto calcul = t3::CalculeSegments(
        base, p.delimiteursDonnes ? t3::JeuDelimiteursSR(base, p.delimiteurs) : t3::JeuDelimiteursSR(base),
        seuilFormes, seuilSegments);
    if (!calcul) return Erreur(calcul.Message());
    // The window's message; a CSV table stays one, of its header alone.
    if ((*calcul)->NbSegments() == 0 && !p.format.csv) {
        std::fputs("Aucun segment trouvé!\n", stdout);
        return SortieOk;
    }
    if ((*calcul)->NbSegments() == 0) std::fputs("t3 : Aucun segment trouvé!\n", stderr);
    AfficheSegments(base, **calcul, p);
    return SortieOk;
}

} // namespace

T3_COMMANDE(
    70, "segments",
    "  segments BASE.par [--seuil=N] [--formes=N] [--delimiteurs=CHAINE] [--tri=lg|segment|frq]\n"
    "                      [--csv [--bom]]\n"
    "                      les segments répétés (longueur, segment, fréquence) ; --seuil : fréquence\n"
    "                      minimale d'un segment, --formes : fréquence minimale de la forme qui le\n"
    "                      commence (10 par défaut, ou la fréquence maximale de la base si elle est\n"
    "                      plus basse) ; --delimiteurs : les signes de ponctuation qui coupent les\n"
    "                      segments (par défaut tous) ; --tri : l'ordre d'un clic sur la colonne\n"
    "                      Lg, Segment ou Frq de la fenêtre (par défaut l'ordre du calcul) ; écrit\n"
    "                      BASE.loc.sr et BASE.desc.sr\n",
    ExecuteSegments);

} // namespace t3cli
