#pragma once
// The window of one partition: the main characteristics of its parts, where the user marks the reference
// corpus and the parts to study, and, after "Sp. Tot", the table of forms by parts with the frequency
// and the specificity coefficient of every entry in every reference part. Its buttons launch the
// specificity computations.
#include "ui/shell/FenetreRapport.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QWidget>

#include <functional>
#include <memory>

class QRadioButton;
class QTabWidget;
class QTableView;
class QToolButton;

namespace t3 {
class CalcSpecTot;
class Partition;
class TableFormesParties;
class TriTableFormes;
class charg1;
} // namespace t3

namespace t3ui {

class ServicesAtelier;
struct LignesAExporter;

// The parts, one row each: the reference mark, name, size, forms, hapax, highest frequency and most
// frequent form; the rows of selected parts in the highlight colours.
class ModelePCLC : public QAbstractTableModel {
    Q_OBJECT
  public:
    ModelePCLC(const t3::Partition* partition, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The flags changed: every row is painted again.
    void Rafraichit();

  private:
    const t3::Partition* m_partition;
};

// The table of forms by parts, computed cell by cell from the engine as the view asks: the entry in
// column 0, then per reference part its frequency (Qt::UserRole) and coefficient (RoleCoefficient).
class ModeleTFG : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int RoleCoefficient = Qt::UserRole + 1;

    ModeleTFG(const t3::charg1* base, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // A new table and its rows (both borrowed), or none.
    void SetTable(const t3::TableFormesParties* table, t3::TriTableFormes* tri);
    // Runs a change of the rows' order or content, the views following it.
    void Reordonne(const std::function<void()>& change);
    int32_t Entree(int ligne) const;

  private:
    const t3::charg1* m_base;
    const t3::TableFormesParties* m_table = nullptr;
    t3::TriTableFormes* m_tri = nullptr;
};

// A cell of the table of forms by parts: green on odd rows, the frequency on the left, the coefficient on
// the right, "+" and blue for an excess, red for a deficit.
class DelegueTFG : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* peintre, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

class TFenStatPart : public QWidget, public FenetreRapport {
    Q_OBJECT
  public:
    // The partition is borrowed from the corpus model, which keeps it.
    TFenStatPart(ServicesAtelier& services, t3::Partition* partition);
    ~TFenStatPart() override;

    t3::Partition* GetPartition() const { return m_partition; }
    QTabWidget* Onglets() const { return m_onglets; }
    QTableView* GrdPCLC() const { return m_grdPCLC; }
    QTableView* GridTFG() const { return m_gridTFG; }
    ModelePCLC* ModeleParties() const { return m_modelePCLC; }
    ModeleTFG* ModeleTable() const { return m_modeleTFG; }
    const t3::CalcSpecTot* Calcul() const { return m_calcul.get(); }
    const t3::TriTableFormes* Tri() const { return m_tri.get(); }

    // A click on the table of parts: column 0 marks or unmarks the part as reference (unmarking also
    // unselects it); another column selects or unselects a reference part.
    void GrdPCLCClick(int ligne, int colonne);
    void BtnSpTotClick();
    // A click on a header of the table of forms by parts.
    void GridTFGTitreClick(int colonne);
    void AjouteAuRapport() override;
    // Shows the table of a finished "Sp. Tot" computation (the batch report computes it itself).
    void MontreTable(std::unique_ptr<t3::CalcSpecTot> calcul);
    // The table of forms by parts as "Exporter…" writes it.
    LignesAExporter LignesTable() const;

  private:
    QWidget* CreePageParties();
    QWidget* CreePageTable();
    QWidget* CreeBoutons();
    void CritereChange();
    bool RecoitGroupe(const class TTgenDragObject& objet);
    void AfficheTable();

    ServicesAtelier& m_services;
    t3::Partition* m_partition;
    const t3::charg1* m_base;
    std::unique_ptr<t3::CalcSpecTot> m_calcul;
    std::unique_ptr<t3::TableFormesParties> m_table;
    std::unique_ptr<t3::TriTableFormes> m_tri;
    QTabWidget* m_onglets;
    QTableView* m_grdPCLC;
    QTableView* m_gridTFG;
    ModelePCLC* m_modelePCLC;
    ModeleTFG* m_modeleTFG;
    QRadioButton* m_radFrq;
};

} // namespace t3ui
