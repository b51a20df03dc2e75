// The delimiter dialog's encoding and typography choices, and a new base made from a UTF-8 corpus as a
// new user would make it: the accented forms come out whole and the replacement report is told.
#include "ui/segmentation/TFenChoixDelimForme.h"
#include "AideUi.h"
#include "engine/corpus/charg1.h"
#include "ui/shell/Atelier.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/TFenPrinc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTest>

using namespace t3ui;
using t3uitest::DossierCourant;

class TFenChoixDelimFormeTest : public QObject {
    Q_OBJECT
  private slots:
    void MontreLEncodageDetecteEtLaisseLeChanger();
    void UnCorpusUtf8AvecMarqueDonneLesFormesAccentuees();
    void LEncodageChoisiEtLaTypographieSontSuivis();
};

void TFenChoixDelimFormeTest::MontreLEncodageDetecteEtLaisseLeChanger() {
    TFenChoixDelimForme dialogue;
    auto* encodage = dialogue.findChild<QComboBox*>("CbEncodage");
    auto* typographie = dialogue.findChild<QCheckBox*>("ChkTypographie");
    QVERIFY(encodage && typographie);
    QVERIFY(!typographie->isChecked());
    dialogue.SetEncodageDetecte(t3::Encodage::Utf8);
    QCOMPARE(encodage->currentText(), QString("UTF-8 (détecté)"));
    QCOMPARE(dialogue.Encodage(), t3::Encodage::Utf8);
    QCOMPARE(encodage->itemText(0), QString("Windows-1252"));
    encodage->setCurrentIndex(0);
    QCOMPARE(dialogue.Encodage(), t3::Encodage::Cp1252);
    dialogue.SetEncodageDetecte(t3::Encodage::Cp1252);
    QCOMPARE(encodage->currentText(), QString("Windows-1252 (détecté)"));
    QCOMPARE(encodage->itemText(1), QString("UTF-8"));
    typographie->setChecked(true);
    QVERIFY(dialogue.Typographie());
}

void TFenChoixDelimFormeTest::UnCorpusUtf8AvecMarqueDonneLesFormesAccentuees() {
    DossierCourant dossier;
    const QByteArray texte =
        "\xEF\xBB\xBF<titre=\xC3\x89t\xC3\xA9>\nLe gar\xC3\xA7on \xC3\xA9t\xC3\xA9 \xCE\xB1\n";
    t3uitest::Ecrit("utf8.txt", texte);
    TFenPrinc fenetre;
    QString propose;
    Dialogues::RepondDialogue(QDialog::Accepted, [&](QDialog* d) {
        propose = static_cast<TFenChoixDelimForme*>(d)->findChild<QComboBox*>("CbEncodage")->currentText();
    });
    QVERIFY(fenetre.Bases().CreeBase("utf8.txt"));
    QCOMPARE(propose, QString("UTF-8 (détecté)"));
    const t3::charg1* base = fenetre.Chargeur();
    QVERIFY(base);
    QVERIFY(base->LocFormDic("gar\xE7on") >= 0);
    QVERIFY(base->LocFormDic("\xE9t\xE9") >= 0);
    QVERIFY(base->LocFormDic("gar\xC3") < 0);
    // The Greek letter was replaced, and the user told so without the segmentation being stopped, in a
    // window showing the report kept beside the base.
    QVERIFY(base->LocFormDic("a") >= 0);
    const QString attendu = "Attention : 1 caractère(s) absent(s) de Windows-1252 remplacé(s) (lettres "
                            "grecques : 1) ; le premier à la ligne 2.";
    QVERIFY(QString::fromUtf8(t3uitest::Lit("utf8.transcodage.txt")).contains(attendu));
    auto* compteRendu = fenetre.findChild<QPlainTextEdit*>("FenTranscodage");
    QVERIFY(compteRendu && compteRendu->toPlainText().contains(attendu));
    QCOMPARE(t3uitest::Lit("utf8.txt"), texte);
}

void TFenChoixDelimFormeTest::LEncodageChoisiEtLaTypographieSontSuivis() {
    DossierCourant dossier;
    t3uitest::Ecrit("t.txt", "l\xE2\x80\x99\xC3\xA9t\xC3\xA9\xC2\xA0"
                             "arrive\xC2\xA0!\n");
    TFenPrinc fenetre;
    Dialogues::RepondDialogue(
        QDialog::Accepted, [&](QDialog* d) { d->findChild<QCheckBox*>("ChkTypographie")->setChecked(true); });
    QVERIFY(fenetre.Bases().CreeBase("t.txt"));
    QVERIFY(fenetre.Chargeur()->LocFormDic("\xE9t\xE9") >= 0);
    QVERIFY(fenetre.Chargeur()->LocFormDic("arrive") >= 0);
    // Read as Windows-1252 at the user's word: the bytes of the UTF-8 sequences are letters of their own.
    Dialogues::RepondDialogue(
        QDialog::Accepted, [&](QDialog* d) { d->findChild<QComboBox*>("CbEncodage")->setCurrentIndex(0); });
    QVERIFY(fenetre.Bases().CreeBase("t.txt"));
    QVERIFY(fenetre.Chargeur()->LocFormDic("\xE9t\xE9") < 0);
}

QTEST_MAIN(TFenChoixDelimFormeTest)
#include "TFenChoixDelimFormeTest.moc"
