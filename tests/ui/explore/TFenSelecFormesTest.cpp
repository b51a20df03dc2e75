// The "Groupes de formes" window in the real workbench: searches of each kind and the group name,
// deleting, the list files, the two drags, the drops, and a list that follows a new computation of
// segments.
#include "AideUi.h"

#include "engine/corpus/charg1.h"
#include "engine/explore/CalculSegments.h"
#include "ui/explore/CibleGroupes.h"
#include "ui/explore/ListeGlissable.h"
#include "ui/explore/Pastille.h"
#include "ui/explore/TFenPrepSR.h"
#include "ui/explore/TFenSelecFormes.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/shell/Atelier.h"
#include "ui/shell/BarreEtat.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/TFenPrinc.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <memory>
#include <sys/stat.h>

using namespace t3ui;
using t3uitest::DossierCourant;

namespace {

// "le" 5 times, "la" twice; "le chat" 4 times, "le chat dort" and "le chat mange" twice each.
const QString Corpus = "le chat dort . le chat dort . le chat mange , le chien dort . le chat mange . "
                       "la table . la lampe .\n";

struct Poste {
    DossierCourant dossier;
    TFenPrinc fenetre;

    Poste() {
        fenetre.resize(1200, 800);
        fenetre.show();
        if (!fenetre.Bases().OuvreBase(QFileInfo(t3uitest::Base(Corpus)).absoluteFilePath()))
            qFatal("base not opened");
    }
    ~Poste() { Dialogues::Oublie(); }

