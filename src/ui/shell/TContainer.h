#pragma once
// The container of the toolbar: an image that receives groups of forms dropped on it and gives the
// current group to whatever window it is dragged onto. Its right-click menu lists the last groups.
#include <QLabel>
#include <QPoint>

namespace t3ui {

class TFenPrinc;

class TContainer : public QLabel {
    Q_OBJECT
  public:
    explicit TContainer(TFenPrinc* principale);

  protected:
    void dragEnterEvent(QDragEnterEvent* evenement) override;
    void dragMoveEvent(QDragMoveEvent* evenement) override;
    void dropEvent(QDropEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void contextMenuEvent(QContextMenuEvent* evenement) override;

  private:
    TFenPrinc* m_principale;
    QPoint m_depart;
};

} // namespace t3ui
