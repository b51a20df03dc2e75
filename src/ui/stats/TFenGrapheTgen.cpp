#include "ui/stats/TFenGrapheTgen.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/rapport/Manifeste.h"
#include "engine/socle/NomFichier.h"
#include "engine/stats/Tgen.h"
#include "ui/explore/CibleGroupes.h"
#include "ui/shell/Couleurs.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/EnregistrementImage.h"
#include "ui/shell/ExportTableau.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/NumerotationRapport.h"
#include "ui/shell/RapportArbre.h"
#include "ui/shell/RapportCourant.h"
#include "ui/shell/Sablier.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TexteQt.h"

#include <QBarSeries>
#include <QBarSet>
#include <QButtonGroup>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLegend>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace t3ui {

namespace {

const QColor CouleurFond(253, 254, 207);
// The colours the chart gives in turn to the groups drawn in black.
const QColor CouleursPropres[] = {QColor(0x20, 0x9f, 0xdf), QColor(0x99, 0xca, 0x53),
                                  QColor(0xf6, 0xa6, 0x25), QColor(0x6d, 0x5f, 0xd5),
                                  QColor(0xbf, 0x59, 0x3e)};
// Series of one colour are told apart by the order they were drawn in: the first plain, each later one
// in a darker shade of the colour, with its own dashes (lines) or hatching (bars). The dashes (in pen
// widths) are short enough to show in the legend's stretch of line.
const QList<qreal> Tirets[] = {{3, 1.5}, {1, 1.5}, {3, 1.5, 1, 1.5}, {3, 1.5, 1, 1.5, 1, 1.5}};
const Qt::BrushStyle Hachures[] = {Qt::BDiagPattern, Qt::FDiagPattern, Qt::DiagCrossPattern,
                                   Qt::CrossPattern};
// At most this many part names under the bottom axis, however many parts are in view.
constexpr int EtiquettesMax = 50;

// A step of 1, 2 or 5 times a power of ten that cuts the span into at most ten intervals.
double PasGraduations(double etendue) {
    const double brut = std::max(etendue, 1.0) / 10;
    const double puissance = std::pow(10.0, std::floor(std::log10(brut)));
    for (const double facteur : {1.0, 2.0, 5.0})
        if (facteur * puissance >= brut) return std::max(1.0, facteur * puissance);
    return std::max(1.0, 10 * puissance);
}

// The chart reads its labels and titles as HTML: names are shown as they are written.
QString EnTexte(std::string_view cp1252) {
    return VersQt(cp1252).toHtmlEscaped();
}
QString CommeAffiche(const QString& html) {
    return QTextDocumentFragment::fromHtml(html).toPlainText();
}

} // namespace

TFenGrapheTgen::TFenGrapheTgen(ServicesRapport& services, t3::Partition* partition)
    : m_services(services), m_partition(partition) {
    setObjectName("FenGrapheTgen");
    setAttribute(Qt::WA_DeleteOnClose);
    const t3::charg1* base = partition->Base();
    setWindowTitle("Graphique de ventilation pour la partition : " +
                   VersQt(base ? base->Graphie(partition->CleType()) : std::string_view()));
    CreeGraphe();
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    disposition->addWidget(m_graphe, 1);
    disposition->addWidget(CreePanneau());
    CibleGroupes::Installe(m_graphe, [this](const TTgenDragObject& objet) { return GrapheDragDrop(objet); });
    InstalleEnregistrementImage(this, {m_graphe},
                                [this] { return ImageDeVue(m_graphe, "graphe-" + NomCle()); });
    InstalleExport(m_graphe, "ventilation-" + NomCle(), [this] { return LignesVentilation(); });
    resize(720, 460);
}

TFenGrapheTgen::~TFenGrapheTgen() = default;

