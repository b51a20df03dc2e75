#pragma once
// The one way every window receives a group of forms by drag and drop. CibleGroupes::Installe makes a
// widget (the viewport of a scroll area) a drop target that accepts only a group drag object, not
// coming from a control it refuses, and hands the object to the window; any other payload is refused.
// The window then builds its own group from the carried entries (GroupeRecu).
#include "ui/explore/TTgenDragObject.h"

#include <QMimeData>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace t3 {
class charg1;
class Tgen;
} // namespace t3

namespace t3ui {

// The group carried by a drag, or null when the drag carries anything else or starts from refusee.
const TTgenDragObject* GroupeDuGlisser(const QMimeData* donnees, const QObject* refusee = nullptr);

// The entries a window receives from a drag: those of the drag, or, from another base, its forms that
// the base holds (the forms it lacks are left out, and the status bar of fenetre's workbench says how
// many). Refused with a message (nullopt): segments of another base, a group none of whose forms the
// base holds, and segment entries of a computation of segments that is no longer the base's.
std::optional<std::vector<int32_t>> EntreesRecues(const t3::charg1* base, const TTgenDragObject& objet,
                                                  QWidget* fenetre = nullptr);
// What a window says of segment entries of an earlier computation.
inline const QString SegmentsPerimes =
    QStringLiteral("Les segments répétés de ce groupe viennent d'un calcul antérieur : le calcul actuel "
                   "les numérote autrement. Faites glisser les segments depuis la liste actuelle.");

// The receiving window's group: the entries in order; named after the drag when gardeNom and the drag
// has a name (otherwise the group's default name); the drag's colour unless it is white; made of
// EntreesRecues, null when they are refused.
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
