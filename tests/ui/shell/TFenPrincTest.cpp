// The main window driven as a user would: opening and creating bases, the navigation tree, the sheets,
// the container of groups, the options, the panel and the closing question.
#include "AideUi.h"
#include "GardeOptions.h"

#include "engine/Globaux.h"
#include "engine/corpus/Corpus.h"
#include "engine/corpus/Partition.h"
#include "engine/stats/Tgen.h"
#include "ui/explore/TFenDicNum.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/segmentation/TFenChoixDelimForme.h"
#include "ui/segmentation/TFenOpt.h"
#include "ui/shell/AideContextuelle.h"
#include "ui/shell/Atelier.h"
#include "ui/shell/BarreEtat.h"
#include "ui/shell/Chemins.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/FenetreRapport.h"
#include "ui/shell/Feuilles.h"
#include "ui/shell/PanneauGauche.h"
#include "ui/shell/RapportCourant.h"
#include "ui/shell/TContainer.h"
#include "ui/shell/TFenNavig.h"
#include "ui/shell/TFenPrinc.h"
#include "ui/shell/TFenRuze.h"
#include "ui/shell/TexteQt.h"
#include "ui/stats/TFenChoixPart.h"
#include "ui/stats/TFenStatPart.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

using namespace t3ui;
using t3uitest::DossierCourant;
using t3uitest::Enfants;

namespace {

// A report that only records what the closing question did with it.
class RapportTemoin : public RapportCourant {
  public:
    explicit RapportTemoin(bool* publie) : m_publie(publie) {}
    bool Sauve() const override { return false; }
    bool Publie(QString&) override {
        *m_publie = true;
        return true;
    }
    QString Dossier() const override { return {}; }
    void Ajoute(const QString&, const QString&, const QString&, const QString&) override {}

  private:
    bool* m_publie;
};

QWidget* FenetreSimple(TFenPrinc& fenetre, const QString& titre) {
    auto* w = new QWidget;
    w->setWindowTitle(titre);
    fenetre.AjouteFenetre(w);
    return w;
}

TTgenDragObject* Groupe(QObject* source, const char* nom, t3::Couleur couleur,
                        std::initializer_list<int32_t> entrees) {
    auto* objet = new TTgenDragObject(source, nom, couleur, static_cast<int32_t>(entrees.size()));
    for (int32_t e : entrees)
        objet->Ajoute(e);
    return objet;
}

} // namespace

class TFenPrincTest : public QObject {
    Q_OBJECT
  private slots:
    void OuvrirUneBaseRemplitNavigationFeuilleEtDictionnaire();
    void UneBaseIllisibleDonneLeMessageEtGardeLaPrecedente();
    void DesClesFautivesNeCreentRien();
    void CreerUneBaseSegmenteEtOuvre();
    void UneSegmentationQuiEchoueLaisseLAtelierEnMarche();
    void LaLigneDeCommandeOuvreOuSegmente();
    void LesFeuillesGardentLeursFenetres();
    void ChaqueBaseOuvreSaFeuille();
    void LesVuesFermeesReviennentEtUneBaseNeSOuvrePasDeuxFois();
    void UnGroupeDUneAutreBasePasseParSesGraphies();
    void LeContainerGardeLesVingtDerniersGroupes();
    void LaNavigationAmeneSaFenetreEtOublieLesFermees();
    void LesOptionsVontAuxReglages();
    void LeBoutonRetreciPlieEtDeplieLePanneau();
    void LesFenetresDesBasesSeDistinguentEtRestentVisibles();
    void LaQuestionDeFermeture();
    void AjouterAuRapportVaALaFenetreActive();
    void UnePageFlotteEtRevient();
    void LeMenuDesCaracteristiquesSuitLesPartitions();
    void LeCadreTientDansLEcranEtChaqueCommandeEstAPortee();
    void LesFeuillesEtLesIconesRestentOuLUtilisateurLesVeut();
    void LAideSOuvreALaSectionDeLaFenetre();
};

void TFenPrincTest::OuvrirUneBaseRemplitNavigationFeuilleEtDictionnaire() {
    DossierCourant dossier;
    const QString par = t3uitest::Base("Le chat. Le chien.\n");
    TFenPrinc fenetre;
    QVERIFY(!fenetre.findChild<QToolButton*>("BtnDocu")->isEnabled());
    QVERIFY(fenetre.findChild<QToolButton*>("BtnSegment")->isEnabled());
    QCOMPARE(fenetre.FeuillesCadre().Onglets()->count(), 0);
    QVERIFY(fenetre.Bases().OuvreBase(par));

    QTreeWidget* arbre = fenetre.Navigation()->TreePages();
    QCOMPARE(arbre->topLevelItemCount(), 1);
    QCOMPARE(arbre->topLevelItem(0)->text(0), QFileInfo(par).absoluteFilePath());
    QCOMPARE(Enfants(arbre->topLevelItem(0)),
             (QStringList{"Texte", "Dictionnaire", "Cartes Sections", "Partitions"}));
    QCOMPARE(fenetre.FeuillesCadre().Onglets()->count(), 1);
    QCOMPARE(fenetre.FeuillesCadre().Onglets()->tabText(0), QString("Feuille 1"));
    QCOMPARE(fenetre.Etat().TexteStatut(1), QString("Prêt"));
    QCOMPARE(fenetre.Etat().TexteStatut(2), QFileInfo(par).absoluteFilePath());
    for (const char* nom : {"BtnParag", "BtnDocu", "BtnPCLC", "BtnPart", "BtnSR", "BtnNvFeuille",
                            "BtnVaVersFeuille", "BtnSelFormes", "BtnAjouteRap"})
        QVERIFY2(fenetre.findChild<QToolButton*>(nom)->isEnabled(), nom);

    // The dictionary is the last page of the left panel, and the one shown.
    QTabWidget* listes = fenetre.Panneau()->ListesGauche();
    QCOMPARE(listes->count(), 3);
    QCOMPARE(listes->tabText(2), QString("Dictionnaire"));
    QCOMPARE(listes->currentIndex(), 2);
    auto* dico = qobject_cast<TFenDicNum*>(listes->widget(2));
    QVERIFY(dico);
    QCOMPARE(dico->StatusBar1()->currentMessage(), QString("4 formes"));

    // A second base: a second item with its own four children, a second sheet and dictionary.
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("a b a\n", "autre")));
    QCOMPARE(arbre->topLevelItemCount(), 2);
    QCOMPARE(arbre->topLevelItem(1)->childCount(), 4);
    QCOMPARE(fenetre.FeuillesCadre().Onglets()->tabText(1), QString("Feuille 2"));
    QCOMPARE(listes->count(), 4);
    QCOMPARE(fenetre.CorpusModele().NbChargeurs(), 2);
    // The first dictionary still reads its own base.
    QCOMPARE(dico->Modele()->data(dico->Modele()->index(0, 0), Qt::DisplayRole).toString(), QString("Le"));
}

