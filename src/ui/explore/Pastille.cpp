#include "ui/explore/Pastille.h"

#include "ui/shell/Couleurs.h"
#include "ui/shell/Dialogues.h"

#include <QPainter>

namespace t3ui {

Pastille::Pastille(t3::Couleur couleur, QWidget* parent) : QLabel(parent), m_couleur(couleur) {
    setObjectName("ShPastille");
    setFixedSize(18, 18);
    setToolTip("Couleur d'affichage des éléments de la liste\naprès projection.");
    Peint();
}

void Pastille::SetCouleur(t3::Couleur couleur) {
    m_couleur = couleur;
    Peint();
}

void Pastille::mousePressEvent(QMouseEvent*) {
    m_enfoncee = true;
}

// A release without its press (a drag that began elsewhere) opens nothing.
void Pastille::mouseReleaseEvent(QMouseEvent*) {
    const bool enfoncee = m_enfoncee;
    m_enfoncee = false;
    if (!enfoncee) return;
    const QColor choisie = Dialogues::ChoisitCouleur(this, VersQColor(m_couleur));
    if (!choisie.isValid()) return;
    SetCouleur(DeQColor(choisie));
    emit CouleurChoisie(m_couleur);
}

void Pastille::Peint() {
    QPixmap image(18, 18);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setBrush(VersQColor(m_couleur));
    peintre.setPen(Qt::black);
    peintre.drawRect(QRectF(1.5, 1.5, 15, 15)); // a coloured square
    setPixmap(image);
}

} // namespace t3ui
