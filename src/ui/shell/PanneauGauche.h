#pragma once
// The left panel PanneauFond: the tabbed panel ListesGauche with its two fixed pages, "Navigation"
// (the navigation window) and "Rapport" (the report tree and its buttons), where list windows dock as
// further pages; and the strip with BtnRetreci, which folds the panel. A page floats as a window of its
// own on a double click on its tab and docks back when that window is closed. The panel is widened by
// the divider beside it.
#include <QList>
#include <QWidget>

class QTabWidget;
class QToolButton;
class QTreeWidget;

namespace t3ui {

class TFenNavig;

class PanneauGauche : public QWidget {
    Q_OBJECT
  public:
    static constexpr int Largeur = 296;
    static constexpr int LargeurReduite = 15;

    PanneauGauche();
    ~PanneauGauche() override;

    QTabWidget* ListesGauche() const { return m_listesGauche; }
    TFenNavig* Navig() const { return m_navig; }
    QTreeWidget* TreeViewRapport() const { return m_treeViewRapport; }
    QToolButton* BtnSauvRapport() const { return m_btnSauvRapport; }

    // Docks a list window at the end of ListesGauche as a new page.
    void DockeDansListesGauche(QWidget* fenetre, const QString& titre);
    // Floats a page as a window of its own; closing that window docks it back.
    void DetachePage(int page);
    void MontreDernierePage();
    // Folds the panel to its strip when it is wider than 295 pixels, unfolds it to its width before
    // (296 at least) otherwise; the button shows ">" while the panel is folded.
    void BtnRetreciClick();

  protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

  private:
    QWidget* PageNavigation();
    QWidget* PageRapport();
    QWidget* BandeRetreci();

    QTabWidget* m_listesGauche;
    TFenNavig* m_navig = nullptr;
    QTreeWidget* m_treeViewRapport = nullptr;
    QToolButton* m_btnSauvRapport = nullptr;
    void ChangeLargeur(int largeur);

    QToolButton* m_btnRetreci = nullptr;
    int m_largeurDepliee = Largeur;
    QList<QWidget*> m_pagesFlottantes;
    QList<QWidget*> m_pagesFixes; // the navigation and report pages, which are never closed
};

} // namespace t3ui
