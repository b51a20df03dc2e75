// The analysis commands whose windows arrive later: their buttons and menu items are in place and
// follow the base, and do nothing yet. Each moves into its window's own file when the window is built.
#include "shell/GenresFenetres.h"

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
T3_GENRE_FENETRE(GenreFenetre{
    .rang = 80, .nom = "BtnSelFormes", .glyphe = "{ }", .teinte = 30, .aide = "Groupe de formes"});

} // namespace t3ui
