#include "ui/explore/TFenParamCarte.h"

#include "ui/explore/Pastille.h"
#include "ui/shell/Dialogues.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace t3ui {

namespace {

bool Entier(const QLineEdit* champ, int32_t& valeur) {
    bool ok = false;
    const int v = champ->text().trimmed().toInt(&ok);
    if (ok) valeur = v;
    return ok;
}

} // namespace

TFenParamCarte::TFenParamCarte(QWidget* parent, t3::Couleur couleur, int32_t seuil1, int32_t seuil2)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_seuil1(seuil1), m_seuil2(seuil2) {
    setObjectName("FenParamCarte");
    setWindowTitle("Réglages");
    const t3::NuancesGroupe nuances = t3::Nuances(couleur);
    const t3::Couleur teintes[3] = {nuances.pleine, nuances.demiClaire, nuances.deuxTiersClaire};
    for (int i = 0; i < 3; ++i) {
        m_formes[i] = new Pastille(teintes[i]);
        m_formes[i]->setObjectName(QString("ShCol%1").arg(i + 1));
        m_formes[i]->setToolTip("Cliquer pour changer la couleur");
    }
    auto* forme = new Pastille(couleur);
    forme->setObjectName("Shape1");
    forme->setToolTip(QString());
    forme->setEnabled(false);
    m_edit1 = new QLineEdit(QString::number(seuil1));
    m_edit1->setObjectName("Edit1");
    m_edit2 = new QLineEdit(QString::number(seuil2));
    m_edit2->setObjectName("Edit2");
    for (QLineEdit* champ : {m_edit1, m_edit2})
        champ->setMaximumWidth(50);

    // The group's colour, then its three shades: each with the threshold from which it shows.
    auto* grille = new QGridLayout;
    grille->addWidget(new QLabel("Couleur"), 0, 0);
    grille->addWidget(forme, 0, 2);
    grille->addWidget(new QLabel("Seuil 1"), 1, 0);
    grille->addWidget(m_edit1, 1, 1);
    grille->addWidget(m_formes[0], 1, 2);
    grille->addWidget(new QLabel("Seuil 2"), 2, 0);
    grille->addWidget(m_edit2, 2, 1);
    grille->addWidget(m_formes[1], 2, 2);
    grille->addWidget(new QLabel("Présence"), 3, 0);
    grille->addWidget(m_formes[2], 3, 2);

    auto* ok = new QPushButton("OK");
    ok->setObjectName("BtnOK");
    ok->setDefault(true);
    auto* annuler = new QPushButton("Annuler");
    annuler->setObjectName("BtnAnnule");
    connect(ok, &QPushButton::clicked, this, &TFenParamCarte::accept);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(ok);
    boutons->addWidget(annuler);
    auto* disposition = new QVBoxLayout(this);
    disposition->addLayout(grille);
    disposition->addLayout(boutons);
    // Borderless: a frame of its own marks its edge.
    setStyleSheet("TFenParamCarte { border: 1px solid gray; }");
}

t3::NuancesGroupe TFenParamCarte::Nuances() const {
    return {m_formes[0]->GetCouleur(), m_formes[1]->GetCouleur(), m_formes[2]->GetCouleur()};
}

// Both thresholds must be whole numbers; the first one that is not is said so and the panel stays.
void TFenParamCarte::accept() {
    int32_t seuil1 = 0, seuil2 = 0;
    for (auto [champ, valeur] : {std::pair{m_edit1, &seuil1}, std::pair{m_edit2, &seuil2}})
        if (!Entier(champ, *valeur)) {
            Dialogues::Information(this,
                                   QString("« %1 » n'est pas une valeur entière valide.").arg(champ->text()));
            champ->setFocus();
            champ->selectAll();
            return;
        }
    m_seuil1 = seuil1;
    m_seuil2 = seuil2;
    QDialog::accept();
}

} // namespace t3ui
