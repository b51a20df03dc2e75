#include "engine/rapport/Rapport.h"

#include "engine/corpus/charg1.h"
#include "engine/rapport/Manifeste.h"
#include "engine/socle/Html.h"
#include "engine/socle/RemplaceFichier.h"
#include "engine/socle/Temporaires.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

namespace t3 {

namespace {

// The folder path followed by one "/" (none added to an empty path or one that already ends with it).
std::string AvecBarre(const std::string& dossier) {
    if (dossier.empty() || dossier.back() == '/') return dossier;
    return dossier + '/';
}

// Makes the folder and any missing parent; true when it exists as a folder afterwards.
bool CreeDossiers(const std::string& dossier) {
    std::string chemin;
    for (size_t i = 0; i <= dossier.size(); ++i) {
        if (i < dossier.size() && dossier[i] != '/') continue;
        chemin = dossier.substr(0, i);
        if (!chemin.empty() && ::mkdir(chemin.c_str(), 0777) != 0 && errno != EEXIST) return false;
    }
    struct stat etat;
    return ::stat(dossier.c_str(), &etat) == 0 && S_ISDIR(etat.st_mode);
}

// Writes the bytes to the open file and closes it; true when every byte went out.
bool EcritEtFerme(std::FILE* f, const std::string& contenu) {
    const bool ecrit = std::fwrite(contenu.data(), 1, contenu.size(), f) == contenu.size();
    return std::fclose(f) == 0 && ecrit;
}

// Copies source to cible byte for byte, replacing cible.
bool CopieFichier(const std::string& source, const std::string& cible) {
    std::FILE* entree = std::fopen(source.c_str(), "rb");
    if (!entree) return false;
    std::FILE* sortie = std::fopen(cible.c_str(), "wb");
    if (!sortie) {
        std::fclose(entree);
        return false;
    }
    char bloc[65536];
    bool bon = true;
    for (;;) {
        const size_t lu = std::fread(bloc, 1, sizeof bloc, entree);
        if (lu > 0 && std::fwrite(bloc, 1, lu, sortie) != lu) bon = false;
        if (lu < sizeof bloc || !bon) break;
    }
    bon = bon && !std::ferror(entree);
    std::fclose(entree);
    return std::fclose(sortie) == 0 && bon;
}

// The messages one a line.
std::string Lignes(const std::vector<std::string>& messages) {
    std::string texte;
    for (const std::string& m : messages)
        texte += (texte.empty() ? "" : "\n") + m;
    return texte;
}

void NoteCopie(std::vector<std::string>& manques, const std::string& source, const std::string& cible) {
    manques.push_back("Impossible de copier " + source + " vers " + cible);
}

// The name of the file, among the published contents, that says which report wrote them.
constexpr char NomIdentite[] = "contenu/.identite-rapport";

// The date and time in a folder name ("2026-12-10_14-03-22").
std::string Horodatage() {
    const std::time_t maintenant = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&maintenant, &local);
    char texte[32];
    std::strftime(texte, sizeof texte, "%Y-%m-%d_%H-%M-%S", &local);
    return texte;
}

bool Existe(const std::string& chemin) {
    struct stat etat;
    return ::lstat(chemin.c_str(), &etat) == 0;
}

} // namespace

Rapport::Rapport(const charg1* base, const std::string& dossierTemp)
    : m_base(base), m_verrou(std::make_unique<DossierTemporaireVerrouille>(dossierTemp, "tes3-")) {
    if (!m_verrou->Chemin().empty()) m_dossier = m_verrou->Chemin() + '/';
    // The folder's unique name, with the process and the time, tells this report from any other.
    m_identite =
        m_verrou->Chemin() + " " + std::to_string(::getpid()) + " " + std::to_string(std::time(nullptr));
}

// Moves an earlier report's index and contents out of the way, into a new dated folder.
bool Rapport::MetDeCotePrecedente(const std::string& publication, std::vector<std::string>& manques) {
    m_deplacee.clear();
    const std::string index = publication + "index.htm";
    if (!Existe(index)) return true;
    std::string identite;
    if (std::FILE* f = std::fopen((publication + NomIdentite).c_str(), "rb")) {
        char tampon[512];
        identite.assign(tampon, std::fread(tampon, 1, sizeof tampon, f));
        std::fclose(f);
    }
    if (identite == m_identite) return true;
    const std::string date = publication + "precedents/" + Horodatage();
    std::string cible = date;
    for (int n = 2; Existe(cible); ++n)
        cible = date + "-" + std::to_string(n);
    cible += '/';
    // The contents first: an index moved alone would leave the new one's links to old pages.
    const std::string contenu = publication + "contenu";
    bool deplace = CreeDossiers(cible) &&
                   (!Existe(contenu) || std::rename(contenu.c_str(), (cible + "contenu").c_str()) == 0);
    if (deplace && std::rename(index.c_str(), (cible + "index.htm").c_str()) != 0) {
        std::rename((cible + "contenu").c_str(), contenu.c_str());
        deplace = false;
    }
    if (!deplace) {
        manques.push_back("Impossible de mettre de cote la publication precedente de " + publication +
                          " dans " + cible);
        return false;
    }
    // Its manifest goes with it, so that the new one does not pass for its own.
    for (const char* manifeste : {NomManifesteTexte, NomManifestePage})
        if (Existe(publication + manifeste) &&
            std::rename((publication + manifeste).c_str(), (cible + manifeste).c_str()) != 0)
            manques.push_back("Impossible de mettre de cote " + publication + manifeste + " dans " + cible);
    m_deplacee = cible;
    return true;
}

Rapport::~Rapport() {
    if (!m_verrou->Chemin().empty()) SupprimeDossierEtFichiers(m_verrou->Chemin());
}

