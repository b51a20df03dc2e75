#pragma once
// The locale-aware comparison of two Windows-1252 texts under the French collation, through sort keys:
// comparing two keys byte for byte gives the collator's own order.
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

    // Appends the sort key of the text, ended by a zero byte (a key holds no other zero byte), to cles.
    // Without a collator (ICU's data missing) the key is the text's own bytes (texts hold no zero byte),
    // so that the order falls back to byte order.
    void AjouteCle(std::string_view texteCp1252, std::vector<uint8_t>& cles);

    // The comparison itself: negative, zero or positive.
    int Compare(std::string_view a, std::string_view b);

private:
    std::unique_ptr<icu::Collator> m_collateur;
    std::u16string m_tampon;
};

} // namespace t3
