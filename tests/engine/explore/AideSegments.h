#pragma once
// Helpers of the repeated-segment tests: a real base made from a text and a readable form of the
// segment list. The delimiter sets are the engine's (ParamSR.h).
#include "AideTests.h"

#include "engine/Globaux.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/ParamSR.h"
#include "engine/explore/SegRep.h"
#include "engine/segmentation/SegmPrinc.h"

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace t3test {

// Segments the text (Windows-1252) into the base "corpus" of the current folder and loads it.
inline bool ChargeTexte(t3::charg1& base, const std::string& texte,
                        const std::string& delimiteurs = t3::DelimParDefaut) {
    EcritFichier("corpus.txt", texte);
    if (t3::SegmPrinc("corpus.txt", delimiteurs) != t3::ResultatSegm::Ok) return false;
    return base.ChargeBase("corpus.par") == t3::ChargeReussie;
}

// "a b c:3" for each segment, in list order.
inline std::vector<std::string> Decrit(const t3::SegRep& sr) {
    std::vector<std::string> lignes;
    for (int32_t k = 0; k < sr.NbSegments(); ++k) {
        std::string texte = sr.RetourneGraphie(k);
        if (!texte.empty() && texte.back() == ' ') texte.pop_back();
        lignes.push_back(texte + ":" + std::to_string(sr.Segments()[static_cast<size_t>(k)].frequence));
    }
    return lignes;
}

using Lignes = std::vector<std::string>;

} // namespace t3test
