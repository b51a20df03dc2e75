#pragma once
// "Réglages" of the section map: the three shades of the main group's colour (full, half-light,
// two-thirds-light), each of which a click changes, and the two thresholds of the coefficients that
// choose among them. A borderless panel, shown modally just below the map's button; OK refuses a
// threshold that is not a whole number, and the map then keeps its settings.
#include "engine/Globaux.h"
#include "engine/explore/CarteSections.h"

#include <QDialog>

#include <cstdint>

class QLineEdit;

namespace t3ui {

class Pastille;

class TFenParamCarte : public QDialog {
    Q_OBJECT
  public:
    // couleur: the main group's colour; the shapes show it and its shades, the fields the thresholds.
    TFenParamCarte(QWidget* parent, t3::Couleur couleur, int32_t seuil1, int32_t seuil2);

    QLineEdit* Edit1() const { return m_edit1; }
    QLineEdit* Edit2() const { return m_edit2; }
    Pastille* ShCol(int i) const { return m_formes[i]; }

    // Once accepted: the shades of the three shapes and the thresholds.
    t3::NuancesGroupe Nuances() const;
    int32_t Seuil1() const { return m_seuil1; }
    int32_t Seuil2() const { return m_seuil2; }

    void accept() override;

  private:
    QLineEdit* m_edit1;
    QLineEdit* m_edit2;
    Pastille* m_formes[3];
    int32_t m_seuil1;
    int32_t m_seuil2;
};

} // namespace t3ui
