// The repeated segments windows driven in the real workbench: the parameters dialog and its bounds,
// the computation from the toolbar, the three sorts, the drag of segments onto a concordance, the
// report page, and a second computation closing the first list.
#include "AideUi.h"
#include "ServicesFactices.h"

#include "engine/corpus/charg1.h"
#include "engine/explore/CalculSegments.h"
#include "engine/explore/Concordance.h"
#include "engine/stats/Tgen.h"
#include "ui/explore/ListeGlissable.h"
#include "ui/explore/Pastille.h"
#include "ui/explore/TFenConcor.h"
#include "ui/explore/TFenPrepSR.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/explore/TfrmSR.h"
#include "ui/explore/VueConcordance.h"
#include "ui/shell/Atelier.h"
#include "ui/shell/BarreEtat.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/PanneauGauche.h"
#include "ui/shell/RapportCourant.h"
#include "ui/shell/TFenPrinc.h"
#include "ui/shell/TexteQt.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPointer>
#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>

using namespace t3ui;
using t3uitest::DossierCourant;

namespace {

// "le" is the most frequent form, 5 times; "le chat" occurs 4 times, "le chat dort" and
// "le chat mange" twice each, and "dort . le chat" twice across a full stop.
const QString Corpus =
    "<auteur=Hugo>\nle chat dort . le chat dort . le chat mange , le chien dort . le chat mange .\n";

// Every form at least 10 times, so that each begins segments of several lengths and frequencies.
const QString Riche = QString("a b c . a b d . b c d . c d a b .\n").repeated(5) + "a b c d . b a .\n";

struct Poste {
    DossierCourant dossier;
    mutable TFenPrinc fenetre;

    explicit Poste(const QString& texte = Corpus) {
        fenetre.resize(1200, 800);
        fenetre.show();
        if (!fenetre.Bases().OuvreBase(QFileInfo(t3uitest::Base(texte)).absoluteFilePath()))
            qFatal("base not opened");
    }
    ~Poste() { Dialogues::Oublie(); }

    t3::charg1* Base() const { return fenetre.Chargeur(); }
    // "Segments Répétés" with the dialog filled by remplit then confirmed; the new list, or null.
    TfrmSR* Calcule(const std::function<void(TFenPrepSR*)>& remplit = {}) const {
        const QList<TfrmSR*> avant = fenetre.findChildren<TfrmSR*>();
        Dialogues::RepondDialogue(QDialog::Accepted, [remplit](QDialog* dialogue) {
            if (remplit) remplit(qobject_cast<TFenPrepSR*>(dialogue));
        });
        fenetre.CommandeNommee("BtnSR")->trigger();
        for (TfrmSR* f : fenetre.findChildren<TfrmSR*>())
            if (!avant.contains(f)) return f;
        return nullptr;
    }
};

QString Cellule(const TfrmSR& liste, int ligne, int colonne) {
    return liste.Modele()->index(ligne, colonne).data().toString();
}

QStringList Segments(const TfrmSR& liste) {
    QStringList segments;
    for (int r = 0; r < liste.Modele()->rowCount(); ++r)
        segments << Cellule(liste, r, 1);
    return segments;
}

void CliqueColonne(TfrmSR* liste, int colonne) {
    QHeaderView* entete = liste->ListSR()->horizontalHeader();
    const QPoint centre(entete->sectionViewportPosition(colonne) + entete->sectionSize(colonne) / 2,
                        entete->height() / 2);
    QTest::mouseClick(entete->viewport(), Qt::LeftButton, {}, centre);
}

int Ligne(const TfrmSR& liste, const QString& segment) {
    return static_cast<int>(Segments(liste).indexOf(segment));
}

} // namespace

class TfrmSRTest : public QObject {
    Q_OBJECT
  private slots:
    void LeDialogueEtSesBornes();
    void LeCalculEtLaListe();
    void LesTroisTris();
    void LeGlisserVersUneConcordance();
    void AucunSegmentEtAnnulation();
    void LaPageDuRapport();
    void UnSecondCalculFermeLaPremiereListe();
    void SansLaFenetrePrincipale();
};

