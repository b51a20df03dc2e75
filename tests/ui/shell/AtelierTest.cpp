// The workbench's seams for its windows: the registry of window kinds (a kind registered here, as a new
// window's file would register it), the Atelier driven through a fake of the services, the group drop
// target that any widget can become, the hourglass and the progress callbacks.
#include "AideUi.h"

#include "engine/corpus/Corpus.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/CalculSegments.h"
#include "engine/explore/ParamSR.h"
#include "engine/explore/SegRep.h"
#include "engine/stats/Tgen.h"
#include "ui/explore/CibleGroupes.h"
#include "ui/explore/TFenChoixDelim.h"
#include "ui/explore/TFenConcor.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/shell/Atelier.h"
#include "ui/shell/BarreEtat.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/RapportCourant.h"
#include "ui/shell/Sablier.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TContainer.h"
#include "ui/shell/TFenPrinc.h"
#include "ui/shell/TFenRuze.h"
#include "ui/shell/TSplashScreen.h"
#include "ui/shell/TacheDeFond.h"
#include "ui/shell/TexteQt.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <stdexcept>

using namespace t3ui;
using t3uitest::DossierCourant;

namespace {

// A window kind of this test only: what a new analysis window adds besides its own files.
int s_creations = 0;
QWidget* CreeEssai(ServicesAtelier&, t3::charg1* base) {
    ++s_creations;
    auto* fenetre = new QLabel(QString::number(base->Nbform()));
    fenetre->setWindowTitle("Essai");
    return fenetre;
}
T3_GENRE_FENETRE(GenreFenetre{.rang = 85,
                              .nom = "BtnEssai",
                              .glyphe = "E",
                              .aide = "Fenêtre d'essai",
                              .menu = "&Traitement",
                              .article = "&Essai",
                              .placeMenu = 4,
                              .cree = CreeEssai});

// The services a window or the Atelier asks for, recorded instead of shown.
class ServicesTemoins : public ServicesAtelier {
  public:
    QStringList statuts;
    int pas = 0;
    t3::Corpus* corpus = nullptr;
    t3::charg1* chargeur = nullptr;

    QWidget* Cadre() override { return nullptr; }
    void SetStatusText(const QString& texte) override { statuts << texte; }
    void ResetProgress() override { statuts << "<remise à zéro>"; }
    std::function<void(int32_t)> Etapes(int n) override {
        return [this, n](int32_t) { pas += n; };
    }
    void DockeDansListesGauche(QWidget*, const QString&) override {}
    QMdiSubWindow* AjouteFenetre(QWidget*) override { return nullptr; }
    void AmeneAuPremierPlan(QWidget*) override {}
    void Mosaique() override {}
    TFenNavig* Navigation() override { return nullptr; }
    t3::Corpus& CorpusModele() override { return *corpus; }
    t3::charg1* Chargeur() override { return chargeur; }
    RapportCourant* Rapport() override { return nullptr; }
    const t3::Tgen* GroupeCourant() const override { return nullptr; }
};

class RapportVide : public RapportCourant {
  public:
    bool Sauve() const override { return m_sauve; }
    bool Publie(QString&) override { return m_sauve = true; }
    QString Dossier() const override { return {}; }
    void Ajoute(const QString&, const QString&, const QString&, const QString&) override { m_sauve = false; }

  private:
    bool m_sauve = true;
};

QStringList Articles(QMenu* menu) {
    QStringList textes;
    for (QAction* action : menu->actions())
        textes << action->text();
    return textes;
}

} // namespace

class AtelierTest : public QObject {
    Q_OBJECT
  private slots:
    void UnGenreDeFenetreEnregistreDonneSonBoutonEtSonArticle();
    void LAtelierOuvreUneBaseParLesServicesQuIlRecoit();
    void LesSegmentsDUneBaseVontASonDossier();
    void UnWidgetQuelconqueDevientCibleDeGroupes();
    void LeSablierNeResteJamais();
    void LAccueilEstPeintAvantLAttente();
    void LaJaugeAvanceLaBarreDeSonPas();
    void UneCommandeLongueAnnuleeLaisseToutCommeAvant();
    void LesCaracteresInvisiblesSontMarquesALEcranSeulement();
    void LesMessagesDuMoteurSontDesPhrases();
};

