#pragma once
// The lists whose selected rows are dragged as a group (dictionary, segments, specificities, groups of
// forms), set up alike, dragged under a compact image: the first names and the count, rather than the picture
// of every row between the first and the last selected, which covers the screen with a large opaque block.
#include <QTableView>

namespace t3ui {

class ListeGlissable : public QTableView {
    Q_OBJECT
  public:
    // A read-only list of whole rows, several selectable, dragged, with a grid and compact rows without
    // numbers.
    explicit ListeGlissable(QWidget* parent = nullptr);

    // The image of a drag of these rows' first-column texts: at most three of them, then the count.
    static QPixmap ImageGlisser(const QStringList& noms, const QFont& police);
    // The image of a drag of the selected rows.
    QPixmap ImageSelection() const;

  protected:
    void startDrag(Qt::DropActions actions) override;
};

} // namespace t3ui
