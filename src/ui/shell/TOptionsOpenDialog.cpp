#include "ui/shell/TOptionsOpenDialog.h"

#include "ui/segmentation/TFenCreerCorpus.h"
#include "ui/shell/Dialogues.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace t3ui {

const QString TOptionsOpenDialog::Filtre = QStringLiteral(
    "Documents textes et word (*.txt *.doc *.docx *.odt);;Documents Word (*.doc *.docx *.odt);;"
    "Fichiers Texte (*.txt)");

TOptionsOpenDialog::TOptionsOpenDialog(QWidget* parent) : QFileDialog(parent) {
    setObjectName("OptionsOpenDialog");
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    setNameFilter(Filtre);
    setNameFilters(Filtre.split(";;"));
    auto* panneau = new QWidget;
    panneau->setObjectName("PanneauOptions");
    panneau->setFixedHeight(32);
    auto* disposition = new QHBoxLayout(panneau);
    disposition->setContentsMargins(2, 2, 2, 2);
    m_bouton = new QPushButton("Options...");
    m_bouton->setObjectName("BtnOptionsOuverture");
    m_bouton->setToolTip("Options avancées (Regroupement de textes, etc.)");
    disposition->addWidget(m_bouton);
    auto* titre = new QLabel("Tessaron 3");
    titre->setFont(QFont("Times New Roman", 14));
    titre->setStyleSheet("color: blue;");
    disposition->addWidget(titre, 1, Qt::AlignCenter);
    if (auto* grille = qobject_cast<QGridLayout*>(layout()))
        grille->addWidget(panneau, grille->rowCount(), 0, 1, grille->columnCount());
    connect(m_bouton, &QPushButton::clicked, this, &TOptionsOpenDialog::BoutonOptionsClick);
}

bool TOptionsOpenDialog::Execute() {
    return Dialogues::Execute(this) == QDialog::Accepted && !Fichier().isEmpty();
}

QString TOptionsOpenDialog::Fichier() const {
    return m_choix.isEmpty() ? selectedFiles().value(0) : m_choix;
}

void TOptionsOpenDialog::ChoisitFichier(const QString& chemin) {
    const QFileInfo info(chemin);
    setDirectory(info.absolutePath());
    selectFile(info.fileName());
    m_choix = info.absoluteFilePath();
}

void TOptionsOpenDialog::BoutonOptionsClick() {
    TFenCreerCorpus assemblage(this);
    if (Dialogues::Execute(&assemblage) == QDialog::Accepted && !assemblage.FichierSauve().isEmpty())
        ChoisitFichier(assemblage.FichierSauve());
}

} // namespace t3ui
