#include "engine/socle/Cp1252.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace t3 {

namespace {

constexpr std::array<char16_t, 32> Plage80a9F = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

int OctetCp1252(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<int>(u);
    for (int i = 0; i < 32; ++i)
        if (Plage80a9F[i] == u) return 0x80 + i;
    return -1;
}

void AjouteUtf8(std::string& sortie, char32_t u) {
    if (u < 0x80) {
        sortie += static_cast<char>(u);
    } else if (u < 0x800) {
        sortie += static_cast<char>(0xC0 | (u >> 6));
        sortie += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        sortie += static_cast<char>(0xE0 | (u >> 12));
        sortie += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        sortie += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        sortie += static_cast<char>(0xF0 | (u >> 18));
        sortie += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        sortie += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        sortie += static_cast<char>(0x80 | (u & 0x3F));
    }
}

size_t LongueurSequenceUtf8(unsigned char c) {
    // Lead bytes C0, C1 (overlong forms only) and F5 to FF begin no sequence.
    return c >= 0xF0 && c < 0xF5 ? 4 : c >= 0xE0 && c < 0xF0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
}

size_t ProchainNonAscii(std::string_view t, size_t i) {
    for (; i + 8 <= t.size(); i += 8) { // eight bytes at a time
        uint64_t w;
        std::memcpy(&w, t.data() + i, 8);
        if (w & 0x8080808080808080ull) break;
    }
    while (i < t.size() && static_cast<unsigned char>(t[i]) < 0x80)
        ++i;
    return i;
}

size_t DecodeUtf8(std::string_view texte, size_t i, char32_t& u) {
    const auto octet = [&](size_t k) { return static_cast<unsigned char>(texte[k]); };
    const unsigned char c = octet(i);
    const size_t n = LongueurSequenceUtf8(c);
    if (n == 0 || i + n > texte.size()) return 0;
    u = c & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) {
        if ((octet(i + k) & 0xC0) != 0x80) return 0;
        u = (u << 6) | (octet(i + k) & 0x3F);
    }
    const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (u < minimum[n] || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return 0;
    return n;
}

char16_t UnicodeDeCp1252(unsigned char c) {
    return c >= 0x80 && c < 0xA0 ? Plage80a9F[c - 0x80] : c;
}

std::u16string Cp1252VersUtf16(std::string_view texte) {
    std::u16string sortie(texte.size(), u'\0');
    for (size_t i = 0; i < texte.size(); ++i)
        sortie[i] = UnicodeDeCp1252(static_cast<unsigned char>(texte[i]));
    return sortie;
}

std::string Cp1252VersUtf8(std::string_view texte) {
    std::string sortie;
    sortie.reserve(texte.size() + texte.size() / 8);
    for (unsigned char c : texte)
        AjouteUtf8(sortie, UnicodeDeCp1252(c));
    return sortie;
}

std::string Utf8VersCp1252(std::string_view texte) {
    std::string sortie;
    sortie.reserve(texte.size());
    for (size_t i = 0; i < texte.size();) {
        const unsigned char c = static_cast<unsigned char>(texte[i]);
        char32_t u = 0;
        const size_t n = c < 0x80 ? 0 : DecodeUtf8(texte, i, u);
        if (n == 0) {
            sortie += static_cast<char>(c);
            ++i;
            continue;
        }
        const int octet = OctetCp1252(u);
        sortie += octet < 0 ? '?' : static_cast<char>(octet);
        i += n;
    }
    return sortie;
}

std::string HorsCp1252(std::string_view texte) {
    std::string absents;
    for (size_t i = 0; i < texte.size();) {
        const unsigned char c = static_cast<unsigned char>(texte[i]);
        char32_t u = 0;
        const size_t n = c < 0x80 ? 0 : DecodeUtf8(texte, i, u);
        if (n == 0) {
            ++i;
            continue;
        }
        const std::string_view caractere = texte.substr(i, n);
        if (OctetCp1252(u) < 0 && absents.find(caractere) == std::string::npos) absents += caractere;
        i += n;
    }
    return absents;
}

} // namespace t3
