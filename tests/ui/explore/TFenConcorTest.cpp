// The concordance window driven in the real workbench as the user drives it: a form typed with Enter,
// a pattern, a drop, the history, the grouping by a partition, the width, the selection and drag of a
// word, Ctrl+C, the double click to the text view and the report pages; the lines are those that
// t3 concordance prints on the same base.
#include "AideUi.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/Concordance.h"
#include "engine/stats/Tgen.h"
#include "ui/explore/TFenConcor.h"
#include "ui/explore/TFenDicNum.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/explore/VueConcordance.h"
#include "ui/shell/Atelier.h"
#include "ui/shell/Couleurs.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/RapportCourant.h"
#include "ui/shell/TFenPrinc.h"
#include "ui/shell/TFenRuze.h"
#include "ui/shell/TexteQt.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

using namespace t3ui;
using t3uitest::DossierCourant;

namespace {

// Three authors; "de" in two of them, none in Sand's; a form long enough for a pattern to backtrack
// without end.
const QString Texte = "<auteur=Hugo>\nle chat de la mère dort sur le tapis de la chambre .\n"
                      "le chien de la voisine aboie dans la cour du vieil immeuble .\n"
                      "<auteur=Sand>\nla mare au diable .\n"
                      "<auteur=Zola>\nun chat noir de plus traverse la rue . la mère de Zola attend " +
                      QString(40, 'a') + "b .\n";

using Role = ModeleConcordance::Role;

// What t3 concordance prints for these arguments, rows split into their cells, the header left out.
QList<QStringList> T3(const QStringList& arguments, QString* sortieBrute = nullptr) {
    QProcess t3;
    t3.start(QString(T3_BIN_DIR) + "/t3", QStringList{"concordance"} + arguments);
    t3.waitForFinished(60000);
    const QString sortie = QString::fromUtf8(t3.readAllStandardOutput());
    if (sortieBrute) *sortieBrute = sortie;
    QList<QStringList> lignes;
    for (const QString& ligne : sortie.split('\n', Qt::SkipEmptyParts))
        lignes << ligne.split('\t');
    if (!lignes.isEmpty()) lignes.removeFirst();
    return lignes;
}

// The occurrence rows as t3 prints them: position, part when grouped, left context, pivot, right
// context, cut from the row's text by the pivot's place.
QList<QStringList> Lignes(const TFenConcor& fenetre) {
    const ModeleConcordance& modele = *fenetre.Modele();
    const t3::Concordance* concordance = modele.GetConcordance();
    QList<QStringList> lignes;
    for (int r = 0; r < modele.rowCount(); ++r) {
        const QModelIndex index = modele.index(r);
        if (index.data(Role::RoleEntete).toBool()) continue;
        const QString texte = index.data().toString();
        const int debut = index.data(Role::RoleDebutPivot).toInt();
        const int longueur = index.data(Role::RoleLongueurPivot).toInt();
        QStringList ligne{QString::number(index.data(Role::RolePosition).toInt())};
        if (concordance->GetPartition())
            ligne << VersQt(concordance->NomPartie(concordance->PartieDeLigne(r)));
        ligne << texte.left(debut - 1) << texte.mid(debut, longueur) << texte.mid(debut + longueur + 1);
        lignes << ligne;
    }
    return lignes;
}

QStringList Entetes(const TFenConcor& fenetre) {
    QStringList entetes;
    const ModeleConcordance& modele = *fenetre.Modele();
    for (int r = 0; r < modele.rowCount(); ++r)
        if (modele.index(r).data(Role::RoleEntete).toBool()) entetes << modele.index(r).data().toString();
    return entetes;
}

QColor CouleurPivot(const TFenConcor& fenetre) {
    return fenetre.Modele()->index(0).data(Role::RoleCouleurPivot).value<QColor>();
}

QString NomGroupe(const TFenConcor& fenetre) {
    return fenetre.GroupeCourant() ? VersQt(fenetre.GroupeCourant()->Nom()) : QString();
}

// The workbench on the base, and the concordance windows it opens.
struct Poste {
    DossierCourant dossier;
    QString par;
    mutable TFenPrinc fenetre;

