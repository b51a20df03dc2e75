// Times the section map of the workbench on a base, without a display: from the command ("Sections",
// the delimiter "." chosen, "Créer") to the map shown with the group of the ten most frequent forms
// dropped on it and painted; then each repaint of the map scrolled through twenty screens spread over it.
// Prints "name seconds" lines, the slowest repaint, the number of sections and the peak memory after
// loading, after the map opened and after the group dropped ("memoire_name KB").
#include "AideBench.h"
#include "engine/corpus/Section.h"
#include "engine/corpus/charg1.h"
#include "ui/explore/TFenCarteParag.h"
#include "ui/explore/TFenChoixDelim.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/shell/Atelier.h"
#include "ui/shell/TFenPrinc.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>

using namespace t3ui;

namespace {

// Chooses "." in the dialog and creates the set: the map opens; null when the base has no ".".
TFenCarteParag* OuvreCarte(TFenPrinc& atelier, t3::charg1* base) {
    TFenChoixDelim dialogue(atelier, base);
    const QList<QListWidgetItem*> points = dialogue.ListDelims()->findItems(".", Qt::MatchExactly);
    if (points.isEmpty()) return nullptr;
    points.front()->setSelected(true);
    dialogue.BtnValideClick();
    return atelier.findChild<TFenCarteParag*>();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage : fencarte BASE.par\n");
        return 2;
    }
    TFenPrinc atelier;
    atelier.resize(1200, 800);
    atelier.show();
    if (!atelier.Bases().OuvreBase(QString::fromLocal8Bit(argv[1]))) return 2;
    QApplication::processEvents();
    t3::charg1* base = atelier.Chargeur();
    // The peak from here on, against the memory the loaded base holds.
    const long chargee = t3bench::RemetPicMemoire() ? t3bench::MemoireKo("VmRSS:") : t3bench::MemoireKo();
    std::printf("memoire_chargement %ld\n", chargee);

    QElapsedTimer chrono;
    chrono.start();
    TFenCarteParag* carte = OuvreCarte(atelier, base);
    if (!carte) return 2;
    QApplication::processEvents();
    std::printf("memoire_carte_vide %ld\n", t3bench::MemoireKo());
    TTgenDragObject groupe(nullptr, "", 0x0000FF, 10);
    groupe.SetBase(base);
    for (int32_t forme = 0; forme < std::min<int32_t>(10, base->Nbform()); ++forme)
        groupe.Ajoute(forme);
    carte->PaintBox1DragDrop(groupe, Qt::NoModifier);
    QApplication::processEvents();
    auto* defilement = carte->findChild<QScrollArea*>("ScrollBox1");
    defilement->viewport()->repaint();
    std::printf("ouverture_carte %.3f\nmemoire_carte %ld\nsections %d\n", chrono.nsecsElapsed() / 1e9,
                t3bench::MemoireKo(), carte->GetSection()->NbSections());

    QScrollBar* barre = defilement->verticalScrollBar();
    double total = 0, pire = 0;
    for (int i = 0; i <= 20; ++i) {
        barre->setValue(static_cast<int>(static_cast<int64_t>(barre->maximum()) * i / 20));
        chrono.restart();
        defilement->viewport()->repaint();
        const double duree = chrono.nsecsElapsed() / 1e9;
        total += duree;
        pire = std::max(pire, duree);
    }
    std::printf("repeinte_moyenne %.6f\nrepeinte_pire %.6f\n", total / 21, pire);
    return 0;
}
