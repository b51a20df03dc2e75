// The report in the workbench (its tree, publication, closing question) and the text view (its page,
// the drop of a group, its parts), on real bases.
#include "AideUi.h"
#include "GardeOptions.h"

#include "engine/Globaux.h"
#include "engine/corpus/charg1.h"
#include "engine/stats/Tgen.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/shell/Atelier.h"
#include "ui/shell/BarreEtat.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/Feuilles.h"
#include "ui/shell/PanneauGauche.h"
#include "ui/shell/RapportArbre.h"
#include "ui/shell/TFenPrinc.h"
#include "ui/shell/TFenRuze.h"

#include <QCryptographicHash>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace t3ui;
using t3uitest::DossierCourant;

namespace {

// Publication goes under XDG_DATA_HOME, pointed into the test's folder.
void PublieDans(const DossierCourant& dossier) {
    qputenv("XDG_DATA_HOME", dossier.Chemin("donnees").toUtf8());
}

TFenRuze* VueTexte(TFenPrinc& fenetre) {
    for (QMdiSubWindow* sous : fenetre.Mdi()->subWindowList())
        if (auto* vue = qobject_cast<TFenRuze*>(sous->widget())) return vue;
    return nullptr;
}

void AjouteEntree(RapportCourant& rapport, const QString& titre, const QString& fichier,
                  const QString& parametres = {}) {
    t3uitest::Ecrit(rapport.Dossier() + fichier, "<p>x</p>");
    rapport.Ajoute(titre, fichier, " ", parametres);
}

} // namespace

class RapportEtTexteTest : public QObject {
    Q_OBJECT
  private slots:
    void OuvrirUneBaseDonneUnRapportEtUneVueDuTexte();
    void LeTitreEditeEstPublie();
    void LaFermetureAvecUnVraiRapport();
    void UnePublicationIncompleteLeDit();
    void LaVueDuTexteMontreLeGroupeDepose();
    void UnLongTexteSeMontreParParties();
    void UneImageDevientUnJpeg();
};

void RapportEtTexteTest::OuvrirUneBaseDonneUnRapportEtUneVueDuTexte() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    auto* enregistrer = fenetre.findChild<QToolButton*>("BtnSauvRapport");
    QVERIFY(!enregistrer->isEnabled());
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("Le chat. Le chien.\n")));
    QVERIFY(enregistrer->isEnabled());
    QVERIFY(fenetre.Rapport());
    QVERIFY(fenetre.Rapport()->Sauve());
    const QString dossierRapport = fenetre.Rapport()->Dossier();
    QVERIFY(QFileInfo(dossierRapport).fileName().isEmpty() && dossierRapport.contains("/tes3-"));
    QVERIFY(QFileInfo(dossierRapport).isDir());
    TFenRuze* vue = VueTexte(fenetre);
    QVERIFY(vue);
    QCOMPARE(vue->windowTitle(), QString("Ruze - corpus"));
    QVERIFY(vue->HTMLEdit()->toPlainText().contains("Le chat . Le chien ."));

    // A second base: its own report, the entries of the first gone from the tree with their report.
    AjouteEntree(*fenetre.Rapport(), "Première", "p1.html");
    QCOMPARE(fenetre.Panneau()->TreeViewRapport()->topLevelItem(0)->childCount(), 1);
    Dialogues::RepondBouton(QMessageBox::No);
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("a b\n", "autre")));
    QCOMPARE(Dialogues::MessagesAffiches().last(),
             QString("Tessaron3|Le rapport a été modifié.\nVoulez-vous le sauvegarder ?"));
    QCOMPARE(fenetre.Panneau()->TreeViewRapport()->topLevelItem(0)->childCount(), 0);
    QVERIFY(!QFileInfo::exists(dossierRapport));
    QCOMPARE(fenetre.Mdi()->subWindowList().size(), 2); // one text view per base
}

