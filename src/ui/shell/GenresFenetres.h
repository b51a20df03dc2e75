#pragma once
// The kinds of analysis windows, each described once by a small record that its own file registers
// with T3_GENRE_FENETRE: its toolbar button and menu item (one command shared by both), whether it needs
// a base, where it opens, and the function that creates it from the workbench's services. The main
// window builds its toolbar and menus from these records; adding a window kind is its own files and one
// registration.
#include "ui/shell/TFenNavig.h"

#include <QString>

#include <vector>

class QWidget;

namespace t3 {
class charg1;
}

namespace t3ui {

class ServicesAtelier;

// Where a window of the kind is placed once created.
enum class Lieu {
    Mdi,          // an MDI child of the current sheet
    ListesGauche, // a page of the left panel
    Aucun,        // the window places itself (a modal dialog that opens other windows)
};

struct GenreFenetre {
    // Place on the toolbar among the commands (see TFenPrinc); the kinds that open with a base open in
    // this order too.
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
    bool besoinBase = true;
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
};

bool EnregistreGenre(const GenreFenetre& genre);
// Every registered kind, by rank.
const std::vector<GenreFenetre>& GenresFenetres();

} // namespace t3ui

#define T3_GENRE_CONCAT_(a, b) a##b
#define T3_GENRE_CONCAT(a, b) T3_GENRE_CONCAT_(a, b)
// Registers a window kind from its own file: T3_GENRE_FENETRE(GenreFenetre{...}).
#define T3_GENRE_FENETRE(...)                                                                                \
    static const bool T3_GENRE_CONCAT(t3GenreEnregistre, __LINE__) = ::t3ui::EnregistreGenre(__VA_ARGS__)
