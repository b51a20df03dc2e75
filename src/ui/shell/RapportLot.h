#pragma once
// The batch report, a mode of the workbench that needs no display:
//
//   tessaron3 --rapport BASE.par|CORPUS.txt --cle=CLE [--dossier=DIR] [--seuil=5] [--fmin=10]
//             [--segments=SEUIL] [--ventilation=N] [--afc]
//
// A text is verified and segmented into its base first, as the workbench does; a .par is opened. The
// windows of the workbench then write their pages and pictures into a report, offscreen, as "Ajouter au
// rapport" makes them: the main characteristics of the partition by CLE and its table of forms by parts,
// the specificity list of each part, the repeated segments, a ventilation graph of the N most specific
// forms of each part and, with --afc, the factor plane, the histogram of the eigenvalues and the tree of
// the clustering. The report is published into DIR (by default BASE.rapport/CLE beside the base), each
// table also as CSV and each picture also as PNG beside its page, with its manifest.
#include <QStringList>

namespace t3ui {

// "--rapport" is among the program's arguments: the batch report is asked, and it needs no display (the
// "offscreen" platform unless QT_QPA_PLATFORM says another). Called before the application object is made.
bool PrepareRapportLot(int argc, char** argv);

// Runs the batch report (the application object made); French messages on the error stream. The exit
// status: 0 done, 1 failed, 2 arguments refused.
int ExecuteRapportLot(const QStringList& arguments);

} // namespace t3ui
