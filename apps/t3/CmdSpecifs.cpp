// t3 specifs: the specificities of a group of parts, or of every reference part, of a partition.
#include "Commandes.h"

#include "Globaux.h"
#include "corpus/Cles.h"
#include "corpus/Partition.h"
#include "corpus/charg1.h"
#include "segmentation/Cp1252.h"
#include "stats/CalcSpecTot.h"
#include "stats/PrimSpecifs.h"
#include "stats/TableFormesParties.h"

#include <charconv>

namespace t3cli {

namespace {

struct ParamSpecifs {
    std::string par;
    std::string cle;                  // Windows-1252
    std::vector<std::string> parties; // Windows-1252
    std::vector<std::string> reference;
    bool referenceDonnee = false;
    bool toutes = false;
    int32_t seuil = t3::Partition::SeuilInitial;
    int32_t freqMin = t3::Partition::FreqMinInitiale;
};

// The names of a comma-separated list, converted to Windows-1252; empty names are dropped.
std::vector<std::string> Noms(const std::string& liste) {
    std::vector<std::string> noms;
    size_t debut = 0;
    while (debut <= liste.size()) {
        size_t fin = liste.find(',', debut);
        if (fin == std::string::npos) fin = liste.size();
        if (fin > debut) noms.push_back(t3::Utf8VersCp1252(liste.substr(debut, fin - debut)));
        debut = fin + 1;
    }
    return noms;
}

// Reads the arguments; returns an empty text, or the French message of the first fault.
std::string LitParametres(const Arguments& args, ParamSpecifs& p) {
    std::string valeur;
    bool partiesDonnees = false;
    for (const std::string& a : args) {
        if (Option(a, "parties", valeur)) {
            partiesDonnees = true;
            p.parties = Noms(valeur);
        } else if (Option(a, "reference", valeur)) {
            p.referenceDonnee = true;
            p.reference = Noms(valeur);
        } else if (Option(a, "seuil", valeur)) {
            if (!LitEntier(valeur, p.seuil) || p.seuil < 0 || p.seuil > 100)
                return "la valeur de --seuil doit être un pourcentage entier de 0 à 100 : " + valeur;
        } else if (Option(a, "fmin", valeur)) {
            if (!valeur.empty() && valeur.find_first_not_of("0123456789") == std::string::npos &&
                !LitEntier(valeur, p.freqMin))
                return "la valeur de --fmin est trop grande : " + valeur;
            if (!LitEntier(valeur, p.freqMin) || p.freqMin < 1)
                return "la valeur de --fmin doit être un nombre entier au moins égal à 1 : " + valeur;
        } else if (a == "--toutes") {
            p.toutes = true;
        } else if (a.rfind("--", 0) == 0) {
            return "argument inattendu : " + a;
        } else if (p.par.empty()) {
            p.par = a;
        } else if (p.cle.empty()) {
            p.cle = t3::Utf8VersCp1252(a);
        } else {
            return "argument inattendu : " + a;
        }
    }
    if (p.par.empty()) return "il manque la base (fichier .par).";
    if (p.cle.empty()) return "il manque le type de clé de la partition.";
    if (p.toutes && partiesDonnees) return "--parties et --toutes ne vont pas ensemble.";
    if (!p.toutes && p.parties.empty())
        return "il manque les parties étudiées (--parties=P1,P2...) ou --toutes.";
    if (p.referenceDonnee && p.reference.empty()) return "le corpus de référence (--reference) est vide.";
    return {};
}

std::string Utf8(const std::string& cp1252) {
    return t3::Cp1252VersUtf8(cp1252);
}

// Sets the reference and selection flags from the named parts; returns an empty text or the message.
std::string MarqueParties(t3::Partition& partition, const ParamSpecifs& p) {
    if (p.referenceDonnee) {
        for (int32_t i = 0; i < partition.NbParties(); ++i)
            partition.SetReference(i, false);
        for (const std::string& nom : p.reference) {
            const auto i = t3::CherchePartie(partition, nom);
            if (!i) return i.Message();
            partition.SetReference(*i, true);
        }
    }
    for (const std::string& nom : p.parties) {
        const auto i = t3::CherchePartie(partition, nom);
        if (!i) return i.Message();
        if (!partition.Reference(*i))
            return "la partie « " + Utf8(nom) + " » n'est pas dans le corpus de référence.";
        partition.SetSelection(*i, true);
    }
    return {};
}

// Output in Windows-1252, printed in UTF-8 by large pieces.
class Sortie {
  public:
    ~Sortie() { Vide(); }
    Sortie& operator<<(std::string_view texte) {
        m_texte += texte;
        if (m_texte.size() > (1 << 20)) Vide();
        return *this;
    }
    Sortie& operator<<(int64_t n) {
        char chiffres[24];
        const auto fin = std::to_chars(chiffres, chiffres + sizeof chiffres, n).ptr;
        return *this << std::string_view(chiffres, static_cast<size_t>(fin - chiffres));
    }
    void Vide() {
        Affiche(stdout, m_texte);
        m_texte.clear();
    }

