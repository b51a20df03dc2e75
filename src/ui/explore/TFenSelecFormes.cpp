#include "ui/explore/TFenSelecFormes.h"

#include "engine/corpus/charg1.h"
#include "engine/explore/CalculSegments.h"
#include "engine/explore/ListeFormes.h"
#include "ui/explore/CibleGroupes.h"
#include "ui/explore/ListeGlissable.h"
#include "ui/explore/Pastille.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/ExportTableau.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/Sablier.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TacheDeFond.h"
#include "ui/shell/TexteQt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

namespace t3ui {

namespace {

constexpr t3::Couleur Blanc = t3::CouleurRGB(255, 255, 255);
constexpr t3::Couleur Noir = t3::CouleurRGB(0, 0, 0);
constexpr int LargeurMax = 290;
const QString FiltreListes = "Listes (*.lst)";

// The window opens at the top-left corner of the sheet, at most 290 pixels wide; maximised or widened,
// its list takes the width.
QWidget* CreeSelection(ServicesAtelier& services, t3::charg1* base) {
    auto* fenetre = new TFenSelecFormes(services, base);
    if (QMdiSubWindow* sous = services.AjouteFenetre(fenetre)) {
        sous->resize(std::min(sous->width(), LargeurMax), sous->height());
        sous->move(0, 0);
    }
    return fenetre;
}

// A saved list gets the ".lst" ending unless the user gave one.
QString AvecExtension(const QString& chemin) {
    return QFileInfo(chemin).suffix().isEmpty() ? chemin + ".lst" : chemin;
}

QPushButton* Bouton(const char* nom, const QString& texte, const QString& aide) {
    auto* bouton = new QPushButton(texte);
    bouton->setObjectName(nom);
    bouton->setToolTip(aide);
    return bouton;
}

} // namespace

T3_GENRE_FENETRE(GenreFenetre{.rang = 80,
                              .nom = "BtnSelFormes",
                              .glyphe = "{ }",
                              .teinte = 30,
                              .aide = "Groupe de formes",
                              .lieu = Lieu::Aucun,
                              .cree = CreeSelection});

ModeleSelection::ModeleSelection(const t3::charg1* base, const t3::ListeEntrees& liste,
                                 std::function<std::string()> nom, QObject* parent)
    : ModeleGlissable(base, Noir, parent), m_liste(liste), m_nom(std::move(nom)) {}

int ModeleSelection::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_liste.Nombre();
}

int ModeleSelection::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

int32_t ModeleSelection::EntreeGlissee(int ligne) const {
    return m_liste.Entrees()[static_cast<size_t>(ligne)];
}

QVariant ModeleSelection::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const int32_t entree = EntreeGlissee(index.row());
    if (role == Qt::UserRole) return entree;
    if (role == Qt::TextAlignmentRole)
        return index.column() == 1 ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    if (role != Qt::DisplayRole && (role != Qt::ToolTipRole || index.column() != 0)) return {};
    if (entree < m_base->Nbart()) {
        if (index.column() == 0) return GraphieAffichee(m_base->RetourneGraphie(entree, false), role);
        return m_base->RetourneLexm(entree).frq;
    }
    // A segment entry, read in the computation it follows.
    const int32_t segment = entree - m_base->Nbart() - 1;
    if (!m_calcul || segment >= m_calcul->NbSegments()) return {};
    if (index.column() == 0) return GraphieAffichee(m_calcul->RetourneGraphie(segment), role);
    return m_calcul->Segments()[static_cast<size_t>(segment)].frequence;
}

QVariant ModeleSelection::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole && section == 1) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    return section == 0 ? QString("Forme") : section == 1 ? QString("Fréquence") : QVariant();
}

QMimeData* ModeleSelection::mimeData(const QModelIndexList& indexes) const {
    auto* objet = static_cast<TTgenDragObject*>(ModeleGlissable::mimeData(indexes));
    if (objet) objet->SetNom(m_nom());
    return objet;
}

void ModeleSelection::SetCalcul(std::shared_ptr<const t3::CalculSegments> calcul) {
    m_calcul = std::move(calcul);
    SetSegments(m_calcul ? m_calcul->Identifiant() : 0);
}

void ModeleSelection::Recharge() {
    beginResetModel();
    endResetModel();
}

void BoutonGlisser::mousePressEvent(QMouseEvent* evenement) {
    m_depart.Appui(evenement);
    QToolButton::mousePressEvent(evenement);
}

void BoutonGlisser::mouseMoveEvent(QMouseEvent* evenement) {
    if (!m_depart.Atteint(evenement)) return;
    setDown(false);
    if (TTgenDragObject* objet = m_objet())
        GlisseGroupe(this, objet, ListeGlissable::ImageGlisser({VersQt(objet->Nom())}, font()));
}

