#include "ui/explore/TFenConcor.h"

#include "engine/corpus/Corpus.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/Concordance.h"
#include "engine/explore/Motif.h"
#include "engine/stats/Tgen.h"
#include "ui/explore/CibleGroupes.h"
#include "ui/explore/VueConcordance.h"
#include "ui/shell/Couleurs.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/ExportTableau.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/PageRapport.h"
#include "ui/shell/RapportCourant.h"
#include "ui/shell/Sablier.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TacheDeFond.h"
#include "ui/shell/TexteQt.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScopeGuard>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace t3ui {

namespace {

const QString Titre = "Concordances";

// A drop-down list that refills itself each time it opens.
class ComboARemplir : public QComboBox {
  public:
    explicit ComboARemplir(std::function<void()> remplit) : m_remplit(std::move(remplit)) {}
    void showPopup() override {
        m_remplit();
        QComboBox::showPopup();
    }

  private:
    std::function<void()> m_remplit;
};

// The window opens as wide and high as the area of the sheet, at its top-left corner.
QWidget* CreeConcordance(ServicesAtelier& services, t3::charg1* base) {
    auto* fenetre = new TFenConcor(services, base);
    QMdiSubWindow* sous = services.AjouteFenetre(fenetre);
    if (QMdiArea* zone = sous ? sous->mdiArea() : nullptr)
        sous->setGeometry(QRect(QPoint(0, 0), zone->viewport()->size()));
    return fenetre;
}

QToolButton* Bouton(const char* nom, const QString& aide) {
    auto* bouton = new QToolButton;
    bouton->setObjectName(nom);
    bouton->setToolTip(aide);
    bouton->setAutoRaise(true);
    return bouton;
}

QLabel* Etiquette(const char* nom, const QString& texte, QWidget* pour) {
    auto* etiquette = new QLabel(texte);
    etiquette->setObjectName(nom);
    etiquette->setBuddy(pour);
    return etiquette;
}

// The engine's message as a sentence of its own.
} // namespace

T3_GENRE_FENETRE(GenreFenetre{.rang = 30,
                              .nom = "BtnDocu",
                              .glyphe = "KWIC",
                              .teinte = 30,
                              .aide = "Concordances",
                              .menu = "&Traitement",
                              .article = "&Concordance",
                              .placeMenu = 3,
                              .lieu = Lieu::Aucun,
                              .cree = CreeConcordance});

int32_t SensDuTri(int index) {
    static constexpr int32_t sens[] = {t3::TriAucun, t3::TriAvant, t3::TriApres};
    return index >= 0 && index < 3 ? sens[index] : t3::TriAucun;
}

TFenConcor::TFenConcor(ServicesAtelier& services, t3::charg1* base) : m_services(services), m_base(base) {
    setObjectName("FenConcor");
    setWindowTitle(Titre);
    setAttribute(Qt::WA_DeleteOnClose);
    m_vue = new VueConcordance;
    connect(m_vue, &VueConcordance::OccurrenceChoisie, this,
            [this](int32_t position) { m_services.MontreOccurrence(m_base, position); });
    CibleGroupes::Installe(m_vue, [this](const TTgenDragObject& objet) { return ConcorEditDragDrop(objet); });
    InstalleExportLignes();
    m_statut = new QStatusBar;
    m_statut->setObjectName("StatusBar");
    m_statut->setSizeGripEnabled(false);

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    disposition->addWidget(CreePanneau());
    disposition->addWidget(m_vue, 1);
    disposition->addWidget(m_statut);
    resize(900, 500);

    // As at creation: sort "Aucun", no history, no grouping.
    ComboGrpChargePart();
    m_comboGrp->setCurrentIndex(0);
    MetAJourBoutons();
}

TFenConcor::~TFenConcor() = default;

// The lines leave as a table: the position, the part when grouped, the left context, the pivot and the
// right context, the parts' headings left out. Ctrl+C keeps copying the characters selected; the rows go
// to the clipboard through "Copier les lignes".
void TFenConcor::InstalleExportLignes() {
    InstalleExport(m_vue, "concordance", [this] {
        LignesAExporter lignes;
        lignes.textesUtf8 = false;
        const t3::Concordance* concordance = Modele()->GetConcordance();
        if (!concordance) {
            lignes.ecrit = [](t3::EcrivainTable&) {};
            return lignes;
        }
        lignes.nbLignes = 1 + concordance->NbLignes();
        lignes.ecrit = [concordance](t3::EcrivainTable& table) {
            t3::EcritLignesConcordance(table, *concordance);
        };
        return lignes;
    });
    auto* copier = new QAction("Copier les lignes", m_vue);
    copier->setObjectName("ActCopierLignes");
    connect(copier, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setMimeData(DonneesTableau(LignesChoisies())); });
    m_vue->addAction(copier);
}

