#include "ui/stats/TFenStatPart.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/rapport/Manifeste.h"
#include "engine/rapport/PagesPartition.h"
#include "engine/stats/CalcSpecTot.h"
#include "engine/stats/TableFormesParties.h"
#include "engine/stats/Tgen.h"
#include "engine/stats/TriTableFormes.h"
#include "ui/explore/CibleGroupes.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/ExportTableau.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/PageRapport.h"
#include "ui/shell/PartitionOuverte.h"
#include "ui/shell/Sablier.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TacheDeFond.h"
#include "ui/shell/TexteQt.h"
#include "ui/stats/ParametresSpecificites.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace t3ui {

namespace {

// The mark of a reference part: a tick on a transparent ground.
const QPixmap& MarqueReference() {
    static const QPixmap marque = [] {
        QPixmap image(12, 12);
        image.fill(Qt::transparent);
        QPainter peintre(&image);
        peintre.setRenderHint(QPainter::Antialiasing);
        peintre.setPen(QPen(QColor(0, 128, 0), 2));
        peintre.drawPolyline(QPolygonF({QPointF(2, 6), QPointF(5, 9), QPointF(10, 2)}));
        return image;
    }();
    return marque;
}

QString NomPartie(const t3::Partition& partition, int32_t partie) {
    return VersQt(partition.Base()->RetourneGraphie(partition.Contenu(partie), false));
}

// Both flag arrays of a partition, put back when the object goes.
class GardeDrapeaux {
  public:
    explicit GardeDrapeaux(t3::Partition& partition) : m_partition(partition) {
        for (int32_t i = 0; i < partition.NbParties(); ++i) {
            m_reference.push_back(partition.Reference(i));
            m_selection.push_back(partition.Selection(i));
        }
    }
    ~GardeDrapeaux() {
        for (int32_t i = 0; i < m_partition.NbParties(); ++i) {
            m_partition.SetReference(i, m_reference[static_cast<size_t>(i)]);
            m_partition.SetSelection(i, m_selection[static_cast<size_t>(i)]);
        }
    }
    GardeDrapeaux(const GardeDrapeaux&) = delete;
    GardeDrapeaux& operator=(const GardeDrapeaux&) = delete;

  private:
    t3::Partition& m_partition;
    std::vector<bool> m_reference, m_selection;
};

bool ToutesReference(const t3::Partition& partition) {
    for (int32_t i = 0; i < partition.NbParties(); ++i)
        if (!partition.Reference(i)) return false;
    return true;
}

bool AucuneReference(const t3::Partition& partition) {
    for (int32_t i = 0; i < partition.NbParties(); ++i)
        if (partition.Reference(i)) return false;
    return true;
}

} // namespace

// --- The table of parts

ModelePCLC::ModelePCLC(const t3::Partition* partition, QObject* parent)
    : QAbstractTableModel(parent), m_partition(partition) {}

int ModelePCLC::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_partition->NbParties();
}

int ModelePCLC::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 7;
}

QVariant ModelePCLC::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const int32_t partie = index.row();
    const bool choisie = m_partition->Selection(partie);
    switch (role) {
    case Qt::DecorationRole:
        return index.column() == 0 && m_partition->Reference(partie) ? QVariant(MarqueReference())
                                                                     : QVariant();
    case Qt::BackgroundRole:
        return choisie ? QVariant(QApplication::palette().brush(QPalette::Highlight)) : QVariant();
    case Qt::ForegroundRole:
        return choisie ? QVariant(QApplication::palette().brush(QPalette::HighlightedText)) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() >= 2 && index.column() <= 5 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                          : QVariant();
    case Qt::DisplayRole:
        break;
    default:
        return {};
    }
    switch (index.column()) {
    case 1:
        return NomPartie(*m_partition, partie);
    case 2:
        return m_partition->NbOccPartie(partie);
    case 3:
        return m_partition->NbFormesPartie(partie);
    case 4:
        return m_partition->NbHapaxPartie(partie);
    case 5:
        return m_partition->FmaxPartie(partie);
    case 6:
        return m_partition->NbFormesPartie(partie) > 0
                   ? VersQtVisible(m_partition->Base()->Graphie(m_partition->FormeMaxPartie(partie)))
                   : QString();
    default:
        return {};
    }
}

