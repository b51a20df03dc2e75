#pragma once
// The navigation window: a tree of the pages of every opened base (the analysis windows made for it,
// grouped by kind). Selecting an item that has a window brings that window forward. It refuses to close.
#include <QPointer>
#include <QTreeWidget>
#include <QWidget>

namespace t3ui {

class TFenPrinc;

class TFenNavig : public QWidget {
    Q_OBJECT
  public:
    explicit TFenNavig(TFenPrinc* principale);

    QTreeWidget* TreePages() const { return m_treePages; }
    // Adds an item after its siblings (or as the first child when enTete) with an image (-1: the default
    // one) and an attached window, which the item forgets when the window is destroyed.
    QTreeWidgetItem* AjouteItem(QTreeWidgetItem* parent, const QString& texte, int image = -1,
                                QWidget* fenetre = nullptr, bool enTete = false);
    static QWidget* Fenetre(const QTreeWidgetItem* item);
    static void AttacheFenetre(QTreeWidgetItem* item, QWidget* fenetre);
    // The first child of item with that text; null if none.
    static QTreeWidgetItem* Enfant(const QTreeWidgetItem* item, const QString& texte);

    void TreePagesChange(QTreeWidgetItem* item);

  protected:
    void closeEvent(QCloseEvent* evenement) override;

  private:
    TFenPrinc* m_principale;
    QTreeWidget* m_treePages;
};

} // namespace t3ui