void TFenPrincTest::UneBaseIllisibleDonneLeMessageEtGardeLaPrecedente() {
    DossierCourant dossier;
    const QString bonne = t3uitest::Base("Le chat. Le chien.\n");
    TFenPrinc fenetre;
    QVERIFY(fenetre.Bases().OuvreBase(bonne));
    t3::charg1* chargeur = fenetre.Chargeur();
    t3uitest::Ecrit("abime.par", "n'importe quoi\n");
    QVERIFY(!fenetre.Bases().OuvreBase("abime.par"));
    const QString chemin = QFileInfo("abime.par").absoluteFilePath();
    QCOMPARE(Dialogues::MessagesAffiches().last(), chemin + "|Erreur de lecture du fichier de paramètres");
    QCOMPARE(fenetre.Chargeur(), chargeur);
    QCOMPARE(fenetre.Navigation()->TreePages()->topLevelItemCount(), 1);
    QCOMPARE(fenetre.FeuillesCadre().Onglets()->count(), 1);
    QVERIFY(fenetre.findChild<QToolButton*>("BtnDocu")->isEnabled());
}

void TFenPrincTest::DesClesFautivesNeCreentRien() {
    DossierCourant dossier;
    t3uitest::Ecrit("cles.txt", "<titre=un\nLe chat.\n<=mars> x\n");
    TFenPrinc fenetre;
    QVERIFY(!fenetre.Bases().CreeBase("cles.txt"));
    QCOMPARE(Dialogues::MessagesAffiches(),
             QStringList{"Tessaron3|Problème dans les clefs.\nConsultez atrace.txt"});
    QVERIFY(!QFileInfo::exists("cles.par"));
    QVERIFY(!QFileInfo::exists("cles.dic"));
    QVERIFY(t3uitest::Lit("atrace.txt").size() > 0);
    QCOMPARE(fenetre.FeuillesCadre().Onglets()->count(), 0);
    // The report of the faulty keys is shown where it is read, read-only and copyable: the next
    // opening of a base starts the trace anew.
    auto* trace = fenetre.findChild<QPlainTextEdit*>("FenTraceCles");
    QVERIFY(trace);
    QVERIFY(trace->isReadOnly());
    QCOMPARE(trace->toPlainText(), VersQt(t3uitest::Lit("atrace.txt").toStdString()));
    QVERIFY(trace->toPlainText().contains("<titre=un"));
}

void TFenPrincTest::CreerUneBaseSegmenteEtOuvre() {
    DossierCourant dossier;
    t3uitest::Ecrit("notes.v2.txt", "<titre=a> chemin faisant\n");
    TFenPrinc fenetre;
    // Cancelling the delimiter dialog writes nothing.
    Dialogues::RepondDialogue(QDialog::Rejected);
    QVERIFY(!fenetre.Bases().CreeBase("notes.v2.txt"));
    QVERIFY(!QFileInfo::exists("notes.v2.par"));
    // The delimiter dialog opens with the default delimiters. A character that a base cannot hold is
    // named and the dialog stays open; "e" added instead cuts chemin into ch, e, min.
    QString proposes;
    Dialogues::RepondDialogue(QDialog::Accepted, [&](QDialog* d) {
        auto* dialogue = static_cast<TFenChoixDelimForme*>(d);
        proposes = dialogue->EdDelims()->text();
        dialogue->EdDelims()->setText(proposes + "→");
    });
    Dialogues::RepondDialogue(QDialog::Accepted, [&](QDialog* d) {
        auto* dialogue = static_cast<TFenChoixDelimForme*>(d);
        QCOMPARE(dialogue->EdDelims()->text(), proposes + "→");
        dialogue->EdDelims()->setText(proposes + "e");
    });
    QVERIFY(fenetre.Bases().CreeBase("notes.v2.txt"));
    QCOMPARE(VersCp1252(proposes), std::string(t3::DelimParDefaut));
    QCOMPARE(Dialogues::MessagesAffiches().last(),
             QString("Tessaron3|Ces caractères ne peuvent servir de "
                     "délimiteurs (ils n'existent pas en Windows-1252) : →"));
    QVERIFY(QFileInfo::exists("notes.v2.par"));
    QVERIFY(fenetre.Chargeur());
    QVERIFY(fenetre.Chargeur()->LocFormDic("ch") >= 0);
    QVERIFY(fenetre.Chargeur()->LocFormDic("min") >= 0);
    // Opening the base started the trace afresh: the loader's lines only.
    QVERIFY(!t3uitest::Lit("atrace.txt").contains("egmentation"));

    // Segmented again while open, with a partition and its windows: the new base takes the old one's
    // place, its sheet and its item; the old one's windows and partition are gone.
    const t3::charg1* ancienne = fenetre.Chargeur();
    QVERIFY(OuvrePartition(fenetre, fenetre.Chargeur(), ancienne->Nbform() + ancienne->Nbartponct()));
    t3uitest::Ecrit("notes.v2.txt", "<titre=a> chemin faisant autrement\n");
    Dialogues::RepondDialogue(QDialog::Accepted);
    QVERIFY(fenetre.Bases().CreeBase("notes.v2.txt"));
    QVERIFY(fenetre.Chargeur()->LocFormDic("autrement") >= 0);
    QCOMPARE(fenetre.CorpusModele().NbChargeurs(), 1);
    QCOMPARE(fenetre.CorpusModele().NbPartitions(), 0);
    QCOMPARE(fenetre.FeuillesCadre().Onglets()->count(), 1);
    QTreeWidget* arbre = fenetre.Navigation()->TreePages();
    QCOMPARE(arbre->topLevelItemCount(), 1);
    QCOMPARE(fenetre.Navigation()->BaseDeNoeud(arbre->topLevelItem(0)), fenetre.Chargeur());
    QCOMPARE(fenetre.findChildren<TFenStatPart*>().size(), 0);
    QList<QWidget*> fenetres;
    for (QMdiSubWindow* sous : fenetre.Mdi()->subWindowList())
        fenetres << sous->widget();
    // After the panel's own pages, "Navigation" and "Rapport".
    for (int i = 2; i < fenetre.Panneau()->ListesGauche()->count(); ++i)
        fenetres << fenetre.Panneau()->ListesGauche()->widget(i);
    QVERIFY(!fenetres.isEmpty());
    for (const QWidget* restante : fenetres)
        QCOMPARE(BaseDeFenetre(restante), fenetre.Chargeur());
}

