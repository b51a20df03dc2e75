#include "shell/TFenPrinc.h"

#include "Globaux.h"
#include "explore/CibleGroupes.h"
#include "explore/TFenDicNum.h"
#include "segmentation/SegmPrinc.h"
#include "segmentation/TFenChoixDelimForme.h"
#include "segmentation/TFenOpt.h"
#include "segmentation/VerifCles.h"
#include "shell/Chemins.h"
#include "shell/Dialogues.h"
#include "shell/FenetreRapport.h"
#include "shell/Images.h"
#include "shell/RapportArbre.h"
#include "shell/RapportCourant.h"
#include "shell/TContainer.h"
#include "shell/TFenNavig.h"
#include "shell/TFenRuze.h"
#include "shell/TOptionsOpenDialog.h"
#include "shell/TexteQt.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace t3ui {
namespace {

TFenPrinc* s_instance = nullptr;

constexpr int LargeurPanneau = 296;
constexpr int LargeurPanneauReduit = 15;
constexpr int NbGroupesGardes = 20;
constexpr int DureeBulles = 4000;

// The hourglass for the life of the object.
class Sablier {
  public:
    Sablier() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Sablier() { QApplication::restoreOverrideCursor(); }
    Sablier(const Sablier&) = delete;
    Sablier& operator=(const Sablier&) = delete;
};

// Halves rounded toward zero, as the dialogs are placed.
QPoint Centre(const QSize& cadre, const QSize& fenetre) {
    return {cadre.width() / 2 - fenetre.width() / 2, cadre.height() / 2 - fenetre.height() / 2};
}

} // namespace

TFenPrinc* TFenPrinc::Instance() {
    return s_instance;
}

TFenPrinc::TFenPrinc(QWidget* parent) : QMainWindow(parent) {
    s_instance = this;
    setObjectName("FenPrinc");
    setWindowTitle("Tessaron3");
    resize(970, 743);
    m_mdi = new QMdiArea;
    m_mdi->setObjectName("MdiClient");
    ConstruitPanneaux();
    ConstruitBarreOutils();
    ConstruitMenus();
    ConstruitBarreEtat();
}

TFenPrinc::~TFenPrinc() {
    // The report's entries go with its tree; the windows borrow the loaders: they go before them.
    m_rapport.reset();
    for (QMdiSubWindow* fenetre : m_mdi->subWindowList())
        delete fenetre;
    qDeleteAll(m_pagesFlottantes);
    while (m_listesGauche->count() > 0)
        delete m_listesGauche->widget(0);
    if (s_instance == this) s_instance = nullptr;
}

// --- Construction

QToolButton* TFenPrinc::Bouton(const QString& nom, const QString& glyphe, int teinte, const QString& aide,
                               bool base) {
    auto* bouton = new QToolButton;
    bouton->setObjectName(nom);
    bouton->setIcon(Glyphe(glyphe, teinte));
    bouton->setIconSize(QSize(24, 24));
    bouton->setToolTip(aide);
    bouton->setToolTipDuration(DureeBulles);
    bouton->setAutoRaise(true);
    if (base) {
        bouton->setEnabled(false);
        m_commandesBase.push_back(bouton);
    }
    return bouton;
}