QList<QStringList> TFenConcor::LignesChoisies() const {
    const t3::Concordance* concordance = Modele()->GetConcordance();
    if (!concordance) return {};
    const bool parties = concordance->GetPartition() != nullptr;
    QList<QStringList> lignes{{"Position"}};
    if (parties) lignes[0] << "Partie";
    lignes[0] << "Contexte gauche"
              << "Pôle"
              << "Contexte droit";
    QModelIndexList choisies = m_vue->selectionModel()->selectedRows();
    std::sort(choisies.begin(), choisies.end());
    t3::LigneConcordance ligne;
    for (const QModelIndex& index : choisies) {
        if (concordance->EstEntete(index.row())) continue;
        concordance->Ligne(index.row(), ligne);
        QStringList champs{QString::number(ligne.position)};
        if (parties) champs << VersQt(concordance->NomPartie(concordance->PartieDeLigne(index.row())));
        champs << VersQt(ligne.gauche) << VersQt(ligne.pivot) << VersQt(ligne.droite);
        lignes.append(champs);
    }
    return lignes;
}

QWidget* TFenConcor::CreePanneau() {
    auto* panneau = new QWidget;
    panneau->setObjectName("Panel1");
    m_btnPrec = Bouton("BtnPrec", "Précédent");
    m_btnPrec->setArrowType(Qt::LeftArrow);
    m_btnSuiv = Bouton("BtnSuiv", "Suivant");
    m_btnSuiv->setArrowType(Qt::RightArrow);
    connect(m_btnPrec, &QToolButton::clicked, this, &TFenConcor::BtnPrecClick);
    connect(m_btnSuiv, &QToolButton::clicked, this, &TFenConcor::BtnSuivClick);

    m_edForme = new QLineEdit;
    m_edForme->setObjectName("EdForme");
    m_edForme->setToolTip("Entrez une forme");
    connect(m_edForme, &QLineEdit::returnPressed, this, &TFenConcor::EdFormeEntree);
    m_chkExpRep = new QCheckBox("Expression rationnelle");
    m_chkExpRep->setObjectName("ChkExpRep");

    m_comboTri = new QComboBox;
    m_comboTri->setObjectName("ComboTri");
    m_comboTri->setToolTip("Sens du tri des contextes");
    m_comboTri->addItems({"Aucun", "Avant", "Après"});
    connect(m_comboTri, &QComboBox::activated, this, [this] { Construit(); });

    m_comboGrp = new ComboARemplir([this] { ComboGrpChargePart(); });
    m_comboGrp->setObjectName("ComboGrp");
    m_comboGrp->setToolTip("Partie qui vous permettra de regrouper les contextes\navant de trier ceux-ci.");
    m_comboGrp->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_comboGrp->setMinimumContentsLength(10);
    connect(m_comboGrp, &QComboBox::activated, this, &TFenConcor::ComboGrpChange);

    m_spinLgCont = new QSpinBox;
    m_spinLgCont->setObjectName("SpinLgCont");
    m_spinLgCont->setRange(t3::LargeurMin, t3::LargeurMax);
    m_spinLgCont->setSingleStep(5);
    m_spinLgCont->setValue(t3::LargeurInitiale);
    m_spinLgCont->setToolTip("Longueur du contexte.\n" + QString(36, '-') +
                             "\nVous permet de choisir combien de caractères\n"
                             "doivent apparaitre avant et après chaque pôle.");
    m_btnRecycle = Bouton("BtnRecycle", "Rafraîchir");
    m_btnRecycle->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    connect(m_btnRecycle, &QToolButton::clicked, this, &TFenConcor::BtnRecycleClick);

    auto* ligne = new QHBoxLayout(panneau);
    ligne->setContentsMargins(4, 2, 4, 2);
    ligne->addWidget(m_btnPrec);
    ligne->addWidget(m_btnSuiv);
    ligne->addSpacing(8);
    ligne->addWidget(Etiquette("LbForme", "Forme :", m_edForme));
    ligne->addWidget(m_edForme, 1);
    ligne->addWidget(m_chkExpRep);
    ligne->addSpacing(8);
    ligne->addWidget(Etiquette("LbTri", "Tri :", m_comboTri));
    ligne->addWidget(m_comboTri);
    ligne->addWidget(Etiquette("LbGrp", "Regroupement :", m_comboGrp));
    ligne->addWidget(m_comboGrp);
    ligne->addWidget(Etiquette("LbLong", "Largeur :", m_spinLgCont));
    ligne->addWidget(m_spinLgCont);
    ligne->addWidget(m_btnRecycle);
    return panneau;
}

