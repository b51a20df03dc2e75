#pragma once
// The toolbar Panel1 and the menu items of the main window, built from a list of commands: each command
// is one action shared by its toolbar button (named after the command, BtnDocu) and its menu item, so
// that both do the same and follow the same enabling. The commands that need a base wait for one.
#include <QHash>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class QWidget;

namespace t3ui {

struct CommandeCadre {
    int rang; // place on the toolbar
    QString nom, glyphe;
    int teinte;
    QString aide; // the button's hint
    bool base;    // waits for a base
    std::function<void()> action;
    QString menu, article; // the menu item, if any
    int placeMenu = 0;     // its place among the items of its menu
    QString raccourci;
};

class BarreCommandes : public QObject {
    Q_OBJECT
  public:
    static constexpr int DureeBulles = 4000;

    // The toolbar of the frame: the logo, then the commands by rank with the widget enTete standing
    // before the first command ranked above rangWidget; the menus in the order of menus, each item at its
    // place (a separator above the last item of "&Fichier").
    BarreCommandes(QMainWindow* cadre, std::vector<CommandeCadre> commandes, QWidget* widget, int rangWidget,
                   const QStringList& menus);

    QAction* Commande(const QString& nom) const { return m_actions.value(nom); }
    QWidget* Bouton(const QString& nom) const;
    QMenu* Menu(const QString& titre) const { return m_menus.value(titre); }
    void ActiveCommandesBase();

  protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

  private:
    void ConstruitMenus(QMainWindow* cadre, const QStringList& menus);
    void AjusteLogo();
    void SuitTaches();

    std::vector<CommandeCadre> m_commandes;
    QToolBar* m_barre;
    QAction* m_logo;
    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    QHash<QAction*, bool> m_activesAvantTache; // the commands disabled for a long command, and their state
};

} // namespace t3ui
