#include "ui/explore/TfrmSR.h"

#include "engine/corpus/charg1.h"
#include "engine/explore/CalculSegments.h"
#include "ui/explore/ListeGlissable.h"
#include "ui/explore/Pastille.h"
#include "ui/explore/TFenPrepSR.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/shell/Atelier.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/ExportTableau.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/PageRapport.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TFenPrinc.h"
#include "ui/shell/TacheDeFond.h"
#include "ui/shell/TexteQt.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace t3ui {

namespace {

constexpr t3::Couleur Blanc = t3::CouleurRGB(255, 255, 255);

// The dialog centred on the main window; false on cancel.
bool Parametre(TFenPrepSR& dialogue, QWidget* cadre) {
    dialogue.adjustSize();
    dialogue.move(cadre->geometry().center() - QPoint(dialogue.width() / 2, dialogue.height() / 2));
    return Dialogues::Execute(&dialogue) == QDialog::Accepted;
}

// "Segments Répétés": the parameters, the computation, then the segments attached to the base and
// shown. The main window keeps the attached segments alive, so the command needs it as the dialogs'
// owner. The segments windows of earlier computations of the base close.
QWidget* CreeSegments(ServicesAtelier& services, t3::charg1* base) {
    auto* principale = qobject_cast<TFenPrinc*>(services.Cadre());
    if (!principale) {
        Dialogues::Information(services.Cadre(), "Casting raté!");
        return nullptr;
    }
    TFenPrepSR dialogue(principale, *base);
    if (!Parametre(dialogue, principale)) return nullptr;
    // Computed off the interface thread; cancelled, the segments attached before stay, their windows too.
    using Calcul = t3::Resultat<std::shared_ptr<const t3::CalculSegments>>;
    std::optional<Calcul> calcul = ExecuteEnFond<Calcul>(
        "Calcul des segments répétés", 1, [&](const t3::Arret& arret, const t3::Progression& progression) {
            return t3::CalculeSegments(*base, dialogue.Delimiteurs(), dialogue.SeuilFormes(),
                                       dialogue.SeuilSegments(), progression, &arret);
        });
    if (!calcul) return nullptr;
    if (!*calcul) {
        Dialogues::MessageMoteur(principale, calcul->Message());
        return nullptr;
    }
    const std::shared_ptr<const t3::CalculSegments>& segments = calcul->Valeur();
    if (segments->NbSegments() == 0) {
        Dialogues::Information(principale, "Aucun segment trouvé!");
        return nullptr;
    }
    for (TfrmSR* ancienne : principale->findChildren<TfrmSR*>())
        if (&ancienne->Calcul().Base() == base) ancienne->close();
    principale->Bases().AttacheSegments(*base, segments);
    auto* fenetre = new TfrmSR(services, segments);
    fenetre->Montre();
    return fenetre;
}

} // namespace

T3_GENRE_FENETRE(GenreFenetre{.rang = 40,
                              .nom = "BtnSR",
                              .glyphe = "SR",
                              .teinte = 30,
                              .aide = "Segments Répétés",
                              .lieu = Lieu::Aucun,
                              .cree = CreeSegments});

ModeleSR::ModeleSR(std::shared_ptr<const t3::CalculSegments> calcul, QObject* parent)
    : ModeleGlissable(&calcul->Base(), 0, parent), m_calcul(std::move(calcul)),
      m_lignes(t3::LignesSegments(m_calcul->NbSegments())) {
    SetSegments(m_calcul->Identifiant());
}

int ModeleSR::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_lignes.size());
}

int ModeleSR::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

int32_t ModeleSR::EntreeDeLigne(int ligne) const {
    return m_calcul->Base().Nbart() + 1 + SegmentDeLigne(ligne);
}

QVariant ModeleSR::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() == 1 ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::UserRole) return EntreeDeLigne(index.row());
    if (index.column() == 1 && role == Qt::ToolTipRole)
        return GraphieAffichee(m_calcul->RetourneGraphie(SegmentDeLigne(index.row())), role);
    if (role != Qt::DisplayRole) return {};
    const int32_t s = SegmentDeLigne(index.row());
    const t3::Segment& segment = m_calcul->Segments()[static_cast<size_t>(s)];
    switch (index.column()) {
    case 0:
        return static_cast<int>(segment.formes.size());
    case 1:
        return VersQtVisible(m_calcul->RetourneGraphie(s));
    default:
        return segment.frequence;
    }
}

