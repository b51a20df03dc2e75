#pragma once
// The main window: an MDI frame whose children are the analysis windows, with the toolbar and menus
// built from the commands of the frame and the registered window kinds, the left panel (navigation,
// report and the docked lists), the sheet tabs on the right and the status bar. The bases and the report
// live in the Atelier, the sheets in Feuilles, the left panel in PanneauGauche, the group queue in the
// container and the progress in BarreEtat; the main window places the windows (each marked with the base
// it shows), closes those of a base replaced, and lends its services to the windows.
#include "ui/shell/ServicesAtelier.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QMdiArea;
class QMenu;
class QProgressBar;
class QTabBar;
class QTabWidget;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace t3ui {

class Atelier;
class BarreCommandes;
class BarreEtat;
class Feuilles;
class PanneauGauche;
class TContainer;
struct CommandeCadre;
struct GenreFenetre;

class TFenPrinc : public QMainWindow, public ServicesAtelier {
    Q_OBJECT
  public:
    explicit TFenPrinc(QWidget* parent = nullptr);
    ~TFenPrinc() override;

    Atelier& Bases() const { return *m_atelier; }
    Feuilles& FeuillesCadre() const { return *m_feuilles; }
    PanneauGauche* Panneau() const { return m_panneau; }
    BarreEtat& Etat() const { return *m_etat; }
    TContainer* Container() const { return m_container; }
    QMdiArea* Mdi() const { return m_mdi; }
    // The command of a toolbar button or menu item, by the button's name (BtnDocu); null if none.
    QAction* CommandeNommee(const QString& nom) const;
    QMenu* PmnPCLC() const { return m_pmnPCLC; }
    // Opens a window of a registered kind as its record says, on the base given (the open one by
    // default); null when it opened none.
    QWidget* OuvreGenre(const GenreFenetre& genre, t3::charg1* base = nullptr);

    // --- Services of the windows
    QWidget* Cadre() override { return this; }
    void SetStatusText(const QString& texte) override;
    void ResetProgress() override;
    std::function<void(int32_t)> Etapes(int nbEtapes) override;
    void DockeDansListesGauche(QWidget* fenetre, const QString& titre) override;
    QMdiSubWindow* AjouteFenetre(QWidget* fenetre) override;
    void AmeneAuPremierPlan(QWidget* fenetre) override;
    void Mosaique() override;
    // Fenêtre › Réorganiser: the minimised windows' icons along the bottom of the area.
    void ReorganiseIcones();
    void BtnAideClick();
    TFenNavig* Navigation() override;
    t3::Corpus& CorpusModele() override;
    t3::charg1* Chargeur() override;
    RapportCourant* Rapport() override;
    const t3::Tgen* GroupeCourant() const override;
    void MontreOccurrence(const t3::charg1* base, int32_t position) override;

  protected:
    void closeEvent(QCloseEvent* evenement) override;

  private:
    std::vector<CommandeCadre> CommandesDuCadre();
    void ConstruitCommandes();
    void ConstruitMenuFenetre(QMenu* menu);
    void ConstruitCadre();
    void BaseChargee(const QString& chemin, t3::charg1* base);
    void BaseEnPlace(t3::charg1* base);
    void PlaceDansLaZone(QMdiSubWindow* sous);
    void RouvrePage(QTreeWidgetItem* item);
    void BaseDejaOuverte(t3::charg1* base);
    void BaseFermee(const t3::charg1* base);
    // Brings the base's sheet forward.
    void MontreFeuille(const t3::charg1* base);
    void BtnCreerCorpClick();
    void BtnOuvrirClick();
    void BtnAjouteRapClick();
    void RemplitPmnPCLC();
    void PmnPCLCChoix(int partition);

    std::unique_ptr<Atelier> m_atelier;
    QMdiArea* m_mdi = nullptr;
    PanneauGauche* m_panneau = nullptr;
    Feuilles* m_feuilles = nullptr;
    BarreEtat* m_etat = nullptr;
    TContainer* m_container = nullptr;
    QMenu* m_pmnPCLC = nullptr;
    BarreCommandes* m_commandes = nullptr;
};

} // namespace t3ui
