// The factor plot on a real base: results made by the engine's analysis (the factor table's columns and
// cells, the report pictures with their comments byte for byte), and results written by hand where the
// plane's layout must be known (the axis rule, the three mouse rules, the brush, the colour grid,
// "Nom"/"Id", points that all share one value), and the results that cannot be read.
#include "AideUi.h"
#include "RapportTemoin.h"
#include "ServicesFactices.h"

#include "engine/afc/AnalyseAFC.h"
#include "engine/afc/ExportAFC.h"
#include "engine/afc/PlanFactoriel.h"
#include "engine/corpus/Cles.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "ui/afc/LancementsAFC.h"
#include "ui/afc/PlanAFC.h"
#include "ui/afc/TFenGrapheAFC.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/NumerotationRapport.h"
#include "ui/shell/PageRapport.h"
#include "ui/shell/RapportCourant.h"
#include "ui/shell/TexteQt.h"
#include "ui/stats/TFenStatPart.h"

#include <QAbstractBarSeries>
#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace t3ui;
using t3uitest::CommentaireDate;
using t3uitest::DossierCourant;
using t3uitest::RapportTemoin;
using t3uitest::TableImage;

namespace {

// Three authors whose vocabularies differ (an analysis of 2 factors), or four named a to d.
const char* const TexteTroisAuteurs =
    "<auteur=Hugo> le chat dort le chat mange la souris le chien dort le chat\n"
    "<auteur=Zola> le pain la mine le charbon la mine le pain le chat la mine\n"
    "<auteur=Balzac> la femme le monde la femme le salon la mine le chien la femme\n";
const char* const TexteQuatreParties = "<auteur=a> x y\n<auteur=b> x z\n<auteur=c> y z\n<auteur=d> x\n";

// Points at the four corners of factors 1 and 2 (a top left, b top right, c bottom left, d bottom right),
// with a third factor.
const char* const FacteursCoins = "4 3\n"
                                  "P 0 0.25 1 -400 300 10 1 2 3 0.1 0.2 0.3\n"
                                  "P 1 0.25 1 400 300 20 4 5 6 0.4 0.5 0.6\n"
                                  "P 2 0.25 1 -400 -300 30 7 8 9 0.7 0.8 0.9\n"
                                  "P 3 0.25 1 400 -300 40 1 2 3 0.1 0.2 0.3\n";

struct Banc {
    DossierCourant dossier;
    t3::charg1 base;
    std::unique_ptr<t3::Partition> partition;
    t3uitest::ServicesFactices services;
    std::unique_ptr<TFenGrapheAFC> fenetre;

    explicit Banc(const QString& texte) {
        NumerotationRapport::Remet();
        if (base.ChargeBase(t3uitest::Base(texte).toStdString()) != 0) return;
        partition = std::make_unique<t3::Partition>(&base, t3::RetourneTypeCle(base, "auteur"));
    }
    std::string Travail() const { return CheminLocal(dossier.Chemin()); }
    // The analysis program's work, done by the engine in the test's folder.
    bool Analyse() {
        const t3::ParamAFC param = t3::ParamAFCInitiaux(*partition, 1, false);
        return t3::EcritCoranDon(Travail(), *partition, param) && t3::ExecuteAnalyseAFC(Travail());
    }
    void EcritResultats(const char* facteurs, const char* vp = "3\n900\n400\n100\n") {
        t3uitest::Ecrit(dossier.Chemin("facteurs.txt"), facteurs);
        t3uitest::Ecrit(dossier.Chemin("vp.txt"), vp);
    }
    bool Ouvre() {
        QWidget* f = OuvreGrapheAFC(services, *partition, Travail());
        fenetre.reset(qobject_cast<TFenGrapheAFC*>(f));
        if (!fenetre) return false;
        fenetre->setAttribute(Qt::WA_DeleteOnClose, false);
        fenetre->resize(900, 640);
        fenetre->show();
        return QTest::qWaitForWindowExposed(fenetre.get());
    }
    QAbstractButton* Bouton(const char* nom) const { return fenetre->findChild<QAbstractButton*>(nom); }
    QComboBox* Liste(const char* nom) const { return fenetre->findChild<QComboBox*>(nom); }
    PlanAFC* Plan() const { return fenetre->Surface(); }
    QPoint Centre(int32_t point) const {
        const t3::Boite b = Plan()->Boites()[static_cast<size_t>(point)];
        return QPoint(b.x + b.largeur / 2, b.y + b.hauteur / 2);
    }
    // A rectangle dragged with the button from a point to another, as the mouse does it.
    void Glisse(Qt::MouseButton bouton, QPoint de, QPoint a, Qt::KeyboardModifiers touches = {}) {
        QTest::mousePress(Plan(), bouton, touches, de);
        QTest::mouseMove(Plan(), a);
        QTest::mouseRelease(Plan(), bouton, touches, a);
    }
    std::vector<int32_t> Drapeaux(bool (t3::Partition::*drapeau)(int32_t) const) const {
        std::vector<int32_t> oui;
        for (int32_t i = 0; i < partition->NbParties(); ++i)
            if ((partition.get()->*drapeau)(i)) oui.push_back(i);
        return oui;
    }
};

using Parties = std::vector<int32_t>;

} // namespace

