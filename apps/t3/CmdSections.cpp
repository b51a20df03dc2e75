// t3 sections: the sections of the text after every occurrence of chosen punctuation signs, as the
// section map shows them (form tokens, a group's occurrences and coefficient, the part of each section
// under a partition), or the specific forms of some of them.
#include "Commandes.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/Section.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/CarteSections.h"
#include "engine/explore/SpecifsSections.h"
#include "engine/socle/Cp1252.h"
#include "engine/stats/Tgen.h"

#include <algorithm>
#include <optional>

namespace t3cli {

namespace {

struct ParamSections {
    std::string par;
    std::string delimiteurs;          // Windows-1252, one sign a byte
    std::vector<std::string> formes;  // Windows-1252
    std::string cle;                  // as typed
    std::vector<std::string> specifs; // section numbers as typed
    bool specifsDonnees = false;
    bool seuilOuFmin = false;
    int32_t seuil = t3::Partition::SeuilInitial;
    int32_t freqMin = t3::Partition::FreqMinInitiale;
    FormatTableau format;
};

t3::Resultat<ParamSections> LitParametres(const Arguments& args) {
    ParamSections p;
    const Lu lus = LitArgumentsTableau(
        args,
        {{"delimiteurs=",
          [&p](const std::string& valeur) { return Retient(p.delimiteurs, LitDelimiteurs(valeur)); }},
         {"groupe=",
          [&p](const std::string& valeur) {
              p.formes = Noms(valeur);
              return Lu();
          }},
         {"partition=",
          [&p](const std::string& valeur) {
              p.cle = valeur;
              return Lu();
          }},
         {"specifs=",
          [&p](const std::string& valeur) {
              p.specifsDonnees = true;
              p.specifs = Noms(valeur);
              return Lu();
          }},
         {"seuil=",
          [&p](const std::string& valeur) -> Lu {
              p.seuilOuFmin = true;
              if (!LitEntier(valeur, p.seuil) || p.seuil < 0 || p.seuil > 100)
                  return Faute("la valeur de --seuil doit être un pourcentage entier de 0 à 100 : " + valeur);
              return {};
          }},
         {"fmin=",
          [&p](const std::string& valeur) {
              p.seuilOuFmin = true;
              return LitEntierEntre("fmin", valeur, p.freqMin, 1);
          }}},
        p.format, [&p](const std::string& a) { return Remplit(p.par, a); });
    if (!lus) return t3::Echec{lus.Code(), lus.Message()};
    if (p.par.empty()) return Faute("il manque la base (fichier .par).");
    if (p.delimiteurs.empty()) return Faute("il manque les délimiteurs des sections (--delimiteurs=.?!).");
    if (p.specifsDonnees && p.specifs.empty())
        return Faute("il manque les numéros des sections de --specifs (--specifs=0,4,7).");
    if (p.specifsDonnees && (!p.formes.empty() || !p.cle.empty()))
        return Faute("--specifs ne va ni avec --groupe ni avec --partition.");
    if (p.seuilOuFmin && !p.specifsDonnees) return Faute("--seuil et --fmin ne vont qu'avec --specifs.");
    return p;
}

// Each byte of the string names the punctuation entry whose graphie it is, in the order given (a sign
// given twice counts once); the failure names a sign that the base does not hold.
t3::Resultat<std::vector<int32_t>> Delimiteurs(const t3::charg1& base, const std::string& signes) {
    std::vector<int32_t> entrees;
    for (const char signe : signes) {
        int32_t trouvee = -1;
        for (int32_t e = base.Nbform(); e < base.Nbform() + base.Nbartponct() && trouvee < 0; ++e)
            if (base.Graphie(e) == std::string_view(&signe, 1)) trouvee = e;
        if (trouvee < 0) {
            std::string connus;
            for (int32_t e = base.Nbform(); e < base.Nbform() + base.Nbartponct(); ++e) {
                if (!connus.empty()) connus += ' ';
                connus += base.Graphie(e);
            }
            return t3::Echec{SortieEchec, "le délimiteur « " + t3::Cp1252VersUtf8(std::string(1, signe)) +
                                              " » n'est pas un signe de ponctuation de la base ; signes : " +
                                              t3::Cp1252VersUtf8(connus) + "."};
        }
        if (std::find(entrees.begin(), entrees.end(), trouvee) == entrees.end()) entrees.push_back(trouvee);
    }
    return entrees;
}

t3::Resultat<std::vector<int32_t>> Formes(const t3::charg1& base, const std::vector<std::string>& formes) {
    std::vector<int32_t> entrees;
    for (const std::string& forme : formes) {
        const int32_t entree = base.LocFormDic(forme);
        if (entree < 0) return t3::Echec{SortieEchec, FormeAbsente(forme)};
        entrees.push_back(entree);
    }
    return entrees;
}

// The sections numbered, as bits; the failure names a number that is not a section.
t3::Resultat<t3::BitsSections> SectionsNommees(const std::vector<std::string>& numeros, int32_t nb) {
    t3::BitsSections choisies(nb);
    for (const std::string& numero : numeros) {
        int32_t s = 0;
        if (!LitEntier(numero, s) || s < 0)
            return t3::Echec{SortieEchec, "numéro de section incorrect : " + t3::Cp1252VersUtf8(numero)};
        if (s >= nb)
            return t3::Echec{SortieEchec,
                             "la section " + std::to_string(s) + " n'existe pas ; " +
                                 (nb == 0 ? std::string("le texte n'a aucune section.")
                                          : "les sections vont de 0 à " + std::to_string(nb - 1) + ".")};
        choisies.Met(s);
    }
    return choisies;
}

void AfficheSections(const t3::charg1& base, const t3::Section& sections, const t3::Tgen* groupe,
                     const t3::Partition* partition, const FormatTableau& format) {
    SortieTableau tableau(format);
    tableau.Champ("Section").Champ(t3::Utf8VersCp1252("Début")).Champ("Occurrences");
    if (groupe != nullptr) tableau.Champ("Groupe").Champ("Coefficient");
    if (partition != nullptr) tableau.Champ("Partie");
    tableau.FinLigne();
    std::vector<t3::SerieSections> series;
    if (partition != nullptr) series = t3::SeriesSections(sections, *partition);
    size_t serie = 0;
    // The coefficients by blocks of sections, as the map computes those on screen.
    constexpr int32_t Bloc = 4096;
    std::vector<int32_t> coefficients;
    for (int32_t s = 0; s < sections.NbSections(); ++s) {
        tableau.Champ(s).Champ(sections.Debut(s)).Champ(sections.OccurrencesSection(s));
        if (groupe != nullptr) {
            if (s % Bloc == 0)
                coefficients = t3::CoefficientsSections(sections, groupe->Positions(), s, s + Bloc);
            tableau.Champ(sections.CompteDansSection(groupe->Positions(), s))
                .Champ(coefficients[static_cast<size_t>(s % Bloc)]);
        }
        if (partition != nullptr) {
            while (serie + 1 < series.size() && series[serie].fin <= s)
                ++serie;
            tableau.Champ(serie < series.size() ? base.Graphie(partition->Contenu(series[serie].partie))
                                                : std::string_view());
        }
        tableau.FinLigne();
    }
}

void AfficheSpecifs(const t3::charg1& base, const t3::SpecifsDeSections& specifs,
                    const FormatTableau& format) {
    SortieTableau tableau(format);
    tableau.Ligne({"Terme", "Frq Tot.", "Frq Sections", t3::Utf8VersCp1252("Spécif")});
    for (const t3::EnregSpec& r : specifs.enregistrements) {
        tableau.Champ(base.Graphie(r.entree)).Champ(r.frqRef).Champ(r.frqGroupe).Champ(r.coef);
        tableau.FinLigne();
    }
}

int ExecuteSections(const Arguments& args) {
    const auto lus = LitParametres(args);
    if (!lus) return ErreurEtUsage(lus.Message());
    const ParamSections& p = *lus;

    t3::charg1 base;
    if (const auto ouverte = OuvreBase(p.par, base); !ouverte) return Erreur(ouverte.Message());
    const auto delimiteurs = Delimiteurs(base, p.delimiteurs);
    if (!delimiteurs) return Erreur(delimiteurs.Message());
    std::optional<int32_t> cle;
    if (!p.cle.empty()) {
        const auto type = TypeCle(base, p.cle);
        if (!type) return Erreur(type.Message());
        cle = *type;
    }
    const auto entrees = Formes(base, p.formes);
    if (!entrees) return Erreur(entrees.Message());

    const t3::Section sections(&base, *delimiteurs);
    if (p.specifsDonnees) {
        const auto choisies = SectionsNommees(p.specifs, sections.NbSections());
        if (!choisies) return Erreur(choisies.Message());
        AfficheSpecifs(base, t3::SpecificitesSections(sections, *choisies, p.seuil, p.freqMin, 1), p.format);
        return SortieOk;
    }
    std::optional<t3::Tgen> groupe;
    if (!entrees->empty()) groupe.emplace(&base, *entrees);
    std::optional<t3::Partition> partition;
    if (cle) partition.emplace(&base, *cle);
    AfficheSections(base, sections, groupe ? &*groupe : nullptr, partition ? &*partition : nullptr, p.format);
    return SortieOk;
}

} // namespace

T3_COMMANDE(
    72, "sections",
    "  sections BASE.par --delimiteurs=CHAINE [--groupe=FORME1,FORME2...] [--partition=CLE]\n"
    "                      [--csv [--bom]]\n"
    "  sections BASE.par --delimiteurs=CHAINE --specifs=I,J... [--seuil=5] [--fmin=10]\n"
    "                      [--csv [--bom]]\n"
    "                      les sections du texte, chacune commençant après un des signes de\n"
    "                      ponctuation de CHAINE (chaque caractère en est un) : numéro (à partir\n"
    "                      de 0), première position, occurrences de formes ; avec --groupe, les\n"
    "                      occurrences du groupe et son coefficient de spécificité au seuil de 5 % ;\n"
    "                      avec --partition, la partie où la section est rangée ; avec --specifs,\n"
    "                      les spécificités des sections I, J... (terme, fréquence totale,\n"
    "                      fréquence dans les sections, coefficient ; excédents les plus forts\n"
    "                      d'abord), --seuil : seuil de probabilité en pour cent, --fmin :\n"
    "                      fréquence minimale\n",
    ExecuteSections);

} // namespace t3cli
