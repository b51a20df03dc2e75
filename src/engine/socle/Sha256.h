#pragma once
// The SHA-256 digest (FIPS 180-4) of bytes and of files, written as 64 lower-case hexadecimal digits, for
// the manifest of a report: whoever holds a corpus or a base can tell it is the one the report was made
// from.
#include "engine/socle/Resultat.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace t3 {

class Sha256 {
  public:
    Sha256();
    // Adds bytes to the message; may be called any number of times before Fin.
    void Ajoute(std::string_view octets);
    // The digest of every byte added, in hexadecimal; the object is spent.
    std::string Fin();

  private:
    void Bloc(const uint8_t* bloc);

    std::array<uint32_t, 8> m_etat;
    std::array<uint8_t, 64> m_tampon{};
    size_t m_rempli = 0;
    uint64_t m_longueur = 0; // in bytes
};

std::string Sha256Hex(std::string_view octets);

// The digest of the file's bytes and its size, read by blocks; the failure names the file.
struct EmpreinteFichier {
    std::string sha256;
    int64_t taille = 0;
};
Resultat<EmpreinteFichier> Sha256Fichier(const std::string& chemin);

} // namespace t3
