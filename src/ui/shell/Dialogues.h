#pragma once
// Every modal exchange with the user goes through here: message boxes, questions, file dialogs and
// modal dialogs. A test answers them in advance (Repond...), so that nothing ever blocks; each answer
// given in advance is used by the next call of its kind, in order.
#include <QColor>
#include <QDialog>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

namespace t3ui::Dialogues {

// --- Calls of the windows
QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icone, const QString& titre,
                                    const QString& texte,
                                    QMessageBox::StandardButtons boutons = QMessageBox::Ok);
// A plain message titled "Tessaron3".
void Information(QWidget* parent, const QString& texte);
// An engine's message (UTF-8, written to follow "t3 : ") as a sentence: a capital letter and a full stop,
// the same in every window.
QString Phrase(const std::string& message);
// Information(parent, avant + Phrase(message)).
void MessageMoteur(QWidget* parent, const std::string& message, const QString& avant = {});
// Runs a dialog modally, wide enough for its title, F1 opening the manual at its section; its result
// (QDialog::Accepted or Rejected).
int Execute(QDialog* dialogue);
// The chosen path, or an empty text on cancel.
QString FichierAOuvrir(QWidget* parent, const QString& titre, const QString& filtre);
QStringList FichiersAOuvrir(QWidget* parent, const QString& titre, const QString& filtre);
QString FichierAEnregistrer(QWidget* parent, const QString& titre, const QString& filtre);
// A file to write in one of several formats: the chosen path and the filter chosen with it (one of
// filtres); an empty path on cancel. The dialog starts on nomPropose and the first filter.
struct ChoixEnregistrement {
    QString chemin;
    QString filtre;
};
ChoixEnregistrement FichierEtFormatAEnregistrer(QWidget* parent, const QString& titre,
                                                const QStringList& filtres, const QString& nomPropose);
// The chosen colour, or an invalid colour on cancel.
QColor ChoisitCouleur(QWidget* parent, const QColor& initiale);
// Opens a file with the desktop's program for it (the help page, the published report); a file that
// does not exist, or that no program could open, is said so with its path.
void OuvreDocument(QWidget* parent, const QString& chemin, const QString& ancre = {});

// --- Answers given in advance by the tests
void RepondBouton(QMessageBox::StandardButton bouton);
// The dialog is handed to remplit (to fill its fields) before it closes with resultat; an OK that the
// dialog refuses (it stays open) is followed by the next answer, as the user would correct the fields.
void RepondDialogue(int resultat, std::function<void(QDialog*)> remplit = {});
void RepondFichiers(const QStringList& chemins); // empty: the user cancels
// The answer of FichierEtFormatAEnregistrer (an empty path: the user cancels); FichierEtFormatAEnregistrer
// also takes an answer of RepondFichiers, with the first filter.
void RepondEnregistrement(const QString& chemin, const QString& filtre);
void RepondCouleur(const QColor& couleur); // invalid: the user cancels
void RepondOuverture(bool reussie);        // whether the desktop's program opened the document
// Every document asked to be opened so far; cleared by Oublie.
const QStringList& DocumentsOuverts();
// Every message shown so far ("title|text"), answered or not; cleared by Oublie.
const QStringList& MessagesAffiches();
// With no answer given in advance: when set, a message is answered by its first button (Ok, Yes) and
// every other call by a cancel, without showing anything.
void SansAttente(bool actif);
void Oublie();

} // namespace t3ui::Dialogues