void TFenPrinc::ConstruitBarreOutils() {
    auto* barre = new QToolBar("Panel1", this);
    barre->setObjectName("Panel1");
    barre->setMovable(false);
    barre->setFixedHeight(52);
    auto* logo = new QLabel;
    logo->setObjectName("Logo");
    logo->setPixmap(Logo(250, 42));
    barre->addWidget(logo);
    auto ajoute = [&](QToolButton* bouton, auto action) {
        barre->addWidget(bouton);
        connect(bouton, &QToolButton::clicked, this, action);
        return bouton;
    };
    ajoute(Bouton("BtnSegment", "+B", 210, "Nouvelle base (segmentation)", false),
           &TFenPrinc::BtnCreerCorpClick);
    ajoute(Bouton("BtnOuvrir", "B", 210, "Ouverture d'une base", false), &TFenPrinc::BtnOuvrirClick);
    // The analysis windows come with their own commands; until then their buttons only follow the base.
    ajoute(Bouton("BtnDocu", "KWIC", 30, "Concordances", true), [] {});
    ajoute(Bouton("BtnSR", "SR", 30, "Segments Répétés", true), [] {});
    auto* pclc = Bouton("BtnPCLC", "Σ", 120, "Principales caractéristiques Lexicométriques", false);
    pclc->setContextMenuPolicy(Qt::CustomContextMenu);
    ajoute(pclc, [this, pclc] { m_pmnPCLC->popup(pclc->mapToGlobal(pclc->rect().bottomLeft())); });
    connect(pclc, &QToolButton::customContextMenuRequested, this,
            [this, pclc](const QPoint& point) { m_pmnPCLC->popup(pclc->mapToGlobal(point)); });
    ajoute(Bouton("BtnPart", "%", 120, "Statistiques par partie", true), [] {});
    ajoute(Bouton("BtnParag", "§", 120, "Carte des sections", true), [] {});
    ajoute(Bouton("BtnSelFormes", "{ }", 30, "Groupe de formes", true), [] {});
    m_container = new TContainer(this);
    m_container->setToolTipDuration(DureeBulles);
    barre->addWidget(m_container);
    ajoute(Bouton("BtnMosaique", "▦", 270, "Mosaïque", false), &TFenPrinc::Mosaique);
    auto* vaVers = Bouton("BtnVaVersFeuille", "→F", 270, "Déplacer vers une autre feuille", true);
    ajoute(vaVers,
           [this, vaVers] { MenuDeplacement()->popup(vaVers->mapToGlobal(vaVers->rect().topRight())); });
    ajoute(Bouton("BtnNvFeuille", "+F", 270, "Créer une nouvelle feuille", true), &TFenPrinc::AjouteFeuille);
    ajoute(Bouton("BtnAjouteRap", "+R", 0, "Ajouter au rapport", true), &TFenPrinc::BtnAjouteRapClick);
    ajoute(Bouton("BtnOptions", "…", 0, "Options...", false), &TFenPrinc::BtnOptionsClick);
    ajoute(Bouton("BtnEdit", "R", 0, "Editeur", false), &TFenPrinc::BtnEditClick);
    ajoute(Bouton("HelpBtn", "?", 60, "Aide", false), &TFenPrinc::HelpBtnClick);
    ajoute(Bouton("ExitBtn", "×", 0, "Quitter", false), &QWidget::close);
    addToolBar(Qt::TopToolBarArea, barre);

    m_pmnPCLC = new QMenu(this);
    m_pmnPCLC->setObjectName("PmnPCLC");
    connect(m_pmnPCLC, &QMenu::aboutToShow, this, &TFenPrinc::RemplitPmnPCLC);
    m_pmnuQueue = new QMenu(this);
    m_pmnuQueue->setObjectName("PMnuQueue");
    connect(m_pmnuQueue, &QMenu::aboutToShow, this, &TFenPrinc::RemplitPMnuQueue);
}

void TFenPrinc::ConstruitMenus() {
    QMenu* fichier = menuBar()->addMenu("&Fichier");
    fichier->addAction("&Nouveau", this, &TFenPrinc::BtnCreerCorpClick);
    fichier->addAction("&Ouvrir...", this, &TFenPrinc::BtnOuvrirClick);
    fichier->addSeparator();
    fichier->addAction("&Quitter", this, &QWidget::close);
    QMenu* traitement = menuBar()->addMenu("&Traitement");
    traitement->addAction("Carte des &sections");
    traitement->addAction("&Partition")->setShortcut(QKeySequence("Ctrl+P"));
    traitement->addAction("&Concordance");
    QMenu* fenetre = menuBar()->addMenu("Fe&nêtre");
    // The window list follows the three commands, rebuilt on every opening.
    connect(fenetre, &QMenu::aboutToShow, this, [this, fenetre] {
        fenetre->clear();
        fenetre->addAction("&Mosaïque", m_mdi, &QMdiArea::tileSubWindows);
        fenetre->addAction("&Cascade", m_mdi, &QMdiArea::cascadeSubWindows);
        fenetre->addAction("&Réorganiser", m_mdi, [this] {
            for (QMdiSubWindow* w : m_mdi->subWindowList())
                if (w->isMinimized()) w->showMinimized();
        });
        const QList<QMdiSubWindow*> fenetres = m_mdi->subWindowList();
        if (!fenetres.isEmpty()) fenetre->addSeparator();
        for (int i = 0; i < fenetres.size(); ++i) {
            QMdiSubWindow* sous = fenetres[i];
            QAction* action = fenetre->addAction(QString("&%1 %2").arg(i + 1).arg(sous->windowTitle()), this,
                                                 [this, sous] { AmeneAuPremierPlan(sous); });
            action->setCheckable(true);
            action->setChecked(sous == m_mdi->activeSubWindow());
        }
    });
    // A menu with no action yet would not open: give it its three commands now.
    emit fenetre->aboutToShow();
}

