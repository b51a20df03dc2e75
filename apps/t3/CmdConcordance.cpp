// t3 concordance: the contexts of a form, or of every form that a pattern matches, as the concordance
// window shows them: one row per occurrence, or the page that the window adds to the report.
#include "Commandes.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/Concordance.h"
#include "engine/explore/Motif.h"
#include "engine/socle/Cp1252.h"
#include "engine/stats/Tgen.h"

#include <ctime>
#include <memory>
#include <ostream>
#include <streambuf>

namespace t3cli {

namespace {

struct ParamConcordance {
    std::string par;
    std::string forme; // UTF-8, as typed: a form, or a pattern with --regex
    bool regex = false;
    int32_t sens = t3::TriAucun;
    int32_t largeur = t3::LargeurInitiale;
    std::string cle; // Windows-1252; empty: no grouping
    bool html = false;
    FormatTableau format;
};

// The code of the failure of a form or pattern that gives no occurrence.
constexpr int32_t GroupeVide = 1;

// The order of --tri: of the text, or of the forms before or after the pole.
t3::Resultat<int32_t> LitTri(const std::string& valeur) {
    if (valeur == "aucun") return t3::TriAucun;
    if (valeur == "avant") return t3::TriAvant;
    if (valeur == "apres" || valeur == "après") return t3::TriApres;
    return Faute("la valeur de --tri doit être aucun, avant ou apres : " + valeur);
}

t3::Resultat<ParamConcordance> LitParametres(const Arguments& args) {
    ParamConcordance p;
    bool formeDonnee = false;
    const Lu lus = LitArgumentsTableau(
        args,
        {Drapeau("regex", p.regex),
         Drapeau("html", p.html),
         {"tri=", [&p](const std::string& valeur) { return Retient(p.sens, LitTri(valeur)); }},
         OptionEntier("largeur", p.largeur, t3::LargeurMin, t3::LargeurMax),
         {"partition=",
          [&p](const std::string& valeur) -> Lu {
              p.cle = valeur;
              if (p.cle.empty()) return Faute("il manque le type de clé de --partition (--partition=CLE).");
              return {};
          }}},
        p.format, [&](const std::string& a) {
            if (Remplit(p.par, a)) return true;
            if (formeDonnee) return false;
            formeDonnee = true;
            p.forme = a;
            return true;
        });
    if (!lus) return t3::Echec{lus.Code(), lus.Message()};
    if (p.par.empty()) return Faute("il manque la base (fichier .par).");
    if (p.forme.empty()) return Faute(p.regex ? "il manque le motif." : "il manque la forme.");
    if (p.html && p.format.csv) return Faute("--html et --csv ne vont pas ensemble.");
    return p;
}

// The entries of the group: the form typed, or every form (then segment entry) the pattern matches.
t3::Resultat<std::vector<int32_t>> Entrees(const t3::charg1& base, const ParamConcordance& p) {
    if (p.regex) {
        const auto motif = t3::Motif::Compile(p.forme);
        if (!motif) return t3::Echec{motif.Code(), motif.Message()};
        auto entrees = motif->Selectionne(base);
        if (entrees && entrees->empty())
            return t3::Echec{GroupeVide, "aucune forme ne correspond au motif « " + p.forme + " »."};
        return entrees;
    }
    const std::string forme = t3::Utf8VersCp1252(p.forme);
    // A character that Windows-1252 cannot hold (written "?") is in no form.
    const int32_t entree = t3::HorsCp1252(p.forme).empty() ? base.LocFormDic(forme) : -1;
    if (entree < 0) return t3::Echec{GroupeVide, FormeAbsente(forme)};
    return std::vector<int32_t>{entree};
}

// A stream that hands its bytes to a Sortie, so that the page is printed as it is written.
class FluxSortie : public std::streambuf {
  public:
    explicit FluxSortie(Sortie& sortie) : m_sortie(sortie) {}

  protected:
    std::streamsize xsputn(const char* texte, std::streamsize n) override {
        m_sortie << std::string_view(texte, static_cast<size_t>(n));
        return n;
    }
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            const char octet = traits_type::to_char_type(c);
            m_sortie << std::string_view(&octet, 1);
        }
        return traits_type::not_eof(c);
    }

  private:
    Sortie& m_sortie;
};

// The local date and time as the workbench writes them in its pages: "mercredi 9 décembre 2026 - 15:04".
std::string DateHeure() {
    static const char* const jours[] = {"dimanche", "lundi",    "mardi", "mercredi",
                                        "jeudi",    "vendredi", "samedi"};
    static const char* const mois[] = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
                                       "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
    const std::time_t maintenant = std::time(nullptr);
    std::tm t{};
    localtime_r(&maintenant, &t);
    char heure[16];
    std::snprintf(heure, sizeof heure, "%02d:%02d", t.tm_hour, t.tm_min);
    return t3::Utf8VersCp1252(std::string(jours[t.tm_wday % 7]) + " " + std::to_string(t.tm_mday) + " " +
                              mois[t.tm_mon % 12] + " " + std::to_string(1900 + t.tm_year) + " - " + heure);
}

void AffichePage(const t3::Concordance& c) {
    Sortie sortie;
    FluxSortie flux(sortie);
    std::ostream page(&flux);
    t3::EcritPageConcordance(page, c, {"Concordances", c.Base().NomBase(), DateHeure()});
}

int ExecuteConcordance(const Arguments& args) {
    const auto lus = LitParametres(args);
    if (!lus) return ErreurEtUsage(lus.Message());
    const ParamConcordance& p = *lus;

    t3::charg1 base;
    if (const auto ouverte = OuvreBase(p.par, base); !ouverte) return Erreur(ouverte.Message());
    std::unique_ptr<t3::Partition> partition;
    if (!p.cle.empty()) {
        const auto cle = TypeCle(base, p.cle);
        if (!cle) return Erreur(cle.Message());
        partition = std::make_unique<t3::Partition>(&base, *cle);
    }
    const auto entrees = Entrees(base, p);
    if (!entrees) return Erreur(entrees.Message());

    const t3::Tgen groupe(&base, *entrees);
    const t3::Concordance concordance(groupe, partition.get(), p.sens, p.largeur);
    if (p.html) {
        AffichePage(concordance);
    } else {
        SortieTableau tableau(p.format);
        t3::EcritLignesConcordance(tableau, concordance);
    }
    return SortieOk;
}

} // namespace

T3_COMMANDE(75, "concordance",
            "  concordance BASE.par FORME [--regex] [--tri=aucun|avant|apres] [--largeur=40]\n"
            "                      [--partition=CLE] [--html | --csv [--bom]]\n"
            "                      les contextes de chaque occurrence de la forme FORME (position, partie,\n"
            "                      contexte gauche, pôle, contexte droit), dans l'ordre du texte ou triés\n"
            "                      sur les formes qui précèdent (avant) ou qui suivent (apres) ; --regex :\n"
            "                      FORME est une expression rationnelle et le groupe réunit les formes\n"
            "                      qu'elle reconnaît ; --largeur : largeur des contextes (10 à 255) ;\n"
            "                      --partition : regroupés par les parties de la partition par CLE ;\n"
            "                      --html : la page que la fenêtre des concordances ajoute au rapport\n",
            ExecuteConcordance);

} // namespace t3cli
