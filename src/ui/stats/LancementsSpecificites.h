#pragma once
// The specificity commands of a partition, registered as the buttons "Spécifs" and "Sp Evol." of a
// partition's kind of window (GenresFenetres.h), which its statistics window and its factor plots show: each
// asks for its parameters
// (which it stores into the partition), computes, and docks the list.
class QWidget;

namespace t3 {
class Partition;
}

namespace t3ui {

class ServicesAtelier;
class TFenSpecGrp;

// "Spécifs": the specificities of the selected parts against the reference set.
void LanceSpecifs(ServicesAtelier& services, QWidget* parent, t3::Partition& partition);
// The list of the selected parts' specificities against the reference set, under the partition's threshold
// and minimum frequency, made and not yet shown.
TFenSpecGrp* CalculeSpecifs(ServicesAtelier& services, t3::Partition& partition);
// "Sp Evol.": the evolutive specificities of the first selected part; "Aucune partie n'est
// sélectionnée" when none is.
void LanceSpecEvol(ServicesAtelier& services, QWidget* parent, t3::Partition& partition);

} // namespace t3ui
