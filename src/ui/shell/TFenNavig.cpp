#include "ui/shell/TFenNavig.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/Section.h"
#include "engine/corpus/charg1.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/Images.h"
#include "ui/shell/TexteQt.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace t3ui {
namespace {

// An item's window is held by a guarded pointer, so that an item whose window was closed has none.
class ItemPage : public QTreeWidgetItem {
  public:
    using QTreeWidgetItem::QTreeWidgetItem;
    QPointer<QWidget> fenetre;
};

QVariant Objet(const void* objet) {
    return QVariant::fromValue(reinterpret_cast<quintptr>(objet));
}

// The windows of the children of item of a kind, in order, the closed ones left out.
std::vector<QWidget*> FenetresEnfants(const QTreeWidgetItem* item, GenreNoeud genre) {
    std::vector<QWidget*> fenetres;
    for (int i = 0; item && i < item->childCount(); ++i)
        if (TFenNavig::Genre(item->child(i)) == genre)
            if (QWidget* fenetre = TFenNavig::Fenetre(item->child(i))) fenetres.push_back(fenetre);
    return fenetres;
}

int CompteEnfants(const QTreeWidgetItem* item, GenreNoeud genre) {
    int n = 0;
    for (int i = 0; item && i < item->childCount(); ++i)
        n += TFenNavig::Genre(item->child(i)) == genre;
    return n;
}

} // namespace

TFenNavig::TFenNavig() {
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
    // A click on the current item again brings back a window closed meanwhile.
    connect(m_treePages, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (item == m_treePages->currentItem() && !Fenetre(item)) TreePagesChange(item);
    });
}

