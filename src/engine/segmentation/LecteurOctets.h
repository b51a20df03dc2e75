#pragma once
// A buffered reader of a file's bytes for the scans of the corpus text: one byte at a time where the
// scan needs it, or a run of bytes held contiguous in the buffer (a form is looked up where it lies).
#include "engine/socle/TaillesTampons.h"

#include <cstddef>
#include <cstdio>
#include <memory>

namespace t3 {

class LecteurOctets {
  public:
    // Bytes readable past the end of the filled part of the buffer, so that a word-at-a-time hash may
    // read a few bytes beyond a token's end without leaving the buffer.
    static constexpr size_t Marge = 16;

    LecteurOctets() = default;
    ~LecteurOctets() { Ferme(); }
    LecteurOctets(const LecteurOctets&) = delete;
    LecteurOctets& operator=(const LecteurOctets&) = delete;

    bool Ouvre(const char* chemin);
    void Ferme();
    // True when the file could not be read to its end.
    bool EnErreur() const { return m_erreur; }

    // The next byte (0 to 255), or -1 at the end of the file.
    int Lit() {
        if (m_pos == m_fin && !Remplit(1)) return -1;
        return m_tampon[m_pos++];
    }
    // Gives back the last byte read.
    void Rend() { --m_pos; }

    // Makes at least n bytes readable from Courant() unless the file ends first; returns how many are.
    size_t Assure(size_t n) {
        if (m_fin - m_pos < n) Remplit(n);
        return m_fin - m_pos;
    }
    size_t Disponible() const { return m_fin - m_pos; }
    const unsigned char* Courant() const { return m_tampon.get() + m_pos; }
    void Avance(size_t n) { m_pos += n; }

  private:
    static constexpr size_t Taille = TailleTamponLecture;
    bool Remplit(size_t n);

    std::FILE* m_fichier = nullptr;
    std::unique_ptr<unsigned char[]> m_tampon;
    size_t m_pos = 0;
    size_t m_fin = 0;
    bool m_finFichier = false;
    bool m_erreur = false;
};

} // namespace t3
