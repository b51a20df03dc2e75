// Times the partition windows of the workbench on a base, without a display: the statistics window of
// the paragraph partition opened through the chooser (partition built, table of parts shown) and its
// table of parts scrolled to the end; "Sp. Tot" on the author partition through the window against the
// same computation made directly by the engine; "Sp. Tot" on the paragraph partition restricted to a
// thousand marked parts, then a click on a column header of its table of forms by parts and a scroll to
// its end. Prints "name seconds" lines and the peak memory after each stage ("memoire_name KB"). With
// --ouverture after the key types, stops once the paragraph window is open.
#include "AideBench.h"
#include "engine/corpus/Cles.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/stats/CalcSpecTot.h"
#include "engine/stats/TableFormesParties.h"
#include "ui/shell/Atelier.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/TFenPrinc.h"
#include "ui/stats/ParametresSpecificites.h"
#include "ui/stats/TFenChoixPart.h"
#include "ui/stats/TFenStatPart.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTableView>

#include <cstdio>
#include <cstring>

using namespace t3ui;

namespace {

void Note(const char* nom, QElapsedTimer& chrono) {
    std::printf("%s %.3f\nmemoire_%s %ld\n", nom, chrono.nsecsElapsed() / 1e9, nom, t3bench::MemoireKo());
    std::fflush(stdout);
    chrono.restart();
}

// Scrolls a view to its end in 20 jumps, painting each screen.
void Defile(QTableView* vue) {
    QScrollBar* barre = vue->verticalScrollBar();
    for (int i = 0; i <= 20; ++i) {
        barre->setValue(barre->maximum() * i / 20);
        vue->viewport()->repaint();
    }
}

void SpTot(TFenStatPart* fenetre, bool restreint) {
    Dialogues::RepondDialogue(QDialog::Accepted, [restreint](QDialog* dialogue) {
        static_cast<TFenParamSpecTot*>(dialogue)->ChkCorpRef()->setChecked(restreint);
    });
    fenetre->BtnSpTotClick();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage : fenstatpart BASE.par CLE_AUTEUR CLE_PARAG [--ouverture]\n");
        return 2;
    }
    TFenPrinc atelier;
    atelier.resize(1200, 800);
    atelier.show();
    if (!atelier.Bases().OuvreBase(QString::fromLocal8Bit(argv[1]))) return 2;
    QApplication::processEvents();
    t3::charg1* base = atelier.Chargeur();
    const int32_t auteur = t3::RetourneTypeCle(*base, argv[2]), parag = t3::RetourneTypeCle(*base, argv[3]);
    if (auteur < 0 || parag < 0) return 2;

    QElapsedTimer chrono;
    chrono.start();
    t3::Partition* paragraphes = OuvrePartition(atelier, base, parag);
    QApplication::processEvents();
    TFenStatPart* fenetreParag = nullptr;
    for (TFenStatPart* f : atelier.findChildren<TFenStatPart*>())
        if (f->GetPartition() == paragraphes) fenetreParag = f;
    fenetreParag->GrdPCLC()->viewport()->repaint();
    Note("ouverture_parag", chrono);
    if (argc > 4 && std::strcmp(argv[4], "--ouverture") == 0) return 0;
    Defile(fenetreParag->GrdPCLC());
    Note("defilement_parties", chrono);

    t3::Partition* auteurs = OuvrePartition(atelier, base, auteur);
    TFenStatPart* fenetreAuteur = nullptr;
    for (TFenStatPart* f : atelier.findChildren<TFenStatPart*>())
        if (f->GetPartition() == auteurs) fenetreAuteur = f;
    chrono.restart();
    SpTot(fenetreAuteur, false);
    QApplication::processEvents();
    fenetreAuteur->GridTFG()->viewport()->repaint();
    Note("sptot_auteur_fenetre", chrono);
    {
        const t3::CalcSpecTot calcul(auteurs, nullptr, nullptr);
        const t3::TableFormesParties table(calcul);
        Note("sptot_auteur_moteur", chrono);
    }

    // A thousand parts spread over the paragraphs stay marked.
    const int32_t nb = paragraphes->NbParties(), pas = std::max(1, nb / 1000);
    for (int32_t i = 0; i < nb; ++i)
        paragraphes->SetReference(i, i % pas == 0 && i / pas < 1000);
    chrono.restart();
    SpTot(fenetreParag, true);
    QApplication::processEvents();
    Note("sptot_parag_1000", chrono);
    fenetreParag->GridTFGTitreClick(1);
    fenetreParag->GridTFG()->viewport()->repaint();
    Note("tri_colonne", chrono);
    Defile(fenetreParag->GridTFG());
    Note("defilement_table", chrono);
    std::printf("lignes %d\ncolonnes %d\n", fenetreParag->GridTFG()->model()->rowCount(),
                fenetreParag->GridTFG()->model()->columnCount() - 1);
    return 0;
}