void TFenPrincTest::UneSegmentationQuiEchoueLaisseLAtelierEnMarche() {
    DossierCourant dossier;
    t3uitest::Ecrit("vingt.txt", "a b c d e f g h i j k l m n o p q r s t\n");
    TFenPrinc fenetre;
    t3test::GardeOptions garde;
    t3::Options.Maxart = 10;
    // The capacity runs out: the user is told what the text needs and may decline.
    const QString question =
        "Tessaron3|Le texte compte 20 articles, plus que le nombre maximum d'articles (10).\n"
        "Voulez-vous le segmenter avec 20 articles ?";
    Dialogues::RepondDialogue(QDialog::Accepted);
    Dialogues::RepondBouton(QMessageBox::No);
    QVERIFY(!fenetre.Bases().CreeBase("vingt.txt"));
    QCOMPARE(Dialogues::MessagesAffiches(), QStringList{question});
    QVERIFY(!QFileInfo::exists("vingt.par"));
    QCOMPARE(fenetre.FeuillesCadre().Onglets()->count(), 0);
    // Or accept: the text is segmented with that capacity and opened; the option is left as it was.
    Dialogues::RepondDialogue(QDialog::Accepted);
    Dialogues::RepondBouton(QMessageBox::Yes);
    QVERIFY(fenetre.Bases().CreeBase("vingt.txt"));
    QVERIFY(QFileInfo::exists("vingt.par"));
    QCOMPARE(fenetre.Chargeur()->Nbform(), 20);
    QCOMPARE(t3::Options.Maxart, 10);
    // An unreadable text is said so, in French.
    QVERIFY(!fenetre.Bases().CreeBase("absent.txt"));
    QVERIFY(Dialogues::MessagesAffiches().last().contains("ne peut pas être lu"));
}

void TFenPrincTest::LaLigneDeCommandeOuvreOuSegmente() {
    DossierCourant dossier;
    QDir().mkdir("sous");
    QDir::setCurrent("sous");
    t3uitest::Base("Le chat. Le chien.\n");
    t3uitest::Ecrit("texte.PAR", "Le chat.\n");
    QDir::setCurrent(dossier.Chemin());
    {
        // A relative path with words after it: the base opens and its folder becomes current.
        TFenPrinc fenetre;
        fenetre.Bases().TraiteLigneCommande("sous/corpus.par et la suite");
        QCOMPARE(fenetre.Navigation()->TreePages()->topLevelItemCount(), 1);
        QCOMPARE(QDir::current().absolutePath(), QDir(dossier.Chemin("sous")).absolutePath());
    }
    {
        // ".PAR" is not ".par": the file is a text to segment.
        TFenPrinc fenetre;
        Dialogues::RepondDialogue(QDialog::Accepted);
        fenetre.Bases().TraiteLigneCommande(dossier.Chemin("sous/texte.PAR"));
        QVERIFY(QFileInfo::exists(dossier.Chemin("sous/texte.par")));
        QCOMPARE(fenetre.Navigation()->TreePages()->topLevelItemCount(), 1);
    }
    {
        // A path that does not exist changes the folder, and the user is told.
        QDir::setCurrent(dossier.Chemin());
        TFenPrinc fenetre;
        fenetre.Bases().TraiteLigneCommande(dossier.Chemin("sous/rien.par"));
        QCOMPARE(QDir::current().absolutePath(), QDir(dossier.Chemin("sous")).absolutePath());
        QCOMPARE(fenetre.Navigation()->TreePages()->topLevelItemCount(), 0);
        QCOMPARE(Dialogues::MessagesAffiches().last(),
                 "Tessaron3|La base « " + dossier.Chemin("sous/rien.par") + " » est introuvable.");
    }
    {
        // The program's arguments bring a path whole, blanks included.
        QDir().mkdir(dossier.Chemin("mon dossier"));
        QDir::setCurrent(dossier.Chemin("mon dossier"));
        const QString par = t3uitest::Base("Le chat.\n", "mon corpus");
        QDir::setCurrent(dossier.Chemin());
        TFenPrinc fenetre;
        fenetre.Bases().TraiteArguments({par});
        QCOMPARE(fenetre.Navigation()->TreePages()->topLevelItemCount(), 1);
        fenetre.Bases().TraiteArguments({dossier.Chemin("absent.txt")});
        QCOMPARE(Dialogues::MessagesAffiches().last(),
                 "Tessaron3|Le fichier « " + dossier.Chemin("absent.txt") + " » est introuvable.");
    }
}