void RapportEtTexteTest::LeTitreEditeEstPublie() {
    DossierCourant dossier;
    PublieDans(dossier);
    TFenPrinc fenetre;
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("Le chat. Le chien.\n")));
    RapportCourant& rapport = *fenetre.Rapport();
    AjouteEntree(rapport, "Concordance", "conc1.html", "seuil : 5");
    QVERIFY(!rapport.Sauve());
    QTreeWidgetItem* racine = fenetre.Panneau()->TreeViewRapport()->topLevelItem(0);
    QCOMPARE(racine->text(0), QString("Table des matières"));
    QTreeWidgetItem* entree = racine->child(0);
    QVERIFY(entree->flags() & Qt::ItemIsEditable);
    entree->setText(0, "Les chats & les chiens");
    QVERIFY(!rapport.Sauve());

    QTest::mouseClick(fenetre.findChild<QToolButton*>("BtnSauvRapport"), Qt::LeftButton);
    QVERIFY(rapport.Sauve());
    const QByteArray index = t3uitest::Lit(dossier.Chemin("donnees/tessaron3/RAPPORT/index.htm"));
    QVERIFY(index.contains("<LI><A HREF=\"contenu\\conc1.html\">Les chats &amp; les chiens</A>\r\n</OL>"));
    QVERIFY(QFileInfo::exists(dossier.Chemin("donnees/tessaron3/RAPPORT/contenu/conc1.html")));
    QVERIFY(QFileInfo::exists(dossier.Chemin("donnees/tessaron3/RAPPORT/contenu/paper.gif")));
    QVERIFY(Dialogues::MessagesAffiches().isEmpty());
    // The manifest beside the index: the entry with its window's parameters, the base's files hashed.
    const QString manifeste =
        QString::fromUtf8(t3uitest::Lit(dossier.Chemin("donnees/tessaron3/RAPPORT/manifeste.txt")));
    QVERIFY(manifeste.contains("\nLes chats & les chiens : contenu/conc1.html ; seuil : 5\n"));
    const QByteArray par = t3uitest::Lit(QString::fromStdString(fenetre.Chargeur()->CheminFichier(".par")));
    QVERIFY(manifeste.contains(QCryptographicHash::hash(par, QCryptographicHash::Sha256).toHex()));
    // The status bar says where the report went.
    QCOMPARE(fenetre.Etat().TexteStatut(1),
             "Rapport publié dans " + QDir(dossier.Chemin("donnees/tessaron3/RAPPORT")).absolutePath());

    // "Editeur" opens the published index; a program that could not open it is said so, with its path.
    const QString publie = QDir(dossier.Chemin("donnees/tessaron3/RAPPORT")).absolutePath() + "/index.htm";
    Dialogues::RepondOuverture(false);
    fenetre.CommandeNommee("BtnEdit")->trigger();
    QCOMPARE(Dialogues::DocumentsOuverts().last(), publie);
    QCOMPARE(Dialogues::MessagesAffiches().last(),
             "Tessaron3|Aucun programme n'a pu ouvrir « " + publie + " ».");
    // "Aide" opens the help page; a document that is not there is named.
    Dialogues::RepondOuverture(true);
    fenetre.CommandeNommee("HelpBtn")->trigger();
    QVERIFY(Dialogues::DocumentsOuverts().last().endsWith("/aide/html/aide.html"));
    QCOMPARE(Dialogues::MessagesAffiches().size(), 1);
    Dialogues::OuvreDocument(&fenetre, dossier.Chemin("absent.htm"));
    QCOMPARE(Dialogues::MessagesAffiches().last(),
             "Tessaron3|Le fichier « " + dossier.Chemin("absent.htm") + " » n'existe pas.");
}

void RapportEtTexteTest::LaFermetureAvecUnVraiRapport() {
    DossierCourant dossier;
    PublieDans(dossier);
    const QString index = dossier.Chemin("donnees/tessaron3/RAPPORT/index.htm");
    TFenPrinc fenetre;
    fenetre.show();
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("Le chat. Le chien.\n")));
    // A fresh report closes without a question.
    QVERIFY(fenetre.close());
    QVERIFY(Dialogues::MessagesAffiches().isEmpty());
    fenetre.show();
    AjouteEntree(*fenetre.Rapport(), "Page", "page.html");
    Dialogues::RepondBouton(QMessageBox::Cancel);
    QVERIFY(!fenetre.close());
    Dialogues::RepondBouton(QMessageBox::No);
    QVERIFY(fenetre.close());
    QVERIFY(!QFileInfo::exists(index));
    fenetre.show();
    Dialogues::RepondBouton(QMessageBox::Yes);
    QVERIFY(fenetre.close());
    QVERIFY(QFileInfo::exists(index));
    QVERIFY(fenetre.Rapport()->Sauve());
    // Once published, no question.
    fenetre.show();
    const qsizetype questions = Dialogues::MessagesAffiches().size();
    QVERIFY(fenetre.close());
    QCOMPARE(Dialogues::MessagesAffiches().size(), questions);
}

void RapportEtTexteTest::UnePublicationIncompleteLeDit() {
    DossierCourant dossier;
    PublieDans(dossier);
    TFenPrinc fenetre;
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("Le chat.\n")));
    fenetre.Rapport()->Ajoute("Absente", "absente.html", " ");
    QVERIFY(!fenetre.Bases().PublieRapport());
    const QString message = Dialogues::MessagesAffiches().last();
    QVERIFY(message.contains("absente.html"));
    QVERIFY(QFileInfo::exists(dossier.Chemin("donnees/tessaron3/RAPPORT/index.htm")));
}

