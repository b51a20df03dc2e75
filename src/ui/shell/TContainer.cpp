#include "shell/TContainer.h"

#include "explore/CibleGroupes.h"
#include "shell/Images.h"
#include "shell/TFenPrinc.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QMenu>
#include <QMouseEvent>

namespace t3ui {

TContainer::TContainer(TFenPrinc* principale) : m_principale(principale) {
    setObjectName("Container");
    setToolTip("Vide");
    setPixmap(Glyphe("{…}", 45).pixmap(32, 32));
    setFixedSize(36, 36);
    setAlignment(Qt::AlignCenter);
    setAcceptDrops(true);
}

void TContainer::dragEnterEvent(QDragEnterEvent* evenement) {
    if (GroupeDuGlisser(evenement->mimeData(), this)) evenement->acceptProposedAction();
}

void TContainer::dragMoveEvent(QDragMoveEvent* evenement) {
    if (GroupeDuGlisser(evenement->mimeData(), this)) evenement->acceptProposedAction();
}

void TContainer::dropEvent(QDropEvent* evenement) {
    const TTgenDragObject* objet = GroupeDuGlisser(evenement->mimeData(), this);
    if (objet && m_principale->ContainerDrop(*objet)) evenement->acceptProposedAction();
}

void TContainer::mousePressEvent(QMouseEvent* evenement) {
    if (evenement->button() == Qt::LeftButton) m_depart = evenement->position().toPoint();
    QLabel::mousePressEvent(evenement);
}

void TContainer::mouseMoveEvent(QMouseEvent* evenement) {
    if (!(evenement->buttons() & Qt::LeftButton) ||
        (evenement->position().toPoint() - m_depart).manhattanLength() < QApplication::startDragDistance())
        return;
    const t3::Tgen* groupe = m_principale->GroupeCourant();
    if (!groupe) return;
    auto* objet = new TTgenDragObject(this, groupe->Nom(), groupe->GetCouleur(), groupe->NbEntrees());
    for (int32_t entree : groupe->Entrees())
        objet->Ajoute(entree);
    auto* glisser = new QDrag(this);
    glisser->setMimeData(objet);
    glisser->setPixmap(pixmap());
    glisser->exec(Qt::CopyAction);
}

void TContainer::contextMenuEvent(QContextMenuEvent* evenement) {
    m_principale->PMnuQueue()->popup(evenement->globalPos());
}

} // namespace t3ui
