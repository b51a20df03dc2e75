#pragma once
// The hourglass for the life of the object: set on construction, restored on destruction, so that a
// command left early (a return, an exception) never leaves the wait cursor behind.
#include <QApplication>

namespace t3ui {

class Sablier {
  public:
    Sablier() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Sablier() { QApplication::restoreOverrideCursor(); }
    Sablier(const Sablier&) = delete;
    Sablier& operator=(const Sablier&) = delete;
};

} // namespace t3ui
