// t3 ventilation: how a group of forms spreads over the parts of a partition, as the ventilation graph
// charts it.
#include "Commandes.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/Cp1252.h"
#include "engine/stats/Tgen.h"
#include "engine/stats/Ventilation.h"

namespace t3cli {

namespace {

struct ParamVentilation {
    std::string par;
    std::string cle;                 // Windows-1252
    std::vector<std::string> formes; // Windows-1252
    t3::ModeVentilation mode = t3::ModeVentilation::Relatives;
    bool modeDonne = false;
    FormatTableau format;
};

Lu ChoisitMode(ParamVentilation& p, t3::ModeVentilation mode) {
    if (p.modeDonne) return Faute("--absolues et --specificites ne vont pas ensemble.");
    p.mode = mode;
    p.modeDonne = true;
    return {};
}

t3::Resultat<ParamVentilation> LitParametres(const Arguments& args) {
    ParamVentilation p;
    bool formesDonnees = false;
    const auto mode = [&p](t3::ModeVentilation choisi) {
        return [&p, choisi](const std::string&) { return ChoisitMode(p, choisi); };
    };
    const Lu lus = LitArgumentsTableau(args,
                                       {{"absolues", mode(t3::ModeVentilation::Absolues)},
                                        {"specificites", mode(t3::ModeVentilation::Specificites)}},
                                       p.format, [&](const std::string& a) {
                                           if (Remplit(p.par, a) || Remplit(p.cle, a)) return true;
                                           if (formesDonnees) return false;
                                           formesDonnees = true;
                                           p.formes = Noms(a);
                                           return true;
                                       });
    if (!lus) return t3::Echec{lus.Code(), lus.Message()};
    if (p.par.empty()) return Faute("il manque la base (fichier .par).");
    if (p.cle.empty()) return Faute("il manque le type de clé de la partition.");
    if (p.formes.empty()) return Faute("il manque les formes du groupe (FORME1,FORME2...).");
    return p;
}

// The dictionary entry of a form or punctuation sign, as the dictionary window lists them; -1 if none.
int32_t EntreeDuDictionnaire(const t3::charg1& base, const std::string& graphie) {
    if (const int32_t forme = base.LocFormDic(graphie); forme >= 0) return forme;
    for (int32_t e = base.Nbform(); e < base.Nbform() + base.Nbartponct(); ++e)
        if (base.Graphie(e) == graphie) return e;
    return -1;
}

// The entries of the forms named, or the message naming the first unknown form.
t3::Resultat<std::vector<int32_t>> ChercheFormes(const t3::charg1& base,
                                                 const std::vector<std::string>& formes) {
    std::vector<int32_t> entrees;
    for (const std::string& forme : formes) {
        const int32_t entree = EntreeDuDictionnaire(base, forme);
        if (entree < 0) return t3::Echec{SortieEchec, FormeAbsente(forme)};
        entrees.push_back(entree);
    }
    return entrees;
}

const char* TitreValeur(t3::ModeVentilation mode) {
    switch (mode) {
    case t3::ModeVentilation::Absolues:
        return "Absolue";
    case t3::ModeVentilation::Specificites:
        return "Spécificité";
    default:
        return "Relative (x 10 000)";
    }
}

void AfficheVentilation(const t3::charg1& base, const t3::Partition& partition, const t3::Tgen& groupe,
                        const ParamVentilation& p) {
    const std::vector<int32_t> frequences = t3::FrequencesParPartie(partition, groupe);
    const std::vector<int64_t> valeurs = t3::ValeursVentilation(partition, groupe, frequences, p.mode);
    SortieTableau tableau(p.format);
    tableau.Ligne(
        {"Partie", "Taille", t3::Utf8VersCp1252("Fréquence"), t3::Utf8VersCp1252(TitreValeur(p.mode))});
    for (int32_t partie = 0; partie < partition.NbParties(); ++partie) {
        const auto i = static_cast<size_t>(partie);
        tableau.Champ(base.Graphie(partition.Contenu(partie)))
            .Champ(partition.NbOccPartie(partie))
            .Champ(frequences[i])
            .Champ(valeurs[i]);
        tableau.FinLigne();
    }
}

int ExecuteVentilation(const Arguments& args) {
    const auto lus = LitParametres(args);
    if (!lus) return ErreurEtUsage(lus.Message());
    const ParamVentilation& p = *lus;

    t3::charg1 base;
    if (const auto ouverte = OuvreBase(p.par, base); !ouverte) return Erreur(ouverte.Message());
    const auto cle = TypeCle(base, p.cle);
    if (!cle) return Erreur(cle.Message());
    const auto entrees = ChercheFormes(base, p.formes);
    if (!entrees) return Erreur(entrees.Message());

    const t3::Partition partition(&base, *cle);
    const t3::Tgen groupe(&base, *entrees);
    AfficheVentilation(base, partition, groupe, p);
    return SortieOk;
}

} // namespace

T3_COMMANDE(65, "ventilation",
            "  ventilation BASE.par CLE FORME1,FORME2... [--absolues | --specificites]\n"
            "                      [--csv [--bom]]\n"
            "                      la ventilation du groupe des formes FORME1, FORME2... sur les parties\n"
            "                      de la partition par le type de clé CLE (partie, taille, fréquence du\n"
            "                      groupe, fréquence relative pour 10 000 occurrences de la partie) ;\n"
            "                      --absolues : la fréquence absolue, --specificites : le coefficient de\n"
            "                      spécificité au seuil de 5 %\n",
            ExecuteVentilation);

} // namespace t3cli
