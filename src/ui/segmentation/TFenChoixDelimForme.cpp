#include "segmentation/TFenChoixDelimForme.h"

#include "Globaux.h"
#include "segmentation/Cp1252.h"
#include "shell/Dialogues.h"
#include "shell/TexteQt.h"

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
    auto* dansCadre = new QVBoxLayout(cadre);
    dansCadre->addWidget(lb);
    dansCadre->addWidget(m_edDelims);
    auto* boutons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(cadre);
    disposition->addWidget(boutons);
    setFixedSize(sizeHint().expandedTo(QSize(377, 96)));
}

QString TFenChoixDelimForme::Delimiteurs() const {
    return m_edDelims->text();
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
