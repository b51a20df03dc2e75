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
    // The command "Options...": the dialog centred on the screen; on OK the tag-count option is stored,
    // then the maximum number of articles, each only when its field holds an integer.
    static void Regle(QWidget* parent);

    QLineEdit* EdMaxart() const { return m_edMaxart; }
    QLineEdit* EdEtiqs() const { return m_edEtiqs; }
    QComboBox* CBMusiques() const { return m_cbMusiques; }
    QString TexteMaxart() const;
    QString TexteEtiquettes() const;
    // The field's integer; false when its text is not one.
    bool Maxart(int32_t& valeur) const;
    bool Etiquettes(int32_t& valeur) const;

    // OK: the fields must hold whole numbers; a field that does not is named, and the dialog stays
    // open on it.
    void accept() override;

  private:
    void FormCreate();
    bool Verifie(QLineEdit* champ);

    QLineEdit* m_edMaxart;
    QLineEdit* m_edEtiqs;
    QComboBox* m_cbMusiques;
};

} // namespace t3ui
