#pragma once
// A list whose selected rows are dragged as a group under a compact image: the first names and the
// count, rather than the picture of every row between the first and the last selected, which covers the
// screen with a large opaque block.
#include <QTableView>

namespace t3ui {

class ListeGlissable : public QTableView {
    Q_OBJECT
  public:
    using QTableView::QTableView;

    // The image of a drag of these rows' first-column texts: at most three of them, then the count.
    static QPixmap ImageGlisser(const QStringList& noms, const QFont& police);
    // The image of a drag of the selected rows.
    QPixmap ImageSelection() const;

  protected:
    void startDrag(Qt::DropActions actions) override;
};

} // namespace t3ui
