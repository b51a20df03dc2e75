#include "ui/shell/Dialogues.h"

#include "ui/shell/AideContextuelle.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPointer>
#include <QProcess>
#include <QShortcut>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

#include <deque>
#include <utility>

namespace t3ui::Dialogues {
namespace {

struct ReponseDialogue {
    int resultat;
    std::function<void(QDialog*)> remplit;
};

struct Reponses {
    std::deque<QMessageBox::StandardButton> boutons;
    std::deque<ReponseDialogue> dialogues;
    std::deque<QStringList> fichiers;
    std::deque<ChoixEnregistrement> enregistrements;
    std::deque<QColor> couleurs;
    std::deque<bool> ouvertures;
    QStringList messages;
    QStringList documents;
    bool sansAttente = false;
};

Reponses& Attente() {
    static Reponses reponses;
    return reponses;
}

template <typename T> bool Prend(std::deque<T>& file, T& valeur) {
    if (file.empty()) return false;
    valeur = std::move(file.front());
    file.pop_front();
    return true;
}

} // namespace

QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icone, const QString& titre,
                                    const QString& texte, QMessageBox::StandardButtons boutons) {
    Attente().messages << titre + "|" + texte;
    QMessageBox::StandardButton reponse;
    if (Prend(Attente().boutons, reponse)) return reponse;
    if (Attente().sansAttente) return boutons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    QMessageBox boite(icone, titre, texte, boutons, parent);
    return static_cast<QMessageBox::StandardButton>(boite.exec());
}

void Information(QWidget* parent, const QString& texte) {
    Message(parent, QMessageBox::NoIcon, QStringLiteral("Tessaron3"), texte);
}

namespace {

// The window manager cuts a title longer than its bar ("Param… ficités"): the dialog is made wide
// enough for its title, the title bar's icon and buttons besides.
void ElargitPourSonTitre(QDialog* dialogue) {
    QFont gras = dialogue->font();
    gras.setBold(true);
    const int titre = QFontMetrics(gras).horizontalAdvance(dialogue->windowTitle()) + 140;
    if (dialogue->property("largeurTitre").toInt() >= titre) return;
    dialogue->setProperty("largeurTitre", titre);
    // A layout of fixed size sets the dialog's width from its contents: a strut widens them.
    if (auto* colonne = qobject_cast<QVBoxLayout*>(dialogue->layout()))
        colonne->addSpacerItem(new QSpacerItem(titre - 2 * colonne->contentsMargins().left(), 0));
    else if (dialogue->minimumWidth() < titre)
        dialogue->setMinimumWidth(titre);
    if (dialogue->width() < titre) dialogue->resize(titre, dialogue->height());
}

} // namespace

QString Phrase(const std::string& message) {
    QString phrase = QString::fromStdString(message).trimmed();
    if (phrase.isEmpty()) return phrase;
    phrase[0] = phrase[0].toUpper();
    if (!phrase.endsWith('.') && !phrase.endsWith('!') && !phrase.endsWith('?') &&
        !phrase.endsWith(QChar(0x2026)))
        phrase += '.';
    return phrase;
}

void MessageMoteur(QWidget* parent, const std::string& message, const QString& avant) {
    Information(parent, avant + Phrase(message));
}

int Execute(QDialog* dialogue) {
    ElargitPourSonTitre(dialogue);
    auto* aide = new QShortcut(QKeySequence::HelpContents, dialogue);
    QObject::connect(aide, &QShortcut::activated, dialogue, [dialogue] { OuvreAide(dialogue, dialogue); });
    ReponseDialogue reponse;
    // An answer given in advance is the user's: an OK goes through the dialog's accept(), which may
    // refuse the fields and stay open; the next answer then plays the user's correction, and without
    // one the user gives up.
    bool repondu = false;
    while (Prend(Attente().dialogues, reponse)) {
        repondu = true;
        if (reponse.remplit) reponse.remplit(dialogue);
        if (reponse.resultat != QDialog::Accepted) {
            dialogue->done(reponse.resultat);
            return reponse.resultat;
        }
        dialogue->setResult(QDialog::Rejected);
        dialogue->accept();
        if (dialogue->result() == QDialog::Accepted) return QDialog::Accepted;
    }
    if (repondu) return QDialog::Rejected;
    if (Attente().sansAttente) return QDialog::Rejected;
    return dialogue->exec();
}