  private:
    std::string m_texte;
};

void AfficheListe(const t3::charg1& base, const t3::PrimSpec& calcul) {
    Sortie sortie;
    sortie << t3::Utf8VersCp1252("Terme\tFrq Tot.\tFrq Partie\tSpécif\n");
    for (const t3::EnregSpec& r : calcul.Resultats())
        sortie << base.RetourneGraphie(r.entree, false) << "\t" << int64_t{r.frqRef} << "\t"
               << int64_t{r.frqGroupe} << "\t" << int64_t{r.coef} << "\n";
}

// Every form in entry order, with its frequency in each reference part and its coefficient there
// ("+" before an excess, nothing when the form is not specific in that part).
void AfficheTable(const t3::charg1& base, const t3::TableFormesParties& table) {
    Sortie sortie;
    const std::string specif = t3::Utf8VersCp1252("Spécif ");
    sortie << "Formes";
    for (int32_t j = 0; j < table.NbColonnes(); ++j)
        sortie << "\t" << table.NomColonne(j) << "\t" << specif << table.NomColonne(j);
    sortie << "\n";
    t3::TableFormesParties::LecteurLignes lecteur(table);
    for (int32_t forme = 0; forme < base.Nbform(); ++forme) {
        sortie << base.Graphie(forme);
        for (const t3::CelluleTable& cellule : lecteur.Ligne(forme)) {
            sortie << "\t" << int64_t{cellule.frequence} << "\t";
            if (cellule.coefficient > 0) sortie << "+";
            if (cellule.coefficient != 0) sortie << int64_t{cellule.coefficient};
        }
        sortie << "\n";
    }
}

int ExecuteSpecifs(const Arguments& args) {
    ParamSpecifs p;
    if (const std::string faute = LitParametres(args, p); !faute.empty())
        return Erreur(faute + "\n" + TexteUsage());

    t3::charg1 base;
    if (const auto ouverte = OuvreBase(p.par, base); !ouverte) return Erreur(ouverte.Message());
    const int32_t cle = t3::RetourneTypeCle(base, p.cle);
    if (cle < 0)
        return Erreur("le type de clé « " + Utf8(p.cle) +
                      " » n'existe pas dans la base ; types de clés : " + Utf8(t3::TypesDeCles(base)) + ".");

    t3::Partition partition(&base, cle);
    if (const std::string faute = MarqueParties(partition, p); !faute.empty()) return Erreur(faute);
    partition.SetSeuil(p.seuil);
    partition.SetFreqMin(p.freqMin);

    if (p.toutes) {
        const t3::CalcSpecTot tot(&partition, nullptr, nullptr);
        AfficheTable(base, t3::TableFormesParties(tot));
    } else {
        // As the specificity dialog does: the sizes are divided by the tag-count option.
        t3::PrimSpec calcul(&partition, t3::DiviseurEtiquettes());
        calcul.Compute();
        AfficheListe(base, calcul);
    }
    return SortieOk;
}

} // namespace

T3_COMMANDE(
    60, "specifs",
    "  specifs BASE.par CLE --parties=P1,P2... [--reference=P1,P2...] [--seuil=5] [--fmin=10]\n"
    "  specifs BASE.par CLE --toutes [--reference=P1,P2...] [--seuil=5] [--fmin=10]\n"
    "                      les spécificités des parties P1, P2... de la partition par le type de clé\n"
    "                      CLE (terme, fréquence totale, fréquence dans les parties, coefficient ;\n"
    "                      excédents les plus forts d'abord), ou avec --toutes le tableau des formes\n"
    "                      par parties (fréquence et coefficient dans chaque partie de référence) ;\n"
    "                      --reference : le corpus de référence (toutes les parties par défaut),\n"
    "                      --seuil : seuil de probabilité en pour cent, --fmin : fréquence minimale\n",
    ExecuteSpecifs);

} // namespace t3cli