void TFenPrinc::ConstruitPanneaux() {
    auto* centre = new QWidget;
    auto* disposition = new QHBoxLayout(centre);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);

    m_panneauFond = new QWidget;
    m_panneauFond->setObjectName("PanneauFond");
    m_panneauFond->setFixedWidth(LargeurPanneau);
    auto* fond = new QHBoxLayout(m_panneauFond);
    fond->setContentsMargins(0, 0, 0, 0);
    fond->setSpacing(0);
    m_listesGauche = new QTabWidget;
    m_listesGauche->setObjectName("ListesGauche");
    connect(m_listesGauche, &QTabWidget::tabCloseRequested, this, [this](int page) {
        if (!m_pagesFixes.contains(m_listesGauche->widget(page))) m_listesGauche->widget(page)->close();
    });
    connect(m_listesGauche, &QTabWidget::tabBarDoubleClicked, this, &TFenPrinc::DetachePage);
    m_listesGauche->setToolTip("Double-cliquez sur un onglet pour en faire une fenêtre flottante");

    auto* tabNavig = new QWidget;
    tabNavig->setObjectName("TabNavig");
    m_panneauNavig = new QWidget(tabNavig);
    m_panneauNavig->setObjectName("PanneauNavig");
    auto* pageNavig = new QVBoxLayout(tabNavig);
    pageNavig->setContentsMargins(0, 0, 0, 0);
    pageNavig->addWidget(m_panneauNavig);
    m_navig = new TFenNavig(this);
    auto* navig = new QVBoxLayout(m_panneauNavig);
    navig->setContentsMargins(0, 0, 0, 0);
    navig->addWidget(m_navig);
    m_listesGauche->addTab(tabNavig, "Navigation");
    m_pagesFixes.append(tabNavig);

    auto* sheetRap = new QWidget;
    sheetRap->setObjectName("SheetRap");
    auto* rapport = new QVBoxLayout(sheetRap);
    rapport->setContentsMargins(0, 0, 0, 0);
    m_treeViewRapport = new QTreeWidget;
    m_treeViewRapport->setObjectName("TreeViewRapport");
    m_treeViewRapport->setHeaderHidden(true);
    m_treeViewRapport->addTopLevelItem(new QTreeWidgetItem(QStringList{"Table des matières"}));
    rapport->addWidget(m_treeViewRapport);
    auto* boutons = new QHBoxLayout;
    auto* nouveau = new QToolButton;
    nouveau->setObjectName("SpeedButton1");
    nouveau->setText("Nouveau");
    nouveau->setToolTip("Créer un nouveau rapport");
    m_btnSauvRapport = new QToolButton;
    m_btnSauvRapport->setObjectName("BtnSauvRapport");
    m_btnSauvRapport->setText("Enregistrer");
    m_btnSauvRapport->setToolTip("Enregistrer le rapport");
    m_btnSauvRapport->setEnabled(false);
    connect(m_btnSauvRapport, &QToolButton::clicked, this, &TFenPrinc::PublieRapport);
    m_treeViewRapport->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                       QAbstractItemView::SelectedClicked);
    boutons->addWidget(nouveau);
    boutons->addWidget(m_btnSauvRapport);
    boutons->addStretch();
    rapport->addLayout(boutons);
    m_listesGauche->addTab(sheetRap, "Rapport");
    m_pagesFixes.append(sheetRap);
    fond->addWidget(m_listesGauche);

    auto* bande = new QWidget;
    bande->setObjectName("PanBtnRetreci");
    bande->setFixedWidth(10);
    auto* bandeDisposition = new QVBoxLayout(bande);
    bandeDisposition->setContentsMargins(0, 0, 0, 0);
    auto* retreci = new QToolButton;
    retreci->setObjectName("BtnRetreci");
    retreci->setText("|<");
    retreci->setToolTip("Cacher / montrer le panneau de navigation");
    retreci->setFixedWidth(10);
    connect(retreci, &QToolButton::clicked, this, &TFenPrinc::BtnRetreciClick);
    bandeDisposition->addWidget(retreci);
    bandeDisposition->addStretch();
    fond->addWidget(bande);

    m_onglets = new QTabBar;
    m_onglets->setObjectName("OngletsFeuilles");
    m_onglets->setShape(QTabBar::RoundedEast);
    m_onglets->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_onglets, &QTabBar::currentChanged, this, &TFenPrinc::ChangeFeuille);
    connect(m_onglets, &QTabBar::customContextMenuRequested, this, [this](const QPoint& point) {
        const int onglet = m_onglets->tabAt(point);
        if (onglet >= 0) Dialogues::Information(this, m_onglets->tabText(onglet));
    });
    auto* droite = new QVBoxLayout;
    droite->addWidget(m_onglets);
    droite->addStretch();

    disposition->addWidget(m_panneauFond);
    disposition->addWidget(m_mdi, 1);
    disposition->addLayout(droite);
    setCentralWidget(centre);
}

