#pragma once
// The text files of the analysis programs: read line by line ("coran.don", "cah.txt"), and written whole
// or not at all ("facteurs.txt", "vp.txt", "cah.txt"), so that a crash or a full disk never leaves a
// file cut short that would read as a result.
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace t3 {

// The lines of a text, read one after the other, their LF or CR LF removed.
class Lignes {
  public:
    explicit Lignes(std::string_view texte) : m_texte(texte) {}
    // The next line; false at the end of the text (a last line without LF is still a line).
    bool Suivante(std::string_view& ligne);
    // The number of the line last read, from 1; 0 before the first.
    int64_t Numero() const { return m_numero; }

  private:
    std::string_view m_texte;
    size_t m_pos = 0;
    int64_t m_numero = 0;
};

// Replaces the file at chemin by texte, whole or not at all. A failure gets code 2 and the French message
// "Impossible d'écrire le fichier « chemin » : cause.", the earlier file being left as it was.
Resultat<void> EcritFichierResultat(const std::filesystem::path& chemin, std::string_view texte);

} // namespace t3
