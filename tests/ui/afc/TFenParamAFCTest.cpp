// The correspondence analysis launched from the statistics window of a partition as the user launches
// it: the parameter dialog and its fields, the exchange file written into the work folder of the
// partition, the analysis and clustering programs of this build run there with the workbench still
// painting, and the runs that go wrong: a program nowhere to be found, one that writes nothing or fails,
// the clustering of points that are not the partition's, one that the user cancels or that outlasts the
// time limit.
#include "AideUi.h"

#include "engine/corpus/Cles.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/LectureBornee.h"
#include "ui/afc/ExecutionProgramme.h"
#include "ui/afc/TFenParamAFC.h"
#include "ui/shell/Atelier.h"
#include "ui/shell/BarreEtat.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/TFenPrinc.h"
#include "ui/shell/TexteQt.h"
#include "ui/stats/TFenStatPart.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <map>

using namespace t3ui;
using t3uitest::DossierCourant;

namespace {

// Three authors; the frequencies of the forms over the whole text: a 30, b 20, c 12, d 10, e 9, f 3.
const std::map<QString, int> Frequences = {{"a", 30}, {"b", 20}, {"c", 12}, {"d", 10}, {"e", 9}, {"f", 3}};

QString Partie(const QString& auteur, const std::map<QString, int>& nombres) {
    QString texte = "<auteur=" + auteur + ">\n";
    for (const auto& [forme, nombre] : nombres)
        texte += QString(forme + " ").repeated(nombre);
    return texte + ".\n";
}

const QString Texte = Partie("Sévigné", {{"a", 15}, {"b", 5}, {"c", 2}, {"d", 5}, {"e", 3}, {"f", 1}}) +
                      Partie("Zola", {{"a", 5}, {"b", 10}, {"c", 8}, {"d", 1}, {"e", 3}, {"f", 1}}) +
                      Partie("Hugo", {{"a", 10}, {"b", 5}, {"c", 2}, {"d", 4}, {"e", 3}, {"f", 1}});

// The forms of frequency at least f, counted from the text as written.
int FormesAuMoins(int f) {
    int nb = 0;
    for (const auto& [forme, nombre] : Frequences)
        if (nombre >= f) ++nb;
    return nb;
}

// The workbench on the base with its partition by auteur, and the PATH where the programs are looked
// for (the folder of the test program, where they are looked for first, holds none).
struct Poste {
    DossierCourant dossier;
    QTemporaryDir programmes;
    QByteArray pathAvant = qgetenv("PATH");
    mutable TFenPrinc fenetre;
    QString travail; // the work folder of the partition by auteur

    Poste() {
        const QString par = QFileInfo(t3uitest::Base(Texte)).absoluteFilePath();
        travail = QFileInfo(par).absolutePath() + "/corpus.afc/auteur";
        qputenv("PATH", programmes.path().toUtf8());
        fenetre.show();
        if (!fenetre.Bases().OuvreBase(par)) qFatal("base not opened");
        Dialogues::RepondDialogue(QDialog::Accepted, [](QDialog* choix) {
            auto* liste = choix->findChild<QListWidget*>("ListParts");
            liste->setCurrentItem(liste->findItems("auteur", Qt::MatchExactly).value(0));
            choix->findChild<QPushButton*>("BtnValide")->click();
        });
        fenetre.CommandeNommee("BtnPart")->trigger();
        Dialogues::Oublie();
    }
    ~Poste() {
        qputenv("PATH", pathAvant);
        SetDelaiProgramme(std::chrono::minutes(30));
        Dialogues::Oublie();
    }

