#pragma once
// The parameters of a computation of repeated segments: the punctuation that ends a segment and the
// segment threshold. The keys are listed, disabled: the finder passes over them, whatever is checked.
// The form threshold is not shown; it stays at its initial value.
#include <QDialog>

#include <cstdint>
#include <set>

class QListWidget;
class QSpinBox;

namespace t3 {
class charg1;
}

namespace t3ui {

class TFenPrepSR : public QDialog {
    Q_OBJECT
  public:
    TFenPrepSR(QWidget* owner, const t3::charg1& base);

    // The entry numbers of the checked rows of ListDelims.
    std::set<int32_t> Delimiteurs() const;
    int32_t SeuilFormes() const;
    int32_t SeuilSegments() const;

    QListWidget* ListDelims() const { return m_delims; }
    QListWidget* ListCles() const { return m_cles; }
    QSpinBox* EditSR() const { return m_editSR; }
    QSpinBox* EditForme() const { return m_editForme; }

  private:
    QListWidget* m_delims;
    QListWidget* m_cles;
    QSpinBox* m_editSR;
    QSpinBox* m_editForme;
};

} // namespace t3ui
