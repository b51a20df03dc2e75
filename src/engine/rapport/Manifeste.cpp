#include "engine/rapport/Manifeste.h"

#include "engine/Globaux.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/Cp1252.h"
#include "engine/socle/Html.h"
#include "engine/socle/RemplaceFichier.h"
#include "engine/socle/Sha256.h"

#include <Eigen/Core>
#include <cstdio>
#include <jpeglib.h>
#include <unicode/uvernum.h>
#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <fstream>
#include <sys/stat.h>

#define T3_TEXTE(x) #x
#define T3_TEXTE_DE(x) T3_TEXTE(x)

namespace t3 {

namespace {

void Section(std::string& texte, const char* titre, const std::vector<ChampManifeste>& champs) {
    if (champs.empty()) return;
    texte += std::string("\n[") + titre + "]\n";
    for (const ChampManifeste& champ : champs)
        texte += champ.nom + " : " + champ.valeur + "\n";
}

void TableHtml(std::string& page, const char* titre, const std::vector<ChampManifeste>& champs) {
    if (champs.empty()) return;
    page += std::string("<h2>") + titre + "</h2>\n<table border=\"1\" cellpadding=\"4\">\n";
    for (const ChampManifeste& champ : champs) {
        page += "<tr><td>";
        AjouteEchappe(page, champ.nom);
        page += "</td><td><tt>";
        AjouteEchappe(page, champ.valeur);
        page += "</tt></td></tr>\n";
    }
    page += "</table>\n";
}

constexpr const char* TitreEntete = "Rapport";
constexpr const char* TitreParametres = "Paramètres";
constexpr const char* TitreFichiers = "Fichiers";
constexpr const char* TitreBibliotheques = "Bibliothèques";
constexpr const char* TitreEntrees = "Entrées";

} // namespace

std::string DelimiteursBase(const std::string& cheminPar) {
    std::ifstream par(cheminPar, std::ios::binary);
    static const std::string Debut = "D\xE9limiteurs ";
    for (std::string ligne; std::getline(par, ligne);) {
        if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
        if (ligne.starts_with(Debut)) return ligne.substr(Debut.size());
    }
    return {};
}

void AjouteFichier(Manifeste& manifeste, const std::string& role, const std::string& chemin) {
    const Resultat<EmpreinteFichier> empreinte = Sha256Fichier(chemin);
    manifeste.fichiers.push_back({role, empreinte ? chemin + " ; " + std::to_string(empreinte->taille) +
                                                        " octets ; SHA-256 " + empreinte->sha256
                                                  : empreinte.Message()});
}

void AjouteFichiersBase(Manifeste& manifeste, const charg1& base) {
    for (const char* suffixe : {".par", ".dic", ".num", ".loc.sr", ".desc.sr"}) {
        const std::string chemin = base.CheminFichier(suffixe);
        struct stat etat;
        if (::stat(chemin.c_str(), &etat) == 0 && S_ISREG(etat.st_mode))
            AjouteFichier(manifeste, std::string("base ") + suffixe, chemin);
    }
}

std::string ParametresPartition(const Partition& partition) {
    int32_t reference = 0;
    for (int32_t i = 0; i < partition.NbParties(); ++i)
        reference += partition.Reference(i) ? 1 : 0;
    const charg1* base = partition.Base();
    return "partition : " + Cp1252VersUtf8(base ? base->Graphie(partition.CleType()) : std::string_view()) +
           " ; seuil : " + std::to_string(partition.Seuil()) +
           " % ; FreqMin : " + std::to_string(partition.FreqMin()) +
           " ; étiquettes : " + std::to_string(DiviseurEtiquettes()) +
           " ; parties de référence : " + std::to_string(reference) + " sur " +
           std::to_string(partition.NbParties());
}

std::vector<ChampManifeste> VersionsMoteur() {
    return {{"ICU", U_ICU_VERSION},
            {"PCRE2", T3_TEXTE_DE(PCRE2_MAJOR) "." T3_TEXTE_DE(PCRE2_MINOR)},
            {"Eigen (ts3afc)", T3_TEXTE_DE(EIGEN_WORLD_VERSION) "." T3_TEXTE_DE(
                                   EIGEN_MAJOR_VERSION) "." T3_TEXTE_DE(EIGEN_MINOR_VERSION)},
#ifdef LIBJPEG_TURBO_VERSION
            {"libjpeg-turbo", T3_TEXTE_DE(LIBJPEG_TURBO_VERSION)},
#endif
            {"libjpeg (API)", T3_TEXTE_DE(JPEG_LIB_VERSION)}};
}

std::string TexteManifeste(const Manifeste& manifeste) {
    std::string texte = "Manifeste du rapport Tessaron3\n";
    Section(texte, TitreEntete, manifeste.entete);
    Section(texte, TitreParametres, manifeste.parametres);
    Section(texte, TitreFichiers, manifeste.fichiers);
    Section(texte, TitreBibliotheques, manifeste.bibliotheques);
    Section(texte, TitreEntrees, manifeste.entrees);
    return texte;
}

std::string PageManifeste(const Manifeste& manifeste) {
    std::string page = "<html>\n<head><meta charset=\"utf-8\"><title>Manifeste du rapport</title></head>\n"
                       "<body bgcolor=#ffffff>\n<h1>Manifeste du rapport</h1>\n";
    TableHtml(page, TitreEntete, manifeste.entete);
    TableHtml(page, TitreParametres, manifeste.parametres);
    TableHtml(page, TitreFichiers, manifeste.fichiers);
    TableHtml(page, TitreBibliotheques, manifeste.bibliotheques);
    TableHtml(page, TitreEntrees, manifeste.entrees);
    page += "<p><a href=\"manifeste.txt\">manifeste.txt</a></p>\n</body>\n</html>\n";
    return page;
}

Resultat<void> EcritManifeste(const std::string& dossier, const Manifeste& manifeste) {
    const std::string base = dossier.empty() || dossier.back() == '/' ? dossier : dossier + '/';
    for (const auto& [nom, contenu] : {std::pair{NomManifesteTexte, TexteManifeste(manifeste)},
                                       std::pair{NomManifestePage, PageManifeste(manifeste)}}) {
        if (const int erreur = RemplaceFichier(base + nom, contenu); erreur != 0)
            return Echec{1,
                         "Le manifeste " + base + nom + " n'a pas pu être écrit : " + CauseEcriture(erreur)};
    }
    return {};
}

} // namespace t3
