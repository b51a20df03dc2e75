#include "engine/segmentation/LecteurOctets.h"

#include <cstring>

namespace t3 {

bool LecteurOctets::Ouvre(const char* chemin) {
    Ferme();
    m_fichier = std::fopen(chemin, "rb");
    if (!m_fichier) return false;
    if (!m_tampon)
        m_tampon = std::make_unique<unsigned char[]>(Taille + Marge); // zeroed: the margin is defined
    m_pos = m_fin = 0;
    m_finFichier = m_erreur = false;
    return true;
}

void LecteurOctets::Ferme() {
    if (m_fichier) std::fclose(m_fichier);
    m_fichier = nullptr;
}

bool LecteurOctets::Remplit(size_t n) {
    if (m_pos > 0) {
        std::memmove(m_tampon.get(), m_tampon.get() + m_pos, m_fin - m_pos);
        m_fin -= m_pos;
        m_pos = 0;
    }
    while (m_fin < n && !m_finFichier && m_fichier) {
        const size_t lus = std::fread(m_tampon.get() + m_fin, 1, Taille - m_fin, m_fichier);
        m_fin += lus;
        if (lus == 0) {
            m_finFichier = true;
            m_erreur = std::ferror(m_fichier) != 0;
        }
    }
    std::memset(m_tampon.get() + m_fin, 0, Marge);
    return m_fin >= n;
}

} // namespace t3
