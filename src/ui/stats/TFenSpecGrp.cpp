#include "ui/stats/TFenSpecGrp.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/rapport/Manifeste.h"
#include "engine/rapport/PagesPartition.h"
#include "ui/explore/ListeGlissable.h"
#include "ui/explore/Pastille.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/shell/BaseOuverte.h"
#include "ui/shell/ExportTableau.h"
#include "ui/shell/NumerotationRapport.h"
#include "ui/shell/PageRapport.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TexteQt.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace t3ui {

namespace {

constexpr t3::Couleur Bleu = t3::CouleurRGB(0, 0, 255);
constexpr t3::Couleur Noir = t3::CouleurRGB(0, 0, 0);

} // namespace

t3::Couleur CouleurPartiesChoisies(const t3::Partition& partition) {
    bool trouvee = false;
    t3::Couleur commune = Bleu;
    for (int32_t i = 0; i < partition.NbParties(); ++i) {
        if (!partition.Selection(i)) continue;
        if (trouvee && partition.CouleurPartie(i) != commune) return Bleu;
        commune = partition.CouleurPartie(i);
        trouvee = true;
    }
    return commune;
}

ModeleSpecGrp::ModeleSpecGrp(const t3::charg1* base, const std::vector<t3::EnregSpec>& resultats,
                             QObject* parent)
    : ModeleGlissable(base, t3::CouleurRGB(0, 0, 255), parent), m_resultats(resultats) {}

int ModeleSpecGrp::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_resultats.size());
}

int ModeleSpecGrp::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

const t3::EnregSpec& ModeleSpecGrp::Enregistrement(int ligne) const {
    const size_t i = static_cast<size_t>(ligne);
    return m_resultats[m_positivesDabord ? i : m_resultats.size() - 1 - i];
}

QVariant ModeleSpecGrp::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const t3::EnregSpec& r = Enregistrement(index.row());
    if (role == Qt::TextAlignmentRole)
        return index.column() == 0 ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::UserRole) return r.entree;
    if (index.column() == 0) return GraphieAffichee(m_base->RetourneGraphie(r.entree, false), role);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
    case 1:
        return r.frqRef;
    case 2:
        return r.frqGroupe;
    default:
        return r.coef;
    }
}

QVariant ModeleSpecGrp::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole)
        return section == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                            : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    static const char* const titres[] = {"Terme", "Frq Tot.", "Frq Partie", "Spécif"};
    return section >= 0 && section < 4 ? QString(titres[section]) : QVariant();
}

