#include "ui/shell/Images.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace t3ui {

QIcon Glyphe(const QString& texte, int teinte) {
    QPixmap image(24, 24);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fond(0, 0, 0, 24);
    fond.setColorAt(0, QColor::fromHsv(teinte, 90, 250));
    fond.setColorAt(1, QColor::fromHsv(teinte, 200, 190));
    peintre.setBrush(fond);
    peintre.setPen(QColor::fromHsv(teinte, 220, 120));
    peintre.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 4, 4);
    QFont police = peintre.font();
    police.setBold(true);
    police.setPixelSize(texte.size() > 2 ? 8 : 11);
    peintre.setFont(police);
    peintre.setPen(QColor::fromHsv(teinte, 255, 60));
    peintre.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, texte);
    return QIcon(image);
}

QIcon IconeNavigation(int index) {
    QStyle* style = QApplication::style();
    switch (index) {
    case 0:
        return style->standardIcon(QStyle::SP_FileIcon);
    case 1:
        return style->standardIcon(QStyle::SP_FileDialogDetailedView);
    case 2:
        return style->standardIcon(QStyle::SP_DirIcon);
    default:
        return QIcon();
    }
}

namespace {

void PeintTitre(QPainter& peintre, const QRect& cadre, int taille) {
    QFont police("Serif");
    police.setPixelSize(taille);
    police.setBold(true);
    peintre.setFont(police);
    peintre.setPen(QColor(255, 255, 255));
    peintre.drawText(cadre, Qt::AlignCenter, QStringLiteral("Tessaron3"));
}

} // namespace

QPixmap Logo(int largeur, int hauteur) {
    QPixmap image(largeur, hauteur);
    QPainter peintre(&image);
    QLinearGradient fond(0, 0, largeur, 0);
    fond.setColorAt(0, QColor(20, 40, 120));
    fond.setColorAt(1, QColor(60, 120, 200));
    peintre.fillRect(image.rect(), fond);
    PeintTitre(peintre, image.rect(), hauteur * 3 / 5);
    return image;
}

QPixmap ImageAccueil(int largeur, int hauteur) {
    QPixmap image(largeur, hauteur);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fond(0, 0, 0, hauteur);
    fond.setColorAt(0, QColor(30, 50, 130));
    fond.setColorAt(1, QColor(10, 20, 60));
    peintre.fillRect(image.rect(), fond);
    // A scatter of words of varying weight, above and below the title: the vocabulary of a corpus.
    struct Mot {
        const char* texte;
        double x, y; // fractions of the picture
        int taille;
    };
    static const Mot mots[] = {
        {"formes", 0.06, 0.12, 15},       {"segments", 0.38, 0.10, 20},   {"hapax", 0.76, 0.14, 14},
        {"vocabulaire", 0.14, 0.26, 22},  {"fréquence", 0.60, 0.27, 17},  {"contextes", 0.05, 0.72, 16},
        {"spécificités", 0.40, 0.75, 24}, {"partitions", 0.74, 0.70, 15}, {"concordance", 0.12, 0.90, 18},
        {"occurrences", 0.58, 0.91, 16},
    };
    QFont police("Serif");
    int teinte = 0;
    for (const Mot& mot : mots) {
        police.setPixelSize(mot.taille);
        peintre.setFont(police);
        peintre.setPen(QColor(130 + teinte, 170 + teinte / 2, 255, 120));
        peintre.drawText(QPointF(mot.x * largeur, mot.y * hauteur), QString::fromUtf8(mot.texte));
        teinte += 10;
    }
    PeintTitre(peintre, QRect(0, hauteur / 3, largeur, hauteur / 4), hauteur / 7);
    return image;
}

} // namespace t3ui
