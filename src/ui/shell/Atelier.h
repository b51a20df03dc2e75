#pragma once
// The life of the bases and of the report: opening a base (one record per open base, kept for its
// windows; the last one opened is the open base), creating one from a text (key verification, delimiter
// dialog, segmentation, opening: a base open already is replaced by the new one, never open twice), the
// command line, the corpus model, the current report (a new one for each base opened) and the one
// question about an unsaved report, asked before the report is replaced and before the workbench closes.
// The windows are the main window's: it hears of each base loaded, opened and closed.
#include "engine/corpus/Corpus.h"
#include "engine/corpus/charg1.h"
#include "engine/segmentation/SegmPrinc.h"
#include "engine/segmentation/TexteCorpus.h"
#include "ui/shell/BaseOuverte.h"

#include <QMessageBox>
#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace t3ui {

class RapportCourant;
class ServicesAtelier;

class Atelier : public QObject {
    Q_OBJECT
  public:
    // The report of a base just opened (bound to the report tree in the workbench).
    using FabriqueRapport = std::function<std::unique_ptr<RapportCourant>(const t3::charg1* base)>;

    Atelier(ServicesAtelier& services, FabriqueRapport fabrique);
    ~Atelier() override;

    // Opens the base named on a command line given as one string, or segments the text named there
    // (its first word only).
    void TraiteLigneCommande(const QString& ligne);
    // The same with the program's arguments, where a path arrives whole, blanks included.
    void TraiteArguments(const QStringList& arguments);
    // Opens a base. A base already open is not loaded twice: its sheet comes forward (BaseDejaOuverte),
    // unless it is to be replaced (a base just segmented again): its windows close (BaseFermee) and the
    // new base takes its record's place, and its sheet.
    bool OuvreBase(const QString& chemin, bool remplace = false);
    bool CreeBase(const QString& chemin);

    t3::charg1* Chargeur() const { return m_chargeur; }
    // The record of an open base; null for a base not open (or replaced).
    BaseOuverte* Ouverte(const t3::charg1* base) const;
    // The open base of a sheet; null for none.
    t3::charg1* BaseDeFeuille(int feuille) const;
    // Attaches repeated segments to a base the workbench holds (charg1::AssigneSR) and keeps them as long
    // as the base: the loader only borrows them. The segments attached before are released, once no window
    // holds them.
    void AttacheSegments(t3::charg1& base, std::shared_ptr<const t3::FournisseurSegments> segments);
    t3::Corpus& CorpusModele() { return m_corpus; }
    RapportCourant* Rapport() const { return m_rapport.get(); }
    void SetRapport(std::unique_ptr<RapportCourant> rapport);
    // Publishes the current report; false (after telling the user what was missing) when something
    // could not be published.
    bool PublieRapport();
    // Asks about an unsaved report before the workbench closes: false when the user cancels.
    bool AccepteFermeture();
    // Drops the report: its entries leave the tree and its folder is removed.
    void FermeRapport();

  signals:
    // A base was loaded and added to the corpus: its pages, sheet and list windows may open.
    void BaseChargee(const QString& chemin, t3::charg1* base);
    // The new report is in place: the base's remaining windows may open.
    void BaseEnPlace(const QString& chemin, t3::charg1* base);
    void RapportRemplace(bool existe);
    void BaseDejaOuverte(t3::charg1* base);
    // The base is about to be replaced: its windows and its navigation item go now.
    void BaseFermee(const t3::charg1* base);

  private:
    // The question about an unsaved report with these buttons; Yes publishes it. The answer, or No
    // when nothing needed asking.
    QMessageBox::StandardButton DemandeSauvegarde(QMessageBox::StandardButtons boutons);
    void NouveauRapport(const t3::charg1* base);
    void MontreTrace(QWidget* cadre);
    void MontreTranscodage(QWidget* cadre, const QString& base);
    static void MontreCompteRendu(QWidget* cadre, const QString& nom, const QString& titre,
                                  const QString& texte);
    // After the capacity ran out: the capacity the text needs offered to the user; true when accepted.
    bool AccepteCapacite(int64_t besoin);
    // Reads the text in its encoding and verifies its keys; null, the user told why, when the
    // segmentation cannot go on.
    std::unique_ptr<t3::TexteCorpus> VerifieTexte(const std::string& chemin, t3::Encodage encodage);
    // Opens a .par, segments any other file; a file that does not exist is said so.
    void OuvreChemin(const QString& chemin);

    ServicesAtelier& m_services;
    FabriqueRapport m_fabrique;
    t3::Corpus m_corpus;
    // Takes the base out of the corpus model once its windows are closed; its record is kept, for a
    // window that would not have closed, until the workbench goes. Returns its sheet.
    int RetireBase(BaseOuverte& ouverte);

    // Destroyed in this order, after the windows that borrow them (the main window deletes them first):
    // the open bases, then the replaced ones.
    std::vector<std::unique_ptr<BaseOuverte>> m_remplacees;
    std::vector<std::unique_ptr<BaseOuverte>> m_bases;
    t3::charg1* m_chargeur = nullptr;
    std::unique_ptr<RapportCourant> m_rapport;
};

} // namespace t3ui
