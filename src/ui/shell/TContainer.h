#pragma once
// The container of the toolbar: an image that receives groups of forms dropped on it and gives the
// current group to whatever window it is dragged onto. It keeps the last twenty groups dropped, newest
// first; its right-click menu PMnuQueue lists them and makes the chosen one current.
#include "ui/explore/TTgenDragObject.h"

#include <QLabel>
#include <QPoint>

#include <deque>
#include <memory>

class QMenu;

namespace t3 {
class Tgen;
}

namespace t3ui {

class ServicesModele;
class TTgenDragObject;

class TContainer : public QLabel {
    Q_OBJECT
  public:
    static constexpr size_t NbGroupesGardes = 20;

    explicit TContainer(ServicesModele& services);

    // The drop of a group, built on the open base; false when it is refused.
    bool ContainerDrop(const TTgenDragObject& objet);
    void ChoisitGroupe(int index);
    const t3::Tgen* GroupeCourant() const { return m_groupeCourant; }
    const std::deque<std::shared_ptr<t3::Tgen>>& FileGroupes() const { return m_fileGroupes; }
    QMenu* PMnuQueue() const { return m_pmnuQueue; }

  protected:
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void contextMenuEvent(QContextMenuEvent* evenement) override;

  private:
    void RemplitPMnuQueue();

    ServicesModele& m_services;
    std::deque<std::shared_ptr<t3::Tgen>> m_fileGroupes;
    t3::Tgen* m_groupeCourant = nullptr;
    QMenu* m_pmnuQueue;
    DepartGlisser m_depart;
};

} // namespace t3ui
