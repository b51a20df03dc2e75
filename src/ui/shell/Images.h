#pragma once
// The pictures of the workbench, drawn rather than shipped: the glyphs of the toolbar, the logo, the
// splash picture and the image list of the navigation tree.
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace t3ui {

// A 24-pixel glyph: a short text on a rounded tile of the given hue (0-359).
QIcon Glyphe(const QString& texte, int teinte);
// The images of the navigation tree: 0 a page, 1 a document, 2 a folder; -1 none.
QIcon IconeNavigation(int index);
QPixmap Logo(int largeur, int hauteur);
QPixmap ImageAccueil(int largeur, int hauteur);

} // namespace t3ui