TFenSelecFormes::TFenSelecFormes(ServicesAtelier& services, const t3::charg1* base)
    : m_services(services), m_base(base), m_calcul(t3::SegmentsAttaches(*base)) {
    setObjectName("FenSelecFormes");
    setWindowTitle("Groupes de formes");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(2, 2, 2, 2);
    disposition->addWidget(CreePanneau());
    CreeListe();
    disposition->addWidget(m_vue, 1);
    resize(LargeurMax, 520);
}

QWidget* TFenSelecFormes::CreePanneau() {
    auto* groupe = new QGroupBox;
    auto* grille = new QGridLayout(groupe);
    grille->setContentsMargins(4, 4, 4, 4);
    m_motif = new QLineEdit;
    m_motif->setObjectName("EdMotif");
    auto* etiquette = new QLabel("Le motif :");
    etiquette->setObjectName("LbFormRech");
    etiquette->setBuddy(m_motif);
    connect(m_motif, &QLineEdit::returnPressed, this, &TFenSelecFormes::BtnRechClick);
    m_type = new QComboBox;
    m_type->setObjectName("LstTypeReq");
    for (std::string_view libelle : t3::LibellesTypesRequete)
        m_type->addItem(QString::fromUtf8(libelle.data(), static_cast<qsizetype>(libelle.size())));
    QPushButton* rech =
        Bouton("BtnRech", "&Rechercher", "Rechercher le motif avec\nles options sélectionnées.");
    connect(rech, &QPushButton::clicked, this, &TFenSelecFormes::BtnRechClick);
    m_ajout = new QCheckBox("Ajouter");
    m_ajout->setObjectName("ChkAjout");
    m_ajout->setChecked(true);
    m_nom = new QLineEdit;
    m_nom->setObjectName("EdNomGrp");
    auto* etiquetteNom = new QLabel("Nom du groupe :");
    etiquetteNom->setObjectName("Label1");
    etiquetteNom->setBuddy(m_nom);

    QPushButton* suppr =
        Bouton("BtnSuppr", "&Supprimer",
               "Supprime le ou les éléments sélectionnés\nShift+Click : supprime tous les éléments.");
    connect(suppr, &QPushButton::clicked, this,
            [this] { BtnSupprClick(QApplication::keyboardModifiers() & Qt::ShiftModifier); });
    m_pastille = new Pastille(Blanc);
    m_pastille->setToolTip("Cliquez ici pour choisir\nla couleur du Tgen.");
    QPushButton* enr =
        Bouton("BtnEnr", "&Enregistrer", "Permet de sauvegarder sur disque une liste\npour usage ultérieur");
    connect(enr, &QPushButton::clicked, this, &TFenSelecFormes::BtnEnrClick);
    QPushButton* charge = Bouton("BtnLoad", "&Charger", "Permet de charger une liste déjà créée");
    connect(charge, &QPushButton::clicked, this, &TFenSelecFormes::BtnLoadClick);
    auto* glisser = new BoutonGlisser([this] { return GroupeEntier(); });
    glisser->setObjectName("DragBtn");
    glisser->setText("{ }");
    glisser->setToolTip("Ce bouton vous permet de\nglisser/déposer tout le groupe.");

    grille->addWidget(etiquette, 0, 0);
    grille->addWidget(m_motif, 0, 1, 1, 3);
    grille->addWidget(m_type, 1, 0, 1, 4);
    grille->addWidget(rech, 2, 0, 1, 2);
    grille->addWidget(m_ajout, 2, 2, 1, 2);
    grille->addWidget(etiquetteNom, 3, 0);
    grille->addWidget(m_nom, 3, 1, 1, 3);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(suppr);
    boutons->addWidget(enr);
    boutons->addWidget(charge);
    grille->addLayout(boutons, 4, 0, 1, 4);
    auto* groupeEntier = new QHBoxLayout;
    groupeEntier->addWidget(new QLabel("Couleur :"));
    groupeEntier->addWidget(m_pastille);
    groupeEntier->addStretch();
    groupeEntier->addWidget(new QLabel("Tout le groupe :"));
    groupeEntier->addWidget(glisser);
    grille->addLayout(groupeEntier, 5, 0, 1, 4);
    return groupe;
}

void TFenSelecFormes::CreeListe() {
    m_modele = new ModeleSelection(
        m_base, m_liste, [this] { return NomGroupe(); }, this);
    m_modele->SetCalcul(m_calcul);
    m_vue = new ListeGlissable;
    m_modele->SetSource(m_vue);
    m_vue->setObjectName("ListResu");
    m_vue->setModel(m_modele);
    // The frequency column is at least as wide as its title, taken from the forms' column, so that both
    // fit in the narrow window.
    const int frequence =
        std::max(65, m_vue->horizontalHeader()->fontMetrics().horizontalAdvance("Fréquence") +
                         4 * m_vue->fontMetrics().averageCharWidth());
    m_vue->setColumnWidth(0, 175 + 65 - frequence);
    m_vue->setColumnWidth(1, frequence);
    m_vue->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_vue->installEventFilter(this);
    InstalleExportTableau(m_vue, "selection");
    // Its own rows dropped back on it would only blacken the pastille.
    CibleGroupes::Installe(
        m_vue, [this](const TTgenDragObject& objet) { return ListResuDragDrop(objet); }, m_vue);
}

