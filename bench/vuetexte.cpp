// Times the text view of a base: the page written, then loaded and laid out by the view, then a scroll
// through it, without a display. Prints seconds for each step.
#include "engine/corpus/charg1.h"
#include "ui/shell/TFenRuze.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage : vuetexte BASE.par\n");
        return 2;
    }
    t3::charg1 base;
    if (base.ChargeBase(argv[1]) != 0) return 2;
    QElapsedTimer chrono;
    chrono.start();
    t3ui::TFenRuze vue(&base);
    vue.resize(696, 480);
    vue.show();
    QApplication::processEvents();
    const double ouverture = chrono.nsecsElapsed() / 1e9;
    chrono.restart();
    QScrollBar* barre = vue.HTMLEdit()->verticalScrollBar();
    for (int i = 0; i <= 20; ++i) {
        barre->setValue(barre->maximum() * i / 20);
        vue.HTMLEdit()->viewport()->repaint();
    }
    const double defilement = chrono.nsecsElapsed() / 1e9;
    std::printf("%d items, page de %.1f Mo en %d parties\n", base.Nbitem(),
                QFileInfo(vue.CheminPage()).size() / 1e6, vue.NbParties());
    std::printf("vue par parties : ouverture %.2f s, défilement en 21 sauts %.2f s\n", ouverture, defilement);

    // The baseline: the same page laid out whole by one browser.
    chrono.restart();
    QTextBrowser entiere;
    entiere.resize(696, 448);
    entiere.setSource(QUrl::fromLocalFile(vue.CheminPage()), QTextDocument::HtmlResource);
    entiere.show();
    QApplication::processEvents();
    const double ouvertureEntiere = chrono.nsecsElapsed() / 1e9;
    chrono.restart();
    for (int i = 0; i <= 20; ++i) {
        entiere.verticalScrollBar()->setValue(entiere.verticalScrollBar()->maximum() * i / 20);
        entiere.viewport()->repaint();
    }
    const double defilementEntiere = chrono.nsecsElapsed() / 1e9;
    std::printf("page entière     : ouverture %.2f s, défilement en 21 sauts %.2f s\n", ouvertureEntiere,
                defilementEntiere);
    std::printf("rapport d'ouverture page entière / par parties : %.1f\n", ouvertureEntiere / ouverture);
    return 0;
}
