// t3 afc and t3 cah: the correspondence analysis of the forms by the parts of a partition, run as the
// workbench runs it (the exchange file written into a work folder, the analysis program run there, its
// results read back), and the classes of the parts by Ward's clustering of their coordinates.
#include "Commandes.h"

#include "engine/afc/ExportAFC.h"
#include "engine/afc/ListePoints.h"
#include "engine/afc/Programmes.h"
#include "engine/afc/Ward.h"
#include "engine/corpus/Cles.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/Cp1252.h"

#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace t3cli {

namespace {

struct ParamAfc {
    std::string par;
    std::string cle; // Windows-1252
    int32_t freqMin = t3::Partition::FreqMinInitiale;
    std::vector<std::string> reference; // Windows-1252; empty: every part, no column flags
    std::string dossier;
    int32_t classes = 2;
    FormatTableau format;
};

t3::Resultat<ParamAfc> LitParametres(const Arguments& args, bool cah) {
    ParamAfc p;
    std::vector<OptionCommande> options = {
        {"fmin=",
         [&p](const std::string& valeur) -> Lu {
             if (!LitEntier(valeur, p.freqMin) || p.freqMin < 1)
                 return Faute("--fmin attend un nombre entier d'au moins 1.");
             return {};
         }},
        {"reference=",
         [&p](const std::string& valeur) -> Lu {
             p.reference = Noms(valeur);
             if (p.reference.empty()) return Faute("--reference attend des noms de parties.");
             return {};
         }},
        {"dossier=",
         [&p](const std::string& valeur) -> Lu {
             if (valeur.empty()) return Faute("--dossier attend un dossier.");
             p.dossier = valeur;
             return {};
         }},
    };
    if (cah)
        options.push_back({"classes=", [&p](const std::string& valeur) -> Lu {
                               if (!LitEntier(valeur, p.classes) || p.classes < 2 ||
                                   p.classes > t3::ClassesMaxCAH)
                                   return Faute("--classes attend un nombre de 2 à 10.");
                               return {};
                           }});
    const Lu lus = LitArgumentsTableau(args, options, p.format, [&p](const std::string& a) {
        return Remplit(p.par, a) || Remplit(p.cle, a);
    });
    if (!lus) return t3::Echec{lus.Code(), lus.Message()};
    if (p.par.empty()) return Faute("il manque la base (fichier .par).");
    if (p.cle.empty()) return Faute("il manque le type de clé de la partition.");
    return p;
}

// Marks the parts named as the reference set, the others out of it; the failure names an unknown part.
t3::Resultat<void> MarqueReference(t3::Partition& partition, const std::vector<std::string>& noms) {
    for (int32_t i = 0; i < partition.NbParties(); ++i)
        partition.SetReference(i, false);
    for (const std::string& nom : noms) {
        const int32_t trouvee = t3::RetournePartie(partition, nom);
        if (trouvee < 0)
            return t3::Echec{2,
                             "la partie « " + t3::Cp1252VersUtf8(nom) + " » n'existe pas dans la partition."};
        partition.SetReference(trouvee, true);
    }
    return {};
}

// Runs the program in the folder and waits for it; its messages go to the error stream as they are.
t3::Resultat<void> Lance(const char* nom, const std::string& dossier) {
    const std::string programme = t3::TrouveProgramme(nom);
    if (programme.empty())
        return t3::Echec{2, std::string("le programme ") + nom +
                                " est introuvable (ni à côté de t3, ni dans le PATH)."};
    const pid_t fils = ::fork();
    if (fils < 0) return t3::Echec{2, std::string("impossible de lancer ") + programme + "."};
    if (fils == 0) {
        if (::chdir(dossier.c_str()) == 0)
            ::execl(programme.c_str(), programme.c_str(), static_cast<char*>(nullptr));
        std::fprintf(stderr, "t3 : impossible de lancer %s dans %s : %s\n", programme.c_str(),
                     dossier.c_str(), std::strerror(errno));
        ::_exit(127);
    }
    int statut = 0;
    while (::waitpid(fils, &statut, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(statut) || WEXITSTATUS(statut) != 0)
        return t3::Echec{2, std::string(nom) + " a échoué dans « " + dossier + " »."};
    return {};
}

// Opens the base, writes "coran.don" into the work folder and runs the analysis there. On success the
// folder holds "facteurs.txt" and "vp.txt"; noms gets the name of each part.
t3::Resultat<std::string> Analyse(const ParamAfc& p, std::vector<std::string>& noms) {
    t3::charg1 base;
    if (const auto ouverte = OuvreBase(p.par, base); !ouverte) return t3::Echec{2, ouverte.Message()};
    const auto cle = TypeCle(base, p.cle);
    if (!cle) return t3::Echec{2, cle.Message()};
    t3::Partition partition(&base, *cle);
    if (partition.NbParties() < 2)
        return t3::Echec{2, "l'analyse demande une partition d'au moins deux parties."};
    if (!p.reference.empty())
        if (const auto marquee = MarqueReference(partition, p.reference); !marquee)
            return t3::Echec{2, marquee.Message()};
    partition.SetFreqMin(p.freqMin);
    std::string dossier = p.dossier;
    if (dossier.empty()) {
        const auto fait = t3::DossierAnalyses(partition);
        if (!fait) return t3::Echec{2, fait.Message()};
        dossier = *fait;
    }
    t3::SupprimeResultats(dossier);
    const t3::ParamAFC param = t3::ParamAFCInitiaux(partition, p.freqMin, !p.reference.empty());
    // A table whose analysis cannot fit in the memory of the machine is refused before anything is
    // written.
    if (const auto place = t3::VerifieTailleAFC(t3::EstimeTailleAFC(partition, param), t3::MemoirePhysique());
        !place)
        return t3::Echec{2, place.Message()};
    if (const auto ecrit = t3::EcritCoranDon(dossier, partition, param); !ecrit)
        return t3::Echec{2, ecrit.Message()};
    if (const auto lance = Lance(t3::ProgrammeAFC, dossier); !lance) return t3::Echec{2, lance.Message()};
    for (int32_t i = 0; i < partition.NbParties(); ++i)
        noms.emplace_back(base.Graphie(partition.Contenu(i)));
    return dossier;
}

std::string Nom(const std::vector<std::string>& noms, int32_t i) {
    return i >= 0 && static_cast<size_t>(i) < noms.size() ? noms[static_cast<size_t>(i)] : std::to_string(i);
}

void AfficheFacteurs(const t3::TListePoints& points, const std::vector<std::string>& noms,
                     const FormatTableau& format) {
    SortieTableau tableau(format);
    tableau.Champ("Partie").Champ("Masse").Champ("Distance");
    for (int32_t k = 0; k < points.NbFacteurs(); ++k) {
        char facteur[16];
        std::snprintf(facteur, sizeof facteur, "F%d", static_cast<int>(k + 1));
        tableau.Champ(facteur);
    }
    tableau.FinLigne();
    for (int32_t i = 0; i < points.NbPoints(); ++i) {
        tableau.Champ(Nom(noms, i)).Champ(points.Masse(i), 3).Champ(points.Distance(i), 3);
        for (int32_t k = 0; k < points.NbFacteurs(); ++k)
            tableau.Champ(points.Coordonnee(k, i), 2);
        tableau.FinLigne();
    }
}

int ExecuteAfcOuCah(const Arguments& args, bool cah) {
    const auto lus = LitParametres(args, cah);
    if (!lus) return ErreurEtUsage(lus.Message());
    const ParamAfc& p = *lus;
    std::vector<std::string> noms;
    const auto dossier = Analyse(p, noms);
    if (!dossier) return Erreur(dossier.Message());
    const auto nbParties = static_cast<int32_t>(noms.size());
    if (!cah) {
        const auto lu = t3::LitResultatsAFC(*dossier);
        if (!lu) return Erreur(lu.Message());
        if (const auto points = t3::VerifieNbPoints(lu->points.NbPoints(), nbParties); !points)
            return Erreur(points.Message());
        AfficheFacteurs(lu->points, noms, p.format);
        return SortieOk;
    }
    if (const auto points = t3::VerifiePointsPartition(*dossier, nbParties); !points)
        return Erreur(points.Message());
    if (const auto lance = Lance(t3::ProgrammeCAH, *dossier); !lance) return Erreur(lance.Message());
    const auto texte = t3::LitFichierAnalyse(*dossier + "/" + t3::NomCah, t3::NomCah, t3::LimiteCah,
                                             "le fichier « cah.txt » est absent.");
    if (!texte) return Erreur(texte.Message());
    // The tree checked, and of one point per part, before its classes are printed.
    const auto arbre = t3::LitArbreCah(*texte);
    if (!arbre) return Erreur(arbre.Message());
    if (arbre->nbPoints != nbParties)
        return Erreur("la classification (« cah.txt ») ne correspond pas aux " + std::to_string(nbParties) +
                      " parties de la partition (points lus : " + std::to_string(arbre->nbPoints) + ").");
    const auto classes = t3::LitClassesCah(*texte);
    if (!classes) return Erreur(classes.Message());
    const auto k = static_cast<size_t>(p.classes - 2);
    if (k >= classes->size())
        return Erreur("la partition n'a pas assez de parties pour " + std::to_string(p.classes) +
                      " classes.");
    SortieTableau tableau(p.format);
    tableau.Ligne({"Partie", "Classe"});
    for (size_t i = 0; i < (*classes)[k].size(); ++i) {
        tableau.Champ(Nom(noms, static_cast<int32_t>(i))).Champ((*classes)[k][i]);
        tableau.FinLigne();
    }
    return SortieOk;
}

int ExecuteAfc(const Arguments& args) {
    return ExecuteAfcOuCah(args, false);
}

int ExecuteCah(const Arguments& args) {
    return ExecuteAfcOuCah(args, true);
}

} // namespace

T3_COMMANDE(90, "afc",
            "  afc BASE.par CLE [--fmin=10] [--reference=P1,P2...] [--dossier=DIR] [--csv [--bom]]\n"
            "                      l'analyse factorielle des correspondances des formes de fréquence au\n"
            "                      moins FMIN par les parties de la partition par CLE : écrit « coran.don »\n"
            "                      dans DIR (par défaut le dossier BASE.afc/CLE à côté de la base, un par\n"
            "                      type de clé), y lance ts3afc et affiche la table des facteurs (partie,\n"
            "                      masse, distance, coordonnées x 1000) ; --reference : les parties de\n"
            "                      référence, seules actives dans l'analyse (drapeaux des colonnes 1) ;\n"
            "                      les autres sont supplémentaires (drapeaux 2)\n",
            ExecuteAfc);

T3_COMMANDE(91, "cah",
            "  cah BASE.par CLE [options de afc] [--classes=2]\n"
            "                      la classification de Ward des parties sur leurs coordonnées (ts3cah\n"
            "                      après ts3afc) : la classe de chaque partie pour 2 à 10 classes\n",
            ExecuteCah);

} // namespace t3cli
