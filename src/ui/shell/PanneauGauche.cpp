#include "shell/PanneauGauche.h"

#include "shell/TFenNavig.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace t3ui {

PanneauGauche::PanneauGauche() {
    setObjectName("PanneauFond");
    setFixedWidth(Largeur);
    auto* fond = new QHBoxLayout(this);
    fond->setContentsMargins(0, 0, 0, 0);
    fond->setSpacing(0);
    m_listesGauche = new QTabWidget;
    m_listesGauche->setObjectName("ListesGauche");
    connect(m_listesGauche, &QTabWidget::tabCloseRequested, this, [this](int page) {
        if (!m_pagesFixes.contains(m_listesGauche->widget(page))) m_listesGauche->widget(page)->close();
    });
    connect(m_listesGauche, &QTabWidget::tabBarDoubleClicked, this, &PanneauGauche::DetachePage);
    m_listesGauche->setToolTip("Double-cliquez sur un onglet pour en faire une fenêtre flottante");
    m_listesGauche->addTab(PageNavigation(), "Navigation");
    m_listesGauche->addTab(PageRapport(), "Rapport");
    m_pagesFixes = {m_listesGauche->widget(0), m_listesGauche->widget(1)};
    fond->addWidget(m_listesGauche);
    fond->addWidget(BandeRetreci());
}

PanneauGauche::~PanneauGauche() {
    // The floating pages are top-level windows of their own: they go with the panel.
    qDeleteAll(m_pagesFlottantes);
}

QWidget* PanneauGauche::PageNavigation() {
    auto* tabNavig = new QWidget;
    tabNavig->setObjectName("TabNavig");
    auto* panneauNavig = new QWidget(tabNavig);
    panneauNavig->setObjectName("PanneauNavig");
    auto* page = new QVBoxLayout(tabNavig);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(panneauNavig);
    m_navig = new TFenNavig;
    auto* navig = new QVBoxLayout(panneauNavig);
    navig->setContentsMargins(0, 0, 0, 0);
    navig->addWidget(m_navig);
    return tabNavig;
}

QWidget* PanneauGauche::PageRapport() {
    auto* sheetRap = new QWidget;
    sheetRap->setObjectName("SheetRap");
    auto* rapport = new QVBoxLayout(sheetRap);
    rapport->setContentsMargins(0, 0, 0, 0);
    m_treeViewRapport = new QTreeWidget;
    m_treeViewRapport->setObjectName("TreeViewRapport");
    m_treeViewRapport->setHeaderHidden(true);
    m_treeViewRapport->addTopLevelItem(new QTreeWidgetItem(QStringList{"Table des matières"}));
    m_treeViewRapport->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                       QAbstractItemView::SelectedClicked);
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
    boutons->addWidget(nouveau);
    boutons->addWidget(m_btnSauvRapport);
    boutons->addStretch();
    rapport->addLayout(boutons);
    return sheetRap;
}

QWidget* PanneauGauche::BandeRetreci() {
    auto* bande = new QWidget;
    bande->setObjectName("PanBtnRetreci");
    bande->setFixedWidth(10);
    auto* disposition = new QVBoxLayout(bande);
    disposition->setContentsMargins(0, 0, 0, 0);
    auto* retreci = new QToolButton;
    retreci->setObjectName("BtnRetreci");
    retreci->setText("|<");
    retreci->setToolTip("Cacher / montrer le panneau de navigation");
    retreci->setFixedWidth(10);
    connect(retreci, &QToolButton::clicked, this, &PanneauGauche::BtnRetreciClick);
    disposition->addWidget(retreci);
    disposition->addStretch();
    return bande;
}

void PanneauGauche::DockeDansListesGauche(QWidget* fenetre, const QString& titre) {
    m_listesGauche->setTabsClosable(true);
    m_listesGauche->addTab(fenetre, titre);
    // The navigation and report pages stay.
    for (QWidget* page : m_pagesFixes)
        if (const int index = m_listesGauche->indexOf(page); index >= 0)
            m_listesGauche->tabBar()->setTabButton(index, QTabBar::RightSide, nullptr);
}

void PanneauGauche::MontreDernierePage() {
    m_listesGauche->setCurrentIndex(m_listesGauche->count() - 1);
}

void PanneauGauche::DetachePage(int page) {
    QWidget* fenetre = m_listesGauche->widget(page);
    if (!fenetre || m_listesGauche->count() < 2) return;
    const QString titre = m_listesGauche->tabText(page);
    const QSize taille = fenetre->size();
    m_listesGauche->removeTab(page);
    fenetre->setParent(window(), Qt::Tool);
    fenetre->setWindowTitle(titre);
    fenetre->resize(taille);
    fenetre->installEventFilter(this);
    m_pagesFlottantes.append(fenetre);
    fenetre->show();
}

// A floating page asked to close goes back into ListesGauche (the tab's own button closes a list).
bool PanneauGauche::eventFilter(QObject* objet, QEvent* evenement) {
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
    return QWidget::eventFilter(objet, evenement);
}

void PanneauGauche::BtnRetreciClick() {
    const bool replie = width() > Largeur - 1;
    setFixedWidth(replie ? LargeurReduite : Largeur);
    m_listesGauche->setVisible(!replie);
}

} // namespace t3ui
