// t3 charge, t3 dico and t3 partition: the loaded base, its dictionary and the parts of a partition.
#include "Commandes.h"

#include "engine/corpus/Cles.h"
#include "engine/corpus/OrdreLexicographique.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/Cp1252.h"

#include <numeric>

namespace t3cli {

namespace {

int ExecuteCharge(const Arguments& args) {
    if (args.size() != 1 || args[0].rfind("--", 0) == 0)
        return ErreurEtUsage("charge attend une seule base.");
    t3::charg1 base;
    if (const auto ouverte = OuvreBase(args[0], base); !ouverte) return Erreur(ouverte.Message());
    std::printf("Compte\tValeur\n");
    // The base name is a file name: the file system's own bytes (UTF-8), not base text.
    std::fputs(SansControles("base\t" + base.NomBase() + "\n").c_str(), stdout);
    const std::pair<const char*, int32_t> comptes[] = {
        {"items", base.Nbitem()},
        {"articles", base.Nbart()},
        {"occurrences", base.Nbocc()},
        {"formes", base.Nbform()},
        {"fréquence maximale", base.Fmax()},
        {"hapax", base.Nhap()},
        {"ponctuations", base.Nbartponct()},
        {"types de clés", base.Nbcle()},
        {"contenus de clés", base.Nbctnu()},
        {"lignes", base.NbLignes()},
    };
    for (const auto& [nom, valeur] : comptes)
        std::printf("%s\t%ld\n", nom, static_cast<long>(valeur));
    return SortieOk;
}

int ExecuteDico(const Arguments& args) {
    std::string par;
    bool alpha = false;
    FormatTableau format;
    const Lu lus = LitArgumentsTableau(args, {Drapeau("alpha", alpha)}, format,
                                       [&par](const std::string& a) { return Remplit(par, a); });
    if (!lus) return ErreurEtUsage(lus.Message());
    if (par.empty()) return ErreurEtUsage("il manque la base (fichier .par).");
    t3::charg1 base;
    if (const auto ouverte = OuvreBase(par, base); !ouverte) return Erreur(ouverte.Message());

    std::vector<int32_t> ordre(static_cast<size_t>(base.Nbart()));
    std::iota(ordre.begin(), ordre.end(), 0);
    if (alpha) ordre = t3::OrdreLexicographique(base, ordre);
    SortieTableau tableau(format);
    tableau.Ligne(
        {t3::Utf8VersCp1252("Entrée"), "Graphie", t3::Utf8VersCp1252("Fréquence"), "Rang lexicographique"});
    for (const int32_t e : ordre) {
        tableau.Champ(e).Champ(base.Graphie(e)).Champ(base.RetourneFrq(e)).Champ(base.Lexg(e));
        tableau.FinLigne();
    }
    return SortieOk;
}

int ExecutePartition(const Arguments& args) {
    std::string par, cleUtf8;
    FormatTableau format;
    const Lu lus = LitArgumentsTableau(
        args, {}, format, [&](const std::string& a) { return Remplit(par, a) || Remplit(cleUtf8, a); });
    if (!lus) return ErreurEtUsage(lus.Message());
    if (par.empty() || cleUtf8.empty()) return ErreurEtUsage("partition attend une base et un type de clé.");
    t3::charg1 base;
    if (const auto ouverte = OuvreBase(par, base); !ouverte) return Erreur(ouverte.Message());
    const auto cle = CleCp1252(cleUtf8);
    if (!cle) return Erreur(cle.Message());
    const auto type = t3::ChercheTypeCle(base, *cle);
    if (!type) return Erreur(type.Message());

    const t3::Partition partition(&base, *type);
    SortieTableau tableau(format);
    tableau.Ligne(
        {"Partie", "Occurrences", "Formes", "Hapax", "Fmax", t3::Utf8VersCp1252("Forme la plus fréquente")});
    for (int32_t p = 0; p < partition.NbParties(); ++p) {
        tableau.Champ(base.Graphie(partition.Contenu(p)))
            .Champ(partition.NbOccPartie(p))
            .Champ(partition.NbFormesPartie(p))
            .Champ(partition.NbHapaxPartie(p))
            .Champ(partition.FmaxPartie(p))
            .Champ(partition.FmaxPartie(p) > 0 ? base.Graphie(partition.FormeMaxPartie(p))
                                               : std::string_view());
        tableau.FinLigne();
    }
    return SortieOk;
}

} // namespace

T3_COMMANDE(30, "charge",
            "  charge BASE.par     charge la base et affiche ses comptes (items, articles, occurrences,\n"
            "                      formes, fréquence maximale, hapax, ponctuations, clés, lignes)\n",
            ExecuteCharge);
T3_COMMANDE(40, "dico",
            "  dico BASE.par [--alpha] [--csv [--bom]]\n"
            "                      le dictionnaire (entrée, graphie, fréquence, rang lexicographique), dans\n"
            "                      l'ordre des entrées ou, avec --alpha, dans l'ordre lexicographique\n",
            ExecuteDico);
T3_COMMANDE(50, "partition",
            "  partition BASE.par CLE [--csv [--bom]]\n"
            "                      les parties de la partition par le type de clé CLE (partie, occurrences,\n"
            "                      formes, hapax, Fmax, forme la plus fréquente)\n",
            ExecutePartition);

} // namespace t3cli