void TFenGrapheTgen::CreeGraphe() {
    m_chart = new QChart;
    m_chart->setBackgroundBrush(CouleurFond);
    m_chart->setBackgroundRoundness(0);
    m_chart->legend()->setVisible(true);
    m_chart->legend()->setAlignment(Qt::AlignTop);

    m_axeBas = new QCategoryAxis;
    m_axeBas->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_axeBas->setGridLineVisible(false);
    // The names are thinned to fit side by side (upright when need be): none needs cutting.
    m_axeBas->setTruncateLabels(false);
    m_chart->addAxis(m_axeBas, Qt::AlignBottom);
    m_axeGauche = new QValueAxis;
    m_axeGauche->setLabelFormat("%.10g");
    m_axeGauche->setTickType(QValueAxis::TicksDynamic);
    m_axeGauche->setTickAnchor(0);
    m_axeGauche->setTitleText("Fréquences relatives ( x 10 000 )");
    m_chart->addAxis(m_axeGauche, Qt::AlignLeft);
    AjusteAxeGauche(0, 1);
    MontreParties(-0.5, m_partition->NbParties() - 0.5);

    m_graphe = new QChartView(m_chart);
    m_graphe->setObjectName("Graphe");
    m_graphe->setRenderHint(QPainter::Antialiasing);
    m_graphe->setBackgroundBrush(CouleurFond);
    // No panning nor zooming by mouse: the buttons of the panel do it.
    m_graphe->setRubberBand(QChartView::NoRubberBand);
    m_graphe->setDragMode(QGraphicsView::NoDrag);
    connect(m_chart, &QChart::plotAreaChanged, this, &TFenGrapheTgen::PlotAreaChanged, Qt::QueuedConnection);
}

QAbstractButton* TFenGrapheTgen::Bouton(const QString& nom, const QString& texte,
                                        void (TFenGrapheTgen::*clic)()) {
    auto* bouton = new QPushButton(texte);
    bouton->setObjectName(nom);
    connect(bouton, &QAbstractButton::clicked, this, clic);
    return bouton;
}

QWidget* TFenGrapheTgen::CreePanneau() {
    auto* panneau = new QWidget;
    panneau->setObjectName("Panel1");
    panneau->setAutoFillBackground(true);
    QPalette fond = panneau->palette();
    fond.setColor(QPalette::Window, CouleurFond);
    panneau->setPalette(fond);

    m_btnAffFrq = Bouton("BtnAffFrq", "Fréquence", &TFenGrapheTgen::BtnAffFrqClick);
    m_btnAffSpf = Bouton("BtnAffSpf", "Spécificités", &TFenGrapheTgen::BtnAffSpfClick);
    auto* affichage = new QButtonGroup(panneau);
    for (QAbstractButton* b : {m_btnAffFrq, m_btnAffSpf}) {
        b->setCheckable(true);
        affichage->addButton(b);
    }
    m_btnAffFrq->setChecked(true);

    m_rbtnRel = new QRadioButton("&relatives");
    m_rbtnRel->setObjectName("RBtnRel");
    m_rbtnRel->setChecked(true);
    m_rbtnAbs = new QRadioButton("&absolues");
    m_rbtnAbs->setObjectName("RBtnAbs");
    for (QAbstractButton* b : {m_rbtnRel, m_rbtnAbs})
        connect(b, &QAbstractButton::clicked, this, &TFenGrapheTgen::RBtnRelClick);

    auto* gauche = new QToolButton;
    gauche->setArrowType(Qt::LeftArrow);
    auto* droite = new QToolButton;
    droite->setArrowType(Qt::RightArrow);
    m_btnLeft = gauche;
    m_btnRight = droite;
    m_btnLeft->setObjectName("BtnLeft");
    m_btnRight->setObjectName("BtnRight");
    m_btnLeft->setToolTip("Vers les parties précédentes");
    m_btnRight->setToolTip("Vers les parties suivantes");
    connect(m_btnLeft, &QAbstractButton::clicked, this, &TFenGrapheTgen::BtnLeftClick);
    connect(m_btnRight, &QAbstractButton::clicked, this, &TFenGrapheTgen::BtnRightClick);
    MetAJourFleches();

    QAbstractButton* effacer = Bouton("BtnClear", "E&ffacer", &TFenGrapheTgen::BtnClearClick);
    effacer->setToolTip("Effacer le graphique");

    auto* rangee = new QHBoxLayout(panneau);
    rangee->setContentsMargins(6, 4, 6, 4);
    rangee->addWidget(m_btnAffFrq);
    rangee->addWidget(m_btnAffSpf);
    rangee->addSpacing(12);
    rangee->addWidget(m_rbtnRel);
    rangee->addWidget(m_rbtnAbs);
    rangee->addSpacing(12);
    rangee->addWidget(Bouton("BtnZoom", "Zoom +", &TFenGrapheTgen::BtnZoomClick));
    rangee->addWidget(Bouton("BtnUnZoom", "Zoom -", &TFenGrapheTgen::BtnUnZoomClick));
    rangee->addWidget(m_btnLeft);
    rangee->addWidget(m_btnRight);
    rangee->addStretch();
    rangee->addWidget(effacer);
    return panneau;
}

