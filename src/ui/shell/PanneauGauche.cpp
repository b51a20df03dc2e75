#include "ui/shell/PanneauGauche.h"

#include "ui/shell/TFenNavig.h"

#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QSplitter>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace t3ui {

PanneauGauche::PanneauGauche() {
    setObjectName("PanneauFond");
    setMinimumWidth(LargeurReduite);
    resize(Largeur, height());
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
    // Many pages scroll rather than push the first ones out of reach.
    m_listesGauche->tabBar()->setUsesScrollButtons(true);
    m_listesGauche->tabBar()->setElideMode(Qt::ElideNone);
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
    auto* retreci = m_btnRetreci = new QToolButton;
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
    const int page = m_listesGauche->addTab(fenetre, titre);
    m_listesGauche->setTabToolTip(page, fenetre->toolTip());
    // The navigation and report pages stay.
    for (QWidget* page : m_pagesFixes)
        if (const int index = m_listesGauche->indexOf(page); index >= 0)
            m_listesGauche->tabBar()->setTabButton(index, QTabBar::RightSide, nullptr);
    // A page wider than the unfolded panel widens it, so that its columns show whole.
    const int cadre = 2 * m_listesGauche->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 4;
    const int voulue = fenetre->minimumWidth() + cadre + (width() - m_listesGauche->width());
    if (m_listesGauche->isVisible() && voulue > width()) ChangeLargeur(voulue);
}

void PanneauGauche::MontreDernierePage() {
    m_listesGauche->setCurrentIndex(m_listesGauche->count() - 1);
}

void PanneauGauche::DetachePage(int page) {
    QWidget* fenetre = m_listesGauche->widget(page);
    if (!fenetre || m_listesGauche->count() < 2) return;
    const QString titre =
        m_listesGauche->tabText(page) +
        (fenetre->toolTip().isEmpty() ? "" : " - " + QFileInfo(fenetre->toolTip()).completeBaseName());
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
        DockeDansListesGauche(fenetre, fenetre->windowTitle().section(" - ", 0, 0));
        m_listesGauche->setCurrentWidget(fenetre);
        fenetre->show();
        return true;
    }
    return QWidget::eventFilter(objet, evenement);
}

void PanneauGauche::BtnRetreciClick() {
    const bool replie = width() > Largeur - 1;
    // Unfolded, the panel gets back the width it was folded from; a panel narrowed by hand gets 296.
    const int depliee = m_listesGauche->isVisible() ? int{Largeur} : std::max(m_largeurDepliee, int{Largeur});
    if (replie) m_largeurDepliee = width();
    m_listesGauche->setVisible(!replie);
    m_btnRetreci->setText(replie ? ">" : "|<");
    ChangeLargeur(replie ? LargeurReduite : depliee);
}

// Beside the MDI area the divider holds the width; alone, the panel takes it.
void PanneauGauche::ChangeLargeur(int largeur) {
    if (auto* separateur = qobject_cast<QSplitter*>(parentWidget())) {
        QList<int> tailles = separateur->sizes();
        const int total = tailles.value(0) + tailles.value(1);
        separateur->setSizes({largeur, std::max(0, total - largeur)});
    } else {
        resize(largeur, height());
    }
}

} // namespace t3ui
