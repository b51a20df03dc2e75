// The ventilation graph on a real base: groups dropped as the dictionary drags them, the values of their
// series against the engine, the display switches, clearing, zoom and scrolling, the thinned part names of
// a partition of a thousand parts, the picture added to the report, the table exported, and two groups of
// one colour told apart in it.
#include "AideUi.h"
#include "RapportTemoin.h"
#include "ServicesFactices.h"

#include "engine/corpus/Cles.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/stats/Tgen.h"
#include "engine/stats/Ventilation.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/shell/Couleurs.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/EnregistrementImage.h"
#include "ui/shell/NumerotationRapport.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/stats/TFenGrapheTgen.h"

#include <QAbstractButton>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QTest>

#include <array>
#include <cmath>
#include <memory>

using namespace t3ui;
using t3uitest::DossierCourant;
using t3uitest::RapportTemoin;

namespace {

// What the graph asks of the workbench: only the current report.
using ServicesTemoins = t3uitest::ServicesFactices;

// Three authors: Hugo (11 occurrences), Zola (5), Balzac (2, named with characters that mean something
// in HTML).
const char* const TexteTroisAuteurs = "<auteur=Hugo> le chat dort . le chien mange le chat et le pain\n"
                                      "<auteur=Zola> le chat mange le pain .\n<auteur=Balzac&<i> la mer\n";

// A base with its partition by auteur and the graph on it.
struct Banc {
    DossierCourant dossier;
    t3::charg1 base;
    std::unique_ptr<t3::Partition> partition;
    ServicesTemoins services;
    std::unique_ptr<TFenGrapheTgen> fenetre;

