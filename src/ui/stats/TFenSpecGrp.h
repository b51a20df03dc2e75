#pragma once
// The list of the specific entries found by one computation, docked in the left panel: the entries with
// their reference frequency, their frequency in the group and their coefficient, strongest excesses or
// strongest deficits first. Selected rows are dragged as a group of the pastille's colour; the list is
// added to the report as a page.
#include "engine/Globaux.h"
#include "engine/stats/PrimSpecifs.h"
#include "ui/explore/ModeleGlissable.h"
#include "ui/shell/FenetreRapport.h"

#include <QWidget>

#include <memory>
#include <vector>

class QLabel;
class QRadioButton;
class QToolButton;

namespace t3 {
class Partition;
class charg1;
} // namespace t3

namespace t3ui {

class ListeGlissable;
class Pastille;
class ServicesAtelier;

class ModeleSpecGrp : public ModeleGlissable {
    Q_OBJECT
  public:
    ModeleSpecGrp(const t3::charg1* base, const std::vector<t3::EnregSpec>& resultats, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    int32_t EntreeGlissee(int ligne) const override { return Enregistrement(ligne).entree; }

    // The record shown on a row: the row itself with the positives first, from the end otherwise.
    const t3::EnregSpec& Enregistrement(int ligne) const;
    void SetPositivesDabord(bool oui);

  private:
    const std::vector<t3::EnregSpec>& m_resultats;
    bool m_positivesDabord = true;
};

class TFenSpecGrp : public QWidget, public FenetreRapport {
    Q_OBJECT
  public:
    // On a computation of a partition, which the window keeps; the pastille takes the colour shared by
    // the selected parts, blue when they differ.
    TFenSpecGrp(ServicesAtelier& services, std::unique_ptr<t3::PrimSpec> calcul);
    // On the records of a section map: "Spécifs - Sections", a black pastille.
    TFenSpecGrp(ServicesAtelier& services, const t3::charg1* base, std::vector<t3::EnregSpec> resultats);

    // The texts of the two labels, each a heading and a list (the list of parts ends with ", "); both
    // labels get the four as their hint.
    void SetTextes(const QString& enteteReference, const QString& listeReference,
                   const QString& enteteParties, const QString& listeParties);
    // Docks the list at the end of the left panel and shows it.
    void Montre();

    // "Ajouter au rapport": the page "spfN.html", N the pages written by all the lists so far.
    void AjouteAuRapport() override;

    const t3::PrimSpec* Calcul() const { return m_calcul.get(); }
    const std::vector<t3::EnregSpec>& Resultats() const {
        return m_calcul ? m_calcul->Resultats() : m_resultats;
    }
    ModeleSpecGrp* Modele() const { return m_modele; }
    ListeGlissable* ListeSpecifs() const { return m_liste; }
    QLabel* LbCorpRef() const { return m_corpRef; }
    QLabel* LbParties() const { return m_parties; }
    QRadioButton* RadioButton2() const { return m_negatives; }
    Pastille* ShPastille() const { return m_pastille; }

  private:
    TFenSpecGrp(ServicesAtelier& services, const t3::charg1* base, std::vector<t3::EnregSpec> resultats,
                const QString& titre, t3::Couleur couleur);
    void AjusteColonnes();

    ServicesAtelier& m_services;
    const t3::charg1* m_base;
    std::unique_ptr<t3::PrimSpec> m_calcul;
    const t3::Partition* m_partition;
    std::vector<t3::EnregSpec> m_resultats; // of a section map

    ModeleSpecGrp* m_modele;
    ListeGlissable* m_liste;
    QLabel* m_corpRef;
    QLabel* m_parties;
    QRadioButton* m_negatives;
    Pastille* m_pastille;
};

// The colour shared by the selected parts of a partition, or blue when they differ or none is selected.
t3::Couleur CouleurPartiesChoisies(const t3::Partition& partition);

} // namespace t3ui
