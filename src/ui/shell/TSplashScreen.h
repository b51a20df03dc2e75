#pragma once
// The start-up window: a picture and the program's version, shown while the main window is built.
#include <QWidget>

class QLabel;

namespace t3ui {

class TSplashScreen : public QWidget {
    Q_OBJECT
  public:
    TSplashScreen();
    QLabel* LbVersion() const { return m_lbVersion; }
    // Shows the splash and returns once it is painted on screen: the window system maps a new window
    // after a while, and a paint asked before that shows nothing (a second at most is waited for).
    void MontreEtPeint();
    // The paints done while the window was on screen.
    int NbPeinturesVisibles() const { return m_peinturesVisibles; }

  protected:
    void mousePressEvent(QMouseEvent* evenement) override;
    void paintEvent(QPaintEvent* evenement) override;

  private:
    void FormCreate();
    QLabel* m_lbVersion;
    int m_peinturesVisibles = 0;
};

} // namespace t3ui
