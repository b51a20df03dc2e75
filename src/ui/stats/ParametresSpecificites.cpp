#include "ui/stats/ParametresSpecificites.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace t3ui {

namespace {

constexpr int SeuilDefaut = 5;
constexpr int FrequenceDefaut = 10;

QSpinBox* Boite(QVBoxLayout* disposition, const QString& libelle, const QString& aide, const QString& nom,
                int minimum, int maximum) {
    auto* etiquette = new QLabel(libelle);
    etiquette->setToolTip(aide);
    auto* boite = new QSpinBox;
    boite->setObjectName(nom);
    boite->setRange(minimum, std::max(minimum, maximum));
    etiquette->setBuddy(boite);
    disposition->addWidget(etiquette);
    disposition->addWidget(boite);
    return boite;
}

} // namespace

TFenParamSpecBase::TFenParamSpecBase(QWidget* parent, const QString& titre, const QString& nomSeuil,
                                     const QString& nomFrequence, int frequenceMax)
    : QDialog(parent) {
    setWindowTitle(titre);
    setModal(true);
    auto* disposition = new QVBoxLayout(this);
    m_seuil = Boite(disposition, "Seuil de probabilité :",
                    "Cette boîte vous permet de régler\nle coefficient à partir duquel une \nforme sera "
                    "considérée comme \nétant spécifique.",
                    nomSeuil, 0, 100);
    m_frequence =
        Boite(disposition, "Fréquence minimale :",
              "Cette boîte vous permet de régler\nla fréquence à partir de laquelle une \nforme sera "
              "incluse dans le calcul des\nspécifictés.",
              nomFrequence, 1, frequenceMax);
    m_seuil->setValue(SeuilDefaut);
    m_frequence->setValue(FrequenceDefaut);
    m_autres = new QVBoxLayout;
    disposition->addLayout(m_autres);
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    boutons->button(QDialogButtonBox::Ok)->setObjectName("BtnOK");
    boutons->button(QDialogButtonBox::Cancel)->setObjectName("BtnAnnuler");
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    disposition->addWidget(boutons);
}

int32_t TFenParamSpecBase::Seuil() const {
    return m_seuil->value();
}

int32_t TFenParamSpecBase::FreqMin() const {
    return m_frequence->value();
}

void TFenParamSpecBase::Centre() {
    adjustSize();
    if (const QScreen* ecran = QGuiApplication::primaryScreen())
        move(ecran->availableGeometry().center() - rect().center());
}

TFenParamSpec::TFenParamSpec(QWidget* parent, int32_t fmax)
    : TFenParamSpecBase(parent, "Paramétrage du calcul des spécificités", "CSpinEdit1", "CSpinEdit2", fmax) {
    setObjectName("FenParamSpec");
    Centre();
}

TFenParamSpecDiac::TFenParamSpecDiac(QWidget* parent, int32_t fmax, int32_t seuil, int32_t freqMin)
    : TFenParamSpecBase(parent, "Paramètrage des calculs des spécificités diachroniques", "CSpinEdit1",
                        "CSpinEdit2", fmax) {
    setObjectName("FenParamSpecDiac");
    BoiteSeuil()->setValue(seuil);
    BoiteFrequence()->setValue(freqMin);
    m_evolutives = new QCheckBox("Calculer les spécificités évolutives");
    m_evolutives->setObjectName("ChkSpEvl");
    m_evolutives->setChecked(true);
    m_chronologiques = new QCheckBox("Calculer les spécificités chronologiques");
    m_chronologiques->setObjectName("ChkSpChr");
    m_chronologiques->setEnabled(false);
    m_chronologiques->setToolTip("Les spécificités chronologiques ne sont pas calculées :\n"
                                 "seules les spécificités évolutives le sont.");
    Autres()->addWidget(m_evolutives);
    Autres()->addWidget(m_chronologiques);
    QPushButton* ok = findChild<QPushButton*>("BtnOK");
    connect(m_evolutives, &QCheckBox::toggled, ok, &QPushButton::setEnabled);
    Centre();
}

TFenParamSpecTot::TFenParamSpecTot(QWidget* parent, int32_t seuil, int32_t freqMin, bool toutesReference)
    : TFenParamSpecBase(parent, "FenParamSpecTot", "CSSeuil", "CSFreqMin", INT_MAX) {
    setObjectName("FenParamSpecTot");
    BoiteSeuil()->setValue(seuil);
    BoiteFrequence()->setValue(freqMin);
    m_restreint = new QCheckBox("Resteindre le corpus aux parties cochées");
    m_restreint->setObjectName("ChkCorpRef");
    m_restreint->setChecked(!toutesReference);
    m_restreint->setEnabled(!toutesReference);
    Autres()->addWidget(m_restreint);
}

bool TFenParamSpecTot::Restreint() const {
    return m_restreint->isChecked();
}

TFenParamSpecSect::TFenParamSpecSect(QWidget* parent, int32_t fmax)
    : TFenParamSpecBase(parent, "Paramétrage du calcul des spécificités", "CSpinEdit1", "CSpinEdit2", fmax) {
    setObjectName("FenParamSpecSect");
    BoiteFrequence()->setValue(2);
}

} // namespace t3ui
