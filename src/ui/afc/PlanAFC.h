#pragma once
// The plane of a factor plot ("Surface"): the axes through 0 with their ticks, and each part as a label
// box at its point, framed by its selection flag and filled by its reference flag and colour. A mouse
// rectangle picks the boxes it meets and applies the rule of the button (and of the brush) to the
// partition's flags and colours. The geometry and the rules are the engine's (afc/PlanFactoriel.h).
#include "engine/Globaux.h"
#include "engine/afc/PlanFactoriel.h"

#include <QPoint>
#include <QWidget>

#include <vector>

namespace t3 {
class Partition;
class TListePoints;
} // namespace t3

namespace t3ui {

class PlanAFC : public QWidget {
    Q_OBJECT
  public:
    // The partition and the points are borrowed from the factor plot, which outlives its plane.
    PlanAFC(t3::Partition* partition, const t3::TListePoints* points, QWidget* parent = nullptr);

    // The points' extremes on the current axes are taken again (after a change of axis).
    void AxesChanges();
    // Labels by the parts' names (true) or by their entries' numbers.
    void SetNoms(bool noms);
    // The brush: down, a rectangle colours the parts it picks with couleur.
    void SetPinceau(bool actif, t3::Couleur couleur);
    bool Pinceau() const { return m_pinceau; }

    // The plane as painted, onto any painter (the screen's, a picture's), at the plane's size; without the
    // mouse rectangle.
    void Dessine(QPainter& peintre) const;

    // --- What the tests read
    // The label box of each point, at the plane's current size and font.
    std::vector<t3::Boite> Boites() const;
    QString Etiquette(int32_t point) const;
    t3::EchellePlan Echelle() const;

  signals:
    // A mouse rectangle changed the partition's flags or colours.
    void PartitionModifiee();
    // A click of the right button on no part (which changes nothing): the plane's menu, at that point of
    // the screen. The right button marks the parts: the plane has no menu of its own on its press.
    void MenuDemande(const QPoint& global);

  protected:
    void paintEvent(QPaintEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;

  private:
    void DessineBoite(QPainter& peintre, int32_t point, const t3::Boite& boite) const;

    t3::Partition* m_partition;
    const t3::TListePoints* m_points;
    t3::Etendue m_x, m_y;
    bool m_noms = true;
    bool m_pinceau = false;
    t3::Couleur m_couleur = 0;
    // The press point and the last drag point of the rectangle; no rectangle while m_trace is false.
    QPoint m_appui, m_glisse;
    bool m_trace = false;
};

} // namespace t3ui
