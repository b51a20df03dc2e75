#include "engine/socle/Sha256.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace t3 {

namespace {

constexpr uint32_t K[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr uint32_t Rot(uint32_t x, int n) {
    return (x >> n) | (x << (32 - n));
}

} // namespace

Sha256::Sha256()
    : m_etat{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19} {
}

void Sha256::Bloc(const uint8_t* bloc) {
    uint32_t w[64];
    for (int i = 0; i < 16; ++i)
        w[i] = uint32_t{bloc[4 * i]} << 24 | uint32_t{bloc[4 * i + 1]} << 16 |
               uint32_t{bloc[4 * i + 2]} << 8 | uint32_t{bloc[4 * i + 3]};
    for (int i = 16; i < 64; ++i) {
        const uint32_t s0 = Rot(w[i - 15], 7) ^ Rot(w[i - 15], 18) ^ (w[i - 15] >> 3);
        const uint32_t s1 = Rot(w[i - 2], 17) ^ Rot(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    uint32_t a = m_etat[0], b = m_etat[1], c = m_etat[2], d = m_etat[3];
    uint32_t e = m_etat[4], f = m_etat[5], g = m_etat[6], h = m_etat[7];
    for (int i = 0; i < 64; ++i) {
        const uint32_t t1 = h + (Rot(e, 6) ^ Rot(e, 11) ^ Rot(e, 25)) + ((e & f) ^ (~e & g)) + K[i] + w[i];
        const uint32_t t2 = (Rot(a, 2) ^ Rot(a, 13) ^ Rot(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
        h = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    m_etat[0] += a;
    m_etat[1] += b;
    m_etat[2] += c;
    m_etat[3] += d;
    m_etat[4] += e;
    m_etat[5] += f;
    m_etat[6] += g;
    m_etat[7] += h;
}

void Sha256::Ajoute(std::string_view octets) {
    m_longueur += octets.size();
    const auto* p = reinterpret_cast<const uint8_t*>(octets.data());
    size_t reste = octets.size();
    while (reste > 0) {
        if (m_rempli == 0 && reste >= 64) {
            Bloc(p);
            p += 64;
            reste -= 64;
            continue;
        }
        const size_t pris = std::min(reste, 64 - m_rempli);
        std::copy(p, p + pris, m_tampon.begin() + static_cast<ptrdiff_t>(m_rempli));
        m_rempli += pris;
        p += pris;
        reste -= pris;
        if (m_rempli == 64) {
            Bloc(m_tampon.data());
            m_rempli = 0;
        }
    }
}

std::string Sha256::Fin() {
    // The padding: one bit 1, zeros up to 56 bytes of the last block, then the length in bits.
    const uint64_t bits = m_longueur * 8;
    std::string fin(1, '\x80');
    fin.append((m_rempli < 56 ? 55 - m_rempli : 119 - m_rempli), '\0');
    for (int i = 7; i >= 0; --i)
        fin += static_cast<char>(bits >> (8 * i));
    Ajoute(fin);
    static constexpr char Hex[] = "0123456789abcdef";
    std::string texte;
    for (const uint32_t mot : m_etat)
        for (int i = 28; i >= 0; i -= 4)
            texte += Hex[(mot >> i) & 0xF];
    return texte;
}

std::string Sha256Hex(std::string_view octets) {
    Sha256 empreinte;
    empreinte.Ajoute(octets);
    return empreinte.Fin();
}

Resultat<EmpreinteFichier> Sha256Fichier(const std::string& chemin) {
    std::FILE* f = std::fopen(chemin.c_str(), "rb");
    if (!f) return Echec{1, "Le fichier " + chemin + " n'a pas pu être lu."};
    Sha256 empreinte;
    EmpreinteFichier resultat;
    const auto bloc = std::make_unique<char[]>(1 << 16);
    size_t lu;
    while ((lu = std::fread(bloc.get(), 1, 1 << 16, f)) > 0) {
        empreinte.Ajoute(std::string_view(bloc.get(), lu));
        resultat.taille += static_cast<int64_t>(lu);
    }
    const bool erreur = std::ferror(f);
    std::fclose(f);
    if (erreur) return Echec{1, "Le fichier " + chemin + " n'a pas pu être lu."};
    resultat.sha256 = empreinte.Fin();
    return resultat;
}

} // namespace t3
