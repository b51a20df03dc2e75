#include "ui/afc/TFenParamAFC.h"

#include "engine/afc/Programmes.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/LectureBornee.h"
#include "ui/afc/ExecutionProgramme.h"
#include "ui/afc/FenetresAFC.h"
#include "ui/afc/LancementsAFC.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/TacheDeFond.h"
#include "ui/shell/TexteQt.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

#include <filesystem>

namespace t3ui {

namespace {

QLineEdit* Champ(QGridLayout* grille, int ligne, int colonne, const QString& nom, const QString& libelle,
                 const QString& texte, bool lectureSeule) {
    auto* champ = new QLineEdit(texte);
    champ->setObjectName(nom);
    champ->setReadOnly(lectureSeule);
    auto* etiquette = new QLabel(libelle);
    etiquette->setBuddy(champ);
    grille->addWidget(etiquette, ligne, colonne);
    grille->addWidget(champ, ligne, colonne + 1);
    return champ;
}

// A whole number, blanks around it allowed; false otherwise.
bool Entier(const QLineEdit* champ, int32_t& valeur) {
    bool ok = false;
    valeur = champ->text().trimmed().toInt(&ok);
    return ok;
}

int32_t PartiesHorsReference(const t3::Partition& partition) {
    int32_t nb = 0;
    for (int32_t i = 0; i < partition.NbParties(); ++i)
        if (!partition.Reference(i)) ++nb;
    return nb;
}

bool Existe(const std::string& dossier, const char* nom) {
    std::error_code e;
    return std::filesystem::is_regular_file(std::filesystem::path(dossier) / nom, e);
}

// The message of a failed run: its first line, then why the program failed when it says so.
void MontreEchec(QWidget* parent, const QString& texte, const QString& raison) {
    Dialogues::Information(parent, raison.isEmpty() ? texte : texte + "\n\n" + raison);
}

// The work folder of the partition (one per key type of the base), or empty with the message shown.
std::string Dossier(QWidget* parent, const t3::Partition& partition) {
    const auto dossier = t3::DossierAnalyses(partition);
    if (dossier) return *dossier;
    Dialogues::MessageMoteur(parent, dossier.Message());
    return {};
}

} // namespace

TFenParamAFC::TFenParamAFC(QWidget* parent, t3::Partition& partition, bool drapeauxColonnes,
                           std::string dossier)
    : QDialog(parent), m_partition(partition), m_drapeauxColonnes(drapeauxColonnes),
      m_dossier(std::move(dossier)) {
    setObjectName("FenParamAFC");
    setWindowTitle("Paramètrage de l'AFC");
    setModal(true);
    const t3::charg1* base = partition.Base();
    const t3::ParamAFC initiaux =
        t3::ParamAFCInitiaux(partition, t3::Partition::FreqMinInitiale, drapeauxColonnes);

    auto* grille = new QGridLayout(this);
    auto* libelleTitre = new QLabel("Titre de l'analyse :");
    m_titre = new QLineEdit(VersQt(initiaux.titre));
    m_titre->setObjectName("EdTitre");
    m_titre->setMinimumWidth(320);
    libelleTitre->setBuddy(m_titre);
    grille->addWidget(libelleTitre, 0, 0, 1, 4);
    grille->addWidget(m_titre, 1, 0, 1, 4);
    m_ni = Champ(grille, 2, 0, "EdNI", "NI", QString::number(initiaux.ni), false);
    m_nj = Champ(grille, 3, 0, "EdNJ", "NJ", QString::number(initiaux.nj), false);
    m_nf = Champ(grille, 4, 0, "EdNF", "NF", QString::number(initiaux.nf), true);
    Champ(grille, 2, 2, "EdNI2", "NI2", "0", true);
    Champ(grille, 3, 2, "EdNJ2", "NJ2", QString::number(PartiesHorsReference(partition)), true);

    auto* libelleFreq = new QLabel("FreqMin :");
    m_freqMin = new QSpinBox;
    m_freqMin->setObjectName("CSpinEdit1");
    m_freqMin->setRange(1, std::max(1, base->Fmax()));
    m_freqMin->setValue(t3::Partition::FreqMinInitiale);
    // Changed by its arrows only, so that NI always follows a value the user has finished choosing.
    m_freqMin->findChild<QLineEdit*>()->setReadOnly(true);
    libelleFreq->setBuddy(m_freqMin);
    grille->addWidget(libelleFreq, 4, 2);
    grille->addWidget(m_freqMin, 4, 3);
    // A base whose highest frequency is below 10 starts from it.
    if (m_freqMin->value() != t3::Partition::FreqMinInitiale)
        m_ni->setText(QString::number(t3::NbFormesFreqMin(partition, m_freqMin->value())));
    connect(m_freqMin, &QSpinBox::valueChanged, this, &TFenParamAFC::CSpinEdit1Change);

    m_taille = new QLabel;
    m_taille->setObjectName("LbTaille");
    grille->addWidget(m_taille, 5, 0, 1, 4);
    AfficheTaille();
    for (QLineEdit* champ : {m_ni, m_nj, m_titre})
        connect(champ, &QLineEdit::textChanged, this, &TFenParamAFC::AfficheTaille);

    auto* ok = new QPushButton("OK");
    ok->setObjectName("BitBtn1");
    ok->setDefault(true);
    auto* annuler = new QPushButton("Annuler");
    annuler->setObjectName("BitBtn2");
    connect(ok, &QPushButton::clicked, this, &TFenParamAFC::accept);
    connect(annuler, &QPushButton::clicked, this, &TFenParamAFC::reject);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(ok);
    boutons->addWidget(annuler);
    grille->addLayout(boutons, 6, 0, 1, 4);

    adjustSize();
    if (const QScreen* ecran = QGuiApplication::primaryScreen())
        move(ecran->availableGeometry().center() - rect().center());
}

void TFenParamAFC::CSpinEdit1Change(int freqMin) {
    m_ni->setText(QString::number(t3::NbFormesFreqMin(m_partition, freqMin)));
    m_partition.SetFreqMin(freqMin);
    AfficheTaille();
}

void TFenParamAFC::AfficheTaille() {
    t3::ParamAFC param;
    m_taille->setText(Parametres(param) ? "Tableau : " + QString::fromStdString(t3::DescriptionTailleAFC(
                                                             t3::EstimeTailleAFC(m_partition, param)))
                                        : QString("Tableau : paramètres incorrects"));
}

bool TFenParamAFC::Parametres(t3::ParamAFC& param) const {
    param = t3::ParamAFCInitiaux(m_partition, m_freqMin->value(), m_drapeauxColonnes);
    param.titre = VersCp1252(m_titre->text());
    return Entier(m_ni, param.ni) && Entier(m_nj, param.nj) && Entier(m_nf, param.nf) && param.ni >= 1 &&
           param.ni <= m_partition.Base()->Nbform() && param.nj >= 1;
}

void TFenParamAFC::accept() {
    t3::ParamAFC param;
    if (!Parametres(param)) {
        Dialogues::Information(this,
                               QString("Vérifiez vos paramètres\n\nNI doit être un nombre entier de 1 à %1 "
                                       "(les formes de la base) et NJ un nombre entier d'au moins 1.")
                                   .arg(m_partition.Base()->Nbform()));
        return;
    }
    // The size is said and checked before anything is written: a table whose analysis cannot fit in
    // the memory of the machine is refused, and a large one written only once the user agrees.
    const t3::TailleAFC taille = t3::EstimeTailleAFC(m_partition, param);
    if (const auto place = t3::VerifieTailleAFC(taille, t3::MemoirePhysique()); !place) {
        Dialogues::MessageMoteur(this, place.Message());
        return;
    }
    if (t3::DemandeConfirmationAFC(taille) &&
        Dialogues::Message(this, QMessageBox::Question, "Grand tableau",
                           QString("Le tableau a %1 lignes et %2 parties : le fichier « coran.don » fera %3 "
                                   "et son analyse demandera jusqu'à %4 de mémoire ; elle peut durer "
                                   "longtemps.\n\nÉcrire le tableau et lancer l'analyse ?")
                               .arg(taille.lignes)
                               .arg(taille.colonnes)
                               .arg(QString::fromStdString(t3::TailleLisible(taille.octets)),
                                    QString::fromStdString(t3::TailleLisible(taille.memoire))),
                           QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    // A large table is written off the interface thread; cancelled, the dialog stays and the earlier
    // file with it.
    const auto ecrit = ExecuteEnFond<t3::Resultat<void>>(
        "Écriture de coran.don", 1,
        [&](const t3::Arret& arret, const t3::Progression&) {
            return t3::EcritCoranDon(m_dossier, m_partition, param, &arret);
        },
        this);
    if (!ecrit) return;
    if (!*ecrit) {
        Dialogues::MessageMoteur(this, ecrit->Message(), "Vérifiez vos paramètres\n\n");
        return;
    }
    QDialog::accept();
}

// --- The commands

void LanceAFC(ServicesAtelier& services, QWidget* parent, t3::Partition& partition, bool drapeauxColonnes) {
    const std::string dossier = Dossier(parent, partition);
    if (dossier.empty()) return;
    TFenParamAFC dialogue(parent, partition, drapeauxColonnes, dossier);
    if (Dialogues::Execute(&dialogue) != QDialog::Accepted) return;
    dialogue.hide();
    // A run that fails must never leave the results of an earlier one to be read as its own.
    t3::SupprimeResultats(dossier);
    const ResultatProgramme fin = LanceProgrammeAnalyse(services, parent, t3::ProgrammeAFC, CheminQt(dossier),
                                                        "Analyse factorielle des correspondances...");
    if (fin.Reussi() && Existe(dossier, t3::NomFacteurs)) {
        OuvreGrapheAFC(services, partition, dossier);
        return;
    }
    t3::SupprimeResultats(dossier);
    if (fin.issue != IssueProgramme::Annule)
        MontreEchec(parent, "Erreur de lecture du fichier des facteurs",
                    ExpliqueEchec(fin, t3::ProgrammeAFC));
}

void LanceCAH(ServicesAtelier& services, QWidget* parent, t3::Partition& partition) {
    const std::string dossier = Dossier(parent, partition);
    if (dossier.empty()) return;
    // The clustering works on the points of the partition's last analysis, one per part.
    if (const auto points = t3::VerifiePointsPartition(dossier, partition.NbParties()); !points) {
        Dialogues::MessageMoteur(parent, points.Message());
        return;
    }
    std::error_code e;
    std::filesystem::remove(std::filesystem::path(dossier) / t3::NomCah, e);
    const ResultatProgramme fin = LanceProgrammeAnalyse(services, parent, t3::ProgrammeCAH, CheminQt(dossier),
                                                        "Classification ascendante hiérarchique...");
    if (fin.Reussi() && Existe(dossier, t3::NomCah)) {
        OuvreDendrogramme(services, partition, dossier);
        return;
    }
    std::filesystem::remove(std::filesystem::path(dossier) / t3::NomCah, e);
    if (fin.issue == IssueProgramme::Annule) return;
    const QString raison = ExpliqueEchec(fin, t3::ProgrammeCAH);
    MontreEchec(parent, "La classification n'a pas abouti.",
                raison.isEmpty() ? "Le fichier « cah.txt » est absent." : raison);
}

namespace {

void LanceAFCToutes(ServicesAtelier& services, QWidget* parent, t3::Partition& partition) {
    LanceAFC(services, parent, partition, false);
}

// From a factor plot, the analysis of the reference parts, the others supplementary.
void LanceAFCReference(ServicesAtelier& services, QWidget* parent, t3::Partition& partition) {
    LanceAFC(services, parent, partition, true);
}

// The analyses of a partition, listed under its "AFC"; the factor plot's "CAH" runs, as its "AFC", the
// analysis of the reference parts.
T3_GENRE_FENETRE(GenreFenetre{.portee = Portee::Partition,
                              .rang = 40,
                              .rubrique = RubriqueAFC,
                              .imageRubrique = 2,
                              .boutons = {
                                  {HotePartition::Statistiques, 40, "BtnAFC", "AFC", {}, LanceAFCToutes},
                                  {HotePartition::Statistiques, 50, "SpeedButton5", "CAH", {}, LanceCAH},
                                  {HotePartition::PlanFactoriel, 40, "BtnAFC", "AFC", {}, LanceAFCReference},
                                  {HotePartition::PlanFactoriel, 50, "BtnCAH", "CAH", {}, LanceAFCReference},
                              }});

} // namespace

} // namespace t3ui
