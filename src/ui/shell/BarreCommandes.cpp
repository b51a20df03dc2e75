#include "ui/shell/BarreCommandes.h"

#include "ui/shell/Images.h"
#include "ui/shell/TacheDeFond.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

namespace t3ui {

BarreCommandes::BarreCommandes(QMainWindow* cadre, std::vector<CommandeCadre> commandes, QWidget* widget,
                               int rangWidget, const QStringList& menus)
    : QObject(cadre), m_commandes(std::move(commandes)) {
    std::stable_sort(m_commandes.begin(), m_commandes.end(),
                     [](const CommandeCadre& a, const CommandeCadre& b) { return a.rang < b.rang; });
    m_barre = new QToolBar("Panel1", cadre);
    m_barre->setObjectName("Panel1");
    m_barre->setMovable(false);
    m_barre->setFixedHeight(52);
    m_barre->setIconSize(QSize(24, 24));
    auto* logo = new QLabel;
    logo->setObjectName("Logo");
    logo->setPixmap(Logo(250, 42));
    m_logo = m_barre->addWidget(logo);
    m_barre->installEventFilter(this);
    bool widgetPlace = false;
    for (const CommandeCadre& c : m_commandes) {
        if (!widgetPlace && c.rang > rangWidget) {
            m_barre->addWidget(widget);
            widgetPlace = true;
        }
        auto* action =
            new QAction(Glyphe(c.glyphe, c.teinte), c.article.isEmpty() ? c.aide : c.article, cadre);
        action->setObjectName(c.nom);
        action->setToolTip(c.aide);
        action->setEnabled(!c.base);
        if (!c.raccourci.isEmpty()) action->setShortcut(QKeySequence(c.raccourci));
        connect(action, &QAction::triggered, cadre, c.action);
        m_barre->addAction(action);
        QWidget* bouton = m_barre->widgetForAction(action);
        bouton->setObjectName(c.nom);
        bouton->setToolTipDuration(DureeBulles);
        m_actions.insert(c.nom, action);
    }
    cadre->addToolBar(Qt::TopToolBarArea, m_barre);
    ConstruitMenus(cadre, menus);
    SuitTaches();
}

// The commands that neither compute nor change the bases stay at hand during a long command: the windows'
// layout, the sheets, the published report, the help, and leaving (which asks about the command).
void BarreCommandes::SuitTaches() {
    static const QStringList libres = {"BtnMosaique", "BtnVaVersFeuille", "BtnNvFeuille",
                                       "BtnEdit",     "HelpBtn",          "ExitBtn"};
    TachesDeFond& taches = TachesDeFond::Instance();
    connect(&taches, &TachesDeFond::Commencee, this, [this] {
        for (auto c = m_actions.cbegin(); c != m_actions.cend(); ++c)
            if (!libres.contains(c.key())) {
                m_activesAvantTache.insert(c.value(), c.value()->isEnabled());
                c.value()->setEnabled(false);
            }
    });
    connect(&taches, &TachesDeFond::Finie, this, [this] {
        for (auto a = m_activesAvantTache.cbegin(); a != m_activesAvantTache.cend(); ++a)
            a.key()->setEnabled(a.value());
        m_activesAvantTache.clear();
    });
}

void BarreCommandes::ConstruitMenus(QMainWindow* cadre, const QStringList& menus) {
    std::vector<const CommandeCadre*> articles;
    for (const CommandeCadre& c : m_commandes)
        if (!c.menu.isEmpty()) articles.push_back(&c);
    std::stable_sort(articles.begin(), articles.end(), [](const CommandeCadre* a, const CommandeCadre* b) {
        return a->placeMenu < b->placeMenu;
    });
    for (const QString& titre : menus) {
        QMenu* menu = cadre->menuBar()->addMenu(titre);
        menu->setObjectName(titre);
        m_menus.insert(titre, menu);
        const auto dernier = std::find_if(articles.rbegin(), articles.rend(),
                                          [&](const CommandeCadre* c) { return c->menu == titre; });
        for (const CommandeCadre* c : articles) {
            if (c->menu != titre) continue;
            // "&Quitter" stands apart from the other items of "&Fichier".
            if (titre == "&Fichier" && c == *dernier) menu->addSeparator();
            menu->addAction(m_actions.value(c->nom));
        }
    }
}

bool BarreCommandes::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == m_barre && evenement->type() == QEvent::Resize) AjusteLogo();
    return false;
}

// The logo gives way to the commands when the window is too narrow for both: no button goes to the
// toolbar's overflow while the logo takes its place.
void BarreCommandes::AjusteLogo() {
    const int espacement = m_barre->layout() ? m_barre->layout()->spacing() : 0;
    int besoin = 2 * m_barre->style()->pixelMetric(QStyle::PM_ToolBarExtensionExtent, nullptr, m_barre);
    for (QAction* action : m_barre->actions())
        if (QWidget* element = m_barre->widgetForAction(action); element && action != m_logo)
            besoin += element->sizeHint().width() + espacement;
    const int logo = m_barre->widgetForAction(m_logo)->sizeHint().width() + espacement;
    m_logo->setVisible(m_barre->width() >= besoin + logo);
}

QWidget* BarreCommandes::Bouton(const QString& nom) const {
    QAction* action = m_actions.value(nom);
    return action ? m_barre->widgetForAction(action) : nullptr;
}

void BarreCommandes::ActiveCommandesBase() {
    for (const CommandeCadre& c : m_commandes)
        if (c.base) {
            QAction* action = m_actions.value(c.nom);
            // During a long command, enabled at its end.
            if (m_activesAvantTache.contains(action))
                m_activesAvantTache[action] = true;
            else
                action->setEnabled(true);
        }
}

} // namespace t3ui
