#include "segmentation/CollationFr.h"

#include "segmentation/Cp1252.h"

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

void CollationFr::AjouteCle(std::string_view texteCp1252, std::vector<uint8_t>& cles) {
    const size_t debut = cles.size();
    if (!m_collateur) {
        for (unsigned char c : texteCp1252) cles.push_back(c);
        cles.push_back(0);
        return;
    }
    m_tampon.resize(texteCp1252.size());
    for (size_t i = 0; i < texteCp1252.size(); ++i)
        m_tampon[i] = UnicodeDeCp1252(static_cast<unsigned char>(texteCp1252[i]));
    const auto* source = reinterpret_cast<const UChar*>(m_tampon.data());
    const auto longueur = static_cast<int32_t>(m_tampon.size());
    int32_t place = static_cast<int32_t>(3 * texteCp1252.size() + 16);
    for (;;) {
        cles.resize(debut + static_cast<size_t>(place));
        const int32_t requis = m_collateur->getSortKey(source, longueur, cles.data() + debut, place);
        if (requis <= place) {
            cles.resize(debut + static_cast<size_t>(requis)); // the count includes the final zero
            return;
        }
        place = requis;
    }
}

int CollationFr::Compare(std::string_view a, std::string_view b) {
    std::vector<uint8_t> ca, cb;
    AjouteCle(a, ca);
    AjouteCle(b, cb);
    return std::strcmp(reinterpret_cast<const char*>(ca.data()), reinterpret_cast<const char*>(cb.data()));
}

} // namespace t3
