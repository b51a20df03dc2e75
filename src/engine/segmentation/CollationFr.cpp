#include "engine/segmentation/CollationFr.h"

#include "engine/socle/Cp1252.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <unicode/coll.h>
#include <unicode/locid.h>

namespace t3 {

CollationFr::CollationFr() {
    UErrorCode statut = U_ZERO_ERROR;
    m_collateur.reset(icu::Collator::createInstance(icu::Locale("fr"), statut));
    if (U_FAILURE(statut)) m_collateur.reset();
}

CollationFr::~CollationFr() = default;

size_t CollationFr::EcritCle(std::string_view texteCp1252, uint8_t* sortie, size_t place) {
    if (!m_collateur) {
        if (texteCp1252.size() < place) {
            std::memcpy(sortie, texteCp1252.data(), texteCp1252.size());
            sortie[texteCp1252.size()] = 0;
        }
        return texteCp1252.size() + 1;
    }
    m_tampon.resize(texteCp1252.size());
    for (size_t i = 0; i < texteCp1252.size(); ++i)
        m_tampon[i] = UnicodeDeCp1252(static_cast<unsigned char>(texteCp1252[i]));
    // The count includes the final zero.
    return static_cast<size_t>(m_collateur->getSortKey(
        reinterpret_cast<const UChar*>(m_tampon.data()), static_cast<int32_t>(m_tampon.size()), sortie,
        static_cast<int32_t>(std::min<size_t>(place, INT32_MAX))));
}

int CollationFr::Compare(std::string_view a, std::string_view b) {
    std::vector<uint8_t> ca, cb;
    AjouteCle(a, ca);
    AjouteCle(b, cb);
    return std::strcmp(reinterpret_cast<const char*>(ca.data()), reinterpret_cast<const char*>(cb.data()));
}

} // namespace t3
