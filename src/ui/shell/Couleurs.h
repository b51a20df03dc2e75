#pragma once
// Colours cross between the engine (red in the low byte, then green, then blue) and Qt here.
#include "engine/Globaux.h"

#include <QColor>

namespace t3ui {

inline QColor VersQColor(t3::Couleur c) {
    return QColor(t3::Rouge(c), t3::Vert(c), t3::Bleu(c));
}
inline t3::Couleur DeQColor(const QColor& c) {
    return t3::CouleurRGB(static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()),
                          static_cast<uint8_t>(c.blue()));
}

} // namespace t3ui