    Poste() {
        par = QFileInfo(t3uitest::Base(Texte)).absoluteFilePath();
        fenetre.resize(1200, 800);
        fenetre.show();
        if (!fenetre.Bases().OuvreBase(par)) qFatal("base not opened");
    }
    ~Poste() { Dialogues::Oublie(); }

    // "Concordances" on the toolbar: the new window.
    TFenConcor* Ouvre() const {
        const QList<TFenConcor*> avant = fenetre.findChildren<TFenConcor*>();
        fenetre.CommandeNommee("BtnDocu")->trigger();
        for (TFenConcor* f : fenetre.findChildren<TFenConcor*>())
            if (!avant.contains(f)) return f;
        qFatal("no concordance window");
    }
    const t3::charg1* Base() const { return fenetre.Chargeur(); }
    int32_t Forme(const char* graphie) const { return Base()->LocFormDic(graphie); }
    // A group of these forms from another window, of that colour.
    std::unique_ptr<TTgenDragObject> Groupe(std::initializer_list<const char*> formes,
                                            t3::Couleur couleur) const {
        auto objet =
            std::make_unique<TTgenDragObject>(nullptr, "nom", couleur, static_cast<int32_t>(formes.size()));
        objet->SetBase(Base());
        for (const char* forme : formes)
            objet->Ajoute(Forme(forme));
        return objet;
    }
    // Chooses a key type in "Choix de la partition" as the user does.
    void ChoisitCle(const QString& cle) const {
        Dialogues::RepondDialogue(QDialog::Accepted, [cle](QDialog* dialogue) {
            auto* liste = dialogue->findChild<QListWidget*>("ListParts");
            liste->setCurrentItem(liste->findItems(cle, Qt::MatchExactly).value(0));
            dialogue->findChild<QPushButton*>("BtnValide")->click();
        });
        fenetre.CommandeNommee("BtnPart")->trigger();
    }
    QStringList TitresRapport() const {
        QStringList titres;
        for (QTreeWidget* arbre : fenetre.findChildren<QTreeWidget*>())
            if (arbre->topLevelItemCount() == 1 && arbre->topLevelItem(0)->text(0) == "Table des matières")
                for (int i = 0; i < arbre->topLevelItem(0)->childCount(); ++i)
                    titres << arbre->topLevelItem(0)->child(i)->text(0);
        return titres;
    }
};

// Types a form (or a pattern) in EdForme and presses Enter.
void Tape(TFenConcor* fenetre, const QString& texte, bool motif = false) {
    fenetre->ChkExpRep()->setChecked(motif);
    fenetre->EdForme()->setText(texte);
    QTest::keyClick(fenetre->EdForme(), Qt::Key_Return);
}

// Chooses an item of a drop-down list as the user does (activated, not a change made by the window).
void Choisit(QComboBox* liste, const QString& texte) {
    const int index = liste->findText(texte);
    QVERIFY2(index >= 0, qPrintable(texte));
    liste->setCurrentIndex(index);
    emit liste->activated(index);
}

// Drops the list down and closes it: what the user sees in it.
void Deroule(QComboBox* liste) {
    liste->showPopup();
    liste->hidePopup();
}

// The texts that the status bar showed while fn ran.
QStringList Etapes(TFenConcor* fenetre, const std::function<void()>& fn) {
    QStringList etapes;
    const auto lien = QObject::connect(fenetre->StatusBar(), &QStatusBar::messageChanged,
                                       [&](const QString& texte) { etapes << texte; });
    fn();
    QObject::disconnect(lien);
    return etapes;
}

// The mouse pressed at a boundary between characters of a row, moved to another, released.
void SelectionneALaSouris(VueConcordance* vue, int ligne, int debut, int fin) {
    const QRect rect = vue->visualRect(vue->Modele()->index(ligne));
    const auto point = [&](int caractere) {
        return QPoint(rect.left() + vue->MargeTexte() + qRound((caractere + 0.2) * vue->LargeurCaractere()),
                      rect.center().y());
    };
    QTest::mousePress(vue->viewport(), Qt::LeftButton, {}, point(debut));
    QTest::mouseMove(vue->viewport(), point(fin));
    QTest::mouseRelease(vue->viewport(), Qt::LeftButton, {}, point(fin));
}

// A double click at the start of a row.
void DoubleClic(VueConcordance* vue, int ligne) {
    const QRect rect = vue->visualRect(vue->Modele()->index(ligne));
    QTest::mouseDClick(vue->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 10, rect.center().y()));
}

