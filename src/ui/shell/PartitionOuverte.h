#pragma once
// An open partition as its windows see it: the object that tells them its marks (reference and
// selection flags, colours) changed, so that every statistics window and factor plot of the partition
// shows them at once, whichever of them made the change. The partitions live as long as the corpus
// model, and so do these objects, one per partition, made at the first call.
#include <QObject>

namespace t3 {
class Partition;
}

namespace t3ui {

class PartitionOuverte : public QObject {
    Q_OBJECT
  public:
    // The object of the partition.
    static PartitionOuverte& De(const t3::Partition* partition);
    // Says that the partition's marks changed.
    void MarquesChangees() { emit MarquesModifiees(); }

  signals:
    void MarquesModifiees();

  private:
    PartitionOuverte() = default;
};

} // namespace t3ui