class TFenGrapheAFCTest : public QObject {
    Q_OBJECT
  private slots:
    void LesImagesVontAuRapport();
    void LesImagesSEnregistrent();
    void TableDesFacteursEtHistogramme();
    void ListesDesAxesEtLeurRegle();
    void RectanglesDeLaSouris();
    void PinceauEtGrilleDeCouleurs();
    void NomOuId();
    void PointsEgauxEtResultatsIllisibles();
    void EtiquettesEntieresDansLePlan();
    void BoutonsDesCommandes();
    void LesAutresFenetresDeLaPartitionSuivent();
};

// Runs first: the picture counter is process-wide.
void TFenGrapheAFCTest::LesImagesVontAuRapport() {
    Banc banc(TexteTroisAuteurs);
    QVERIFY(banc.partition);
    QVERIFY(banc.Analyse());
    QVERIFY(banc.Ouvre());
    RapportTemoin rapport(banc.dossier.Chemin() + "/");
    banc.services.rapport = &rapport;

    const QString base = VersQt(banc.base.NomBase());
    QVERIFY(CommentaireDate(
        rapport, [&] { banc.fenetre->AjouteAuRapport(); },
        [&](const QString& date) {
            return "<CENTER><H3>Analyse factorielle des correspondances - auteur</H3></CENTER><br>" +
                   TableImage(base, date, "auteur", 3);
        }));
    QCOMPARE(rapport.entrees.size(), 1);
    QCOMPARE(rapport.entrees[0].fichier, QString("img-afc-auteur1.jpg"));
    QCOMPARE(rapport.entrees[0].titre, QString("Analyse factorielle des correspondances - auteur(1)"));
    QVERIFY(QFile::exists(banc.dossier.Chemin("img-afc-auteur1.jpg")));

    // The histogram: the next number.
    banc.Bouton("BtnVP")->click();
    QCOMPARE(banc.fenetre->Pages()->currentWidget(), banc.fenetre->GrapheHisto());
    banc.fenetre->AjouteAuRapport();
    QCOMPARE(rapport.entrees.size(), 2);
    QCOMPARE(rapport.entrees[1].fichier, QString("img-afc-vp-auteur2.jpg"));
    QCOMPARE(rapport.entrees[1].titre, QString("AFC - Histogramme des Valeurs Propres (2)"));
    QVERIFY(rapport.entrees[1].commentaire.startsWith(
        "<CENTER><H3>Histogramme des valeurs propres</H3></CENTER><br><TABLE WIDTH=100% ALIGN=CENTER"));
    QVERIFY(QFile::exists(banc.dossier.Chemin("img-afc-vp-auteur2.jpg")));
    // Nothing for the factor table.
    banc.Bouton("BtnFacteurs")->click();
    banc.fenetre->AjouteAuRapport();
    QCOMPARE(rapport.entrees.size(), 2);
    QCOMPARE(NumerotationRapport::Prochain(SorteEntree::ImagePlan), 3);
}