// --- The groups and their series

bool TFenGrapheTgen::GrapheDragDrop(const TTgenDragObject& objet) {
    Sablier sablier;
    std::unique_ptr<t3::Tgen> groupe = GroupeRecu(m_partition->Base(), objet, /*gardeNom*/ true, this);
    if (!groupe) return false;
    m_groupes.push_back(std::move(groupe));
    DessineGroupe(*m_groupes.back());
    return true;
}

void TFenGrapheTgen::DessineGroupe(const t3::Tgen& groupe) {
    if (m_specificites)
        DessineCoefficients(groupe);
    else
        DessineFrequences(groupe);
}

// The group's own colour, unless it is black: the chart's next colour then. A series of a colour already
// drawn (groups dragged from one list all take the list's colour) is darker, and dashed or hatched by its
// rank.
TFenGrapheTgen::Trace TFenGrapheTgen::TraceSerie(const t3::Tgen& groupe) {
    QColor couleur = VersQColor(groupe.GetCouleur());
    if (groupe.GetCouleur() == t3::CouleurRGB(0, 0, 0))
        couleur = CouleursPropres[m_couleursPrises++ % std::size(CouleursPropres)];
    // White would not show on the chart.
    if (couleur == Qt::white) couleur = Qt::black;
    const int rang = m_tracesParCouleur[couleur.rgb()]++;
    return {rang == 0 ? couleur : couleur.darker(100 + 45 * rang), rang};
}

void TFenGrapheTgen::DessineFrequences(const t3::Tgen& groupe) {
    const t3::ModeVentilation mode =
        m_relatives ? t3::ModeVentilation::Relatives : t3::ModeVentilation::Absolues;
    const std::vector<int64_t> valeurs = t3::ValeursVentilation(*m_partition, groupe, mode);
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(valeurs.size()));
    for (size_t i = 0; i < valeurs.size(); ++i)
        points.append(QPointF(static_cast<double>(i), static_cast<double>(valeurs[i])));
    auto* serie = new QLineSeries;
    serie->setName(EnTexte(groupe.Nom()));
    serie->replace(points);
    m_chart->addSeries(serie);
    serie->attachAxis(m_axeBas);
    serie->attachAxis(m_axeGauche);
    const Trace trace = TraceSerie(groupe);
    QPen stylo = serie->pen();
    stylo.setWidth(2);
    stylo.setColor(trace.couleur);
    if (trace.rang > 0) {
        stylo.setCapStyle(Qt::FlatCap);
        stylo.setDashPattern(Tirets[(trace.rang - 1) % std::size(Tirets)]);
    }
    serie->setPen(stylo);
    // The legend shows a stretch of each line, dashes included.
    m_chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    AjusteAxeFrequences();
}

