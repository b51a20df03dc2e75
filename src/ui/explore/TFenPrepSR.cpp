#include "ui/explore/TFenPrepSR.h"

#include "engine/corpus/charg1.h"
#include "engine/explore/ParamSR.h"
#include "ui/shell/TexteQt.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace t3ui {

namespace {

const QString AideListes = "Cochez les délimiteurs de séquence";

// The entries [premiere, premiere + nombre) of the base, checked, each row holding its entry number.
QListWidget* Liste(const char* nom, const t3::charg1& base, int32_t premiere, int32_t nombre) {
    auto* liste = new QListWidget;
    liste->setObjectName(nom);
    liste->setToolTip(AideListes);
    for (int32_t entree = premiere; entree < premiere + nombre; ++entree) {
        auto* ligne = new QListWidgetItem(VersQt(base.RetourneGraphie(entree, false)), liste);
        ligne->setData(Qt::UserRole, entree);
        ligne->setCheckState(Qt::Checked);
    }
    return liste;
}

// A threshold from 2 to the base's highest frequency, starting at 10 or at that frequency if lower.
QSpinBox* Seuil(const char* nom, const t3::charg1& base) {
    auto* seuil = new QSpinBox;
    seuil->setObjectName(nom);
    seuil->setRange(t3::SeuilSRMinimal, std::max(t3::SeuilSRMinimal, base.Fmax()));
    seuil->setValue(t3::SeuilSRParDefaut(base));
    return seuil;
}

QLabel* Etiquette(const char* nom, const QString& texte) {
    auto* etiquette = new QLabel(texte);
    etiquette->setObjectName(nom);
    return etiquette;
}

} // namespace

TFenPrepSR::TFenPrepSR(QWidget* owner, const t3::charg1& base) : QDialog(owner) {
    setObjectName("FenPrepSR");
    setWindowTitle("Paramétrage du calcul des segments répétés");
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    QFont gras = font();
    gras.setBold(true);
    setFont(gras);

    m_delims = Liste("ListDelims", base, base.Nbform(), base.Nbartponct());
    // Keys never end a segment: shown, not offered.
    m_cles = Liste("ListCles", base, base.Nbform() + base.Nbartponct(), base.Nbcle());
    m_cles->setEnabled(false);
    auto* aideCles = Etiquette("LbCles", "Les clés sont ignorées : elles ne terminent jamais un segment.");
    aideCles->setWordWrap(true);
    m_cles->setToolTip(aideCles->text());
    m_editSR = Seuil("EditSR", base);
    m_editForme = Seuil("EditForme", base);
    auto* labelForme = Etiquette("Label1", "Seuil de sélection des formes :");
    labelForme->hide();
    m_editForme->hide();

    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    boutons->button(QDialogButtonBox::Ok)->setObjectName("BitBtn1");
    boutons->button(QDialogButtonBox::Cancel)->setObjectName("BitBtn2");
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(Etiquette("LbDelimSq", "Délimiteurs de séquence :"));
    disposition->addWidget(m_delims, 1);
    disposition->addWidget(m_cles, 1);
    disposition->addWidget(aideCles);
    disposition->addWidget(Etiquette("Label2", "Seuil de sélection des segments :"));
    disposition->addWidget(m_editSR);
    disposition->addWidget(labelForme);
    disposition->addWidget(m_editForme);
    disposition->addWidget(boutons);
    disposition->setSizeConstraint(QLayout::SetFixedSize);
}

std::set<int32_t> TFenPrepSR::Delimiteurs() const {
    std::set<int32_t> jeu;
    for (int i = 0; i < m_delims->count(); ++i)
        if (m_delims->item(i)->checkState() == Qt::Checked)
            jeu.insert(m_delims->item(i)->data(Qt::UserRole).toInt());
    return jeu;
}

int32_t TFenPrepSR::SeuilFormes() const {
    return m_editForme->value();
}

int32_t TFenPrepSR::SeuilSegments() const {
    return m_editSR->value();
}

} // namespace t3ui
