#include "ui/shell/TContainer.h"

#include "engine/stats/Tgen.h"
#include "ui/explore/CibleGroupes.h"
#include "ui/shell/Images.h"
#include "ui/shell/Sablier.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TexteQt.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

namespace t3ui {

TContainer::TContainer(ServicesModele& services) : m_services(services) {
    setObjectName("Container");
    setToolTip("Vide");
    setPixmap(Glyphe("{…}", 45).pixmap(32, 32));
    setFixedSize(36, 36);
    setAlignment(Qt::AlignCenter);
    // A group dragged from the container itself is refused.
    CibleGroupes::Installe(
        this, [this](const TTgenDragObject& objet) { return ContainerDrop(objet); }, this);
    m_pmnuQueue = new QMenu(this);
    m_pmnuQueue->setObjectName("PMnuQueue");
    connect(m_pmnuQueue, &QMenu::aboutToShow, this, &TContainer::RemplitPMnuQueue);
}

bool TContainer::ContainerDrop(const TTgenDragObject& objet) {
    const t3::charg1* base = m_services.Chargeur();
    if (!GroupeDuGlisser(&objet, this) || !base) return false;
    std::shared_ptr<t3::Tgen> groupe;
    {
        Sablier sablier;
        groupe = GroupeRecu(base, objet, true, this);
    }
    if (!groupe) return false;
    setToolTip(VersQt(groupe->Nom()));
    m_groupeCourant = groupe.get();
    m_fileGroupes.push_front(std::move(groupe));
    while (m_fileGroupes.size() > NbGroupesGardes)
        m_fileGroupes.pop_back();
    return true;
}

void TContainer::ChoisitGroupe(int index) {
    if (index < 0 || index >= static_cast<int>(m_fileGroupes.size())) return;
    m_groupeCourant = m_fileGroupes[static_cast<size_t>(index)].get();
    setToolTip(VersQt(m_groupeCourant->Nom()));
}

void TContainer::RemplitPMnuQueue() {
    m_pmnuQueue->clear();
    for (size_t i = 0; i < m_fileGroupes.size(); ++i) {
        QAction* action = m_pmnuQueue->addAction(VersQt(m_fileGroupes[i]->Nom()), this,
                                                 [this, i] { ChoisitGroupe(static_cast<int>(i)); });
        action->setCheckable(true);
        action->setChecked(m_fileGroupes[i].get() == m_groupeCourant);
    }
}

void TContainer::mousePressEvent(QMouseEvent* evenement) {
    m_depart.Appui(evenement);
    QLabel::mousePressEvent(evenement);
}

void TContainer::mouseMoveEvent(QMouseEvent* evenement) {
    const t3::Tgen* groupe = m_groupeCourant;
    if (!m_depart.Atteint(evenement) || !groupe) return;
    auto* objet = new TTgenDragObject(this, groupe->Nom(), groupe->GetCouleur(), groupe->NbEntrees());
    objet->SetBase(groupe->Base());
    objet->SetSegments(groupe->SegmentsSource());
    for (int32_t entree : groupe->Entrees())
        objet->Ajoute(entree);
    GlisseGroupe(this, objet, pixmap());
}

void TContainer::contextMenuEvent(QContextMenuEvent* evenement) {
    m_pmnuQueue->popup(evenement->globalPos());
}

} // namespace t3ui
