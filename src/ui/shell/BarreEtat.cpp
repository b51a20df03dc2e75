#include "ui/shell/BarreEtat.h"

#include "ui/shell/TacheDeFond.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolButton>

#include <algorithm>

namespace t3ui {

BarreEtat::BarreEtat(QStatusBar* barre) : QObject(barre) {
    barre->setObjectName("StatusBar1");
    m_progression = new QProgressBar;
    m_progression->setObjectName("BarreProgression");
    m_progression->setRange(0, 200);
    m_progression->setValue(0);
    m_progression->setTextVisible(false);
    m_progression->setFixedWidth(200);
    barre->addWidget(m_progression);
    m_annuler = new QToolButton;
    m_annuler->setObjectName("BtnAnnulerCommande");
    m_annuler->setText("Annuler");
    m_annuler->setToolTip("Arrêter la commande en cours");
    m_annuler->setAutoRaise(true);
    // No taller than the bar: the status bar keeps its height, the button shown or not.
    m_annuler->setMaximumHeight(m_progression->minimumSizeHint().height());
    m_annuler->hide();
    barre->addWidget(m_annuler);
    const int largeurs[3] = {0, 175, 50};
    for (int i = 1; i < 3; ++i) {
        m_statut[i] = new QLabel;
        m_statut[i]->setObjectName(QString("Panneau%1").arg(i));
        m_statut[i]->setMinimumWidth(largeurs[i]);
        barre->addWidget(m_statut[i], i == 2 ? 1 : 0);
    }
    SuitTaches();
}

void BarreEtat::SuitTaches() {
    TachesDeFond& taches = TachesDeFond::Instance();
    connect(m_annuler, &QToolButton::clicked, &taches, &TachesDeFond::Annule);
    // The text of the command shows while it runs; the text it replaced comes back after.
    connect(&taches, &TachesDeFond::Commencee, this, [this](const QString& texte) {
        m_statutAvantTache = m_statut[1]->text();
        m_progression->setValue(0);
        SetStatusText(texte);
        m_annuler->show();
    });
    connect(&taches, &TachesDeFond::Avancee, this,
            [this](int pourMille) { m_progression->setValue(pourMille * m_progression->maximum() / 1000); });
    connect(&taches, &TachesDeFond::Finie, this, [this] {
        m_annuler->hide();
        ResetProgress();
        SetStatusText(m_statutAvantTache);
    });
}

void BarreEtat::SetStatusText(const QString& texte) {
    m_statut[1]->setText(texte);
    m_statut[1]->repaint();
}

void BarreEtat::SetCheminBase(const QString& chemin) {
    m_statut[2]->setText(chemin);
}

QString BarreEtat::TexteStatut(int panneau) const {
    return panneau >= 1 && panneau <= 2 ? m_statut[panneau]->text() : QString();
}

// The computations block the event loop: the bar is painted at once, but at most 25 times a second, so
// that a computation stepping it a hundred thousand times does not spend its time painting.
void BarreEtat::Avance(int pas) {
    const int valeur = std::min(m_progression->maximum(), m_progression->value() + pas);
    if (valeur == m_progression->value()) return;
    m_progression->setValue(valeur);
    if (m_peinte.isValid() && m_peinte.elapsed() < 40) return;
    m_progression->repaint();
    m_peinte.start();
}

void BarreEtat::ResetProgress() {
    m_progression->setValue(0);
}

std::function<void(int32_t)> BarreEtat::Jauge(int pas) {
    // The computation may outlive the window in a test: a bar already gone is not stepped.
    QPointer<BarreEtat> barre(this);
    return [barre, pas](int32_t) {
        if (barre) barre->Avance(pas);
    };
}

} // namespace t3ui
