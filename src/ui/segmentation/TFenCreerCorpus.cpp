#include "ui/segmentation/TFenCreerCorpus.h"

#include "engine/Globaux.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/Images.h"
#include "ui/shell/TexteQt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace t3ui {

int ModeleFichiers::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_fichiers.size());
}

int ModeleFichiers::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant ModeleFichiers::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const t3::Fic& fic = m_fichiers[static_cast<size_t>(index.row())];
    if (role == Qt::DecorationRole && index.column() == 0)
        return IconeNavigation(t3::EstDocument(fic.Type()) ? 1 : fic.Type() == t3::TypeTexte ? 0 : -1);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
    case 0:
        return QString::fromStdString(fic.Nom());
    case 1:
        return QString::fromStdString(fic.Chemin());
    case 2:
        return QString::fromUtf8(t3::LibelleType(fic.Type()));
    default:
        return QString::number(fic.Taille());
    }
}

QVariant ModeleFichiers::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const titres[] = {"Nom", "Chemin", "Type", "Taille"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 3) return {};
    return QString::fromUtf8(titres[section]);
}

void ModeleFichiers::Recharge() {
    beginResetModel();
    endResetModel();
}

TFenCreerCorpus::TFenCreerCorpus(QWidget* parent) : QDialog(parent) {
    setObjectName("FenCreerCorpus");
    setWindowTitle("Création de Corpus");
    m_modele = new ModeleFichiers(m_fichiers, this);
    m_lvFiles = new QTableView;
    m_lvFiles->setObjectName("LVFiles");
    m_lvFiles->setModel(m_modele);
    m_lvFiles->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lvFiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lvFiles->verticalHeader()->hide();
    const int largeurs[] = {100, 200, 75, 75};
    for (int i = 0; i < 4; ++i)
        m_lvFiles->setColumnWidth(i, largeurs[i]);

    auto* btnAdd = new QPushButton("&Ajouter");
    btnAdd->setObjectName("BtnAdd");
    auto* btnDel = new QPushButton("&Effacer");
    btnDel->setObjectName("BtnDel");
    connect(btnAdd, &QPushButton::clicked, this, &TFenCreerCorpus::BtnAddClick);
    connect(btnDel, &QPushButton::clicked, this, &TFenCreerCorpus::BtnDelClick);

    // The size shown in bytes; the count of occurrences and the separators are not computed yet.
    auto* rbOct = new QRadioButton("Octets");
    rbOct->setObjectName("RBOct");
    rbOct->setChecked(true);
    auto* rbOcc = new QRadioButton("Occurrences");
    rbOcc->setObjectName("RBOcc");
    auto* edSep = new QLineEdit(VersQt(t3::DelimParDefaut) + QStringLiteral("¶"));
    edSep->setObjectName("EdSep");
    m_edNomCle = new QLineEdit("titre");
    m_edNomCle->setObjectName("EdNomCle");

    auto* options = new QGroupBox(" Options Word ");
    m_chkTrait = new QCheckBox("Traitement des paragraphes :");
    m_chkTrait->setObjectName("ChkTrait");
    m_rbCar = new QRadioButton("Caractère spécial :");
    m_rbCar->setObjectName("RBCar");
    m_rbCar->setChecked(true);
    m_edCar = new QLineEdit(QStringLiteral("¶"));
    m_edCar->setObjectName("EdCar");
    m_rbCle = new QRadioButton("Clé :");
    m_rbCle->setObjectName("RBCle");
    m_edCle = new QLineEdit("parag");
    m_edCle->setObjectName("EdCle");
    auto* choix = new QButtonGroup(this);
    choix->addButton(m_rbCar);
    choix->addButton(m_rbCle);
    connect(m_chkTrait, &QCheckBox::toggled, this, &TFenCreerCorpus::ChkTraitClick);
    auto* grilleOptions = new QGridLayout(options);
    grilleOptions->addWidget(m_chkTrait, 0, 0, 1, 2);
    grilleOptions->addWidget(m_rbCar, 1, 0);
    grilleOptions->addWidget(m_edCar, 1, 1);
    grilleOptions->addWidget(m_rbCle, 2, 0);
    grilleOptions->addWidget(m_edCle, 2, 1);
    ChkTraitClick();

    auto* btnSave = new QPushButton("&Sauvegarder");
    btnSave->setObjectName("BtnSave");
    auto* btnAnnuler = new QPushButton("&Annuler");
    btnAnnuler->setObjectName("BtnAnnuler");
    connect(btnSave, &QPushButton::clicked, this, &TFenCreerCorpus::BtnSaveClick);
    connect(btnAnnuler, &QPushButton::clicked, this, &QDialog::reject);

    auto* droite = new QVBoxLayout;
    droite->addWidget(btnAdd);
    droite->addWidget(btnDel);
    droite->addWidget(new QLabel("Taille :"));
    droite->addWidget(rbOct);
    droite->addWidget(rbOcc);
    droite->addWidget(new QLabel("Séparateurs :"));
    droite->addWidget(edSep);
    droite->addWidget(new QLabel("Nom de la clé :"));
    droite->addWidget(m_edNomCle);
    droite->addWidget(options);
    droite->addStretch();
    droite->addWidget(btnSave);
    droite->addWidget(btnAnnuler);
    auto* disposition = new QHBoxLayout(this);
    disposition->addWidget(m_lvFiles, 1);
    disposition->addLayout(droite);
    resize(720, 420);
}

