#include "ui/shell/Feuilles.h"

#include "ui/shell/Dialogues.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTabBar>

namespace t3ui {

Feuilles::Feuilles(QMdiArea* mdi) : QObject(mdi), m_mdi(mdi) {
    m_onglets = new QTabBar;
    m_onglets->setObjectName("OngletsFeuilles");
    m_onglets->setShape(QTabBar::RoundedEast);
    m_onglets->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_onglets, &QTabBar::currentChanged, this, &Feuilles::ChangeFeuille);
    // A right click on a tab tells its caption; beside the tabs, nothing.
    connect(m_onglets, &QTabBar::customContextMenuRequested, this, [this](const QPoint& point) {
        const int onglet = m_onglets->tabAt(point);
        if (onglet >= 0) Dialogues::Information(m_onglets->window(), m_onglets->tabText(onglet));
    });
}

void Feuilles::AjouteFeuille(bool devientCourante) {
    ++m_compteur;
    m_feuilles.emplace_back();
    const int onglet = m_onglets->addTab(QString("Feuille %1").arg(m_compteur));
    if (devientCourante) m_onglets->setCurrentIndex(onglet);
}

void Feuilles::ChangeFeuille(int nouvelle) {
    const int quittee = m_active;
    m_active = nouvelle;
    if (quittee < 0 || quittee == nouvelle || nouvelle < 0) return;
    QList<QPointer<QWidget>>& fenetres = m_feuilles[static_cast<size_t>(quittee)];
    fenetres.clear();
    for (QMdiSubWindow* sous : m_mdi->subWindowList()) {
        if (sous->isVisible()) fenetres.append(sous);
        sous->hide();
    }
    for (const QPointer<QWidget>& sous : m_feuilles[static_cast<size_t>(nouvelle)])
        if (sous) sous->show();
    m_mdi->tileSubWindows();
}

QList<QWidget*> Feuilles::FenetresFeuille(int feuille) const {
    QList<QWidget*> fenetres;
    if (feuille < 0 || feuille >= NbFeuilles()) return fenetres;
    for (const QPointer<QWidget>& sous : m_feuilles[static_cast<size_t>(feuille)]) {
        if (!sous) continue;
        auto* mdi = qobject_cast<QMdiSubWindow*>(sous.data());
        fenetres.append(mdi ? mdi->widget() : sous.data());
    }
    return fenetres;
}

QMenu* Feuilles::MenuDeplacement(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName("MenuDeplacement");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // "Nouvelle feuille" makes a sheet and moves the active window onto it.
    menu->addAction("Nouvelle feuille", this, [this] {
        if (!m_mdi->activeSubWindow()) return;
        AjouteFeuille(false);
        DeplaceVersFeuille(NbFeuilles() - 1);
    });
    for (int feuille = 0; feuille < m_onglets->count(); ++feuille)
        if (feuille != m_onglets->currentIndex())
            menu->addAction(m_onglets->tabText(feuille), this,
                            [this, feuille] { DeplaceVersFeuille(feuille); });
    return menu;
}

void Feuilles::DeplaceVersFeuille(int feuille) {
    QMdiSubWindow* active = m_mdi->activeSubWindow();
    if (!active || feuille < 0 || feuille >= NbFeuilles()) return;
    m_feuilles[static_cast<size_t>(feuille)].append(active);
    active->hide();
}

} // namespace t3ui
