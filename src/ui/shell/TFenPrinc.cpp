#include "ui/shell/TFenPrinc.h"

#include "engine/corpus/Partition.h"
#include "ui/segmentation/TFenOpt.h"
#include "ui/shell/AideContextuelle.h"
#include "ui/shell/Atelier.h"
#include "ui/shell/BarreCommandes.h"
#include "ui/shell/BarreEtat.h"
#include "ui/shell/Chemins.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/FenetreRapport.h"
#include "ui/shell/Feuilles.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/PanneauGauche.h"
#include "ui/shell/RapportArbre.h"
#include "ui/shell/TContainer.h"
#include "ui/shell/TFenNavig.h"
#include "ui/shell/TFenRuze.h"
#include "ui/shell/TOptionsOpenDialog.h"
#include "ui/shell/TacheDeFond.h"
#include "ui/shell/TexteQt.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace t3ui {
namespace {

// The container stands on the toolbar after the analysis commands, before the window commands.
constexpr int RangContainer = 90;

} // namespace

TFenPrinc::TFenPrinc(QWidget* parent) : QMainWindow(parent) {
    setObjectName("FenPrinc");
    setWindowTitle("Tessaron3");
    resize(970, 743);
    m_atelier = std::make_unique<Atelier>(*this, [this](const t3::charg1* base) {
        return std::make_unique<RapportArbre>(m_panneau->TreeViewRapport(), base);
    });
    ConstruitCadre();
    ConstruitCommandes();
    connect(m_atelier.get(), &Atelier::BaseChargee, this, &TFenPrinc::BaseChargee);
    connect(m_atelier.get(), &Atelier::BaseEnPlace, this,
            [this](const QString&, t3::charg1* base) { BaseEnPlace(base); });
    connect(m_atelier.get(), &Atelier::RapportRemplace, m_panneau->BtnSauvRapport(), &QWidget::setEnabled);
    connect(m_panneau->BtnSauvRapport(), &QToolButton::clicked, m_atelier.get(), &Atelier::PublieRapport);
    connect(m_panneau->Navig(), &TFenNavig::PageChoisie, this, [this](QWidget* fenetre) {
        AmeneAuPremierPlan(fenetre);
        Mosaique();
    });
    connect(m_panneau->Navig(), &TFenNavig::PageFermee, this, &TFenPrinc::RouvrePage);
    connect(m_atelier.get(), &Atelier::BaseDejaOuverte, this, &TFenPrinc::BaseDejaOuverte);
    connect(m_atelier.get(), &Atelier::BaseFermee, this, &TFenPrinc::BaseFermee);
    // The status bar names the base of the sheet shown.
    connect(m_feuilles->Onglets(), &QTabBar::currentChanged, this, [this](int feuille) {
        if (const t3::charg1* base = m_atelier->BaseDeFeuille(feuille))
            m_etat->SetCheminBase(CheminQt(base->CheminFichier(".par")));
    });
}

TFenPrinc::~TFenPrinc() {
    // The report's entries go with its tree; the windows borrow the loaders: they go before them.
    m_atelier->FermeRapport();
    for (QMdiSubWindow* fenetre : m_mdi->subWindowList())
        delete fenetre;
    delete m_panneau;
}

// --- Construction

void TFenPrinc::ConstruitCadre() {
    m_mdi = new QMdiArea;
    m_mdi->setObjectName("MdiClient");
    // Children larger than the area get scroll bars: without them the area would ask for the size of
    // its largest child, and the frame would grow beyond the screen.
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_panneau = new PanneauGauche;
    m_feuilles = new Feuilles(m_mdi);
    auto* centre = new QWidget;
    auto* disposition = new QHBoxLayout(centre);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    auto* droite = new QVBoxLayout;
    droite->addWidget(m_feuilles->Onglets());
    droite->addStretch();
    // The divider widens or narrows the left panel; the panel folds to its strip by BtnRetreci.
    auto* separateur = new QSplitter(Qt::Horizontal);
    separateur->setObjectName("Separateur");
    separateur->setChildrenCollapsible(false);
    separateur->addWidget(m_panneau);
    separateur->addWidget(m_mdi);
    separateur->setStretchFactor(1, 1);
    separateur->setSizes({PanneauGauche::Largeur, width() - PanneauGauche::Largeur});
    disposition->addWidget(separateur, 1);
    disposition->addLayout(droite);
    setCentralWidget(centre);
    m_etat = new BarreEtat(statusBar());
    m_container = new TContainer(*this);
    m_container->setToolTipDuration(BarreCommandes::DureeBulles);
}