ModeleConcordance* TFenConcor::Modele() const {
    return m_vue->Modele();
}

// --- Groups and history

void TFenConcor::EdFormeEntree() {
    // The group made here is named by what was typed (MontreGroupe).
    m_edForme->setProperty("tape", true);
    const auto finSaisie = qScopeGuard([this] { m_edForme->setProperty("tape", false); });
    const QString texte = m_edForme->text();
    if (!m_chkExpRep->isChecked()) {
        const int32_t forme = m_base->LocFormDic(VersCp1252(texte));
        if (forme >= 0) MontreGroupe(std::make_unique<t3::Tgen>(m_base, std::vector<int32_t>{forme}));
        return;
    }
    const QByteArray motifUtf8 = texte.toUtf8();
    const t3::Resultat<t3::Motif> motif =
        t3::Motif::Compile(std::string_view(motifUtf8.constData(), motifUtf8.size()));
    if (!motif) {
        Dialogues::MessageMoteur(this, motif.Message());
        return;
    }
    // The pattern is tested on every form, and the group of those it matches gathered, off the interface
    // thread; cancelled, the lines shown stay.
    struct Trouves {
        std::string refus;
        std::unique_ptr<t3::Tgen> groupe;
    };
    std::optional<Trouves> trouves = ExecuteEnFond<Trouves>(
        "Recherche de " + texte, 1,
        [this, &motif](const t3::Arret&, const t3::Progression&) {
            const t3::Resultat<std::vector<int32_t>> entrees = motif->Selectionne(*m_base);
            if (!entrees) return Trouves{entrees.Message(), nullptr};
            if (entrees->empty()) return Trouves{};
            return Trouves{{}, std::make_unique<t3::Tgen>(m_base, *entrees)};
        },
        this);
    if (!trouves) return;
    if (!trouves->refus.empty()) {
        Dialogues::MessageMoteur(this, trouves->refus);
        return;
    }
    if (trouves->groupe) MontreGroupe(std::move(trouves->groupe));
}

void TFenConcor::MontreGroupe(std::unique_ptr<t3::Tgen> groupe) {
    // Typed, the group keeps the text and the kind of search; dropped, it is named by its name, or by
    // its forms.
    const bool tape = m_edForme->property("tape").toBool();
    QString forme = m_edForme->text();
    bool expression = m_chkExpRep->isChecked();
    if (!tape) {
        forme = NomDuGroupe(*groupe);
        expression = false;
    }
    const int index = m_index + 1;
    m_historique.insert(m_historique.begin() + index,
                        EntreeHistorique{std::move(groupe), m_comboTri->currentIndex(), forme, expression});
    m_index = index;
    m_groupe = m_historique[static_cast<size_t>(index)].groupe.get();
    MontreForme(m_historique[static_cast<size_t>(index)]);
    MetAJourBoutons();
    Construit();
}

// The name of a group that was not typed: its own, or its forms (the first three).
QString TFenConcor::NomDuGroupe(const t3::Tgen& groupe) const {
    if (!groupe.Nom().empty()) return VersQt(groupe.Nom());
    QStringList formes;
    for (const int32_t entree : groupe.Entrees()) {
        if (formes.size() == 3) {
            formes << QString(QChar(0x2026));
            break;
        }
        formes << VersQt(m_base->RetourneGraphie(entree, false));
    }
    return formes.join(", ");
}

// The controls show what the lines are: the form or pattern of the entry shown.
void TFenConcor::MontreForme(const EntreeHistorique& entree) {
    m_edForme->setText(entree.forme);
    m_chkExpRep->setChecked(entree.expression);
}

bool TFenConcor::ConcorEditDragDrop(const TTgenDragObject& objet) {
    std::unique_ptr<t3::Tgen> groupe;
    {
        Sablier sablier;
        groupe = GroupeRecu(m_base, objet, false, this);
    }
    if (!groupe) return false;
    MontreGroupe(std::move(groupe));
    return true;
}