// Switching the order only repaints: the rows keep their count.
void ModeleSpecGrp::SetPositivesDabord(bool oui) {
    if (oui == m_positivesDabord) return;
    m_positivesDabord = oui;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

// The term's column 100 pixels wide, the figures' as wide as their headers; the window as wide as all
// four, so that the left panel widens to show them whole.
void TFenSpecGrp::AjusteColonnes() {
    m_liste->setModel(m_modele);
    m_liste->setColumnWidth(0, 100);
    QFont gras = m_liste->horizontalHeader()->font();
    gras.setBold(true);
    const QFontMetrics mesure(gras);
    int largeur = 100;
    for (int c = 1; c < 4; ++c) {
        const QString titre = m_modele->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        m_liste->setColumnWidth(c, mesure.horizontalAdvance(titre) + 3 * mesure.averageCharWidth());
        largeur += m_liste->columnWidth(c);
    }
    setMinimumWidth(std::max(286, largeur + m_liste->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                                      2 * m_liste->frameWidth() + 8));
}

TFenSpecGrp::TFenSpecGrp(ServicesAtelier& services, std::unique_ptr<t3::PrimSpec> calcul)
    : TFenSpecGrp(services, calcul->GetPartition()->Base(), {},
                  "Spécifs - Part : " + VersQt(calcul->GetPartition()->Base()->RetourneGraphie(
                                            calcul->GetPartition()->CleType(), false)),
                  CouleurPartiesChoisies(*calcul->GetPartition())) {
    m_calcul = std::move(calcul);
    m_partition = m_calcul->GetPartition();
    m_modele = new ModeleSpecGrp(m_base, m_calcul->Resultats(), this);
    m_modele->SetSource(m_liste);
    m_modele->SetCouleur(m_pastille->GetCouleur());
    AjusteColonnes();
}

TFenSpecGrp::TFenSpecGrp(ServicesAtelier& services, const t3::charg1* base,
                         std::vector<t3::EnregSpec> resultats)
    : TFenSpecGrp(services, base, std::move(resultats), "Spécifs - Sections", Noir) {
    m_modele = new ModeleSpecGrp(m_base, m_resultats, this);
    m_modele->SetSource(m_liste);
    m_modele->SetCouleur(m_pastille->GetCouleur());
    AjusteColonnes();
}

TFenSpecGrp::TFenSpecGrp(ServicesAtelier& services, const t3::charg1* base,
                         std::vector<t3::EnregSpec> resultats, const QString& titre, t3::Couleur couleur)
    : m_services(services), m_base(base), m_partition(nullptr), m_resultats(std::move(resultats)),
      m_modele(nullptr) {
    setObjectName("FenSpecGrp");
    setWindowTitle(titre);
    setAttribute(Qt::WA_DeleteOnClose);

    m_corpRef = new QLabel;
    m_corpRef->setObjectName("LbCorpRef");
    m_parties = new QLabel;
    m_parties->setObjectName("LbParties");
    auto* positives = new QRadioButton("positives");
    positives->setObjectName("RadioButton1");
    positives->setToolTip("Afficher les spécificités positives en premier");
    positives->setChecked(true);
    m_negatives = new QRadioButton("négatives");
    m_negatives->setObjectName("RadioButton2");
    m_negatives->setToolTip("Afficher les spécificités négatives en premier");
    connect(positives, &QRadioButton::toggled, this, [this](bool oui) {
        if (m_modele) m_modele->SetPositivesDabord(oui);
    });
    auto* rapport = new QToolButton;
    rapport->setObjectName("BtnSpfAddRap");
    rapport->setText("Rapport");
    rapport->setToolTip("Ajouter au rapport");
    connect(rapport, &QToolButton::clicked, this, &TFenSpecGrp::AjouteAuRapport);
    m_pastille = new Pastille(couleur);
    connect(m_pastille, &Pastille::CouleurChoisie, this, [this](t3::Couleur c) {
        if (m_modele) m_modele->SetCouleur(c);
    });

    auto* ligneTri = new QHBoxLayout;
    ligneTri->addWidget(new QLabel("Spécificités"));
    ligneTri->addWidget(positives);
    ligneTri->addWidget(m_negatives);
    ligneTri->addStretch();
    auto* ligneOutils = new QHBoxLayout;
    ligneOutils->addWidget(m_pastille);
    ligneOutils->addStretch();
    ligneOutils->addWidget(rapport);

    m_liste = new ListeGlissable;
    m_liste->setObjectName("ListeSpecifs");
    InstalleExportTableau(m_liste, "specificites");

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(2, 2, 2, 2);
    disposition->addWidget(m_corpRef);
    disposition->addWidget(m_parties);
    disposition->addLayout(ligneTri);
    disposition->addLayout(ligneOutils);
    disposition->addWidget(m_liste, 1);
    resize(286, 400);
}

void TFenSpecGrp::SetTextes(const QString& enteteReference, const QString& listeReference,
                            const QString& enteteParties, const QString& listeParties) {
    m_corpRef->setText(enteteReference + listeReference);
    m_parties->setText(enteteParties + listeParties);
    const QString aide = enteteReference + "\n" + listeReference + "\n" + enteteParties + "\n" + listeParties;
    m_corpRef->setToolTip(aide);
    m_parties->setToolTip(aide);
}

void TFenSpecGrp::Montre() {
    MarqueBase(this, m_base);
    m_services.DockeDansListesGauche(this, windowTitle());
    show();
}

// The records in the list's own order (strongest excess first), whatever the radio buttons show.
void TFenSpecGrp::AjouteAuRapport() {
    const int numero = NumerotationRapport::Prochain(SorteEntree::PageSpecifs);
    const QString fichier = QString::fromStdString(t3::NomPageSpecifs(numero));
    t3::EnteteSpecifs entete{.titre = VersCp1252(windowTitle()),
                             .nomBase = VersCp1252(CheminQt(m_base->NomBase())),
                             .dateHeure = VersCp1252(DateRapport()),
                             .partition = m_partition,
                             .texteParties = VersCp1252(m_parties->text())};
    const QString titre = windowTitle() + " " + m_parties->text() + "(" + QString::number(numero + 1) + ")";
    const QString parametres = m_partition ? QString::fromStdString(t3::ParametresPartition(*m_partition)) +
                                                 " ; " + m_parties->text()
                                           : m_parties->text();
    if (!AjoutePageAuRapport(
            m_services, this, fichier, titre,
            [&](std::ostream& sortie) { t3::EcritPageSpecifs(sortie, *m_base, Resultats(), entete); },
            parametres))
        return;
    NumerotationRapport::Pris(SorteEntree::PageSpecifs);
}

} // namespace t3ui