// The plane and the histogram, whichever is shown, with their texts; not the factor table.
void TFenGrapheAFCTest::LesImagesSEnregistrent() {
    Banc banc(TexteTroisAuteurs);
    QVERIFY(banc.partition);
    QVERIFY(banc.Analyse());
    QVERIFY(banc.Ouvre());
    QCOMPARE(t3uitest::VerifieImages(banc.fenetre.get(), banc.dossier.Chemin("plan"), banc.Plan()->size(),
                                     {"Hugo", "Zola", "Balzac"}),
             QString());
    banc.Bouton("BtnVP")->click();
    QCoreApplication::processEvents();
    QCOMPARE(t3uitest::VerifieImages(banc.fenetre.get(), banc.dossier.Chemin("vp"),
                                     banc.fenetre->GrapheHisto()->viewport()->size(),
                                     {"Histogramme des valeurs propres"}),
             QString());
    banc.Bouton("BtnFacteurs")->click();
    QVERIFY(!banc.fenetre->findChild<QAction*>("ActEnregistrerImage")->isEnabled());
}

void TFenGrapheAFCTest::TableDesFacteursEtHistogramme() {
    Banc banc(TexteTroisAuteurs);
    QVERIFY(banc.partition && banc.Analyse());
    QVERIFY(banc.Ouvre());
    QCOMPARE(banc.fenetre->windowTitle(), QString("Analyse factorielle des correspondances - auteur"));
    const t3::TListePoints& points = banc.fenetre->Points();
    QCOMPARE(points.NbFacteurs(), 2);
    QAbstractItemModel* modele = banc.fenetre->LVFact()->model();
    QAbstractItemModelTester testeur(modele, QAbstractItemModelTester::FailureReportingMode::QtTest);
    // Two factors: 3 + 6 columns.
    QCOMPARE(modele->columnCount(), 9);
    QCOMPARE(modele->rowCount(), 3);
    QStringList titres;
    for (int c = 0; c < 9; ++c)
        titres << modele->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titres, QStringList({"Ident.", "Masse", "Distance", "f1", "f2", "f1", "f2", "f1", "f2"}));
    // The runs captioned alike are told apart by their hints.
    QStringList aides;
    for (int c = 0; c < 9; ++c)
        aides << modele->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString();
    QCOMPARE(aides, QStringList({"", "", "", "Coordonnée sur le facteur 1", "Coordonnée sur le facteur 2",
                                 "Contribution au facteur 1", "Contribution au facteur 2",
                                 "Cos² avec le facteur 1", "Cos² avec le facteur 2"}));
    QCOMPARE(modele->index(1, 0).data().toString(), QString("Hugo"));
    // Mass 3 decimals, coordinates 2, the further values 1 and 2, as the file holds them.
    const auto decimales = [&](int c) {
        return modele->index(0, c).data().toString().section('.', 1).size();
    };
    QCOMPARE(decimales(1), 3);
    QCOMPARE(decimales(2), 3);
    QCOMPARE(decimales(3), 2);
    QCOMPARE(decimales(5), 1);
    QCOMPARE(decimales(7), 2);
    QCOMPARE(modele->index(2, 4).data().toString(),
             QString::fromStdString(t3::FormatFixe(points.Coordonnee(1, 2), 2)));
    QCOMPARE(modele->index(0, 3).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight, int(Qt::AlignRight));
    // The axis lists hold "1" and "2".
    QCOMPARE(banc.Liste("cbAxeX")->count(), 2);
    QCOMPARE(banc.Liste("cbAxeX")->itemText(1), QString("2"));
    QCOMPARE(banc.Liste("cbAxeY")->currentText(), QString("2"));
    // The histogram: the values from the last, labelled from 2.
    QCOMPARE(banc.fenetre->GrapheHisto()->chart()->title(), QString("Histogramme des valeurs propres"));
    QVERIFY(!banc.fenetre->GrapheHisto()->chart()->legend()->isVisible());

    // "Exporter…": the values themselves rather than their roundings; the eigenvalues, factor 1 first.
    const QList<QStringList> facteurs =
        t3uitest::Exporte(banc.fenetre->LVFact(), banc.dossier.Chemin("facteurs.csv"), 0);
    QCOMPARE(facteurs, t3uitest::LignesAffichees(banc.fenetre->LVFact()));
    QCOMPARE(facteurs[3][4].toDouble(), points.Coordonnee(1, 2));
    const QList<QStringList> valeurs =
        t3uitest::Exporte(banc.fenetre->GrapheHisto(), banc.dossier.Chemin("vp.txt"), 1);
    const QBarSet* barres =
        qobject_cast<QAbstractBarSeries*>(banc.fenetre->GrapheHisto()->chart()->series().value(0))
            ->barSets()[0];
    QCOMPARE(valeurs.size(), 1 + barres->count());
    QCOMPARE(valeurs[0], (QStringList{"Facteur", "Valeur propre"}));
    QCOMPARE(valeurs[1], (QStringList{"1", QString::number(barres->at(barres->count() - 1))}));
}

