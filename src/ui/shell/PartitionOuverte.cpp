#include "ui/shell/PartitionOuverte.h"

#include <map>
#include <memory>

namespace t3ui {

PartitionOuverte& PartitionOuverte::De(const t3::Partition* partition) {
    static std::map<const t3::Partition*, std::unique_ptr<PartitionOuverte>> ouvertes;
    std::unique_ptr<PartitionOuverte>& ouverte = ouvertes[partition];
    if (!ouverte) ouverte.reset(new PartitionOuverte);
    return *ouverte;
}

} // namespace t3ui