    TFenStatPart* Statistiques() const { return fenetre.findChild<TFenStatPart*>(); }
    t3::Partition& Partition() const { return *Statistiques()->GetPartition(); }
    // The analysis programs of this build put on the PATH.
    void ProgrammesDuBuild() const { qputenv("PATH", QByteArray(T3_BIN_DIR)); }
    // A shell script put on the PATH as the program nom.
    void Script(const QString& nom, const QByteArray& corps) const {
        const QString chemin = programmes.filePath(nom);
        t3uitest::Ecrit(chemin, "#!/bin/sh\n" + corps + "\n");
        QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // "AFC" clicked, its dialog answered OK as it comes (or after remplit has filled it).
    void LanceAFC(std::function<void(QDialog*)> remplit = {}) const {
        Dialogues::RepondDialogue(QDialog::Accepted, std::move(remplit));
        Statistiques()->findChild<QToolButton*>("BtnAFC")->click();
    }
    void LanceCAH() const { Statistiques()->findChild<QToolButton*>("SpeedButton5")->click(); }
    bool Existe(const QString& nom) const { return QFileInfo::exists(travail + "/" + nom); }
    QStringList Fenetres() const {
        QStringList titres;
        for (const QMdiSubWindow* sous : fenetre.findChildren<QMdiSubWindow*>())
            if (sous->widget()) titres << sous->widget()->windowTitle();
        return titres;
    }
    QStringList Messages() const { return Dialogues::MessagesAffiches(); }
};

QString Champ(QDialog* dialogue, const char* champ) {
    return dialogue->findChild<QLineEdit*>(champ)->text();
}

// Clicks "Annuler" of the wait once the program has written its process number into pid and pret holds:
// the test's timer runs while the program does.
void AnnuleQuandLance(const QString& pid, std::function<bool()> pret) {
    auto* minuterie = new QTimer;
    QObject::connect(minuterie, &QTimer::timeout, minuterie, [minuterie, pid, pret] {
        for (QWidget* fenetre : QApplication::topLevelWidgets()) {
            auto* attente = qobject_cast<QProgressDialog*>(fenetre);
            if (!attente || !attente->isVisible() || QFile(pid).size() == 0 || !pret()) continue;
            attente->findChild<QPushButton*>()->click();
            minuterie->deleteLater();
            return;
        }
    });
    minuterie->start(20);
}

bool ProcessusVivant(const QString& pid) {
    const QByteArray numero = t3uitest::Lit(pid).trimmed();
    return !numero.isEmpty() && QFileInfo::exists("/proc/" + numero);
}

} // namespace

class TFenParamAFCTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void LeDialogueEtSesChamps();
    void UneAnalyseOuvreLePlanPuisLaClassification();
    void UnProgrammeIntrouvableOuMuet();
    void AnnulationEtDelai();
    void UnGrandTableauEstAnnonce();
};

void TFenParamAFCTest::initTestCase() {
    // The programs are looked for beside the running program first: none may lie beside this test.
    for (const char* nom : {"ts3afc", "ts3cah"})
        QVERIFY(!QFileInfo::exists(QCoreApplication::applicationDirPath() + "/" + nom));
}