std::vector<CommandeCadre> TFenPrinc::CommandesDuCadre() {
    // The pop-up menus open at the corner of their button, or under the mouse when the command comes
    // from a menu item (the button may be out of sight in a narrow window).
    auto coin = [this](const char* nom, bool bas) {
        QWidget* bouton = m_commandes->Bouton(nom);
        if (!bouton || !bouton->isVisible() || !bouton->underMouse()) return QCursor::pos();
        return bouton->mapToGlobal(bas ? bouton->rect().bottomLeft() : bouton->rect().topRight());
    };
    auto pclc = [this, coin] { m_pmnPCLC->popup(coin("BtnPCLC", true)); };
    auto deplace = [this, coin] {
        m_feuilles->MenuDeplacement(this)->popup(coin("BtnVaVersFeuille", false));
    };
    // Every command has a menu item too, so that none is out of reach in a narrow window.
    return {
        {10, "BtnSegment", "+B", 210, "Nouvelle base (segmentation)", false, [this] { BtnCreerCorpClick(); },
         "&Fichier", "&Nouveau", 1},
        {20, "BtnOuvrir", "B", 210, "Ouverture d'une base", false, [this] { BtnOuvrirClick(); }, "&Fichier",
         "&Ouvrir...", 2},
        {50, "BtnPCLC", "Σ", 120, "Principales caractéristiques Lexicométriques", false, pclc, "&Traitement",
         "Principales caractéristiques &lexicométriques...", 10},
        {100, "BtnMosaique", "▦", 270, "Mosaïque", false, [this] { Mosaique(); }, "Fe&nêtre", "&Mosaïque", 1},
        {110, "BtnVaVersFeuille", "→F", 270, "Déplacer vers une autre feuille", true, deplace, "Fe&nêtre",
         "&Déplacer vers une autre feuille...", 4},
        {120, "BtnNvFeuille", "+F", 270, "Créer une nouvelle feuille", true,
         [this] { m_feuilles->AjouteFeuille(false); }, "Fe&nêtre", "Créer une nouvelle &feuille", 5},
        {130, "BtnAjouteRap", "+R", 0, "Ajouter au rapport", true, [this] { BtnAjouteRapClick(); },
         "&Traitement", "&Ajouter au rapport", 20},
        {140, "BtnOptions", "…", 0, "Options...", false, [this] { TFenOpt::Regle(this); }, "&Fichier",
         "O&ptions...", 3},
        {150, "BtnEdit", "R", 0, "Editeur", false,
         [this] { Dialogues::OuvreDocument(this, DossierPublication() + "/index.htm"); }, "&Traitement",
         "&Editeur (dernier rapport publié)", 21},
        {160, "HelpBtn", "?", 60, "Aide", false, [this] { BtnAideClick(); }, "&Aide", "&Aide", 1, "F1"},
        {170, "ExitBtn", "×", 0, "Quitter", false, [this] { close(); }, "&Fichier", "&Quitter", 9},
    };
}

void TFenPrinc::ConstruitCommandes() {
    std::vector<CommandeCadre> commandes = CommandesDuCadre();
    for (const GenreFenetre& genre : GenresFenetres())
        if (!genre.nom.isEmpty())
            commandes.push_back({genre.rang, genre.nom, genre.glyphe, genre.teinte, genre.aide,
                                 genre.portee != Portee::Atelier, [this, &genre] { OuvreGenre(genre); },
                                 genre.menu.isEmpty() ? QString("&Traitement") : genre.menu,
                                 genre.menu.isEmpty() ? genre.aide : genre.article,
                                 genre.menu.isEmpty() ? 5 + genre.rang / 10 : genre.placeMenu,
                                 genre.raccourci});
    m_commandes = new BarreCommandes(this, std::move(commandes), m_container, RangContainer,
                                     {"&Fichier", "&Traitement", "Fe&nêtre", "&Aide"});
    ConstruitMenuFenetre(m_commandes->Menu("Fe&nêtre"));
    m_pmnPCLC = new QMenu(this);
    m_pmnPCLC->setObjectName("PmnPCLC");
    connect(m_pmnPCLC, &QMenu::aboutToShow, this, &TFenPrinc::RemplitPmnPCLC);
    // The menu of the main characteristics is also the button's right-click menu.
    QWidget* pclc = m_commandes->Bouton("BtnPCLC");
    pclc->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pclc, &QWidget::customContextMenuRequested, this,
            [this, pclc](const QPoint& point) { m_pmnPCLC->popup(pclc->mapToGlobal(point)); });
}

