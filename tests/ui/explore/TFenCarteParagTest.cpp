// The section map driven as in the workbench: the section dialog from the toolbar, drops of groups,
// clicks on the boxes, the walks by section and by occurrence, the text of a section, the specificities
// of sections, the report's page and picture, and the settings of the shades.
#include "AideUi.h"

#include "engine/corpus/Corpus.h"
#include "engine/corpus/Section.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/SpecifsSections.h"
#include "engine/explore/TexteSection.h"
#include "engine/stats/Tgen.h"
#include "ui/explore/Pastille.h"
#include "ui/explore/TFenCarteParag.h"
#include "ui/explore/TFenChoixDelim.h"
#include "ui/explore/TFenParamCarte.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/shell/Atelier.h"
#include "ui/shell/Couleurs.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/NumerotationRapport.h"
#include "ui/shell/PanneauGauche.h"
#include "ui/shell/RapportArbre.h"
#include "ui/shell/TFenNavig.h"
#include "ui/shell/TFenPrinc.h"
#include "ui/stats/ParametresSpecificites.h"
#include "ui/stats/TFenChoixPart.h"
#include "ui/stats/TFenSpecGrp.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <QTreeWidget>

using namespace t3ui;
using t3uitest::DossierCourant;
using t3uitest::Enfants;

namespace {

// After "x ." thirteen sections (the last one after the last delimiter): a in 0, 4 and 9, z in 2 and 4, a
// key of auteur in 8.
const QString Texte = "<auteur=A>\nx . a b . c d . z e . f g . a z . i j . k l . m n .\n<auteur=B>\n"
                      "o p . a q . r s . t u .";

struct Poste {
    DossierCourant dossier;
    mutable TFenPrinc fenetre;

    explicit Poste(const QString& texte = Texte) {
        const QString par = QFileInfo(t3uitest::Base(texte)).absoluteFilePath();
        fenetre.show();
        if (!fenetre.Bases().OuvreBase(par)) qFatal("base not opened");
        NumerotationRapport::Remet();
    }
    ~Poste() { Dialogues::Oublie(); }

    const t3::charg1* Base() const { return fenetre.Chargeur(); }
    // "Carte des sections", the delimiter chosen, "Créer".
    void Cree(const QString& delimiteur) const {
        Dialogues::RepondDialogue(QDialog::Accepted, [delimiteur](QDialog* dialogue) {
            auto* liste = static_cast<TFenChoixDelim*>(dialogue)->ListDelims();
            for (QListWidgetItem* item : liste->findItems(delimiteur, Qt::MatchExactly))
                item->setSelected(true);
            dialogue->findChild<QPushButton*>("BtnValide")->click();
        });
        fenetre.CommandeNommee("BtnParag")->trigger();
    }
    TFenCarteParag* Carte() const {
        QMdiSubWindow* active = fenetre.Mdi()->activeSubWindow();
        return active ? qobject_cast<TFenCarteParag*>(active->widget()) : nullptr;
    }
    TFenCarteParag* Ouverte() const {
        Cree(".");
        return Carte();
    }
    void Depose(TFenCarteParag* carte, const char* forme,
                Qt::KeyboardModifiers touches = Qt::NoModifier) const {
        TTgenDragObject objet(nullptr, "", t3::CouleurBlanche, 1);
        objet.SetBase(Base());
        objet.Ajoute(Base()->LocFormDic(forme));
        QCOMPARE(t3uitest::Depose(carte->PaintBox1(), &objet, touches), t3uitest::Depot::Accepte);
    }
};

void Clique(TFenCarteParag* carte, int32_t section, Qt::KeyboardModifiers touches = {}) {
    const t3::PositionBoite boite = *carte->Disposition().Position(section);
    const int s = carte->Disposition().Taille();
    QTest::mouseClick(carte->PaintBox1(), Qt::LeftButton, touches, QPoint(boite.x + s / 2, boite.y + s / 2));
}

QColor Pixel(TFenCarteParag* carte, int32_t section, int dx, int dy) {
    const t3::PositionBoite boite = *carte->Disposition().Position(section);
    return carte->PaintBox1()->grab(QRect(boite.x + dx, boite.y + dy, 1, 1)).toImage().pixelColor(0, 0);
}

} // namespace

