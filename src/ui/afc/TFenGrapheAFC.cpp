#include "ui/afc/TFenGrapheAFC.h"

#include "engine/afc/PlanFactoriel.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/rapport/Manifeste.h"
#include "engine/socle/NomFichier.h"
#include "ui/afc/FenetresAFC.h"
#include "ui/afc/LancementsAFC.h"
#include "ui/afc/PlanAFC.h"
#include "ui/shell/Couleurs.h"
#include "ui/shell/EnregistrementImage.h"
#include "ui/shell/ExportTableau.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/NumerotationRapport.h"
#include "ui/shell/PageRapport.h"
#include "ui/shell/PartitionOuverte.h"
#include "ui/shell/RapportCourant.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TexteQt.h"

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>

namespace t3ui {

namespace {

// The standard colours, in the grid's order.
constexpr t3::Couleur Rgb(uint8_t r, uint8_t v, uint8_t b) {
    return t3::CouleurRGB(r, v, b);
}
// Blue, the colour the grid starts with (and every part).
constexpr int IndexBleu = 12;

QIcon Pastille(const QColor& couleur) {
    QPixmap image(14, 14);
    image.fill(couleur);
    QPainter peintre(&image);
    peintre.setPen(Qt::gray);
    peintre.drawRect(0, 0, 13, 13);
    return QIcon(image);
}

} // namespace

const t3::Couleur TFenGrapheAFC::CouleursGrille[16] = {
    Rgb(0, 0, 0),       Rgb(128, 0, 0),   Rgb(0, 128, 0),   Rgb(128, 128, 0),
    Rgb(0, 0, 128),     Rgb(128, 0, 128), Rgb(0, 128, 128), Rgb(128, 128, 128),
    Rgb(192, 192, 192), Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(255, 255, 0),
    Rgb(0, 0, 255),     Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255)};

// --- The factor table

ModeleFacteurs::ModeleFacteurs(const t3::Partition* partition, const t3::TListePoints* points,
                               QObject* parent)
    : QAbstractTableModel(parent), m_partition(partition), m_points(points) {}

int ModeleFacteurs::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_points->NbPoints();
}

int ModeleFacteurs::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : t3::NbColonnesFacteurs(*m_points);
}

QVariant ModeleFacteurs::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(index.column() == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                       : Qt::AlignRight | Qt::AlignVCenter);
    if (role == RoleValeurBrute && index.column() >= 1) {
        // The value itself, of which the cell shows a rounding.
        const int32_t point = index.row();
        if (index.column() == 1) return m_points->Masse(point);
        if (index.column() == 2) return m_points->Distance(point);
        return m_points->Valeurs(index.column() - 3)[static_cast<size_t>(point)];
    }
    if (role != Qt::DisplayRole) return {};
    if (index.column() == 0) return VersQt(t3::EtiquettePoint(*m_partition, index.row(), m_noms));
    return QString::fromStdString(t3::TexteCelluleFacteurs(*m_points, index.row(), index.column()));
}

QVariant ModeleFacteurs::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(section == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                : Qt::AlignRight | Qt::AlignVCenter);
    // The three runs are captioned alike: the hint names each column's.
    if (role == Qt::ToolTipRole) {
        const std::string aide = t3::AideColonneFacteurs(*m_points, section);
        return aide.empty() ? QVariant() : QVariant(VersQt(aide));
    }
    if (role != Qt::DisplayRole) return {};
    return QString::fromStdString(t3::TitreColonneFacteurs(*m_points, section));
}

