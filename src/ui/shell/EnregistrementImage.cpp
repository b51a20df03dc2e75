#include "ui/shell/EnregistrementImage.h"

#include "ui/shell/Dialogues.h"
#include "ui/shell/Sablier.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <utility>

namespace t3ui {

namespace {

const QString Suffixes[] = {".png", ".png", ".svg"};

// The file's own size: the window's pixels times the ratio, a part of a pixel counting whole.
QSize TailleFichier(QSize taille, double ratio) {
    return {static_cast<int>(std::ceil(taille.width() * ratio)),
            static_cast<int>(std::ceil(taille.height() * ratio))};
}

bool EcritPng(const ImageAEnregistrer& image, QSaveFile& fichier, double ratio) {
    QImage png(TailleFichier(image.taille, ratio), QImage::Format_ARGB32_Premultiplied);
    if (png.isNull()) return false;
    png.setDevicePixelRatio(ratio);
    png.fill(Qt::white);
    {
        QPainter peintre(&png);
        image.dessine(peintre);
    }
    return png.save(&fichier, "PNG");
}

bool EcritSvg(const ImageAEnregistrer& image, QSaveFile& fichier, int resolution) {
    QSvgGenerator svg;
    svg.setOutputDevice(&fichier);
    svg.setSize(image.taille);
    svg.setViewBox(QRect(QPoint(), image.taille));
    // The fonts take on the file the size they have on the screen.
    svg.setResolution(resolution);
    svg.setTitle(image.nom);
    svg.setDescription("Tessaron3");
    QPainter peintre;
    if (!peintre.begin(&svg)) return false;
    peintre.fillRect(QRect(QPoint(), image.taille), Qt::white);
    image.dessine(peintre);
    return peintre.end();
}

} // namespace

const QStringList& FiltresImage() {
    static const QStringList filtres{"Image PNG (*.png)", "Image PNG, double résolution (*.png)",
                                     "Image SVG (*.svg)"};
    return filtres;
}

ImageAEnregistrer ImageDeVue(QGraphicsView* vue, const QString& nom) {
    const QSize taille = vue->viewport()->size();
    return {taille,
            [vue, taille](QPainter& peintre) {
                vue->render(&peintre, QRectF(QPointF(), taille), QRect(QPoint(), taille));
            },
            nom,
            {}};
}

QString EcritImage(const ImageAEnregistrer& image, const QString& chemin, FormatImage format, double ratio,
                   int resolution) {
    QSaveFile fichier(chemin);
    const bool ecrite = fichier.open(QIODevice::WriteOnly) &&
                        (format == FormatImage::Svg ? EcritSvg(image, fichier, resolution)
                                                    : EcritPng(image, fichier, ratio)) &&
                        fichier.commit();
    if (ecrite) return {};
    fichier.cancelWriting();
    return "L'image n'a pas pu être écrite dans « " + QDir::toNativeSeparators(chemin) + " ».";
}

bool EnregistreImage(QWidget* fenetre, const ImageAEnregistrer& image) {
    if (image.taille.isEmpty()) return false;
    const Dialogues::ChoixEnregistrement choix =
        Dialogues::FichierEtFormatAEnregistrer(fenetre, "Enregistrer l'image", FiltresImage(), image.nom);
    if (choix.chemin.isEmpty()) return false;
    // The name's extension chooses between PNG and SVG; the filter, the resolution of a PNG, and the
    // format of a name without either extension, which then takes the format's.
    QString chemin = choix.chemin;
    const QString suffixe = QFileInfo(chemin).suffix().toLower();
    auto format = static_cast<FormatImage>(std::max<qsizetype>(0, FiltresImage().indexOf(choix.filtre)));
    if (suffixe == "svg")
        format = FormatImage::Svg;
    else if (suffixe == "png" && format == FormatImage::Svg)
        format = FormatImage::Png;
    else if (suffixe != "png")
        chemin += Suffixes[static_cast<int>(format)];

    const double ratio = format == FormatImage::PngDouble ? 2.0 : fenetre->devicePixelRatioF();
    const QSize taille = TailleFichier(image.taille, format == FormatImage::Svg ? 1.0 : ratio);
    if (taille.width() > CoteImageMax || taille.height() > CoteImageMax) {
        static_assert(CoteImageMax == 32767, "the message gives the longest side");
        QString refus = QString("L'image ferait %1 × %2 pixels : une image ne peut dépasser 32 767 pixels "
                                "de côté. « %3 » n'a pas été écrit.")
                            .arg(taille.width())
                            .arg(taille.height())
                            .arg(QDir::toNativeSeparators(chemin));
        if (!image.conseil.isEmpty()) refus += " " + image.conseil;
        Dialogues::Information(fenetre, refus);
        return false;
    }
    QString echec;
    {
        Sablier sablier;
        echec = EcritImage(image, chemin, format, ratio, fenetre->logicalDpiY());
    }
    if (echec.isEmpty()) return true;
    Dialogues::Message(fenetre, QMessageBox::Warning, "Tessaron3", echec);
    return false;
}

QAction* InstalleEnregistrementImage(QWidget* fenetre, const QList<QWidget*>& images,
                                     std::function<ImageAEnregistrer()> image) {
    auto* action = new QAction(QString("Enregistrer l'image") + QChar(0x2026), fenetre);
    action->setObjectName("ActEnregistrerImage");
    action->setShortcut(QKeySequence("Ctrl+Shift+S"));
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(action, &QAction::triggered, fenetre,
                     [fenetre, image = std::move(image)] { EnregistreImage(fenetre, image()); });
    fenetre->addAction(action);
    // A scroll area (a chart's view) shows its own context menu over its whole viewport.
    for (QWidget* widget : images) {
        widget->addAction(action);
        widget->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
    return action;
}

} // namespace t3ui
