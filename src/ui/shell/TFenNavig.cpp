#include "shell/TFenNavig.h"

#include "shell/Images.h"
#include "shell/TFenPrinc.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QVBoxLayout>

namespace t3ui {
namespace {

// An item's window is held by a guarded pointer, so that an item whose window was closed has none.
class ItemPage : public QTreeWidgetItem {
  public:
    using QTreeWidgetItem::QTreeWidgetItem;
    QPointer<QWidget> fenetre;
};

} // namespace

TFenNavig::TFenNavig(TFenPrinc* principale) : m_principale(principale) {
    setObjectName("FenNavig");
    setWindowTitle("FenNavig");
    resize(280, 216);
    m_treePages = new QTreeWidget(this);
    m_treePages->setObjectName("TreePages");
    m_treePages->setHeaderHidden(true);
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(m_treePages);
    connect(m_treePages, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { TreePagesChange(item); });
}

QTreeWidgetItem* TFenNavig::AjouteItem(QTreeWidgetItem* parent, const QString& texte, int image,
                                       QWidget* fenetre, bool enTete) {
    auto* item = new ItemPage(QStringList{texte});
    item->setIcon(0, IconeNavigation(image));
    if (!parent)
        m_treePages->addTopLevelItem(item);
    else if (enTete)
        parent->insertChild(0, item);
    else
        parent->addChild(item);
    AttacheFenetre(item, fenetre);
    return item;
}

QWidget* TFenNavig::Fenetre(const QTreeWidgetItem* item) {
    const auto* page = dynamic_cast<const ItemPage*>(item);
    return page ? page->fenetre.data() : nullptr;
}

void TFenNavig::AttacheFenetre(QTreeWidgetItem* item, QWidget* fenetre) {
    if (auto* page = dynamic_cast<ItemPage*>(item)) page->fenetre = fenetre;
}

QTreeWidgetItem* TFenNavig::Enfant(const QTreeWidgetItem* item, const QString& texte) {
    for (int i = 0; item && i < item->childCount(); ++i)
        if (item->child(i)->text(0) == texte) return item->child(i);
    return nullptr;
}

void TFenNavig::TreePagesChange(QTreeWidgetItem* item) {
    QWidget* fenetre = Fenetre(item);
    if (!fenetre) return;
    m_principale->AmeneAuPremierPlan(fenetre);
    m_principale->Mosaique();
}

// The navigation window lives as long as the main window: a request to close it is refused.
void TFenNavig::closeEvent(QCloseEvent* evenement) {
    evenement->ignore();
}

} // namespace t3ui
