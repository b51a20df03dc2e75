#include "ui/afc/PlanAFC.h"

#include "engine/afc/ListePoints.h"
#include "engine/corpus/Partition.h"
#include "ui/shell/Couleurs.h"
#include "ui/shell/TexteQt.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace t3ui {

namespace {

const QColor CouleurAxes(0, 128, 0);
const QColor CouleurHachures(143, 134, 113);

} // namespace

PlanAFC::PlanAFC(t3::Partition* partition, const t3::TListePoints* points, QWidget* parent)
    : QWidget(parent), m_partition(partition), m_points(points) {
    setObjectName("Surface");
    setAutoFillBackground(true);
    QPalette fond = palette();
    fond.setColor(QPalette::Window, fond.color(QPalette::ToolTipBase));
    setPalette(fond);
    setCursor(Qt::CrossCursor);
    setContextMenuPolicy(Qt::PreventContextMenu);
    AxesChanges();
}

void PlanAFC::AxesChanges() {
    m_x = t3::EtendueValeurs(m_points->X());
    m_y = t3::EtendueValeurs(m_points->Y());
    update();
}

void PlanAFC::SetNoms(bool noms) {
    m_noms = noms;
    update();
}

void PlanAFC::SetPinceau(bool actif, t3::Couleur couleur) {
    m_pinceau = actif;
    m_couleur = couleur;
    setCursor(actif ? Qt::PointingHandCursor : Qt::CrossCursor);
}

t3::EchellePlan PlanAFC::Echelle() const {
    return t3::EchellePlan(m_x, m_y, width(), height());
}

QString PlanAFC::Etiquette(int32_t point) const {
    return VersQt(t3::EtiquettePoint(*m_partition, point, m_noms));
}

std::vector<t3::Boite> PlanAFC::Boites() const {
    const t3::EchellePlan echelle = Echelle();
    const QFontMetrics mesure(font());
    std::vector<t3::Boite> boites;
    for (int32_t i = 0; i < m_points->NbPoints(); ++i) {
        const QSize texte = mesure.size(Qt::TextSingleLine, Etiquette(i));
        boites.push_back(t3::BoiteEtiquette(echelle, m_points->X()[static_cast<size_t>(i)],
                                            m_points->Y()[static_cast<size_t>(i)], texte.width(),
                                            texte.height()));
    }
    return boites;
}

void PlanAFC::Dessine(QPainter& peintre) const {
    peintre.fillRect(rect(), palette().color(QPalette::Window));
    peintre.setFont(font());
    peintre.setPen(QPen(CouleurAxes, 2));
    for (const t3::Trait& t : t3::TraitsAxes(Echelle(), width(), height()))
        peintre.drawLine(t.x1, t.y1, t.x2, t.y2);
    const std::vector<t3::Boite> boites = Boites();
    for (size_t i = 0; i < boites.size(); ++i)
        DessineBoite(peintre, static_cast<int32_t>(i), boites[i]);
}

void PlanAFC::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    Dessine(peintre);
    if (m_trace) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = QRect(m_appui, m_glisse).normalized();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &peintre, this);
    }
}

// Selected: a blue border 3 pixels wide, black and 1 pixel otherwise. Reference: solid in the part's
// colour, hatched otherwise.
void PlanAFC::DessineBoite(QPainter& peintre, int32_t point, const t3::Boite& b) const {
    const QRect boite(b.x, b.y, b.largeur, b.hauteur);
    if (m_partition->Reference(point)) {
        peintre.fillRect(boite, VersQColor(m_partition->CouleurPartie(point)));
    } else {
        peintre.fillRect(boite, Qt::white);
        peintre.fillRect(boite, QBrush(CouleurHachures, Qt::FDiagPattern));
    }
    const bool choisie = m_partition->Selection(point);
    const int epaisseur = choisie ? 3 : 1;
    QPen bord(choisie ? QColor(0, 0, 255) : QColor(Qt::black), epaisseur);
    bord.setJoinStyle(Qt::MiterJoin);
    peintre.setPen(bord);
    peintre.setBrush(Qt::NoBrush);
    // The border inside the box, whatever its width.
    const int dedans = epaisseur / 2;
    peintre.drawRect(boite.adjusted(dedans, dedans, -dedans - 1, -dedans - 1));
    // A white line along the middle of the border: a selected part filled in blue (every part's first
    // colour) must not look like one that is not selected. Inside the border it would cross the text,
    // which starts at its inner edge.
    if (choisie) {
        peintre.setPen(QPen(Qt::white, 1));
        peintre.drawRect(boite.adjusted(1, 1, -2, -2));
    }
    // Black text, white on a dark fill.
    const QColor fond = VersQColor(m_partition->CouleurPartie(point));
    const bool sombre = m_partition->Reference(point) && qGray(fond.rgb()) < 110;
    peintre.setPen(sombre ? Qt::white : Qt::black);
    peintre.drawText(boite.adjusted(t3::RetraitEtiquette, t3::RetraitEtiquette, 0, 0),
                     Qt::AlignLeft | Qt::AlignTop, Etiquette(point));
}

void PlanAFC::mousePressEvent(QMouseEvent* evenement) {
    m_appui = m_glisse = evenement->position().toPoint();
    m_trace = evenement->button() == Qt::LeftButton || evenement->button() == Qt::RightButton;
    update();
}

void PlanAFC::mouseMoveEvent(QMouseEvent* evenement) {
    if (!m_trace) return;
    m_glisse = evenement->position().toPoint();
    update();
}

void PlanAFC::mouseReleaseEvent(QMouseEvent* evenement) {
    m_trace = false;
    const QPoint fin = evenement->position().toPoint();
    const t3::Rectangle rectangle = t3::Normalise(m_appui.x(), m_appui.y(), fin.x(), fin.y());
    const std::vector<int32_t> pris = t3::BoitesPrises(Boites(), rectangle);
    t3::GesteSouris geste;
    geste.pinceau = m_pinceau;
    geste.gauche = evenement->button() == Qt::LeftButton;
    geste.controle = evenement->modifiers().testFlag(Qt::ControlModifier);
    geste.couleur = m_couleur;
    t3::AppliqueGeste(*m_partition, pris, geste);
    update();
    emit PartitionModifiee();
    if (evenement->button() == Qt::RightButton && pris.empty() &&
        (fin - m_appui).manhattanLength() < QApplication::startDragDistance())
        emit MenuDemande(evenement->globalPosition().toPoint());
}

} // namespace t3ui