void TFenCreerCorpus::Ajoute(const QStringList& chemins) {
    for (const QString& chemin : chemins)
        t3::AjouteFic(m_fichiers, CheminLocal(chemin));
    m_modele->Recharge();
}

void TFenCreerCorpus::BtnAddClick() {
    Ajoute(Dialogues::FichiersAOuvrir(this, "Ajouter un ou des fichiers",
                                      "Documents textes et word (*.txt *.doc *.docx *.odt);;"
                                      "Documents Word (*.doc *.docx *.odt);;Fichiers Texte (*.txt)"));
}

// Removes the selected files from the list.
void TFenCreerCorpus::BtnDelClick() {
    QList<int> lignes;
    for (const QModelIndex& index : m_lvFiles->selectionModel()->selectedRows())
        lignes << index.row();
    std::sort(lignes.begin(), lignes.end(), std::greater<>());
    for (int ligne : lignes)
        m_fichiers.erase(m_fichiers.begin() + ligne);
    m_modele->Recharge();
}

void TFenCreerCorpus::ChkTraitClick() {
    const bool actif = m_chkTrait->isChecked();
    for (QWidget* controle : {static_cast<QWidget*>(m_rbCar), static_cast<QWidget*>(m_edCar),
                              static_cast<QWidget*>(m_rbCle), static_cast<QWidget*>(m_edCle)})
        controle->setEnabled(actif);
}

void TFenCreerCorpus::BtnSaveClick() {
    switch (t3::SauvegardeDe(m_fichiers)) {
    case t3::Sauvegarde::Rien:
        break;
    case t3::Sauvegarde::FichierSeul:
        m_fichierSauve = QString::fromStdString(m_fichiers.front().Chemin());
        break;
    case t3::Sauvegarde::Assemblage: {
        const QString chemin =
            Dialogues::FichierAEnregistrer(this, "Sauvegarder le corpus sous...", "Fichiers texte (*.txt)");
        if (chemin.isEmpty()) break;
        const std::string option =
            t3::ParagraphOptionString(m_chkTrait->isChecked(), m_rbCar->isChecked(),
                                      m_edCar->text().toStdString(), m_edCle->text().toStdString());
        const t3::Resultat<std::vector<std::string>> assemble =
            t3::AssembleCorpus(m_fichiers, m_edNomCle->text().toStdString(), option, CheminLocal(chemin));
        QStringList lignes;
        if (assemble) {
            m_fichierSauve = chemin;
            for (const std::string& avertissement : *assemble)
                lignes << QString::fromStdString(avertissement);
        } else {
            lignes << QString::fromStdString(assemble.Message());
        }
        if (!lignes.isEmpty()) Dialogues::Message(this, QMessageBox::Warning, "Tessaron3", lignes.join('\n'));
        break;
    }
    }
    accept();
}

} // namespace t3ui
