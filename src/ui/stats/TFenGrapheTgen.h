#pragma once
// The ventilation graph: how the groups of forms dropped on it spread over the parts of one partition,
// each group a line of its frequencies (relative per 10 000 occurrences, or absolute) or bars of its
// specificity coefficients. The values come from the engine (stats/Ventilation.h); the window draws them.
#include "engine/stats/Ventilation.h"
#include "ui/shell/FenetreRapport.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <map>
#include <memory>
#include <vector>

class QAbstractButton;
class QChart;
class QChartView;
class QCategoryAxis;
class QValueAxis;

namespace t3 {
class Partition;
class Tgen;
} // namespace t3

namespace t3ui {

// The rubric of a partition that lists its ventilation graphs, each as "Graphique (n)".
inline constexpr char RubriqueGraphiques[] = "Graphiques";
inline constexpr char PrefixeGraphique[] = "Graphique";

struct LignesAExporter;
class ServicesRapport;
class TTgenDragObject;

class TFenGrapheTgen : public QWidget, public FenetreRapport {
    Q_OBJECT
  public:
    // The partition is borrowed from the corpus model, which outlives the window.
    TFenGrapheTgen(ServicesRapport& services, t3::Partition* partition);
    ~TFenGrapheTgen() override;

    // Writes the chart as a JPEG picture into the current report and adds it as an entry.
    void AjouteAuRapport() override;
    // The table "Exporter…" writes.
    LignesAExporter LignesVentilation() const;

    // --- What the tests read
    QChartView* Graphe() const { return m_graphe; }
    QChart* Chart() const { return m_chart; }
    const std::vector<std::unique_ptr<t3::Tgen>>& Groupes() const { return m_groupes; }
    // What is drawn for each group, in list order: its title in the legend, its colour, and the points
    // of its line or its bars.
    struct SerieDessinee {
        QString titre;
        QColor couleur;
        std::vector<double> valeurs;
    };
    std::vector<SerieDessinee> Series() const;
    bool Specificites() const { return m_specificites; }
    double AxeGaucheMin() const;
    double AxeGaucheMax() const;
    QString TitreAxeGauche() const;
    double AxeBasMin() const;
    double AxeBasMax() const;
    // The part names shown under the bottom axis, in order (thinned when the parts are many).
    QStringList EtiquettesAxeBas() const;
    bool Zoome() const { return m_zoome; }
    const t3::ExtremesCoefficients& Extremes() const { return m_extremes; }

    // --- Handlers of the bottom panel and the drop
    void BtnAffFrqClick();
    void BtnAffSpfClick();
    void RBtnRelClick();
    void BtnZoomClick();
    void BtnUnZoomClick();
    void BtnLeftClick();
    void BtnRightClick();
    void BtnClearClick();
    bool GrapheDragDrop(const TTgenDragObject& objet);

  private:
    void CreeGraphe();
    QWidget* CreePanneau();
    QAbstractButton* Bouton(const QString& nom, const QString& texte, void (TFenGrapheTgen::*clic)());

    void EffaceSeries();
    void RedessineFrequences();
    void RedessineCoefficients();
    void DessineGroupe(const t3::Tgen& groupe);
    void DessineFrequences(const t3::Tgen& groupe);
    void DessineCoefficients(const t3::Tgen& groupe);
    // The colour of a group's series, and how many series of that colour were drawn before it.
    struct Trace {
        QColor couleur;
        int rang;
    };
    Trace TraceSerie(const t3::Tgen& groupe);
    void AjusteAxeFrequences();
    void AjusteAxeGauche(double min, double max);

    void MontreParties(double min, double max);
    void EtiquetteParties();
    void DecaleAxeBas(double unites);
    void MetAJourFleches();
    void PlotAreaChanged(const QRectF& zone);
    QString NomCle() const;

    ServicesRapport& m_services;
    t3::Partition* m_partition;
    std::vector<std::unique_ptr<t3::Tgen>> m_groupes;
    bool m_relatives = true;
    bool m_specificites = false;
    t3::ExtremesCoefficients m_extremes;
    bool m_zoome = false;
    int m_couleursPrises = 0; // series drawn without a colour of their own since the last clearing
    std::map<QRgb, int> m_tracesParCouleur; // series of each colour drawn since the last clearing
    double m_largeurEtiquetee = -1;         // the plot width the part names were last thinned for

    QChart* m_chart = nullptr;
    QChartView* m_graphe = nullptr;
    QCategoryAxis* m_axeBas = nullptr;
    QValueAxis* m_axeGauche = nullptr;
    QAbstractButton* m_btnAffFrq = nullptr;
    QAbstractButton* m_btnAffSpf = nullptr;
    QAbstractButton* m_rbtnRel = nullptr;
    QAbstractButton* m_rbtnAbs = nullptr;
    QAbstractButton* m_btnLeft = nullptr;
    QAbstractButton* m_btnRight = nullptr;
};

} // namespace t3ui
