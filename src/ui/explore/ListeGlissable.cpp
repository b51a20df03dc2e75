#include "ui/explore/ListeGlissable.h"

#include "ui/explore/TTgenDragObject.h"

#include <QDrag>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>

#include <algorithm>

namespace t3ui {

namespace {

constexpr int NomsMontres = 3;
constexpr int LargeurMax = 220;

} // namespace

ListeGlissable::ListeGlissable(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setShowGrid(true);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
}

QPixmap ListeGlissable::ImageGlisser(const QStringList& noms, const QFont& police) {
    const QFontMetrics mesure(police);
    QStringList lignes;
    for (int i = 0; i < std::min<int>(NomsMontres, noms.size()); ++i)
        lignes << mesure.elidedText(noms[i], Qt::ElideRight, LargeurMax - 12);
    if (noms.size() > NomsMontres) lignes << QString("… (%1 en tout)").arg(noms.size());
    int largeur = 0;
    for (const QString& ligne : lignes)
        largeur = std::max(largeur, mesure.horizontalAdvance(ligne));
    const QSize taille(std::min(largeur + 12, LargeurMax),
                       static_cast<int>(lignes.size()) * mesure.height() + 8);
    QPixmap image(taille);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setFont(police);
    peintre.setPen(QColor(0, 0, 128));
    peintre.setBrush(QColor(255, 255, 225, 230));
    peintre.drawRoundedRect(QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    for (int i = 0; i < lignes.size(); ++i)
        peintre.drawText(6, 4 + i * mesure.height() + mesure.ascent(), lignes[i]);
    return image;
}

QPixmap ListeGlissable::ImageSelection() const {
    QModelIndexList lignes = selectionModel()->selectedRows();
    std::sort(lignes.begin(), lignes.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList noms;
    for (const QModelIndex& ligne : lignes)
        noms << ligne.data(Qt::DisplayRole).toString();
    return ImageGlisser(noms, font());
}

void ListeGlissable::startDrag(Qt::DropActions actions) {
    QMimeData* donnees = model()->mimeData(selectionModel()->selectedIndexes());
    if (!donnees) return;
    auto* glisser = new QDrag(this);
    glisser->setMimeData(donnees);
    const QPixmap image = ImageSelection();
    glisser->setPixmap(image);
    glisser->setHotSpot(QPoint(-8, image.height() / 2));
    if (actions & Qt::CopyAction)
        LanceGlisser(glisser);
    else
        glisser->exec(actions, Qt::CopyAction);
}

} // namespace t3ui
