// A kind of window of a partition that exists only in this test, registered as any other from its own
// file: the statistics window shows its button, the navigation tree its item under each partition, and
// the windows it opens are listed there.
#include "AideUi.h"

#include "engine/corpus/charg1.h"
#include "ui/shell/Atelier.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/TFenPrinc.h"
#include "ui/stats/TFenChoixPart.h"
#include "ui/stats/TFenStatPart.h"

#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <QTreeWidgetItem>

using namespace t3ui;
using t3uitest::DossierCourant;
using t3uitest::Enfants;

namespace {

void OuvreEssai(ServicesAtelier& services, QWidget*, t3::Partition& partition) {
    PlaceFenetrePartition(services, partition, new QLabel("essai"), "Essai", "Essai");
}

T3_GENRE_FENETRE(GenreFenetre{
    .portee = Portee::Partition,
    .rang = 35,
    .rubrique = "Essai",
    .boutons = {{HotePartition::Statistiques, 35, "BtnEssai", "Essai", {}, OuvreEssai}}});

} // namespace

class GenrePartitionTest : public QObject {
    Q_OBJECT
  private slots:
    void UnGenreDePartitionAjouteSonBoutonEtSaRubrique();
};

void GenrePartitionTest::UnGenreDePartitionAjouteSonBoutonEtSaRubrique() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    fenetre.show();
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("<auteur=a> Le chat. <auteur=b> Le chien.\n")));
    t3::charg1* base = fenetre.Chargeur();
    const t3::Partition* partition = OuvrePartition(fenetre, base, base->Nbform() + base->Nbartponct());
    QVERIFY(partition);

    QTreeWidgetItem* item = fenetre.Navigation()->NoeudPartition(partition);
    QCOMPARE(Enfants(item), (QStringList{"PCLC", "Graphiques", "Spécifs", "Essai", "AFC"}));
    auto* statistiques = fenetre.findChild<TFenStatPart*>();
    QStringList boutons;
    for (const QToolButton* bouton :
         statistiques->findChild<QWidget*>("Panel1")->findChildren<QToolButton*>())
        boutons << bouton->objectName();
    QCOMPARE(boutons,
             (QStringList{"BtnSpecif", "BtnSpEvol", "BtnSpTot", "BtnEssai", "BtnAFC", "SpeedButton5"}));

    for (int fois = 0; fois < 2; ++fois)
        statistiques->findChild<QToolButton*>("BtnEssai")->click();
    QCOMPARE(Enfants(fenetre.Navigation()->Rubrique(partition, "Essai")),
             (QStringList{"Essai (1)", "Essai (2)"}));
    QCOMPARE(fenetre.Navigation()->FenetresListees(partition, "Essai", "Essai").size(), size_t{2});
}

QTEST_MAIN(GenrePartitionTest)
#include "GenrePartitionTest.moc"
