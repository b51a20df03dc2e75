#include "ui/segmentation/TFenOpt.h"

#include "engine/Globaux.h"
#include "ui/shell/Chemins.h"
#include "ui/shell/Dialogues.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace t3ui {
namespace {

bool Entier(const QString& texte, int32_t& valeur) {
    bool ok = false;
    const int v = texte.trimmed().toInt(&ok);
    if (ok) valeur = v;
    return ok;
}

} // namespace

TFenOpt::TFenOpt(QWidget* parent) : QDialog(parent) {
    setObjectName("FenOpt");
    setWindowTitle("Options");
    auto* pages = new QTabWidget;
    auto* segm = new QWidget;
    segm->setObjectName("TSSegm");
    auto* dispSegm = new QVBoxLayout(segm);
    dispSegm->addWidget(new QLabel("Nombre maximum d'articles :"));
    m_edMaxart = new QLineEdit(QString::number(t3::MaxartInitial));
    m_edMaxart->setObjectName("EdMaxart");
    dispSegm->addWidget(m_edMaxart);
    dispSegm->addWidget(new QLabel("Nombre des étiquettes : (en test)"));
    m_edEtiqs = new QLineEdit(QString::number(t3::EtiquettesInitial));
    m_edEtiqs->setObjectName("EdEtiqs");
    dispSegm->addWidget(m_edEtiqs);
    dispSegm->addStretch();
    pages->addTab(segm, "Segmentation");
    auto* musique = new QWidget;
    musique->setObjectName("TSMusique");
    auto* dispMusique = new QVBoxLayout(musique);
    dispMusique->addWidget(new QLabel("Sélectionnez un titre :"));
    m_cbMusiques = new QComboBox;
    m_cbMusiques->setObjectName("CBMusiques");
    dispMusique->addWidget(m_cbMusiques);
    dispMusique->addStretch();
    pages->addTab(musique, "Musiques");
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(pages);
    disposition->addWidget(boutons);
    setFixedSize(sizeHint().expandedTo(QSize(288, 185)));
    FormCreate();
}

// The sound list holds the .wav files of the program's "Musiques" folder.
void TFenOpt::FormCreate() {
    m_cbMusiques->addItems(QDir(DossierMusiques()).entryList({"*.wav"}, QDir::Files, QDir::Name));
}

QString TFenOpt::TexteMaxart() const {
    return m_edMaxart->text();
}
QString TFenOpt::TexteEtiquettes() const {
    return m_edEtiqs->text();
}
bool TFenOpt::Maxart(int32_t& valeur) const {
    return Entier(m_edMaxart->text(), valeur);
}
bool TFenOpt::Etiquettes(int32_t& valeur) const {
    return Entier(m_edEtiqs->text(), valeur);
}

} // namespace t3ui

namespace t3ui {

void TFenOpt::Regle(QWidget* parent) {
    TFenOpt dialogue(parent);
    const QScreen* ecran = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    // Halves rounded toward zero, as the dialogs are placed.
    if (ecran)
        dialogue.move(ecran->size().width() / 2 - dialogue.width() / 2,
                      ecran->size().height() / 2 - dialogue.height() / 2);
    if (Dialogues::Execute(&dialogue) != QDialog::Accepted) return;
    int32_t valeur;
    if (dialogue.Etiquettes(valeur)) t3::Options.NbEtiquettes = valeur;
    if (dialogue.Maxart(valeur)) t3::Options.Maxart = valeur;
}

bool TFenOpt::Verifie(QLineEdit* champ) {
    int32_t valeur;
    if (Entier(champ->text(), valeur)) return true;
    Dialogues::Information(this, QString("« %1 » n'est pas une valeur entière valide.").arg(champ->text()));
    champ->setFocus();
    champ->selectAll();
    return false;
}

// The tag count is checked first, as the two fields are read.
void TFenOpt::accept() {
    if (Verifie(m_edEtiqs) && Verifie(m_edMaxart)) QDialog::accept();
}

} // namespace t3ui
