#pragma once
// The status bar of the main window: the progress bar (0 to 200) in the first panel, the text of the
// operation in progress in the second, the path of the open base in the third; and the progress
// callbacks that the engine's long computations step. While a long command runs off the interface thread,
// the bar follows it and "Annuler" stops it.
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>

class QLabel;
class QProgressBar;
class QStatusBar;
class QToolButton;

namespace t3ui {

class BarreEtat : public QObject {
    Q_OBJECT
  public:
    explicit BarreEtat(QStatusBar* barre);

    void SetStatusText(const QString& texte);
    void SetCheminBase(const QString& chemin);
    // The text of panel 1 or 2.
    QString TexteStatut(int panneau) const;
    void ResetProgress();
    // Steps the bar by pas at each call; the bar is repainted at once, the computation holding the
    // event loop.
    std::function<void(int32_t)> Jauge(int pas);
    QProgressBar* Progression() const { return m_progression; }
    QToolButton* Annuler() const { return m_annuler; }

  private:
    void Avance(int pas);
    void SuitTaches();

    QProgressBar* m_progression;
    QToolButton* m_annuler;
    QElapsedTimer m_peinte; // since the bar was last painted
    QLabel* m_statut[3] = {};
    QString m_statutAvantTache;
};

} // namespace t3ui
