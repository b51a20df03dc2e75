#pragma once
// The one way every window receives a group of forms by drag and drop. CibleGroupes::Installe makes a
// widget (the viewport of a scroll area) a drop target that accepts only a group drag object, not
// coming from a control it refuses, and hands the object to the window; any other payload is refused.
// The window then builds its own group from the carried entries (GroupeRecu).
#include "explore/TTgenDragObject.h"

#include <QMimeData>
#include <QObject>

#include <functional>
#include <memory>

class QWidget;

namespace t3 {
class charg1;
class Tgen;
} // namespace t3

namespace t3ui {

// The group carried by a drag, or null when the drag carries anything else or starts from refusee.
const TTgenDragObject* GroupeDuGlisser(const QMimeData* donnees, const QObject* refusee = nullptr);

// The receiving window's group: the entries in order; named after the drag when gardeNom and the drag
// has a name (otherwise the group's default name); the drag's colour unless it is white. A group from
// another base is carried over by its graphies: the forms the receiving base lacks are left out (the
// status bar of fenetre's workbench says how many), and segments are refused with a message, as is a
// group none of whose forms the base holds: null then.
std::unique_ptr<t3::Tgen> GroupeRecu(const t3::charg1* base, const TTgenDragObject& objet, bool gardeNom,
                                     QWidget* fenetre = nullptr);

class CibleGroupes : public QObject {
    Q_OBJECT
  public:
    // What the window does with a dropped group; false when it refuses it after all.
    using Depot = std::function<bool(const TTgenDragObject& objet)>;

    // Makes cible accept group drops (on its viewport when it is a scroll area); the handler lives as
    // long as the widget. refusee: a source whose drags are refused (the widget itself, for a source
    // that is also a target).
    static CibleGroupes* Installe(QWidget* cible, Depot depot, const QObject* refusee = nullptr);

  protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

  private:
    CibleGroupes(QObject* parent, Depot depot, const QObject* refusee);

    Depot m_depot;
    const QObject* m_refusee;
};

} // namespace t3ui