// The window list follows the window commands, rebuilt on every opening.
void TFenPrinc::ConstruitMenuFenetre(QMenu* menu) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        menu->clear();
        menu->addAction(m_commandes->Commande("BtnMosaique"));
        menu->addAction("&Cascade", m_mdi, &QMdiArea::cascadeSubWindows);
        menu->addAction("&Réorganiser", this, &TFenPrinc::ReorganiseIcones);
        menu->addSeparator();
        menu->addAction(m_commandes->Commande("BtnVaVersFeuille"));
        menu->addAction(m_commandes->Commande("BtnNvFeuille"));
        const QList<QMdiSubWindow*> fenetres = m_mdi->subWindowList();
        if (!fenetres.isEmpty()) menu->addSeparator();
        for (int i = 0; i < fenetres.size(); ++i) {
            QMdiSubWindow* sous = fenetres[i];
            QAction* action = menu->addAction(QString("&%1 %2").arg(i + 1).arg(sous->windowTitle()), this,
                                              [this, sous] { AmeneAuPremierPlan(sous); });
            action->setCheckable(true);
            action->setChecked(sous == m_mdi->activeSubWindow());
        }
    });
    // A menu with no action yet would not open: give it its commands now.
    emit menu->aboutToShow();
}

QAction* TFenPrinc::CommandeNommee(const QString& nom) const {
    return m_commandes->Commande(nom);
}

// --- Windows

QWidget* TFenPrinc::OuvreGenre(const GenreFenetre& genre, t3::charg1* base) {
    if (!base) base = Chargeur();
    if (!genre.cree || (genre.portee != Portee::Atelier && !base)) return nullptr;
    if (!genre.statut.isEmpty()) SetStatusText(genre.statut);
    QWidget* fenetre = genre.cree(*this, base);
    MarqueBase(fenetre, base);
    if (fenetre && base) {
        // Windows of several bases are told apart by the base's name.
        const QString chemin = CheminQt(base->CheminFichier(".par"));
        fenetre->setWindowTitle(fenetre->windowTitle() + " - " + QFileInfo(chemin).completeBaseName());
        fenetre->setToolTip(chemin);
    }
    if (fenetre && genre.lieu == Lieu::Mdi) AjouteFenetre(fenetre);
    if (fenetre && genre.lieu == Lieu::ListesGauche) {
        // The page keeps its caption; its tab names the base.
        const QString titre = fenetre->windowTitle().section(" - ", 0, 0);
        DockeDansListesGauche(fenetre, titre);
        fenetre->show();
        m_panneau->ListesGauche()->setCurrentWidget(fenetre);
    }
    if (fenetre && genre.noeud != GenreNoeud::Aucun)
        TFenNavig::AttacheFenetre(TFenNavig::Enfant(Navigation()->NoeudBase(base), genre.noeud), fenetre);
    if (!genre.statut.isEmpty()) SetStatusText(QString());
    return fenetre;
}

// An item of the tree whose window was closed: the window of its kind opens again on its base.
void TFenPrinc::RouvrePage(QTreeWidgetItem* item) {
    const GenreNoeud noeud = TFenNavig::Genre(item);
    for (const GenreFenetre& genre : GenresFenetres())
        if (genre.noeud == noeud)
            if (QWidget* fenetre = OuvreGenre(genre, Navigation()->BaseDeNoeud(item)))
                AmeneAuPremierPlan(fenetre);
}

// A base opened again: its sheet comes forward rather than a second copy.
void TFenPrinc::BaseDejaOuverte(t3::charg1* base) {
    MontreFeuille(base);
    SetStatusText("Base déjà ouverte");
}

void TFenPrinc::MontreFeuille(const t3::charg1* base) {
    if (const BaseOuverte* ouverte = m_atelier->Ouverte(base); ouverte && ouverte->feuille >= 0)
        m_feuilles->Onglets()->setCurrentIndex(ouverte->feuille);
}

