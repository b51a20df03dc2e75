#pragma once
// A binary file of 32-bit little-endian values, open for reading and writing, written at its end and read
// anywhere. The repeated segments keep the text positions of their occurrences in such a file.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace t3 {

class FichierPositions {
  public:
    FichierPositions() = default;
    ~FichierPositions();
    FichierPositions(const FichierPositions&) = delete;
    FichierPositions& operator=(const FichierPositions&) = delete;

    // Creates the file empty (truncating it) and keeps it open; false when it cannot be created.
    bool Ouvre(const std::string& nom);
    void Ferme();
    bool EstOuvert() const { return m_fichier != nullptr; }

    // Byte offset at which the next value will be written: the size of the file.
    int64_t Taille() const { return m_taille; }
    // Appends the values at the end of the file; false when the file is closed or the write fails.
    bool Ajoute(const int32_t* valeurs, size_t nombre);
    // The nombre values stored from byte offset; empty when the file is closed, the range lies outside
    // what was written or the read fails.
    std::vector<int32_t> Lit(int64_t offset, int32_t nombre);
    // Writes out what is buffered; false when the file is closed or the write fails.
    bool Vide();

  private:
    std::FILE* m_fichier = nullptr;
    int64_t m_taille = 0;
    bool m_dernierEstEcriture = false; // a read after a write, or a write after a read, must seek first
    bool m_enErreur = false;
};

} // namespace t3