int32_t Rapport::Ajoute(const std::string& titre, const std::string& fichier, const std::string& commentaire,
                        const std::string& parametres) {
    (void)titre; // the title lives in the main window's tree
    m_entrees.push_back(fichier);
    m_commentaires.push_back(commentaire);
    m_parametres.push_back(parametres);
    m_sauve = false;
    return static_cast<int32_t>(m_entrees.size() - 1);
}

void Rapport::EcritEntete(std::vector<std::string>& lignes) const {
    const auto compte = [this](int32_t (charg1::*valeur)() const) {
        return std::to_string(m_base ? (m_base->*valeur)() : 0);
    };
    lignes.push_back("<HTML><HEAD><TITLE>Rapport </TITLE></HEAD>");
    lignes.push_back("<BODY BACKGROUND=\"contenu\\paper.gif\">");
    lignes.push_back(
        "<table width=\"100%\" border=\"1\" cellpadding=\"5\" background=\"contenu\\grille.gif\"><tr> "
        "<td colspan=\"2\"><img src=\"contenu\\cube.gif\">&nbsp;&nbsp; Rapport d'analyse <br></table><br>");
    lignes.push_back(
        "<table width=\"100%\" border=\"1\" cellpadding=\"5\" background=\"contenu\\grille.gif\"><tr> "
        "<td colspan=\"2\"><img src=\"contenu\\bulle.gif\">Principales carat\xE9ristiques "
        "lexicom\xE9triques");
    lignes.push_back("<tr><td><img src=\"contenu\\bulle.gif\">Nombre des occurrences <td align=right>" +
                     compte(&charg1::Nbocc));
    lignes.push_back("<tr><td><img src=\"contenu\\bulle.gif\">Nombre des formes<td align=right>" +
                     compte(&charg1::Nbform));
    lignes.push_back("<tr><td><img src=\"contenu\\bulle.gif\">Fr\xE9quence maximale<td align=right>" +
                     compte(&charg1::Fmax));
    lignes.push_back("<tr><td><img src=\"contenu\\bulle.gif\">Nombre des hapax<td align=right>" +
                     compte(&charg1::Nhap));
    lignes.push_back("</table><br><br>");
}

bool Rapport::EcritPageImage(const std::string& chemin, const std::string& image,
                             const std::string& commentaire) {
    const std::string texte = "<html>\n<head><title>Image</title></head>\n<body bgcolor=#ffffff>\n" +
                              commentaire + "<br>\n" + "<img src=\"" + image + "\">\n</body>\n</html>";
    // Written as a text file of the original platform: every line feed becomes CR LF.
    std::string page;
    page.reserve(texte.size() + 16);
    for (const char c : texte) {
        if (c == '\n') page += '\r';
        page += c;
    }
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    return f && EcritEtFerme(f, page);
}

Resultat<std::vector<std::string>> Rapport::Enregistre(const std::string& dossier,
                                                       const std::vector<Item>& items,
                                                       const std::string& dossierImages,
                                                       const std::vector<std::string>& liensEnPlus) {
    std::vector<std::string> manques;
    const std::string publication = AvecBarre(dossier);
    const std::string contenu = publication + "contenu/";
    if (!MetDeCotePrecedente(publication, manques)) return Echec{1, Lignes(manques)};
    if (!CreeDossiers(contenu)) manques.push_back("Dossier de publication inaccessible : " + contenu);

    std::vector<std::string> lignes;
    EcritEntete(lignes);
    for (const char* decor : {"paper.gif", "bulle.gif", "cube.gif", "grille.gif"}) {
        const std::string source = AvecBarre(dossierImages) + decor;
        if (!CopieFichier(source, contenu + decor)) NoteCopie(manques, source, contenu + decor);
    }

    lignes.push_back("<OL>");
    for (const Item& item : items) {
        if (item.index < 0 || static_cast<size_t>(item.index) >= m_entrees.size()) continue;
        const std::string& fichier = m_entrees[static_cast<size_t>(item.index)];
        const std::string source = m_dossier + fichier;
        if (!CopieFichier(source, contenu + fichier)) NoteCopie(manques, source, contenu + fichier);

        std::string lien = fichier;
        const size_t jpg = fichier.find(".jpg");
        if (jpg != std::string::npos) {
            lien = fichier.substr(0, jpg + 1) + "html";
            if (!EcritPageImage(contenu + lien, fichier, m_commentaires[static_cast<size_t>(item.index)]))
                manques.push_back("Impossible d'enregistrer la page " + contenu + lien);
        }
        std::string ligne = "<LI><A HREF=\"contenu\\" + lien + "\">";
        AjouteEchappe(ligne, item.titre);
        ligne += "</A>";
        lignes.push_back(std::move(ligne));
    }
    lignes.insert(lignes.end(), liensEnPlus.begin(), liensEnPlus.end());
    lignes.push_back("</OL>");
    lignes.push_back("</BODY></HTML>");

    std::string index;
    for (size_t i = 0; i < lignes.size(); ++i) {
        if (i > 0) index += "\r\n";
        index += lignes[i];
    }
    // Written beside its place, then renamed over it: a failed publication leaves the last index whole.
    const std::string cible = publication + "index.htm";
    if (RemplaceFichier(cible, index) != 0) {
        manques.push_back("Impossible d'enregistrer l'index " + cible);
        return Echec{1, Lignes(manques)};
    }
    m_sauve = true;
    if (std::FILE* marque = std::fopen((publication + NomIdentite).c_str(), "wb"))
        EcritEtFerme(marque, m_identite);
    return manques;
}

void Rapport::OublieIdentite(const std::string& dossier) {
    std::remove((AvecBarre(dossier) + NomIdentite).c_str());
}

} // namespace t3
