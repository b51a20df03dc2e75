#pragma once
// The locale-aware comparison of two Windows-1252 texts under the French collation, through sort keys:
// comparing two keys byte for byte gives the collator's own order.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class Collator;
U_NAMESPACE_END

namespace t3 {

class CollationFr {
  public:
    CollationFr();
    ~CollationFr();
    CollationFr(const CollationFr&) = delete;
    CollationFr& operator=(const CollationFr&) = delete;

    // Writes the sort key of the text, ended by a zero byte (a key holds no other zero byte), at sortie
    // when it fits in place bytes; returns its length, the zero byte included, whether it fitted or not.
    // Without a collator (ICU's data missing) the key is the text's own bytes (texts hold no zero byte),
    // so that the order falls back to byte order.
    size_t EcritCle(std::string_view texteCp1252, uint8_t* sortie, size_t place);

    // Appends the sort key of the text, ended by its zero byte, to cles (a vector of bytes).
    template <class Octets> void AjouteCle(std::string_view texteCp1252, Octets& cles) {
        const size_t debut = cles.size();
        size_t place = 3 * texteCp1252.size() + 16;
        for (;;) {
            cles.resize(debut + place);
            const size_t requis = EcritCle(texteCp1252, cles.data() + debut, place);
            cles.resize(debut + std::min(requis, place));
            if (requis <= place) return;
            place = requis;
        }
    }

    // The comparison itself: negative, zero or positive.
    int Compare(std::string_view a, std::string_view b);

  private:
    std::unique_ptr<icu::Collator> m_collateur;
    std::u16string m_tampon;
};

} // namespace t3