// All the groups' bars in one series, side by side in each part.
void TFenGrapheTgen::DessineCoefficients(const t3::Tgen& groupe) {
    const std::vector<int64_t> valeurs =
        t3::ValeursVentilation(*m_partition, groupe, t3::ModeVentilation::Specificites);
    auto* barres =
        m_chart->series().isEmpty() ? nullptr : qobject_cast<QBarSeries*>(m_chart->series().front());
    if (!barres) {
        barres = new QBarSeries;
        barres->setBarWidth(0.8);
        m_chart->addSeries(barres);
        barres->attachAxis(m_axeBas);
        barres->attachAxis(m_axeGauche);
    }
    auto* ensemble = new QBarSet(EnTexte(groupe.Nom()));
    QList<qreal> hauteurs;
    hauteurs.reserve(static_cast<qsizetype>(valeurs.size()));
    for (const int64_t v : valeurs)
        hauteurs.append(static_cast<double>(v));
    ensemble->append(hauteurs);
    const Trace trace = TraceSerie(groupe);
    if (trace.rang == 0)
        ensemble->setColor(trace.couleur);
    else
        ensemble->setBrush(QBrush(trace.couleur, Hachures[(trace.rang - 1) % std::size(Hachures)]));
    // The outline frames a hatched bar.
    ensemble->setBorderColor(trace.couleur);
    barres->append(ensemble);
    // A square of each bar's fill, hatching included (the shape of the series would leave it empty).
    m_chart->legend()->setMarkerShape(QLegend::MarkerShapeRectangle);
    m_extremes.Note(valeurs);
    AjusteAxeGauche(m_extremes.AxeMin(), m_extremes.AxeMax());
}

void TFenGrapheTgen::EffaceSeries() {
    m_chart->removeAllSeries();
    m_couleursPrises = 0;
    m_tracesParCouleur.clear();
}

void TFenGrapheTgen::RedessineFrequences() {
    m_specificites = false;
    m_axeGauche->setTitleText(m_relatives ? "Fréquences relatives (X 10 000)" : "Fréquences absolues");
    AjusteAxeGauche(0, 1);
    for (const auto& groupe : m_groupes)
        DessineFrequences(*groupe);
}

void TFenGrapheTgen::RedessineCoefficients() {
    m_specificites = true;
    m_axeGauche->setTitleText("Spécificités");
    AjusteAxeGauche(m_extremes.AxeMin(), m_extremes.AxeMax());
    for (const auto& groupe : m_groupes)
        DessineCoefficients(*groupe);
}

// Frequencies: from 0 up to the highest value drawn, rounded up to the next graduation.
void TFenGrapheTgen::AjusteAxeFrequences() {
    double plusHaut = 0;
    for (const QAbstractSeries* serie : m_chart->series())
        if (const auto* ligne = qobject_cast<const QLineSeries*>(serie))
            for (const QPointF& point : ligne->points())
                plusHaut = std::max(plusHaut, point.y());
    const double pas = PasGraduations(plusHaut);
    AjusteAxeGauche(0, std::max(pas, std::ceil(plusHaut / pas) * pas));
}

void TFenGrapheTgen::AjusteAxeGauche(double min, double max) {
    const double pas = PasGraduations(max - min);
    // The larger step first: the old step on the new range could make thousands of graduations.
    m_axeGauche->setTickInterval(std::max(pas, m_axeGauche->tickInterval()));
    m_axeGauche->setRange(min, max);
    m_axeGauche->setTickInterval(pas);
}

// --- Display switches

void TFenGrapheTgen::BtnAffFrqClick() {
    m_btnAffFrq->setChecked(true);
    EffaceSeries();
    RedessineFrequences();
}

void TFenGrapheTgen::BtnAffSpfClick() {
    m_btnAffSpf->setChecked(true);
    EffaceSeries();
    RedessineCoefficients();
}

// Either radio button: the frequencies come back, relative or absolute.
void TFenGrapheTgen::RBtnRelClick() {
    m_relatives = m_rbtnRel->isChecked();
    BtnAffFrqClick();
}

