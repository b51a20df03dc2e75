// Provisional: replaced by the factor plot and the tree windows (removed when they land).
#include "afc/LancementsAFC.h"

namespace t3ui {

QWidget* OuvreGrapheAFC(ServicesAtelier&, t3::Partition&, const std::string&) {
    return nullptr;
}
QWidget* OuvreDendrogramme(ServicesAtelier&, t3::Partition&, const std::string&) {
    return nullptr;
}

} // namespace t3ui