void TfrmSRTest::LeDialogueEtSesBornes() {
    Poste a;
    const t3::charg1& base = *a.Base();
    QCOMPARE(base.Fmax(), 5);
    bool vu = false;
    TfrmSR* liste = a.Calcule([&](TFenPrepSR* dialogue) {
        vu = true;
        QCOMPARE(dialogue->windowTitle(), QString("Paramétrage du calcul des segments répétés"));
        // Both thresholds start at the highest frequency and cannot go above it; the form threshold
        // is hidden.
        QCOMPARE(dialogue->EditSR()->value(), 5);
        QCOMPARE(dialogue->EditSR()->maximum(), 5);
        QCOMPARE(dialogue->EditSR()->minimum(), 2);
        QCOMPARE(dialogue->EditForme()->value(), 5);
        QCOMPARE(dialogue->EditForme()->maximum(), 5);
        QVERIFY(dialogue->EditForme()->isHidden());
        // Every punctuation entry, checked; the keys (none here) shown disabled.
        QCOMPARE(dialogue->ListDelims()->count(), base.Nbartponct());
        QStringList signes;
        for (int i = 0; i < dialogue->ListDelims()->count(); ++i) {
            QListWidgetItem* ligne = dialogue->ListDelims()->item(i);
            QCOMPARE(ligne->checkState(), Qt::Checked);
            QCOMPARE(ligne->data(Qt::UserRole).toInt(), base.Nbform() + i);
            signes << ligne->text();
        }
        signes.sort();
        QCOMPARE(signes, QStringList({",", "."}));
        QCOMPARE(base.Nbcle(), 1);
        QCOMPARE(dialogue->ListCles()->count(), 1);
        QCOMPARE(dialogue->ListCles()->item(0)->data(Qt::UserRole).toInt(),
                 base.Nbform() + base.Nbartponct());
        QVERIFY(!dialogue->ListCles()->isEnabled());
        QVERIFY(dialogue->findChild<QLabel*>("LbCles")->text().contains("ignorées"));
        QCOMPARE(dialogue->Delimiteurs().size(), size_t(2));
        dialogue->EditSR()->setValue(2);
        QCOMPARE(dialogue->SeuilFormes(), 5);
        QCOMPARE(dialogue->SeuilSegments(), 2);
    });
    QVERIFY(vu);
    QVERIFY(liste);
    // The computation used the form threshold 5 and the segment threshold 2.
    QCOMPARE(liste->Calcul().SeuilSegments(), 2);
}