void TFenPrinc::ConstruitBarreEtat() {
    QStatusBar* barre = statusBar();
    barre->setObjectName("StatusBar1");
    m_progression = new QProgressBar;
    m_progression->setObjectName("BarreProgression");
    m_progression->setRange(0, 200);
    m_progression->setValue(0);
    m_progression->setTextVisible(false);
    m_progression->setFixedWidth(200);
    barre->addWidget(m_progression);
    const int largeurs[3] = {0, 175, 50};
    for (int i = 1; i < 3; ++i) {
        m_statut[i] = new QLabel;
        m_statut[i]->setObjectName(QString("Panneau%1").arg(i));
        m_statut[i]->setMinimumWidth(largeurs[i]);
        barre->addWidget(m_statut[i], i == 2 ? 1 : 0);
    }
}

// --- Services

void TFenPrinc::SetStatusText(const QString& texte) {
    m_statut[1]->setText(texte);
    m_statut[1]->repaint();
}

QString TFenPrinc::TexteStatut(int panneau) const {
    return panneau >= 1 && panneau <= 2 ? m_statut[panneau]->text() : QString();
}

void TFenPrinc::StepProgress() {
    m_progression->setValue(std::min(m_progression->maximum(), m_progression->value() + 1));
    m_progression->repaint();
}

void TFenPrinc::StepProgressBy2() {
    m_progression->setValue(std::min(m_progression->maximum(), m_progression->value() + 2));
    m_progression->repaint();
}

void TFenPrinc::ResetProgress() {
    m_progression->setValue(0);
}

void TFenPrinc::GaugeStepProgress(int32_t) {
    if (s_instance) s_instance->StepProgress();
}

void TFenPrinc::GaugeStepProgressBy2(int32_t) {
    if (s_instance) s_instance->StepProgressBy2();
}

void TFenPrinc::DockeDansListesGauche(QWidget* fenetre, const QString& titre) {
    m_listesGauche->setTabsClosable(true);
    m_listesGauche->addTab(fenetre, titre);
    // The navigation and report pages stay.
    for (QWidget* page : m_pagesFixes)
        if (const int index = m_listesGauche->indexOf(page); index >= 0)
            m_listesGauche->tabBar()->setTabButton(index, QTabBar::RightSide, nullptr);
}