void AtelierTest::UnGenreDeFenetreEnregistreDonneSonBoutonEtSonArticle() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    fenetre.show();
    auto* bouton = fenetre.findChild<QToolButton*>("BtnEssai");
    QVERIFY(bouton);
    QCOMPARE(bouton->toolTip(), QString("Fenêtre d'essai"));
    QMenu* traitement = fenetre.menuBar()->findChild<QMenu*>("&Traitement");
    QVERIFY(traitement);
    // The kinds placed in the menu first, then the other analysis commands, each also in the menu.
    QCOMPARE(Articles(traitement).mid(0, 4),
             (QStringList{"Carte des &sections", "&Partition", "&Concordance", "&Essai"}));
    QVERIFY(Articles(traitement).contains("Segments Répétés"));
    // One command for the button and the menu item: both wait for a base.
    QAction* essai = fenetre.CommandeNommee("BtnEssai");
    QCOMPARE(bouton->defaultAction(), essai);
    QCOMPARE(traitement->actions().at(3), essai);
    QVERIFY(!essai->isEnabled() && !bouton->isEnabled());
    // The menu's commands are those of the buttons, with their shortcut.
    QCOMPARE(traitement->actions().at(1), fenetre.CommandeNommee("BtnPart"));
    QCOMPARE(fenetre.CommandeNommee("BtnPart")->shortcut(), QKeySequence("Ctrl+P"));
    QCOMPARE(traitement->actions().at(0), fenetre.CommandeNommee("BtnParag"));

    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("Le chat. Le chien.\n")));
    QVERIFY(bouton->isEnabled());
    const int avant = s_creations;
    const int enfants = fenetre.Mdi()->subWindowList().size();
    traitement->actions().at(3)->trigger();
    QCOMPARE(s_creations, avant + 1);
    // An MDI child of the current sheet, made on the open base.
    QCOMPARE(fenetre.Mdi()->subWindowList().size(), enfants + 1);
    auto* ouverte = qobject_cast<QLabel*>(fenetre.Mdi()->subWindowList().last()->widget());
    QVERIFY(ouverte);
    QCOMPARE(ouverte->text(), QString("3"));
    QVERIFY(ouverte->isVisible());
}

void AtelierTest::LAtelierOuvreUneBaseParLesServicesQuIlRecoit() {
    DossierCourant dossier;
    ServicesTemoins services;
    const t3::charg1* base = nullptr;
    int rapports = 0;
    Atelier atelier(services, [&](const t3::charg1* b) {
        base = b;
        ++rapports;
        return std::make_unique<RapportVide>();
    });
    QStringList signaux;
    connect(&atelier, &Atelier::BaseChargee, [&](const QString&, t3::charg1*) { signaux << "chargée"; });
    connect(&atelier, &Atelier::BaseEnPlace, [&](const QString&, t3::charg1*) { signaux << "ouverte"; });

    QStringList taches;
    connect(&TachesDeFond::Instance(), &TachesDeFond::Commencee, &atelier,
            [&](const QString& texte) { taches << texte; });
    connect(&TachesDeFond::Instance(), &TachesDeFond::Finie, &atelier, [&] { taches << "<fin>"; });
    QVERIFY(atelier.OuvreBase(t3uitest::Base("Le chat. Le chien.\n")));
    // The base loads as a long command, which the status bar follows; then the workbench is ready.
    QCOMPARE(taches, (QStringList{"Chargement des données", "<fin>"}));
    QCOMPARE(services.statuts, QStringList{"Prêt"});
    QCOMPARE(signaux, (QStringList{"chargée", "ouverte"}));
    QCOMPARE(base, atelier.Chargeur());
    QCOMPARE(atelier.CorpusModele().NbChargeurs(), 1);

    // A base that cannot be read: its message, titled with its path, and the open base stays.
    t3uitest::Ecrit("abime.par", "n'importe quoi\n");
    QVERIFY(!atelier.OuvreBase("abime.par"));
    QVERIFY(Dialogues::MessagesAffiches().last().endsWith("|Erreur de lecture du fichier de paramètres"));
    QCOMPARE(atelier.Chargeur(), base);

    // The one question about an unsaved report, before it is replaced and before closing.
    atelier.Rapport()->Ajoute("p", "p.html", "");
    Dialogues::RepondBouton(QMessageBox::Cancel);
    QVERIFY(!atelier.AccepteFermeture());
    Dialogues::RepondBouton(QMessageBox::Yes);
    QVERIFY(atelier.OuvreBase(t3uitest::Base("a b a\n", "autre")));
    QCOMPARE(rapports, 2);
    const QString question = "Tessaron3|Le rapport a été modifié.\nVoulez-vous le sauvegarder ?";
    QCOMPARE(Dialogues::MessagesAffiches().count(question), 2);
    QVERIFY(atelier.AccepteFermeture()); // the new report is saved: no question
    QCOMPARE(Dialogues::MessagesAffiches().count(question), 2);
}