void TFenPrincTest::LesFeuillesGardentLeursFenetres() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    fenetre.show();
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("Le chat. Le chien.\n")));
    QTabBar* onglets = fenetre.FeuillesCadre().Onglets();
    QWidget* a = FenetreSimple(fenetre, "a");
    QWidget* b = FenetreSimple(fenetre, "b");
    QWidget* c = FenetreSimple(fenetre, "c");
    // A new sheet becomes the current one, empty: the windows of the sheet left wait on it.
    fenetre.FeuillesCadre().AjouteFeuille();
    QCOMPARE(onglets->tabText(1), QString("Feuille 2"));
    QCOMPARE(onglets->currentIndex(), 1);
    QCOMPARE(fenetre.FeuillesCadre().FenetresFeuille(0).size(), 4); // the text view and the three windows
    QVERIFY(!a->isVisible() && !b->isVisible() && !c->isVisible());
    QWidget* d = FenetreSimple(fenetre, "d");
    onglets->setCurrentIndex(0);
    QVERIFY(a->isVisible() && b->isVisible() && c->isVisible());
    QVERIFY(!d->isVisible());
    QCOMPARE(fenetre.FeuillesCadre().FenetresFeuille(1), QList<QWidget*>{d});

    // A window moved to sheet 2 is recorded there only.
    fenetre.Mdi()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(b->parentWidget()));
    fenetre.FeuillesCadre().DeplaceVersFeuille(1);
    QVERIFY(!b->isVisible());
    onglets->setCurrentIndex(1);
    QCOMPARE(fenetre.FeuillesCadre().FenetresFeuille(0).size(), 3);
    QVERIFY(b->isVisible() && d->isVisible());
    QVERIFY(!fenetre.FeuillesCadre().FenetresFeuille(0).contains(b));

    // The move menu lists the other sheets after "Nouvelle feuille".
    QMenu* menu = fenetre.FeuillesCadre().MenuDeplacement(&fenetre);
    QStringList items;
    for (QAction* action : menu->actions())
        items << action->text();
    QCOMPARE(items, (QStringList{"Nouvelle feuille", "Feuille 1"}));
    delete menu;

    // "Nouvelle feuille" of the move menu sends the active window to a new sheet and stays here.
    fenetre.Mdi()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(d->parentWidget()));
    menu = fenetre.FeuillesCadre().MenuDeplacement(&fenetre);
    menu->actions().first()->trigger();
    delete menu;
    QCOMPARE(onglets->tabText(2), QString("Feuille 3"));
    QCOMPARE(onglets->currentIndex(), 1);
    QVERIFY(!d->isVisible());
    QCOMPARE(fenetre.FeuillesCadre().FenetresFeuille(2), QList<QWidget*>{d});
}

void TFenPrincTest::ChaqueBaseOuvreSaFeuille() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    fenetre.show();
    QTabBar* onglets = fenetre.FeuillesCadre().Onglets();
    auto vuesVisibles = [&] {
        QStringList titres;
        for (QMdiSubWindow* sous : fenetre.Mdi()->subWindowList())
            if (sous->isVisible()) titres << sous->widget()->windowTitle();
        return titres;
    };
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("Le chat. Le chien.\n", "un")));
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("a b a\n", "deux")));
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("x y\n", "trois")));
    // Each base on its own sheet, the last one current with only its own text view.
    QCOMPARE(onglets->count(), 3);
    QCOMPARE(onglets->currentIndex(), 2);
    QCOMPARE(vuesVisibles().size(), 1);
    QCOMPARE(fenetre.FeuillesCadre().FenetresFeuille(0).size(), 1);
    QCOMPARE(fenetre.FeuillesCadre().FenetresFeuille(1).size(), 1);
    onglets->setCurrentIndex(0);
    QCOMPARE(vuesVisibles().size(), 1);
    QVERIFY(fenetre.Etat().TexteStatut(2).endsWith("/un.par")); // the base of the sheet shown
    QVERIFY(fenetre.FeuillesCadre().FenetresFeuille(2).size() == 1);
}

void TFenPrincTest::LesVuesFermeesReviennentEtUneBaseNeSOuvrePasDeuxFois() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    fenetre.show();
    const QString par = t3uitest::Base("Le chat. Le chien.\n", "petit");
    QVERIFY(fenetre.Bases().OuvreBase(par));
    QTreeWidgetItem* base = fenetre.Navigation()->TreePages()->topLevelItem(0);
    QTreeWidgetItem* texte = TFenNavig::Enfant(base, GenreNoeud::Texte);
    QTreeWidgetItem* dictionnaire = TFenNavig::Enfant(base, GenreNoeud::Dictionnaire);
    QVERIFY(qobject_cast<TFenRuze*>(TFenNavig::Fenetre(texte)));
    QVERIFY(qobject_cast<TFenDicNum*>(TFenNavig::Fenetre(dictionnaire)));

    // The text view closed, its item opens it again on its base.
    fenetre.Mdi()->subWindowList().first()->close();
    QTRY_VERIFY(!TFenNavig::Fenetre(texte));
    QVERIFY(fenetre.Mdi()->subWindowList().isEmpty());
    fenetre.Navigation()->TreePagesChange(texte);
    QCOMPARE(fenetre.Mdi()->subWindowList().size(), 1);
    auto* vue = qobject_cast<TFenRuze*>(fenetre.Mdi()->subWindowList().first()->widget());
    QVERIFY(vue);
    QCOMPARE(vue->windowTitle(), QString("Ruze - petit"));
    QCOMPARE(TFenNavig::Fenetre(texte), vue);

    // The dictionary page closed by its tab's button comes back as a page, shown.
    QTabWidget* listes = fenetre.Panneau()->ListesGauche();
    emit listes->tabCloseRequested(2);
    QTRY_COMPARE(listes->count(), 2);
    fenetre.Navigation()->TreePagesChange(dictionnaire);
    QCOMPARE(listes->count(), 3);
    QVERIFY(qobject_cast<TFenDicNum*>(listes->currentWidget()));

    // The same base opened again: no second copy, its sheet comes forward.
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("a b\n", "autre")));
    QCOMPARE(fenetre.FeuillesCadre().Onglets()->currentIndex(), 1);
    QVERIFY(fenetre.Bases().OuvreBase(par));
    QCOMPARE(fenetre.Navigation()->TreePages()->topLevelItemCount(), 2);
    QCOMPARE(fenetre.CorpusModele().NbChargeurs(), 2);
    QCOMPARE(fenetre.FeuillesCadre().Onglets()->count(), 2);
    QCOMPARE(fenetre.FeuillesCadre().Onglets()->currentIndex(), 0);
}

