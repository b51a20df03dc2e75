#pragma once
// The dialog that asks, before each segmentation, for the characters that cut the text into forms, the
// encoding the text is read in (the detected one first) and the French typography option. It opens with
// the default delimiters, the option off, every time.
#include "engine/segmentation/Encodage.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace t3ui {

class TFenChoixDelimForme : public QDialog {
    Q_OBJECT
  public:
    explicit TFenChoixDelimForme(QWidget* parent = nullptr);
    QLineEdit* EdDelims() const { return m_edDelims; }
    QString Delimiteurs() const;
    // Shows the encoding found in the text, chosen until the user picks the other.
    void SetEncodageDetecte(t3::Encodage encodage);
    t3::Encodage Encodage() const;
    bool Typographie() const;
    // OK: characters that Windows-1252 cannot hold (a base could not keep them) are named, and the
    // dialog stays open.
    void accept() override;

  private:
    QLineEdit* m_edDelims;
    QComboBox* m_cbEncodage;
    QCheckBox* m_chkTypographie;
};

} // namespace t3ui
