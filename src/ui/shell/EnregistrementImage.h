#pragma once
// "Enregistrer l'image…", one command in every window that shows a picture (the charts, the factor
// plane, the tree of the clustering, the section map): the user picks a file and a format, PNG at the
// screen's resolution or at twice it, or SVG, whose texts stay texts that can be searched and edited.
// The file is written under a temporary name and takes its own name only once whole.
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QGraphicsView;
class QPainter;
class QWidget;

namespace t3ui {

// The longest side, in pixels of the file, of a picture that is written.
inline constexpr int CoteImageMax = 32767;

// What a window gives of its picture: its size in the window's pixels, and how to draw it from (0, 0)
// over that size onto a painter that may be a PNG's or an SVG's.
struct ImageAEnregistrer {
    QSize taille;
    std::function<void(QPainter&)> dessine;
    QString nom;     // the file name proposed, without its extension
    QString conseil; // said after the refusal of a picture too large
};

enum class FormatImage { Png, PngDouble, Svg };

// The formats offered by the dialog, in the order of FormatImage.
const QStringList& FiltresImage();

// The picture of a chart (or any scene shown by a view), as the view shows it.
ImageAEnregistrer ImageDeVue(QGraphicsView* vue, const QString& nom);

// Writes the picture into chemin: a PNG of ratio pixels per pixel of the window, or an SVG whose lengths
// are in the window's pixels, its fonts sized for a screen of resolution dots per inch. An empty text, or
// the French message that names the file.
QString EcritImage(const ImageAEnregistrer& image, const QString& chemin, FormatImage format, double ratio,
                   int resolution);

// The command: the file and the format asked, then the picture written, or refused with a message when a
// side of the file would be longer than CoteImageMax. True when the file is written.
bool EnregistreImage(QWidget* fenetre, const ImageAEnregistrer& image);

// Gives fenetre the command, "ActEnregistrerImage": Ctrl+Shift+S anywhere in the window, and an item of the
// context menu of each of images. image is asked at each use; an empty size means nothing to save.
QAction* InstalleEnregistrementImage(QWidget* fenetre, const QList<QWidget*>& images,
                                     std::function<ImageAEnregistrer()> image);

} // namespace t3ui