// The text that follows the selection of the text view.
QString Suite(const TFenRuze& texte) {
    const int fin = texte.HTMLEdit()->textCursor().selectionEnd();
    return texte.HTMLEdit()->document()->toPlainText().mid(fin, 40).simplified();
}

// A press then a release inside the selection, the row's character under the press remembered.
void CliqueDansLaSelection(VueConcordance* vue) {
    const SelectionCaracteres& s = vue->Selection();
    const QRect rect = vue->visualRect(vue->Modele()->index(s.ligne));
    const QPoint point(rect.left() + vue->MargeTexte() + qRound((s.Debut() + 0.5) * vue->LargeurCaractere()),
                       rect.center().y());
    QTest::mousePress(vue->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseRelease(vue->viewport(), Qt::LeftButton, {}, point);
}

} // namespace

class TFenConcorTest : public QObject {
    Q_OBJECT
  private slots:
    void LesControlesAuDepart();
    void UneFormeTapeeAvecEntree();
    void UnMotifEtSesRefus();
    void LeDepotDUnGroupe();
    void LHistoriqueGardeLeTriDeChaqueEntree();
    void LeRegroupementParLesParties();
    void LaLargeurAttendRafraichir();
    void LeGlisserDUnMotEtLaCopie();
    void LeDoubleClicMontreLOccurrenceDansLeTexte();
    void LesPagesDuRapport();
};

void TFenConcorTest::LesControlesAuDepart() {
    Poste a;
    TFenConcor* f = a.Ouvre();
    QCOMPARE(f->windowTitle(), QString("Concordances - corpus"));
    QVERIFY(!f->BtnPrec()->isEnabled() && !f->BtnSuiv()->isEnabled());
    QCOMPARE(f->ComboTri()->currentText(), QString("Aucun"));
    QCOMPARE(f->ComboGrp()->currentText(), QString("<Aucun>"));
    QSpinBox* largeur = f->SpinLgCont();
    QCOMPARE((QList<int>{largeur->minimum(), largeur->maximum(), largeur->singleStep(), largeur->value()}),
             (QList<int>{10, 255, 5, 40}));
    // Fixed width, bold as wide: the characters of every row stand on one grid.
    QFont police = f->ConcorEdit()->font();
    for (bool gras : {false, true}) {
        police.setBold(gras);
        const QFontMetricsF mesure(police);
        for (const QChar c : QString("iMé ."))
            QCOMPARE(mesure.horizontalAdvance(c), f->ConcorEdit()->LargeurCaractere());
    }

    // Empty: the rebuilding buttons and the export do nothing.
    f->BtnRecycle()->click();
    f->AjouteAuRapport();
    QCOMPARE(f->Modele()->rowCount(), 0);
    QVERIFY(a.TitresRapport().isEmpty());
}

