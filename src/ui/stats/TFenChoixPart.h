#pragma once
// "Choix de la partition": the key types of the base, one of which is chosen to partition the corpus.
// Choosing one opens the windows of that partition: its statistics window the first time, and a new
// ventilation graph every time.
#include <QDialog>

#include <cstdint>

class QListWidget;

namespace t3 {
class Partition;
class charg1;
} // namespace t3

namespace t3ui {

class ServicesAtelier;

class TFenChoixPart : public QDialog {
    Q_OBJECT
  public:
    TFenChoixPart(ServicesAtelier& services, t3::charg1* base);

    QListWidget* ListParts() const { return m_liste; }
    // "Créer" and the double click: the partition of the first selected key type, if any.
    void BtnValideClick();

  private:
    ServicesAtelier& m_services;
    t3::charg1* m_base;
    QListWidget* m_liste;
};

// Opens the partition of the base by the key type entry cleType: the partition is built and offered to
// the corpus model, which keeps the first one of each key type; the statistics window opens on it
// when it is new (or when it was closed); a ventilation graph opens each time. Returns the partition
// the corpus model holds; null when its building was cancelled.
t3::Partition* OuvrePartition(ServicesAtelier& services, t3::charg1* base, int32_t cleType);

} // namespace t3ui
