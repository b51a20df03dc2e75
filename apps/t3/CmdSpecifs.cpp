// t3 specifs: the specificities of a group of parts, the evolutive specificities of one part, or the
// table of every reference part, of a partition.
#include "Commandes.h"

#include "engine/Globaux.h"
#include "engine/corpus/Cles.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/Cp1252.h"
#include "engine/stats/CalcSpecTot.h"
#include "engine/stats/PrimSpecifs.h"
#include "engine/stats/SpecEvolutives.h"
#include "engine/stats/TableFormesParties.h"
#include "engine/stats/TriTableFormes.h"

#include <algorithm>

namespace t3cli {

namespace {

struct ParamSpecifs {
    std::string par;
    std::string cle;                  // Windows-1252
    std::vector<std::string> parties; // Windows-1252
    std::vector<std::string> reference;
    bool referenceDonnee = false;
    bool toutes = false;
    bool evolutives = false; // the one part of parties, studied against the parts before it
    std::string colonneTri;  // Windows-1252; empty: the table in entry order
    t3::CritereTri critereTri = t3::CritereTri::Frequence;
    int32_t seuil = t3::Partition::SeuilInitial;
    int32_t freqMin = t3::Partition::FreqMinInitiale;
    FormatTableau format;
};

// --tri=COLONNE[:frequence|:specificite]: the part whose column sorts the table, and by what.
Lu LitTri(const std::string& valeur, ParamSpecifs& p) {
    std::string colonne = valeur;
    for (const auto& [suffixe, critere] : {std::pair{":frequence", t3::CritereTri::Frequence},
                                           std::pair{":specificite", t3::CritereTri::Specificite}}) {
        const std::string_view fin(suffixe);
        if (colonne.ends_with(fin)) {
            colonne.resize(colonne.size() - fin.size());
            p.critereTri = critere;
            break;
        }
    }
    p.colonneTri = t3::Utf8VersCp1252(colonne);
    if (p.colonneTri.empty())
        return Faute("il manque la partie de --tri (--tri=PARTIE[:frequence|:specificite]).");
    return {};
}

t3::Resultat<ParamSpecifs> LitParametres(const Arguments& args) {
    ParamSpecifs p;
    bool partiesDonnees = false;
    const Lu lus = LitArgumentsTableau(
        args,
        {{"parties=",
          [&](const std::string& valeur) {
              partiesDonnees = true;
              p.parties = Noms(valeur);
              return Lu();
          }},
         {"reference=",
          [&p](const std::string& valeur) {
              p.referenceDonnee = true;
              p.reference = Noms(valeur);
              return Lu();
          }},
         {"seuil=",
          [&p](const std::string& valeur) -> Lu {
              if (!LitEntier(valeur, p.seuil) || p.seuil < 0 || p.seuil > 100)
                  return Faute("la valeur de --seuil doit être un pourcentage entier de 0 à 100 : " + valeur);
              return {};
          }},
         {"fmin=",
          [&p](const std::string& valeur) -> Lu {
              if (!valeur.empty() && valeur.find_first_not_of("0123456789") == std::string::npos &&
                  !LitEntier(valeur, p.freqMin))
                  return Faute("la valeur de --fmin est trop grande : " + valeur);
              return LitEntierEntre("fmin", valeur, p.freqMin, 1);
          }},
         {"evolutives=",
          [&p](const std::string& valeur) -> Lu {
              p.evolutives = true;
              p.parties = Noms(valeur);
              if (p.parties.size() != 1)
                  return Faute("--evolutives attend une partie et une seule : " + valeur);
              return {};
          }},
         {"tri=", [&p](const std::string& valeur) { return LitTri(valeur, p); }},
         Drapeau("toutes", p.toutes)},
        p.format, [&p](const std::string& a) { return Remplit(p.par, a) || Remplit(p.cle, a); });
    if (!lus) return t3::Echec{lus.Code(), lus.Message()};
    if (p.par.empty()) return Faute("il manque la base (fichier .par).");
    if (p.cle.empty()) return Faute("il manque le type de clé de la partition.");
    if (p.toutes && partiesDonnees) return Faute("--parties et --toutes ne vont pas ensemble.");
    if (p.evolutives && partiesDonnees) return Faute("--evolutives et --parties ne vont pas ensemble.");
    if (p.evolutives && p.toutes) return Faute("--evolutives et --toutes ne vont pas ensemble.");
    if (!p.toutes && p.parties.empty())
        return Faute("il manque les parties étudiées (--parties=P1,P2...), --evolutives=PARTIE ou --toutes.");
    if (!p.colonneTri.empty() && !p.toutes) return Faute("--tri ne va qu'avec --toutes.");
    if (p.referenceDonnee && p.reference.empty())
        return Faute("le corpus de référence (--reference) est vide.");
    return p;
}

std::string Utf8(const std::string& cp1252) {
    return t3::Cp1252VersUtf8(cp1252);
}

// The part named nom, which must be in the reference corpus.
t3::Resultat<int32_t> PartieDeReference(const t3::Partition& partition, const std::string& nom) {
    const auto i = t3::CherchePartie(partition, nom);
    if (i && !partition.Reference(*i))
        return t3::Echec{t3::PartieInconnue,
                         "la partie « " + Utf8(nom) + " » n'est pas dans le corpus de référence."};
    return i;
}

// Sets the reference and selection flags from the named parts; the failure names an unknown part.
t3::Resultat<void> MarqueParties(t3::Partition& partition, const ParamSpecifs& p) {
    if (p.referenceDonnee) {
        for (int32_t i = 0; i < partition.NbParties(); ++i)
            partition.SetReference(i, false);
        for (const std::string& nom : p.reference) {
            const auto i = t3::CherchePartie(partition, nom);
            if (!i) return t3::Echec{i.Code(), i.Message()};
            partition.SetReference(*i, true);
        }
    }
    for (const std::string& nom : p.parties) {
        const auto i = PartieDeReference(partition, nom);
        if (!i) return t3::Echec{i.Code(), i.Message()};
        partition.SetSelection(*i, true);
    }
    return {};
}

void AfficheListe(const t3::charg1& base, const t3::PrimSpec& calcul, const FormatTableau& format) {
    SortieTableau tableau(format);
    tableau.Ligne({"Terme", "Frq Tot.", "Frq Partie", t3::Utf8VersCp1252("Spécif")});
    for (const t3::EnregSpec& r : calcul.Resultats()) {
        tableau.Champ(base.RetourneGraphie(r.entree, false)).Champ(r.frqRef).Champ(r.frqGroupe).Champ(r.coef);
        tableau.FinLigne();
    }
}

// The table sorted by the column of the part named in --tri, as a first click on its header sorts it:
// descending frequency, or descending coefficient with the forms not specific there last.
void AfficheTableTriee(const t3::charg1& base, const t3::TableFormesParties& table, int32_t partie,
                       t3::CritereTri critere, const FormatTableau& format) {
    const auto& parties = table.Calcul().PartiesReference();
    const auto colonne = std::find(parties.begin(), parties.end(), partie) - parties.begin();
    t3::TriTableFormes tri(table);
    tri.ClicEntete(static_cast<int32_t>(colonne) + 1, critere);
    SortieTableau tableau(format);
    t3::EcritTableFormesParties(tableau, base, table, &tri.Lignes());
}

int ExecuteSpecifs(const Arguments& args) {
    const auto lus = LitParametres(args);
    if (!lus) return ErreurEtUsage(lus.Message());
    const ParamSpecifs& p = *lus;

    t3::charg1 base;
    if (const auto ouverte = OuvreBase(p.par, base); !ouverte) return Erreur(ouverte.Message());
    const auto cle = TypeCle(base, p.cle);
    if (!cle) return Erreur(cle.Message());

    t3::Partition partition(&base, *cle);
    if (const auto marquees = MarqueParties(partition, p); !marquees) return Erreur(marquees.Message());
    int32_t partieTri = -1;
    if (!p.colonneTri.empty()) {
        const auto partie = PartieDeReference(partition, p.colonneTri);
        if (!partie) return Erreur(partie.Message());
        partieTri = *partie;
    }
    partition.SetSeuil(p.seuil);
    partition.SetFreqMin(p.freqMin);

    if (p.toutes) {
        const t3::CalcSpecTot tot(&partition, nullptr, nullptr);
        const t3::TableFormesParties table(tot);
        if (partieTri >= 0) {
            AfficheTableTriee(base, table, partieTri, p.critereTri, p.format);
        } else {
            SortieTableau tableau(p.format);
            t3::EcritTableFormesParties(tableau, base, table);
        }
    } else if (p.evolutives) {
        // As the evolutive dialog does: the part against the reference parts up to it, sizes undivided.
        const auto calcul = t3::SpecEvolutives(partition);
        if (!calcul) return Erreur(calcul.Message());
        AfficheListe(base, **calcul, p.format);
    } else {
        // As the specificity dialog does: the sizes are divided by the tag-count option.
        t3::PrimSpec calcul(&partition, t3::DiviseurEtiquettes());
        calcul.Compute();
        AfficheListe(base, calcul, p.format);
    }
    return SortieOk;
}

} // namespace

T3_COMMANDE(
    60, "specifs",
    "  specifs BASE.par CLE --parties=P1,P2... [--reference=P1,P2...] [--seuil=5] [--fmin=10]\n"
    "                      [--csv [--bom]]\n"
    "  specifs BASE.par CLE --evolutives=P [--reference=P1,P2...] [--seuil=5] [--fmin=10]\n"
    "                      [--csv [--bom]]\n"
    "  specifs BASE.par CLE --toutes [--tri=P[:frequence|:specificite]] [--reference=P1,P2...]\n"
    "                      [--seuil=5] [--fmin=10] [--csv [--bom]]\n"
    "                      les spécificités des parties P1, P2... de la partition par le type de clé\n"
    "                      CLE (terme, fréquence totale, fréquence dans les parties, coefficient ;\n"
    "                      excédents les plus forts d'abord) ; avec --evolutives, les spécificités\n"
    "                      évolutives de la partie P face aux parties de référence qui la précèdent et\n"
    "                      à elle-même ; avec --toutes, le tableau des formes par parties (fréquence\n"
    "                      et coefficient dans chaque partie de référence), dans l'ordre des formes\n"
    "                      ou, avec --tri, par fréquence (ou coefficient) décroissante dans la\n"
    "                      partie P ; --reference : le corpus de référence (toutes les parties par\n"
    "                      défaut), --seuil : seuil de probabilité en pour cent, --fmin : fréquence\n"
    "                      minimale\n",
    ExecuteSpecifs);

} // namespace t3cli