void TFenPrincTest::UnGroupeDUneAutreBasePasseParSesGraphies() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    fenetre.show();
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("levi levi levi dort . La dort\n", "grand")));
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("La dort\n", "petit")));
    auto* dico = qobject_cast<TFenDicNum*>(fenetre.Panneau()->ListesGauche()->widget(2));
    TFenRuze* vue = nullptr;
    for (QMdiSubWindow* sous : fenetre.Mdi()->subWindowList())
        if (sous->windowTitle() == "Ruze - petit") vue = qobject_cast<TFenRuze*>(sous->widget());
    QVERIFY(dico && vue);

    // "levi", "dort" and "La" dragged from the large base: the small base knows dort and La only, by
    // their graphies, not by the numbers they have in the large base.
    dico->ListeFormes()->selectAll();
    std::unique_ptr<QMimeData> glisse(
        dico->Modele()->mimeData(dico->ListeFormes()->selectionModel()->selectedIndexes()));
    const auto* objet = TTgenDragObject::De(glisse.get());
    QVERIFY(objet && objet->Base() == fenetre.CorpusModele().Chargeur(0));
    QCOMPARE(t3uitest::Depose(vue->HTMLEdit()->viewport(), objet), t3uitest::Depot::Accepte);
    const t3::charg1* petit = fenetre.CorpusModele().Chargeur(1);
    QStringList graphies;
    for (int32_t e : vue->Groupe()->Entrees())
        graphies << VersQt(petit->Graphie(e));
    graphies.sort();
    QCOMPARE(graphies, (QStringList{"La", "dort"}));
    QCOMPARE(fenetre.Etat().TexteStatut(1),
             QString("2 forme(s) absente(s) de cette base laissée(s) de côté"));

    // A segment entry of another base is refused, saying why; the view keeps its group.
    TTgenDragObject segment(nullptr, "", 0, 1);
    segment.Ajoute(fenetre.CorpusModele().Chargeur(0)->Nbart() + 1);
    segment.SetBase(fenetre.CorpusModele().Chargeur(0));
    QCOMPARE(t3uitest::Depose(vue->HTMLEdit()->viewport(), &segment), t3uitest::Depot::Refuse);
    QCOMPARE(Dialogues::MessagesAffiches().last(),
             QString("Tessaron3|Les segments répétés d'une autre base ne peuvent être déposés ici."));
    QCOMPARE(vue->Groupe()->NbEntrees(), 2);
}

void TFenPrincTest::LeContainerGardeLesVingtDerniersGroupes() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("Le chat. Le chien.\n")));
    QCOMPARE(fenetre.Container()->toolTip(), QString("Vide"));
    QObject source;
    for (int i = 0; i < 21; ++i) {
        const QByteArray nom = "g" + QByteArray::number(i);
        std::unique_ptr<TTgenDragObject> objet(
            Groupe(&source, nom.constData(), t3::CouleurRGB(1, 2, 3), {0, 1}));
        QVERIFY(fenetre.Container()->ContainerDrop(*objet));
    }
    QCOMPARE(fenetre.Container()->FileGroupes().size(), size_t{20});
    QCOMPARE(fenetre.Container()->FileGroupes().front()->Nom(), std::string("g20"));
    QCOMPARE(fenetre.Container()->FileGroupes().back()->Nom(), std::string("g1"));
    QCOMPARE(fenetre.Container()->toolTip(), QString("g20"));
    QCOMPARE(fenetre.GroupeCourant()->GetCouleur(), t3::CouleurRGB(1, 2, 3));

    // The queue menu: newest first, the current group ticked; choosing one makes it current.
    QMenu* menu = fenetre.Container()->PMnuQueue();
    emit menu->aboutToShow();
    QCOMPARE(menu->actions().size(), 20);
    QCOMPARE(menu->actions().first()->text(), QString("g20"));
    QVERIFY(menu->actions().first()->isChecked());
    QVERIFY(!menu->actions().at(1)->isChecked());
    menu->actions().at(3)->trigger();
    QCOMPARE(fenetre.GroupeCourant()->Nom(), std::string("g17"));
    QCOMPARE(fenetre.Container()->toolTip(), QString("g17"));

    // A drag from the container itself is refused; a white group with no name keeps its own colour
    // and takes the default name.
    std::unique_ptr<TTgenDragObject> retour(Groupe(fenetre.Container(), "x", 0, {0}));
    QVERIFY(!fenetre.Container()->ContainerDrop(*retour));
    QCOMPARE(t3uitest::Depose(fenetre.Container(), retour.get()), t3uitest::Depot::RefuseALEntree);
    std::unique_ptr<TTgenDragObject> blanc(Groupe(&source, "", t3::CouleurBlanche, {0, 1}));
    QVERIFY(fenetre.Container()->ContainerDrop(*blanc));
    QVERIFY(fenetre.GroupeCourant()->GetCouleur() != t3::CouleurBlanche);
    QCOMPARE(fenetre.GroupeCourant()->Nom(), std::string("Le+"));
    // The same through the drop of the mouse.
    std::unique_ptr<TTgenDragObject> depose(Groupe(&source, "pose", 0, {1}));
    QCOMPARE(t3uitest::Depose(fenetre.Container(), depose.get()), t3uitest::Depot::Accepte);
    QCOMPARE(fenetre.Container()->toolTip(), QString("pose"));
}

