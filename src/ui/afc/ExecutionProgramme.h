#pragma once
// Runs an analysis program ("ts3afc", "ts3cah") in the work folder of a base while the workbench keeps
// painting: a small window says what runs and offers "Annuler", the status text names the work and the
// progress bar pulses; the program is killed when the user cancels or when it outlasts the time limit.
#include <QString>

#include <chrono>

class QWidget;

namespace t3ui {

class ServicesAtelier;

enum class IssueProgramme {
    Termine,      // ended by itself, with its exit code
    Introuvable,  // neither beside the workbench nor on the PATH
    NonLance,     // found but could not be started
    Annule,       // the user cancelled; the program was killed
    DelaiDepasse, // killed at the time limit
    Plante,       // ended by a signal
};

struct ResultatProgramme {
    IssueProgramme issue = IssueProgramme::NonLance;
    int code = 0;    // the exit code when Termine
    QString erreurs; // the end of what the program wrote on its error stream, or why it did not start
    bool Reussi() const { return issue == IssueProgramme::Termine && code == 0; }
};

// Runs the program nom (found beside the workbench, then on the PATH) with no argument in dossier, and
// waits for it while processing events; texte is the status text shown meanwhile.
ResultatProgramme LanceProgrammeAnalyse(ServicesAtelier& services, QWidget* parent, const char* nom,
                                        const QString& dossier, const QString& texte);

// Why a run went wrong, in French, naming the program; empty for a success or a cancel.
QString ExpliqueEchec(const ResultatProgramme& resultat, const char* nom);

// The time after which a program is stopped: 30 minutes at start; the tests shorten it.
std::chrono::milliseconds DelaiProgramme();
void SetDelaiProgramme(std::chrono::milliseconds delai);

} // namespace t3ui