void ModeleFacteurs::SetNoms(bool noms) {
    m_noms = noms;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

// --- The window

TFenGrapheAFC::TFenGrapheAFC(ServicesAtelier& services, t3::Partition* partition, t3::ResultatsAFC resultats)
    : m_services(services), m_partition(partition), m_resultats(std::move(resultats)) {
    setObjectName("FenGrapheAFC");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Analyse factorielle des correspondances - " + CleType());
    setMinimumSize(100, 120);

    m_plan = new PlanAFC(m_partition, &m_resultats.points);
    connect(m_plan, &PlanAFC::PartitionModifiee, this, [this] { MontreDrapeauxPartition(m_partition); });
    // Marks made elsewhere (the statistics window, another plot) show at once.
    connect(&PartitionOuverte::De(m_partition), &PartitionOuverte::MarquesModifiees, m_plan,
            qOverload<>(&QWidget::update));
    m_modele = new ModeleFacteurs(m_partition, &m_resultats.points, this);
    m_lvFact = new QTableView;
    m_lvFact->setObjectName("LVFact");
    m_lvFact->setModel(m_modele);
    m_lvFact->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lvFact->setShowGrid(true);
    m_lvFact->verticalHeader()->hide();
    CreeHistogramme();
    const QString cle = QString::fromStdString(t3::NomFichierSur(VersCp1252(CleType())));
    InstalleExportTableau(m_lvFact, "afc-facteurs-" + cle);
    InstalleExport(m_histo, "afc-vp-" + cle, [this] { return LignesValeursPropres(); });
    m_pages = new QStackedWidget;
    m_pages->addWidget(m_plan);
    m_pages->addWidget(m_lvFact);
    m_pages->addWidget(m_histo);
    m_pages->setCurrentIndex(PagePlan);

    auto* milieu = new QHBoxLayout;
    milieu->setContentsMargins(0, 0, 0, 0);
    milieu->addWidget(m_pages, 1);
    milieu->addWidget(CreePanneauDroit());
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    disposition->addWidget(CreeBarreHaut());
    disposition->addLayout(milieu, 1);
    InstalleImage();
    resize(900, 640);
}

// "Enregistrer l'image…" saves the plane or the histogram, whichever is shown; the factor table is no
// picture.
void TFenGrapheAFC::InstalleImage() {
    QAction* action = InstalleEnregistrementImage(this, {m_histo}, [this]() -> ImageAEnregistrer {
        const QString cle = QString::fromStdString(t3::NomFichierSur(VersCp1252(CleType())));
        switch (m_pages->currentIndex()) {
        case PagePlan:
            return {
                m_plan->size(), [this](QPainter& peintre) { m_plan->Dessine(peintre); }, "afc-" + cle, {}};
        case PageHistogramme:
            return ImageDeVue(m_histo, "afc-vp-" + cle);
        default:
            return {};
        }
    });
    connect(m_pages, &QStackedWidget::currentChanged, action,
            [action](int page) { action->setEnabled(page != PageFacteurs); });
    auto* menu = new QMenu(this);
    menu->addAction(action);
    connect(m_plan, &PlanAFC::MenuDemande, menu, [menu](const QPoint& global) { menu->popup(global); });
}

TFenGrapheAFC::~TFenGrapheAFC() = default;

QString TFenGrapheAFC::CleType() const {
    const t3::charg1* base = m_partition->Base();
    return VersQt(base ? base->Graphie(m_partition->CleType()) : std::string_view());
}

QAbstractButton* TFenGrapheAFC::Bouton(const char* nom, const QString& texte, void (TFenGrapheAFC::*clic)()) {
    auto* bouton = new QToolButton;
    bouton->setObjectName(nom);
    bouton->setText(texte);
    connect(bouton, &QAbstractButton::clicked, this, clic);
    return bouton;
}

// The axis lists, the page buttons and the "Nom"/"Id" choice.
QWidget* TFenGrapheAFC::CreeBarreHaut() {
    auto* barre = new QWidget;
    auto* rangee = new QHBoxLayout(barre);
    rangee->setContentsMargins(6, 4, 6, 4);
    const auto liste = [this](const char* nom, const QString& aide, int32_t facteur) {
        auto* cb = new QComboBox;
        cb->setObjectName(nom);
        cb->setToolTip(aide);
        for (int32_t k = 1; k <= m_resultats.points.NbFacteurs(); ++k)
            cb->addItem(QString::number(k));
        cb->setCurrentIndex(facteur);
        return cb;
    };
    m_cbAxeX = liste("cbAxeX", "Facteur affecté à l'axe X", m_resultats.points.AxeX());
    m_cbAxeY = liste("cbAxeY", "Facteur affecté à l'axe Y", m_resultats.points.AxeY());
    connect(m_cbAxeX, &QComboBox::currentIndexChanged, this, &TFenGrapheAFC::CbAxeXChange);
    connect(m_cbAxeY, &QComboBox::currentIndexChanged, this, &TFenGrapheAFC::CbAxeYChange);
    rangee->addWidget(new QLabel("Axe horizontal :"));
    rangee->addWidget(m_cbAxeX);
    rangee->addSpacing(8);
    rangee->addWidget(new QLabel("Axe vertical :"));
    rangee->addWidget(m_cbAxeY);
    rangee->addSpacing(16);

    auto* pages = new QButtonGroup(barre);
    const std::pair<const char*, const char*> boutons[] = {
        {"BtnGraphiques", "Graphiques"}, {"BtnFacteurs", "Facteurs"}, {"BtnVP", "VP"}};
    for (int page = 0; page < 3; ++page) {
        auto* b = new QToolButton;
        b->setObjectName(boutons[page].first);
        b->setText(boutons[page].second);
        b->setCheckable(true);
        b->setAutoRaise(true);
        pages->addButton(b, page);
    }
    pages->button(PagePlan)->setChecked(true);
    connect(pages, &QButtonGroup::idClicked, m_pages, &QStackedWidget::setCurrentIndex);
    // Shown in the order "VP", "Facteurs", "Graphiques".
    for (int page = 2; page >= 0; --page)
        rangee->addWidget(pages->button(page));
    rangee->addSpacing(16);

    m_rbtnNom = new QRadioButton("Nom");
    m_rbtnNom->setObjectName("RBtnNom");
    m_rbtnNom->setChecked(true);
    auto* id = new QRadioButton("Id");
    id->setObjectName("RBtnId");
    for (QAbstractButton* b : {m_rbtnNom, static_cast<QAbstractButton*>(id)})
        connect(b, &QAbstractButton::clicked, this, &TFenGrapheAFC::RBtnNomClick);
    rangee->addWidget(m_rbtnNom);
    rangee->addWidget(id);
    rangee->addStretch();
    return barre;
}

// The selection and brush switches, the colour grid and the commands.
QWidget* TFenGrapheAFC::CreePanneauDroit() {
    auto* panneau = new QWidget;
    auto* colonne = new QVBoxLayout(panneau);
    colonne->setContentsMargins(4, 4, 4, 4);
    m_btnSelec = Bouton("BtnSelec", "Sélection", &TFenGrapheAFC::BtnPinceauClick);
    m_btnSelec->setToolTip("Sélection");
    m_btnPinceau = Bouton("BtnPinceau", "Coloriage", &TFenGrapheAFC::BtnPinceauClick);
    m_btnPinceau->setToolTip("Coloriage");
    auto* outils = new QButtonGroup(panneau);
    for (QAbstractButton* b : {m_btnSelec, m_btnPinceau}) {
        b->setCheckable(true);
        outils->addButton(b);
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        colonne->addWidget(b);
    }
    m_btnSelec->setChecked(true);
    colonne->addWidget(CreeGrille());
    colonne->addSpacing(12);
    for (QAbstractButton* b :
         CreeBoutonsPartition(HotePartition::PlanFactoriel, m_services, this, m_partition)) {
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        colonne->addWidget(b);
    }
    colonne->addStretch();
    return panneau;
}

// "GrilleCoul": the 16 colours in two columns of eight; the one chosen is shown down.
QWidget* TFenGrapheAFC::CreeGrille() {
    auto* grille = new QWidget;
    grille->setObjectName("GrilleCoul");
    auto* cases = new QGridLayout(grille);
    cases->setContentsMargins(0, 0, 0, 0);
    cases->setSpacing(1);
    m_grille = new QButtonGroup(grille);
    for (int i = 0; i < 16; ++i) {
        auto* b = new QToolButton;
        b->setObjectName(QString("Couleur%1").arg(i));
        b->setIcon(Pastille(VersQColor(CouleursGrille[i])));
        b->setCheckable(true);
        b->setAutoRaise(true);
        m_grille->addButton(b, i);
        cases->addWidget(b, i / 2, i % 2);
    }
    m_couleurGrille = IndexBleu;
    m_grille->button(IndexBleu)->setChecked(true);
    connect(m_grille, &QButtonGroup::idClicked, this, &TFenGrapheAFC::GrilleCoulChange);
    return grille;
}

// The eigenvalues, factor 1 first.
LignesAExporter TFenGrapheAFC::LignesValeursPropres() const {
    LignesAExporter lignes;
    lignes.nbLignes = 1 + static_cast<int64_t>(m_resultats.valeursPropres.size());
    lignes.ecrit = [this](t3::EcrivainTable& ecrivain) {
        ecrivain.Ligne({"Facteur", "Valeur propre"});
        int32_t facteur = 0;
        for (const int64_t valeur : m_resultats.valeursPropres) {
            ecrivain.Champ(++facteur).Champ(valeur);
            ecrivain.FinLigne();
        }
    };
    return lignes;
}

void TFenGrapheAFC::CreeHistogramme() {
    auto* chart = new QChart;
    chart->setTitle("Histogramme des valeurs propres");
    chart->legend()->setVisible(false);
    auto* ensemble = new QBarSet(QString());
    ensemble->setColor(QColor(247, 115, 75));
    ensemble->setBorderColor(QColor(247, 115, 75).darker(130));
    QStringList etiquettes;
    for (const t3::BarreHistogramme& b : t3::BarresHistogramme(m_resultats.valeursPropres)) {
        ensemble->append(static_cast<double>(b.valeur));
        etiquettes << QString::fromStdString(b.etiquette);
    }
    auto* serie = new QHorizontalBarSeries;
    serie->append(ensemble);
    serie->setLabelsVisible(true);
    serie->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    serie->setLabelsFormat("@value");
    ensemble->setLabelColor(Qt::black);
    chart->addSeries(serie);
    auto* axeParties = new QBarCategoryAxis;
    axeParties->append(etiquettes);
    chart->addAxis(axeParties, Qt::AlignLeft);
    serie->attachAxis(axeParties);
    auto* axeValeurs = new QValueAxis;
    axeValeurs->setLabelFormat("%.0f");
    chart->addAxis(axeValeurs, Qt::AlignBottom);
    serie->attachAxis(axeValeurs);
    double plusGrande = 1;
    for (const int64_t v : m_resultats.valeursPropres)
        plusGrande = std::max(plusGrande, static_cast<double>(v));
    axeValeurs->setRange(0, plusGrande);
    axeValeurs->applyNiceNumbers();
    m_histo = new QChartView(chart);
    m_histo->setObjectName("GrapheHisto");
    m_histo->setRenderHint(QPainter::Antialiasing);
}

// --- Handlers

void TFenGrapheAFC::ChoisitAxe(bool horizontal, int index) {
    t3::TListePoints& points = m_resultats.points;
    const bool change = horizontal ? t3::ChoisitAxeX(points, index) : t3::ChoisitAxeY(points, index);
    // A factor already on the other axis: the list goes back to its factor.
    QComboBox* liste = horizontal ? m_cbAxeX : m_cbAxeY;
    const QSignalBlocker bloque(liste);
    liste->setCurrentIndex(horizontal ? points.AxeX() : points.AxeY());
    if (change) m_plan->AxesChanges();
}

void TFenGrapheAFC::CbAxeXChange(int index) {
    ChoisitAxe(true, index);
}

void TFenGrapheAFC::CbAxeYChange(int index) {
    ChoisitAxe(false, index);
}

void TFenGrapheAFC::RBtnNomClick() {
    const bool noms = m_rbtnNom->isChecked();
    m_plan->SetNoms(noms);
    m_modele->SetNoms(noms);
}

t3::Couleur TFenGrapheAFC::CouleurPinceau() const {
    return CouleursGrille[m_couleurGrille];
}

// The grid's colour becomes the brush's; with the selection switch down, exactly the parts of that colour
// are selected.
void TFenGrapheAFC::GrilleCoulChange(int index) {
    m_couleurGrille = index;
    m_plan->SetPinceau(m_btnPinceau->isChecked(), CouleurPinceau());
    if (m_btnSelec->isChecked()) {
        t3::SelectionneCouleur(*m_partition, CouleurPinceau());
        MontreDrapeauxPartition(m_partition);
    }
}

void TFenGrapheAFC::BtnPinceauClick() {
    m_plan->SetPinceau(m_btnPinceau->isChecked(), CouleurPinceau());
}

// --- Report

void TFenGrapheAFC::AjouteAuRapport() {
    RapportCourant* rapport = m_services.Rapport();
    const int page = m_pages->currentIndex();
    if (!rapport || page == PageFacteurs) return;
    // One counter for every factor plot: two plots of one partition never write over each other's
    // pictures.
    const int compteur = NumerotationRapport::Prochain(SorteEntree::ImagePlan);
    const t3::charg1* base = m_partition->Base();
    const std::string cle = VersCp1252(CleType());
    const t3::EnteteImageAFC entete{VersCp1252(windowTitle()), base ? base->NomBase() : std::string(),
                                    VersCp1252(DateRapport()), cle, m_resultats.points.NbPoints()};
    const bool plan = page == PagePlan;
    const QString fichier =
        VersQt(plan ? t3::NomImagePlan(cle, compteur) : t3::NomImageHistogramme(cle, compteur));
    QWidget* image = plan ? static_cast<QWidget*>(m_plan) : m_histo;
    const std::string titre =
        plan ? t3::TitreImagePlan(entete.titre, compteur) : t3::TitreImageHistogramme(compteur);
    const std::string commentaire =
        plan ? t3::CommentaireImagePlan(entete) : t3::CommentaireImageHistogramme(entete);
    const QString parametres =
        QString::fromStdString(t3::ParametresPartition(*m_partition)) +
        QString(" ; axes : %1, %2").arg(m_cbAxeX->currentIndex() + 1).arg(m_cbAxeY->currentIndex() + 1);
    if (AjouteImageAuRapport(*rapport, this, image->grab().toImage(), fichier, VersQt(titre),
                             VersQt(commentaire), parametres))
        NumerotationRapport::Pris(SorteEntree::ImagePlan);
}

} // namespace t3ui

// --- Opening

namespace t3ui {

QWidget* OuvreGrapheAFC(ServicesAtelier& services, t3::Partition& partition, const std::string& dossier) {
    t3::Resultat<t3::ResultatsAFC> lus = t3::LitResultatsAFC(dossier);
    if (!ResultatsOuvrables(services, partition, lus.Message(), lus ? lus->points.NbPoints() : 0))
        return nullptr;
    auto* fenetre = new TFenGrapheAFC(services, &partition, std::move(lus.Valeur()));
    return PlaceFenetrePartition(services, partition, fenetre, RubriqueAFC, "AFC", /*maximisee*/ true);
}

} // namespace t3ui
