#include "engine/explore/TriSegments.h"

#include "engine/corpus/charg1.h"
#include "engine/socle/Html.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace t3 {

namespace {

// The key of the "Segment" order: the lexicographic ranks of the forms, then -1 in every slot past the
// last form, so that a segment comes before every longer one it begins.
using CleSegment = std::array<int32_t, LongueurMaxSegment>;

CleSegment Cle(const Segment& s, const charg1& base) {
    CleSegment cle;
    cle.fill(-1);
    const size_t n = std::min(s.formes.size(), cle.size());
    for (size_t i = 0; i < n; ++i)
        cle[i] = base.Lexg(s.formes[i]);
    return cle;
}

// Sorts the rows stably by a key computed once per row: the rows go through the sort with their keys,
// side by side in memory.
template <typename CleDe, typename Avant>
void TrieParCle(std::vector<int32_t>& lignes, CleDe cleDe, Avant avant) {
    using Cle = decltype(cleDe(0));
    std::vector<std::pair<Cle, int32_t>> cles;
    cles.reserve(lignes.size());
    for (const int32_t s : lignes)
        cles.emplace_back(cleDe(s), s);
    std::stable_sort(cles.begin(), cles.end(),
                     [&avant](const auto& a, const auto& b) { return avant(a.first, b.first); });
    for (size_t i = 0; i < cles.size(); ++i)
        lignes[i] = cles[i].second;
}

// Lengths are 2 to 11: a stable counting sort.
void TrieParLongueur(std::vector<int32_t>& lignes, const std::vector<Segment>& segments) {
    std::array<size_t, LongueurMaxSegment + 2> debuts{};
    const auto longueur = [&segments](int32_t s) {
        return std::min(segments[static_cast<size_t>(s)].formes.size(), size_t{LongueurMaxSegment + 1});
    };
    for (const int32_t s : lignes)
        ++debuts[longueur(s)];
    std::exclusive_scan(debuts.begin(), debuts.end(), debuts.begin(), size_t{0});
    std::vector<int32_t> triees(lignes.size());
    for (const int32_t s : lignes)
        triees[debuts[longueur(s)]++] = s;
    lignes.swap(triees);
}

} // namespace

std::vector<int32_t> LignesSegments(int32_t nbSegments) {
    std::vector<int32_t> lignes(static_cast<size_t>(std::max(nbSegments, 0)));
    std::iota(lignes.begin(), lignes.end(), 0);
    return lignes;
}

void TrieSegments(std::vector<int32_t>& lignes, const std::vector<Segment>& segments, const charg1& base,
                  TriSR tri) {
    switch (tri) {
    case TriSR::Longueur:
        TrieParLongueur(lignes, segments);
        break;
    case TriSR::Segment:
        TrieParCle(
            lignes, [&](int32_t s) { return Cle(segments[static_cast<size_t>(s)], base); },
            [](const CleSegment& a, const CleSegment& b) { return a < b; });
        break;
    case TriSR::Frequence:
        TrieParCle(
            lignes, [&segments](int32_t s) { return segments[static_cast<size_t>(s)].frequence; },
            [](int32_t a, int32_t b) { return a > b; });
        break;
    }
}

void EcritPageSR(std::ostream& sortie, const std::vector<Segment>& segments, const charg1& base,
                 const EnteteSR& entete) {
    // The page is gathered in blocks of about 64 KB before they go to the stream.
    std::string page;
    const auto ecrit = [&page](std::string_view html, std::string_view texte) {
        page += html;
        AjouteEchappe(page, texte);
    };
    ecrit("<html>\n<head><title>", entete.titre);
    ecrit("</title></head>\n<body bgcolor=#ffffff>\n<TABLE><TD>Corpus :", entete.nomBase);
    ecrit("</TD>\n<TD>Date :", entete.dateHeure);
    ecrit("</TD>\n</TABLE>", entete.titre);
    page += "<br>\n<table border=1><font size=-2>\n<tr><td>Longueur<td>Segment<td>Fr\xE9quence";
    for (const Segment& s : segments) {
        page += "<tr><td align=right>";
        page += std::to_string(s.formes.size());
        page += "<td>";
        for (const int32_t forme : s.formes) {
            AjouteEchappe(page, base.Graphie(forme));
            page += ' ';
        }
        page += "<td align=right>";
        page += std::to_string(s.frequence);
        page += '\n';
        if (page.size() >= (1 << 16)) {
            sortie.write(page.data(), static_cast<std::streamsize>(page.size()));
            page.clear();
        }
    }
    page += "</font></table>\n</body>\n</html>";
    sortie.write(page.data(), static_cast<std::streamsize>(page.size()));
}

} // namespace t3
