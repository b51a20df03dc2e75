#include "ui/explore/TFenDicNum.h"

#include "engine/corpus/OrdreLexicographique.h"
#include "engine/corpus/charg1.h"
#include "ui/explore/ListeGlissable.h"
#include "ui/explore/Pastille.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/shell/Couleurs.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/ExportTableau.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TexteQt.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace t3ui {

namespace {

QWidget* CreeDictionnaire(ServicesAtelier&, t3::charg1* base) {
    return new TFenDicNum(base);
}

} // namespace

// The dictionary opens with every base, as a page of the left panel.
T3_GENRE_FENETRE(GenreFenetre{.rang = 1,
                              .avecBase = true,
                              .lieu = Lieu::ListesGauche,
                              .statut = "Affichage du dictionnaire",
                              .noeud = GenreNoeud::Dictionnaire,
                              .cree = CreeDictionnaire});

ModeleDicNum::ModeleDicNum(const t3::charg1* base, QObject* parent)
    : ModeleGlissable(base, t3::CouleurRGB(0, 0, 255), parent) {
    m_lignes.resize(static_cast<size_t>(base->Nbform() + base->Nbartponct()));
    std::iota(m_lignes.begin(), m_lignes.end(), 0);
}

int ModeleDicNum::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_lignes.size());
}

int ModeleDicNum::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant ModeleDicNum::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const int32_t entree = Entree(index.row());
    if (index.column() == 0 && (role == Qt::DisplayRole || role == Qt::ToolTipRole))
        return GraphieAffichee(m_base->Graphie(entree), role);
    switch (role) {
    case Qt::DisplayRole:
        return QVariant(m_base->RetourneFrq(entree));
    case Qt::TextAlignmentRole:
        return index.column() == 1 ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::UserRole:
        return entree;
    default:
        return {};
    }
}

QVariant ModeleDicNum::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section == 1) return QStringLiteral("Fréquence");
    return m_lexicographique ? QStringLiteral("Formes (ordre lexicographique)")
                             : QStringLiteral("Formes (ordre lexicométrique)");
}

int ModeleDicNum::Ligne(int32_t entree) const {
    const auto trouvee = std::find(m_lignes.begin(), m_lignes.end(), entree);
    return trouvee == m_lignes.end() ? -1 : static_cast<int>(trouvee - m_lignes.begin());
}

// The rows move as a whole: the views keep their selection and current row on the same entries.
void ModeleDicNum::InverseOrdre() {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList avant = persistentIndexList();
    std::vector<int32_t> entrees;
    entrees.reserve(static_cast<size_t>(avant.size()));
    for (const QModelIndex& index : avant)
        entrees.push_back(Entree(index.row()));
    m_lexicographique = !m_lexicographique;
    // The entries in number order: the forms by frequency, then the punctuation signs, which the
    // lexicographic order also keeps after the forms.
    std::iota(m_lignes.begin(), m_lignes.end(), 0);
    if (m_lexicographique) m_lignes = t3::OrdreLexicographique(*m_base, m_lignes);
    // Each persistent index follows its entry to its new row, through the inverse of the row map.
    std::vector<int> ligneDe(m_lignes.size());
    for (size_t ligne = 0; ligne < m_lignes.size(); ++ligne)
        if (const auto e = static_cast<size_t>(m_lignes[ligne]); e < ligneDe.size())
            ligneDe[e] = static_cast<int>(ligne);
    QModelIndexList apres;
    apres.reserve(avant.size());
    for (qsizetype i = 0; i < avant.size(); ++i)
        apres.append(index(ligneDe[static_cast<size_t>(entrees[static_cast<size_t>(i)])], avant[i].column()));
    changePersistentIndexList(avant, apres);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

TFenDicNum::TFenDicNum(const t3::charg1* base) : m_base(base), m_couleur(t3::CouleurRGB(0, 0, 255)) {
    setObjectName("FenDicNum");
    setWindowTitle("Dictionnaire");
    setAttribute(Qt::WA_DeleteOnClose);
    m_modele = new ModeleDicNum(base, this);

    auto* panel = new QWidget;
    panel->setObjectName("Panel1");
    auto* haut = new QHBoxLayout(panel);
    haut->setContentsMargins(4, 2, 4, 2);
    auto* label = new QLabel("Sélectionnez une couleur :");
    label->setObjectName("Label1");
    m_pastille = new Pastille(m_couleur);
    connect(m_pastille, &Pastille::CouleurChoisie, this, [this](t3::Couleur couleur) {
        m_couleur = couleur;
        m_modele->SetCouleur(couleur);
    });
    haut->addWidget(label);
    haut->addWidget(m_pastille);
    haut->addStretch();

    m_liste = new ListeGlissable;
    m_liste->setObjectName("ListeFormes");
    m_liste->setModel(m_modele);
    m_modele->SetSource(m_liste);
    m_liste->horizontalHeader()->setSectionsClickable(true);
    m_liste->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The columns as wide as their longest header, so that no header is cut.
    // Measured in bold: the header of a column with a selected row is drawn in bold.
    QFont gras = m_liste->horizontalHeader()->font();
    gras.setBold(true);
    const QFontMetrics mesure(gras);
    const int marge = 3 * mesure.averageCharWidth();
    const int formes = std::max(mesure.horizontalAdvance("Formes (ordre lexicométrique)"),
                                mesure.horizontalAdvance("Formes (ordre lexicographique)"));
    m_liste->setColumnWidth(0, std::max(175, formes + marge));
    m_liste->setColumnWidth(1, std::max(65, mesure.horizontalAdvance("Fréquence") + marge));
    connect(m_liste->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TFenDicNum::ListeFormesColumnClick);
    InstalleExportTableau(m_liste, "dictionnaire");

    m_statut = new QStatusBar;
    m_statut->setObjectName("StatusBar1");
    m_statut->setSizeGripEnabled(false);

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    disposition->addWidget(panel);
    disposition->addWidget(m_liste, 1);
    disposition->addWidget(m_statut);
    FormCreate();
}

void TFenDicNum::FormCreate() {
    // Wide enough for both columns whole: the left panel widens to it when the page docks.
    const int colonnes = m_liste->columnWidth(0) + m_liste->columnWidth(1) +
                         m_liste->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                         2 * m_liste->frameWidth() + 2;
    setMinimumWidth(std::max(254, colonnes));
    resize(minimumWidth(), 378);
    m_statut->showMessage(QString::number(m_modele->rowCount()) + " formes");
}

void TFenDicNum::ListeFormesColumnClick(int colonne) {
    QItemSelectionModel* selection = m_liste->selectionModel();
    const QModelIndexList choisies = selection->selectedRows();
    int32_t retenue = -1;
    if (!choisies.isEmpty()) {
        int premiere = choisies.front().row();
        for (const QModelIndex& index : choisies)
            premiere = std::min(premiere, index.row());
        retenue = m_modele->Entree(premiere);
    }
    if (colonne == 0) {
        selection->clear();
        m_modele->InverseOrdre();
    }
    if (retenue < 0) return;
    const int ligne = m_modele->Ligne(retenue);
    if (ligne < 0) return;
    const QModelIndex index = m_modele->index(ligne, 0);
    m_liste->scrollTo(index, QAbstractItemView::EnsureVisible);
    selection->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
}

} // namespace t3ui
