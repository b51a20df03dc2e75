// The tree of a clustering on a real base: "cah.txt" made by the engine from the results of its analysis,
// the cut chosen by the user colouring the classes as the clustering gives them, the picture added to the
// report, and the files that cannot be read.
#include "AideUi.h"
#include "RapportTemoin.h"
#include "ServicesFactices.h"

#include "engine/afc/AnalyseAFC.h"
#include "engine/afc/Dendrogramme.h"
#include "engine/afc/ExportAFC.h"
#include "engine/afc/Ward.h"
#include "engine/corpus/Cles.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "ui/afc/LancementsAFC.h"
#include "ui/afc/TFenDendrogramme.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/NumerotationRapport.h"
#include "ui/shell/PageRapport.h"
#include "ui/shell/RapportCourant.h"
#include "ui/shell/TexteQt.h"

#include <QFile>
#include <QSpinBox>
#include <QTest>

#include <memory>

using namespace t3ui;
using t3uitest::CommentaireDate;
using t3uitest::DossierCourant;
using t3uitest::RapportTemoin;
using t3uitest::TableImage;

namespace {

// Five authors, two pairs alike and one apart.
const char* const TexteCinqAuteurs =
    "<auteur=a> chat chien chat souris chat\n<auteur=b> chat chien souris chat\n"
    "<auteur=c> mine charbon pain mine\n<auteur=d> mine charbon mine pain\n"
    "<auteur=e> femme salon monde femme chat mine\n";

struct Banc {
    DossierCourant dossier;
    t3::charg1 base;
    std::unique_ptr<t3::Partition> partition;
    t3uitest::ServicesFactices services;
    std::unique_ptr<TFenDendrogramme> fenetre;

    Banc() {
        NumerotationRapport::Remet();
        if (base.ChargeBase(t3uitest::Base(TexteCinqAuteurs).toStdString()) != 0) return;
        partition = std::make_unique<t3::Partition>(&base, t3::RetourneTypeCle(base, "auteur"));
    }
    std::string Travail() const { return CheminLocal(dossier.Chemin()); }
    // The analysis and the clustering programs' work, done by the engine in the test's folder.
    bool Classe() {
        const t3::ParamAFC param = t3::ParamAFCInitiaux(*partition, 1, false);
        return t3::EcritCoranDon(Travail(), *partition, param) && t3::ExecuteAnalyseAFC(Travail()) &&
               t3::ExecuteCah(Travail());
    }
    bool Ouvre() {
        fenetre.reset(qobject_cast<TFenDendrogramme*>(OuvreDendrogramme(services, *partition, Travail())));
        if (!fenetre) return false;
        fenetre->setAttribute(Qt::WA_DeleteOnClose, false);
        fenetre->show();
        return QTest::qWaitForWindowExposed(fenetre.get());
    }
};

} // namespace

class TFenDendrogrammeTest : public QObject {
    Q_OBJECT
  private slots:
    void LaCoupureColoreLesClasses();
    void LImageVaAuRapport();
    void LImageSEnregistre();
    void CahIllisible();
};

void TFenDendrogrammeTest::LaCoupureColoreLesClasses() {
    Banc banc;
    QVERIFY(banc.partition && banc.Classe());
    QVERIFY(banc.Ouvre());
    QCOMPARE(banc.fenetre->windowTitle(), QString("Classification hiérarchique - auteur"));
    QSpinBox* classes = banc.fenetre->EdClasses();
    QCOMPARE(classes->minimum(), 2);
    QCOMPARE(classes->maximum(), 5);
    QCOMPARE(classes->value(), 2);
    // The classes of each cut are those the program wrote into "cah.txt".
    QFile fichier(banc.dossier.Chemin("cah.txt"));
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    const auto ecrites = t3::LitClassesCah(fichier.readAll().toStdString());
    QVERIFY(ecrites);
    for (int k = 2; k <= 5; ++k) {
        classes->setValue(k);
        const t3::DispositionDendrogramme& d = banc.fenetre->Vue()->Disposition();
        QCOMPARE(d.nbClasses, k);
        const std::vector<int32_t>& attendues = (*ecrites)[static_cast<size_t>(k - 2)];
        QVERIFY(std::equal(attendues.begin(), attendues.end(), d.classe.begin()));
    }
    // a with b, c with d: the pairs share a class in the cut into 3.
    classes->setValue(3);
    const t3::DispositionDendrogramme& d = banc.fenetre->Vue()->Disposition();
    QCOMPARE(d.classe[0], d.classe[1]);
    QCOMPARE(d.classe[2], d.classe[3]);
    QVERIFY(d.classe[0] != d.classe[2]);
    QCOMPARE(banc.fenetre->Vue()->Etiquette(4), QString("e"));
    QVERIFY(VueDendrogramme::CouleurClasse(1) != VueDendrogramme::CouleurClasse(2));
    QCOMPARE(VueDendrogramme::CouleurClasse(0), QColor(Qt::black));
    QVERIFY(!banc.fenetre->Vue()->grab().isNull());
}