void TFenGrapheTgen::BtnClearClick() {
    EffaceSeries();
    m_extremes.Efface();
    m_groupes.clear();
}

// --- Zoom and scrolling of the bottom axis, within the parts

void TFenGrapheTgen::MontreParties(double min, double max) {
    m_axeBas->setRange(min, max);
    EtiquetteParties();
}

// The names of the parts in view, one every so many when there are too many to read.
void TFenGrapheTgen::EtiquetteParties() {
    for (const QString& etiquette : m_axeBas->categoriesLabels())
        m_axeBas->remove(etiquette);
    const t3::charg1* base = m_partition->Base();
    const int premiere = std::max(0, static_cast<int>(std::ceil(m_axeBas->min())));
    const int derniere =
        std::min(m_partition->NbParties() - 1, static_cast<int>(std::floor(m_axeBas->max())));
    if (!base || derniere < premiere) return;
    const QFontMetrics mesure(m_axeBas->labelsFont());
    const double largeur = m_chart->plotArea().width();
    const int place = largeur > 0 ? static_cast<int>(largeur) / (mesure.height() + 4) : EtiquettesMax;
    const int nombreMax = std::clamp(place, 1, EtiquettesMax);
    const int pas = (derniere - premiere + nombreMax) / nombreMax;
    // Each name stands at its part's value, after the start of the first category.
    m_axeBas->setStartValue(premiere - 1.0);
    int largeurMax = 0;
    int nombre = 0;
    for (int p = (premiere + pas - 1) / pas * pas; p <= derniere; p += pas, ++nombre) {
        const std::string_view nom = base->Graphie(m_partition->Contenu(p));
        m_axeBas->append(EnTexte(nom), p);
        largeurMax = std::max(largeurMax, mesure.horizontalAdvance(VersQt(nom)));
    }
    // Upright names when side by side they would overlap.
    m_axeBas->setLabelsAngle(largeur > 0 && nombre * (largeurMax + 8) > largeur ? -90 : 0);
}

void TFenGrapheTgen::BtnZoomClick() {
    const double quart = (m_axeBas->max() - m_axeBas->min()) / 4;
    MontreParties(m_axeBas->min() + quart, m_axeBas->max() - quart);
    m_zoome = true;
    MetAJourFleches();
}

void TFenGrapheTgen::BtnUnZoomClick() {
    MontreParties(-0.5, m_partition->NbParties() - 0.5);
    m_zoome = false;
    MetAJourFleches();
}

void TFenGrapheTgen::DecaleAxeBas(double unites) {
    const double largeur = m_axeBas->max() - m_axeBas->min();
    const double debutMax = std::max(-0.5, m_partition->NbParties() - 0.5 - largeur);
    const double debut = std::clamp(m_axeBas->min() + unites, -0.5, debutMax);
    MontreParties(debut, debut + largeur);
}

void TFenGrapheTgen::BtnLeftClick() {
    DecaleAxeBas(-5);
}

void TFenGrapheTgen::BtnRightClick() {
    DecaleAxeBas(5);
}

void TFenGrapheTgen::MetAJourFleches() {
    m_btnLeft->setEnabled(m_zoome);
    m_btnRight->setEnabled(m_zoome);
}

// The names are thinned for the width of the plot area, known once the chart is laid out.
void TFenGrapheTgen::PlotAreaChanged(const QRectF& zone) {
    if (zone.width() == m_largeurEtiquetee) return;
    m_largeurEtiquetee = zone.width();
    EtiquetteParties();
}

// --- Export