void TFenConcorTest::UneFormeTapeeAvecEntree() {
    Poste a;
    TFenConcor* f = a.Ouvre();
    QAbstractItemModelTester testeur(f->Modele());
    const QStringList etapes = Etapes(f, [&] { Tape(f, "de"); });
    QCOMPARE(NomGroupe(*f), QString("de"));
    QCOMPARE(Lignes(*f), T3({a.par, "de"}));
    QCOMPARE(etapes,
             (QStringList{"Création des contextes", "Affichage des contextes", "Nombre de contextes : 5"}));
    QCOMPARE(f->StatusBar()->currentMessage(), QString("Nombre de contextes : 5"));
    // The pivot in the group's colour, in bold by the view's painting.
    QCOMPARE(CouleurPivot(*f), VersQColor(f->GroupeCourant()->GetCouleur()));

    // Sorted after: the contexts are sorted first.
    const QStringList triees = Etapes(f, [&] { Choisit(f->ComboTri(), "Après"); });
    QCOMPARE(triees.first(), QString("Tri des contextes"));
    QCOMPARE(Lignes(*f), T3({a.par, "de", "--tri=apres"}));
    Choisit(f->ComboTri(), "Avant");
    QCOMPARE(Lignes(*f), T3({a.par, "de", "--tri=avant"}));
    Choisit(f->ComboTri(), "Aucun");
    QCOMPARE(Lignes(*f), T3({a.par, "de"}));

    // A form that is not in the dictionary (nor a part of one) changes nothing and says nothing.
    for (const char* absente : {"d", "dee", "De"}) {
        Tape(f, absente);
        QCOMPARE(f->NbHistorique(), 1);
        QCOMPARE(NomGroupe(*f), QString("de"));
    }
    QVERIFY(Dialogues::MessagesAffiches().isEmpty());
    Tape(f, "mère");
    QCOMPARE(Lignes(*f), T3({a.par, "mère"}));
    QCOMPARE(f->NbHistorique(), 2);
}

void TFenConcorTest::UnMotifEtSesRefus() {
    Poste a;
    TFenConcor* f = a.Ouvre();
    Tape(f, "^ch", true);
    // In number order: chat, the most frequent, first.
    QCOMPARE(f->GroupeCourant()->Entrees(),
             (std::vector<int32_t>{a.Forme("chat"), a.Forme("chambre"), a.Forme("chien")}));
    QCOMPARE(Lignes(*f), T3({a.par, "^ch", "--regex"}));
    // French letters are letters, case-less.
    Tape(f, "(?i)^MÈRE$", true);
    QCOMPARE(f->GroupeCourant()->Entrees(), std::vector<int32_t>{a.Forme("m\xe8re")});
    const QList<QStringList> avant = Lignes(*f);

    // An invalid pattern, one that backtracks without end, one that matches nothing: the display and
    // the history stay as they were; the first two say why.
    Tape(f, "(de", true);
    QCOMPARE(Dialogues::MessagesAffiches().size(), 1);
    QVERIFY2(Dialogues::MessagesAffiches().last().startsWith("Tessaron3|Le motif « (de » est incorrect"),
             qPrintable(Dialogues::MessagesAffiches().last()));
    Tape(f, "(a|aa)+$", true);
    QCOMPARE(Dialogues::MessagesAffiches().size(), 2);
    QVERIFY2(Dialogues::MessagesAffiches().last().contains("demande trop de calculs"),
             qPrintable(Dialogues::MessagesAffiches().last()));
    Tape(f, "^xyz", true);
    QCOMPARE(Dialogues::MessagesAffiches().size(), 2);
    QCOMPARE(f->NbHistorique(), 2);
    QCOMPARE(Lignes(*f), avant);
}

