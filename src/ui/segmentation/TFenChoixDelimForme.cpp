#include "ui/segmentation/TFenChoixDelimForme.h"

#include "engine/Globaux.h"
#include "engine/socle/Cp1252.h"
#include "ui/shell/AideContextuelle.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/TexteQt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace t3ui {

TFenChoixDelimForme::TFenChoixDelimForme(QWidget* parent) : QDialog(parent) {
    setObjectName("FenChoixDelimForme");
    setWindowTitle("Choix des délimiteurs de forme");
    auto* cadre = new QFrame;
    cadre->setFrameShape(QFrame::StyledPanel);
    auto* lb = new QLabel("Délimiteurs :");
    lb->setObjectName("LbDelims");
    QFont gras = lb->font();
    gras.setBold(true);
    lb->setFont(gras);
    m_edDelims = new QLineEdit(VersQt(t3::DelimParDefaut));
    m_edDelims->setObjectName("EdDelims");
    m_edDelims->setMinimumWidth(357);
    auto* lbEncodage = new QLabel("Encodage du texte :");
    lbEncodage->setObjectName("LbEncodage");
    m_cbEncodage = new QComboBox;
    m_cbEncodage->setObjectName("CbEncodage");
    m_cbEncodage->addItem(t3::LibelleEncodage(t3::Encodage::Cp1252), static_cast<int>(t3::Encodage::Cp1252));
    m_cbEncodage->addItem(t3::LibelleEncodage(t3::Encodage::Utf8), static_cast<int>(t3::Encodage::Utf8));
    lbEncodage->setBuddy(m_cbEncodage);
    m_chkTypographie =
        new QCheckBox("Typographie française (espaces insécables lues comme des blancs, « » ’ “ ” … "
                      "délimiteurs)");
    m_chkTypographie->setObjectName("ChkTypographie");
    auto* ligneEncodage = new QHBoxLayout;
    ligneEncodage->addWidget(lbEncodage);
    ligneEncodage->addWidget(m_cbEncodage, 1);
    auto* dansCadre = new QVBoxLayout(cadre);
    dansCadre->addWidget(lb);
    dansCadre->addWidget(m_edDelims);
    dansCadre->addLayout(ligneEncodage);
    dansCadre->addWidget(m_chkTypographie);
    auto* boutons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(boutons, &QDialogButtonBox::helpRequested, this, [this] { OuvreAide(this, this); });
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(cadre);
    disposition->addWidget(boutons);
    setFixedSize(sizeHint().expandedTo(QSize(377, 96)));
}

QString TFenChoixDelimForme::Delimiteurs() const {
    return m_edDelims->text();
}

void TFenChoixDelimForme::SetEncodageDetecte(t3::Encodage encodage) {
    for (int i = 0; i < m_cbEncodage->count(); ++i) {
        const auto e = static_cast<t3::Encodage>(m_cbEncodage->itemData(i).toInt());
        m_cbEncodage->setItemText(i, QString::fromUtf8(t3::LibelleEncodage(e)) +
                                         (e == encodage ? " (détecté)" : ""));
        if (e == encodage) m_cbEncodage->setCurrentIndex(i);
    }
}

t3::Encodage TFenChoixDelimForme::Encodage() const {
    return static_cast<t3::Encodage>(m_cbEncodage->currentData().toInt());
}

bool TFenChoixDelimForme::Typographie() const {
    return m_chkTypographie->isChecked();
}

void TFenChoixDelimForme::accept() {
    const std::string absents = t3::HorsCp1252(m_edDelims->text().toStdString());
    if (absents.empty()) {
        QDialog::accept();
        return;
    }
    Dialogues::Information(this, "Ces caractères ne peuvent servir de délimiteurs (ils n'existent pas en "
                                 "Windows-1252) : " +
                                     QString::fromStdString(absents));
    m_edDelims->setFocus();
}

} // namespace t3ui