void TfrmSRTest::LeCalculEtLaListe() {
    Poste a;
    TfrmSR* liste = a.Calcule([](TFenPrepSR* d) { d->EditSR()->setValue(2); });
    QVERIFY(liste);
    QAbstractItemModelTester testeur(liste->Modele());
    QCOMPARE(liste->windowTitle(), QString("Segments répétés - corpus"));
    QVERIFY(liste->isVisible());
    // Docked in the left panel, and attached to the base.
    QCOMPARE(a.Base()->Segments(), &liste->Calcul());
    QCOMPARE(liste->Modele()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Lg"));
    QCOMPARE(liste->Modele()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Segment"));
    QCOMPARE(liste->Modele()->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Frq"));
    // Only "le" (frequency 5) begins a segment; the full stop and the comma end them.
    QStringList segments = Segments(*liste);
    segments.sort();
    QCOMPARE(segments, QStringList({"le chat ", "le chat dort ", "le chat mange "}));
    const int chat = Ligne(*liste, "le chat ");
    QCOMPARE(Cellule(*liste, chat, 0), QString("2"));
    QCOMPARE(Cellule(*liste, chat, 2), QString("4"));
    QCOMPARE(Cellule(*liste, Ligne(*liste, "le chat dort "), 2), QString("2"));
    for (int r = 0; r < liste->Modele()->rowCount(); ++r)
        QCOMPARE(liste->Modele()->index(r, 0).data(Qt::UserRole).toInt(),
                 a.Base()->Nbart() + 1 + liste->Modele()->SegmentDeLigne(r));
    QTabWidget* listes = a.fenetre.Panneau()->ListesGauche();
    QCOMPARE(listes->currentWidget(), liste);
    QCOMPARE(listes->tabText(listes->currentIndex()), QString("Segments répétés"));
    // The status text and the progress bar are cleared once done.
    QVERIFY(a.fenetre.Etat().TexteStatut(1) != "Calcul des segments répétés");
    QVERIFY(a.fenetre.Etat().Progression()->value() <= 0);

    // Without the full stop among the delimiters, segments run across it.
    TfrmSR* traversant = a.Calcule([](TFenPrepSR* d) {
        d->EditSR()->setValue(2);
        for (int i = 0; i < d->ListDelims()->count(); ++i)
            if (d->ListDelims()->item(i)->text() == ".")
                d->ListDelims()->item(i)->setCheckState(Qt::Unchecked);
    });
    QVERIFY(traversant);
    QVERIFY(Segments(*traversant).contains("le chat dort le chat "));
}

void TfrmSRTest::LesTroisTris() {
    Poste a(Riche);
    TfrmSR* liste = a.Calcule([](TFenPrepSR* d) { d->EditSR()->setValue(2); });
    QVERIFY(liste);
    QAbstractItemModelTester testeur(liste->Modele());
    const int n = liste->Modele()->rowCount();
    QVERIFY(n > 4);
    // "Lg": ascending lengths; "Frq": descending frequencies, the same on a second click.
    CliqueColonne(liste, 0);
    for (int r = 1; r < n; ++r)
        QVERIFY(Cellule(*liste, r - 1, 0).toInt() <= Cellule(*liste, r, 0).toInt());
    CliqueColonne(liste, 2);
    const QStringList parFrequence = Segments(*liste);
    for (int r = 1; r < n; ++r)
        QVERIFY(Cellule(*liste, r - 1, 2).toInt() >= Cellule(*liste, r, 2).toInt());
    CliqueColonne(liste, 2);
    QCOMPARE(Segments(*liste), parFrequence);
    // "Segment": a segment before every longer one that begins with it, in alphabetical order here
    // (the forms' lexicographic ranks follow the alphabet for these lowercase words).
    CliqueColonne(liste, 1);
    const QStringList parSegment = Segments(*liste);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (i != j && parSegment[j].startsWith(parSegment[i])) QVERIFY(i < j);
    QStringList alphabetique = parSegment;
    std::sort(alphabetique.begin(), alphabetique.end());
    QCOMPARE(parSegment, alphabetique);
    // "Frq" after "Segment": equal frequencies stay in alphabetical order.
    CliqueColonne(liste, 2);
    for (int r = 1; r < n; ++r)
        if (Cellule(*liste, r - 1, 2) == Cellule(*liste, r, 2))
            QVERIFY(Cellule(*liste, r - 1, 1) < Cellule(*liste, r, 1));
    // The selection follows its segment through a sort.
    const QString derniere = Cellule(*liste, n - 1, 1);
    liste->ListSR()->selectRow(n - 1);
    CliqueColonne(liste, 0);
    const QModelIndexList choisies = liste->ListSR()->selectionModel()->selectedRows();
    QCOMPARE(choisies.size(), 1);
    QCOMPARE(Cellule(*liste, choisies[0].row(), 1), derniere);
    // "Exporter…" writes the rows in the order of the last sort.
    QCOMPARE(t3uitest::Exporte(liste->ListSR(), a.dossier.Chemin("sr.txt"), 1),
             t3uitest::LignesAffichees(liste->ListSR()));
}

void TfrmSRTest::LeGlisserVersUneConcordance() {
    Poste a;
    TfrmSR* liste = a.Calcule([](TFenPrepSR* d) { d->EditSR()->setValue(2); });
    QVERIFY(liste);
    Dialogues::RepondCouleur(QColor(10, 20, 30));
    QTest::mouseClick(liste->ShPastille(), Qt::LeftButton);
    QCOMPARE(liste->ShPastille()->GetCouleur(), t3::CouleurRGB(10, 20, 30));

    QItemSelectionModel* selection = liste->ListSR()->selectionModel();
    for (const char* segment : {"le chat mange ", "le chat dort "})
        selection->select(liste->Modele()->index(Ligne(*liste, segment), 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    std::unique_ptr<QMimeData> donnees(liste->Modele()->mimeData(selection->selectedIndexes()));
    const TTgenDragObject* objet = TTgenDragObject::De(donnees.get());
    QVERIFY(objet);
    QCOMPARE(objet->Count(), 2);
    QCOMPARE(objet->GetCouleur(), t3::CouleurRGB(10, 20, 30));
    for (int32_t entree : objet->Entrees())
        QVERIFY(entree > a.Base()->Nbart());

    a.fenetre.CommandeNommee("BtnDocu")->trigger();
    TFenConcor* concordance = a.fenetre.findChild<TFenConcor*>();
    QVERIFY(concordance);
    QCOMPARE(t3uitest::Depose(concordance->ConcorEdit()->viewport(), donnees.get()),
             t3uitest::Depot::Accepte);
    QCOMPARE(concordance->GroupeCourant()->NbOcc(), 4);
    // Each context starts at its segment's first form: the two segments, twice each.
    QStringList segments;
    const ModeleConcordance& modele = *concordance->Modele();
    for (int r = 0; r < modele.rowCount(); ++r) {
        const QModelIndex i = modele.index(r);
        segments
            << i.data().toString().mid(i.data(ModeleConcordance::RoleDebutPivot).toInt()).left(13).trimmed();
    }
    segments.sort();
    QCOMPARE(segments, QStringList({"le chat dort", "le chat dort", "le chat mange", "le chat mange"}));
}

void TfrmSRTest::AucunSegmentEtAnnulation() {
    Poste a;
    // Cancel: nothing computed, nothing said.
    Dialogues::RepondDialogue(QDialog::Rejected);
    a.fenetre.CommandeNommee("BtnSR")->trigger();
    QVERIFY(Dialogues::MessagesAffiches().isEmpty());
    QVERIFY(!a.Base()->Segments());
    // No segment occurs 5 times: said so, no window, the base keeps no segments.
    QVERIFY(!a.Calcule([](TFenPrepSR* d) { d->EditSR()->setValue(5); }));
    QCOMPARE(Dialogues::MessagesAffiches(), QStringList("Tessaron3|Aucun segment trouvé!"));
    QVERIFY(!a.Base()->Segments());
    QVERIFY(a.fenetre.findChildren<TfrmSR*>().isEmpty());
}

void TfrmSRTest::LaPageDuRapport() {
    Poste a(Riche);
    TfrmSR* liste = a.Calcule([](TFenPrepSR* d) { d->EditSR()->setValue(2); });
    QVERIFY(liste);
    QStringList ordreDeLaListe; // "length<td>text<td align=right>frequency" of each row at rest
    for (int r = 0; r < liste->Modele()->rowCount(); ++r)
        ordreDeLaListe << Cellule(*liste, r, 0) + "<td>" + Cellule(*liste, r, 1) + "<td align=right>" +
                              Cellule(*liste, r, 2) + "\n";
    const QStringList auRepos = Segments(*liste);
    CliqueColonne(liste, 2);
    QVERIFY(Segments(*liste) != auRepos);
    liste->AjouteAuRapport();
    const QString page = QString::fromLatin1(t3uitest::Lit(a.fenetre.Rapport()->Dossier() + "sr.html"));
    QVERIFY(page.startsWith("<html>\n<head><title>Segments répétés - corpus</title></head>"));
    QVERIFY(page.contains("<TABLE><TD>Corpus :"));
    QVERIFY(page.endsWith("</font></table>\n</body>\n</html>"));
    // The rows in the computation's order, not the order shown.
    QStringList rangees = page.section("<td>Fréquence", 1).split("<tr><td align=right>", Qt::SkipEmptyParts);
    rangees.last().chop(QString("</font></table>\n</body>\n</html>").size());
    QCOMPARE(rangees, ordreDeLaListe);
}

void TfrmSRTest::UnSecondCalculFermeLaPremiereListe() {
    Poste a;
    QPointer<TfrmSR> premiere = a.Calcule([](TFenPrepSR* d) { d->EditSR()->setValue(2); });
    QVERIFY(premiere);
    TfrmSR* seconde = a.Calcule([](TFenPrepSR* d) {
        d->EditSR()->setValue(2);
        d->ListDelims()->item(0)->setCheckState(Qt::Unchecked);
        d->ListDelims()->item(1)->setCheckState(Qt::Unchecked);
    });
    QVERIFY(seconde);
    QTRY_VERIFY(premiere.isNull());
    QCOMPARE(a.Base()->Segments(), &seconde->Calcul());
    QVERIFY(seconde->Calcul().Identifiant() != 0);
    // The second list's segments resolve to their own occurrences.
    // Without delimiters the forms run across the full stops (punctuation is not shown in a segment).
    const int ligne = Ligne(*seconde, "le chat dort le chat ");
    QVERIFY(ligne >= 0);
    std::unique_ptr<QMimeData> donnees(seconde->Modele()->mimeData({seconde->Modele()->index(ligne, 0)}));
    a.fenetre.CommandeNommee("BtnDocu")->trigger();
    TFenConcor* concordance = a.fenetre.findChild<TFenConcor*>();
    QCOMPARE(t3uitest::Depose(concordance->ConcorEdit()->viewport(), donnees.get()),
             t3uitest::Depot::Accepte);
    QCOMPARE(concordance->GroupeCourant()->NbOcc(), 2);
}

// A workbench whose frame is not the main window: nothing can keep the segments attached to the base.
struct ServicesSansCadre : t3uitest::ServicesFactices {
    QWidget fenetre;
    ServicesSansCadre() { cadre = &fenetre; }
};

void TfrmSRTest::SansLaFenetrePrincipale() {
    Poste a;
    const auto& genres = GenresFenetres();
    const auto genre =
        std::find_if(genres.begin(), genres.end(), [](const GenreFenetre& g) { return g.nom == "BtnSR"; });
    QVERIFY(genre != genres.end() && genre->cree);
    ServicesSansCadre services;
    QVERIFY(!genre->cree(services, a.Base()));
    QCOMPARE(Dialogues::MessagesAffiches(), QStringList("Tessaron3|Casting raté!"));
    QVERIFY(!a.Base()->Segments());
}

QTEST_MAIN(TfrmSRTest)
#include "TfrmSRTest.moc"
