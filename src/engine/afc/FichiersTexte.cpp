#include "engine/afc/FichiersTexte.h"

#include "engine/socle/RemplaceFichier.h"

#include <algorithm>

namespace t3 {

bool Lignes::Suivante(std::string_view& ligne) {
    if (m_pos >= m_texte.size()) return false;
    const size_t fin = std::min(m_texte.find('\n', m_pos), m_texte.size());
    ligne = m_texte.substr(m_pos, fin - m_pos);
    if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
    m_pos = fin + 1;
    ++m_numero;
    return true;
}

Resultat<void> EcritFichierResultat(const std::filesystem::path& chemin, std::string_view texte) {
    if (const int erreur = RemplaceFichier(chemin, texte); erreur != 0)
        // "./vp.txt" of a program run in its folder is named "vp.txt".
        return Echec{2, "Impossible d'écrire le fichier « " + chemin.lexically_normal().string() +
                            " » : " + CauseFichier(erreur) + "."};
    return {};
}

} // namespace t3