void RapportEtTexteTest::LaVueDuTexteMontreLeGroupeDepose() {
    DossierCourant dossier;
    t3::charg1 base;
    QCOMPARE(base.ChargeBase(t3uitest::Base("<titre=un> chat chien\nchat\n\n").toStdString()), 0);
    QString page;
    {
        TFenRuze vue(&base);
        page = vue.CheminPage();
        QVERIFY(QFileInfo(page).fileName().startsWith("t3th"));
        QByteArray contenu = t3uitest::Lit(page);
        QCOMPARE(contenu.count("<br />"), 3);
        QVERIFY(contenu.contains("color: #ff0000;}"));
        QVERIFY(contenu.contains("<span class=\"partie\">&lt;titre=un&gt;</span>"));

        // A blue group: its occurrences in bold and blue, in the file and in the view.
        const int32_t chat = base.LocFormDic("chat");
        TTgenDragObject bleu(nullptr, "", t3::CouleurRGB(0, 0, 255), 1);
        bleu.Ajoute(chat);
        vue.HTMLEditDrop(bleu);
        contenu = t3uitest::Lit(page);
        QVERIFY(contenu.contains("color: #0000ff;}"));
        QCOMPARE(contenu.count("<span class=\"tgenstyle\"> chat</span>"), 2);
        QVERIFY(vue.HTMLEdit()->toHtml().contains("color:#0000ff"));
        QCOMPARE(vue.Groupe()->NbOcc(), 2);

        // A white drag keeps the group's own colour.
        TTgenDragObject blanc(nullptr, "", t3::CouleurBlanche, 1);
        blanc.Ajoute(chat);
        vue.HTMLEditDrop(blanc);
        QVERIFY(vue.Groupe()->GetCouleur() != t3::CouleurBlanche);
        QVERIFY(!t3uitest::Lit(page).contains("#ffffff"));

        // The browser takes group drags from any source, and nothing else.
        QMimeData texte;
        texte.setText("chat");
        QDragEnterEvent refuse(QPoint(5, 5), Qt::CopyAction, &texte, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vue.HTMLEdit()->viewport(), &refuse);
        QVERIFY(!refuse.isAccepted());
        QDragEnterEvent accepte(QPoint(5, 5), Qt::CopyAction, &bleu, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vue.HTMLEdit()->viewport(), &accepte);
        QVERIFY(accepte.isAccepted());
    }
    QVERIFY(!QFileInfo::exists(page));
}

void RapportEtTexteTest::UnLongTexteSeMontreParParties() {
    DossierCourant dossier;
    QString texte;
    for (int ligne = 0; ligne < 30000; ++ligne)
        texte += QString("ligne%1 du texte\n").arg(ligne);
    t3::charg1 base;
    {
        t3test::GardeOptions garde;
        t3::Options.Maxart = 200000;
        QCOMPARE(base.ChargeBase(t3uitest::Base(texte).toStdString()), 0);
    }
    TFenRuze vue(&base);
    QVERIFY(vue.NbParties() > 1);
    QVERIFY(vue.HTMLEdit()->toPlainText().startsWith("ligne0 du texte"));
    QVERIFY(!vue.HTMLEdit()->toPlainText().contains("ligne29999 "));
    // The parts hold every line once, in order.
    QString tout;
    for (int partie = 0; partie < vue.NbParties(); ++partie) {
        vue.MontrePartie(partie);
        tout += vue.HTMLEdit()->toPlainText() + "\n";
    }
    QCOMPARE(tout.count("du texte"), 30000);
    QVERIFY(tout.indexOf("ligne12000 ") < tout.indexOf("ligne12001 "));
    QVERIFY(!vue.findChild<QToolButton*>("BtnPartieSuivante")->isEnabled());
    QTest::mouseClick(vue.findChild<QToolButton*>("BtnPartiePrecedente"), Qt::LeftButton);
    QCOMPARE(vue.Partie(), vue.NbParties() - 2);
}

void RapportEtTexteTest::UneImageDevientUnJpeg() {
    DossierCourant dossier;
    QImage image(40, 30, QImage::Format_ARGB32);
    image.fill(QColor(200, 30, 30));
    QVERIFY(SauveJPEG(image, dossier.Chemin("img.jpg"), 30));
    QImageReader lecteur(dossier.Chemin("img.jpg"));
    QCOMPARE(lecteur.format(), QByteArray("jpeg"));
    QCOMPARE(lecteur.size(), QSize(40, 30));
    QVERIFY(!SauveJPEG(image, dossier.Chemin("absent/img.jpg"), 30));
}

QTEST_MAIN(RapportEtTexteTest)
#include "RapportEtTexteTest.moc"