void TFenGrapheAFCTest::ListesDesAxesEtLeurRegle() {
    Banc banc(TexteQuatreParties);
    QVERIFY(banc.partition);
    banc.EcritResultats(FacteursCoins);
    QVERIFY(banc.Ouvre());
    QComboBox* x = banc.Liste("cbAxeX");
    QComboBox* y = banc.Liste("cbAxeY");
    QCOMPARE(x->count(), 3);
    QCOMPARE(x->toolTip(), QString("Facteur affecté à l'axe X"));
    QCOMPARE(y->toolTip(), QString("Facteur affecté à l'axe Y"));
    // The factor shown vertically, chosen horizontally: both stay as they were.
    x->setCurrentIndex(1);
    QCOMPARE(x->currentIndex(), 0);
    QCOMPARE(banc.fenetre->Points().AxeX(), 0);
    y->setCurrentIndex(0);
    QCOMPARE(y->currentIndex(), 1);
    // Factor 3 horizontally: a at x = 10, the least, stands at the left edge.
    x->setCurrentIndex(2);
    QCOMPARE(banc.fenetre->Points().AxeX(), 2);
    QCOMPARE(banc.Plan()->Boites()[0].x, 0);
    QCOMPARE(banc.Plan()->Boites()[3].x, banc.Plan()->width() - t3::MargePlan);
}