void TFenParamAFCTest::LeDialogueEtSesChamps() {
    Poste a;
    a.Statistiques()->GrdPCLCClick(3, 0); // the third part out of the reference set
    QVERIFY(!a.Partition().Reference(2));

    // The fields as they open, then FreqMin raised and lowered by its arrows, NI following it.
    a.Partition().SetFreqMin(7);
    QStringList vu;
    Dialogues::RepondDialogue(QDialog::Rejected, [&](QDialog* dialogue) {
        QCOMPARE(dialogue->windowTitle(), QString("Paramètrage de l'AFC"));
        for (const char* champ : {"EdTitre", "EdNI", "EdNJ", "EdNF", "EdNI2", "EdNJ2"})
            vu << Champ(dialogue, champ);
        QVERIFY(dialogue->findChild<QLineEdit*>("EdNF")->isReadOnly());
        auto* freqMin = dialogue->findChild<QSpinBox*>("CSpinEdit1");
        QCOMPARE(freqMin->value(), 10);
        QCOMPARE(freqMin->maximum(), 30);
        QTest::keyClicks(freqMin, "3"); // typed: ignored
        QCOMPARE(freqMin->value(), 10);
        for (int f : {11, 12, 13}) {
            QTest::keyClick(freqMin, Qt::Key_Up);
            QCOMPARE(Champ(dialogue, "EdNI"), QString::number(FormesAuMoins(f)));
        }
        QTest::keyClick(freqMin, Qt::Key_Down);
        QCOMPARE(Champ(dialogue, "EdNI"), QString::number(FormesAuMoins(12)));
    });
    a.Statistiques()->findChild<QToolButton*>("BtnAFC")->click();
    QCOMPARE(vu, (QStringList{"corpus : auteur", QString::number(FormesAuMoins(10)), "3", "2", "0", "1"}));
    // Cancelled: the minimum frequency chosen stays with the partition, nothing is written.
    QCOMPARE(a.Partition().FreqMin(), 12);
    QVERIFY(!a.Existe("coran.don"));

    // NI that is not a whole number, or beyond the forms of the base: the dialog stays open.
    for (const QString& ni : {QString("douze"), QString("99")}) {
        Dialogues::Oublie();
        int essais = 0;
        Dialogues::RepondDialogue(QDialog::Accepted, [&](QDialog* dialogue) {
            ++essais;
            dialogue->findChild<QLineEdit*>("EdNI")->setText(ni);
        });
        Dialogues::RepondDialogue(QDialog::Rejected, [&](QDialog*) { ++essais; });
        a.Statistiques()->findChild<QToolButton*>("BtnAFC")->click();
        QCOMPARE(essais, 2);
        QCOMPARE(a.Messages().size(), 1);
        QVERIFY2(a.Messages()[0].startsWith("Tessaron3|Vérifiez vos paramètres"),
                 qPrintable(a.Messages()[0]));
        QVERIFY(!a.Existe("coran.don"));
    }
}

void TFenParamAFCTest::UneAnalyseOuvreLePlanPuisLaClassification() {
    Poste a;
    a.ProgrammesDuBuild();
    // Before any analysis the clustering has nothing to work on.
    a.LanceCAH();
    QCOMPARE(a.Messages().size(), 1);
    QVERIFY(a.Messages()[0].contains("lancez d'abord l'AFC"));
    Dialogues::Oublie();

    // Results of an earlier run are never read as those of this one.
    QDir().mkpath(a.travail);
    t3uitest::Ecrit(a.travail + "/facteurs.txt", "garbage");
    a.LanceAFC([](QDialog* dialogue) { dialogue->findChild<QLineEdit*>("EdNI")->setText(" 3 "); });
    QVERIFY2(a.Messages().isEmpty(), qPrintable(a.Messages().join('\n')));
    // The exchange file lies in the work folder, as the dialog set it (three form rows).
    QVERIFY(!QFileInfo::exists(QCoreApplication::applicationDirPath() + "/coran.don"));
    const QList<QByteArray> lignes = t3uitest::Lit(a.travail + "/coran.don").split('\n');
    QCOMPARE(lignes.value(0), QByteArray("corpus : auteur\r"));
    QCOMPARE(lignes.value(1), QByteArray("   3   3   5   1   0\r"));
    QVERIFY(lignes.value(5).startsWith("    0 a "));
    QVERIFY(lignes.value(8).startsWith("   2   0   0   4 150"));
    // The program's results: three points, and the plot that shows them.
    QCOMPARE(t3uitest::Lit(a.travail + "/facteurs.txt").simplified().split(' ').value(0), QByteArray("3"));
    QVERIFY(a.Existe("vp.txt"));
    QCOMPARE(a.Fenetres().count("Analyse factorielle des correspondances - auteur"), 1);
    QCOMPARE(lignes.value(3), QByteArray("111\r"));

    // "AFC" of the plot: the reference parts flagged 1, the others 2, and a further plot.
    a.Partition().SetReference(1, false);
    Dialogues::RepondDialogue(QDialog::Accepted);
    a.fenetre.findChild<QWidget*>("FenGrapheAFC")->findChild<QAbstractButton*>("BtnAFC")->click();
    QVERIFY2(a.Messages().isEmpty(), qPrintable(a.Messages().join('\n')));
    QCOMPARE(t3uitest::Lit(a.travail + "/coran.don").split('\n').value(3), QByteArray("121\r"));
    QCOMPARE(a.Fenetres().count("Analyse factorielle des correspondances - auteur"), 2);

    a.LanceCAH();
    QVERIFY2(a.Messages().isEmpty(), qPrintable(a.Messages().join('\n')));
    QVERIFY(a.Existe("cah.txt"));
    QCOMPARE(a.Fenetres().count("Classification hiérarchique - auteur"), 1);
}