class TFenCarteParagTest : public QObject {
    Q_OBJECT
  private slots:
    void LeDialogueCreeOuRameneLesVues();
    void LesDepotsColorentLesBoites();
    void ClicsEtParcours();
    void LeTexteDeLaSection();
    void LesSpecificitesDesSections();
    void LeRapport();
    void LImageSEnregistreSaufTropGrande();
    void LesReglages();
};

void TFenCarteParagTest::LeDialogueCreeOuRameneLesVues() {
    Poste a;
    // Nothing selected: nothing made.
    a.Cree("aucun");
    QCOMPARE(a.fenetre.CorpusModele().NbSections(), 0);

    TFenCarteParag* premiere = a.Ouverte();
    QVERIFY(premiere);
    QCOMPARE(premiere->windowTitle(), QString("Section - Délimiteurs : . - vue n°1"));
    QCOMPARE(premiere->GetSection()->NbSections(), 13);
    QCOMPARE(premiere->ComboGrp()->itemText(0), QString("<Aucune>"));
    for (const char* nom : {"BtnSecPrec", "BtnOccPrec", "BtnOccSuiv"})
        QVERIFY2(!premiere->Bouton(nom)->isEnabled(), nom);
    QVERIFY(premiere->Bouton("BtnSecSuiv")->isEnabled());
    QTreeWidgetItem* cartes =
        TFenNavig::Enfant(a.fenetre.Navigation()->NoeudBase(a.Base()), GenreNoeud::CartesSections);
    QCOMPARE(Enfants(cartes), QStringList{"Délimiteurs : ."});

    // The same delimiters: No brings the view forward, Yes opens a second one.
    auto* autre = new QWidget;
    a.fenetre.AjouteFenetre(autre);
    Dialogues::RepondBouton(QMessageBox::No);
    a.Cree(".");
    QVERIFY(Dialogues::MessagesAffiches().contains(
        "Sections|La section existe déjà,\nvoulez-vous créer une nouvelle vue ?"));
    QCOMPARE(a.Carte(), premiere);
    QCOMPARE(a.fenetre.findChildren<TFenCarteParag*>().size(), 1);
    Dialogues::RepondBouton(QMessageBox::Yes);
    a.Cree(".");
    QVERIFY(a.Carte() != premiere);
    QCOMPARE(a.Carte()->windowTitle(), QString("Section - Délimiteurs : . - vue n°2"));
    QCOMPARE(a.fenetre.CorpusModele().NbSections(), 1);
    QCOMPARE(Enfants(cartes->child(0)), (QStringList{"Vue n°1", "Vue n°2"}));

    // The existing sets are offered; "Afficher" brings the first view forward.
    Dialogues::RepondDialogue(QDialog::Accepted, [](QDialog* dialogue) {
        auto* choix = static_cast<TFenChoixDelim*>(dialogue);
        if (!choix->Pages()->isTabVisible(1) || choix->Pages()->currentIndex() != 1 ||
            choix->LBoxSect()->item(0)->text() != "Délimiteurs : .")
            qFatal("existing sets not offered");
        dialogue->findChild<QPushButton*>("BtnAfficher")->click();
    });
    a.fenetre.CommandeNommee("BtnParag")->trigger();
    QCOMPARE(a.Carte(), premiere);

    // A set without any section says so and offers nothing to click.
    t3::Section vide(a.Base(), std::vector<int32_t>{});
    TFenCarteParag carteVide(a.fenetre, &vide, a.fenetre.Chargeur());
    carteVide.PaintBox1MouseDown(QPoint(25, 10), Qt::NoModifier);
    QCOMPARE(carteVide.Selection().Compte(), 0);
    QVERIFY(!carteVide.Bouton("BtnSecSuiv")->isEnabled());
    QCOMPARE(carteVide.ParagEdit()->toPlainText(), QString());
}