QVariant ModeleSR::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const titres[] = {"Lg", "Segment", "Frq"};
    return section >= 0 && section < 3 ? QString(titres[section]) : QVariant();
}

// The selection follows its segments to their new rows.
void ModeleSR::Trie(t3::TriSR tri) {
    emit layoutAboutToBeChanged();
    const std::vector<int32_t> avant = m_lignes;
    t3::TrieSegments(m_lignes, m_calcul->Segments(), m_calcul->Base(), tri);
    std::vector<int> ligneDe(m_lignes.size()); // the row of each segment after the sort
    for (size_t r = 0; r < m_lignes.size(); ++r)
        ligneDe[static_cast<size_t>(m_lignes[r])] = static_cast<int>(r);
    const QModelIndexList anciens = persistentIndexList();
    QModelIndexList nouveaux;
    for (const QModelIndex& i : anciens)
        nouveaux << index(ligneDe[static_cast<size_t>(avant[static_cast<size_t>(i.row())])], i.column());
    changePersistentIndexList(anciens, nouveaux);
    emit layoutChanged();
}

TfrmSR::TfrmSR(ServicesAtelier& services, std::shared_ptr<const t3::CalculSegments> calcul)
    : m_services(services), m_calcul(std::move(calcul)) {
    setObjectName("frmSR");
    setWindowTitle(VersQt(t3::TitreSR));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* rapport = new QToolButton;
    rapport->setObjectName("SpdBtnRap");
    rapport->setText("Rapport");
    rapport->setToolTip("Ajouter au rapport");
    connect(rapport, &QToolButton::clicked, this, &TfrmSR::AjouteAuRapport);
    m_pastille = new Pastille(Blanc);
    m_pastille->setObjectName("ShPastille");
    m_pastille->setToolTip("Couleur d'affichage des éléments de la liste\naprès projection.");
    auto* panneau = new QHBoxLayout;
    panneau->addWidget(rapport);
    panneau->addWidget(new QLabel("Sélectionnez une couleur :"));
    panneau->addWidget(m_pastille);
    panneau->addStretch();

    m_modele = new ModeleSR(m_calcul, this);
    m_liste = new ListeGlissable;
    m_modele->SetSource(m_liste);
    m_modele->SetCouleur(m_pastille->GetCouleur());
    connect(m_pastille, &Pastille::CouleurChoisie, this, [this](t3::Couleur c) { m_modele->SetCouleur(c); });
    m_liste->setObjectName("ListSR");
    m_liste->setModel(m_modele);
    m_liste->setColumnWidth(0, 30);
    m_liste->setColumnWidth(1, 175);
    m_liste->setColumnWidth(2, 30);
    m_liste->horizontalHeader()->setSectionsClickable(true);
    connect(m_liste->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int colonne) { m_modele->Trie(static_cast<t3::TriSR>(colonne)); });
    InstalleExportTableau(m_liste, "segments");

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(2, 2, 2, 2);
    disposition->addLayout(panneau);
    disposition->addWidget(m_liste, 1);
    resize(270, 612);
}

void TfrmSR::Montre() {
    m_services.DockeDansListesGauche(this, windowTitle());
    show();
}

void TfrmSR::AjouteAuRapport() {
    const t3::charg1& base = m_calcul->Base();
    const t3::EnteteSR entete{.titre = VersCp1252(windowTitle()),
                              .nomBase = VersCp1252(CheminQt(base.NomBase())),
                              .dateHeure = VersCp1252(DateRapport())};
    std::string signes;
    for (const int32_t signe : m_calcul->Delimiteurs())
        signes += base.Graphie(signe);
    AjoutePageAuRapport(
        m_services, this, QString::fromLatin1(t3::NomPageSR.data(), t3::NomPageSR.size()), windowTitle(),
        [&](std::ostream& sortie) { t3::EcritPageSR(sortie, m_calcul->Segments(), base, entete); },
        QString("seuil des segments : %1 ; signes qui les coupent : %2")
            .arg(m_calcul->SeuilSegments())
            .arg(VersQt(signes)));
}

} // namespace t3ui
