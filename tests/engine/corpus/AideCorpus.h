#pragma once
// Bases for the corpus tests: segmented from a text in the current folder, or hand-written so that
// their files can be spoilt one field at a time.
#include "AideTests.h"

#include "engine/Globaux.h"
#include "engine/corpus/charg1.h"
#include "engine/segmentation/SegmPrinc.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace t3test {

// Segments texte as nom.txt under the default delimiters into the base nom in the current folder.
inline void SegmenteBase(const std::string& texte, const std::string& nom = "corpus") {
    EcritFichier(nom + ".txt", texte);
    ASSERT_EQ(t3::SegmPrinc(nom + ".txt", t3::DelimParDefaut), t3::ResultatSegm::Ok);
}

inline std::string OctetsNum(const std::vector<int32_t>& valeurs) {
    std::string octets(valeurs.size() * 4, '\0');
    std::memcpy(octets.data(), valeurs.data(), octets.size());
    return octets;
}

inline std::vector<int32_t> TexteCharge(const t3::charg1& base) {
    return std::vector<int32_t>(base.TexteNum(), base.TexteNum() + base.Nbitem());
}

} // namespace t3test