void AtelierTest::LesSegmentsDUneBaseVontASonDossier() {
    DossierCourant dossier;
    QDir().mkdir("a");
    QDir().mkdir("b");
    QDir::setCurrent("a");
    const QString baseA = t3uitest::Base("le chat dort . le chat dort . le chien\n", "a");
    QDir::setCurrent("../b");
    const QString baseB = t3uitest::Base("un deux un deux\n", "b");
    TFenPrinc fenetre;
    QVERIFY(fenetre.Bases().OuvreBase(baseA));
    QVERIFY(fenetre.Bases().OuvreBase(baseB));
    QCOMPARE(QDir::currentPath(), QDir(dossier.Chemin("b")).absolutePath());

    // The segments of the base opened first go beside it, not into the current folder.
    t3::charg1* a = fenetre.CorpusModele().Chargeur(0);
    const auto calcul = t3::CalculeSegments(*a, t3::JeuDelimiteursSR(*a), 2, 2);
    QVERIFY(calcul);
    const t3::CalculSegments& segments = **calcul;
    a->AssigneSR(&segments);
    QVERIFY(QFileInfo::exists(dossier.Chemin("a/a.loc.sr")));
    QVERIFY(!QFileInfo::exists(dossier.Chemin("b/a.loc.sr")));
    QCOMPARE(segments.NbSegments(), 1); // "le chat dort"

    // Its text view reads them back from there: the segment dropped on it is highlighted.
    TFenRuze* vue = nullptr;
    for (QMdiSubWindow* sous : fenetre.Mdi()->subWindowList())
        if (auto* texte = qobject_cast<TFenRuze*>(sous->widget()); texte && !vue) vue = texte;
    QVERIFY(vue);
    TTgenDragObject segment(nullptr, "", t3::CouleurRGB(0, 0, 255), 1);
    segment.SetBase(a);
    segment.Ajoute(a->Nbart() + 1);
    vue->HTMLEditDrop(segment);
    QVERIFY(vue->Groupe());
    QCOMPARE(vue->Groupe()->NbOcc(), 2);

    // Once another computation is attached, the entry of the first one is refused, not read as
    // whatever segment the new computation numbers so.
    const auto second = t3::CalculeSegments(*a, t3::JeuDelimiteursSR(*a), 2, 2);
    QVERIFY(second);
    a->AssigneSR(second->get());
    const t3::Tgen* avant = vue->Groupe();
    Dialogues::Oublie();
    Dialogues::RepondBouton(QMessageBox::Ok);
    vue->HTMLEditDrop(segment);
    QCOMPARE(vue->Groupe(), avant);
    QCOMPARE(Dialogues::MessagesAffiches(), QStringList{"Tessaron3|" + SegmentsPerimes});
    a->AssigneSR(nullptr);
}

void AtelierTest::UnWidgetQuelconqueDevientCibleDeGroupes() {
    QTextEdit zone; // a scroll area: drags arrive on its viewport
    QObject source;
    std::vector<int32_t> recues;
    CibleGroupes::Installe(&zone, [&](const TTgenDragObject& objet) {
        recues = objet.Entrees();
        return true;
    });
    QVERIFY(zone.viewport()->acceptDrops());
    TTgenDragObject groupe(&source, "g", 0, 2);
    groupe.Ajoute(4);
    groupe.Ajoute(1);
    QMimeData texte;
    texte.setText("chat");

    // Any other payload is refused as it enters: the text edit does not take the text either.
    QCOMPARE(t3uitest::Depose(zone.viewport(), &texte), t3uitest::Depot::RefuseALEntree);
    QVERIFY(recues.empty());
    QVERIFY(zone.toPlainText().isEmpty());
    QCOMPARE(t3uitest::Depose(zone.viewport(), &groupe), t3uitest::Depot::Accepte);
    QCOMPARE(recues, (std::vector<int32_t>{4, 1}));

    // A target that refuses a source, as the container refuses its own drags; and a drop the window
    // turns down after all.
    QLabel cible;
    bool appele = false;
    CibleGroupes::Installe(
        &cible,
        [&](const TTgenDragObject&) {
            appele = true;
            return false;
        },
        &source);
    QCOMPARE(t3uitest::Depose(&cible, &groupe), t3uitest::Depot::RefuseALEntree);
    QVERIFY(!appele);
    QObject autreSource;
    TTgenDragObject autre(&autreSource, "h", 0, 1);
    autre.Ajoute(0);
    QCOMPARE(t3uitest::Depose(&cible, &autre), t3uitest::Depot::Refuse);
    QVERIFY(appele);
}

