// t3 selection: the entries a request of the "Groupes de formes" window selects, or those a list file
// loads to, among the forms and, on request, the repeated segments.
#include "Commandes.h"

#include "engine/corpus/charg1.h"
#include "engine/explore/CalculSegments.h"
#include "engine/explore/ListeFormes.h"
#include "engine/explore/ParamSR.h"
#include "engine/explore/SelectionFormes.h"

namespace t3cli {

namespace {

struct ParamSelection {
    std::string par;
    std::string motif; // UTF-8
    bool motifDonne = false;
    int32_t type = t3::RequeteExacte; // the window's first request type
    bool typeDonne = false;
    std::string liste;
    bool segments = false;
    int32_t seuilSegments = -1; // -1: the default
    FormatTableau format;
};

t3::Resultat<ParamSelection> LitParametres(const Arguments& args) {
    ParamSelection p;
    const Lu lus = LitArgumentsTableau(
        args,
        {{"type=",
          [&p](const std::string& valeur) {
              p.typeDonne = true;
              return LitEntierEntre("type", valeur, p.type, 0, t3::NbTypesRequete - 1);
          }},
         Drapeau("segments", p.segments),
         {"segments=",
          [&p](const std::string& valeur) {
              p.segments = true;
              return LitEntierEntre("segments", valeur, p.seuilSegments, t3::SeuilSRMinimal);
          }},
         {"liste=",
          [&p](const std::string& valeur) {
              p.liste = valeur;
              return Lu();
          }}},
        p.format,
        [&p](const std::string& a) {
            if (p.par.empty() && !a.starts_with("--")) {
                p.par = a;
            } else if (!p.motifDonne) {
                // A pattern may begin with "--".
                p.motif = a;
                p.motifDonne = true;
            } else {
                return false;
            }
            return true;
        },
        /*motEnTirets=*/true);
    if (!lus) return t3::Echec{lus.Code(), lus.Message()};
    if (p.par.empty()) return Faute("il manque la base (fichier .par).");
    if (p.liste.empty() == !p.motifDonne) return Faute("donnez soit un motif, soit --liste=FICHIER.lst.");
    if (!p.liste.empty() && p.typeDonne) return Faute("--type ne vaut que pour un motif, pas pour --liste.");
    return p;
}

// "Entrée\tGraphie\tFréquence", then one line per entry; a segment's text without its last blank.
void AfficheEntrees(const t3::charg1& base, const t3::CalculSegments* segments,
                    const std::vector<int32_t>& entrees, const FormatTableau& format) {
    SortieTableau tableau(format);
    tableau.Ligne({"Entr\xE9"
                   "e",
                   "Graphie", "Fr\xE9quence"});
    for (const int32_t e : entrees) {
        std::string texte = base.RetourneGraphie(e, false);
        if (!texte.empty() && texte.back() == ' ') texte.pop_back();
        const int32_t k = e - base.Nbart() - 1;
        const int64_t frequence = e < base.Nbart() || segments == nullptr
                                      ? base.RetourneFrq(e)
                                      : segments->Segments()[static_cast<size_t>(k)].frequence;
        tableau.Champ(e).Champ(texte).Champ(frequence);
        tableau.FinLigne();
    }
}

int ExecuteSelection(const Arguments& args) {
    const auto lus = LitParametres(args);
    if (!lus) return ErreurEtUsage(lus.Message());
    const ParamSelection& p = *lus;

    t3::charg1 base;
    if (const auto ouverte = OuvreBase(p.par, base); !ouverte) return Erreur(ouverte.Message());

    // The segments as t3 segments computes them; the loader numbers them after the dictionary.
    std::shared_ptr<const t3::CalculSegments> segments;
    if (p.segments) {
        const int32_t seuilDefaut = t3::SeuilSRParDefaut(base);
        auto calcul = t3::CalculeSegments(base, t3::JeuDelimiteursSR(base), seuilDefaut,
                                          p.seuilSegments > 0 ? p.seuilSegments : seuilDefaut);
        if (!calcul) return Erreur(calcul.Message());
        segments = *calcul;
        if (segments->NbSegments() == 0) std::fputs("t3 : Aucun segment trouvé!\n", stderr);
        base.AssigneSR(segments.get());
    }

    const auto entrees =
        p.liste.empty() ? t3::SelectionneFormes(base, p.type, p.motif) : t3::LitListe(p.liste, base);
    if (!entrees) return Erreur(entrees.Message());
    AfficheEntrees(base, segments.get(), *entrees, p.format);
    return SortieOk;
}

} // namespace

T3_COMMANDE(75, "selection",
            "  selection BASE.par MOTIF [--type=0..4] [--segments[=SEUIL]] [--csv [--bom]]\n"
            "  selection BASE.par --liste=FICHIER.lst [--segments[=SEUIL]] [--csv [--bom]]\n"
            "                      les entrées qu'une requête de la fenêtre « Groupes de formes » choisit\n"
            "                      (numéro d'entrée, graphie, fréquence) : --type=0 la forme exacte (par\n"
            "                      défaut), 1 le début, 2 la fin, 3 contenu, 4 une expression rationnelle ;\n"
            "                      ou celles que charge un fichier de liste ; --segments : les segments\n"
            "                      répétés sont calculés d'abord (SEUIL : leur fréquence minimale, comme\n"
            "                      --seuil de segments) et cherchés après les formes\n",
            ExecuteSelection);

} // namespace t3cli
