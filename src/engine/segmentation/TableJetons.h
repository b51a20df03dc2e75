#pragma once
// The lookup table of the segmentation's articles: open addressing on the hash of the prefixed text,
// grown as the dictionary grows. It decides no order and no number: it only finds an article again and
// counts its occurrences.
#include "engine/socle/GrandesPages.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

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

// The n bytes at a and at b are the same. Both may be read up to 7 bytes past their n-th byte.
inline bool MemesOctets(const unsigned char* a, const unsigned char* b, size_t n) {
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) return false;
    }
    if (i == n) return true;
    uint64_t x, y;
    std::memcpy(&x, a + i, 8);
    std::memcpy(&y, b + i, 8);
    return ((x ^ y) & (~0ull >> (64 - 8 * (n - i)))) == 0;
}

class TableJetons {
  public:
    // The texts are kept in a zone outside the table, each as its class digit, its bytes and a zero byte;
    // the zone stays readable 8 bytes past the last text. A case also counts the occurrences of its
    // article, so that a lookup touches nothing but its case and its text.
    struct Case {
        uint32_t hache;
        int32_t index; // -1: free
        int32_t frq;
        uint32_t texte; // offset of the text in the zone
    };

    void Vide(const char* zone, size_t capacite = 1 << 12) {
        m_zone = zone;
        Alloue(capacite);
        m_nombre = 0;
    }

    // The case of the article whose text is classe followed by the n bytes at p, or null. The bytes at p
    // may be read up to 7 bytes past the n-th.
    Case* Trouve(uint32_t h, unsigned char classe, const unsigned char* p, size_t n) {
        for (size_t i = h & m_masque;; i = (i + 1) & m_masque) {
            Case& c = m_cases[i];
            if (c.index < 0) return nullptr;
            if (c.hache == h) {
                const auto* texte = reinterpret_cast<const unsigned char*>(m_zone + c.texte);
                if (texte[0] == classe && MemesOctets(texte + 1, p, n) && texte[n + 1] == '\0') return &c;
            }
        }
    }

    // Adds an article met once; texte is the offset of its text in the zone. The table doubles when it
    // would be more than three quarters full: fuller, the probes grow long; emptier, a large dictionary
    // spends tens of megabytes more on its cases.
    void Insere(uint32_t h, int32_t index, uint32_t texte) {
        if (4 * (m_nombre + 1) > 3 * m_capacite) Agrandit();
        Place(Case{h, index, 1, texte});
        ++m_nombre;
    }

    // Hints for a batch of lookups: the first case of a hash, and the text it points to. Always inlined:
    // a call to a function that only prefetches may be deleted as dead.
    [[gnu::always_inline]] void Prepare(uint32_t h) const { __builtin_prefetch(&m_cases[h & m_masque]); }
    [[gnu::always_inline]] void PrepareTexte(uint32_t h) const {
        const Case& c = m_cases[h & m_masque];
        if (c.index >= 0) __builtin_prefetch(m_zone + c.texte);
    }

    // Calls f(index, frq) for every article of the table, in no particular order.
    template <class F> void PourChaque(F f) const {
        for (size_t i = 0; i < m_capacite; ++i)
            if (m_cases[i].index >= 0) f(m_cases[i].index, m_cases[i].frq);
    }

  private:
    void Alloue(size_t capacite) {
        m_cases = NouveauTableauGrandesPages<Case>(capacite);
        std::fill_n(m_cases.get(), capacite, Case{0, -1, 0, 0});
        m_capacite = capacite;
        m_masque = capacite - 1;
    }
    void Place(const Case& nouvelle) {
        size_t i = nouvelle.hache & m_masque;
        while (m_cases[i].index >= 0)
            i = (i + 1) & m_masque;
        m_cases[i] = nouvelle;
    }
    void Agrandit() {
        TableauGrandesPages<Case> anciennes = std::move(m_cases);
        const size_t n = m_capacite;
        Alloue(2 * n);
        for (size_t i = 0; i < n; ++i)
            if (anciennes[i].index >= 0) Place(anciennes[i]);
    }

    const char* m_zone = nullptr;
    TableauGrandesPages<Case> m_cases;
    size_t m_capacite = 0;
    size_t m_masque = 0;
    size_t m_nombre = 0;
};

} // namespace t3
