#pragma once
// Helpers of the repeated-segment tests: a real base made from a text, delimiter sets and a readable
// form of the segment list.
#include "AideTests.h"

#include "Globaux.h"
#include "corpus/charg1.h"
#include "explore/SegRep.h"
#include "segmentation/SegmPrinc.h"

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

// The punctuation entries of the base whose graphie is one of the signs.
inline std::set<int32_t> Ponctuations(const t3::charg1& base, std::string_view signes) {
    std::set<int32_t> jeu;
    for (int32_t e = base.Nbform(); e < base.Nbform() + base.Nbartponct(); ++e)
        if (base.Graphie(e).size() == 1 && signes.find(base.Graphie(e)[0]) != std::string_view::npos)
            jeu.insert(e);
    return jeu;
}

// Every punctuation entry, as the parameter dialog checks them at start.
inline std::set<int32_t> ToutesPonctuations(const t3::charg1& base) {
    std::set<int32_t> jeu;
    for (int32_t e = base.Nbform(); e < base.Nbform() + base.Nbartponct(); ++e)
        jeu.insert(e);
    return jeu;
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