void TFenPrinc::DetachePage(int page) {
    QWidget* fenetre = m_listesGauche->widget(page);
    if (!fenetre || m_listesGauche->count() < 2) return;
    const QString titre = m_listesGauche->tabText(page);
    const QSize taille = fenetre->size();
    m_listesGauche->removeTab(page);
    fenetre->setParent(this, Qt::Tool);
    fenetre->setWindowTitle(titre);
    fenetre->resize(taille);
    fenetre->installEventFilter(this);
    m_pagesFlottantes.append(fenetre);
    fenetre->show();
}

// A floating page asked to close goes back into ListesGauche (the tab's own button closes a list).
bool TFenPrinc::eventFilter(QObject* objet, QEvent* evenement) {
    auto* fenetre = qobject_cast<QWidget*>(objet);
    if (evenement->type() == QEvent::Close && m_pagesFlottantes.contains(fenetre)) {
        evenement->ignore();
        m_pagesFlottantes.removeOne(fenetre);
        fenetre->removeEventFilter(this);
        fenetre->hide();
        fenetre->setParent(nullptr);
        DockeDansListesGauche(fenetre, fenetre->windowTitle());
        m_listesGauche->setCurrentWidget(fenetre);
        fenetre->show();
        return true;
    }
    return QMainWindow::eventFilter(objet, evenement);
}

QMdiSubWindow* TFenPrinc::AjouteFenetre(QWidget* fenetre) {
    const bool tailleDonnee = fenetre->testAttribute(Qt::WA_Resized);
    const QSize taille = fenetre->size();
    QMdiSubWindow* sous = m_mdi->addSubWindow(fenetre);
    // The window keeps the size it asked for, its frame added.
    if (tailleDonnee) sous->resize(taille + (sous->size() - sous->contentsRect().size()));
    sous->setAttribute(Qt::WA_DeleteOnClose);
    sous->show();
    return sous;
}

void TFenPrinc::AmeneAuPremierPlan(QWidget* fenetre) {
    auto* sous = qobject_cast<QMdiSubWindow*>(fenetre);
    if (!sous && fenetre) sous = qobject_cast<QMdiSubWindow*>(fenetre->parentWidget());
    if (sous) {
        if (sous->isMinimized()) sous->showNormal();
        sous->show();
        m_mdi->setActiveSubWindow(sous);
        sous->raise();
        return;
    }
    const int page = m_listesGauche->indexOf(fenetre);
    if (page >= 0) m_listesGauche->setCurrentIndex(page);
}

void TFenPrinc::Mosaique() {
    m_mdi->tileSubWindows();
}

// --- Opening and creating a base

bool TFenPrinc::OuvreBase(const QString& cheminDonne) {
    const QFileInfo info(cheminDonne);
    const QString chemin = info.absoluteFilePath();
    // The loader reads the .dic and .num beside the .par, from the current folder.
    QDir::setCurrent(info.absolutePath());
    auto chargeur = std::make_unique<t3::charg1>();
    chargeur->AttribGauge(&TFenPrinc::GaugeStepProgress);
    SetStatusText("Chargement des données");
    int32_t resultat;
    {
        Sablier sablier;
        resultat = chargeur->ChargeBase(CheminLocal(chemin));
        ResetProgress();
        SetStatusText(QString());
    }
    if (resultat != t3::ChargeReussie) {
        // The failed loader is dropped: the windows of the bases opened before keep theirs.
        Dialogues::Message(this, QMessageBox::Warning, chemin,
                           resultat >= 1 && resultat <= 4
                               ? QString::fromStdString(t3::MessageChargeBase(resultat))
                               : QStringLiteral("Erreur "));
        return false;
    }
    m_chargeur = chargeur.get();
    m_chargeurs.push_back(std::move(chargeur));
    m_corpus.AjouteChargeur(m_chargeur);
    m_statut[2]->setText(chemin);
    ActiveCommandesBase();
    Sablier sablier;
    AjoutePagesNavigation(chemin);
    AjouteFeuille();
    SetStatusText("Affichage du dictionnaire");
    auto* dictionnaire = new TFenDicNum(this, m_chargeur);
    dictionnaire->show();
    SetStatusText(QString());
    m_navig->TreePages()->show();
    m_listesGauche->setCurrentIndex(m_listesGauche->count() - 1);
    NouveauRapport();
    SetStatusText("Affichage du texte");
    AjouteFenetre(new TFenRuze(this, m_chargeur));
    SetStatusText("Prêt");
    return true;
}