    explicit Banc(const QString& texte, const char* cle = "auteur") {
        NumerotationRapport::Remet();
        if (base.ChargeBase(t3uitest::Base(texte).toStdString()) != 0) return;
        partition = std::make_unique<t3::Partition>(&base, t3::RetourneTypeCle(base, cle));
        fenetre = std::make_unique<TFenGrapheTgen>(services, partition.get());
        fenetre->setAttribute(Qt::WA_DeleteOnClose, false);
        fenetre->show();
    }
    bool Pret() const { return fenetre != nullptr; }
    int32_t Forme(const char* graphie) const { return base.LocFormDic(graphie); }
    // A group as the dictionary list drags it: no name, the pastille's colour, the selected entries.
    std::unique_ptr<TTgenDragObject> Glisser(std::initializer_list<const char*> formes,
                                             t3::Couleur couleur = t3::CouleurRGB(0, 0, 255),
                                             const std::string& nom = "") {
        auto objet =
            std::make_unique<TTgenDragObject>(nullptr, nom, couleur, static_cast<int32_t>(formes.size()));
        objet->SetBase(&base);
        for (const char* forme : formes)
            objet->Ajoute(Forme(forme));
        return objet;
    }
    t3uitest::Depot Depose(const QMimeData& donnees) {
        return t3uitest::Depose(fenetre->Graphe()->viewport(), &donnees);
    }
    std::vector<double> Attendues(std::initializer_list<const char*> formes, t3::ModeVentilation mode) {
        std::vector<int32_t> entrees;
        for (const char* forme : formes)
            entrees.push_back(Forme(forme));
        const t3::Tgen groupe(&base, entrees);
        std::vector<double> valeurs;
        for (const int64_t v : t3::ValeursVentilation(*partition, groupe, mode))
            valeurs.push_back(static_cast<double>(v));
        return valeurs;
    }
    QAbstractButton* Bouton(const char* nom) const { return fenetre->findChild<QAbstractButton*>(nom); }
};

// One field of every series drawn, in the order of the groups.
template <typename T> std::vector<T> Champ(const TFenGrapheTgen& f, T TFenGrapheTgen::SerieDessinee::*champ) {
    std::vector<T> valeurs;
    for (const auto& serie : f.Series())
        valeurs.push_back(serie.*champ);
    return valeurs;
}
std::vector<std::vector<double>> Valeurs(const TFenGrapheTgen& f) {
    return Champ(f, &TFenGrapheTgen::SerieDessinee::valeurs);
}
std::vector<QString> Titres(const TFenGrapheTgen& f) {
    return Champ(f, &TFenGrapheTgen::SerieDessinee::titre);
}

// Where a point of a series stands in the view (and in the picture it grabs).
QPoint DansLaVue(const TFenGrapheTgen& f, int serie, QPointF valeur) {
    return f.Graphe()->mapFromScene(
        f.Chart()->mapToScene(f.Chart()->mapToPosition(valeur, f.Chart()->series()[serie])));
}
// The mark drawn beside a title in the legend, and two pixels around it.
QRect MarqueLegende(const TFenGrapheTgen& f, const QString& titre) {
    for (QGraphicsItem* item : f.Chart()->scene()->items()) {
        const auto* texte = dynamic_cast<QGraphicsTextItem*>(item);
        if (!texte || texte->toPlainText() != titre || !f.Chart()->legend()->isAncestorOf(texte)) continue;
        QRectF marque;
        for (QGraphicsItem* voisin : texte->parentItem()->childItems())
            if (voisin != texte) marque |= voisin->sceneBoundingRect();
        return f.Graphe()->mapFromScene(marque).boundingRect().adjusted(-2, -2, 2, 2);
    }
    return {};
}
// Two regions of a picture, each holding one whole mark (a stretch of line, a patch of bar, a legend
// mark), look alike when their mean colours are nearer than a fifth of the first one's contrast with the
// chart's background. Means do not depend on where the marks fall between pixels.
bool Distinctes(const QImage& image, const QRect& a, const QRect& b) {
    const auto moyenne = [&image](const QRect& r) {
        double c[3] = {0, 0, 0};
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor p = image.pixelColor(x, y);
                c[0] += p.red(), c[1] += p.green(), c[2] += p.blue();
            }
        const double n = double(r.width()) * r.height();
        return std::array<double, 3>{c[0] / n, c[1] / n, c[2] / n};
    };
    const auto ecart = [](const std::array<double, 3>& u, const std::array<double, 3>& v) {
        return std::abs(u[0] - v[0]) + std::abs(u[1] - v[1]) + std::abs(u[2] - v[2]);
    };
    if (a.isEmpty() || b.isEmpty() || !image.rect().contains(a) || !image.rect().contains(b)) return false;
    const std::array<double, 3> fond{253, 254, 207}, ma = moyenne(a), mb = moyenne(b);
    return ecart(ma, mb) > ecart(ma, fond) / 5;
}

} // namespace

class TFenGrapheTgenTest : public QObject {
    Q_OBJECT
  private slots:
    void LImageDuGrapheVaAuRapport();
    void LImageEnregistreeEnPngEtSvg();
    void LeGroupeDeposeEstTraceAvecLesValeursDuMoteur();
    void LesAffichagesSeSuivent();
    void LeMemeGroupeDeuxFoisEtLesDepotsRefuses();
    void EffacerEtZoom();
    void MillePartiesGardentDesNomsLisibles();
    void DeuxGroupesDUneCouleurSeDistinguent();
};

