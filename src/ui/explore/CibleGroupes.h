#pragma once
// The one way every window receives a group of forms by drag and drop: it accepts only a group drag
// object (not coming from a control it refuses), then builds its own group from the carried entries.
#include "explore/TTgenDragObject.h"

#include <QMimeData>

#include <memory>

namespace t3 {
class charg1;
class Tgen;
} // namespace t3

namespace t3ui {

// The group carried by a drag, or null when the drag carries anything else or starts from refusee.
const TTgenDragObject* GroupeDuGlisser(const QMimeData* donnees, const QObject* refusee = nullptr);

// The receiving window's group: the entries in order; named after the drag when gardeNom and the drag
// has a name (otherwise the group's default name); the drag's colour unless it is white.
std::unique_ptr<t3::Tgen> GroupeRecu(const t3::charg1* base, const TTgenDragObject& objet, bool gardeNom);

} // namespace t3ui
