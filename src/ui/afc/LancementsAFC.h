#pragma once
// The commands of the correspondence analysis, registered as buttons of a partition's kind of window
// (GenresFenetres.h) that its statistics window and factor plots show: the parameter dialog that writes
// "coran.don" and runs the analysis program, the clustering program, and the windows that show their results.
// Every file lies in the work folder of the partition (t3::DossierAnalyses), so that two partitions of a base
// never share results.
#include <string>

class QWidget;

namespace t3 {
class Partition;
}

namespace t3ui {

class ServicesAtelier;

// Runs the parameter dialog of the analysis on the partition (drapeauxColonnes: opened from a factor
// plot, the column-flags line marks the reference parts 1 and the others 2); OK writes the exchange
// file, runs the analysis program and opens a factor plot on its results.
void LanceAFC(ServicesAtelier& services, QWidget* parent, t3::Partition& partition, bool drapeauxColonnes);
// Runs the clustering program on the results of the last analysis of the partition and shows the tree.
void LanceCAH(ServicesAtelier& services, QWidget* parent, t3::Partition& partition);

// Opens a factor plot on the results of the analysis in dossier, maximised, as an MDI child; null with
// the message shown when the results cannot be read.
QWidget* OuvreGrapheAFC(ServicesAtelier& services, t3::Partition& partition, const std::string& dossier);
// Opens the tree of the clustering in dossier ("cah.txt") as an MDI child; null with the message shown
// when it cannot be read.
QWidget* OuvreDendrogramme(ServicesAtelier& services, t3::Partition& partition, const std::string& dossier);

} // namespace t3ui
