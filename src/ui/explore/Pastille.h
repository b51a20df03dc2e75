#pragma once
// The pastille of the list windows: a round swatch of the colour given to the groups dragged from the
// list. A press then a release on it opens the colour dialog; the colour chosen becomes the pastille's.
#include "engine/Globaux.h"

#include <QLabel>

namespace t3ui {

class Pastille : public QLabel {
    Q_OBJECT
  public:
    explicit Pastille(t3::Couleur couleur, QWidget* parent = nullptr);

    t3::Couleur GetCouleur() const { return m_couleur; }
    void SetCouleur(t3::Couleur couleur);

  signals:
    void CouleurChoisie(t3::Couleur couleur);

  protected:
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;

  private:
    void Peint();

    t3::Couleur m_couleur;
    bool m_enfoncee = false;
};

} // namespace t3ui
