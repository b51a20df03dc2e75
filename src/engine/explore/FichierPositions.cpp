#include "engine/explore/FichierPositions.h"

#include <bit>
#include <sys/types.h>

namespace t3 {

namespace {

// The file holds little-endian values whatever the machine; on a big-endian one each value is turned.
uint32_t Retourne(uint32_t v) {
    return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}

} // namespace

FichierPositions::~FichierPositions() {
    Ferme();
}

bool FichierPositions::Ouvre(const std::string& nom) {
    Ferme();
    m_fichier = std::fopen(nom.c_str(), "w+b");
    m_dernierEstEcriture = false;
    m_enErreur = false;
    if (m_fichier) std::setvbuf(m_fichier, nullptr, _IOFBF, 1 << 16);
    return m_fichier != nullptr;
}

void FichierPositions::Ferme() {
    if (m_fichier) std::fclose(m_fichier);
    m_fichier = nullptr;
    m_taille = 0;
}

bool FichierPositions::Ajoute(const int32_t* valeurs, size_t nombre) {
    if (!m_fichier || m_enErreur) return false;
    if (nombre == 0) return true;
    // The stream may have been read last: it must be placed at the end before writing.
    if (!m_dernierEstEcriture && fseeko(m_fichier, static_cast<off_t>(m_taille), SEEK_SET) != 0) {
        m_enErreur = true;
        return false;
    }
    m_dernierEstEcriture = true;
    size_t ecrits;
    if constexpr (std::endian::native == std::endian::little) {
        ecrits = std::fwrite(valeurs, 4, nombre, m_fichier);
    } else {
        std::vector<uint32_t> tournes(nombre);
        for (size_t i = 0; i < nombre; ++i)
            tournes[i] = Retourne(static_cast<uint32_t>(valeurs[i]));
        ecrits = std::fwrite(tournes.data(), 4, nombre, m_fichier);
    }
    if (ecrits != nombre) {
        m_enErreur = true; // the file no longer matches the offsets handed out: refuse what follows
        return false;
    }
    m_taille += static_cast<int64_t>(nombre) * 4;
    return true;
}

std::vector<int32_t> FichierPositions::Lit(int64_t offset, int32_t nombre) {
    if (!m_fichier || m_enErreur || nombre <= 0 || offset < 0 || offset > m_taille) return {};
    if (static_cast<int64_t>(nombre) * 4 > m_taille - offset) return {};
    if (fseeko(m_fichier, static_cast<off_t>(offset), SEEK_SET) != 0) return {};
    m_dernierEstEcriture = false;
    std::vector<int32_t> valeurs(static_cast<size_t>(nombre));
    if (std::fread(valeurs.data(), 4, valeurs.size(), m_fichier) != valeurs.size()) {
        std::clearerr(m_fichier);
        return {};
    }
    if constexpr (std::endian::native != std::endian::little)
        for (int32_t& v : valeurs)
            v = static_cast<int32_t>(Retourne(static_cast<uint32_t>(v)));
    return valeurs;
}

bool FichierPositions::Vide() {
    if (!m_fichier || m_enErreur) return false;
    return std::fflush(m_fichier) == 0;
}

} // namespace t3