void TFenPrinc::ActiveCommandesBase() {
    for (QWidget* commande : m_commandesBase)
        commande->setEnabled(true);
}

void TFenPrinc::AjoutePagesNavigation(const QString& chemin) {
    QTreeWidget* arbre = m_navig->TreePages();
    arbre->hide();
    QTreeWidgetItem* base = m_navig->AjouteItem(nullptr, chemin, 1);
    m_navig->AjouteItem(base, "Texte", 1, nullptr, true);
    m_navig->AjouteItem(base, "Dictionnaire");
    m_navig->AjouteItem(base, "Cartes Sections", 2);
    m_navig->AjouteItem(base, "Partitions", 2);
    arbre->setStyleSheet("QTreeWidget { background: white; }");
    arbre->expandAll();
}

bool TFenPrinc::CreeBase(const QString& cheminDonne) {
    const QString chemin = QFileInfo(cheminDonne).absoluteFilePath();
    const std::string local = CheminLocal(chemin);
    int32_t fautives;
    {
        Sablier sablier;
        fautives = t3::VerifCles(local);
    }
    if (fautives < 0) {
        Dialogues::Message(this, QMessageBox::Warning, "Tessaron3",
                           QString("Le fichier « %1 » ne peut pas être lu.").arg(chemin));
        return false;
    }
    if (fautives != 0) {
        Dialogues::Information(this, "Problème dans les clefs.\nConsultez atrace.txt");
        return false;
    }
    TFenChoixDelimForme dialogue(this);
    dialogue.adjustSize();
    dialogue.move(mapToGlobal(Centre(size(), dialogue.size())));
    if (Dialogues::Execute(&dialogue) != QDialog::Accepted) return false;
    t3::ResultatSegm resultat;
    {
        Sablier sablier;
        resultat = t3::SegmPrinc(local, VersCp1252(dialogue.Delimiteurs()));
    }
    if (resultat != t3::ResultatSegm::Ok) {
        Dialogues::Message(this, QMessageBox::Warning, "Tessaron3",
                           QString::fromUtf8(t3::MessageSegm(resultat)));
        return false;
    }
    // The base is written under the text's name in the current folder.
    return OuvreBase(QDir::current().filePath(CheminQt(t3::TraitPath(local)) + ".par"));
}

void TFenPrinc::TraiteLigneCommande(const QString& ligne) {
    if (ligne.isEmpty()) return;
    const QString premier = ligne.section(' ', 0, 0);
    // Resolved before the folder changes, so that a relative path names what the user meant.
    const QFileInfo info(QFileInfo(premier).absoluteFilePath());
    QDir::setCurrent(info.absolutePath());
    if (!info.exists()) return;
    if (info.fileName().endsWith(".par"))
        OuvreBase(info.filePath());
    else
        CreeBase(info.filePath());
}

// --- Sheets

void TFenPrinc::AjouteFeuille() {
    ++m_compteurFeuilles;
    m_feuilles.emplace_back();
    m_onglets->addTab(QString("Feuille %1").arg(m_compteurFeuilles));
}

void TFenPrinc::ChangeFeuille(int nouvelle) {
    const int quittee = m_feuilleActive;
    m_feuilleActive = nouvelle;
    if (quittee < 0 || quittee == nouvelle || nouvelle < 0) return;
    QList<QPointer<QWidget>>& fenetres = m_feuilles[static_cast<size_t>(quittee)];
    fenetres.clear();
    for (QMdiSubWindow* sous : m_mdi->subWindowList()) {
        if (sous->isVisible()) fenetres.append(sous);
        sous->hide();
    }
    for (const QPointer<QWidget>& sous : m_feuilles[static_cast<size_t>(nouvelle)])
        if (sous) sous->show();
    Mosaique();
}