void TFenParamAFCTest::UnProgrammeIntrouvableOuMuet() {
    Poste a;
    a.LanceAFC();
    QCOMPARE(a.Messages().size(), 1);
    QVERIFY2(a.Messages()[0].startsWith("Tessaron3|Erreur de lecture du fichier des facteurs\n\n"),
             qPrintable(a.Messages()[0]));
    QVERIFY(a.Messages()[0].contains("« ts3afc » est introuvable"));
    QVERIFY(a.Existe("coran.don"));

    // Ends well but writes nothing.
    Dialogues::Oublie();
    a.Script("ts3afc", "exit 0");
    a.LanceAFC();
    QCOMPARE(a.Messages(), QStringList{"Tessaron3|Erreur de lecture du fichier des facteurs"});

    // Fails after writing a partial result: its message is passed on and the result removed.
    Dialogues::Oublie();
    a.Script("ts3afc", "echo '1 1' > facteurs.txt\necho 'ts3afc : table vide' >&2\nexit 2");
    a.LanceAFC();
    QCOMPARE(a.Messages().size(), 1);
    QVERIFY2(a.Messages()[0].contains("« ts3afc » a échoué (code 2).\nts3afc : table vide"),
             qPrintable(a.Messages()[0]));
    QVERIFY(!a.Existe("facteurs.txt"));

    // What it writes is shown with its control characters spelt out; a file the system will not run is
    // said so in French.
    Dialogues::Oublie();
    a.Script("ts3afc", "printf 'ts3afc : \\033[2J\\007fin\\n' >&2\nexit 2");
    a.LanceAFC();
    QCOMPARE(a.Messages().size(), 1);
    QVERIFY2(a.Messages()[0].endsWith("ts3afc : \\x1B[2J\\x07fin"), qPrintable(a.Messages()[0]));
    Dialogues::Oublie();
    a.Script("ts3afc", "");
    t3uitest::Ecrit(a.programmes.filePath("ts3afc"), "pas un programme\n");
    a.LanceAFC();
    QCOMPARE(a.Messages().size(), 1);
    QVERIFY2(a.Messages()[0].endsWith("« ts3afc » n'a pas pu être lancé (le système refuse de l'exécuter)."),
             qPrintable(a.Messages()[0]));

    // The clustering on points that are not one per part (an analysis of another table): asked to run
    // the analysis again, and the clustering program not run.
    Dialogues::Oublie();
    a.Script("ts3afc", "printf '1 1\\nP 0 1 0.5 10 100 1\\n' > facteurs.txt\necho '1 100' > vp.txt");
    a.LanceAFC();
    Dialogues::Oublie();
    a.LanceCAH();
    QCOMPARE(a.Messages().size(), 1);
    QVERIFY2(a.Messages()[0].contains("ne correspondent pas aux 3 parties de la partition (points lus : 1) : "
                                      "relancez l'AFC"),
             qPrintable(a.Messages()[0]));

    // The clustering program missing, once an analysis has left its factors.
    Dialogues::Oublie();
    a.Script("ts3afc", "printf '3 1\\nP 0 0.3 0.1 10 50 1\\nP 1 0.3 0.1 -10 50 1\\nP 2 0.4 0 0 0 0\\n' > "
                       "facteurs.txt\necho '1 100' > vp.txt");
    a.LanceAFC();
    Dialogues::Oublie();
    a.LanceCAH();
    QCOMPARE(a.Messages().size(), 1);
    QVERIFY2(a.Messages()[0].contains("« ts3cah » est introuvable"), qPrintable(a.Messages()[0]));
    QCOMPARE(a.Fenetres().count("Classification hiérarchique - auteur"), 0);
}

