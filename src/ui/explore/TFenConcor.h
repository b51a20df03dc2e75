#pragma once
// The concordance window: every occurrence of a form, a pattern's forms or a dropped group as one line
// of left context, pivot and right context, sorted on a context and grouped by the parts of a
// partition of its base. The groups shown are kept in a history walked with "Précédent" and
// "Suivant", each entry with the sort it was shown with. The lines are added to the report as a page.
#include "ui/shell/FenetreRapport.h"

#include <QList>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QStatusBar;
class QToolButton;

namespace t3 {
class Partition;
class Tgen;
class charg1;
} // namespace t3

namespace t3ui {

class ModeleConcordance;
class ServicesAtelier;
class TTgenDragObject;
class VueConcordance;

class TFenConcor : public QWidget, public FenetreRapport {
    Q_OBJECT
  public:
    TFenConcor(ServicesAtelier& services, t3::charg1* base);
    ~TFenConcor() override;

    // --- Controls
    QToolButton* BtnPrec() const { return m_btnPrec; }
    QToolButton* BtnSuiv() const { return m_btnSuiv; }
    QLineEdit* EdForme() const { return m_edForme; }
    QCheckBox* ChkExpRep() const { return m_chkExpRep; }
    QComboBox* ComboTri() const { return m_comboTri; }
    QComboBox* ComboGrp() const { return m_comboGrp; }
    QSpinBox* SpinLgCont() const { return m_spinLgCont; }
    QToolButton* BtnRecycle() const { return m_btnRecycle; }
    QStatusBar* StatusBar() const { return m_statut; }
    VueConcordance* ConcorEdit() const { return m_vue; }
    ModeleConcordance* Modele() const;

    // --- State
    const t3::charg1* Base() const { return m_base; }
    // The group shown; null before the first.
    const t3::Tgen* GroupeCourant() const { return m_groupe; }
    const t3::Partition* PartitionCourante() const { return m_partition; }
    int NbHistorique() const { return static_cast<int>(m_historique.size()); }
    int IndexHistorique() const { return m_index; }

    // --- Actions
    // Enter in EdForme: the exact form, or with ChkExpRep every entry the pattern matches. A form not in
    // the dictionary, or a pattern that matches nothing, changes nothing; an invalid or too costly
    // pattern is said so in French and changes nothing.
    void EdFormeEntree();
    // A new history entry after the current one, with the sort chosen now; the group is shown.
    void MontreGroupe(std::unique_ptr<t3::Tgen> groupe);
    // A dropped group, made on this base, its colour the drag's unless white.
    bool ConcorEditDragDrop(const TTgenDragObject& objet);
    void BtnPrecClick();
    void BtnSuivClick();
    // "Rafraîchir": the display again, with the width now chosen.
    void BtnRecycleClick();
    // ComboGrp refilled with "<Aucun>" and the key types of this base's partitions, the choice kept.
    void ComboGrpChargePart();
    // Builds the display of the current group: sort, grouping and width as chosen now.
    void Construit();
    // "Ajouter au rapport": the page "concN.html", N never taken by another concordance of the run.
    void AjouteAuRapport() override;

    // The header and the selected occurrence lines, as "Exporter…" writes them.
    QList<QStringList> LignesChoisies() const;

  private:
    void InstalleExportLignes();
    struct EntreeHistorique {
        std::unique_ptr<t3::Tgen> groupe;
        int tri;         // index of ComboTri when the entry was made
        QString forme;   // what EdForme shows for it: the text typed, or the group's name or form
        bool expression; // ChkExpRep for it
    };

    QWidget* CreePanneau();
    void MetAJourBoutons();
    void AfficheEntree();
    void MontreForme(const EntreeHistorique& entree);
    QString NomDuGroupe(const t3::Tgen& groupe) const;
    void ComboGrpChange(int index);
    void Etape(const QString& texte);

    ServicesAtelier& m_services;
    t3::charg1* m_base;
    std::vector<EntreeHistorique> m_historique;
    int m_index = -1;
    const t3::Tgen* m_groupe = nullptr;
    // The group of the concordance on screen (the history keeps every group until the window closes).
    const t3::Tgen* m_groupeAffiche = nullptr;
    const t3::Partition* m_partition = nullptr;

    QToolButton* m_btnPrec;
    QToolButton* m_btnSuiv;
    QLineEdit* m_edForme;
    QCheckBox* m_chkExpRep;
    QComboBox* m_comboTri;
    QComboBox* m_comboGrp;
    QSpinBox* m_spinLgCont;
    QToolButton* m_btnRecycle;
    VueConcordance* m_vue;
    QStatusBar* m_statut;
};

// The sort direction of an index of ComboTri ("Aucun", "Avant", "Après"): 0, -1, +1.
int32_t SensDuTri(int index);

} // namespace t3ui
