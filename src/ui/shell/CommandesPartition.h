#pragma once
// The commands that the windows of a partition offer — the statistics window's and the factor plots'
// buttons — each registered from its own file, so that the windows that run them never include the
// windows that make them.
#include <functional>

class QWidget;

namespace t3 {
class Partition;
}

namespace t3ui {

class ServicesAtelier;

enum class CommandePartition {
    Specifs,      // "Spécifs": the selected parts against the reference set
    SpecEvol,     // "Sp Evol.", "Sp ch ev": the evolutive specificities of the first selected part
    AFC,          // the analysis of every part
    AFCReference, // the analysis of the reference parts, the others supplementary (from a factor plot)
    CAH,          // the clustering of the last analysis
};

using ActionPartition = std::function<void(ServicesAtelier& services, QWidget* parent, t3::Partition&)>;

// Records the action of a command; returns true, for a static initialiser.
bool EnregistreCommandePartition(CommandePartition commande, ActionPartition action);
// Runs the command on the partition; nothing when no file registered it.
void LanceCommandePartition(CommandePartition commande, ServicesAtelier& services, QWidget* parent,
                            t3::Partition& partition);

} // namespace t3ui
