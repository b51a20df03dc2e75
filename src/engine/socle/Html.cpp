#include "engine/socle/Html.h"

namespace t3 {

void AjouteEchappe(std::string& sortie, std::string_view texte) {
    size_t debut = 0;
    for (size_t i = 0; i < texte.size(); ++i) {
        const char* entite = nullptr;
        switch (texte[i]) {
        case '&':
            entite = "&amp;";
            break;
        case '<':
            entite = "&lt;";
            break;
        case '>':
            entite = "&gt;";
            break;
        default:
            continue;
        }
        sortie.append(texte, debut, i - debut);
        sortie += entite;
        debut = i + 1;
    }
    sortie.append(texte, debut, texte.size() - debut);
}

std::string EchappeHtml(std::string_view texte) {
    std::string sortie;
    sortie.reserve(texte.size());
    AjouteEchappe(sortie, texte);
    return sortie;
}

} // namespace t3
