// The analysis command whose window arrives later: its button and menu item are in place and follow
// the base, and do nothing yet. It moves into its window's own file when the window is built.
#include "ui/shell/GenresFenetres.h"

namespace t3ui {

T3_GENRE_FENETRE(GenreFenetre{.rang = 70,
                              .nom = "BtnParag",
                              .glyphe = "§",
                              .teinte = 120,
                              .aide = "Carte des sections",
                              .menu = "&Traitement",
                              .article = "Carte des &sections",
                              .placeMenu = 1,
                              .lieu = Lieu::Aucun});

} // namespace t3ui