void TFenConcorTest::LeDepotDUnGroupe() {
    Poste a;
    TFenConcor* f = a.Ouvre();
    VueConcordance* vue = f->ConcorEdit();
    QAbstractItemModelTester testeur(f->Modele());
    // A group of two forms, red: its occurrences, the pivots in red.
    QCOMPARE(t3uitest::Depose(vue->viewport(), a.Groupe({"chat", "chien"}, t3::CouleurRGB(255, 0, 0)).get()),
             t3uitest::Depot::Accepte);
    QCOMPARE(NomGroupe(*f), QString("chat+")); // the drag's name is not kept
    QCOMPARE(f->EdForme()->text(), QString("chat+"));
    QCOMPARE(f->GroupeCourant()->NbOcc(), 3);
    QCOMPARE(f->Modele()->rowCount(), 3);
    QCOMPARE(CouleurPivot(*f), QColor(255, 0, 0));
    QCOMPARE(f->StatusBar()->currentMessage(), QString("Nombre de contextes : 3"));

    // White: the group keeps its colour from the cycle.
    QCOMPARE(t3uitest::Depose(vue->viewport(), a.Groupe({"de"}, t3::CouleurBlanche).get()),
             t3uitest::Depot::Accepte);
    QVERIFY(f->GroupeCourant()->GetCouleur() != t3::CouleurBlanche);
    QCOMPARE(NomGroupe(*f), QString("de"));
    QCOMPARE(CouleurPivot(*f), VersQColor(f->GroupeCourant()->GetCouleur()));

    // From the dictionary: the pastille's colour (blue).
    TFenDicNum* dictionnaire = a.fenetre.findChild<TFenDicNum*>();
    const int ligne = dictionnaire->Modele()->Ligne(a.Forme("la"));
    std::unique_ptr<QMimeData> liste(
        dictionnaire->Modele()->mimeData({dictionnaire->Modele()->index(ligne, 0)}));
    QCOMPARE(t3uitest::Depose(vue->viewport(), liste.get()), t3uitest::Depot::Accepte);
    QCOMPARE(NomGroupe(*f), QString("la"));
    QCOMPARE(CouleurPivot(*f), QColor(0, 0, 255));
    QCOMPARE(f->NbHistorique(), 3);

    // The controls show what the lines are: a pattern typed, then a group dropped, then back.
    Tape(f, "^ch(at|ien)$", true);
    QCOMPARE(t3uitest::Depose(vue->viewport(), liste.get()), t3uitest::Depot::Accepte);
    QCOMPARE(f->EdForme()->text(), QString("la"));
    QVERIFY(!f->ChkExpRep()->isChecked());
    f->BtnPrec()->click();
    QCOMPARE(f->EdForme()->text(), QString("^ch(at|ien)$"));
    QVERIFY(f->ChkExpRep()->isChecked());
    QCOMPARE(f->GroupeCourant()->NbOcc(), 3);

    // Anything else is refused, and changes nothing.
    QMimeData texte;
    texte.setText("chat");
    QCOMPARE(t3uitest::Depose(vue->viewport(), &texte), t3uitest::Depot::RefuseALEntree);
    QCOMPARE(f->NbHistorique(), 5);
}

// Two groups shown, "Précédent" shows the first with its sort; a new group from there goes after it,
// the later entry still reachable with "Suivant".
void TFenConcorTest::LHistoriqueGardeLeTriDeChaqueEntree() {
    Poste a;
    TFenConcor* f = a.Ouvre();
    Choisit(f->ComboTri(), "Avant");
    Tape(f, "de");
    QVERIFY(!f->BtnPrec()->isEnabled() && !f->BtnSuiv()->isEnabled());
    Choisit(f->ComboTri(), "Après");
    Tape(f, "chat");
    QVERIFY(f->BtnPrec()->isEnabled() && !f->BtnSuiv()->isEnabled());

    f->BtnPrec()->click();
    QCOMPARE(NomGroupe(*f), QString("de"));
    QCOMPARE(f->ComboTri()->currentText(), QString("Avant"));
    QCOMPARE(Lignes(*f), T3({a.par, "de", "--tri=avant"}));
    QVERIFY(!f->BtnPrec()->isEnabled() && f->BtnSuiv()->isEnabled());
    // A later change of the sort does not change the entry.
    Choisit(f->ComboTri(), "Aucun");
    QCOMPARE(Lignes(*f), T3({a.par, "de"}));

    Tape(f, "la");
    QCOMPARE(f->NbHistorique(), 3);
    QCOMPARE(f->IndexHistorique(), 1);
    QVERIFY(f->BtnPrec()->isEnabled() && f->BtnSuiv()->isEnabled());
    f->BtnSuiv()->click();
    QCOMPARE(NomGroupe(*f), QString("chat"));
    QCOMPARE(f->ComboTri()->currentText(), QString("Après"));
    QCOMPARE(Lignes(*f), T3({a.par, "chat", "--tri=apres"}));
    QVERIFY(f->BtnPrec()->isEnabled() && !f->BtnSuiv()->isEnabled());
    f->BtnPrec()->click();
    QCOMPARE(NomGroupe(*f), QString("la"));
    QCOMPARE(f->ComboTri()->currentText(), QString("Aucun"));
    f->BtnPrec()->click();
    QCOMPARE(NomGroupe(*f), QString("de"));
    QCOMPARE(f->ComboTri()->currentText(), QString("Avant"));
    QVERIFY(!f->BtnPrec()->isEnabled());
}