QList<QWidget*> TFenPrinc::FenetresFeuille(int feuille) const {
    QList<QWidget*> fenetres;
    if (feuille < 0 || feuille >= static_cast<int>(m_feuilles.size())) return fenetres;
    for (const QPointer<QWidget>& sous : m_feuilles[static_cast<size_t>(feuille)]) {
        if (!sous) continue;
        auto* mdi = qobject_cast<QMdiSubWindow*>(sous.data());
        fenetres.append(mdi ? mdi->widget() : sous.data());
    }
    return fenetres;
}

QMenu* TFenPrinc::MenuDeplacement() {
    auto* menu = new QMenu(this);
    menu->setObjectName("MenuDeplacement");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // "Nouvelle feuille" makes a sheet and moves the active window onto it.
    menu->addAction("Nouvelle feuille", this, [this] {
        if (!m_mdi->activeSubWindow()) return;
        AjouteFeuille();
        DeplaceVersFeuille(m_onglets->count() - 1);
    });
    for (int feuille = 0; feuille < m_onglets->count(); ++feuille)
        if (feuille != m_onglets->currentIndex())
            menu->addAction(m_onglets->tabText(feuille), this,
                            [this, feuille] { DeplaceVersFeuille(feuille); });
    return menu;
}

void TFenPrinc::DeplaceVersFeuille(int feuille) {
    QMdiSubWindow* active = m_mdi->activeSubWindow();
    if (!active || feuille < 0 || feuille >= static_cast<int>(m_feuilles.size())) return;
    m_feuilles[static_cast<size_t>(feuille)].append(active);
    active->hide();
}

// --- Panel, report, options, help

void TFenPrinc::BtnRetreciClick() {
    const bool replie = m_panneauFond->width() > LargeurPanneau - 1;
    m_panneauFond->setFixedWidth(replie ? LargeurPanneauReduit : LargeurPanneau);
    m_listesGauche->setVisible(!replie);
}

void TFenPrinc::BtnAjouteRapClick() {
    QMdiSubWindow* active = m_mdi->activeSubWindow();
    if (!active) return;
    // Posted: the window answers once the click has returned.
    QPointer<QWidget> fenetre = active->widget();
    QTimer::singleShot(0, this, [fenetre] {
        if (auto* cible = dynamic_cast<FenetreRapport*>(fenetre.data())) cible->AjouteAuRapport();
    });
}

// The report of the base just opened. The previous report, whose entries the tree shows, goes first:
// when it holds unsaved entries the user may publish them.
void TFenPrinc::NouveauRapport() {
    if (m_rapport && !m_rapport->Sauve()) {
        const auto reponse = Dialogues::Message(this, QMessageBox::Question, "Tessaron3",
                                                "Le rapport a été modifié.\nVoulez-vous le sauvegarder ?",
                                                QMessageBox::Yes | QMessageBox::No);
        if (reponse == QMessageBox::Yes) PublieRapport();
    }
    m_rapport.reset();
    SetRapport(std::make_unique<RapportArbre>(m_treeViewRapport, m_chargeur));
}

bool TFenPrinc::PublieRapport() {
    if (!m_rapport) return false;
    QString manques;
    const bool complet = m_rapport->Publie(manques);
    if (!complet) Dialogues::Message(this, QMessageBox::Warning, "Tessaron3", manques);
    return complet;
}

void TFenPrinc::SetRapport(std::unique_ptr<RapportCourant> rapport) {
    m_rapport = std::move(rapport);
    m_btnSauvRapport->setEnabled(m_rapport != nullptr);
}

void TFenPrinc::BtnOptionsClick() {
    TFenOpt dialogue(this);
    const QSize ecran = screen() ? screen()->size() : QSize();
    dialogue.move(Centre(ecran, dialogue.size()));
    if (Dialogues::Execute(&dialogue) != QDialog::Accepted) return;
    // The tag-count option is stored before the maximum is read, as the dialog's two fields are.
    int32_t valeur;
    if (!dialogue.Etiquettes(valeur)) {
        Dialogues::Information(
            this, QString("« %1 » n'est pas une valeur entière valide.").arg(dialogue.TexteEtiquettes()));
        return;
    }
    t3::Options.NbEtiquettes = valeur;
    if (!dialogue.Maxart(valeur)) {
        Dialogues::Information(
            this, QString("« %1 » n'est pas une valeur entière valide.").arg(dialogue.TexteMaxart()));
        return;
    }
    t3::Options.Maxart = valeur;
}