std::string TFenSelecFormes::NomGroupe() const {
    return VersCp1252(m_nom->text().trimmed());
}

void TFenSelecFormes::Synchronise() {
    std::shared_ptr<const t3::CalculSegments> attache = t3::SegmentsAttaches(*m_base);
    if (attache == m_calcul) return;
    const int32_t perdues = t3::ReporteSegments(m_liste, m_base->Nbart(), m_calcul.get(), attache.get());
    m_calcul = std::move(attache);
    m_modele->SetCalcul(m_calcul);
    m_modele->Recharge();
    if (perdues > 0)
        m_services.SetStatusText(
            QString("%1 segment(s) absent(s) du nouveau calcul retiré(s) du groupe").arg(perdues));
}

void TFenSelecFormes::Ajoute(std::span<const int32_t> entrees) {
    m_liste.Ajoute(entrees);
    m_modele->Recharge();
}

void TFenSelecFormes::BtnRechClick() {
    Synchronise();
    const QString motif = m_motif->text();
    // The request is tested on every form and segment off the interface thread; cancelled, or refused
    // for an invalid pattern, it leaves the list as it was, even without "Ajouter".
    const int type = m_type->currentIndex();
    const auto trouvees = ExecuteEnFond<t3::Resultat<std::vector<int32_t>>>(
        "Recherche de " + motif, 1,
        [this, type, &motif](const t3::Arret&, const t3::Progression&) {
            return t3::SelectionneFormes(*m_base, type, motif.toStdString());
        },
        this);
    if (!trouvees) return;
    m_nom->setText(
        QString::fromStdString(t3::NomGroupeSelection(m_nom->text().toStdString(), motif.toStdString())));
    if (!*trouvees) {
        Dialogues::MessageMoteur(this, trouvees->Message());
        return;
    }
    if (!m_ajout->isChecked()) m_liste.Vide();
    Ajoute(**trouvees);
}

void TFenSelecFormes::BtnSupprClick(bool tout) {
    Synchronise();
    if (tout) {
        m_liste.Vide();
    } else {
        const QModelIndexList lignes = m_vue->selectionModel()->selectedRows();
        if (lignes.isEmpty()) return;
        std::vector<bool> marquees(static_cast<size_t>(m_liste.Nombre()), false);
        for (const QModelIndex& ligne : lignes)
            marquees[static_cast<size_t>(ligne.row())] = true;
        m_liste.Retire(marquees);
    }
    m_modele->Recharge();
}

void TFenSelecFormes::BtnEnrClick() {
    Synchronise();
    const QString choisi = Dialogues::FichierAEnregistrer(this, "Enregistrement d'une liste", FiltreListes);
    if (choisi.isEmpty()) return;
    const auto ecrite = t3::EcritListe(CheminLocal(AvecExtension(choisi)), *m_base, m_liste.Entrees());
    if (!ecrite) Dialogues::MessageMoteur(this, ecrite.Message());
}

void TFenSelecFormes::BtnLoadClick() {
    const QString choisi = Dialogues::FichierAOuvrir(this, "Ouverture d'une liste", FiltreListes);
    if (choisi.isEmpty()) return;
    Sablier sablier;
    Synchronise();
    const auto lues = t3::LitListe(CheminLocal(choisi), *m_base);
    if (!lues) {
        Dialogues::MessageMoteur(this, lues.Message());
        return;
    }
    Ajoute(*lues);
}

bool TFenSelecFormes::ListResuDragDrop(const TTgenDragObject& objet) {
    Sablier sablier;
    Synchronise();
    const std::optional<std::vector<int32_t>> entrees = EntreesRecues(m_base, objet, this);
    if (!entrees) return false;
    Ajoute(*entrees);
    m_pastille->SetCouleur(objet.GetCouleur());
    return true;
}

TTgenDragObject* TFenSelecFormes::GroupeEntier() {
    Synchronise();
    if (m_liste.Nombre() == 0) return nullptr;
    auto* objet = new TTgenDragObject(sender() ? sender() : this, NomGroupe(), m_pastille->GetCouleur(),
                                      m_liste.Nombre());
    objet->SetBase(m_base);
    objet->SetSegments(m_calcul ? m_calcul->Identifiant() : 0);
    for (int32_t entree : m_liste.Entrees())
        objet->Ajoute(entree);
    return objet;
}

// The Delete key removes the selected rows.
bool TFenSelecFormes::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == m_vue && evenement->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(evenement)->key() == Qt::Key_Delete) {
        BtnSupprClick(false);
        return true;
    }
    return QWidget::eventFilter(objet, evenement);
}

// Coming back to the window after new segments were computed shows the list carried over at once.
void TFenSelecFormes::changeEvent(QEvent* evenement) {
    if (evenement->type() == QEvent::ActivationChange && isActiveWindow()) Synchronise();
    QWidget::changeEvent(evenement);
}

} // namespace t3ui