void TFenGrapheAFCTest::RectanglesDeLaSouris() {
    Banc banc(TexteQuatreParties);
    QVERIFY(banc.partition);
    banc.EcritResultats(FacteursCoins);
    QVERIFY(banc.Ouvre());
    QCOMPARE(banc.Plan()->cursor().shape(), Qt::CrossCursor);
    const auto selection = [&] { return banc.Drapeaux(&t3::Partition::Selection); };
    const auto reference = [&] { return banc.Drapeaux(&t3::Partition::Reference); };
    QCOMPARE(reference(), Parties({0, 1, 2, 3}));
    const t3::Boite a = banc.Plan()->Boites()[0];

    // Left: from outside a's box onto it; the selection is exactly a.
    banc.Glisse(Qt::LeftButton, QPoint(a.x + a.largeur + 20, a.y + a.hauteur + 20), banc.Centre(0));
    QCOMPARE(selection(), Parties({0}));
    // Ctrl + left adds d; left alone then picks b only.
    banc.Glisse(Qt::LeftButton, banc.Centre(3), banc.Centre(3), Qt::ControlModifier);
    QCOMPARE(selection(), Parties({0, 3}));
    banc.Glisse(Qt::LeftButton, banc.Centre(1), banc.Centre(1));
    QCOMPARE(selection(), Parties({1}));
    // A rectangle over the whole plane picks every part.
    // (A press at (0, 0) would be taken by QTest for the middle of the plane.)
    banc.Glisse(Qt::LeftButton, QPoint(1, 1), QPoint(banc.Plan()->width() - 1, banc.Plan()->height() - 1));
    QCOMPARE(selection(), Parties({0, 1, 2, 3}));
    // Right on a selected part: out of the reference set and of the selection; again: back in the
    // reference set, not selected.
    banc.Glisse(Qt::RightButton, banc.Centre(2), banc.Centre(2));
    QCOMPARE(reference(), Parties({0, 1, 3}));
    QCOMPARE(selection(), Parties({0, 1, 3}));
    banc.Glisse(Qt::RightButton, banc.Centre(2), banc.Centre(2));
    QCOMPARE(reference(), Parties({0, 1, 2, 3}));
    QCOMPARE(selection(), Parties({0, 1, 3}));
    // A plain left release on nothing clears the selection.
    const QPoint vide(banc.Plan()->width() / 2 + 37, banc.Plan()->height() / 2 + 41);
    QVERIFY(t3::BoitesPrises(banc.Plan()->Boites(), t3::Normalise(vide.x(), vide.y(), vide.x(), vide.y()))
                .empty());
    banc.Glisse(Qt::RightButton, vide, vide);
    QCOMPARE(selection(), Parties({0, 1, 3}));
    // That right click on no part opens the plane's menu.
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu && menu->actions().contains(banc.fenetre->findChild<QAction*>("ActEnregistrerImage")));
    menu->close();
    banc.Glisse(Qt::LeftButton, vide, vide);
    QVERIFY(selection().empty());
    QCOMPARE(reference(), Parties({0, 1, 2, 3}));
}

void TFenGrapheAFCTest::PinceauEtGrilleDeCouleurs() {
    Banc banc(TexteQuatreParties);
    QVERIFY(banc.partition);
    banc.EcritResultats(FacteursCoins);
    QVERIFY(banc.Ouvre());
    const t3::Couleur rouge = t3::CouleurRGB(255, 0, 0);
    QCOMPARE(banc.fenetre->CouleurPinceau(), t3::CouleurRGB(0, 0, 255));
    QVERIFY(banc.Bouton("BtnSelec")->isChecked());
    // The brush down: the hand; red chosen; a rectangle over c and d colours them, flags untouched.
    banc.Bouton("BtnPinceau")->click();
    QCOMPARE(banc.Plan()->cursor().shape(), Qt::PointingHandCursor);
    banc.Bouton("Couleur9")->click();
    QCOMPARE(banc.fenetre->CouleurPinceau(), rouge);
    QVERIFY(banc.Drapeaux(&t3::Partition::Selection).empty());
    banc.Glisse(Qt::LeftButton, banc.Centre(2), banc.Centre(3));
    QCOMPARE(banc.partition->CouleurPartie(2), rouge);
    QCOMPARE(banc.partition->CouleurPartie(3), rouge);
    QCOMPARE(banc.partition->CouleurPartie(0), t3::Partition::CouleurInitiale);
    QVERIFY(banc.Drapeaux(&t3::Partition::Selection).empty());
    // Back to the selection: choosing red selects exactly the red parts, in the reference set.
    banc.Bouton("BtnSelec")->click();
    QCOMPARE(banc.Plan()->cursor().shape(), Qt::CrossCursor);
    banc.partition->SetReference(3, false);
    banc.partition->SetSelection(0, true);
    banc.Bouton("Couleur9")->click();
    QCOMPARE(banc.Drapeaux(&t3::Partition::Selection), Parties({2, 3}));
    QCOMPARE(banc.Drapeaux(&t3::Partition::Reference), Parties({0, 1, 2, 3}));
    // Blue: the other two.
    banc.Bouton("Couleur12")->click();
    QCOMPARE(banc.Drapeaux(&t3::Partition::Selection), Parties({0, 1}));
}