QTreeWidgetItem* TFenNavig::AjouteItem(QTreeWidgetItem* parent, const QString& texte, GenreNoeud genre,
                                       int image, QWidget* fenetre, bool enTete) {
    auto* item = new ItemPage(QStringList{texte});
    item->setIcon(0, IconeNavigation(image));
    item->setData(0, RoleGenre, static_cast<int>(genre));
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

GenreNoeud TFenNavig::Genre(const QTreeWidgetItem* item) {
    return item ? static_cast<GenreNoeud>(item->data(0, RoleGenre).toInt()) : GenreNoeud::Aucun;
}

QTreeWidgetItem* TFenNavig::Enfant(const QTreeWidgetItem* item, GenreNoeud genre) {
    for (int i = 0; item && i < item->childCount(); ++i)
        if (Genre(item->child(i)) == genre) return item->child(i);
    return nullptr;
}

QTreeWidgetItem* TFenNavig::AjoutePagesBase(const QString& chemin, t3::charg1* base) {
    m_treePages->hide();
    QTreeWidgetItem* item = AjouteItem(nullptr, chemin, GenreNoeud::Base, 1);
    AjouteItem(item, "Texte", GenreNoeud::Texte, 1, nullptr, true);
    AjouteItem(item, "Dictionnaire", GenreNoeud::Dictionnaire);
    AjouteItem(item, "Cartes Sections", GenreNoeud::CartesSections, 2);
    AjouteItem(item, "Partitions", GenreNoeud::Partitions, 2);
    m_treePages->setStyleSheet("QTreeWidget { background: white; }");
    m_treePages->expandAll();
    m_treePages->show();
    item->setData(0, RoleObjet, Objet(base));
    return item;
}

QTreeWidgetItem* TFenNavig::ItemDeObjet(const QTreeWidgetItem* parent, GenreNoeud genre,
                                        const void* objet) const {
    const int n = parent ? parent->childCount() : m_treePages->topLevelItemCount();
    for (int i = 0; i < n; ++i) {
        QTreeWidgetItem* item = parent ? parent->child(i) : m_treePages->topLevelItem(i);
        if (Genre(item) == genre && item->data(0, RoleObjet) == Objet(objet)) return item;
    }
    return nullptr;
}

QTreeWidgetItem* TFenNavig::NoeudBase(const t3::charg1* base) const {
    return base ? ItemDeObjet(nullptr, GenreNoeud::Base, base) : nullptr;
}

t3::charg1* TFenNavig::BaseDeNoeud(const QTreeWidgetItem* item) const {
    while (item && item->parent())
        item = item->parent();
    return item ? reinterpret_cast<t3::charg1*>(item->data(0, RoleObjet).value<quintptr>()) : nullptr;
}

QTreeWidgetItem* TFenNavig::AjoutePartition(const t3::Partition* partition) {
    QTreeWidgetItem* partitions = Enfant(NoeudBase(partition->Base()), GenreNoeud::Partitions);
    if (!partitions) return nullptr;
    const QString nom = VersQt(partition->Base()->RetourneGraphie(partition->CleType(), false));
    QTreeWidgetItem* item = AjouteItem(partitions, nom, GenreNoeud::Partition, 2);
    for (const GenreFenetre* genre : GenresDePortee(Portee::Partition))
        if (!genre->rubrique.isEmpty())
            AjouteItem(item, genre->rubrique, GenreNoeud::Rubrique, genre->imageRubrique)
                ->setData(0, RoleRubrique, genre->rubrique);
    item->setExpanded(true);
    item->setData(0, RoleObjet, Objet(partition));
    return item;
}

QTreeWidgetItem* TFenNavig::NoeudPartition(const t3::Partition* partition) const {
    if (!partition) return nullptr;
    const QTreeWidgetItem* partitions = Enfant(NoeudBase(partition->Base()), GenreNoeud::Partitions);
    return partitions ? ItemDeObjet(partitions, GenreNoeud::Partition, partition) : nullptr;
}

QTreeWidgetItem* TFenNavig::Rubrique(const t3::Partition* partition, const QString& rubrique) const {
    const QTreeWidgetItem* item = NoeudPartition(partition);
    for (int i = 0; item && i < item->childCount(); ++i)
        if (Genre(item->child(i)) == GenreNoeud::Rubrique &&
            item->child(i)->data(0, RoleRubrique) == rubrique)
            return item->child(i);
    return nullptr;
}

QTreeWidgetItem* TFenNavig::ListeFenetre(const t3::Partition* partition, const QString& rubrique,
                                         const QString& prefixe, QWidget* fenetre) {
    QTreeWidgetItem* item = Rubrique(partition, rubrique);
    if (!item) return nullptr;
    int numero = 1;
    for (int i = 0; i < item->childCount(); ++i)
        numero += item->child(i)->data(0, RoleRubrique) == prefixe;
    QTreeWidgetItem* listee =
        AjouteItem(item, QString("%1 (%2)").arg(prefixe).arg(numero), GenreNoeud::FenetreListee, -1, fenetre);
    listee->setData(0, RoleRubrique, prefixe);
    return listee;
}

std::vector<QWidget*> TFenNavig::FenetresListees(const t3::Partition* partition, const QString& rubrique,
                                                 const QString& prefixe) const {
    std::vector<QWidget*> fenetres;
    const QTreeWidgetItem* item = Rubrique(partition, rubrique);
    for (int i = 0; item && i < item->childCount(); ++i)
        if (item->child(i)->data(0, RoleRubrique) == prefixe)
            if (QWidget* fenetre = Fenetre(item->child(i))) fenetres.push_back(fenetre);
    return fenetres;
}

QTreeWidgetItem* TFenNavig::AjouteSection(const t3::Section* section, const QString& texte) {
    QTreeWidgetItem* cartes = Enfant(NoeudBase(section->Base()), GenreNoeud::CartesSections);
    if (!cartes) return nullptr;
    QTreeWidgetItem* item = AjouteItem(cartes, texte, GenreNoeud::Section);
    item->setData(0, RoleObjet, Objet(section));
    return item;
}

QTreeWidgetItem* TFenNavig::NoeudSection(const t3::Section* section) const {
    if (!section) return nullptr;
    const QTreeWidgetItem* cartes = Enfant(NoeudBase(section->Base()), GenreNoeud::CartesSections);
    return cartes ? ItemDeObjet(cartes, GenreNoeud::Section, section) : nullptr;
}

QTreeWidgetItem* TFenNavig::AjouteVue(const t3::Section* section, QWidget* carte) {
    QTreeWidgetItem* item = NoeudSection(section);
    if (!item) return nullptr;
    const int numero = CompteEnfants(item, GenreNoeud::VueSection) + 1;
    return AjouteItem(item, QString("Vue n°%1").arg(numero), GenreNoeud::VueSection, -1, carte);
}

std::vector<QWidget*> TFenNavig::Vues(const t3::Section* section) const {
    return FenetresEnfants(NoeudSection(section), GenreNoeud::VueSection);
}

void TFenNavig::TreePagesChange(QTreeWidgetItem* item) {
    if (QWidget* fenetre = Fenetre(item))
        emit PageChoisie(fenetre);
    else if (item && item->parent() && Genre(item->parent()) == GenreNoeud::Base)
        emit PageFermee(item);
}

// The navigation window lives as long as the main window: a request to close it is refused.
void TFenNavig::closeEvent(QCloseEvent* evenement) {
    evenement->ignore();
}

} // namespace t3ui
