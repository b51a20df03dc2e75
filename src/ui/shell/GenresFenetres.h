#pragma once
// The kinds of analysis windows, each described once by a small record that its own file registers
// with T3_GENRE_FENETRE, with its scope: what it is opened on. A kind of the workbench or of a base has
// its toolbar button and menu item (one command shared by both), where it opens, and the function that
// creates it from the workbench's services; the main window builds its toolbar and menus from these
// records. A kind of a partition has the item under each partition's navigation item that lists its
// windows, and the buttons by which the partition's windows (the statistics window, the factor plots)
// open it; they build their buttons, and the navigation tree the partition's items, from these records.
// Adding a window kind is its own files and one registration.
#include "ui/shell/TFenNavig.h"

#include <QString>

#include <functional>
#include <vector>

class QAbstractButton;
class QWidget;

namespace t3 {
class Partition;
class charg1;
} // namespace t3

namespace t3ui {

class ServicesAtelier;
class ServicesPlacement;

// What a window of the kind is opened on.
enum class Portee {
    Atelier,   // nothing: it opens without a base
    Base,      // the open base
    Partition, // a partition of a base, from the windows of that partition
    Sections,  // a set of sections of a base
};

// The windows that offer a partition's commands as buttons.
enum class HotePartition {
    Statistiques,  // the statistics window, its column of buttons
    PlanFactoriel, // a factor plot, below its colour grid
};

using ActionPartition = std::function<void(ServicesAtelier& services, QWidget* parent, t3::Partition&)>;

// A button that a window of a partition shows to run a command on it.
struct BoutonPartition {
    HotePartition hote = HotePartition::Statistiques;
    int rang = 0;  // order among the host's buttons
    QString nom;   // the button's object name (BtnSpecif)
    QString texte; // its caption
    QString aide;  // its hint, if any
    ActionPartition action;
};

// Where a window of the kind is placed once created.
enum class Lieu {
    Mdi,          // an MDI child of the current sheet
    ListesGauche, // a page of the left panel
    Aucun,        // the window places itself (a modal dialog that opens other windows)
};

struct GenreFenetre {
    Portee portee = Portee::Base;
    // Place on the toolbar among the commands (see TFenPrinc); the kinds that open with a base open in
    // this order too; for a partition's kind, the place of its item under the partition's.
    int rang = 0;
    QString nom;    // the button's name (BtnDocu); none for a kind without a button
    QString glyphe; // the drawn glyph of the button and its hue
    int teinte = 0;
    QString aide; // the button's hint
    // Its menu item, if any: menu caption, item caption, place among the items, shortcut.
    QString menu;
    QString article;
    int placeMenu = 0;
    QString raccourci;
    // Opened for every base as soon as it is open (the dictionary, the text view).
    bool avecBase = false;
    Lieu lieu = Lieu::Mdi;
    // The status text while it opens ("Affichage du dictionnaire"), if any.
    QString statut;
    // The navigation item of its base that lists it ("Texte", "Dictionnaire"), if any: selecting that
    // item brings the window forward, or opens it again once it was closed.
    GenreNoeud noeud = GenreNoeud::Aucun;
    // Creates the window on a base (the open one for a command) or returns null when there is nothing
    // to show; may be null for a command whose window is not built yet: its button and menu item are
    // then present and do nothing.
    QWidget* (*cree)(ServicesAtelier& services, t3::charg1* base) = nullptr;

    // A partition's kind: the caption of the item under the partition's item that lists its windows
    // ("Graphiques", "AFC"), the item's image (-1: the default one), and its buttons.
    QString rubrique;
    int imageRubrique = -1;
    std::vector<BoutonPartition> boutons;
};

bool EnregistreGenre(const GenreFenetre& genre);
// Every registered kind, by rank.
const std::vector<GenreFenetre>& GenresFenetres();
// The kinds of a scope, by rank.
std::vector<const GenreFenetre*> GenresDePortee(Portee portee);
// The buttons that the host shows, by rank, each made (object name, caption, hint) and connected to its
// action on the partition, with the host as the parent of its dialogs.
// Places a window of a partition's kind as an MDI child of the current sheet (maximised when asked) and
// lists it under the partition's rubric as prefixe followed by its number there. Returns the window.
QWidget* PlaceFenetrePartition(ServicesPlacement& services, const t3::Partition& partition, QWidget* fenetre,
                               const QString& rubrique, const QString& prefixe, bool maximisee = false);
std::vector<QAbstractButton*> CreeBoutonsPartition(HotePartition hote, ServicesAtelier& services,
                                                   QWidget* fenetre, t3::Partition* partition);

} // namespace t3ui

#define T3_GENRE_CONCAT_(a, b) a##b
#define T3_GENRE_CONCAT(a, b) T3_GENRE_CONCAT_(a, b)
// Registers a window kind from its own file: T3_GENRE_FENETRE(GenreFenetre{...}).
#define T3_GENRE_FENETRE(...)                                                                                \
    static const bool T3_GENRE_CONCAT(t3GenreEnregistre, __LINE__) = ::t3ui::EnregistreGenre(__VA_ARGS__)
