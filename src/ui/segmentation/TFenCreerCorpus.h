#pragma once
// The corpus assembly dialog: several text files and documents become one corpus text, each behind a
// key that holds its name, so that each file is a part of a partition.
#include "engine/segmentation/Fic.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

namespace t3ui {

// The list of the chosen files, produced row by row from the records.
class ModeleFichiers : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit ModeleFichiers(std::vector<t3::Fic>& fichiers, QObject* parent = nullptr)
        : QAbstractTableModel(parent), m_fichiers(fichiers) {}
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void Recharge();

  private:
    std::vector<t3::Fic>& m_fichiers;
};

class TFenCreerCorpus : public QDialog {
    Q_OBJECT
  public:
    explicit TFenCreerCorpus(QWidget* parent = nullptr);

    void Ajoute(const QStringList& chemins);
    void BtnAddClick();
    void BtnDelClick();
    void BtnSaveClick();
    void ChkTraitClick();
    // The corpus the user saved (or the single text file chosen); empty when there is none.
    QString FichierSauve() const { return m_fichierSauve; }
    const std::vector<t3::Fic>& Fichiers() const { return m_fichiers; }
    QTableView* LVFiles() const { return m_lvFiles; }

  private:
    std::vector<t3::Fic> m_fichiers;
    ModeleFichiers* m_modele;
    QTableView* m_lvFiles;
    QLineEdit* m_edNomCle;
    QCheckBox* m_chkTrait;
    QRadioButton* m_rbCar;
    QRadioButton* m_rbCle;
    QLineEdit* m_edCar;
    QLineEdit* m_edCle;
    QString m_fichierSauve;
};

} // namespace t3ui