void TFenConcor::MetAJourBoutons() {
    m_btnPrec->setEnabled(m_index > 0);
    m_btnSuiv->setEnabled(m_index >= 0 && m_index + 1 < NbHistorique());
}

void TFenConcor::BtnPrecClick() {
    if (m_index <= 0) return;
    --m_index;
    MetAJourBoutons();
    AfficheEntree();
}

void TFenConcor::BtnSuivClick() {
    if (m_index + 1 >= NbHistorique()) return;
    ++m_index;
    MetAJourBoutons();
    AfficheEntree();
}

// The entry's group with the sort it was shown with; a later change of the sort leaves the entry as
// it was.
void TFenConcor::AfficheEntree() {
    const EntreeHistorique& entree = m_historique[static_cast<size_t>(m_index)];
    m_groupe = entree.groupe.get();
    m_comboTri->setCurrentIndex(entree.tri);
    MontreForme(entree);
    Construit();
}

void TFenConcor::BtnRecycleClick() {
    Construit();
}

// --- Grouping by the parts of a partition

void TFenConcor::ComboGrpChargePart() {
    const QSignalBlocker silence(m_comboGrp);
    m_comboGrp->clear();
    m_comboGrp->addItem("<Aucun>");
    const t3::Corpus& corpus = m_services.CorpusModele();
    for (int32_t i = 0; i < corpus.NbPartitions(); ++i) {
        const t3::Partition* partition = corpus.PartitionNo(i);
        if (partition->Base() != m_base) continue;
        m_comboGrp->addItem(VersQt(m_base->Graphie(partition->CleType())),
                            QVariant::fromValue(reinterpret_cast<quintptr>(partition)));
        if (partition == m_partition) m_comboGrp->setCurrentIndex(m_comboGrp->count() - 1);
    }
}

void TFenConcor::ComboGrpChange(int index) {
    m_partition = index > 0
                      ? reinterpret_cast<const t3::Partition*>(m_comboGrp->itemData(index).value<quintptr>())
                      : nullptr;
    Construit();
}

// --- Display

void TFenConcor::Etape(const QString& texte) {
    m_statut->showMessage(texte);
    if (m_statut->isVisible()) m_statut->repaint();
}

void TFenConcor::Construit() {
    if (!m_groupe) return;
    Sablier sablier;
    const int32_t sens = SensDuTri(m_comboTri->currentIndex());
    const int32_t largeur = m_spinLgCont->value();
    // Room for both contexts, the pivot and the last word of the right context (most run shorter than
    // 40 characters together).
    m_vue->SetColonnes(2 * largeur + 40);
    t3::Concordance* actuelle = Modele()->GetConcordance();
    if (actuelle && m_groupeAffiche == m_groupe && actuelle->GetPartition() == m_partition &&
        actuelle->Sens() == sens) {
        // Only the width may have changed: the lines are made anew from the same order.
        Etape("Création des contextes");
        actuelle->SetLargeur(largeur);
        Modele()->Actualise();
    } else {
        if (sens != t3::TriAucun) Etape("Tri des contextes");
        auto concordance = std::make_unique<t3::Concordance>(*m_groupe, m_partition, sens, largeur);
        Etape("Création des contextes");
        const t3::Couleur couleur = m_groupe->GetCouleur();
        Modele()->SetConcordance(
            std::move(concordance),
            VersQColor(couleur == t3::CouleurBlanche ? t3::CouleurRGB(0, 0, 0) : couleur));
        m_groupeAffiche = m_groupe;
    }
    Etape("Affichage des contextes");
    m_vue->scrollToTop();
    m_statut->showMessage("Nombre de contextes : " + QString::number(m_groupe->NbOcc()));
}

// --- Report

void TFenConcor::AjouteAuRapport() {
    const t3::Concordance* concordance = Modele()->GetConcordance();
    RapportCourant* rapport = m_services.Rapport();
    if (!concordance || !rapport) return;
    const QString fichier = QString::fromStdString(t3::NomPageConcordance(CheminLocal(rapport->Dossier())));
    const t3::EnteteConcordance entete{.titre = VersCp1252(Titre),
                                       .nomBase = VersCp1252(CheminQt(m_base->NomBase())),
                                       .dateHeure = VersCp1252(DateRapport())};
    AjoutePageAuRapport(
        m_services, this, fichier, VersQt(t3::TitreRapportConcordance(*concordance)),
        [&](std::ostream& sortie) { t3::EcritPageConcordance(sortie, *concordance, entete); });
}

} // namespace t3ui