void TFenPrincTest::LaNavigationAmeneSaFenetreEtOublieLesFermees() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    fenetre.show();
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("Le chat. Le chien.\n")));
    TFenNavig* navig = fenetre.Navigation();
    QTreeWidgetItem* base = navig->TreePages()->topLevelItem(0);
    QWidget* stat = FenetreSimple(fenetre, "stat");
    QWidget* autre = FenetreSimple(fenetre, "autre");
    QTreeWidgetItem* pclc = navig->AjouteItem(TFenNavig::Enfant(base, GenreNoeud::Partitions), "PCLC",
                                              GenreNoeud::Rubrique, -1, stat);
    auto* sous = qobject_cast<QMdiSubWindow*>(stat->parentWidget());
    sous->showMinimized();
    fenetre.Mdi()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(autre->parentWidget()));
    navig->TreePagesChange(pclc);
    QVERIFY(!sous->isMinimized());
    QCOMPARE(fenetre.Mdi()->activeSubWindow(), sous);

    // An item without a window changes nothing; one whose window was closed has none any more.
    fenetre.Mdi()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(autre->parentWidget()));
    navig->TreePagesChange(TFenNavig::Enfant(base, GenreNoeud::Dictionnaire));
    QCOMPARE(fenetre.Mdi()->activeSubWindow()->widget(), autre);
    delete sous;
    QVERIFY(!TFenNavig::Fenetre(pclc));
    navig->TreePagesChange(pclc);

    // The navigation window refuses to close.
    QVERIFY(!navig->close());
}

void TFenPrincTest::LesOptionsVontAuxReglages() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    t3test::GardeOptions garde;
    QStringList initiaux;
    Dialogues::RepondDialogue(QDialog::Accepted, [&](QDialog* d) {
        auto* dialogue = static_cast<TFenOpt*>(d);
        initiaux << dialogue->EdMaxart()->text() << dialogue->EdEtiqs()->text();
        dialogue->EdMaxart()->setText("250000");
        dialogue->EdEtiqs()->setText("3");
    });
    fenetre.CommandeNommee("BtnOptions")->trigger();
    QCOMPARE(initiaux, (QStringList{"100000", "1"}));
    QCOMPARE(t3::Options.Maxart, 250000);
    QCOMPARE(t3::Options.NbEtiquettes, 3);

    // The fields open with the initial values again. A value that is not a whole number is named and
    // the dialog stays open on its field, keeping what the user typed; corrected, it is taken.
    bool resteOuvert = false;
    Dialogues::RepondDialogue(QDialog::Accepted, [&](QDialog* d) {
        auto* dialogue = static_cast<TFenOpt*>(d);
        initiaux << dialogue->EdMaxart()->text();
        dialogue->EdEtiqs()->setText("2");
        dialogue->EdMaxart()->setText("beaucoup");
    });
    Dialogues::RepondDialogue(QDialog::Accepted, [&](QDialog* d) {
        auto* dialogue = static_cast<TFenOpt*>(d);
        resteOuvert = dialogue->EdMaxart()->text() == "beaucoup" && dialogue->EdEtiqs()->text() == "2" &&
                      dialogue->EdMaxart()->hasSelectedText();
        dialogue->EdMaxart()->setText("300000");
    });
    fenetre.CommandeNommee("BtnOptions")->trigger();
    QCOMPARE(initiaux.last(), QString("100000"));
    QVERIFY(Dialogues::MessagesAffiches().last().contains("« beaucoup »"));
    QVERIFY(resteOuvert);
    QCOMPARE(t3::Options.NbEtiquettes, 2);
    QCOMPARE(t3::Options.Maxart, 300000);
    // Given up after a refusal: nothing changes.
    Dialogues::RepondDialogue(QDialog::Accepted,
                              [&](QDialog* d) { static_cast<TFenOpt*>(d)->EdEtiqs()->setText("x"); });
    fenetre.CommandeNommee("BtnOptions")->trigger();
    QCOMPARE(t3::Options.NbEtiquettes, 2);
    // Cancel changes nothing.
    Dialogues::RepondDialogue(QDialog::Rejected);
    fenetre.CommandeNommee("BtnOptions")->trigger();
    QCOMPARE(t3::Options.NbEtiquettes, 2);
}

void TFenPrincTest::LeBoutonRetreciPlieEtDeplieLePanneau() {
    TFenPrinc fenetre;
    fenetre.show();
    QCOMPARE(fenetre.Panneau()->width(), 296);
    auto* bouton = fenetre.findChild<QToolButton*>("BtnRetreci");
    QTest::mouseClick(bouton, Qt::LeftButton);
    QCOMPARE(fenetre.Panneau()->width(), 15);
    QCOMPARE(bouton->text(), QString(">"));
    QTest::mouseClick(bouton, Qt::LeftButton);
    QCOMPARE(fenetre.Panneau()->width(), 296);
    QCOMPARE(bouton->text(), QString("|<"));
    // The divider widens the panel; folded and unfolded, it comes back to that width.
    auto* separateur = fenetre.findChild<QSplitter*>("Separateur");
    QVERIFY(separateur);
    const int total = separateur->sizes().value(0) + separateur->sizes().value(1);
    separateur->setSizes({420, total - 420});
    QCOMPARE(fenetre.Panneau()->width(), 420);
    QTest::mouseClick(bouton, Qt::LeftButton);
    QCOMPARE(fenetre.Panneau()->width(), 15);
    QTest::mouseClick(bouton, Qt::LeftButton);
    QCOMPARE(fenetre.Panneau()->width(), 420);
    // Narrowed below the unfolded width, a click widens it to 296.
    separateur->setSizes({295, total - 295});
    QTest::mouseClick(bouton, Qt::LeftButton);
    QCOMPARE(fenetre.Panneau()->width(), 296);
}

