#pragma once
// The analysis report: the results that the analysis windows keep while the user works (HTML pages and
// JPEG pictures), each written by its window into the report's own temporary folder and recorded here
// as an entry. Publishing copies every entry into a publication folder under "contenu/" and writes an
// index page, "index.htm", that links them under a head giving the main counts of the base.
//
// The tree of the report (its order and the current titles) belongs to the main window, which passes
// it to Enregistre as a list of items. The pages are Windows-1252 bytes; file names and paths are kept
// as the file system gives them.
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace t3 {

class charg1;
class DossierTemporaireVerrouille;

class Rapport {
  public:
    // An entry in the tree's order, with its current title.
    struct Item {
        int32_t index;
        std::string titre;
    };

    // Creates the report folder "tes3-XXXXXX" (a unique name) inside dossierTemp, removing first the
    // folders of that name that a killed process left there. base is borrowed and
    // may be null: the head of the index then shows zero counts.
    Rapport(const charg1* base, const std::string& dossierTemp);
    // Removes every file of the report folder, then the folder itself (subfolders are not searched: the
    // report never makes any).
    ~Rapport();
    Rapport(const Rapport&) = delete;
    Rapport& operator=(const Rapport&) = delete;

    // The report folder was created.
    bool Valide() const { return !m_dossier.empty(); }
    // The full path of the report folder, ending with "/"; empty when it could not be created.
    const std::string& DossierRapport() const { return m_dossier; }

    // Records an entry whose file (fichier, a name without folder) the caller already wrote into the
    // report folder; returns its index k in Entrees() and Commentaires(). The report is then unsaved.
    // parametres: the parameters of the window that wrote it, for the manifest (UTF-8, may be empty).
    int32_t Ajoute(const std::string& titre, const std::string& fichier, const std::string& commentaire,
                   const std::string& parametres = {});
    const std::vector<std::string>& Entrees() const { return m_entrees; }
    const std::vector<std::string>& Commentaires() const { return m_commentaires; }
    const std::vector<std::string>& Parametres() const { return m_parametres; }
    // No entry was added since the creation or since the last publication.
    bool Sauve() const { return m_sauve; }

    // Appends the head of the index page: the title, the background and the main counts of the base.
    void EcritEntete(std::vector<std::string>& lignes) const;
    // Writes at chemin the page that frames one picture (image, named without folder: the page lies
    // beside it), the comment shown above it; line ends are CR LF. False when the file cannot be written.
    static bool EcritPageImage(const std::string& chemin, const std::string& image,
                               const std::string& commentaire);

    // Publishes into dossier, made with its subfolder "contenu/" when missing: the four decoration
    // images copied from dossierImages, then each item in the given order (its entry file copied, a
    // framing page written for a picture), and index.htm last, written under a temporary name then
    // renamed, lines joined by CR LF. An item whose index is not an entry is passed over. Every file that
    // could not be copied or written is named in manques, one line each (French, without accents, with
    // its path), and the publication goes on: the value is that list. When index.htm could not be
    // written the publication fails, leaving the report unsaved, its message the same lines.
    // A publication that another report wrote there is never replaced: its index.htm, contenu/ and manifest
    // are first moved into "precedents/" + the date and time + "/" beside them (PublicationDeplacee() then
    // names that folder); when they cannot be moved, nothing is published. liensEnPlus: lines of the
    // list written after the entries' (the batch report links its manifest there).
    Resultat<std::vector<std::string>> Enregistre(const std::string& dossier, const std::vector<Item>& items,
                                                  const std::string& dossierImages,
                                                  const std::vector<std::string>& liensEnPlus = {});
    // Removes the mark that tells this report's publication in dossier from another's: a publication
    // made once and for all (the batch report) then holds nothing that changes from run to run.
    static void OublieIdentite(const std::string& dossier);

    // The folder into which the last Enregistre moved an earlier report's publication; empty when it
    // moved none.
    const std::string& PublicationDeplacee() const { return m_deplacee; }

  private:
    bool MetDeCotePrecedente(const std::string& publication, std::vector<std::string>& manques);

    const charg1* m_base;
    std::unique_ptr<DossierTemporaireVerrouille> m_verrou; // the mark that a live report uses its folder
    std::string m_dossier;
    std::string m_identite; // written beside the index it publishes, to know its own publication again
    std::string m_deplacee;
    std::vector<std::string> m_entrees;
    std::vector<std::string> m_commentaires;
    std::vector<std::string> m_parametres;
    bool m_sauve = true;
};

} // namespace t3
