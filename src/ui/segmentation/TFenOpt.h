#pragma once
// The options dialog: the capacity of a segmentation (MAXART) and the tag-count option, and a list of
// sounds. Its fields open with their initial values, not with the values in force.
#include <QDialog>

#include <cstdint>

class QComboBox;
class QLineEdit;
class QTabWidget;

namespace t3ui {

class TFenOpt : public QDialog {
    Q_OBJECT
  public:
    explicit TFenOpt(QWidget* parent = nullptr);

    QLineEdit* EdMaxart() const { return m_edMaxart; }
    QLineEdit* EdEtiqs() const { return m_edEtiqs; }
    QComboBox* CBMusiques() const { return m_cbMusiques; }
    QString TexteMaxart() const;
    QString TexteEtiquettes() const;
    // The field's integer; false when its text is not one.
    bool Maxart(int32_t& valeur) const;
    bool Etiquettes(int32_t& valeur) const;

  private:
    void FormCreate();

    QLineEdit* m_edMaxart;
    QLineEdit* m_edEtiqs;
    QComboBox* m_cbMusiques;
};

} // namespace t3ui
