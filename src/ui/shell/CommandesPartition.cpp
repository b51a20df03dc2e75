#include "ui/shell/CommandesPartition.h"

#include <map>

namespace t3ui {

namespace {

std::map<CommandePartition, ActionPartition>& Actions() {
    static std::map<CommandePartition, ActionPartition> actions;
    return actions;
}

} // namespace

bool EnregistreCommandePartition(CommandePartition commande, ActionPartition action) {
    Actions()[commande] = std::move(action);
    return true;
}

void LanceCommandePartition(CommandePartition commande, ServicesAtelier& services, QWidget* parent,
                            t3::Partition& partition) {
    if (const auto action = Actions().find(commande); action != Actions().end())
        action->second(services, parent, partition);
}

} // namespace t3ui