QVariant ModelePCLC::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const titres[] = {"", "Partie", "Occurences", "Formes", "Hapax", "Fmax", "Forme"};
    return section >= 0 && section < 7 ? QString(titres[section]) : QVariant();
}

void ModelePCLC::Rafraichit() {
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

// --- The table of forms by parts

ModeleTFG::ModeleTFG(const t3::charg1* base, QObject* parent) : QAbstractTableModel(parent), m_base(base) {}

int ModeleTFG::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_tri ? 0 : static_cast<int>(m_tri->Lignes().size());
}

int ModeleTFG::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_table ? 0 : 1 + m_table->NbColonnes();
}

int32_t ModeleTFG::Entree(int ligne) const {
    return m_tri->Lignes()[static_cast<size_t>(ligne)];
}

QVariant ModeleTFG::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    const int32_t entree = Entree(index.row());
    if (index.column() == 0) {
        if (role == Qt::BackgroundRole) return QApplication::palette().brush(QPalette::Button);
        return GraphieAffichee(m_base->RetourneGraphie(entree, false), role);
    }
    const int32_t colonne = index.column() - 1;
    switch (role) {
    case Qt::UserRole:
        return m_table->Frequence(entree, colonne);
    case RoleCoefficient:
        return m_table->Coefficient(entree, colonne);
    case Qt::DisplayRole: {
        // What a copy or an accessibility tool reads: the frequency, and the coefficient when there is one.
        const t3::CelluleTable cellule = m_table->Cellule(entree, colonne);
        QString texte = QString::number(cellule.frequence);
        if (cellule.coefficient != 0)
            texte += (cellule.coefficient > 0 ? " +" : " ") + QString::number(cellule.coefficient);
        return texte;
    }
    default:
        return {};
    }
}

QVariant ModeleTFG::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || !m_table) return {};
    if (section == 0) return QStringLiteral("Formes/SR");
    return VersQt(m_table->NomColonne(section - 1));
}

void ModeleTFG::SetTable(const t3::TableFormesParties* table, t3::TriTableFormes* tri) {
    beginResetModel();
    m_table = table;
    m_tri = tri;
    endResetModel();
}

