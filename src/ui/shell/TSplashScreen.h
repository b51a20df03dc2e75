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

  protected:
    void mousePressEvent(QMouseEvent* evenement) override;

  private:
    void FormCreate();
    QLabel* m_lbVersion;
};

} // namespace t3ui