void TFenGrapheAFCTest::NomOuId() {
    Banc banc(TexteQuatreParties);
    QVERIFY(banc.partition);
    banc.EcritResultats(FacteursCoins);
    QVERIFY(banc.Ouvre());
    QAbstractItemModel* modele = banc.fenetre->LVFact()->model();
    QCOMPARE(banc.Plan()->Etiquette(1), QString("b"));
    QCOMPARE(modele->index(1, 0).data().toString(), QString("b"));
    QCOMPARE(banc.Plan()->Boites()[1].largeur, banc.Plan()->fontMetrics().horizontalAdvance("b") + 7);
    banc.Bouton("RBtnId")->click();
    const QString numero = QString::number(banc.partition->Contenu(1));
    QCOMPARE(banc.Plan()->Etiquette(1), numero);
    QCOMPARE(modele->index(1, 0).data().toString(), numero);
    QCOMPARE(banc.Plan()->Boites()[1].largeur, banc.Plan()->fontMetrics().horizontalAdvance(numero) + 7);
    banc.Bouton("RBtnNom")->click();
    QCOMPARE(modele->index(1, 0).data().toString(), QString("b"));
}

void TFenGrapheAFCTest::PointsEgauxEtResultatsIllisibles() {
    Banc banc(TexteQuatreParties);
    QVERIFY(banc.partition);
    // Nothing in the folder: the message, no window.
    QVERIFY(!banc.Ouvre());
    QCOMPARE(Dialogues::MessagesAffiches().last(),
             QString("Tessaron3|Erreur de lecture du fichier des facteurs"));
    // "vp.txt" missing.
    t3uitest::Ecrit(banc.dossier.Chemin("facteurs.txt"), FacteursCoins);
    QVERIFY(!banc.Ouvre());
    QVERIFY(Dialogues::MessagesAffiches().last().contains("vp.txt"));
    // More points than parts: results of another partition.
    banc.EcritResultats("5 1\nP 0 1 1 0 0 0\nP 1 1 1 0 0 0\nP 2 1 1 0 0 0\nP 3 1 1 0 0 0\nP 4 1 1 0 0 0\n");
    QVERIFY(!banc.Ouvre());
    QVERIFY(Dialogues::MessagesAffiches().last().contains("5 points pour 4 parties"));
    // Every point at one place, one factor: drawn in the middle, painted without fault.
    banc.EcritResultats("4 1\nP 0 1 1 250 0 0\nP 1 1 1 250 0 0\nP 2 1 1 250 0 0\nP 3 1 1 250 0 0\n",
                        "1\n5\n");
    QVERIFY(banc.Ouvre());
    const std::vector<t3::Boite> boites = banc.Plan()->Boites();
    QCOMPARE(boites[0].x, (banc.Plan()->width() - t3::MargePlan) / 2);
    QCOMPARE(boites[0].y, (banc.Plan()->height() - t3::MargePlan) / 2);
    QVERIFY(!banc.Plan()->grab().isNull());
    QCOMPARE(banc.Liste("cbAxeX")->count(), 1);
}