void TFenCarteParagTest::LesDepotsColorentLesBoites() {
    Poste a;
    TFenCarteParag* carte = a.Ouverte();
    a.Depose(carte, "a");
    QCOMPARE(carte->PresencePrincipal().Liste(), (std::vector<int32_t>{0, 4, 9}));
    QCOMPARE(carte->findChild<QLabel*>("LbTgen1")->text(), QString("a"));
    QVERIFY(carte->Bouton("BtnOccSuiv")->isEnabled());
    const QColor principal = VersQColor(carte->Principal()->GetCouleur());
    QCOMPARE(Pixel(carte, 9, 4, 4), principal);
    QCOMPARE(Pixel(carte, 1, 4, 4), QColor(Qt::white));

    // With Ctrl: the second group, in the left half where both are.
    a.Depose(carte, "z", Qt::ControlModifier);
    QCOMPARE(carte->Principal()->Nom(), std::string("a"));
    QCOMPARE(carte->PresenceSecond().Liste(), (std::vector<int32_t>{2, 4}));
    const QColor second = VersQColor(carte->Second()->GetCouleur());
    QCOMPARE(Pixel(carte, 2, 6, 4), second);
    QCOMPARE(Pixel(carte, 4, 2, 4), second);
    QCOMPARE(Pixel(carte, 4, 6, 4), principal);
    // While Ctrl is held over the map, the drag shows the multiple-drag cursor (its link action).
    TTgenDragObject groupe(nullptr, "", t3::CouleurBlanche, 1);
    groupe.SetBase(a.Base());
    groupe.Ajoute(a.Base()->LocFormDic("a"));
    for (const Qt::KeyboardModifiers touches :
         {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ControlModifier)}) {
        QDragEnterEvent survol(QPoint(2, 2), Qt::CopyAction | Qt::LinkAction, &groupe, Qt::LeftButton,
                               touches);
        QApplication::sendEvent(carte->PaintBox1(), &survol);
        QVERIFY(survol.isAccepted());
        QCOMPARE(survol.dropAction(), touches ? Qt::LinkAction : Qt::CopyAction);
    }
    // Anything but a group is refused.
    QMimeData texte;
    texte.setText("a");
    QCOMPARE(t3uitest::Depose(carte->PaintBox1(), &texte), t3uitest::Depot::RefuseALEntree);
}

void TFenCarteParagTest::ClicsEtParcours() {
    Poste a;
    TFenCarteParag* carte = a.Ouverte();
    for (int i = 0; i < 3; ++i)
        carte->Bouton("BtnSecSuiv")->click();
    QCOMPARE(carte->Courante(), 3);
    QCOMPARE(carte->Selection().Compte(), 0);
    Clique(carte, 7, Qt::ShiftModifier);
    QCOMPARE(carte->Selection().Liste(), (std::vector<int32_t>{4, 5, 6, 7}));
    QCOMPARE(carte->Courante(), 7);
    Clique(carte, 1, Qt::ControlModifier);
    QCOMPARE(carte->Selection().Liste(), (std::vector<int32_t>{1, 4, 5, 6, 7}));
    Clique(carte, 9);
    QCOMPARE(carte->Selection().Liste(), std::vector<int32_t>{9});
    QCOMPARE(QColor(Pixel(carte, 9, 0, 0)), QColor(Qt::blue));

    // The ends of the walk by section.
    for (int i = 0; i < 3; ++i)
        carte->Bouton("BtnSecSuiv")->click();
    QCOMPARE(carte->Courante(), 12);
    QVERIFY(!carte->Bouton("BtnSecSuiv")->isEnabled());
    Clique(carte, 0);
    QVERIFY(!carte->Bouton("BtnSecPrec")->isEnabled());

    // By occurrence of a: 0, 4, 9, then none further: the section stays and the button goes grey.
    a.Depose(carte, "a");
    QVERIFY(!carte->Bouton("BtnOccPrec")->isEnabled());
    for (int32_t attendue : {4, 9, 9}) {
        carte->Bouton("BtnOccSuiv")->click();
        QCOMPARE(carte->Courante(), attendue);
    }
    QVERIFY(!carte->Bouton("BtnOccSuiv")->isEnabled());
    carte->Bouton("BtnOccPrec")->click();
    QCOMPARE(carte->Courante(), 4);
    QVERIFY(carte->Bouton("BtnOccSuiv")->isEnabled());
}

