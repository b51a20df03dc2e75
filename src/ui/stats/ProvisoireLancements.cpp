// Provisional: replaced by the analysis dialog (removed when it lands).
#include "afc/LancementsAFC.h"

namespace t3ui {

void LanceAFC(ServicesAtelier&, QWidget*, t3::Partition&, bool) {}
void LanceCAH(ServicesAtelier&, QWidget*, t3::Partition&) {}

} // namespace t3ui
