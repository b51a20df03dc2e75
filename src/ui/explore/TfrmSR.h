#pragma once
// The list of the repeated segments of one computation, docked in the left panel: length, text and
// frequency of each segment, sorted by a click on a column. Selected segments are dragged as a group of
// segment entries of the pastille's colour; the list is added to the report as "sr.html". The window
// keeps its computation; when new segments are attached to the base, it closes, so that it never drags
// entries the loader now reads as other segments.
#include "engine/Globaux.h"
#include "engine/explore/TriSegments.h"
#include "ui/explore/ModeleGlissable.h"
#include "ui/shell/FenetreRapport.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <memory>
#include <vector>

namespace t3 {
class CalculSegments;
}

namespace t3ui {

class ListeGlissable;
class Pastille;
class ServicesAtelier;

class ModeleSR : public ModeleGlissable {
    Q_OBJECT
  public:
    ModeleSR(std::shared_ptr<const t3::CalculSegments> calcul, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Qt::UserRole: the segment's entry number in the loader, Nbart() + 1 + its index.
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Sorts the rows by a column; each call sorts the same way.
    void Trie(t3::TriSR tri);
    int32_t SegmentDeLigne(int ligne) const { return m_lignes[static_cast<size_t>(ligne)]; }
    int32_t EntreeDeLigne(int ligne) const;
    int32_t EntreeGlissee(int ligne) const override { return EntreeDeLigne(ligne); }

  private:
    std::shared_ptr<const t3::CalculSegments> m_calcul;
    std::vector<int32_t> m_lignes; // row r shows segment m_lignes[r]
};

class TfrmSR : public QWidget, public FenetreRapport {
    Q_OBJECT
  public:
    TfrmSR(ServicesAtelier& services, std::shared_ptr<const t3::CalculSegments> calcul);

    // Docks the list at the end of the left panel and shows it.
    void Montre();
    // "Ajouter au rapport": "sr.html", the segments in the computation's order, replacing an earlier page.
    void AjouteAuRapport() override;

    const t3::CalculSegments& Calcul() const { return *m_calcul; }
    ModeleSR* Modele() const { return m_modele; }
    ListeGlissable* ListSR() const { return m_liste; }
    Pastille* ShPastille() const { return m_pastille; }

  private:
    ServicesAtelier& m_services;
    std::shared_ptr<const t3::CalculSegments> m_calcul;
    ModeleSR* m_modele;
    ListeGlissable* m_liste;
    Pastille* m_pastille;
};

} // namespace t3ui