QString FichierAOuvrir(QWidget* parent, const QString& titre, const QString& filtre) {
    QStringList chemins;
    if (Prend(Attente().fichiers, chemins)) return chemins.value(0);
    if (Attente().sansAttente) return {};
    return QFileDialog::getOpenFileName(parent, titre, QString(), filtre, nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

QStringList FichiersAOuvrir(QWidget* parent, const QString& titre, const QString& filtre) {
    QStringList chemins;
    if (Prend(Attente().fichiers, chemins)) return chemins;
    if (Attente().sansAttente) return {};
    return QFileDialog::getOpenFileNames(parent, titre, QString(), filtre, nullptr,
                                         QFileDialog::DontUseNativeDialog);
}

QString FichierAEnregistrer(QWidget* parent, const QString& titre, const QString& filtre) {
    QStringList chemins;
    if (Prend(Attente().fichiers, chemins)) return chemins.value(0);
    if (Attente().sansAttente) return {};
    return QFileDialog::getSaveFileName(parent, titre, QString(), filtre, nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

ChoixEnregistrement FichierEtFormatAEnregistrer(QWidget* parent, const QString& titre,
                                                const QStringList& filtres, const QString& nomPropose) {
    ChoixEnregistrement choix;
    if (Prend(Attente().enregistrements, choix)) return choix;
    QStringList chemins;
    if (Prend(Attente().fichiers, chemins)) return {chemins.value(0), filtres.value(0)};
    if (Attente().sansAttente) return {};
    choix.filtre = filtres.value(0);
    choix.chemin = QFileDialog::getSaveFileName(parent, titre, nomPropose, filtres.join(";;"), &choix.filtre,
                                                QFileDialog::DontUseNativeDialog);
    return choix;
}

QColor ChoisitCouleur(QWidget* parent, const QColor& initiale) {
    QColor couleur;
    if (Prend(Attente().couleurs, couleur)) return couleur;
    if (Attente().sansAttente) return {};
    return QColorDialog::getColor(initiale, parent);
}

void OuvreDocument(QWidget* parent, const QString& chemin, const QString& ancre) {
    Attente().documents << (ancre.isEmpty() ? chemin : chemin + "#" + ancre);
    QUrl adresse = QUrl::fromLocalFile(chemin);
    if (!ancre.isEmpty()) adresse.setFragment(ancre);
    QPointer<QWidget> fenetre(parent);
    auto echec = [fenetre, chemin] {
        Message(fenetre, QMessageBox::Warning, "Tessaron3",
                QString("Aucun programme n'a pu ouvrir « %1 ».").arg(chemin));
    };
    if (!QFileInfo::exists(chemin)) {
        Message(parent, QMessageBox::Warning, "Tessaron3",
                QString("Le fichier « %1 » n'existe pas.").arg(chemin));
        return;
    }
    bool reussie = false;
    if (Prend(Attente().ouvertures, reussie)) {
        if (!reussie) echec();
        return;
    }
    if (Attente().sansAttente) return;
    // xdg-open tells by its status whether a program took the file; without it, Qt's own request.
    const QString ouvreur = QStandardPaths::findExecutable("xdg-open");
    if (ouvreur.isEmpty()) {
        if (!QDesktopServices::openUrl(adresse)) echec();
        return;
    }
    auto* processus = new QProcess;
    QObject::connect(processus, &QProcess::finished, processus,
                     [processus, echec](int code, QProcess::ExitStatus etat) {
                         if (code != 0 || etat != QProcess::NormalExit) echec();
                         processus->deleteLater();
                     });
    QObject::connect(processus, &QProcess::errorOccurred, processus,
                     [processus, echec](QProcess::ProcessError erreur) {
                         if (erreur != QProcess::FailedToStart) return;
                         echec();
                         processus->deleteLater();
                     });
    // A page is opened at its section by its address; any other document by its path.
    processus->start(ouvreur, {ancre.isEmpty() ? chemin : adresse.toString()});
}

void RepondBouton(QMessageBox::StandardButton bouton) {
    Attente().boutons.push_back(bouton);
}
void RepondDialogue(int resultat, std::function<void(QDialog*)> remplit) {
    Attente().dialogues.push_back({resultat, std::move(remplit)});
}
void RepondFichiers(const QStringList& chemins) {
    Attente().fichiers.push_back(chemins);
}
void RepondEnregistrement(const QString& chemin, const QString& filtre) {
    Attente().enregistrements.push_back({chemin, filtre});
}
void RepondCouleur(const QColor& couleur) {
    Attente().couleurs.push_back(couleur);
}
void RepondOuverture(bool reussie) {
    Attente().ouvertures.push_back(reussie);
}
const QStringList& DocumentsOuverts() {
    return Attente().documents;
}
const QStringList& MessagesAffiches() {
    return Attente().messages;
}
void SansAttente(bool actif) {
    Attente().sansAttente = actif;
}
void Oublie() {
    const bool sansAttente = Attente().sansAttente;
    Attente() = Reponses{};
    Attente().sansAttente = sansAttente;
}

} // namespace t3ui::Dialogues