void TFenGrapheTgenTest::LImageDuGrapheVaAuRapport() {
    Banc banc(TexteTroisAuteurs);
    QVERIFY(banc.Pret());
    QCOMPARE(banc.fenetre->windowTitle(), QString("Graphique de ventilation pour la partition : auteur"));
    QCOMPARE(banc.Depose(*banc.Glisser({"chat"})), t3uitest::Depot::Accepte);
    // Without a report nothing is written.
    banc.fenetre->AjouteAuRapport();
    QCOMPARE(NumerotationRapport::Prochain(SorteEntree::ImageGraphe), 0);

    RapportTemoin rapport(banc.dossier.Chemin() + "/");
    banc.services.rapport = &rapport;
    banc.fenetre->AjouteAuRapport();
    banc.fenetre->AjouteAuRapport();
    QCOMPARE(rapport.entrees.size(), 2);
    QCOMPARE(rapport.entrees[0].fichier, QString("img-graphe-auteur0.jpg"));
    QCOMPARE(rapport.entrees[0].titre, banc.fenetre->windowTitle() + "(1)");
    QCOMPARE(rapport.entrees[0].commentaire, QString(" "));
    QCOMPARE(rapport.entrees[1].fichier, QString("img-graphe-auteur1.jpg"));
    QCOMPARE(rapport.entrees[1].titre, banc.fenetre->windowTitle() + "(2)");
    const QByteArray jpeg = t3uitest::Lit(banc.dossier.Chemin("img-graphe-auteur0.jpg"));
    QVERIFY(jpeg.startsWith("\xFF\xD8\xFF"));
    QImage image;
    QVERIFY(image.loadFromData(jpeg, "JPG"));
    QCOMPARE(image.size(), banc.fenetre->Graphe()->size());

    // A folder that cannot be written: said so, no entry, the counter stays.
    RapportTemoin perdu(banc.dossier.Chemin("absent") + "/");
    banc.services.rapport = &perdu;
    banc.fenetre->AjouteAuRapport();
    QVERIFY(perdu.entrees.isEmpty());
    QCOMPARE(NumerotationRapport::Prochain(SorteEntree::ImageGraphe), 2);
    QCOMPARE(Dialogues::MessagesAffiches().size(), 1);
    QVERIFY(Dialogues::MessagesAffiches()[0].contains("img-graphe-auteur2.jpg"));
}

