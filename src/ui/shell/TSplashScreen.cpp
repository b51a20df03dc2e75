#include "ui/shell/TSplashScreen.h"

#include "ui/shell/Images.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWindow>

namespace t3ui {

TSplashScreen::TSplashScreen()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("SplashScreen");
    setFixedSize(539, 371);
    auto* releve = new QFrame(this);
    releve->setFrameStyle(QFrame::Panel | QFrame::Raised);
    releve->setGeometry(rect());
    auto* creux = new QFrame(this);
    creux->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    creux->setGeometry(7, 5, 522, 340);
    auto* image = new QLabel(creux);
    image->setObjectName("Image1");
    image->setPixmap(ImageAccueil(513, 333));
    image->setGeometry(4, 3, 513, 333);
    m_lbVersion = new QLabel("Version 3.00", image);
    m_lbVersion->setObjectName("LbVersion");
    m_lbVersion->setStyleSheet("color: white; background: transparent; font-size: 13px;");
    FormCreate();
}

void TSplashScreen::FormCreate() {
    if (QScreen* ecran = QGuiApplication::primaryScreen()) {
        const QSize taille = ecran->size();
        move(taille.width() / 2 - width() / 2, taille.height() / 2 - height() / 2);
    }
    // The version is the one the program was built with.
    m_lbVersion->setText(QStringLiteral("Version : " T3_VERSION));
    m_lbVersion->adjustSize();
    m_lbVersion->move(8, 333 - m_lbVersion->height() - 6);
}

// A click on the picture closes the splash.
void TSplashScreen::mousePressEvent(QMouseEvent*) {
    close();
}

void TSplashScreen::MontreEtPeint() {
    show();
    QElapsedTimer attente;
    attente.start();
    while (!(windowHandle() && windowHandle()->isExposed()) && attente.elapsed() < 1000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TSplashScreen::paintEvent(QPaintEvent* evenement) {
    if (windowHandle() && windowHandle()->isExposed()) ++m_peinturesVisibles;
    QWidget::paintEvent(evenement);
}

} // namespace t3ui