void TFenPrincTest::LesFenetresDesBasesSeDistinguentEtRestentVisibles() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    fenetre.resize(970, 743);
    fenetre.show();
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("Le chat. Le chien.\n", "petit")));
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("a b a\n", "autre")));
    // The captions stay; the base's name tells the windows apart, and the tabs name the base.
    QStringList titres;
    for (QMdiSubWindow* sous : fenetre.Mdi()->subWindowList())
        titres << sous->windowTitle();
    QCOMPARE(titres, (QStringList{"Ruze - petit", "Ruze - autre"}));
    QTabWidget* listes = fenetre.Panneau()->ListesGauche();
    QCOMPARE(listes->tabText(2), QString("Dictionnaire"));
    QCOMPARE(listes->tabText(3), QString("Dictionnaire"));
    QVERIFY(listes->tabToolTip(2).endsWith("/petit.par"));
    QVERIFY(listes->tabToolTip(3).endsWith("/autre.par"));
    QVERIFY(listes->tabBar()->usesScrollButtons());
    // A floating page keeps the name of its base and docks back with its caption.
    fenetre.Panneau()->DetachePage(2);
    QWidget* flottante = nullptr;
    for (auto* dico : fenetre.findChildren<TFenDicNum*>())
        if (dico->isWindow()) flottante = dico;
    QVERIFY(flottante);
    QCOMPARE(flottante->windowTitle(), QString("Dictionnaire - petit"));
    flottante->close();
    QCOMPARE(listes->tabText(listes->indexOf(flottante)), QString("Dictionnaire"));
    QVERIFY(listes->tabToolTip(listes->indexOf(flottante)).endsWith("/petit.par"));

    // The dictionary's headers are not cut.
    auto* dico = qobject_cast<TFenDicNum*>(listes->widget(listes->count() - 1));
    QVERIFY(dico);
    const QFontMetrics mesure = dico->ListeFormes()->horizontalHeader()->fontMetrics();
    QVERIFY(dico->ListeFormes()->columnWidth(0) > mesure.horizontalAdvance("Formes (ordre lexicographique)"));
    // And both columns show whole in the left panel, which widened to them.
    QVERIFY(dico->ListeFormes()->viewport()->width() >=
            dico->ListeFormes()->columnWidth(0) + dico->ListeFormes()->columnWidth(1));

    // A new child larger than the area opens inside it.
    auto* grande = new QWidget;
    grande->resize(3000, 2000);
    QMdiSubWindow* sous = fenetre.AjouteFenetre(grande);
    const QRect zone = fenetre.Mdi()->viewport()->rect();
    QVERIFY2(
        zone.contains(sous->geometry()),
        qPrintable(
            QString("%1,%2 %3x%4").arg(sous->x()).arg(sous->y()).arg(sous->width()).arg(sous->height())));
}

void TFenPrincTest::LaQuestionDeFermeture() {
    DossierCourant dossier;
    const QString question = "Tessaron3|Le rapport a été modifié.\nVoulez-vous le sauvegarder ?";
    bool publie = false;
    {
        TFenPrinc fenetre;
        fenetre.show();
        // No report: no question.
        QVERIFY(fenetre.close());
        QVERIFY(Dialogues::MessagesAffiches().isEmpty());
    }
    TFenPrinc fenetre;
    fenetre.show();
    fenetre.Bases().SetRapport(std::make_unique<RapportTemoin>(&publie));
    Dialogues::RepondBouton(QMessageBox::Cancel);
    QVERIFY(!fenetre.close());
    QVERIFY(fenetre.isVisible());
    QCOMPARE(Dialogues::MessagesAffiches(), QStringList{question});
    Dialogues::RepondBouton(QMessageBox::No);
    QVERIFY(fenetre.close());
    QVERIFY(!publie);
    fenetre.show();
    Dialogues::RepondBouton(QMessageBox::Yes);
    QVERIFY(fenetre.close());
    QVERIFY(publie);
}

namespace {

// A window that answers the add-to-report call by counting it.
class FenetreQuiRapporte : public QWidget, public FenetreRapport {
  public:
    int appels = 0;
    void AjouteAuRapport() override { ++appels; }
};

} // namespace

void TFenPrincTest::AjouterAuRapportVaALaFenetreActive() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    fenetre.show();
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("Le chat.\n")));
    auto* capable = new FenetreQuiRapporte;
    fenetre.AjouteFenetre(capable);
    fenetre.Mdi()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(capable->parentWidget()));
    auto* bouton = fenetre.findChild<QToolButton*>("BtnAjouteRap");
    QTest::mouseClick(bouton, Qt::LeftButton);
    QCOMPARE(capable->appels, 0); // posted: answered once the click has returned
    QTRY_COMPARE(capable->appels, 1);
    // A window without the call ignores it.
    QWidget* autre = FenetreSimple(fenetre, "autre");
    fenetre.Mdi()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(autre->parentWidget()));
    QTest::mouseClick(bouton, Qt::LeftButton);
    QTest::qWait(20);
    QCOMPARE(capable->appels, 1);
}

void TFenPrincTest::UnePageFlotteEtRevient() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    fenetre.show();
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("Le chat.\n")));
    QTabWidget* listes = fenetre.Panneau()->ListesGauche();
    QWidget* navigation = listes->widget(0);
    fenetre.Panneau()->DetachePage(0);
    QCOMPARE(listes->count(), 2);
    QVERIFY(navigation->isWindow() && navigation->isVisible());
    QCOMPARE(navigation->windowTitle(), QString("Navigation"));
    // Closing the floating page docks it back, still without a close button.
    QVERIFY(!navigation->close());
    QCOMPARE(listes->count(), 3);
    const int page = listes->indexOf(navigation);
    QVERIFY(page >= 0);
    QVERIFY(!listes->tabBar()->tabButton(page, QTabBar::RightSide));
    QVERIFY(fenetre.Navigation()->TreePages()->topLevelItemCount() == 1);
}

void TFenPrincTest::LeMenuDesCaracteristiquesSuitLesPartitions() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    fenetre.show();
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("<date=mars> u v <auteur=x> w <auteur=y> u\n")));
    QMenu* menu = fenetre.PmnPCLC();
    emit menu->aboutToShow();
    QVERIFY(menu->actions().isEmpty());
    // Key types follow the forms and punctuation, in lexicographic order: auteur, date.
    const t3::charg1* base = fenetre.Chargeur();
    const int32_t premierType = base->Nbform() + base->Nbartponct();
    for (int32_t type : {premierType + 1, premierType}) {
        auto partition = std::make_unique<t3::Partition>(base, type);
        QVERIFY(fenetre.CorpusModele().AjoutePartition(partition));
    }
    emit menu->aboutToShow();
    QStringList items;
    for (QAction* action : menu->actions())
        items << action->text();
    QCOMPARE(items, (QStringList{"date", "auteur"}));

    // Its item brings forward the statistics window listed under the partition in the navigation tree,
    // found by its kind: the item's text does not matter.
    const t3::Partition* auteur = fenetre.CorpusModele().PartitionNo(1);
    QWidget* stat = FenetreSimple(fenetre, "stat");
    FenetreSimple(fenetre, "autre");
    QTreeWidgetItem* item = fenetre.Navigation()->AjoutePartition(auteur);
    TFenNavig::AttacheFenetre(fenetre.Navigation()->Rubrique(auteur, RubriqueStatistiques), stat);
    QCOMPARE(item->text(0), QString("auteur"));
    QCOMPARE(Enfants(item), (QStringList{"PCLC", "Graphiques", "Spécifs", "AFC"}));
    fenetre.Navigation()->Rubrique(auteur, RubriqueStatistiques)->setText(0, "Statistiques");
    menu->actions().at(1)->trigger();
    QCOMPARE(fenetre.Mdi()->activeSubWindow()->widget(), stat);
    // A partition without its items does nothing.
    menu->actions().at(0)->trigger();
    QCOMPARE(fenetre.Mdi()->activeSubWindow()->widget(), stat);
}

