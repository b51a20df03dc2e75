// The corpus assembly dialog and the open dialog of a new base: files added once each, a text file and
// a document assembled into the exact corpus, the paragraph options, and the saved corpus selected.
#include "AideUi.h"

#include "FabriqueDocuments.h"
#include "ui/segmentation/TFenCreerCorpus.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/TOptionsOpenDialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using namespace t3ui;
using t3uitest::DossierCourant;

class TFenCreerCorpusTest : public QObject {
    Q_OBJECT
  private slots:
    void UnFichierAjouteDeuxFoisNeFaitQuUneLigne();
    void AssembleUnTexteEtUnDocument();
    void LesParagraphesNumerotesParUneCle();
    void UnSeulTexteEstLeCorpusLuiMeme();
    void LeCorpusSauveEstChoisiDansLOuverture();
};

void TFenCreerCorpusTest::UnFichierAjouteDeuxFoisNeFaitQuUneLigne() {
    DossierCourant dossier;
    t3uitest::Ecrit("a.txt", "un\n");
    t3uitest::Ecrit("b c.doc", "x");
    TFenCreerCorpus fenetre;
    Dialogues::RepondFichiers({dossier.Chemin("a.txt"), dossier.Chemin("b c.doc")});
    QTest::mouseClick(fenetre.findChild<QPushButton*>("BtnAdd"), Qt::LeftButton);
    Dialogues::RepondFichiers({dossier.Chemin("a.txt")});
    fenetre.BtnAddClick();
    QAbstractItemModel* modele = fenetre.LVFiles()->model();
    QCOMPARE(modele->rowCount(), 2);
    QCOMPARE(modele->data(modele->index(0, 0)).toString(), QString("a"));
    QCOMPARE(modele->data(modele->index(1, 0)).toString(), QString("b_c"));
    QCOMPARE(modele->data(modele->index(0, 2)).toString(), QString("Texte"));
    QCOMPARE(modele->data(modele->index(1, 2)).toString(), QString("Doc. Word"));
    QCOMPARE(modele->data(modele->index(0, 3)).toString(), QString("3"));
    QCOMPARE(modele->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Chemin"));
    // "Effacer" takes the selected files out of the list.
    fenetre.LVFiles()->selectRow(0);
    fenetre.BtnDelClick();
    QCOMPARE(modele->rowCount(), 1);
    QCOMPARE(modele->data(modele->index(0, 0)).toString(), QString("b_c"));
}

void TFenCreerCorpusTest::AssembleUnTexteEtUnDocument() {
    DossierCourant dossier;
    t3uitest::Ecrit("a.txt", "Le chat\xFF.\n");
    t3test::EcritDocx(dossier.Chemin("b c.docx").toStdString(),
                      "<w:p><w:r><w:t>Premier été</w:t></w:r></w:p><w:p><w:r><w:t>Second</w:t></w:r></w:p>");
    TFenCreerCorpus fenetre;
    fenetre.Ajoute({dossier.Chemin("a.txt"), dossier.Chemin("b c.docx")});
    Dialogues::RepondFichiers({dossier.Chemin("corpus.txt")});
    fenetre.BtnSaveClick();
    QCOMPARE(fenetre.result(), int(QDialog::Accepted));
    QCOMPARE(fenetre.FichierSauve(), dossier.Chemin("corpus.txt"));
    QCOMPARE(t3uitest::Lit("corpus.txt"),
             QByteArray("<titre=a>\nLe chat\xFF.\n\n<titre=b_c>\nPremier \xE9t\xE9\nSecond\n\n"));
    QVERIFY(Dialogues::MessagesAffiches().isEmpty());
}

void TFenCreerCorpusTest::LesParagraphesNumerotesParUneCle() {
    DossierCourant dossier;
    t3test::EcritDocx(dossier.Chemin("d.docx").toStdString(),
                      "<w:p><w:r><w:t>un</w:t></w:r></w:p><w:p><w:r><w:t>deux</w:t></w:r></w:p>"
                      "<w:p><w:r><w:t>trois</w:t></w:r></w:p>");
    TFenCreerCorpus fenetre;
    auto* rbCle = fenetre.findChild<QRadioButton*>("RBCle");
    QVERIFY(!rbCle->isEnabled());
    fenetre.findChild<QCheckBox*>("ChkTrait")->setChecked(true);
    QVERIFY(rbCle->isEnabled());
    rbCle->setChecked(true);
    // A file that cannot be read gives an empty part and a message naming it; the rest goes on.
    t3uitest::Ecrit("abime.docx", "pas une archive");
    fenetre.Ajoute({dossier.Chemin("d.docx"), dossier.Chemin("abime.docx")});
    Dialogues::RepondFichiers({dossier.Chemin("sortie.txt")});
    fenetre.BtnSaveClick();
    QCOMPARE(t3uitest::Lit("sortie.txt"),
             QByteArray("<titre=d>\n<parag=1>\nun\n<parag=2>\ndeux\n<parag=3>\ntrois\n\n"
                        "<titre=abime>\n\n"));
    QCOMPARE(Dialogues::MessagesAffiches().size(), 1);
    QVERIFY(Dialogues::MessagesAffiches().first().contains("abime.docx"));
}

void TFenCreerCorpusTest::UnSeulTexteEstLeCorpusLuiMeme() {
    DossierCourant dossier;
    t3uitest::Ecrit("seul.txt", "texte\n");
    TFenCreerCorpus fenetre;
    fenetre.Ajoute({dossier.Chemin("seul.txt")});
    fenetre.BtnSaveClick();
    QCOMPARE(fenetre.FichierSauve(), dossier.Chemin("seul.txt"));
    QCOMPARE(t3uitest::Lit("seul.txt"), QByteArray("texte\n"));
    QCOMPARE(QDir().entryList(QDir::Files), QStringList{"seul.txt"});
}

void TFenCreerCorpusTest::LeCorpusSauveEstChoisiDansLOuverture() {
    DossierCourant dossier;
    t3uitest::Ecrit("a.txt", "un\n");
    t3uitest::Ecrit("b.txt", "deux\n");
    TOptionsOpenDialog ouverture;
    QCOMPARE(ouverture.BoutonOptions()->text(), QString("Options..."));
    Dialogues::RepondDialogue(QDialog::Accepted, [&](QDialog* d) {
        auto* assemblage = static_cast<TFenCreerCorpus*>(d);
        assemblage->Ajoute({dossier.Chemin("a.txt"), dossier.Chemin("b.txt")});
        Dialogues::RepondFichiers({dossier.Chemin("nouveau.txt")});
        assemblage->BtnSaveClick();
    });
    QTest::mouseClick(ouverture.BoutonOptions(), Qt::LeftButton);
    QCOMPARE(ouverture.Fichier(), dossier.Chemin("nouveau.txt"));
    QCOMPARE(t3uitest::Lit("nouveau.txt"), QByteArray("<titre=a>\nun\n\n<titre=b>\ndeux\n\n"));
}

QTEST_MAIN(TFenCreerCorpusTest)
#include "TFenCreerCorpusTest.moc"