void TFenPrinc::BtnEditClick() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(DossierPublication() + "/index.htm"));
}

void TFenPrinc::HelpBtnClick() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(PageAide()));
}

void TFenPrinc::BtnCreerCorpClick() {
    TOptionsOpenDialog dialogue(this);
    if (!dialogue.Execute()) return;
    const QString chemin = dialogue.Fichier();
    QDir::setCurrent(QFileInfo(chemin).absolutePath());
    CreeBase(chemin);
}

void TFenPrinc::BtnOuvrirClick() {
    const QString chemin =
        Dialogues::FichierAOuvrir(this, "Ouverture d'une base Tessaron", "Fichiers paramètres (*.par)");
    if (chemin.isEmpty()) return;
    QDir::setCurrent(QFileInfo(chemin).absolutePath());
    OuvreBase(chemin);
}

// --- Container and its queue of groups

bool TFenPrinc::ContainerDrop(const TTgenDragObject& objet) {
    if (!GroupeDuGlisser(&objet, m_container) || !m_chargeur) return false;
    std::shared_ptr<t3::Tgen> groupe;
    {
        Sablier sablier;
        groupe = GroupeRecu(m_chargeur, objet, true);
    }
    m_container->setToolTip(VersQt(groupe->Nom()));
    m_groupeCourant = groupe.get();
    m_fileGroupes.push_front(std::move(groupe));
    while (m_fileGroupes.size() > NbGroupesGardes)
        m_fileGroupes.pop_back();
    return true;
}

void TFenPrinc::ChoisitGroupe(int index) {
    if (index < 0 || index >= static_cast<int>(m_fileGroupes.size())) return;
    m_groupeCourant = m_fileGroupes[static_cast<size_t>(index)].get();
    m_container->setToolTip(VersQt(m_groupeCourant->Nom()));
}

void TFenPrinc::RemplitPMnuQueue() {
    m_pmnuQueue->clear();
    for (size_t i = 0; i < m_fileGroupes.size(); ++i) {
        QAction* action = m_pmnuQueue->addAction(VersQt(m_fileGroupes[i]->Nom()), this,
                                                 [this, i] { ChoisitGroupe(static_cast<int>(i)); });
        action->setCheckable(true);
        action->setChecked(m_fileGroupes[i].get() == m_groupeCourant);
    }
}

void TFenPrinc::RemplitPmnPCLC() {
    m_pmnPCLC->clear();
    for (int32_t i = 0; i < m_corpus.NbPartitions(); ++i) {
        const t3::Partition* partition = m_corpus.PartitionNo(i);
        const QString nom = VersQt(partition->Base()->RetourneGraphie(partition->CleType(), false));
        m_pmnPCLC->addAction(nom, this, [this, i] { PmnPCLCChoix(i); });
    }
}

void TFenPrinc::PmnPCLCChoix(int partition) {
    t3::InfoPartition* info = m_corpus.InfoDePartition(partition);
    auto* graphiques = info ? static_cast<QTreeWidgetItem*>(info->NoeudGraphiques()) : nullptr;
    QWidget* fenetre =
        graphiques ? TFenNavig::Fenetre(TFenNavig::Enfant(graphiques->parent(), "PCLC")) : nullptr;
    if (fenetre) AmeneAuPremierPlan(fenetre);
}

// --- Closing

void TFenPrinc::closeEvent(QCloseEvent* evenement) {
    if (m_rapport && !m_rapport->Sauve()) {
        const auto reponse = Dialogues::Message(this, QMessageBox::Question, "Tessaron3",
                                                "Le rapport a été modifié.\nVoulez-vous le sauvegarder ?",
                                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (reponse == QMessageBox::Cancel) {
            evenement->ignore();
            return;
        }
        if (reponse == QMessageBox::Yes) PublieRapport();
    }
    evenement->accept();
}

} // namespace t3ui
