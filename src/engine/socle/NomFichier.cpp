#include "engine/socle/NomFichier.h"

namespace t3 {

std::string NomFichierSur(std::string_view texte) {
    std::string nom;
    nom.reserve(texte.size());
    for (const char c : texte) {
        const bool sur = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                         c == '-' || c == '_' || c == '.';
        nom += sur ? c : '_';
    }
    return nom;
}

} // namespace t3