// The persistent indexes (the current cell) follow their entry to its new row.
void ModeleTFG::Reordonne(const std::function<void()>& change) {
    if (!m_tri) return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList avant = persistentIndexList();
    std::vector<int32_t> entrees;
    for (const QModelIndex& index : avant)
        entrees.push_back(Entree(index.row()));
    change();
    std::unordered_map<int32_t, int> ligneDe;
    if (!avant.isEmpty())
        for (int ligne = rowCount() - 1; ligne >= 0; --ligne)
            ligneDe[Entree(ligne)] = ligne;
    QModelIndexList apres;
    for (qsizetype i = 0; i < avant.size(); ++i) {
        const auto trouvee = ligneDe.find(entrees[static_cast<size_t>(i)]);
        apres.append(trouvee == ligneDe.end() || avant[i].column() >= columnCount()
                         ? QModelIndex()
                         : index(trouvee->second, avant[i].column()));
    }
    changePersistentIndexList(avant, apres);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void DelegueTFG::paint(QPainter* peintre, const QStyleOptionViewItem& option,
                       const QModelIndex& index) const {
    if (index.column() == 0) {
        QStyledItemDelegate::paint(peintre, option, index);
        return;
    }
    // The first row of entries is the grid's row 1, an odd one.
    const QRect cellule = option.rect;
    peintre->fillRect(cellule, index.row() % 2 == 0 ? QColor(192, 220, 192) : QColor(Qt::white));
    peintre->setPen(Qt::black);
    const QRect texte = cellule.adjusted(2, 1, -1, 0);
    peintre->drawText(texte, Qt::AlignLeft | Qt::AlignTop, index.data(Qt::UserRole).toString());
    const int coefficient = index.data(ModeleTFG::RoleCoefficient).toInt();
    if (coefficient == 0) return;
    peintre->setPen(coefficient > 0 ? QColor(0, 0, 255) : QColor(255, 0, 0));
    peintre->drawText(texte, Qt::AlignRight | Qt::AlignTop,
                      (coefficient > 0 ? "+" : "") + QString::number(coefficient));
}

// --- The window

TFenStatPart::TFenStatPart(ServicesAtelier& services, t3::Partition* partition)
    : m_services(services), m_partition(partition), m_base(partition->Base()) {
    setObjectName("FenStatPart");
    setWindowTitle("Principales caractéristiques de la partition : " +
                   VersQt(m_base->RetourneGraphie(partition->CleType(), false)));
    setAttribute(Qt::WA_DeleteOnClose);

    m_onglets = new QTabWidget;
    m_onglets->setObjectName("PageControl1");
    m_onglets->addTab(CreePageParties(), "Principales caractéristiques");
    m_onglets->addTab(CreePageTable(), "TFG / Spécificités par partie");
    m_onglets->setTabVisible(1, false);

    auto* disposition = new QHBoxLayout(this);
    disposition->setContentsMargins(2, 2, 2, 2);
    disposition->addWidget(m_onglets, 1);
    disposition->addWidget(CreeBoutons());
    resize(550, 400);
    // Marks made on a factor plot of the partition show here at once.
    connect(&PartitionOuverte::De(m_partition), &PartitionOuverte::MarquesModifiees, m_modelePCLC,
            &ModelePCLC::Rafraichit);
}

TFenStatPart::~TFenStatPart() {
    m_modeleTFG->SetTable(nullptr, nullptr);
}

QWidget* TFenStatPart::CreePageParties() {
    m_modelePCLC = new ModelePCLC(m_partition, this);
    m_grdPCLC = new QTableView;
    m_grdPCLC->setObjectName("GrdPCLC");
    m_grdPCLC->setModel(m_modelePCLC);
    // The rows show the parts' flags, not a selection of the view.
    m_grdPCLC->setSelectionMode(QAbstractItemView::NoSelection);
    m_grdPCLC->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdPCLC->setWordWrap(false);
    m_grdPCLC->verticalHeader()->hide();
    m_grdPCLC->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grdPCLC->verticalHeader()->setDefaultSectionSize(std::max(16, m_grdPCLC->fontMetrics().height() + 2));
    const int largeurs[] = {16, 112, 49, 50, 49, 48, 212};
    const QFontMetrics mesure(m_grdPCLC->horizontalHeader()->font());
    for (int c = 0; c < 7; ++c) {
        const int titre =
            mesure.horizontalAdvance(m_modelePCLC->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
        m_grdPCLC->setColumnWidth(c, std::max(largeurs[c], titre + 12));
    }
    connect(m_grdPCLC, &QTableView::clicked, this,
            [this](const QModelIndex& index) { GrdPCLCClick(index.row() + 1, index.column()); });
    InstalleExportTableau(m_grdPCLC, "parties");
    return m_grdPCLC;
}

QWidget* TFenStatPart::CreePageTable() {
    m_modeleTFG = new ModeleTFG(m_base, this);
    m_gridTFG = new QTableView;
    m_gridTFG->setObjectName("GridTFG");
    m_gridTFG->setModel(m_modeleTFG);
    m_gridTFG->setItemDelegate(new DelegueTFG(m_gridTFG));
    m_gridTFG->setSelectionMode(QAbstractItemView::NoSelection);
    m_gridTFG->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gridTFG->setWordWrap(false);
    m_gridTFG->verticalHeader()->hide();
    m_gridTFG->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_gridTFG->verticalHeader()->setDefaultSectionSize(std::max(16, m_gridTFG->fontMetrics().height() + 2));
    m_gridTFG->horizontalHeader()->setDefaultSectionSize(90);
    m_gridTFG->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_gridTFG->horizontalHeader()->setSectionsClickable(true);
    connect(m_gridTFG->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TFenStatPart::GridTFGTitreClick);
    CibleGroupes::Installe(m_gridTFG, [this](const TTgenDragObject& objet) { return RecoitGroupe(objet); });
    InstalleExportTableau(m_gridTFG, "formes-parties", [this] { return LignesTable(); });
    return m_gridTFG;
}

QWidget* TFenStatPart::CreeBoutons() {
    auto* panneau = new QWidget;
    panneau->setObjectName("Panel1");
    auto* colonne = new QVBoxLayout(panneau);
    colonne->setContentsMargins(2, 0, 2, 0);
    for (QAbstractButton* bouton :
         CreeBoutonsPartition(HotePartition::Statistiques, m_services, this, m_partition)) {
        if (auto* outil = qobject_cast<QToolButton*>(bouton))
            outil->setToolButtonStyle(Qt::ToolButtonTextOnly);
        bouton->setMinimumWidth(70);
        colonne->addWidget(bouton);
    }

    auto* tri = new QGroupBox("Tri par :");
    auto* choix = new QVBoxLayout(tri);
    m_radFrq = new QRadioButton("&fréquence");
    m_radFrq->setObjectName("RadFrq");
    m_radFrq->setChecked(true);
    auto* radSpec = new QRadioButton("&spécificité");
    radSpec->setObjectName("RadSpec");
    radSpec->setToolTip("Cliquez sur ce bouton pour\ntrier par spécificité.");
    choix->addWidget(m_radFrq);
    choix->addWidget(radSpec);
    connect(m_radFrq, &QRadioButton::toggled, this, &TFenStatPart::CritereChange);
    colonne->addWidget(tri);
    colonne->addStretch();
    return panneau;
}

void TFenStatPart::GrdPCLCClick(int ligne, int colonne) {
    const int32_t partie = ligne - 1;
    if (partie < 0 || partie >= m_partition->NbParties()) return;
    if (colonne == 0) {
        const bool reference = !m_partition->Reference(partie);
        m_partition->SetReference(partie, reference);
        if (!reference) m_partition->SetSelection(partie, false);
    } else if (m_partition->Reference(partie)) {
        m_partition->SetSelection(partie, !m_partition->Selection(partie));
    }
    // The factor plots of the partition show the marks at once, as this table does.
    PartitionOuverte::De(m_partition).MarquesChangees();
}

void TFenStatPart::BtnSpTotClick() {
    TFenParamSpecTot dialogue(this, m_partition->Seuil(), m_partition->FreqMin(),
                              ToutesReference(*m_partition));
    if (Dialogues::Execute(&dialogue) != QDialog::Accepted) return;
    m_partition->SetSeuil(dialogue.Seuil());
    m_partition->SetFreqMin(dialogue.FreqMin());
    {
        GardeDrapeaux garde(*m_partition);
        if (!dialogue.Restreint())
            for (int32_t i = 0; i < m_partition->NbParties(); ++i)
                m_partition->SetReference(i, true);
        // With no reference part there is nothing to compare with: the table would be empty.
        if (AucuneReference(*m_partition)) {
            Dialogues::Information(this,
                                   "Aucune partie n'est cochée comme corpus de référence : cochez-en au "
                                   "moins une, ou calculez sur la totalité du corpus.");
            return;
        }
        // Computed off the interface thread, each part's forms, then its segments when the base has some;
        // the window waits meanwhile, so that the flags the computation reads stay as they are. Cancelled,
        // the table shown stays.
        setEnabled(false);
        auto calcul = ExecuteEnFond<std::unique_ptr<t3::CalcSpecTot>>(
            "Calcul des spécificités...", m_base->Segments() ? 2 : 1,
            [this](const t3::Arret&, const t3::Progression& progression) {
                return std::make_unique<t3::CalcSpecTot>(m_partition, progression, t3::Progression{});
            },
            this);
        setEnabled(true);
        if (!calcul) return;
        m_modeleTFG->SetTable(nullptr, nullptr);
        m_tri.reset();
        m_table.reset();
        m_calcul = std::move(*calcul);
    }
    AfficheTable();
}

// The table of the new computation, every entry a row, on the second tab made visible and current.
// The table of forms by parts as shown, a frequency and a coefficient for each part, each its own
// field: the coefficient signed, empty where the form is not specific.
LignesAExporter TFenStatPart::LignesTable() const {
    LignesAExporter lignes;
    lignes.textesUtf8 = false;
    if (!m_table || !m_tri) {
        lignes.ecrit = [](t3::EcrivainTable&) {};
        return lignes;
    }
    lignes.nbLignes = 1 + static_cast<int64_t>(m_tri->Lignes().size());
    lignes.ecrit = [this](t3::EcrivainTable& ecrivain) {
        const int32_t colonnes = m_table->NbColonnes();
        const std::string specif = VersCp1252("Spécif ");
        ecrivain.Champ("Formes/SR");
        for (int32_t j = 0; j < colonnes; ++j)
            ecrivain.Champ(m_table->NomColonne(j)).Champ(specif + std::string(m_table->NomColonne(j)));
        ecrivain.FinLigne();
        for (const int32_t entree : m_tri->Lignes()) {
            if (!ecrivain.Ok()) break;
            ecrivain.Champ(m_base->RetourneGraphie(entree, false));
            for (int32_t j = 0; j < colonnes; ++j) {
                const t3::CelluleTable cellule = m_table->Cellule(entree, j);
                ecrivain.Champ(cellule.frequence);
                if (cellule.coefficient > 0)
                    ecrivain.Champ("+" + std::to_string(cellule.coefficient));
                else if (cellule.coefficient < 0)
                    ecrivain.Champ(cellule.coefficient);
                else
                    ecrivain.Champ(std::string_view());
            }
            ecrivain.FinLigne();
        }
    };
    return lignes;
}

void TFenStatPart::MontreTable(std::unique_ptr<t3::CalcSpecTot> calcul) {
    m_modeleTFG->SetTable(nullptr, nullptr);
    m_tri.reset();
    m_table.reset();
    m_calcul = std::move(calcul);
    AfficheTable();
}

void TFenStatPart::AfficheTable() {
    Sablier sablier;
    m_table = std::make_unique<t3::TableFormesParties>(*m_calcul);
    m_tri = std::make_unique<t3::TriTableFormes>(*m_table);
    m_modeleTFG->SetTable(m_table.get(), m_tri.get());
    m_onglets->setTabVisible(1, true);
    m_onglets->setCurrentIndex(1);
}

void TFenStatPart::GridTFGTitreClick(int colonne) {
    if (!m_tri) return;
    Sablier sablier;
    const t3::CritereTri critere =
        m_radFrq->isChecked() ? t3::CritereTri::Frequence : t3::CritereTri::Specificite;
    m_modeleTFG->Reordonne([&] { m_tri->ClicEntete(colonne, critere); });
}

void TFenStatPart::CritereChange() {
    if (!m_tri) return;
    Sablier sablier;
    const t3::CritereTri critere =
        m_radFrq->isChecked() ? t3::CritereTri::Frequence : t3::CritereTri::Specificite;
    m_modeleTFG->Reordonne([&] { m_tri->ChangeCritere(critere); });
}

// A dropped group becomes the rows, in its order.
bool TFenStatPart::RecoitGroupe(const TTgenDragObject& objet) {
    if (!m_tri) return false;
    const std::unique_ptr<t3::Tgen> groupe = GroupeRecu(m_base, objet, false, this);
    if (!groupe) return false;
    m_modeleTFG->Reordonne([&] { m_tri->SetLignes(groupe->Entrees()); });
    return true;
}

void TFenStatPart::AjouteAuRapport() {
    const std::string titre = VersCp1252(windowTitle());
    const QString parametres = QString::fromStdString(t3::ParametresPartition(*m_partition));
    if (m_onglets->currentIndex() == 1 && m_table) {
        AjoutePageAuRapport(
            m_services, this, VersQt(t3::NomPageTFG(*m_partition)), windowTitle(),
            [&](std::ostream& sortie) { t3::EcritPageTFG(sortie, *m_table, m_tri->Lignes(), titre); },
            parametres);
        return;
    }
    AjoutePageAuRapport(
        m_services, this, VersQt(t3::NomPagePCLC(*m_partition)), windowTitle(),
        [&](std::ostream& sortie) { t3::EcritPagePCLC(sortie, *m_partition, titre); }, parametres);
}

namespace {

void LanceSpTot(ServicesAtelier&, QWidget* fenetre, t3::Partition&) {
    if (auto* statistiques = qobject_cast<TFenStatPart*>(fenetre)) statistiques->BtnSpTotClick();
}

// The statistics window of a partition: its "PCLC" item, and its own "Sp. Tot" among the partition's
// buttons.
T3_GENRE_FENETRE(GenreFenetre{
    .portee = Portee::Partition,
    .rang = 10,
    .rubrique = RubriqueStatistiques,
    .boutons = {{HotePartition::Statistiques, 30, "BtnSpTot", "Sp. Tot",
                 "Calcul des spécificités par partie,\nchronologiques et évolutives "
                 "pour\ntoutes les parties et sur la totalité du\ncorpus.",
                 LanceSpTot}}});

} // namespace

} // namespace t3ui
