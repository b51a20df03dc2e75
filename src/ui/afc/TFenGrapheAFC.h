#pragma once
// The factor plot: the result of one correspondence analysis of a partition, on three pages: the plane of
// two factors chosen by the user, where the mouse marks the parts (reference set, selection, colours),
// the table of the factor values of the parts, and the histogram of the eigenvalues. Its buttons launch
// the specificity computations and a new analysis of the partition.
#include "engine/Globaux.h"
#include "engine/afc/ListePoints.h"
#include "ui/shell/FenetreRapport.h"

#include <QAbstractTableModel>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QChartView;
class QComboBox;
class QStackedWidget;
class QTableView;

namespace t3 {
class Partition;
}

namespace t3ui {

class PlanAFC;
class ServicesAtelier;
struct LignesAExporter;

// The factor table: one row per point (part), its label, mass, distance, then its coordinates and its
// two further values on each factor, as the engine writes them (right-aligned but the label).
class ModeleFacteurs : public QAbstractTableModel {
    Q_OBJECT
  public:
    ModeleFacteurs(const t3::Partition* partition, const t3::TListePoints* points, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void SetNoms(bool noms);

  private:
    const t3::Partition* m_partition;
    const t3::TListePoints* m_points;
    bool m_noms = true;
};

class TFenGrapheAFC : public QWidget, public FenetreRapport {
    Q_OBJECT
  public:
    // The pages of the window, in the order of Pages().
    enum Page { PagePlan, PageFacteurs, PageHistogramme };
    // The 16 colours of the grid, in two columns of eight.
    static const t3::Couleur CouleursGrille[16];

    // The partition is borrowed from the corpus model, which keeps it; the results are the window's own
    // (later analyses do not change an open window).
    TFenGrapheAFC(ServicesAtelier& services, t3::Partition* partition, t3::ResultatsAFC resultats);
    ~TFenGrapheAFC() override;

    // Writes the plane or the histogram, whichever is shown, as a JPEG picture into the current report
    // and adds it; nothing for the factor table.
    void AjouteAuRapport() override;
    // The eigenvalues as "Exporter…" writes them.
    LignesAExporter LignesValeursPropres() const;

    // --- Handlers
    void CbAxeXChange(int index);
    void CbAxeYChange(int index);
    void RBtnNomClick();
    void GrilleCoulChange(int index);
    void BtnPinceauClick();

    // --- What the tests read
    t3::Partition* GetPartition() const { return m_partition; }
    const t3::TListePoints& Points() const { return m_resultats.points; }
    PlanAFC* Surface() const { return m_plan; }
    QTableView* LVFact() const { return m_lvFact; }
    QChartView* GrapheHisto() const { return m_histo; }
    QStackedWidget* Pages() const { return m_pages; }
    t3::Couleur CouleurPinceau() const;

  private:
    QWidget* CreeBarreHaut();
    QWidget* CreePanneauDroit();
    QWidget* CreeGrille();
    void CreeHistogramme();
    void InstalleImage();
    QAbstractButton* Bouton(const char* nom, const QString& texte, void (TFenGrapheAFC::*clic)());
    void ChoisitAxe(bool horizontal, int index);
    QString CleType() const;

    ServicesAtelier& m_services;
    t3::Partition* m_partition;
    t3::ResultatsAFC m_resultats;
    PlanAFC* m_plan = nullptr;
    QTableView* m_lvFact = nullptr;
    ModeleFacteurs* m_modele = nullptr;
    QChartView* m_histo = nullptr;
    QStackedWidget* m_pages = nullptr;
    QComboBox* m_cbAxeX = nullptr;
    QComboBox* m_cbAxeY = nullptr;
    QAbstractButton* m_rbtnNom = nullptr;
    QAbstractButton* m_btnSelec = nullptr;
    QAbstractButton* m_btnPinceau = nullptr;
    QButtonGroup* m_grille = nullptr;
    int m_couleurGrille = 0;
};

} // namespace t3ui
