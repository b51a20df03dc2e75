#pragma once
// "Paramètrage de l'AFC": the title and the sizes of the table of forms by parts that the correspondence
// analysis receives, and the minimum frequency of its forms. OK writes "coran.don" into the work folder
// of the partition; the commands that run the analysis and the clustering come with it (LancementsAFC.h).
#include "engine/afc/ExportAFC.h"

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QSpinBox;

namespace t3 {
class Partition;
}

namespace t3ui {

class TFenParamAFC : public QDialog {
    Q_OBJECT
  public:
    // drapeauxColonnes: opened from a factor plot, the reference parts get the column flag 1 and the
    // others 2; dossier: where "coran.don" is written.
    TFenParamAFC(QWidget* parent, t3::Partition& partition, bool drapeauxColonnes, std::string dossier);

    QLineEdit* EdTitre() const { return m_titre; }
    QLineEdit* EdNI() const { return m_ni; }
    QLineEdit* EdNJ() const { return m_nj; }
    QSpinBox* CSpinEdit1() const { return m_freqMin; }
    // The size of the table and of "coran.don" that OK would write, following the fields.
    QLabel* LbTaille() const { return m_taille; }

    // The parameters as the fields hold them; false when NI is not a whole number from 1 to the number of
    // forms or NJ not a whole number of at least 1.
    bool Parametres(t3::ParamAFC& param) const;
    // OK: writes "coran.don"; the dialog stays open with "Vérifiez vos paramètres" when the fields are
    // wrong or the file cannot be written, with a message when the analysis of the table cannot fit in
    // the memory of the machine, and when the user declines to write a large table (more than 1 GB or
    // 10,000 parts) once asked.
    void accept() override;

  private:
    void CSpinEdit1Change(int freqMin);
    void AfficheTaille();

    t3::Partition& m_partition;
    const bool m_drapeauxColonnes;
    const std::string m_dossier;
    QLineEdit* m_titre;
    QLineEdit* m_ni;
    QLineEdit* m_nj;
    QLineEdit* m_nf;
    QSpinBox* m_freqMin;
    QLabel* m_taille;
};

} // namespace t3ui