void AtelierTest::LeSablierNeResteJamais() {
    QVERIFY(!QApplication::overrideCursor());
    try {
        Sablier sablier;
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        throw std::runtime_error("abandon");
    } catch (const std::runtime_error&) {
    }
    QVERIFY(!QApplication::overrideCursor());
}

void AtelierTest::LAccueilEstPeintAvantLAttente() {
    TSplashScreen accueil;
    accueil.MontreEtPeint();
    // Painted on screen before the program waits without handling any event.
    QVERIFY(accueil.NbPeinturesVisibles() > 0);
}

void AtelierTest::LaJaugeAvanceLaBarreDeSonPas() {
    std::function<void(int32_t)> jauge;
    {
        QStatusBar barre;
        BarreEtat etat(&barre);
        auto parDeux = etat.Jauge(2);
        jauge = etat.Jauge(1);
        for (int i = 0; i < 3; ++i)
            parDeux(0);
        jauge(0);
        QCOMPARE(etat.Progression()->value(), 7);
        for (int i = 0; i < 300; ++i)
            jauge(0);
        QCOMPARE(etat.Progression()->value(), 200); // the bar stops at its end
        etat.ResetProgress();
        QCOMPARE(etat.Progression()->value(), 0);
    }
    jauge(0); // a computation that outlives the bar steps nothing
}