void TFenConcorTest::LeRegroupementParLesParties() {
    Poste a;
    TFenConcor* f = a.Ouvre();
    QAbstractItemModelTester testeur(f->Modele());
    Tape(f, "de");
    // The list learns the partitions when it drops down.
    QCOMPARE(f->ComboGrp()->count(), 1);
    a.ChoisitCle("auteur");
    Deroule(f->ComboGrp());
    QCOMPARE(f->ComboGrp()->count(), 2);
    QCOMPARE(f->ComboGrp()->itemText(1), QString("auteur"));
    QCOMPARE(f->ComboGrp()->currentText(), QString("<Aucun>"));

    Choisit(f->ComboGrp(), "auteur");
    QCOMPARE(f->PartitionCourante()->Base(), a.Base());
    // One heading per part that holds contexts, in the partition's order; Sand has none.
    QCOMPARE(Entetes(*f), (QStringList{"Partie : Hugo, Nombre de contextes : 3",
                                       "Partie : Zola, Nombre de contextes : 2"}));
    QVERIFY(f->Modele()->index(0).data(Role::RoleEntete).toBool());
    QCOMPARE(f->Modele()->index(0).data(Role::RolePosition).toInt(), -1);
    QCOMPARE(Lignes(*f), T3({a.par, "de", "--partition=auteur"}));
    Choisit(f->ComboTri(), "Après");
    QCOMPARE(Lignes(*f), T3({a.par, "de", "--partition=auteur", "--tri=apres"}));
    // "Exporter…" writes the occurrences in the order shown, the headings left out; "Copier les lignes"
    // copies the selected ones alike.
    const QList<QStringList> ecrites = t3uitest::Exporte(f->ConcorEdit(), a.dossier.Chemin("conc.txt"), 1);
    QCOMPARE(ecrites.size(), 6);
    QCOMPARE(ecrites[0], (QStringList{"Position", "Partie", "Contexte gauche", "Pôle", "Contexte droit"}));
    for (qsizetype i = 1; i < ecrites.size(); ++i)
        QCOMPARE(ecrites[i][3], QString("de"));
    QCOMPARE(ecrites[1][1], QString("Hugo"));
    f->ConcorEdit()->selectionModel()->select(f->Modele()->index(0), QItemSelectionModel::Select);
    f->ConcorEdit()->selectionModel()->select(f->Modele()->index(1), QItemSelectionModel::Select);
    f->ConcorEdit()->findChild<QAction*>("ActCopierLignes")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             ecrites[0].join('\t') + '\n' + ecrites[1].join('\t') + '\n');
    QVERIFY(QGuiApplication::clipboard()->mimeData()->html().contains("<th>Pôle</th>"));
    // Dropped down again: the choice stays.
    Deroule(f->ComboGrp());
    QCOMPARE(f->ComboGrp()->currentText(), QString("auteur"));

    // A partition of another base is not offered here.
    DossierCourant autre;
    const QString par2 = QFileInfo(t3uitest::Base("<titre=Un>\nun deux .\n<titre=Deux>\ntrois .\n", "autre"))
                             .absoluteFilePath();
    QVERIFY(a.fenetre.Bases().OuvreBase(par2));
    a.ChoisitCle("titre");
    Deroule(f->ComboGrp());
    QCOMPARE(f->ComboGrp()->count(), 2);

    Choisit(f->ComboGrp(), "<Aucun>");
    QVERIFY(!f->PartitionCourante());
    QVERIFY(Entetes(*f).isEmpty());
    QCOMPARE(Lignes(*f), T3({a.par, "de", "--tri=apres"}));
}