void TFenCarteParagTest::LeTexteDeLaSection() {
    Poste a;
    TFenCarteParag* carte = a.Ouverte();
    a.Depose(carte, "a");
    a.Depose(carte, "z", Qt::ControlModifier);
    Clique(carte, 4);
    TexteSection* texte = carte->ParagEdit();
    QCOMPARE(texte->toPlainText(), QString("a z . "));
    // Fragment by fragment: the main group, the second, the rest.
    QList<std::tuple<QString, bool, QColor>> fragments;
    for (auto it = texte->document()->begin().begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        fragments << std::tuple{it.fragment().text(), format.fontWeight() == QFont::Bold,
                                format.foreground().color()};
    }
    QCOMPARE(fragments.size(), 3);
    QCOMPARE(fragments[0], std::tuple(QString("a "), true, VersQColor(carte->Principal()->GetCouleur())));
    QCOMPARE(fragments[1], std::tuple(QString("z "), true, VersQColor(carte->Second()->GetCouleur())));
    QVERIFY(!std::get<1>(fragments[2]));

    // A key in blue; the word "p" selected and pressed is dragged as that form, the key is not.
    Clique(carte, 8);
    QVERIFY(texte->toPlainText().startsWith("<auteur=B>o p . "));
    QCOMPARE(texte->document()->begin().begin().fragment().charFormat().foreground().color(),
             QColor(0, 0, 255));
    const auto presse = [texte](int debut, int fin) {
        QTextCursor curseur(texte->document());
        curseur.setPosition(debut);
        curseur.setPosition(fin, QTextCursor::KeepAnchor);
        texte->setTextCursor(curseur);
        curseur.setPosition(debut);
        const QPoint point = texte->cursorRect(curseur).center() + QPoint(2, 0);
        QTest::mousePress(texte->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(texte->viewport(), Qt::LeftButton, {}, point);
    };
    const int p = static_cast<int>(texte->toPlainText().indexOf(" p ")) + 1;
    presse(p, p + 2);
    QCOMPARE(texte->MotSelectionne(), QString("p "));
    std::unique_ptr<TTgenDragObject> objet(texte->ObjetGlisser());
    QVERIFY(objet);
    QCOMPARE(objet->Entrees(), std::vector<int32_t>{a.Base()->LocFormDic("p")});
    QCOMPARE(objet->GetCouleur(), t3::CouleurRGB(0, 0, 0));
    presse(0, 10);
    QCOMPARE(texte->MotSelectionne(), QString("<auteur=B>"));
    QVERIFY(!std::unique_ptr<TTgenDragObject>(texte->ObjetGlisser()));
}

void TFenCarteParagTest::LesSpecificitesDesSections() {
    Poste a;
    TFenCarteParag* carte = a.Ouverte();
    QTabWidget* listes = a.fenetre.Panneau()->ListesGauche();
    const int pages = listes->count();
    // Nothing selected: said so, no dialog.
    Dialogues::RepondDialogue(QDialog::Rejected, [](QDialog*) { qFatal("dialog without sections"); });
    carte->Bouton("SpfButton")->click();
    QVERIFY(Dialogues::MessagesAffiches().last().endsWith("Aucune section n'est sélectionnée."));
    Dialogues::Oublie();

    const auto lance = [&](const char* bouton) {
        Dialogues::RepondDialogue(QDialog::Accepted, [](QDialog* dialogue) {
            auto* parametres = static_cast<TFenParamSpecSect*>(dialogue);
            if (parametres->BoiteFrequence()->value() != 2) qFatal("frequency box");
            parametres->BoiteSeuil()->setValue(20);
            parametres->BoiteFrequence()->setValue(1);
        });
        carte->Bouton(bouton)->click();
        return qobject_cast<TFenSpecGrp*>(listes->widget(listes->count() - 1));
    };
    Clique(carte, 0);
    Clique(carte, 9, Qt::ControlModifier);
    TFenSpecGrp* liste = lance("SpfButton");
    QCOMPARE(listes->count(), pages + 1);
    QCOMPARE(liste->windowTitle(), QString("Spécifs - Sections"));
    QCOMPARE(liste->LbCorpRef()->text(), QString("2 sections"));
    const t3::SpecifsDeSections attendues =
        t3::SpecificitesSections(*carte->GetSection(), carte->Selection(), 20, 1);
    QVERIFY(!attendues.enregistrements.empty());
    QCOMPARE(liste->Resultats().size(), attendues.enregistrements.size());
    QCOMPARE(liste->Resultats().front().entree, attendues.enregistrements.front().entree);

    // The sections of either group: a in 3, z in 2 of which one with a.
    a.Depose(carte, "a");
    a.Depose(carte, "z", Qt::ControlModifier);
    QCOMPARE(lance("BtnSpfSectTgen")->LbCorpRef()->text(), QString("4 sections"));
}

void TFenCarteParagTest::LeRapport() {
    Poste a;
    TFenCarteParag* carte = a.Ouverte();
    a.Depose(carte, "a");
    Clique(carte, 4);
    auto* rapport = static_cast<RapportArbre*>(a.fenetre.Rapport());
    carte->Bouton("BtnAjouteRap")->click();
    const std::string page = t3::PageSection(*carte->GetSection(), 4, &carte->Principal()->Positions());
    QCOMPARE(t3uitest::Lit(rapport->Dossier() + "section-4.html").toStdString(), page);

    // The picture, with the partition of the map in its comment.
    Dialogues::RepondDialogue(QDialog::Accepted, [](QDialog* dialogue) {
        auto* liste = dialogue->findChild<QListWidget*>("ListParts");
        liste->setCurrentRow(0);
        dialogue->findChild<QPushButton*>("BtnValide")->click();
    });
    a.fenetre.CommandeNommee("BtnPart")->trigger();
    carte->ChargeParts();
    QCOMPARE(carte->ComboGrp()->itemText(1), QString("auteur"));
    carte->ComboGrp()->setCurrentIndex(1);
    QCOMPARE(carte->Disposition().NbSeries(), 2);
    carte->AjouteAuRapport();
    QVERIFY(QFile::exists(rapport->Dossier() + "img-section-.1.jpg"));
    const t3::Rapport& moteur = rapport->Moteur();
    QCOMPARE(moteur.Entrees().size(), size_t{2});
    QCOMPARE(moteur.Entrees()[0], std::string("section-4.html"));
    const QString commentaire = QString::fromLatin1(moteur.Commentaires()[1]);
    QVERIFY(commentaire.startsWith("<CENTER><H3>Section - D"));
    QVERIFY(commentaire.contains("<TD>Partition = auteur</TD>\n</TABLE><br>\n"));
    QTreeWidgetItem* racine = a.fenetre.findChildren<QTreeWidget*>().value(0)->topLevelItem(0);
    for (QTreeWidget* arbre : a.fenetre.findChildren<QTreeWidget*>())
        if (arbre->topLevelItemCount() == 1 && arbre->topLevelItem(0)->text(0) == "Table des matières")
            racine = arbre->topLevelItem(0);
    QCOMPARE(Enfants(racine), (QStringList{"Section n°4", carte->windowTitle() + "(1)"}));

    // A picture too high for a JPEG keeps the whole rows that fit: one pixel short of the second run's
    // boxes (9 to 12; section 8 begins before the key of B), the first run's.
    const t3::DispositionCarte& disposition = carte->Disposition();
    QCOMPARE(carte->SectionsDansImage(disposition.Hauteur()), 13);
    const int32_t y9 = disposition.Position(9)->y, s = disposition.Taille();
    QCOMPARE(carte->SectionsDansImage(y9 + s), 13);
    QCOMPARE(carte->SectionsDansImage(y9 + s - 1), 9);
}

void TFenCarteParagTest::LImageSEnregistreSaufTropGrande() {
    {
        Poste a;
        TFenCarteParag* carte = a.Ouverte();
        a.Depose(carte, "a");
        // The whole map under the parts of auteur, their names as texts.
        Dialogues::RepondDialogue(QDialog::Accepted, [](QDialog* dialogue) {
            dialogue->findChild<QListWidget*>("ListParts")->setCurrentRow(0);
            dialogue->findChild<QPushButton*>("BtnValide")->click();
        });
        a.fenetre.CommandeNommee("BtnPart")->trigger();
        carte->ChargeParts();
        carte->ComboGrp()->setCurrentIndex(1);
        const QSize taille(carte->Disposition().Largeur(), carte->Disposition().Hauteur());
        QCOMPARE(t3uitest::VerifieImages(carte, a.dossier.Chemin("carte"), taille, {"auteur", "A", "B"}),
                 QString());
    }
    // 26 000 sections in boxes of 25 pixels: more than 16 383 pixels high, too high at twice the
    // resolution.
    QString texte = "x ";
    for (int i = 0; i < 26000; ++i)
        texte += "a . ";
    Poste a(texte);
    TFenCarteParag* carte = a.Ouverte();
    carte->TrackBar1()->setValue(25);
    QVERIFY(carte->Disposition().Hauteur() * 2 > 32767);
    const QString chemin = a.dossier.Chemin("longue.png");
    QVERIFY(t3uitest::EnregistreImage(carte, chemin, 1));
    QCOMPARE(Dialogues::MessagesAffiches().size(), 1);
    const QString refus = Dialogues::MessagesAffiches()[0];
    QVERIFY2(refus.startsWith("Tessaron3|L'image ferait " +
                              QString::number(carte->Disposition().Largeur() * 2) + " × " +
                              QString::number(carte->Disposition().Hauteur() * 2) +
                              " pixels : une image ne peut dépasser 32 767 pixels de côté. « " + chemin +
                              " » n'a pas été écrit. Réduisez la taille des boîtes"),
             qPrintable(refus));
    QVERIFY(!QFile::exists(chemin));
}

void TFenCarteParagTest::LesReglages() {
    Poste a;
    TFenCarteParag* carte = a.Ouverte();
    a.Depose(carte, "a");
    // A threshold that is not a whole number: said so, and the settings stay.
    Dialogues::RepondDialogue(QDialog::Accepted, [](QDialog* dialogue) {
        static_cast<TFenParamCarte*>(dialogue)->Edit1()->setText("5,5");
    });
    carte->Bouton("BtnCol")->click();
    QVERIFY(Dialogues::MessagesAffiches().last().endsWith("« 5,5 » n'est pas une valeur entière valide."));
    QCOMPARE(carte->Seuil1(), 5);

    Dialogues::RepondCouleur(QColor(10, 20, 30));
    Dialogues::RepondDialogue(QDialog::Accepted, [](QDialog* dialogue) {
        auto* reglages = static_cast<TFenParamCarte*>(dialogue);
        reglages->Edit1()->setText("7");
        reglages->Edit2()->setText("3");
        QTest::mouseClick(reglages->ShCol(2), Qt::LeftButton);
    });
    carte->Bouton("BtnCol")->click();
    QCOMPARE(carte->Seuil1(), 7);
    QCOMPARE(carte->Seuil2(), 3);
    QCOMPARE(carte->NuancesCarte().deuxTiersClaire, t3::CouleurRGB(10, 20, 30));
    QCOMPARE(carte->NuancesCarte().pleine, carte->Principal()->GetCouleur());
}

QTEST_MAIN(TFenCarteParagTest)
#include "TFenCarteParagTest.moc"