// The opening of a base and a segmentation run off the interface thread, "Annuler" at hand and the
// commands that would conflict disabled; cancelled, or stopped by closing the workbench, they leave the
// bases, their files and their windows as they were.
void AtelierTest::UneCommandeLongueAnnuleeLaisseToutCommeAvant() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    fenetre.show();
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("Le chat. Le chien.\n", "premiere")));
    const t3::charg1* ouverte = fenetre.Bases().Chargeur();
    const int enfants = fenetre.Mdi()->subWindowList().size();
    auto* annuler = fenetre.findChild<QToolButton*>("BtnAnnulerCommande");
    QVERIFY(annuler && !annuler->isVisible());
    const QString seconde = t3uitest::Base("Une autre base .\n", "seconde");
    QStringList vues;
    const auto pendant = [&](const QString& commande, const std::function<void()>& arrete) {
        return connect(&TachesDeFond::Instance(), &TachesDeFond::Commencee, &fenetre,
                       [&, commande, arrete](const QString& texte) {
                           if (texte != commande) return;
                           vues << QString("%1 %2 %3 %4")
                                       .arg(texte)
                                       .arg(annuler->isVisible())
                                       .arg(fenetre.CommandeNommee("BtnOuvrir")->isEnabled())
                                       .arg(fenetre.CommandeNommee("HelpBtn")->isEnabled());
                           arrete();
                       });
    };

    auto connexion = pendant("Chargement des données", [annuler] { annuler->click(); });
    QVERIFY(!fenetre.Bases().OuvreBase(seconde));
    disconnect(connexion);
    QCOMPARE(fenetre.Bases().Chargeur(), ouverte);
    QCOMPARE(fenetre.Bases().CorpusModele().NbChargeurs(), 1);
    QCOMPARE(fenetre.Mdi()->subWindowList().size(), enfants);

    // The first text segmented again, cancelled once its keys are verified: its base is untouched.
    const QStringList fichiers = {"premiere.par", "premiere.dic", "premiere.num"};
    QList<QByteArray> avant;
    for (const QString& f : fichiers)
        avant << t3uitest::Lit(f);
    connexion = pendant("Segmentation", [annuler] { annuler->click(); });
    Dialogues::RepondDialogue(QDialog::Accepted); // the delimiters as they are
    QVERIFY(!fenetre.Bases().CreeBase("premiere.txt"));
    disconnect(connexion);
    for (int i = 0; i < fichiers.size(); ++i)
        QCOMPARE(t3uitest::Lit(fichiers[i]), avant[i]);
    QCOMPARE(fenetre.Bases().Chargeur(), ouverte);

    // The repeated segments, a pattern's concordance and the sections at the full stop, each cancelled:
    // no segments attached, no group searched, no set of sections, no window added.
    connexion = pendant("Calcul des segments répétés", [annuler] { annuler->click(); });
    Dialogues::RepondDialogue(QDialog::Accepted); // the default thresholds
    fenetre.CommandeNommee("BtnSR")->trigger();
    disconnect(connexion);
    QVERIFY(!ouverte->Segments());
    QCOMPARE(fenetre.Mdi()->subWindowList().size(), enfants);
    fenetre.CommandeNommee("BtnDocu")->trigger();
    auto* concordance = fenetre.findChild<TFenConcor*>();
    QVERIFY(concordance);
    connexion = pendant("Recherche de ^ch", [annuler] { annuler->click(); });
    concordance->ChkExpRep()->setChecked(true);
    concordance->EdForme()->setText("^ch");
    emit concordance->EdForme()->returnPressed();
    disconnect(connexion);
    QVERIFY(!concordance->GroupeCourant());
    const int avecConcordance = fenetre.Mdi()->subWindowList().size();
    connexion = pendant("Calcul des sections", [annuler] { annuler->click(); });
    Dialogues::RepondDialogue(QDialog::Accepted, [](QDialog* dialogue) {
        auto* liste = static_cast<TFenChoixDelim*>(dialogue)->ListDelims();
        liste->item(0)->setSelected(true);
        dialogue->findChild<QPushButton*>("BtnValide")->click();
    });
    fenetre.CommandeNommee("BtnParag")->trigger();
    disconnect(connexion);
    QCOMPARE(fenetre.Bases().CorpusModele().NbSections(), 0);
    QCOMPARE(fenetre.Mdi()->subWindowList().size(), avecConcordance);

    // Closing the workbench during a command asks first, then stops it and closes.
    connexion = pendant("Chargement des données", [&fenetre] {
        Dialogues::RepondBouton(QMessageBox::Yes);
        fenetre.close();
    });
    QVERIFY(!fenetre.Bases().OuvreBase(seconde));
    disconnect(connexion);
    QCOMPARE(fenetre.Bases().Chargeur(), ouverte);
    QTRY_VERIFY(!fenetre.isVisible());

    const QString attendu = " 1 0 1";
    QCOMPARE(vues, (QStringList{"Chargement des données" + attendu, "Segmentation" + attendu,
                                "Calcul des segments répétés" + attendu, "Recherche de ^ch" + attendu,
                                "Calcul des sections" + attendu, "Chargement des données" + attendu}));
    QVERIFY(!annuler->isVisible() && fenetre.CommandeNommee("BtnOuvrir")->isEnabled());
}

// "sécurité" and "sécurité" + a no-break space no longer look alike in a list; the hint says why, and
// the stored text is untouched.
void AtelierTest::LesCaracteresInvisiblesSontMarquesALEcranSeulement() {
    const std::string insecable = "s\xE9\x63urit\xE9\xA0", controle = "a\x81z";
    QCOMPARE(GraphieAffichee(insecable, Qt::DisplayRole).toString(), QString("sécurité\u2423"));
    QVERIFY(GraphieAffichee(insecable, Qt::ToolTipRole).toString().contains("espace insécable"));
    QCOMPARE(GraphieAffichee(controle, Qt::DisplayRole).toString(), QString("a\u25A1z"));
    QVERIFY(!GraphieAffichee("s\xE9\x63urit\xE9", Qt::ToolTipRole).isValid());
    QCOMPARE(VersQt(insecable), QString("sécurité\u00A0"));
}

// An engine's message is shown as a sentence in every window.
void AtelierTest::LesMessagesDuMoteurSontDesPhrases() {
    QCOMPARE(Dialogues::Phrase("la liste « l » ne peut être lue : c'est un dossier"),
             QString("La liste « l » ne peut être lue : c'est un dossier."));
    QCOMPARE(Dialogues::Phrase("Déjà une phrase."), QString("Déjà une phrase."));
    QCOMPARE(Dialogues::Phrase("élan ?"), QString("Élan ?"));
}

QTEST_MAIN(AtelierTest)
#include "AtelierTest.moc"