void TFenDendrogrammeTest::LImageVaAuRapport() {
    Banc banc;
    QVERIFY(banc.partition && banc.Classe());
    QVERIFY(banc.Ouvre());
    // Without a report nothing is written.
    banc.fenetre->AjouteAuRapport();
    QCOMPARE(NumerotationRapport::Prochain(SorteEntree::ImageDendrogramme), 1);
    RapportTemoin rapport(banc.dossier.Chemin() + "/");
    banc.services.rapport = &rapport;
    const QString base = VersQt(banc.base.NomBase());
    QVERIFY(CommentaireDate(
        rapport, [&] { banc.fenetre->AjouteAuRapport(); },
        [&](const QString& date) {
            return "<CENTER><H3>Classification hiérarchique - auteur</H3></CENTER><br>" +
                   TableImage(base, date, "auteur", 5);
        }));
    QCOMPARE(rapport.entrees.size(), 1);
    QCOMPARE(rapport.entrees[0].fichier, QString("img-cah-auteur1.jpg"));
    QCOMPARE(rapport.entrees[0].titre, QString("Classification hiérarchique - auteur (1)"));
    QVERIFY(QFile::exists(banc.dossier.Chemin("img-cah-auteur1.jpg")));
}

// The whole tree, the parts' names as texts.
void TFenDendrogrammeTest::LImageSEnregistre() {
    Banc banc;
    QVERIFY(banc.partition && banc.Classe());
    QVERIFY(banc.Ouvre());
    QCOMPARE(t3uitest::VerifieImages(banc.fenetre.get(), banc.dossier.Chemin("arbre"),
                                     banc.fenetre->Vue()->size(), {"a", "b", "c", "d", "e"}),
             QString());
}

void TFenDendrogrammeTest::CahIllisible() {
    Banc banc;
    QVERIFY(banc.partition);
    QVERIFY(!banc.Ouvre());
    QVERIFY(Dialogues::MessagesAffiches().last().contains("cah.txt"));
    t3uitest::Ecrit(banc.dossier.Chemin("cah.txt"), "CAH 3\n1 0 1 1 2\n2 0 2 2 3\n");
    QVERIFY(!banc.Ouvre());
    QCOMPARE(
        Dialogues::MessagesAffiches().last(),
        QString("Tessaron3|Le fichier « cah.txt » est incorrect : ligne 3, le groupe 0 est déjà réuni."));
    // A tree of more points than parts.
    t3uitest::Ecrit(banc.dossier.Chemin("cah.txt"),
                    "CAH 6\n1 0 1 1 2\n2 2 3 1 2\n3 4 5 1 2\n4 6 7 2 4\n5 8 9 3 6\n");
    QVERIFY(!banc.Ouvre());
    QVERIFY(Dialogues::MessagesAffiches().last().contains("6 points pour 5 parties"));
    // A tree of one point: no cut to choose, drawn all the same.
    t3uitest::Ecrit(banc.dossier.Chemin("cah.txt"), "CAH 1\nCLASSES 1\n");
    QVERIFY(banc.Ouvre());
    QVERIFY(!banc.fenetre->EdClasses()->isEnabled());
    QVERIFY(!banc.fenetre->Vue()->grab().isNull());
}

QTEST_MAIN(TFenDendrogrammeTest)
#include "TFenDendrogrammeTest.moc"