// The groups' values by part, in the display shown: the coefficients, or the frequencies as the radio
// buttons set them.
LignesAExporter TFenGrapheTgen::LignesVentilation() const {
    const t3::ModeVentilation mode = m_specificites ? t3::ModeVentilation::Specificites
                                     : m_relatives  ? t3::ModeVentilation::Relatives
                                                    : t3::ModeVentilation::Absolues;
    LignesAExporter lignes;
    lignes.nbLignes = 1 + m_partition->NbParties();
    lignes.textesUtf8 = false;
    lignes.ecrit = [this, mode](t3::EcrivainTable& ecrivain) {
        std::vector<const t3::Tgen*> groupes;
        for (const auto& groupe : m_groupes)
            groupes.push_back(groupe.get());
        t3::EcritVentilation(ecrivain, *m_partition, groupes, mode);
    };
    return lignes;
}

// --- Report

// The key type as a file name may hold it.
QString TFenGrapheTgen::NomCle() const {
    const t3::charg1* base = m_partition->Base();
    return QString::fromStdString(
        t3::NomFichierSur(base ? base->Graphie(m_partition->CleType()) : std::string_view()));
}

void TFenGrapheTgen::AjouteAuRapport() {
    RapportCourant* rapport = m_services.Rapport();
    if (!rapport) return;
    const int numero = NumerotationRapport::Prochain(SorteEntree::ImageGraphe);
    const QString fichier = "img-graphe-" + NomCle() + QString::number(numero) + ".jpg";
    if (!SauveJPEG(m_graphe->grab().toImage(), rapport->Dossier() + fichier, 30)) {
        Dialogues::Message(this, QMessageBox::Warning, "Tessaron3",
                           "L'image « " + fichier + " » n'a pas pu être écrite dans le rapport.");
        return;
    }
    NumerotationRapport::Pris(SorteEntree::ImageGraphe);
    QString groupes;
    for (const auto& groupe : m_groupes)
        groupes += (groupes.isEmpty() ? "" : ", ") + VersQt(groupe->Nom());
    rapport->Ajoute(windowTitle() + "(" + QString::number(numero + 1) + ")", fichier, " ",
                    QString::fromStdString(t3::ParametresPartition(*m_partition)) +
                        (m_specificites ? " ; spécificités"
                         : m_relatives  ? " ; fréquences relatives"
                                        : " ; fréquences absolues") +
                        " ; groupes : " + groupes);
}

// --- What the tests read

std::vector<TFenGrapheTgen::SerieDessinee> TFenGrapheTgen::Series() const {
    std::vector<SerieDessinee> series;
    for (const QAbstractSeries* serie : m_chart->series()) {
        if (const auto* ligne = qobject_cast<const QLineSeries*>(serie)) {
            SerieDessinee& s =
                series.emplace_back(SerieDessinee{CommeAffiche(serie->name()), ligne->pen().color(), {}});
            for (const QPointF& point : ligne->points())
                s.valeurs.push_back(point.y());
        } else if (const auto* barres = qobject_cast<const QBarSeries*>(serie)) {
            for (QBarSet* ensemble : barres->barSets()) {
                SerieDessinee& s = series.emplace_back(
                    SerieDessinee{CommeAffiche(ensemble->label()), ensemble->color(), {}});
                for (int i = 0; i < ensemble->count(); ++i)
                    s.valeurs.push_back(ensemble->at(i));
            }
        }
    }
    return series;
}

double TFenGrapheTgen::AxeGaucheMin() const {
    return m_axeGauche->min();
}

double TFenGrapheTgen::AxeGaucheMax() const {
    return m_axeGauche->max();
}

QString TFenGrapheTgen::TitreAxeGauche() const {
    return m_axeGauche->titleText();
}

double TFenGrapheTgen::AxeBasMin() const {
    return m_axeBas->min();
}

double TFenGrapheTgen::AxeBasMax() const {
    return m_axeBas->max();
}

QStringList TFenGrapheTgen::EtiquettesAxeBas() const {
    QStringList etiquettes;
    for (const QString& html : m_axeBas->categoriesLabels())
        etiquettes << CommeAffiche(html);
    return etiquettes;
}

T3_GENRE_FENETRE(GenreFenetre{.portee = Portee::Partition, .rang = 20, .rubrique = RubriqueGraphiques});

} // namespace t3ui