void TFenConcorTest::LaLargeurAttendRafraichir() {
    Poste a;
    TFenConcor* f = a.Ouvre();
    Tape(f, "de");
    const QList<QStringList> larges = Lignes(*f);
    f->SpinLgCont()->setValue(20);
    f->ChkExpRep()->setChecked(true);
    QCOMPARE(Lignes(*f), larges);
    f->BtnRecycle()->click();
    QCOMPARE(Lignes(*f), T3({a.par, "de", "--largeur=20"}));
    QCOMPARE(f->Modele()->GetConcordance()->Largeur(), 20);
    // Any other rebuild applies the width too.
    f->SpinLgCont()->setValue(255);
    Choisit(f->ComboTri(), "Avant");
    QCOMPARE(Lignes(*f), T3({a.par, "de", "--largeur=255", "--tri=avant"}));
}

void TFenConcorTest::LeGlisserDUnMotEtLaCopie() {
    Poste a;
    TFenConcor* f = a.Ouvre();
    VueConcordance* vue = f->ConcorEdit();
    Tape(f, "de");
    const QList<QStringList> t3 = T3({a.par, "de"});
    // Row 0: "... le chat de la mère dort ...": the pivot starts at 41, "la" after it.
    const QString texte = vue->Modele()->Texte(0);
    const int la = texte.indexOf(" la ", 41) + 1;
    SelectionneALaSouris(vue, 0, la - 1, la + 3); // " la " with its blanks
    QCOMPARE(vue->TexteSelectionne(), QString(" la "));
    QCOMPARE(vue->selectionModel()->selectedRows().value(0).row(), 0);
    CliqueDansLaSelection(vue);
    std::unique_ptr<TTgenDragObject> objet(vue->ObjetGlisser());
    QVERIFY(objet);
    QCOMPARE(objet->Source(), vue);
    QCOMPARE(objet->Nom(), std::string());
    QCOMPARE(objet->GetCouleur(), t3::CouleurRGB(0, 0, 0));
    QCOMPARE(objet->Entrees(), std::vector<int32_t>{a.Forme("la")});
    // Dropped on another concordance, its pivots are black.
    TFenConcor* autre = a.Ouvre();
    QCOMPARE(t3uitest::Depose(autre->ConcorEdit()->viewport(), objet.get()), t3uitest::Depot::Accepte);
    QCOMPARE(NomGroupe(*autre), QString("la"));
    QCOMPARE(CouleurPivot(*autre), QColor(0, 0, 0));

    // Part of a word, or two words: no drag.
    SelectionneALaSouris(vue, 0, la, la + 1);
    CliqueDansLaSelection(vue);
    QVERIFY(!std::unique_ptr<TTgenDragObject>(vue->ObjetGlisser()));
    SelectionneALaSouris(vue, 0, la, la + 7);
    QCOMPARE(vue->TexteSelectionne(), QString("la mère"));
    CliqueDansLaSelection(vue);
    QVERIFY(!std::unique_ptr<TTgenDragObject>(vue->ObjetGlisser()));

    // Ctrl+C: the selected characters, or the selected rows as "left pivot right", a line each.
    SelectionneALaSouris(vue, 0, la, la + 7);
    QTest::keyClick(vue, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("la mère"));
    vue->selectionModel()->select(vue->Modele()->index(1), QItemSelectionModel::Select);
    vue->selectionModel()->select(vue->Modele()->index(3), QItemSelectionModel::Select);
    QTest::keyClick(vue, Qt::Key_C, Qt::ControlModifier);
    QStringList attendu;
    for (int r : {0, 1, 3}) {
        QString ligne = t3[r][1] + " " + t3[r][2] + " " + t3[r][3];
        while (ligne.endsWith(' '))
            ligne.chop(1);
        attendu << ligne;
    }
    QCOMPARE(QApplication::clipboard()->text(), attendu.join('\n'));
}