void TFenGrapheTgenTest::LImageEnregistreeEnPngEtSvg() {
    Banc banc(TexteTroisAuteurs);
    QVERIFY(banc.Pret());
    QCOMPARE(banc.Depose(*banc.Glisser({"chat"})), t3uitest::Depot::Accepte);
    // The chart laid out, as it is on screen by the time the user asks.
    QCoreApplication::processEvents();
    const QSize taille = banc.fenetre->Graphe()->viewport()->size();
    QVERIFY(
        banc.fenetre->Graphe()->actions().contains(banc.fenetre->findChild<QAction*>("ActEnregistrerImage")));
    // The SVG keeps the chart's texts as texts: the parts, the group, the axis title.
    QCOMPARE(t3uitest::VerifieImages(banc.fenetre.get(), banc.dossier.Chemin("graphe"), taille,
                                     {"Hugo", "Zola", "chat", "2000", "Fréquences relatives ( x 10 000 )"}),
             QString());
    // Ctrl+Shift+S in the window; a name without extension takes the format's.
    banc.fenetre->activateWindow();
    Dialogues::RepondEnregistrement(banc.dossier.Chemin("sans"), FiltresImage()[2]);
    QTest::keyClick(banc.fenetre->Graphe(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(QFile::exists(banc.dossier.Chemin("sans.svg")));
    QVERIFY(Dialogues::MessagesAffiches().isEmpty());

    // A folder that does not exist: said so with the file's name, nothing left behind.
    const QString perdu = banc.dossier.Chemin("absent/graphe.svg");
    QVERIFY(t3uitest::EnregistreImage(banc.fenetre.get(), perdu, 2));
    QCOMPARE(Dialogues::MessagesAffiches(),
             QStringList{"Tessaron3|L'image n'a pas pu être écrite dans « " + perdu + " »."});
    QVERIFY(!QFile::exists(perdu));
}

void TFenGrapheTgenTest::LeGroupeDeposeEstTraceAvecLesValeursDuMoteur() {
    Banc banc(TexteTroisAuteurs);
    QVERIFY(banc.Pret());
    TFenGrapheTgen& f = *banc.fenetre;
    QCOMPARE(f.TitreAxeGauche(), QString("Fréquences relatives ( x 10 000 )"));
    QCOMPARE(f.EtiquettesAxeBas(), (QStringList{"Balzac&<i", "Hugo", "Zola"}));
    QCOMPARE(f.AxeBasMin(), -0.5);
    QCOMPARE(f.AxeBasMax(), 2.5);

    QCOMPARE(banc.Depose(*banc.Glisser({"chat", "pain"}, t3::CouleurRGB(10, 20, 30))),
             t3uitest::Depot::Accepte);
    QCOMPARE(f.Groupes().size(), size_t{1});
    const std::vector<double> relatives = banc.Attendues({"chat", "pain"}, t3::ModeVentilation::Relatives);
    // Balzac has neither form; Hugo 3 of 11 occurrences, Zola 2 of 5.
    QCOMPARE(relatives, (std::vector<double>{0, 2727, 4000}));
    QCOMPARE(Valeurs(f), std::vector<std::vector<double>>{relatives});
    QCOMPARE(Titres(f), std::vector<QString>{"chat+"});
    QCOMPARE(Champ(f, &TFenGrapheTgen::SerieDessinee::couleur), std::vector<QColor>{QColor(10, 20, 30)});
    // The title stays until the first redraw; the axis starts at 0 and holds every point.
    QCOMPARE(f.TitreAxeGauche(), QString("Fréquences relatives ( x 10 000 )"));
    QCOMPARE(f.AxeGaucheMin(), 0.0);
    QVERIFY(f.AxeGaucheMax() >= 4000);
    QCOMPARE(f.AxeBasMin(), -0.5);
    QCOMPARE(f.AxeBasMax(), 2.5);

    // A named drag names the series, as written; white leaves the group its own colour; black takes the
    // chart's.
    t3::CycleCouleursGroupes.Suivante = 1; // red for the next group
    QCOMPARE(banc.Depose(*banc.Glisser({"le"}, t3::CouleurBlanche, "<b>articles</b>")),
             t3uitest::Depot::Accepte);
    QCOMPARE(banc.Depose(*banc.Glisser({"mer"}, t3::CouleurRGB(0, 0, 0))), t3uitest::Depot::Accepte);
    QCOMPARE(Titres(f), (std::vector<QString>{"chat+", "<b>articles</b>", "mer"}));
    const std::vector<QColor> couleurs = Champ(f, &TFenGrapheTgen::SerieDessinee::couleur);
    QCOMPARE(couleurs[1], QColor(255, 0, 0));
    QVERIFY(couleurs[2] != QColor(Qt::black));
    QCOMPARE(Valeurs(f)[2], banc.Attendues({"mer"}, t3::ModeVentilation::Relatives));
}

void TFenGrapheTgenTest::LesAffichagesSeSuivent() {
    Banc banc(TexteTroisAuteurs);
    QVERIFY(banc.Pret());
    TFenGrapheTgen& f = *banc.fenetre;
    QVERIFY(banc.Bouton("BtnAffFrq")->isChecked());
    QVERIFY(banc.Bouton("RBtnRel")->isChecked());
    QCOMPARE(banc.Depose(*banc.Glisser({"chat"})), t3uitest::Depot::Accepte);
    QCOMPARE(banc.Depose(*banc.Glisser({"mer", "la"})), t3uitest::Depot::Accepte);

    // Coefficients: one bar per part for each group, the axis one beyond the extremes drawn.
    banc.Bouton("BtnAffSpf")->click();
    QVERIFY(f.Specificites());
    QVERIFY(banc.Bouton("BtnAffSpf")->isChecked() && !banc.Bouton("BtnAffFrq")->isChecked());
    QCOMPARE(f.TitreAxeGauche(), QString("Spécificités"));
    const auto chat = banc.Attendues({"chat"}, t3::ModeVentilation::Specificites);
    const auto mer = banc.Attendues({"mer", "la"}, t3::ModeVentilation::Specificites);
    QCOMPARE(Valeurs(f), (std::vector<std::vector<double>>{chat, mer}));
    QCOMPARE(Titres(f), (std::vector<QString>{"chat", "mer+"}));
    double haut = 0, bas = 0;
    for (const auto& v : {chat, mer})
        for (const double c : v)
            haut = std::max(haut, c), bas = std::min(bas, c);
    QVERIFY(haut > 0); // "mer" and "la" are all of Balzac's part
    QCOMPARE(f.AxeGaucheMin(), bas - 1);
    QCOMPARE(f.AxeGaucheMax(), haut + 1);
    // A group dropped now comes as coefficients too.
    QCOMPARE(banc.Depose(*banc.Glisser({"pain"})), t3uitest::Depot::Accepte);
    QCOMPARE(Valeurs(f).back(), banc.Attendues({"pain"}, t3::ModeVentilation::Specificites));

    // "absolues" brings the frequencies back, as absolute ones.
    banc.Bouton("RBtnAbs")->click();
    QVERIFY(!f.Specificites());
    QVERIFY(banc.Bouton("BtnAffFrq")->isChecked());
    QCOMPARE(f.TitreAxeGauche(), QString("Fréquences absolues"));
    QCOMPARE(Valeurs(f)[0], banc.Attendues({"chat"}, t3::ModeVentilation::Absolues));
    QCOMPARE(Valeurs(f).size(), size_t{3});
    QCOMPARE(f.AxeGaucheMin(), 0.0);
    // "Exporter…" writes the values shown, a column per group: counted here by hand in the text.
    QCOMPARE(t3uitest::Exporte(f.Graphe(), banc.dossier.Chemin("ventilation.csv"), 0),
             (QList<QStringList>{{"Partie", "Taille", "chat", "mer+", "pain"},
                                 {"Balzac&<i", "2", "0", "2", "0"},
                                 {"Hugo", "11", "2", "0", "1"},
                                 {"Zola", "5", "1", "0", "1"}}));

    // From coefficients again, "relatives" brings the relative frequencies back.
    banc.Bouton("BtnAffSpf")->click();
    banc.Bouton("RBtnRel")->click();
    QVERIFY(!f.Specificites());
    QVERIFY(banc.Bouton("BtnAffFrq")->isChecked());
    QCOMPARE(f.TitreAxeGauche(), QString("Fréquences relatives (X 10 000)"));
    QCOMPARE(Valeurs(f)[1], banc.Attendues({"mer", "la"}, t3::ModeVentilation::Relatives));
    // Balzac's two occurrences are both of the group: 10 000 per 10 000.
    QCOMPARE(Valeurs(f)[1][0], 10000.0);
}

void TFenGrapheTgenTest::LeMemeGroupeDeuxFoisEtLesDepotsRefuses() {
    Banc banc(TexteTroisAuteurs);
    QVERIFY(banc.Pret());
    TFenGrapheTgen& f = *banc.fenetre;
    const auto chat = banc.Glisser({"chat"});
    QCOMPARE(banc.Depose(*chat), t3uitest::Depot::Accepte);
    QCOMPARE(banc.Depose(*chat), t3uitest::Depot::Accepte);
    QCOMPARE(f.Groupes().size(), size_t{2});
    QCOMPARE(Valeurs(f).size(), size_t{2});
    QCOMPARE(Valeurs(f)[0], Valeurs(f)[1]);
    banc.Bouton("BtnAffSpf")->click();
    QCOMPARE(Valeurs(f).size(), size_t{2});

    // Anything but a group is refused at the door.
    QMimeData texte;
    texte.setText("chat");
    QCOMPARE(banc.Depose(texte), t3uitest::Depot::RefuseALEntree);
    QCOMPARE(f.Groupes().size(), size_t{2});
}

void TFenGrapheTgenTest::EffacerEtZoom() {
    QString texte;
    for (int p = 0; p < 20; ++p)
        texte += QString("<partie=p%1> %2\n")
                     .arg(p, 2, 10, QChar('0'))
                     .arg(QString(p < 5 ? "chat " : "chien ").repeated(10));
    Banc banc(texte, "partie");
    QVERIFY(banc.Pret());
    TFenGrapheTgen& f = *banc.fenetre;
    QCOMPARE(banc.Bouton("BtnClear")->text(), QString("E&ffacer"));
    QCOMPARE(banc.Bouton("BtnClear")->toolTip(), QString("Effacer le graphique"));
    QCOMPARE(banc.Depose(*banc.Glisser({"chat"})), t3uitest::Depot::Accepte);
    banc.Bouton("BtnAffSpf")->click();
    QCOMPARE(banc.Depose(*banc.Glisser({"chien"})), t3uitest::Depot::Accepte);

    // The arrows work only on a zoomed chart; the zoom keeps the middle half of the parts in view.
    QVERIFY(!banc.Bouton("BtnLeft")->isEnabled() && !banc.Bouton("BtnRight")->isEnabled());
    QCOMPARE(f.AxeBasMin(), -0.5);
    QCOMPARE(f.AxeBasMax(), 19.5);
    const double hautAvant = f.AxeGaucheMax();
    banc.Bouton("BtnZoom")->click();
    QVERIFY(f.Zoome());
    QVERIFY(banc.Bouton("BtnLeft")->isEnabled() && banc.Bouton("BtnRight")->isEnabled());
    QCOMPARE(f.AxeBasMin(), 4.5);
    QCOMPARE(f.AxeBasMax(), 14.5);
    QCOMPARE(f.AxeGaucheMax(), hautAvant); // the whole height stays
    QCOMPARE(f.EtiquettesAxeBas().front(), QString("p05"));
    banc.Bouton("BtnRight")->click();
    QCOMPARE(f.AxeBasMin(), 9.5);
    banc.Bouton("BtnRight")->click(); // no further than the last part
    QCOMPARE(f.AxeBasMin(), 9.5);
    QCOMPARE(f.AxeBasMax(), 19.5);
    for (int i = 0; i < 3; ++i)
        banc.Bouton("BtnLeft")->click();
    QCOMPARE(f.AxeBasMin(), -0.5);
    banc.Bouton("BtnUnZoom")->click();
    QVERIFY(!f.Zoome());
    QVERIFY(!banc.Bouton("BtnLeft")->isEnabled());
    QCOMPARE(f.AxeBasMax(), 19.5);
    QCOMPARE(f.EtiquettesAxeBas().size(), 20);

    // "Effacer": no series, no group, the extremes back to 0.
    QVERIFY(f.Extremes().PlusHaut() != 0 || f.Extremes().PlusBas() != 0);
    banc.Bouton("BtnClear")->click();
    QVERIFY(Valeurs(f).empty());
    QVERIFY(f.Groupes().empty());
    QCOMPARE(f.Extremes().PlusHaut(), 0.0);
    QCOMPARE(f.Extremes().PlusBas(), 0.0);
    banc.Bouton("BtnAffFrq")->click();
    QVERIFY(Valeurs(f).empty());
}

// A thousand parts: at most fifty names under the axis, each under its own part, and a zoomed chart
// names the parts in view.
void TFenGrapheTgenTest::MillePartiesGardentDesNomsLisibles() {
    QString texte;
    for (int p = 0; p < 1000; ++p)
        texte += QString("<partie=p%1> mot%2 mot\n").arg(p, 4, 10, QChar('0')).arg(p % 7);
    Banc banc(texte, "partie");
    QVERIFY(banc.Pret());
    TFenGrapheTgen& f = *banc.fenetre;
    QCOMPARE(banc.Depose(*banc.Glisser({"mot3"})), t3uitest::Depot::Accepte);
    QCOMPARE(Valeurs(f)[0].size(), size_t{1000});
    QTRY_VERIFY(!f.EtiquettesAxeBas().isEmpty());
    QStringList noms = f.EtiquettesAxeBas();
    QVERIFY(noms.size() <= 50);
    QVERIFY(noms.size() >= 5);
    QCOMPARE(noms.front(), QString("p0000"));
    banc.Bouton("BtnZoom")->click();
    banc.Bouton("BtnZoom")->click();
    noms = f.EtiquettesAxeBas();
    QVERIFY(noms.size() <= 50 && noms.size() >= 5);
    for (const QString& nom : noms) {
        const int partie = nom.mid(1).toInt();
        QVERIFY(partie >= f.AxeBasMin() && partie <= f.AxeBasMax());
    }
}

// Groups dragged from one list all take its colour: two series of one colour are told apart on the chart
// and in its legend, in the picture the report takes, as lines and as bars; each keeps its colour.
void TFenGrapheTgenTest::DeuxGroupesDUneCouleurSeDistinguent() {
    // "a" over-used in p1 and p2, "b" in p3 and p4: level lines from p1 to p2, bars of both signs.
    QString texte;
    for (const char* partie : {"p1", "p2", "p3", "p4"}) {
        const bool debut = partie[1] < '3';
        texte += QString("<partie=%1> %2%3\n")
                     .arg(partie, QString("a ").repeated(debut ? 30 : 10),
                          QString("b ").repeated(debut ? 10 : 30));
    }
    Banc banc(texte, "partie");
    QVERIFY(banc.Pret());
    TFenGrapheTgen& f = *banc.fenetre;
    QCOMPARE(banc.Depose(*banc.Glisser({"a"})), t3uitest::Depot::Accepte);
    QCOMPARE(banc.Depose(*banc.Glisser({"b"})), t3uitest::Depot::Accepte);
    const auto couleurs = Champ(f, &TFenGrapheTgen::SerieDessinee::couleur);
    QCOMPARE(couleurs[0], QColor(0, 0, 255));
    QCOMPARE(couleurs[1].hue(), QColor(0, 0, 255).hue());

    const auto ligne = [&](int serie) {
        const double v = Valeurs(f)[static_cast<size_t>(serie)][0];
        const QPoint debut = DansLaVue(f, serie, {0, v}), fin = DansLaVue(f, serie, {1, v});
        return QRect(QPoint(debut.x() + 6, debut.y() - 6), QPoint(fin.x() - 6, fin.y() + 6));
    };
    // The legend is laid out when the events are seen, as on the screen.
    QCoreApplication::processEvents();
    QImage image = f.Graphe()->grab().toImage();
    QVERIFY(Distinctes(image, ligne(0), ligne(1)));
    QVERIFY(Distinctes(image, MarqueLegende(f, "a"), MarqueLegende(f, "b")));

    // Bars: in p1, a's bar above 0 left of the middle, b's below right of it; a patch inside each.
    banc.Bouton("BtnAffSpf")->click();
    const auto barre = [&](int groupe, double decalage) {
        const double v = Valeurs(f)[static_cast<size_t>(groupe)][0];
        return QRect(DansLaVue(f, 0, {decalage - 0.08, v * 0.75}),
                     DansLaVue(f, 0, {decalage + 0.08, v * 0.25}))
            .normalized();
    };
    QVERIFY(Valeurs(f)[0][0] > 0 && Valeurs(f)[1][0] < 0);
    QCoreApplication::processEvents();
    image = f.Graphe()->grab().toImage();
    QVERIFY(Distinctes(image, barre(0, -0.2), barre(1, 0.2)));
    QVERIFY(Distinctes(image, MarqueLegende(f, "a"), MarqueLegende(f, "b")));
}

QTEST_MAIN(TFenGrapheTgenTest)
#include "TFenGrapheTgenTest.moc"
