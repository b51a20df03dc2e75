// t3 ventilation: how a group of forms spreads over the parts of a partition, as the ventilation graph
// charts it.
#include "Commandes.h"

#include "corpus/Partition.h"
#include "corpus/charg1.h"
#include "socle/Cp1252.h"
#include "stats/Tgen.h"
#include "stats/Ventilation.h"

namespace t3cli {

namespace {

struct ParamVentilation {
    std::string par;
    std::string cle;                 // Windows-1252
    std::vector<std::string> formes; // Windows-1252
    t3::ModeVentilation mode = t3::ModeVentilation::Relatives;
    bool modeDonne = false;
};

std::string ChoisitMode(ParamVentilation& p, t3::ModeVentilation mode) {
    if (p.modeDonne) return "--absolues et --specificites ne vont pas ensemble.";
    p.mode = mode;
    p.modeDonne = true;
    return {};
}

// Reads the arguments; returns an empty text, or the French message of the first fault.
std::string LitParametres(const Arguments& args, ParamVentilation& p) {
    bool formesDonnees = false;
    for (const std::string& a : args) {
        std::string faute;
        if (a == "--absolues")
            faute = ChoisitMode(p, t3::ModeVentilation::Absolues);
        else if (a == "--specificites")
            faute = ChoisitMode(p, t3::ModeVentilation::Specificites);
        else if (a.rfind("--", 0) == 0)
            faute = "argument inattendu : " + a;
        else if (p.par.empty())
            p.par = a;
        else if (p.cle.empty())
            p.cle = a;
        else if (!formesDonnees) {
            formesDonnees = true;
            p.formes = Noms(a);
        } else
            faute = "argument inattendu : " + a;
        if (!faute.empty()) return faute;
    }
    if (p.par.empty()) return "il manque la base (fichier .par).";
    if (p.cle.empty()) return "il manque le type de clé de la partition.";
    if (p.formes.empty()) return "il manque les formes du groupe (FORME1,FORME2...).";
    return {};
}

// The dictionary entry of a form or punctuation sign, as the dictionary window lists them; -1 if none.
int32_t EntreeDuDictionnaire(const t3::charg1& base, const std::string& graphie) {
    if (const int32_t forme = base.LocFormDic(graphie); forme >= 0) return forme;
    for (int32_t e = base.Nbform(); e < base.Nbform() + base.Nbartponct(); ++e)
        if (base.Graphie(e) == graphie) return e;
    return -1;
}

// The entries of the forms named; an empty text or the message naming the first unknown form.
std::string ChercheFormes(const t3::charg1& base, const std::vector<std::string>& formes,
                          std::vector<int32_t>& entrees) {
    for (const std::string& forme : formes) {
        const int32_t entree = EntreeDuDictionnaire(base, forme);
        if (entree < 0) return FormeAbsente(forme);
        entrees.push_back(entree);
    }
    return {};
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
                        t3::ModeVentilation mode) {
    const std::vector<int32_t> frequences = t3::FrequencesParPartie(partition, groupe);
    const std::vector<int64_t> valeurs = t3::ValeursVentilation(partition, groupe, frequences, mode);
    Sortie sortie;
    sortie << t3::Utf8VersCp1252(std::string("Partie\tTaille\tFréquence\t") + TitreValeur(mode) + "\n");
    for (int32_t p = 0; p < partition.NbParties(); ++p) {
        const auto i = static_cast<size_t>(p);
        sortie << base.Graphie(partition.Contenu(p)) << "\t" << int64_t{partition.NbOccPartie(p)} << "\t"
               << int64_t{frequences[i]} << "\t" << valeurs[i] << "\n";
    }
}

int ExecuteVentilation(const Arguments& args) {
    ParamVentilation p;
    if (const std::string faute = LitParametres(args, p); !faute.empty())
        return Erreur(faute + "\n" + TexteUsage());

    t3::charg1 base;
    if (const auto ouverte = OuvreBase(p.par, base); !ouverte) return Erreur(ouverte.Message());
    const auto cle = TypeCle(base, p.cle);
    if (!cle) return Erreur(cle.Message());
    std::vector<int32_t> entrees;
    if (const std::string faute = ChercheFormes(base, p.formes, entrees); !faute.empty())
        return Erreur(faute);

    const t3::Partition partition(&base, *cle);
    const t3::Tgen groupe(&base, entrees);
    AfficheVentilation(base, partition, groupe, p.mode);
    return SortieOk;
}

} // namespace

T3_COMMANDE(65, "ventilation",
            "  ventilation BASE.par CLE FORME1,FORME2... [--absolues | --specificites]\n"
            "                      la ventilation du groupe des formes FORME1, FORME2... sur les parties\n"
            "                      de la partition par le type de clé CLE (partie, taille, fréquence du\n"
            "                      groupe, fréquence relative pour 10 000 occurrences de la partie) ;\n"
            "                      --absolues : la fréquence absolue, --specificites : le coefficient de\n"
            "                      spécificité au seuil de 5 %\n",
            ExecuteVentilation);

} // namespace t3cli
