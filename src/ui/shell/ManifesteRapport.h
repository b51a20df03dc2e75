#pragma once
// What the manifests of the workbench's publication and of the batch report share: the program's version
// and the date, the settings the base was segmented and is studied under (its delimiters, MAXART, the
// tag-count option), the files of the base with their SHA-256, and the versions of the libraries that
// computed — the engine's, and Qt's, which draws the pictures.
#include "engine/rapport/Manifeste.h"

#include <QDateTime>

namespace t3 {
class charg1;
}

namespace t3ui {

// base may be null (no base open): no delimiters and no files then.
t3::Manifeste ManifesteBase(const t3::charg1* base, const QDateTime& date);

} // namespace t3ui
