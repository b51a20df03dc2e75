// The dictionary window on real bases: its rows, count, both orders, the header clicks, the drag of the
// selected rows and the colour of the pastille; and the group drag payload itself.
#include "AideUi.h"

#include "engine/corpus/charg1.h"
#include "engine/stats/Tgen.h"
#include "ui/explore/CibleGroupes.h"
#include "ui/explore/TFenDicNum.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/ExportTableau.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace t3ui;
using t3uitest::DossierCourant;

namespace {

QStringList Colonne(const ModeleDicNum& modele, int colonne) {
    QStringList textes;
    for (int r = 0; r < modele.rowCount(); ++r)
        textes << modele.data(modele.index(r, colonne), Qt::DisplayRole).toString();
    return textes;
}

void Selectionne(TFenDicNum& fenetre, std::initializer_list<int> lignes) {
    QItemSelectionModel* selection = fenetre.ListeFormes()->selectionModel();
    selection->clear();
    for (int ligne : lignes)
        selection->select(fenetre.Modele()->index(ligne, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

std::unique_ptr<const TTgenDragObject> Glisse(TFenDicNum& fenetre) {
    QMimeData* donnees =
        fenetre.Modele()->mimeData(fenetre.ListeFormes()->selectionModel()->selectedIndexes());
    return std::unique_ptr<const TTgenDragObject>(TTgenDragObject::De(donnees));
}

} // namespace

class TFenDicNumTest : public QObject {
    Q_OBJECT
  private slots:
    void LesLignesEtLeCompteSuiventLaBase();
    void LesDeuxOrdresEtLesClicsSurLesTitres();
    void LesIndexPersistantsSuiventLeurEntree();
    void LeGlisserPorteLesLignesChoisiesDansLOrdreDesLignes();
    void LaPastilleChoisitLaCouleurDuGlisser();
    void LImageDuGlisserResteCompacte();
    void LeGroupeVoyageEnOctetsEtNeVaQuAuxCiblesQuiLAcceptent();
    void LExportEtLaCopieSuiventLOrdreAffiche();
};

void TFenDicNumTest::LesLignesEtLeCompteSuiventLaBase() {
    DossierCourant dossier;
    t3::charg1 base;
    // Forms by decreasing frequency, then punctuation (. then ,).
    QCOMPARE(base.ChargeBase(t3uitest::Base("zèbre, arbre. zèbre. été\n").toStdString()), 0);
    TFenDicNum fenetre(&base);
    QAbstractItemModelTester testeur(fenetre.Modele(),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(fenetre.StatusBar1()->currentMessage(), QString("5 formes"));
    QCOMPARE(Colonne(*fenetre.Modele(), 0), (QStringList{"zèbre", "arbre", "été", ",", "."}));
    QCOMPARE(Colonne(*fenetre.Modele(), 1), (QStringList{"2", "1", "1", "1", "2"}));
    QCOMPARE(fenetre.Modele()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             QString("Formes (ordre lexicométrique)"));
    QCOMPARE(fenetre.Modele()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QString("Fréquence"));
    QCOMPARE(fenetre.windowTitle(), QString("Dictionnaire"));

    // A form ending in a no-break space does not look like the form without it.
    QCOMPARE(base.ChargeBase(t3uitest::Base("sécurité sécurité\u00A0 sécurité\n").toStdString()), 0);
    TFenDicNum insecable(&base);
    QCOMPARE(Colonne(*insecable.Modele(), 0), (QStringList{"sécurité", "sécurité\u2423"}));
    QVERIFY(insecable.Modele()->index(1, 0).data(Qt::ToolTipRole).toString().contains("espace insécable"));
}

void TFenDicNumTest::LesDeuxOrdresEtLesClicsSurLesTitres() {
    DossierCourant dossier;
    t3::charg1 base;
    QCOMPARE(base.ChargeBase(t3uitest::Base("zèbre, arbre. zèbre. mère. lac\n").toStdString()), 0);
    TFenDicNum fenetre(&base);
    fenetre.resize(254, 200);
    fenetre.show();
    QAbstractItemModelTester testeur(fenetre.Modele(),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QStringList lexicometrique = Colonne(*fenetre.Modele(), 0);

    // With no row selected the order changes and nothing gets selected; punctuation stays at the end.
    fenetre.ListeFormesColumnClick(0);
    QCOMPARE(Colonne(*fenetre.Modele(), 0), (QStringList{"arbre", "lac", "mère", "zèbre", ",", "."}));
    QCOMPARE(fenetre.Modele()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             QString("Formes (ordre lexicographique)"));
    QVERIFY(fenetre.ListeFormes()->selectionModel()->selectedRows().isEmpty());

    // The selected entry follows the order change and stays selected alone.
    Selectionne(fenetre, {2, 3});
    fenetre.ListeFormesColumnClick(0);
    QCOMPARE(Colonne(*fenetre.Modele(), 0), lexicometrique);
    QCOMPARE(fenetre.Modele()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             QString("Formes (ordre lexicométrique)"));
    QModelIndexList choisies = fenetre.ListeFormes()->selectionModel()->selectedRows();
    QCOMPARE(choisies.size(), 1);
    QCOMPARE(fenetre.Modele()->data(choisies[0], Qt::DisplayRole).toString(), QString("mère"));

    // "Fréquence" changes no order but keeps the first selected row, scrolled into view.
    Selectionne(fenetre, {5});
    QTest::mouseClick(fenetre.ListeFormes()->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(fenetre.ListeFormes()->horizontalHeader()->sectionViewportPosition(1) + 5, 5));
    QCOMPARE(Colonne(*fenetre.Modele(), 0), lexicometrique);
    choisies = fenetre.ListeFormes()->selectionModel()->selectedRows();
    QCOMPARE(choisies.size(), 1);
    QCOMPARE(choisies[0].row(), 5);
    QVERIFY(
        fenetre.ListeFormes()->viewport()->rect().intersects(fenetre.ListeFormes()->visualRect(choisies[0])));
}

void TFenDicNumTest::LesIndexPersistantsSuiventLeurEntree() {
    DossierCourant dossier;
    t3::charg1 base;
    QCOMPARE(base.ChargeBase(t3uitest::Base("zèbre, arbre. zèbre. mère. lac\n").toStdString()), 0);
    ModeleDicNum modele(&base);
    QAbstractItemModelTester testeur(&modele, QAbstractItemModelTester::FailureReportingMode::QtTest);
    // Rows move when the order changes: a view's selection and current row stay on their entries.
    QPersistentModelIndex zebre(modele.index(0, 0)), virgule(modele.index(4, 1));
    QCOMPARE(zebre.data().toString(), QString("zèbre"));
    modele.InverseOrdre();
    QCOMPARE(zebre.row(), 3);
    QCOMPARE(zebre.data().toString(), QString("zèbre"));
    QCOMPARE(virgule.row(), 4);
    QCOMPARE(virgule.column(), 1);
    modele.InverseOrdre();
    QCOMPARE(zebre.row(), 0);
}

void TFenDicNumTest::LeGlisserPorteLesLignesChoisiesDansLOrdreDesLignes() {
    DossierCourant dossier;
    t3::charg1 base;
    QCOMPARE(base.ChargeBase(t3uitest::Base("zèbre, arbre. zèbre. été\n").toStdString()), 0);
    TFenDicNum fenetre(&base);
    QVERIFY(!Glisse(fenetre));
    fenetre.ListeFormesColumnClick(0); // arbre, été, zèbre
    Selectionne(fenetre, {2, 0});
    auto objet = Glisse(fenetre);
    QVERIFY(objet);
    QCOMPARE(objet->Entrees(), (std::vector<int32_t>{1, 0})); // arbre (1) then zèbre (0)
    QCOMPARE(objet->Nom(), std::string());
    QCOMPARE(objet->GetCouleur(), t3::CouleurRGB(0, 0, 255));
    QCOMPARE(objet->Source(), static_cast<QObject*>(fenetre.ListeFormes()));
}

void TFenDicNumTest::LaPastilleChoisitLaCouleurDuGlisser() {
    DossierCourant dossier;
    t3::charg1 base;
    QCOMPARE(base.ChargeBase(t3uitest::Base("a b\n").toStdString()), 0);
    TFenDicNum fenetre(&base);
    fenetre.show();
    // A mouse-up without its mouse-down opens nothing: the answer given stays unused.
    Dialogues::RepondCouleur(QColor(10, 20, 30));
    QTest::mouseRelease(fenetre.ShPastille(), Qt::LeftButton);
    QCOMPARE(fenetre.CouleurPastille(), t3::CouleurRGB(0, 0, 255));
    QTest::mouseClick(fenetre.ShPastille(), Qt::LeftButton);
    QCOMPARE(fenetre.CouleurPastille(), t3::CouleurRGB(10, 20, 30));
    // Cancelling keeps the colour.
    Dialogues::RepondCouleur(QColor());
    QTest::mouseClick(fenetre.ShPastille(), Qt::LeftButton);
    QCOMPARE(fenetre.CouleurPastille(), t3::CouleurRGB(10, 20, 30));
    Selectionne(fenetre, {0});
    QCOMPARE(Glisse(fenetre)->GetCouleur(), t3::CouleurRGB(10, 20, 30));
}

void TFenDicNumTest::LImageDuGlisserResteCompacte() {
    DossierCourant dossier;
    QString texte;
    for (int i = 0; i < 400; ++i)
        texte += QString("forme%1 ").arg(i);
    t3::charg1 base;
    QCOMPARE(base.ChargeBase(t3uitest::Base(texte + "\n").toStdString()), 0);
    TFenDicNum fenetre(&base);
    fenetre.resize(254, 600);
    fenetre.show();
    // Rows far apart, and every row: the image names a few of them and the count, in a small label.
    Selectionne(fenetre, {0, 399});
    QPixmap image = fenetre.ListeFormes()->ImageSelection();
    QVERIFY(image.height() <= 3 * fenetre.fontMetrics().height() + 8);
    fenetre.ListeFormes()->selectAll();
    image = fenetre.ListeFormes()->ImageSelection();
    QVERIFY(image.width() <= 220);
    QVERIFY(image.height() <= 4 * fenetre.fontMetrics().height() + 8);
    QVERIFY(image.toImage().pixelColor(0, 0).alpha() < 255); // not an opaque block
}

void TFenDicNumTest::LeGroupeVoyageEnOctetsEtNeVaQuAuxCiblesQuiLAcceptent() {
    QObject source, cible;
    TTgenDragObject objet(&source, "gr\xE9", t3::CouleurRGB(1, 2, 3), 3);
    for (int32_t e : {5, 0, 1000005})
        objet.Ajoute(e);
    std::string nom;
    t3::Couleur couleur = 0;
    std::vector<int32_t> entrees;
    QVERIFY(TTgenDragObject::Decode(objet.data(TTgenDragObject::TypeMime), nom, couleur, entrees));
    QCOMPARE(nom, std::string("gr\xE9"));
    QCOMPARE(couleur, t3::CouleurRGB(1, 2, 3));
    QCOMPARE(entrees, (std::vector<int32_t>{5, 0, 1000005}));
    QVERIFY(!TTgenDragObject::Decode(QByteArray("\xff\xff\xff\x7f", 4), nom, couleur, entrees));

    // Targets take only group drags, and refuse those of a source they name.
    QMimeData texte;
    texte.setText("chat");
    QVERIFY(!GroupeDuGlisser(&texte));
    QVERIFY(GroupeDuGlisser(&objet) == &objet);
    QVERIFY(GroupeDuGlisser(&objet, &cible) == &objet);
    QVERIFY(!GroupeDuGlisser(&objet, &source));

    // The receiving group: the drag's name when kept, else the default one; white keeps its colour.
    DossierCourant dossier;
    t3::charg1 base;
    QCOMPARE(base.ChargeBase(t3uitest::Base("chat chien chat\n").toStdString()), 0);
    TTgenDragObject blanc(&source, "mes formes", t3::CouleurBlanche, 2);
    blanc.Ajoute(0);
    blanc.Ajoute(1);
    auto sansNom = GroupeRecu(&base, blanc, false);
    auto avecNom = GroupeRecu(&base, blanc, true);
    QCOMPARE(sansNom->Nom(), std::string("chat+"));
    QCOMPARE(avecNom->Nom(), std::string("mes formes"));
    QVERIFY(sansNom->GetCouleur() != t3::CouleurBlanche);
    QCOMPARE(sansNom->Positions(), (std::vector<int32_t>{0, 1, 2}));
}

void TFenDicNumTest::LExportEtLaCopieSuiventLOrdreAffiche() {
    DossierCourant dossier;
    t3::charg1 base;
    QCOMPARE(base.ChargeBase(t3uitest::Base("zèbre, arbre. zèbre. été\n").toStdString()), 0);
    TFenDicNum fenetre(&base);
    QTableView* liste = fenetre.ListeFormes();
    fenetre.ListeFormesColumnClick(0);
    const QList<QStringList> affichees = t3uitest::LignesAffichees(liste);
    QCOMPARE(affichees.size(), 6);
    QCOMPARE(affichees[0], (QStringList{"Formes (ordre lexicographique)", "Fréquence"}));
    QCOMPARE(t3uitest::Exporte(liste, dossier.Chemin("dic.txt"), 1), affichees);
    // A name without an extension takes the format's.
    Dialogues::RepondEnregistrement(dossier.Chemin("sans"), FiltresTableau()[1]);
    liste->findChild<QAction*>("ActExporter")->trigger();
    QVERIFY(QFile::exists(dossier.Chemin("sans.txt")));

    // The rows copied in the order shown, whatever the order of the selection.
    Selectionne(fenetre, {3, 1});
    liste->findChild<QAction*>("ActCopierLignes")->trigger();
    const QMimeData* copie = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(copie->text(), affichees[0].join('\t') + '\n' + affichees[2].join('\t') + '\n' +
                                affichees[4].join('\t') + '\n');
    QCOMPARE(copie->html(),
             "<table>\n<tr><th>Formes (ordre lexicographique)</th><th>Fréquence</th></tr>\n<tr><td>" +
                 affichees[2].join("</td><td>") + "</td></tr>\n<tr><td>" + affichees[4].join("</td><td>") +
                 "</td></tr>\n</table>\n");
    // Ctrl+A, then Ctrl+C, in the list: every row.
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowActive(&fenetre));
    liste->setFocus();
    QTest::keyClick(liste, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(liste, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text().count('\n'), 6);

    // A cancelled export leaves no file, and a file already there as it was.
    const auto annule = [](int64_t) { return false; };
    t3uitest::Ecrit(dossier.Chemin("ancien.csv"), "avant");
    const QStringList fichiers = QDir(dossier.Chemin()).entryList(QDir::Files);
    QCOMPARE(ExporteLignes(LignesDeVue(liste), dossier.Chemin("nouveau.csv"), 0, annule), QString());
    ExporteLignes(LignesDeVue(liste), dossier.Chemin("ancien.csv"), 0, annule);
    QCOMPARE(t3uitest::Lit(dossier.Chemin("ancien.csv")), QByteArray("avant"));
    QCOMPARE(QDir(dossier.Chemin()).entryList(QDir::Files), fichiers);
}

QTEST_MAIN(TFenDicNumTest)
#include "TFenDicNumTest.moc"
