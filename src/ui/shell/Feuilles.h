#pragma once
// The sheets: tabs on the right edge, numbered "Feuille N" from 1 in creation order and never removed;
// a new sheet becomes the current one, so that each base opened gets its own. Each has the list of the MDI
// children that were visible when the user last left it. Switching sheets hides the windows of the sheet left
// and shows and tiles those of the sheet reached.
#include <QList>
#include <QObject>
#include <QPointer>

#include <vector>

class QMdiArea;
class QMenu;
class QTabBar;
class QWidget;

namespace t3ui {

class Feuilles : public QObject {
    Q_OBJECT
  public:
    explicit Feuilles(QMdiArea* mdi);

    QTabBar* Onglets() const { return m_onglets; }
    // Appends a sheet and makes it current (the windows of the sheet left wait on it), unless
    // devientCourante is false.
    void AjouteFeuille(bool devientCourante = true);
    int NbFeuilles() const { return static_cast<int>(m_feuilles.size()); }
    // The windows recorded for a sheet (those visible when the user last left it).
    QList<QWidget*> FenetresFeuille(int feuille) const;
    // The move menu for the active child window: "Nouvelle feuille", then the other sheets.
    QMenu* MenuDeplacement(QWidget* parent);
    void DeplaceVersFeuille(int feuille);

  private:
    void ChangeFeuille(int nouvelle);

    QMdiArea* m_mdi;
    QTabBar* m_onglets;
    int m_compteur = 0;
    std::vector<QList<QPointer<QWidget>>> m_feuilles;
    int m_active = -1;
};

} // namespace t3ui