void TFenPrincTest::LeCadreTientDansLEcranEtChaqueCommandeEstAPortee() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    const QRect ecran = fenetre.screen()->availableGeometry();
    fenetre.resize(ecran.size() - QSize(40, 40));
    fenetre.show();
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("Le chat. Le chien.\n")));
    // A child wider than the screen: tiled, it gets scroll bars; the frame does not grow.
    QWidget* large = FenetreSimple(fenetre, "large");
    large->setMinimumSize(ecran.width() * 2, 200);
    fenetre.Mosaique();
    QCoreApplication::processEvents();
    QVERIFY2(fenetre.width() <= ecran.width(), qPrintable(QString::number(fenetre.width())));

    // Every command of the toolbar is also a menu item, whatever the width; "Aide" answers F1.
    QList<QAction*> articles;
    for (QMenu* menu : fenetre.menuBar()->findChildren<QMenu*>()) {
        emit menu->aboutToShow();
        articles += menu->actions();
    }
    for (QAction* commande : fenetre.findChild<QToolBar*>("Panel1")->actions())
        if (!commande->objectName().isEmpty())
            QVERIFY2(articles.contains(commande), qPrintable(commande->objectName()));
    QCOMPARE(fenetre.CommandeNommee("HelpBtn")->shortcut(), QKeySequence(Qt::Key_F1));
}

void TFenPrincTest::LesFeuillesEtLesIconesRestentOuLUtilisateurLesVeut() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    fenetre.resize(1200, 760); // wide enough for the three icons side by side
    fenetre.show();
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("<cle=a> le chat <cle=b> le chien\n", "un")));
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("<cle=c> un mot\n", "deux")));
    QTabBar* onglets = fenetre.FeuillesCadre().Onglets();
    // A new sheet waits beside the current one.
    fenetre.CommandeNommee("BtnNvFeuille")->trigger();
    QCOMPARE(onglets->count(), 3);
    QCOMPARE(onglets->currentIndex(), 1);

    // The minimised windows' icons go along the bottom of the area, side by side.
    QList<QMdiSubWindow*> icones;
    for (const char* titre : {"a", "b", "c"}) {
        auto* sous = qobject_cast<QMdiSubWindow*>(FenetreSimple(fenetre, titre)->parentWidget());
        sous->showMinimized();
        sous->move(10, 10);
        icones << sous;
    }
    fenetre.ReorganiseIcones();
    const int bas = fenetre.Mdi()->viewport()->height();
    for (int i = 0; i < icones.size(); ++i) {
        QCOMPARE(icones[i]->geometry().bottom() + 1, bas);
        if (i > 0) QVERIFY(icones[i]->x() >= icones[i - 1]->geometry().right());
    }

    // With two bases, the partition menu names the base, and its item brings the base's sheet forward.
    const t3::charg1* un = fenetre.CorpusModele().Chargeur(0);
    auto partition = std::make_unique<t3::Partition>(un, un->Nbform() + un->Nbartponct());
    const t3::Partition* cle = partition.get();
    QVERIFY(fenetre.CorpusModele().AjoutePartition(partition));
    onglets->setCurrentIndex(0);
    QWidget* stat = FenetreSimple(fenetre, "stat");
    fenetre.Navigation()->AjoutePartition(cle);
    TFenNavig::AttacheFenetre(fenetre.Navigation()->Rubrique(cle, RubriqueStatistiques), stat);
    onglets->setCurrentIndex(1);
    QMenu* menu = fenetre.PmnPCLC();
    emit menu->aboutToShow();
    QCOMPARE(menu->actions().at(0)->text(), QString("cle - un"));
    menu->actions().at(0)->trigger();
    QCOMPARE(onglets->currentIndex(), 0);
    QVERIFY(stat->isVisible());
}

void TFenPrincTest::LAideSOuvreALaSectionDeLaFenetre() {
    DossierCourant dossier;
    TFenPrinc fenetre;
    fenetre.show();
    QVERIFY(fenetre.Bases().OuvreBase(t3uitest::Base("Le chat. Le chien.\n")));
    // F1 in the dictionary, then in a dialog: the manual at their sections.
    fenetre.findChild<TFenDicNum*>()->setFocus();
    QApplication::setActiveWindow(&fenetre);
    fenetre.CommandeNommee("HelpBtn")->trigger();
    QVERIFY2(Dialogues::DocumentsOuverts().last().endsWith("/aide.html#dictionnaire"),
             qPrintable(Dialogues::DocumentsOuverts().last()));
    TFenChoixDelimForme delimiteurs(&fenetre);
    Dialogues::RepondDialogue(QDialog::Rejected, [](QDialog* dialogue) {
        dialogue->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
    });
    Dialogues::Execute(&delimiteurs);
    QVERIFY(Dialogues::DocumentsOuverts().last().endsWith("/aide.html#delimiteurs"));
    // Every section the windows open exists in the manual.
    QFile manuel(PageAide());
    QVERIFY(manuel.open(QIODevice::ReadOnly));
    const QString texte = QString::fromUtf8(manuel.readAll());
    for (const QString& ancre : AncresAide())
        QVERIFY2(texte.contains("id=\"" + ancre + "\""), qPrintable(ancre));
}

QTEST_MAIN(TFenPrincTest)
#include "TFenPrincTest.moc"
