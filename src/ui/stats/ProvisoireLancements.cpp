// Provisional: replaced by the analysis dialog and the shared specificity commands (removed when they
// land).
#include "afc/LancementsAFC.h"
#include "stats/LancementsSpecificites.h"

namespace t3ui {

void LanceAFC(ServicesAtelier&, QWidget*, t3::Partition&, bool) {}
void LanceCAH(ServicesAtelier&, QWidget*, t3::Partition&) {}
void LanceSpecifs(ServicesAtelier&, QWidget*, t3::Partition&) {}
void LanceSpecEvol(ServicesAtelier&, QWidget*, t3::Partition&) {}

} // namespace t3ui