// A base about to be replaced: the windows that show it close, its pages leave the left panel and its
// item the navigation tree.
void TFenPrinc::BaseFermee(const t3::charg1* base) {
    for (QMdiSubWindow* sous : m_mdi->subWindowList())
        if (BaseDeFenetre(sous->widget()) == base) delete sous;
    QTabWidget* listes = m_panneau->ListesGauche();
    for (int i = listes->count() - 1; i >= 0; --i)
        if (BaseDeFenetre(listes->widget(i)) == base) delete listes->widget(i);
    delete Navigation()->NoeudBase(base);
}

// The base is in the corpus: its path in the status bar, the commands that need a base, its pages in the
// navigation tree, a sheet, and its list windows (the dictionary), the last of them shown.
void TFenPrinc::BaseChargee(const QString& chemin, t3::charg1* base) {
    m_etat->SetCheminBase(chemin);
    m_commandes->ActiveCommandesBase();
    m_panneau->Navig()->AjoutePagesBase(chemin, base);
    // A base that replaces another takes its sheet.
    BaseOuverte* ouverte = m_atelier->Ouverte(base);
    if (ouverte->feuille < 0) {
        m_feuilles->AjouteFeuille();
        ouverte->feuille = m_feuilles->NbFeuilles() - 1;
    }
    MontreFeuille(base);
    for (const GenreFenetre& genre : GenresFenetres())
        if (genre.avecBase && genre.lieu == Lieu::ListesGauche) OuvreGenre(genre, base);
    m_panneau->MontreDernierePage();
}

void TFenPrinc::BaseEnPlace(t3::charg1* base) {
    for (const GenreFenetre& genre : GenresFenetres())
        if (genre.avecBase && genre.lieu != Lieu::ListesGauche) OuvreGenre(genre, base);
}

void TFenPrinc::DockeDansListesGauche(QWidget* fenetre, const QString& titre) {
    // A window placed without saying its base shows the open one.
    if (!BaseDeFenetre(fenetre)) MarqueBase(fenetre, Chargeur());
    m_panneau->DockeDansListesGauche(fenetre, titre);
    m_panneau->ListesGauche()->setCurrentWidget(fenetre);
}

QMdiSubWindow* TFenPrinc::AjouteFenetre(QWidget* fenetre) {
    if (!BaseDeFenetre(fenetre)) MarqueBase(fenetre, Chargeur());
    const bool tailleDonnee = fenetre->testAttribute(Qt::WA_Resized);
    const QSize taille = fenetre->size();
    QMdiSubWindow* sous = m_mdi->addSubWindow(fenetre);
    // The window keeps the size it asked for, its frame added.
    if (tailleDonnee) sous->resize(taille + (sous->size() - sous->contentsRect().size()));
    sous->setAttribute(Qt::WA_DeleteOnClose);
    sous->show();
    PlaceDansLaZone(sous);
    return sous;
}

// A child opens inside the visible area: moved back from the edges, narrowed when it is larger.
void TFenPrinc::PlaceDansLaZone(QMdiSubWindow* sous) {
    const QSize zone = m_mdi->viewport()->size();
    if (zone.isEmpty()) return;
    const QSize taille = sous->size().boundedTo(zone);
    const QPoint coin(std::clamp(sous->x(), 0, zone.width() - taille.width()),
                      std::clamp(sous->y(), 0, zone.height() - taille.height()));
    sous->setGeometry(QRect(coin, taille));
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
    const int page = m_panneau->ListesGauche()->indexOf(fenetre);
    if (page >= 0) m_panneau->ListesGauche()->setCurrentIndex(page);
}

// The manual at the section of the window the user is in: the one holding the focus, else the active
// child.
void TFenPrinc::BtnAideClick() {
    const QWidget* contexte = QApplication::focusWidget();
    if (!contexte) contexte = m_mdi->activeSubWindow();
    OuvreAide(this, contexte);
}

void TFenPrinc::Mosaique() {
    m_mdi->tileSubWindows();
}

// The icons of the minimised windows, side by side along the bottom of the area, in rows going up.
void TFenPrinc::ReorganiseIcones() {
    const int largeur = m_mdi->viewport()->width();
    int x = 0, bas = m_mdi->viewport()->height(), hauteurRangee = 0;
    for (QMdiSubWindow* sous : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (!sous->isMinimized() || !sous->isVisible()) continue;
        const QSize icone = sous->size();
        if (x > 0 && x + icone.width() > largeur) {
            x = 0;
            bas -= hauteurRangee;
            hauteurRangee = 0;
        }
        sous->move(x, bas - icone.height());
        x += icone.width();
        hauteurRangee = std::max(hauteurRangee, icone.height());
    }
}