// Long names at the right and bottom edges, in a large font: every label box lies in the plane, painted
// whole. The white line of a selected box keeps out of its text.
void TFenGrapheAFCTest::EtiquettesEntieresDansLePlan() {
    Banc banc("<auteur=a> x y\n<auteur=b6280> x z\n<auteur=c> y z\n<auteur=d6280> x\n");
    QVERIFY(banc.partition);
    banc.EcritResultats(FacteursCoins);
    QVERIFY(banc.Ouvre());
    PlanAFC* plan = banc.Plan();
    QFont grande = plan->font();
    grande.setPointSize(20);
    plan->setFont(grande);
    const std::vector<t3::Boite> boites = plan->Boites();
    for (const t3::Boite& b : boites)
        QVERIFY(plan->rect().contains(QRect(b.x, b.y, b.largeur, b.hauteur)));
    // d, at the bottom right: its border on the plane's last column and row.
    const t3::Boite d = boites[3];
    QImage image = plan->grab().toImage();
    QCOMPARE(image.pixelColor(plan->width() - 1, d.y + d.hauteur / 2), QColor(Qt::black));
    QCOMPARE(image.pixelColor(d.x + d.largeur / 2, plan->height() - 1), QColor(Qt::black));

    // a selected on a light fill, its text black: white only in its border.
    banc.partition->SetCouleurPartie(0, t3::CouleurRGB(255, 255, 0));
    banc.Glisse(Qt::LeftButton, banc.Centre(0), banc.Centre(0));
    QVERIFY(banc.partition->Selection(0) && banc.partition->Reference(0));
    image = plan->grab().toImage();
    const t3::Boite a = boites[0];
    const auto blancs = [&image](const QRect& zone) {
        int n = 0;
        for (int y = zone.top(); y <= zone.bottom(); ++y)
            for (int x = zone.left(); x <= zone.right(); ++x)
                n += image.pixelColor(x, y) == QColor(Qt::white);
        return n;
    };
    QVERIFY(blancs(QRect(a.x, a.y, a.largeur, a.hauteur)) > 0);
    QCOMPARE(blancs(QRect(a.x + 3, a.y + 3, a.largeur - 7, a.hauteur - 7)), 0);
}

// The commands of the partition: "Sp ch ev" refuses without a selected part, "Spécifs" asks for its
// parameters, "AFC" and "CAH" open the analysis dialog.
void TFenGrapheAFCTest::BoutonsDesCommandes() {
    Banc banc(TexteQuatreParties);
    QVERIFY(banc.partition);
    banc.EcritResultats(FacteursCoins);
    QVERIFY(banc.Ouvre());
    QCOMPARE(banc.Bouton("BtnSpChEv")->toolTip(),
             QString("Calcul des spécificités évolutives et chronologiques pour la partition"));
    banc.Bouton("BtnSpChEv")->click();
    QCOMPARE(Dialogues::MessagesAffiches().last(), QString("Tessaron3|Aucune partie n'est sélectionnée"));
    QStringList dialogues;
    const auto note = [&dialogues](QDialog* d) { dialogues << d->windowTitle(); };
    for (const char* bouton : {"BtnSpecifs", "BtnAFC", "BtnCAH"}) {
        Dialogues::RepondDialogue(QDialog::Rejected, note);
        banc.Bouton(bouton)->click();
    }
    QCOMPARE(dialogues.size(), 3);
    QCOMPARE(dialogues[1], QString("Paramètrage de l'AFC"));
    QCOMPARE(dialogues[2], QString("Paramètrage de l'AFC"));
}

// The flags belong to the partition: its statistics window repaints its parts at once.
void TFenGrapheAFCTest::LesAutresFenetresDeLaPartitionSuivent() {
    Banc banc(TexteQuatreParties);
    QVERIFY(banc.partition);
    banc.EcritResultats(FacteursCoins);
    QVERIFY(banc.Ouvre());
    TFenStatPart statistiques(banc.services, banc.partition.get());
    statistiques.setAttribute(Qt::WA_DeleteOnClose, false);
    QSignalSpy changes(statistiques.ModeleParties(), &QAbstractItemModel::dataChanged);
    banc.Glisse(Qt::LeftButton, banc.Centre(2), banc.Centre(2));
    QCOMPARE(changes.size(), 1);
    QVERIFY(banc.partition->Selection(2));
    banc.Bouton("Couleur9")->click();
    QCOMPARE(changes.size(), 2);
}

QTEST_MAIN(TFenGrapheAFCTest)
#include "TFenGrapheAFCTest.moc"