    t3::charg1& Base() { return *fenetre.Chargeur(); }
    TFenSelecFormes* Ouvre() {
        fenetre.CommandeNommee("BtnSelFormes")->trigger();
        const QList<TFenSelecFormes*> ouvertes = fenetre.findChildren<TFenSelecFormes*>();
        return ouvertes.isEmpty() ? nullptr : ouvertes.last();
    }
    // Repeated segments of at least seuil occurrences, attached to the base.
    void CalculeSegments(int seuil) {
        Dialogues::RepondDialogue(QDialog::Accepted, [seuil](QDialog* d) {
            qobject_cast<TFenPrepSR*>(d)->EditSR()->setValue(seuil);
        });
        fenetre.CommandeNommee("BtnSR")->trigger();
    }
};

void Cherche(TFenSelecFormes* f, int type, const QString& motif) {
    f->LstTypeReq()->setCurrentIndex(type);
    f->EdMotif()->setText(motif);
    QTest::keyClick(f->EdMotif(), Qt::Key_Return);
}

QStringList Lignes(const TFenSelecFormes* f, int colonne = 0) {
    QStringList lignes;
    for (int r = 0; r < f->Modele()->rowCount(); ++r)
        lignes << f->Modele()->index(r, colonne).data().toString();
    return lignes;
}

void SelectionneLignes(TFenSelecFormes* f, std::initializer_list<int> lignes) {
    f->ListResu()->clearSelection();
    for (int r : lignes)
        f->ListResu()->selectionModel()->select(f->Modele()->index(r, 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

QByteArray Contenu(const QString& chemin) {
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray("(absent)");
}

} // namespace

class TFenSelecFormesTest : public QObject {
    Q_OBJECT
  private slots:
    void LaFenetreEtSesRecherches();
    void SupprimerDesLignesOuTout();
    void LesDeuxGlissersEtLesDepots();
    void LesListesEnregistreesEtChargees();
    void LaListeSuitUnNouveauCalculDeSegments();
};

void TFenSelecFormesTest::LaFenetreEtSesRecherches() {
    Poste a;
    TFenSelecFormes* f = a.Ouvre();
    QVERIFY(f);
    QAbstractItemModelTester testeur(f->Modele());
    QVERIFY(f->windowTitle().startsWith("Groupes de formes"));
    auto* sous = qobject_cast<QMdiSubWindow*>(f->parentWidget());
    QVERIFY(sous);
    QCOMPARE(sous->pos(), QPoint(0, 0));
    QVERIFY(sous->width() <= 290);
    // Maximised, it fills the area, its list with it.
    sous->showMaximized();
    QCOMPARE(sous->width(), sous->mdiArea()->viewport()->width());
    QVERIFY(f->ListResu()->columnWidth(0) > 300);
    sous->showNormal();
    QCOMPARE(f->LstTypeReq()->count(), 5);
    QCOMPARE(f->LstTypeReq()->currentText(), QString("est exactement ce que je recherche"));
    QVERIFY(f->ChkAjout()->isChecked());
    QCOMPARE(f->Modele()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Fréquence"));

    // Type 0: an exact form; the group takes the pattern's name followed by "+".
    Cherche(f, 0, " chat ");
    QCOMPARE(Lignes(f), QStringList{"chat"});
    QCOMPARE(Lignes(f, 1), QStringList{"4"});
    QCOMPARE(f->EdNomGrp()->text(), QString("chat+"));
    Cherche(f, 0, "chats"); // not a form: nothing, no message
    QCOMPARE(Lignes(f), QStringList{"chat"});
    QVERIFY(Dialogues::MessagesAffiches().isEmpty());
    // Type 3 with a dot: any character there ("l.", contained, finds "le", "la" and "table"); a name
    // already there stays.
    Cherche(f, 3, "l.");
    QCOMPARE(f->EdNomGrp()->text(), QString("chat+"));
    QStringList attendues{"chat"};
    for (int32_t forme = 0; forme < a.Base().Nbform(); ++forme) {
        const QString g = QString::fromLatin1(a.Base().RetourneGraphie(forme, false));
        if (g.size() >= 2 && g.indexOf('l') >= 0 && g.indexOf('l') < g.size() - 1) attendues << g;
    }
    QCOMPARE(Lignes(f), attendues);
    QVERIFY(attendues.contains("table") && attendues.contains("le") && attendues.contains("la"));
    // The same search again adds nothing; without "Ajouter" the list is rebuilt from the new results.
    Cherche(f, 3, "l.");
    QCOMPARE(Lignes(f), attendues);
    f->ChkAjout()->setChecked(false);
    Cherche(f, 1, "ch");
    QCOMPARE(Lignes(f), (QStringList{"chat", "chien"}));
    Cherche(f, 2, "e");
    QStringList fin = Lignes(f);
    fin.sort();
    QCOMPARE(fin, (QStringList{"lampe", "le", "mange", "table"}));
    // An invalid expression: the matcher's message, the list as it was.
    Dialogues::RepondBouton(QMessageBox::Ok);
    Cherche(f, 4, "(ch");
    QCOMPARE(Dialogues::MessagesAffiches().size(), 1);
    QCOMPARE(Lignes(f).size(), 4);
}

void TFenSelecFormesTest::SupprimerDesLignesOuTout() {
    Poste a;
    TFenSelecFormes* f = a.Ouvre();
    Cherche(f, 3, "a");
    const QStringList toutes = Lignes(f);
    QVERIFY(toutes.size() >= 4);
    // With nothing selected, nothing happens; the Delete key removes the selected rows, in order.
    f->BtnSupprClick(false);
    QCOMPARE(Lignes(f), toutes);
    SelectionneLignes(f, {0, 2});
    f->ListResu()->setFocus();
    QTest::keyClick(f->ListResu(), Qt::Key_Delete);
    QStringList reste = toutes;
    reste.removeAt(2);
    reste.removeAt(0);
    QCOMPARE(Lignes(f), reste);
    // "Exporter…" writes the rows that are left.
    QCOMPARE(t3uitest::Exporte(f->ListResu(), "selection.txt", 1), t3uitest::LignesAffichees(f->ListResu()));
    // A removed entry can come back; Shift+click empties the list.
    Cherche(f, 0, toutes[0]);
    QCOMPARE(Lignes(f).last(), toutes[0]);
    QTest::mouseClick(f->findChild<QPushButton*>("BtnSuppr"), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(f->Modele()->rowCount(), 0);
}

void TFenSelecFormesTest::LesDeuxGlissersEtLesDepots() {
    Poste a;
    TFenSelecFormes* f = a.Ouvre();
    Cherche(f, 1, "ch");
    f->EdNomGrp()->setText(" félins ");
    const t3::Couleur vert = t3::CouleurRGB(0, 200, 0);
    f->ShPastille()->SetCouleur(vert);
    // The selected rows: black, under the group's name.
    SelectionneLignes(f, {1});
    std::unique_ptr<QMimeData> lignes(
        f->Modele()->mimeData(f->ListResu()->selectionModel()->selectedIndexes()));
    const TTgenDragObject* rangs = TTgenDragObject::De(lignes.get());
    QVERIFY(rangs);
    QCOMPARE(rangs->Nom(), std::string("f\xE9lins"));
    QCOMPARE(rangs->GetCouleur(), t3::CouleurRGB(0, 0, 0));
    QCOMPARE(rangs->Entrees(), std::vector<int32_t>{a.Base().LocFormDic("chien")});
    QCOMPARE(rangs->Source(), f->ListResu());
    // The whole group: the pastille's colour and every entry in order.
    std::unique_ptr<TTgenDragObject> entier(f->GroupeEntier());
    QVERIFY(entier);
    QCOMPARE(entier->Nom(), std::string("f\xE9lins"));
    QCOMPARE(entier->GetCouleur(), vert);
    QCOMPARE(entier->Entrees(), f->Entrees());

    // A group dropped on the list adds what is not there and gives the pastille its colour, white too.
    const int32_t le = a.Base().LocFormDic("le"), chat = a.Base().LocFormDic("chat");
    TTgenDragObject dictionnaire(&a.fenetre, "", t3::CouleurRGB(255, 255, 255), 2);
    dictionnaire.SetBase(&a.Base());
    dictionnaire.Ajoute(le);
    dictionnaire.Ajoute(chat);
    QVERIFY(f->ListResuDragDrop(dictionnaire));
    QCOMPARE(f->Entrees(), (std::vector<int32_t>{chat, a.Base().LocFormDic("chien"), le}));
    QCOMPARE(f->ShPastille()->GetCouleur(), t3::CouleurRGB(255, 255, 255));
    // Dropped through the view: accepted from elsewhere, refused from the list itself.
    QMimeData autre;
    autre.setText("le");
    QCOMPARE(t3uitest::Depose(f->ListResu()->viewport(), &autre), t3uitest::Depot::RefuseALEntree);
    QCOMPARE(t3uitest::Depose(f->ListResu()->viewport(), lignes.get()), t3uitest::Depot::RefuseALEntree);
    TTgenDragObject lampe(&a.fenetre, "", t3::CouleurRGB(1, 2, 3), 1);
    lampe.SetBase(&a.Base());
    lampe.Ajoute(a.Base().LocFormDic("lampe"));
    QCOMPARE(t3uitest::Depose(f->ListResu()->viewport(), &lampe), t3uitest::Depot::Accepte);
    QCOMPARE(Lignes(f).last(), QString("lampe"));
    QCOMPARE(f->ShPastille()->GetCouleur(), t3::CouleurRGB(1, 2, 3));
    // An empty group drags nothing.
    f->BtnSupprClick(true);
    QVERIFY(!f->GroupeEntier());
}

void TFenSelecFormesTest::LesListesEnregistreesEtChargees() {
    Poste a;
    a.CalculeSegments(2);
    QVERIFY(t3::SegmentsAttaches(a.Base()));
    TFenSelecFormes* f = a.Ouvre();
    // Forms then segments are searched; a segment's line ends with a blank.
    Cherche(f, 3, "mange");
    QCOMPARE(Lignes(f), (QStringList{"mange", "le chat mange "}));
    QCOMPARE(Lignes(f, 1), (QStringList{"2", "2"}));
    QVERIFY(f->Entrees()[1] > a.Base().Nbart());
    // Saved without an extension: ".lst" is added.
    Dialogues::RepondFichiers({a.dossier.Chemin("groupe")});
    f->BtnEnrClick();
    QCOMPARE(Contenu(a.dossier.Chemin("groupe.lst")), QByteArray("mange\nle chat mange \n"));
    // Cancelling either dialog does nothing.
    Dialogues::RepondFichiers({});
    f->BtnEnrClick();
    Dialogues::RepondFichiers({});
    f->BtnLoadClick();
    QCOMPARE(f->Modele()->rowCount(), 2);

    // Loaded into another window: forms then segments, other lines passed over, added to what is there.
    QFile liste(a.dossier.Chemin("autre.lst"));
    QVERIFY(liste.open(QIODevice::WriteOnly));
    liste.write("la\nle chat mange \n.\nzebre\nchat\nchat mange \n");
    liste.close();
    TFenSelecFormes* g = a.Ouvre();
    QVERIFY(g != f);
    Cherche(g, 0, "table");
    Dialogues::RepondFichiers({a.dossier.Chemin("autre.lst")});
    g->BtnLoadClick();
    QCOMPARE(Lignes(g), (QStringList{"table", "la", "le chat mange ", "chat"}));
    QCOMPARE(g->EdNomGrp()->text(), QString("table+"));
    // An unreadable list: the message, nothing added.
    Dialogues::RepondFichiers({a.dossier.Chemin("absente.lst")});
    Dialogues::RepondBouton(QMessageBox::Ok);
    g->BtnLoadClick();
    QCOMPARE(Dialogues::MessagesAffiches().size(), 1);
    QVERIFY(Dialogues::MessagesAffiches().first().contains("ne peut être lue"));
    // A pipe no one writes to: refused at once, not waited for.
    QCOMPARE(::mkfifo(qPrintable(a.dossier.Chemin("tube.lst")), 0600), 0);
    Dialogues::RepondFichiers({a.dossier.Chemin("tube.lst")});
    Dialogues::RepondBouton(QMessageBox::Ok);
    g->BtnLoadClick();
    QCOMPARE(Dialogues::MessagesAffiches().size(), 2);
    QVERIFY2(Dialogues::MessagesAffiches().last().contains("ce n'est pas un fichier ordinaire"),
             qPrintable(Dialogues::MessagesAffiches().last()));
    QCOMPARE(g->Modele()->rowCount(), 4);
}

void TFenSelecFormesTest::LaListeSuitUnNouveauCalculDeSegments() {
    Poste a;
    a.CalculeSegments(2);
    TFenSelecFormes* f = a.Ouvre();
    Cherche(f, 3, "chat");
    QStringList toutes = Lignes(f);
    toutes.sort();
    QCOMPARE(toutes, (QStringList{"chat", "le chat ", "le chat dort ", "le chat mange "}));
    std::unique_ptr<TTgenDragObject> avant(f->GroupeEntier());
    const uint64_t premier = t3::IdentifiantSegments(a.Base());
    QCOMPARE(avant->Segments(), premier);

    // A computation of threshold 3 keeps "le chat" only: the list follows it by the segments' texts.
    a.CalculeSegments(3);
    QVERIFY(t3::IdentifiantSegments(a.Base()) != premier);
    QCOMPARE(Lignes(f).size(), 4); // not yet
    std::unique_ptr<TTgenDragObject> apres(f->GroupeEntier());
    QCOMPARE(Lignes(f), (QStringList{"chat", "le chat "}));
    QCOMPARE(apres->Segments(), t3::IdentifiantSegments(a.Base()));
    QCOMPARE(apres->Entrees()[1],
             a.Base().Nbart() + 1 + t3::SegmentsAttaches(a.Base())->ChercheTexte("le chat "));
    QVERIFY(a.fenetre.Etat().TexteStatut(1).contains("2 segment(s)"));
    // The group dragged before refers to the old numbering: refused, the list unchanged.
    Dialogues::RepondBouton(QMessageBox::Ok);
    QVERIFY(!f->ListResuDragDrop(*avant));
    QCOMPARE(Dialogues::MessagesAffiches(), QStringList{"Tessaron3|" + SegmentsPerimes});
    QCOMPARE(f->Modele()->rowCount(), 2);
}

QTEST_MAIN(TFenSelecFormesTest)
#include "TFenSelecFormesTest.moc"