// --- Services

void TFenPrinc::SetStatusText(const QString& texte) {
    m_etat->SetStatusText(texte);
}

void TFenPrinc::ResetProgress() {
    m_etat->ResetProgress();
}

std::function<void(int32_t)> TFenPrinc::Etapes(int nbEtapes) {
    // The bar's 200 steps over about a hundred calls per stage.
    return m_etat->Jauge(std::max(1, 2 / std::max(1, nbEtapes)));
}

TFenNavig* TFenPrinc::Navigation() {
    return m_panneau->Navig();
}

t3::Corpus& TFenPrinc::CorpusModele() {
    return m_atelier->CorpusModele();
}

t3::charg1* TFenPrinc::Chargeur() {
    return m_atelier->Chargeur();
}

RapportCourant* TFenPrinc::Rapport() {
    return m_atelier->Rapport();
}

const t3::Tgen* TFenPrinc::GroupeCourant() const {
    return m_container->GroupeCourant();
}

// The base's text view, opened again through its navigation item if it was closed.
void TFenPrinc::MontreOccurrence(const t3::charg1* base, int32_t position) {
    QTreeWidgetItem* texte = TFenNavig::Enfant(Navigation()->NoeudBase(base), GenreNoeud::Texte);
    if (!texte) return;
    if (!TFenNavig::Fenetre(texte)) RouvrePage(texte);
    if (auto* vue = qobject_cast<TFenRuze*>(TFenNavig::Fenetre(texte))) {
        AmeneAuPremierPlan(vue);
        vue->MontreOccurrence(position);
    }
}

// --- Commands

void TFenPrinc::BtnCreerCorpClick() {
    TOptionsOpenDialog dialogue(this);
    if (!dialogue.Execute()) return;
    const QString chemin = dialogue.Fichier();
    QDir::setCurrent(QFileInfo(chemin).absolutePath());
    m_atelier->CreeBase(chemin);
}

void TFenPrinc::BtnOuvrirClick() {
    const QString chemin =
        Dialogues::FichierAOuvrir(this, "Ouverture d'une base Tessaron", "Fichiers paramètres (*.par)");
    if (chemin.isEmpty()) return;
    QDir::setCurrent(QFileInfo(chemin).absolutePath());
    m_atelier->OuvreBase(chemin);
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

void TFenPrinc::RemplitPmnPCLC() {
    m_pmnPCLC->clear();
    const t3::Corpus& corpus = CorpusModele();
    // With several bases open, each partition is named with its base.
    const bool plusieurs = corpus.NbChargeurs() > 1;
    for (int32_t i = 0; i < corpus.NbPartitions(); ++i) {
        const t3::Partition* partition = corpus.PartitionNo(i);
        QString nom = VersQt(partition->Base()->RetourneGraphie(partition->CleType(), false));
        if (plusieurs)
            nom += " - " + QFileInfo(CheminQt(partition->Base()->CheminFichier(".par"))).completeBaseName();
        m_pmnPCLC->addAction(nom, this, [this, i] { PmnPCLCChoix(i); });
    }
}

// The statistics window of the partition, found through its item in the navigation tree, on its base's
// sheet brought forward.
void TFenPrinc::PmnPCLCChoix(int partition) {
    const t3::Partition* choisie = CorpusModele().PartitionNo(partition);
    QWidget* statistiques = TFenNavig::Fenetre(m_panneau->Navig()->Rubrique(choisie, RubriqueStatistiques));
    if (!statistiques) return;
    MontreFeuille(choisie->Base());
    AmeneAuPremierPlan(statistiques);
}

// --- Closing

void TFenPrinc::closeEvent(QCloseEvent* evenement) {
    // A long command runs: stopped first, on the user's word; the workbench closes once it has ended.
    if (TachesDeFond& taches = TachesDeFond::Instance(); taches.Occupe()) {
        evenement->ignore();
        if (Dialogues::Message(this, QMessageBox::Question, "Tessaron3",
                               "La commande « " + taches.Texte() + " » est en cours. L'arrêter et quitter ?",
                               QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return;
        connect(&taches, &TachesDeFond::Finie, this, &QWidget::close,
                static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
        taches.Annule();
        return;
    }
    if (m_atelier->AccepteFermeture())
        evenement->accept();
    else
        evenement->ignore();
}

} // namespace t3ui
