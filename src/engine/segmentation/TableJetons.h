#pragma once
// The lookup table of the segmentation's articles: open addressing on the hash of the prefixed text,
// grown as the dictionary grows. It decides no order and no number: it only finds an article again.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace t3 {

// A word-at-a-time hash of a token and its class digit. It may read up to 7 bytes past the token's end,
// which its callers keep readable.
inline uint32_t HacheJeton(unsigned char classe, const unsigned char* p, size_t n) {
    uint64_t h = 0x9E3779B97F4A7C15ull * (n + classe);
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t w;
        std::memcpy(&w, p + i, 8);
        h = (h ^ w) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
    }
    if (i < n) {
        uint64_t w;
        std::memcpy(&w, p + i, 8);
        w &= ~0ull >> (64 - 8 * (n - i));
        h = (h ^ w) * 0xC4CEB9FE1A85EC53ull;
    }
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return static_cast<uint32_t>(h);
}

class TableJetons {
public:
    struct Case {
        uint32_t hache;
        int32_t index;     // -1: free
        const char* texte; // class digit, text, zero byte
    };

    void Vide(size_t capacite = 1 << 12) {
        m_cases.assign(capacite, Case{0, -1, nullptr});
        m_masque = capacite - 1;
        m_nombre = 0;
    }

    // The index of the article whose text is classe followed by the n bytes at p, or -1.
    int32_t Trouve(uint32_t h, unsigned char classe, const unsigned char* p, size_t n) const {
        for (size_t i = h & m_masque;; i = (i + 1) & m_masque) {
            const Case& c = m_cases[i];
            if (c.index < 0) return -1;
            if (c.hache == h && static_cast<unsigned char>(c.texte[0]) == classe &&
                std::memcmp(c.texte + 1, p, n) == 0 && c.texte[n + 1] == '\0')
                return c.index;
        }
    }

    void Insere(uint32_t h, int32_t index, const char* texte) {
        if (2 * (m_nombre + 1) > m_cases.size()) Agrandit();
        Place(Case{h, index, texte});
        ++m_nombre;
    }

    // Hints for a batch of lookups: the first case of a hash, and what it points to.
    void Prepare(uint32_t h) const { __builtin_prefetch(&m_cases[h & m_masque]); }
    const Case& Premiere(uint32_t h) const { return m_cases[h & m_masque]; }

private:
    void Place(const Case& nouvelle) {
        size_t i = nouvelle.hache & m_masque;
        while (m_cases[i].index >= 0) i = (i + 1) & m_masque;
        m_cases[i] = nouvelle;
    }
    void Agrandit() {
        std::vector<Case> anciennes;
        anciennes.swap(m_cases);
        m_cases.assign(anciennes.size() * 2, Case{0, -1, nullptr});
        m_masque = m_cases.size() - 1;
        for (const Case& c : anciennes)
            if (c.index >= 0) Place(c);
    }

    std::vector<Case> m_cases;
    size_t m_masque = 0;
    size_t m_nombre = 0;
};

} // namespace t3
