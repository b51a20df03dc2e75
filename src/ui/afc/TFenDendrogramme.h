#pragma once
// The tree of the clustering of a partition's parts ("cah.txt"): the parts in a column on the left, each
// merge drawn at its height towards the right, and the tree cut into the number of classes the user
// chooses (2 to 10), each class in its colour, the cut shown as a dashed line. Its picture can be added
// to the report. The layout is the engine's (afc/Dendrogramme.h).
#include "engine/afc/Dendrogramme.h"
#include "ui/shell/FenetreRapport.h"

#include <QWidget>

class QPainter;
class QSpinBox;

namespace t3 {
class Partition;
}

namespace t3ui {

class ServicesRapport;

// The drawing of the tree, as high as its leaves need.
class VueDendrogramme : public QWidget {
    Q_OBJECT
  public:
    VueDendrogramme(const t3::Partition* partition, const t3::ArbreCAH* arbre, QWidget* parent = nullptr);
    void SetClasses(int32_t k);
    const t3::DispositionDendrogramme& Disposition() const { return m_disposition; }
    // The colour of a class (1 to 10); black for 0, a merge above the cut.
    static QColor CouleurClasse(int32_t classe);
    QString Etiquette(int32_t point) const;
    // The tree as painted, onto any painter, at the view's size.
    void Dessine(QPainter& peintre) const;

  protected:
    void paintEvent(QPaintEvent* evenement) override;

  private:
    int HauteurRangee() const;
    int LargeurEtiquettes() const;

    const t3::Partition* m_partition;
    const t3::ArbreCAH* m_arbre;
    t3::DispositionDendrogramme m_disposition;
};

class TFenDendrogramme : public QWidget, public FenetreRapport {
    Q_OBJECT
  public:
    // The partition is borrowed from the corpus model, which keeps it.
    TFenDendrogramme(ServicesRapport& services, const t3::Partition* partition, t3::ArbreCAH arbre);
    ~TFenDendrogramme() override;

    // Writes the tree as a JPEG picture into the current report and adds it.
    void AjouteAuRapport() override;
    void EdClassesChange(int k);

    // --- What the tests read
    VueDendrogramme* Vue() const { return m_vue; }
    QSpinBox* EdClasses() const { return m_edClasses; }
    const t3::ArbreCAH& Arbre() const { return m_arbre; }

  private:
    QString CleType() const;

    ServicesRapport& m_services;
    const t3::Partition* m_partition;
    t3::ArbreCAH m_arbre;
    VueDendrogramme* m_vue = nullptr;
    QSpinBox* m_edClasses = nullptr;
};

} // namespace t3ui