void TFenParamAFCTest::AnnulationEtDelai() {
    Poste a;
    const QString pid = a.travail + "/pid";
    a.Script("ts3afc", "echo $$ > pid\nexec /bin/sleep 30");

    // Meanwhile the status bar names the work and its progress bar moves; cancelled, the program is
    // killed at once, nothing is opened or said, and the bar and the text are cleared.
    QElapsedTimer chrono;
    chrono.start();
    QString statut;
    BarreEtat& etat = a.fenetre.Etat();
    AnnuleQuandLance(pid, [&] {
        statut = etat.TexteStatut(1);
        return etat.Progression()->value() > 0;
    });
    a.LanceAFC();
    QVERIFY(chrono.elapsed() < 20000);
    QCOMPARE(statut, QString("Analyse factorielle des correspondances..."));
    QCOMPARE(etat.TexteStatut(1), QString());
    QCOMPARE(etat.Progression()->value(), 0);
    QVERIFY(a.Messages().isEmpty());
    QVERIFY(!ProcessusVivant(pid));
    QVERIFY(a.Fenetres().filter("Analyse factorielle").isEmpty());

    // Past the time limit: stopped, and said so.
    QFile::remove(pid);
    SetDelaiProgramme(std::chrono::milliseconds(300));
    a.LanceAFC();
    QCOMPARE(a.Messages().size(), 1);
    QVERIFY2(a.Messages()[0].contains("« ts3afc » a été arrêté : il n'avait pas fini au bout de 1 seconde."),
             qPrintable(a.Messages()[0]));
    QVERIFY(!ProcessusVivant(pid));
}

// The dialog says the size of the table and of "coran.don" before writing it, and asks before writing a
// table of more than 10,000 parts: declined, nothing is written and the dialog stays open.
void TFenParamAFCTest::UnGrandTableauEstAnnonce() {
    DossierCourant dossier;
    QString texte;
    for (int i = 0; i <= t3::PartiesQuestionAFC; ++i)
        texte += QString("<p=%1>\nx y\n").arg(i);
    t3::charg1 base;
    QCOMPARE(base.ChargeBase(t3uitest::Base(texte).toStdString()), 0);
    t3::Partition partition(&base, t3::RetourneTypeCle(base, "p"));
    QCOMPARE(partition.NbParties(), t3::PartiesQuestionAFC + 1);
    TFenParamAFC dialogue(nullptr, partition, false, CheminLocal(dossier.Chemin()));
    const QString coran = dossier.Chemin("coran.don");
    const QString annonce = dialogue.LbTaille()->text();
    QVERIFY2(annonce.startsWith("Tableau : 2 lignes × 10001 parties ; « coran.don » : "),
             qPrintable(annonce));

    Dialogues::RepondBouton(QMessageBox::No);
    dialogue.accept();
    QCOMPARE(dialogue.result(), int(QDialog::Rejected));
    QVERIFY(!QFileInfo::exists(coran));
    QCOMPARE(Dialogues::MessagesAffiches().size(), 1);
    QVERIFY2(
        Dialogues::MessagesAffiches()[0].startsWith("Grand tableau|Le tableau a 2 lignes et 10001 parties"),
        qPrintable(Dialogues::MessagesAffiches()[0]));

    Dialogues::RepondBouton(QMessageBox::Yes);
    dialogue.accept();
    QCOMPARE(dialogue.result(), int(QDialog::Accepted));
    // The size announced is the size written.
    QCOMPARE(annonce,
             "Tableau : 2 lignes × 10001 parties ; « coran.don » : " +
                 QString::fromStdString(t3::TailleLisible(static_cast<uint64_t>(QFileInfo(coran).size()))));
    Dialogues::Oublie();
}

QTEST_MAIN(TFenParamAFCTest)
#include "TFenParamAFCTest.moc"