void TFenConcorTest::LeDoubleClicMontreLOccurrenceDansLeTexte() {
    Poste a;
    TFenConcor* f = a.Ouvre();
    VueConcordance* vue = f->ConcorEdit();
    Tape(f, "la");
    const QList<QStringList> t3 = T3({a.par, "la"});
    QVERIFY(t3.size() >= 4);
    auto* texte = a.fenetre.findChild<TFenRuze*>();
    QVERIFY(texte);
    int precedente = -1;
    for (int ligne : {0, 1, 3}) {
        DoubleClic(vue, ligne);
        QCOMPARE(a.fenetre.Mdi()->activeSubWindow()->widget(), texte);
        const QTextCursor curseur = texte->HTMLEdit()->textCursor();
        QCOMPARE(curseur.selectedText(), QString("la"));
        QVERIFY(curseur.selectionStart() > precedente);
        precedente = curseur.selectionStart();
        // What follows in the text view is the row's right context.
        QVERIFY(Suite(*texte).startsWith(t3[ligne][3].section(' ', 0, 1)));
    }
    // The fourth, in the last part: the keys before it are not counted as words.
    Tape(f, "de");
    DoubleClic(vue, 3);
    QCOMPARE(texte->HTMLEdit()->textCursor().selectedText(), QString("de"));
    QVERIFY(Suite(*texte).startsWith("plus traverse"));
    // Closed, the text view opens again on the occurrence.
    texte->parentWidget()->close();
    QTRY_VERIFY(!a.fenetre.findChild<TFenRuze*>());
    DoubleClic(vue, 0);
    texte = a.fenetre.findChild<TFenRuze*>();
    QVERIFY(texte);
    QCOMPARE(texte->HTMLEdit()->textCursor().selectedText(), QString("de"));
}

void TFenConcorTest::LesPagesDuRapport() {
    Poste a;
    TFenConcor* f = a.Ouvre();
    a.ChoisitCle("auteur");
    Tape(f, "de");
    Choisit(f->ComboTri(), "Après");
    Deroule(f->ComboGrp());
    Choisit(f->ComboGrp(), "auteur");
    f->AjouteAuRapport();
    QCOMPARE(a.TitresRapport(), QStringList{"Concordance de : de  (tri après)"});
    const QString dossier = a.fenetre.Rapport()->Dossier();
    QStringList pages = QDir(dossier).entryList({"conc*.html"});
    QCOMPARE(pages.size(), 1);
    const QString premiere = pages[0];
    const QByteArray contenu = t3uitest::Lit(dossier + premiere);
    // The page t3 prints, the date aside.
    QString t3;
    T3({a.par, "de", "--tri=apres", "--partition=auteur", "--html"}, &t3);
    QVERIFY(t3.contains("Partie : Zola, Nombre de contextes : 2"));
    const QRegularExpression date("<TD>Date : [^<]*</TD>");
    QCOMPARE(VersQt(contenu.toStdString()).remove(date), t3.remove(date));

    // A second window's export, and the first's again: each a file of its own, the first untouched.
    TFenConcor* autre = a.Ouvre();
    Tape(autre, "chat");
    autre->AjouteAuRapport();
    f->AjouteAuRapport();
    pages = QDir(dossier).entryList({"conc*.html"});
    QCOMPARE(pages.size(), 3);
    QCOMPARE(t3uitest::Lit(dossier + premiere), contenu);
    QCOMPARE(a.TitresRapport(),
             (QStringList{"Concordance de : de  (tri après)", "Concordance de : chat  (tri ordre du texte)",
                          "Concordance de : de  (tri après)"}));
    int chats = 0;
    for (const QString& page : pages)
        chats += t3uitest::Lit(dossier + page).contains("Concordance de : chat");
    QCOMPARE(chats, 1);

    // Through the toolbar, posted to the active window.
    a.fenetre.Mdi()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(autre->parentWidget()));
    a.fenetre.CommandeNommee("BtnAjouteRap")->trigger();
    QTRY_COMPARE(a.TitresRapport().size(), 4);
}

QTEST_MAIN(TFenConcorTest)
#include "TFenConcorTest.moc"
