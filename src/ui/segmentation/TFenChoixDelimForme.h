#pragma once
// The dialog that asks, before each segmentation, for the characters that cut the text into forms. It
// opens with the default delimiters every time.
#include <QDialog>

class QLineEdit;

namespace t3ui {

class TFenChoixDelimForme : public QDialog {
    Q_OBJECT
  public:
    explicit TFenChoixDelimForme(QWidget* parent = nullptr);
    QLineEdit* EdDelims() const { return m_edDelims; }
    QString Delimiteurs() const;
    // OK: characters that Windows-1252 cannot hold (a base could not keep them) are named, and the
    // dialog stays open.
    void accept() override;

  private:
    QLineEdit* m_edDelims;
};

} // namespace t3ui
