// The partition windows driven as the user drives them in the real workbench: the chooser, the marks
// of the table of parts, "Spécifs", "Sp Evol." and "Sp. Tot" with their dialogs, the specificity list,
// the sorts and drops of the table of forms by parts, and the report pages; the figures are those that
// t3 prints on the same base.
#include "AideUi.h"

#include "engine/corpus/Corpus.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/stats/TriTableFormes.h"
#include "ui/explore/ListeGlissable.h"
#include "ui/explore/Pastille.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/shell/Atelier.h"
#include "ui/shell/BarreEtat.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/NumerotationRapport.h"
#include "ui/shell/PanneauGauche.h"
#include "ui/shell/RapportArbre.h"
#include "ui/shell/TFenNavig.h"
#include "ui/shell/TFenPrinc.h"
#include "ui/shell/TacheDeFond.h"
#include "ui/shell/TexteQt.h"
#include "ui/stats/ParametresSpecificites.h"
#include "ui/stats/TFenChoixPart.h"
#include "ui/stats/TFenSpecGrp.h"
#include "ui/stats/TFenStatPart.h"

#include "ui/stats/TFenGrapheTgen.h"
#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace t3ui;
using t3uitest::DossierCourant;
using t3uitest::Enfants;

namespace {

// Three authors: été only by Sévigné, y mostly by Zola, z only by Sévigné, m everywhere, and a form that
// HTML would read as a tag.
const QString Texte = "<auteur=Sévigné>\n" + QString("été ").repeated(10) + QString("m ").repeated(60) +
                      "y y " + QString("z ").repeated(9) + QString("m ").repeated(19) + ".\n<auteur=Zola>\n" +
                      QString("m ").repeated(80) + QString("y ").repeated(18) + "m m .\n<auteur=Hugo>\n" +
                      QString("m ").repeated(30) + "y y z a&b a&b .\n";

// What t3 prints for these arguments, rows split into their cells, the header line left out.
QList<QStringList> T3(const QStringList& arguments) {
    QProcess t3;
    t3.start(QString(T3_BIN_DIR) + "/t3", arguments);
    t3.waitForFinished(60000);
    QList<QStringList> lignes;
    for (const QString& ligne : QString::fromUtf8(t3.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        lignes << ligne.split('\t');
    if (!lignes.isEmpty()) lignes.removeFirst();
    return lignes;
}

QList<QStringList> Lignes(const QAbstractItemModel& modele) {
    QList<QStringList> lignes;
    for (int r = 0; r < modele.rowCount(); ++r) {
        QStringList cellules;
        for (int c = 0; c < modele.columnCount(); ++c)
            cellules << modele.data(modele.index(r, c), Qt::DisplayRole).toString();
        lignes << cellules;
    }
    return lignes;
}

// The workbench on the base, its partition by auteur opened through the chooser.
struct Poste {
    DossierCourant dossier;
    QString par;
    mutable TFenPrinc fenetre;

    Poste() {
        par = QFileInfo(t3uitest::Base(Texte)).absoluteFilePath();
        fenetre.show();
        if (!fenetre.Bases().OuvreBase(par)) qFatal("base not opened");
        NumerotationRapport::Remet();
    }
    ~Poste() { Dialogues::Oublie(); }

    // Chooses a key type in "Choix de la partition" as the user does: its item, then "Créer".
    void ChoisitCle(const QString& cle) {
        Dialogues::RepondDialogue(QDialog::Accepted, [cle](QDialog* dialogue) {
            auto* liste = dialogue->findChild<QListWidget*>("ListParts");
            liste->setCurrentItem(liste->findItems(cle, Qt::MatchExactly).value(0));
            dialogue->findChild<QPushButton*>("BtnValide")->click();
        });
        fenetre.CommandeNommee("BtnPart")->trigger();
    }
    TFenStatPart* Statistiques() const { return fenetre.findChild<TFenStatPart*>(); }
    t3::Partition* Partition() const { return Statistiques()->GetPartition(); }
    int32_t Partie(const QString& nom) const {
        for (int32_t i = 0; i < Partition()->NbParties(); ++i)
            if (VersQt(Partition()->Base()->RetourneGraphie(Partition()->Contenu(i), false)) == nom) return i;
        return -1;
    }
    // Clicks a cell of the table of parts as the mouse does.
    void Clique(int32_t partie, int colonne) const {
        QTableView* grille = Statistiques()->GrdPCLC();
        const QRect cellule = grille->visualRect(grille->model()->index(partie, colonne));
        QTest::mouseClick(grille->viewport(), Qt::LeftButton, {}, cellule.center());
    }
    // Answers the next parameter dialog with these boxes, and clicks the button.
    void Lance(const QString& bouton, int seuil, int frequence, std::function<void(QDialog*)> autre = {}) {
        Dialogues::RepondDialogue(QDialog::Accepted, [=](QDialog* dialogue) {
            auto* parametres = static_cast<TFenParamSpecBase*>(dialogue);
            parametres->BoiteSeuil()->setValue(seuil);
            parametres->BoiteFrequence()->setValue(frequence);
            if (autre) autre(dialogue);
        });
        Statistiques()->findChild<QToolButton*>(bouton)->click();
    }
    TFenSpecGrp* DerniereListe() const {
        QTabWidget* listes = fenetre.Panneau()->ListesGauche();
        return qobject_cast<TFenSpecGrp*>(listes->widget(listes->count() - 1));
    }
    QString Rapport(const QString& fichier) const {
        return QString::fromLatin1(t3uitest::Lit(fenetre.Rapport()->Dossier() + fichier));
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

} // namespace

class TFenStatPartTest : public QObject {
    Q_OBJECT
  private slots:
    void LeChoixOuvreLesFenetresDeLaPartition();
    void LesClicsMarquentLaReferenceEtLaSelection();
    void SpecifsOuvreUneListeQuiSuitT3();
    void SpEvolEtSesParametres();
    void SpTotRemplitLaTableQueT3Imprime();
    void LesTrisDeLaTable();
    void UnGroupeDeposeRemplaceLesLignes();
    void LesPagesDuRapport();
    void LaListeDesSections();
};

void TFenStatPartTest::LeChoixOuvreLesFenetresDeLaPartition() {
    Poste a;
    a.ChoisitCle("auteur");
    TFenStatPart* statistiques = a.Statistiques();
    QVERIFY(statistiques);
    QCOMPARE(statistiques->windowTitle(), QString("Principales caractéristiques de la partition : auteur"));
    QCOMPARE(statistiques->GrdPCLC()->model()->rowCount(), 3);
    QVERIFY(!statistiques->Onglets()->isTabVisible(1));
    QAbstractItemModelTester testeur(statistiques->GrdPCLC()->model());
    // Opened minimised, the ventilation graph in front.
    QVERIFY(statistiques->parentWidget()->isMinimized());
    QVERIFY(qobject_cast<TFenGrapheTgen*>(a.fenetre.Mdi()->activeSubWindow()->widget()));

    TFenNavig* navigation = a.fenetre.Navigation();
    QTreeWidgetItem* partition = navigation->NoeudPartition(a.Partition());
    QVERIFY(partition);
    QCOMPARE(partition->text(0), QString("auteur"));
    QCOMPARE(Enfants(partition), (QStringList{"PCLC", "Graphiques", "Spécifs", "AFC"}));
    QCOMPARE(TFenNavig::Fenetre(navigation->Rubrique(a.Partition(), RubriqueStatistiques)), statistiques);
    QCOMPARE(Enfants(navigation->Rubrique(a.Partition(), RubriqueGraphiques)), QStringList{"Graphique (1)"});

    // The same key type again: one more graph, the same statistics window.
    a.ChoisitCle("auteur");
    QCOMPARE(a.fenetre.findChildren<TFenStatPart*>().size(), 1);
    QCOMPARE(a.fenetre.CorpusModele().NbPartitions(), 1);
    QCOMPARE(Enfants(navigation->Rubrique(a.Partition(), RubriqueGraphiques)),
             (QStringList{"Graphique (1)", "Graphique (2)"}));
    QCOMPARE(navigation->FenetresListees(a.Partition(), RubriqueGraphiques, PrefixeGraphique).size(),
             size_t{2});

    // Closed, the statistics window comes back with the next choice of its key type.
    statistiques->parentWidget()->close();
    QTRY_VERIFY(!a.fenetre.findChild<TFenStatPart*>());
    a.ChoisitCle("auteur");
    QVERIFY(a.Statistiques());
    QCOMPARE(TFenNavig::Fenetre(navigation->Rubrique(a.Partition(), RubriqueStatistiques)), a.Statistiques());

    // Cancelling, or "Créer" with nothing chosen, opens nothing.
    Dialogues::RepondDialogue(QDialog::Rejected);
    a.fenetre.CommandeNommee("BtnPart")->trigger();
    Dialogues::RepondDialogue(QDialog::Rejected, [](QDialog* dialogue) {
        dialogue->findChild<QListWidget*>("ListParts")->clearSelection();
        dialogue->findChild<QPushButton*>("BtnValide")->click();
    });
    a.fenetre.CommandeNommee("BtnPart")->trigger();
    QCOMPARE(navigation->FenetresListees(a.Partition(), RubriqueGraphiques, PrefixeGraphique).size(),
             size_t{3});
}

void TFenStatPartTest::LesClicsMarquentLaReferenceEtLaSelection() {
    Poste a;
    a.ChoisitCle("auteur");
    const t3::Partition& p = *a.Partition();
    const QAbstractItemModel* modele = a.Statistiques()->GrdPCLC()->model();
    const int32_t zola = a.Partie("Zola");
    QVERIFY(p.Reference(zola) && !p.Selection(zola));
    QVERIFY(!modele->data(modele->index(zola, 0), Qt::DecorationRole).isNull());
    QCOMPARE(modele->data(modele->index(zola, 1)).toString(), QString("Zola"));
    QCOMPARE(modele->data(modele->index(zola, 2)).toInt(), p.NbOccPartie(zola));
    QCOMPARE(modele->data(modele->index(zola, 6)).toString(), QString("m"));

    a.Clique(zola, 3);
    QVERIFY(p.Selection(zola));
    QCOMPARE(modele->data(modele->index(zola, 1), Qt::BackgroundRole).value<QBrush>(),
             QApplication::palette().brush(QPalette::Highlight));
    a.Clique(zola, 0); // unmarked: no longer selected either
    QVERIFY(!p.Reference(zola) && !p.Selection(zola));
    QVERIFY(modele->data(modele->index(zola, 0), Qt::DecorationRole).isNull());
    a.Clique(zola, 2); // a part out of the reference cannot be selected
    QVERIFY(!p.Selection(zola));
    a.Clique(zola, 0);
    QVERIFY(p.Reference(zola) && !p.Selection(zola));
}

void TFenStatPartTest::SpecifsOuvreUneListeQuiSuitT3() {
    Poste a;
    a.ChoisitCle("auteur");
    a.Clique(a.Partie("Sévigné"), 1);
    a.Clique(a.Partie("Hugo"), 0);
    a.Lance("BtnSpecif", 5, 2);
    TFenSpecGrp* liste = a.DerniereListe();
    QVERIFY(liste);
    QCOMPARE(liste->windowTitle(), QString("Spécifs - Part : auteur"));
    QCOMPARE(liste->LbCorpRef()->text(), QString("Corpus de référence : Sévigné, Zola, "));
    QCOMPARE(liste->LbParties()->text(), QString("Parties sélectionnées : Sévigné, "));
    QCOMPARE(liste->LbParties()->toolTip(),
             QString("Corpus de référence : \nSévigné, Zola, \nParties sélectionnées : \nSévigné, "));
    QCOMPARE(a.Partition()->Seuil(), 5);
    QCOMPARE(a.Partition()->FreqMin(), 2);
    QAbstractItemModelTester testeur(liste->Modele());

    const QList<QStringList> attendues =
        T3({"specifs", a.par, "auteur", "--parties=Sévigné", "--reference=Sévigné,Zola", "--fmin=2"});
    QVERIFY(!attendues.isEmpty());
    QCOMPARE(Lignes(*liste->Modele()), attendues);
    // The deficits first: the same rows from the end.
    liste->RadioButton2()->click();
    QList<QStringList> renversees = attendues;
    std::reverse(renversees.begin(), renversees.end());
    QCOMPARE(Lignes(*liste->Modele()), renversees);
    // "Exporter…" writes the rows in the order shown, under the list's header.
    QCOMPARE(t3uitest::Exporte(liste->ListeSpecifs(), "specifs.txt", 1),
             t3uitest::LignesAffichees(liste->ListeSpecifs()));

    // The selected rows go as a group of the pastille's colour (the selected part's, blue here).
    QCOMPARE(liste->ShPastille()->GetCouleur(), t3::CouleurRGB(0, 0, 255));
    // A coloured square: its corner is painted too.
    QCOMPARE(liste->ShPastille()->pixmap().toImage().pixelColor(2, 2), QColor(0, 0, 255));
    Dialogues::RepondCouleur(QColor(10, 20, 30));
    QTest::mouseClick(liste->ShPastille(), Qt::LeftButton);
    QItemSelectionModel* selection = liste->ListeSpecifs()->selectionModel();
    selection->select(liste->Modele()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    std::unique_ptr<QMimeData> donnees(liste->Modele()->mimeData(selection->selectedIndexes()));
    const TTgenDragObject* groupe = TTgenDragObject::De(donnees.get());
    QVERIFY(groupe);
    QCOMPARE(groupe->GetCouleur(), t3::CouleurRGB(10, 20, 30));
    QCOMPARE(groupe->Entrees(), std::vector<int32_t>{liste->Modele()->Enregistrement(0).entree});
    QVERIFY(!liste->Modele()->mimeData({}));
}

void TFenStatPartTest::SpEvolEtSesParametres() {
    Poste a;
    a.ChoisitCle("auteur");
    // No part selected: the message, and no dialog.
    a.Statistiques()->findChild<QToolButton*>("BtnSpEvol")->click();
    QVERIFY(Dialogues::MessagesAffiches().last().endsWith("|Aucune partie n'est sélectionnée"));
    QTabWidget* listes = a.fenetre.Panneau()->ListesGauche();
    const int pages = listes->count();

    a.Clique(a.Partie("Zola"), 1);
    a.Partition()->SetSeuil(10);
    a.Partition()->SetFreqMin(3);
    // The dialog starts from the partition's values; its chronological box is disabled.
    a.Lance("BtnSpEvol", 5, 2, [](QDialog* dialogue) {
        auto* diac = static_cast<TFenParamSpecDiac*>(dialogue);
        if (!diac->ChkSpEvl()->isChecked() || diac->ChkSpChr()->isEnabled()) qFatal("evolutive dialog boxes");
    });
    QCOMPARE(listes->count(), pages + 1);
    TFenSpecGrp* liste = a.DerniereListe();
    QCOMPARE(liste->windowTitle(), QString("Spécifs évolutives - auteur"));
    QCOMPARE(liste->LbCorpRef()->text(), QString("Partie : Zola"));
    QCOMPARE(liste->LbParties()->text(), QString());
    QCOMPARE(Lignes(*liste->Modele()), T3({"specifs", a.par, "auteur", "--evolutives=Zola", "--fmin=2"}));
    // The flags are as they were.
    for (int32_t i = 0; i < a.Partition()->NbParties(); ++i)
        QVERIFY(a.Partition()->Reference(i) && a.Partition()->Selection(i) == (i == a.Partie("Zola")));
}

void TFenStatPartTest::SpTotRemplitLaTableQueT3Imprime() {
    Poste a;
    a.ChoisitCle("auteur");
    TFenStatPart* statistiques = a.Statistiques();
    // Every part marked: the restriction box is cleared and disabled.
    a.Lance("BtnSpTot", 5, 2, [](QDialog* dialogue) {
        QCheckBox* restreint = static_cast<TFenParamSpecTot*>(dialogue)->ChkCorpRef();
        if (restreint->isChecked() || restreint->isEnabled()) qFatal("restriction box");
    });
    QVERIFY(statistiques->Onglets()->isTabVisible(1));
    QCOMPARE(statistiques->Onglets()->currentIndex(), 1);
    QAbstractItemModel& table = *statistiques->GridTFG()->model();
    QAbstractItemModelTester testeur(&table);
    QCOMPARE(table.columnCount(), 4);
    QCOMPARE(table.headerData(0, Qt::Horizontal).toString(), QString("Formes/SR"));
    // Cell by cell, what t3 prints: the frequency, then the coefficient when there is one.
    QList<QStringList> attendues;
    for (const QStringList& ligne : T3({"specifs", a.par, "auteur", "--toutes", "--fmin=2"})) {
        QStringList cellules{ligne[0]};
        for (int c = 1; c + 1 < ligne.size(); c += 2)
            cellules << (ligne[c + 1].isEmpty() ? ligne[c] : ligne[c] + " " + ligne[c + 1]);
        attendues << cellules;
    }
    // The status text is back to what it said before the computation, the bar to rest.
    QCOMPARE(a.fenetre.Etat().TexteStatut(1), QString("Prêt"));
    QCOMPARE(a.fenetre.Etat().Progression()->value(), 0);
    QList<QStringList> lignes = Lignes(table);
    QCOMPARE(lignes.size(), a.fenetre.Chargeur()->Nbform());
    QCOMPARE(lignes, attendues);

    // Some parts unmarked and the box left ticked: their columns only; the marks come back after.
    a.Clique(a.Partie("Zola"), 0);
    a.Lance("BtnSpTot", 5, 2, [](QDialog* dialogue) {
        if (!static_cast<TFenParamSpecTot*>(dialogue)->ChkCorpRef()->isChecked()) qFatal("restriction box");
    });
    QCOMPARE(table.columnCount(), 3);
    QCOMPARE(table.headerData(1, Qt::Horizontal).toString(), QString("Hugo"));
    QCOMPARE(table.headerData(2, Qt::Horizontal).toString(), QString("Sévigné"));
    QVERIFY(!a.Partition()->Reference(a.Partie("Zola")));
    // Nothing marked and the box ticked: a message, the previous table left as it was.
    for (const char* nom : {"Hugo", "Sévigné"})
        a.Clique(a.Partie(nom), 0);
    a.Lance("BtnSpTot", 5, 2);
    QVERIFY(Dialogues::MessagesAffiches().last().contains("Aucune partie n'est cochée"));
    QCOMPARE(table.columnCount(), 3);
    // Cancelled, nothing is computed.
    Dialogues::RepondDialogue(QDialog::Rejected);
    statistiques->findChild<QToolButton*>("BtnSpTot")->click();
    QCOMPARE(table.columnCount(), 3);
    // Every part marked again, the computation stopped by "Annuler": the table shown stays.
    for (const char* nom : {"Hugo", "Sévigné", "Zola"})
        a.Clique(a.Partie(nom), 0);
    const auto arret = connect(&TachesDeFond::Instance(), &TachesDeFond::Commencee, statistiques,
                               [] { TachesDeFond::Instance().Annule(); });
    a.Lance("BtnSpTot", 5, 2);
    disconnect(arret);
    QCOMPARE(table.columnCount(), 3);
    QVERIFY(statistiques->isEnabled());
}

void TFenStatPartTest::LesTrisDeLaTable() {
    Poste a;
    a.ChoisitCle("auteur");
    a.Lance("BtnSpTot", 5, 2);
    TFenStatPart* statistiques = a.Statistiques();
    QAbstractItemModel& table = *statistiques->GridTFG()->model();
    QAbstractItemModelTester testeur(&table);
    const int zola = 1 + static_cast<int>(a.Partie("Zola"));
    const auto colonne = [&](int c, int role) {
        QList<int> valeurs;
        for (int r = 0; r < table.rowCount(); ++r)
            valeurs << table.data(table.index(r, c), role).toInt();
        return valeurs;
    };
    // The current cell follows its entry through the sorts.
    statistiques->GridTFG()->setCurrentIndex(table.index(0, 0));
    const QString courante = statistiques->GridTFG()->currentIndex().data().toString();

    // First click: descending frequency; second: ascending.
    statistiques->GridTFGTitreClick(zola);
    QList<int> frequences = colonne(zola, Qt::UserRole);
    QVERIFY(std::is_sorted(frequences.rbegin(), frequences.rend()));
    QCOMPARE(statistiques->GridTFG()->currentIndex().data().toString(), courante);
    statistiques->GridTFGTitreClick(zola);
    frequences = colonne(zola, Qt::UserRole);
    QVERIFY(std::is_sorted(frequences.begin(), frequences.end()));

    // "spécificité": descending coefficients, the zeros last; clicked again, ascending, zeros still last.
    statistiques->findChild<QRadioButton*>("RadSpec")->click();
    QCOMPARE(statistiques->Tri()->Etat(), t3::EtatTri::CoefficientDecroissant);
    for (bool decroissant : {true, false}) {
        QList<int> coefficients = colonne(zola, ModeleTFG::RoleCoefficient);
        const auto zeros = std::find(coefficients.begin(), coefficients.end(), 0);
        QVERIFY(zeros != coefficients.begin());
        QVERIFY(std::all_of(zeros, coefficients.end(), [](int c) { return c == 0; }));
        QList<int> nonNuls(coefficients.begin(), zeros);
        if (decroissant) std::reverse(nonNuls.begin(), nonNuls.end());
        QVERIFY(std::is_sorted(nonNuls.begin(), nonNuls.end()));
        statistiques->GridTFGTitreClick(zola);
    }
    // Column 0: the entries ascending, then descending.
    statistiques->GridTFGTitreClick(0);
    QCOMPARE(statistiques->Tri()->Etat(), t3::EtatTri::EntreesCroissantes);
    QCOMPARE(table.data(table.index(0, 0)).toString(), QString("a&b"));
    statistiques->GridTFGTitreClick(0);
    QCOMPARE(statistiques->Tri()->Etat(), t3::EtatTri::EntreesDecroissantes);
}

void TFenStatPartTest::UnGroupeDeposeRemplaceLesLignes() {
    Poste a;
    a.ChoisitCle("auteur");
    TFenStatPart* statistiques = a.Statistiques();
    const t3::charg1* base = a.fenetre.Chargeur();
    const auto groupe = [&](const std::vector<const char*>& formes) {
        auto* objet = new TTgenDragObject(nullptr, "", t3::CouleurRGB(0, 0, 255), 0);
        objet->SetBase(base);
        for (const char* forme : formes)
            objet->Ajoute(base->LocFormDic(forme));
        return std::unique_ptr<TTgenDragObject>(objet);
    };
    // Before "Sp. Tot" there is no table to fill.
    QVERIFY(t3uitest::Depose(statistiques->GridTFG()->viewport(), groupe({"y"}).get()) !=
            t3uitest::Depot::Accepte);
    a.Lance("BtnSpTot", 5, 2);
    QAbstractItemModel& table = *statistiques->GridTFG()->model();
    QCOMPARE(t3uitest::Depose(statistiques->GridTFG()->viewport(), groupe({"z", "y"}).get()),
             t3uitest::Depot::Accepte);
    QCOMPARE(table.rowCount(), 2);
    QCOMPARE(table.data(table.index(0, 0)).toString(), QString("z"));
    QCOMPARE(table.data(table.index(1, 0)).toString(), QString("y"));
    // "Exporter…" writes the rows left, a frequency and a signed coefficient (empty when nil) per part.
    const QList<QStringList> ecrites =
        t3uitest::Exporte(statistiques->GridTFG(), a.dossier.Chemin("tfg.csv"), 0);
    QCOMPARE(ecrites.size(), 3);
    QCOMPARE(ecrites[0].size(), 1 + 2 * (table.columnCount() - 1));
    QCOMPARE(ecrites[0].mid(0, 3), (QStringList{"Formes/SR", table.headerData(1, Qt::Horizontal).toString(),
                                                "Spécif " + table.headerData(1, Qt::Horizontal).toString()}));
    for (int r = 0; r < 2; ++r) {
        QStringList attendue{table.data(table.index(r, 0)).toString()};
        for (int c = 1; c < table.columnCount(); ++c) {
            const int coefficient = table.data(table.index(r, c), ModeleTFG::RoleCoefficient).toInt();
            attendue << table.data(table.index(r, c), Qt::UserRole).toString()
                     << (coefficient == 0  ? QString()
                         : coefficient > 0 ? "+" + QString::number(coefficient)
                                           : QString::number(coefficient));
        }
        QCOMPARE(ecrites[r + 1], attendue);
    }
    QCOMPARE(t3uitest::Exporte(statistiques->GrdPCLC(), a.dossier.Chemin("parties.txt"), 1),
             t3uitest::LignesAffichees(statistiques->GrdPCLC()));
    QMimeData autre;
    autre.setText("y");
    QCOMPARE(t3uitest::Depose(statistiques->GridTFG()->viewport(), &autre), t3uitest::Depot::RefuseALEntree);
    // A new computation brings every form back.
    a.Lance("BtnSpTot", 5, 2);
    QCOMPARE(table.rowCount(), base->Nbform());
}

void TFenStatPartTest::LesPagesDuRapport() {
    Poste a;
    a.ChoisitCle("auteur");
    TFenStatPart* statistiques = a.Statistiques();
    a.Clique(a.Partie("Hugo"), 0);
    statistiques->AjouteAuRapport();
    const QString pclc = a.Rapport("pclcauteur.html");
    // Every part, marked or not; the form that looks like markup escaped.
    QVERIFY(pclc.startsWith("<html>\n<head><title>Principales caract"));
    for (const char* partie : {"<tr><td>Hugo<td", "<tr><td>Zola<td"})
        QVERIFY2(pclc.contains(partie), partie);

    a.Lance("BtnSpTot", 5, 2);
    statistiques->AjouteAuRapport();
    const QString tfg = a.Rapport("tfgauteur.html");
    QVERIFY(tfg.contains("<tr><td>Formes<td colspan=2>"));
    QVERIFY(!tfg.contains("colspan=2>Hugo"));
    QVERIFY(tfg.contains("<tr><td>a&amp;b<td"));

    // Two specificity lists: spf0.html and spf1.html, titled with (1) and (2).
    a.Clique(a.Partie("Zola"), 1);
    a.Lance("BtnSpecif", 5, 2);
    a.DerniereListe()->AjouteAuRapport();
    a.DerniereListe()->AjouteAuRapport();
    QVERIFY(a.Rapport("spf0.html").contains("<TD>Partition = auteur</TD>"));
    QVERIFY(!a.Rapport("spf1.html").isEmpty());
    const QStringList titres = a.TitresRapport();
    QCOMPARE(titres.size(), 4);
    QCOMPARE(titres[0], statistiques->windowTitle());
    QCOMPARE(titres[2], QString("Spécifs - Part : auteur Parties sélectionnées : Zola, (1)"));
    QCOMPARE(titres[3], QString("Spécifs - Part : auteur Parties sélectionnées : Zola, (2)"));
}

// The list a section map makes from its own records: its caption, a black pastille, no partition in its
// page; an empty list opens empty.
void TFenStatPartTest::LaListeDesSections() {
    Poste a;
    const t3::charg1* base = a.fenetre.Chargeur();
    const int32_t y = base->LocFormDic("y"), z = base->LocFormDic("z");
    auto* liste = new TFenSpecGrp(a.fenetre, base, {{y, 22, 12, 3}, {z, 10, 0, -2}});
    liste->SetTextes("Sections : ", "1, 2, ", "Délimiteurs : ", ". ");
    liste->Montre();
    QCOMPARE(liste->windowTitle(), QString("Spécifs - Sections"));
    QCOMPARE(liste->ShPastille()->GetCouleur(), t3::CouleurRGB(0, 0, 0));
    QCOMPARE(Lignes(*liste->Modele()), (QList<QStringList>{{"y", "22", "12", "3"}, {"z", "10", "0", "-2"}}));
    liste->AjouteAuRapport();
    const QString page = a.Rapport("spf0.html");
    QVERIFY(page.contains("<tr><td>y<td align=right>22<td align=right>12<td align=right>3"));
    QVERIFY(!page.contains("Partition = "));
    auto* vide = new TFenSpecGrp(a.fenetre, base, {});
    vide->Montre();
    QCOMPARE(vide->Modele()->rowCount(), 0);
}

QTEST_MAIN(TFenStatPartTest)
#include "TFenStatPartTest.moc"
