#pragma once
// The long commands run off the interface thread, so that the workbench never freezes: the work runs in a
// worker thread, its progress steps the main bar, "Annuler" in the status bar sets its stop flag. The
// command waits for it in a local event loop (the windows repaint, the other windows answer, timers tick)
// and gets its result whole, or nothing when it was cancelled: what the work built reaches the windows
// only then, so that a cancel leaves everything as it was.
// One long command runs at a time: while it runs, the commands that would conflict with it are disabled
// (they follow TachesDeFond's signals), and closing the workbench asks whether to stop it.
#include "engine/socle/Arret.h"
#include "engine/socle/Resultat.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

class QWidget;

namespace t3ui {

// The long command under way, if any; the one instance is the workbench's.
class TachesDeFond : public QObject {
    Q_OBJECT
  public:
    static TachesDeFond& Instance();

    bool Occupe() const { return m_arret != nullptr; }
    // What the command under way does, as the status bar says it.
    QString Texte() const { return m_texte; }
    // Asks the command under way to stop; it ends at its next check of the flag.
    void Annule();

    // Used by ExecuteEnFond.
    void Commence(const QString& texte, t3::Arret* arret);
    void Avance(int pourMille);
    void Finit();

  signals:
    void Commencee(const QString& texte);
    // Progress from 0 to 1000.
    void Avancee(int pourMille);
    // The command ended (done, cancelled or failed).
    void Finie();

  private:
    t3::Arret* m_arret = nullptr;
    QString m_texte;
};

// Disables widget while a long command runs (a command that would conflict with it).
void DesactivePendantTache(QWidget* widget);

enum class FinTache { Finie, Annulee, Occupee, MemoireManquante };

// Runs travail on a worker thread and waits for it, the interface alive. travail receives the stop flag
// and a progress callback to call about a hundred times per stage (nbEtapes stages). Occupee when another
// long command runs; MemoireManquante when the work ran out of memory (the user is told). A travail that
// ends after "Annuler" was clicked counts as cancelled: its result is dropped. The window that runs the
// command, when given, is not closed under it: closing it stops the command, then closes it.
FinTache ExecuteTache(const QString& texte, int nbEtapes,
                      const std::function<void(const t3::Arret&, const t3::Progression&)>& travail,
                      QWidget* fenetre = nullptr);

// The same for a work that makes a value: the value, or nothing when the command did not end.
template <typename T>
std::optional<T> ExecuteEnFond(const QString& texte, int nbEtapes,
                               const std::function<T(const t3::Arret&, const t3::Progression&)>& travail,
                               QWidget* fenetre = nullptr) {
    std::optional<T> resultat;
    const FinTache finie = ExecuteTache(
        texte, nbEtapes,
        [&resultat, &travail](const t3::Arret& arret, const t3::Progression& progression) {
            resultat.emplace(travail(arret, progression));
        },
        fenetre);
    if (finie != FinTache::Finie) resultat.reset();
    return resultat;
}

} // namespace t3ui
