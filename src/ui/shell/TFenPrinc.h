#pragma once
// The main window: an MDI frame whose children are the analysis windows, with the toolbar of commands,
// the left tabbed panel (navigation, report and the docked lists), the sheet tabs on the right and the
// status bar with its progress bar. It keeps every loader it opened, the corpus model, the current
// report and the group of forms held by the toolbar's container.
#include "corpus/Corpus.h"
#include "corpus/charg1.h"
#include "stats/Tgen.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <deque>
#include <memory>
#include <vector>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QTabBar;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace t3ui {

class TContainer;
class TFenNavig;
class RapportCourant;
class TTgenDragObject;

class TFenPrinc : public QMainWindow {
    Q_OBJECT
  public:
    explicit TFenPrinc(QWidget* parent = nullptr);
    ~TFenPrinc() override;
    // The one main window of the run, for the progress callbacks of the engine; null before and after.
    static TFenPrinc* Instance();

    // Opens the base named on the command line, or segments the text named there (first word only).
    void TraiteLigneCommande(const QString& ligne);
    bool OuvreBase(const QString& chemin);
    bool CreeBase(const QString& chemin);
    void AjouteFeuille();

    // --- Services of the other windows
    void SetStatusText(const QString& texte);
    void StepProgress();
    void StepProgressBy2();
    void ResetProgress();
    static void GaugeStepProgress(int32_t);
    static void GaugeStepProgressBy2(int32_t);
    // Docks a list window at the top of ListesGauche as a new page.
    void DockeDansListesGauche(QWidget* fenetre, const QString& titre);
    // Floats a page of ListesGauche as a window of its own; closing that window docks it back.
    void DetachePage(int page);
    // Makes an analysis window an MDI child of the current sheet and shows it.
    QMdiSubWindow* AjouteFenetre(QWidget* fenetre);
    void AmeneAuPremierPlan(QWidget* fenetre);
    void Mosaique();

    // --- State
    t3::charg1* Chargeur() const { return m_chargeur; }
    t3::Corpus& CorpusModele() { return m_corpus; }
    TFenNavig* Navig() const { return m_navig; }
    QTabWidget* ListesGauche() const { return m_listesGauche; }
    QTabBar* OngletsFeuilles() const { return m_onglets; }
    QMdiArea* Mdi() const { return m_mdi; }
    QProgressBar* Progression() const { return m_progression; }
    QWidget* PanneauFond() const { return m_panneauFond; }
    QString TexteStatut(int panneau) const;
    // The windows recorded for a sheet (those visible when the user last left it).
    QList<QWidget*> FenetresFeuille(int feuille) const;
    const t3::Tgen* GroupeCourant() const { return m_groupeCourant; }
    const std::deque<std::shared_ptr<t3::Tgen>>& FileGroupes() const { return m_fileGroupes; }
    TContainer* Container() const { return m_container; }
    RapportCourant* Rapport() const { return m_rapport.get(); }
    void SetRapport(std::unique_ptr<RapportCourant> rapport);
    // Publishes the current report into the publication folder; false (after telling the user what was
    // missing) when something could not be published.
    bool PublieRapport();
    QTreeWidget* TreeViewRapport() const { return m_treeViewRapport; }

    // --- Commands (the toolbar's handlers)
    void BtnCreerCorpClick();
    void BtnOuvrirClick();
    void BtnRetreciClick();
    void BtnAjouteRapClick();
    void BtnOptionsClick();
    void BtnEditClick();
    void HelpBtnClick();
    // The drop of a group on the container; false when it is refused.
    bool ContainerDrop(const TTgenDragObject& objet);
    void ChoisitGroupe(int index);
    // The move menu, built for the active child window; choosing an item moves it.
    QMenu* MenuDeplacement();
    void DeplaceVersFeuille(int feuille);
    QMenu* PmnPCLC() const { return m_pmnPCLC; }
    QMenu* PMnuQueue() const { return m_pmnuQueue; }

  protected:
    void closeEvent(QCloseEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

  private:
    void ConstruitBarreOutils();
    void ConstruitMenus();
    void ConstruitPanneaux();
    void ConstruitBarreEtat();
    QToolButton* Bouton(const QString& nom, const QString& glyphe, int teinte, const QString& aide,
                        bool base);
    void ActiveCommandesBase();
    void NouveauRapport();
    void AjoutePagesNavigation(const QString& chemin);
    void ChangeFeuille(int nouvelle);
    void RemplitPmnPCLC();
    void RemplitPMnuQueue();
    void PmnPCLCChoix(int partition);

    t3::Corpus m_corpus;
    std::vector<std::unique_ptr<t3::charg1>> m_chargeurs; // every base opened, kept for its windows
    t3::charg1* m_chargeur = nullptr;
    std::unique_ptr<RapportCourant> m_rapport;
    std::deque<std::shared_ptr<t3::Tgen>> m_fileGroupes;
    t3::Tgen* m_groupeCourant = nullptr;
    int m_compteurFeuilles = 0;
    std::vector<QList<QPointer<QWidget>>> m_feuilles;
    int m_feuilleActive = -1;

    QMdiArea* m_mdi = nullptr;
    TFenNavig* m_navig = nullptr;
    QWidget* m_panneauFond = nullptr;
    QTabWidget* m_listesGauche = nullptr;
    QWidget* m_panneauNavig = nullptr;
    QTreeWidget* m_treeViewRapport = nullptr;
    QTabBar* m_onglets = nullptr;
    QProgressBar* m_progression = nullptr;
    QLabel* m_statut[3] = {};
    TContainer* m_container = nullptr;
    QMenu* m_pmnPCLC = nullptr;
    QMenu* m_pmnuQueue = nullptr;
    std::vector<QWidget*> m_commandesBase;
    QList<QWidget*> m_pagesFlottantes;
    QList<QWidget*> m_pagesFixes; // the navigation and report pages, which are never closed
    QToolButton* m_btnSauvRapport = nullptr;
};

} // namespace t3ui
