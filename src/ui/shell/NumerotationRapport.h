#pragma once
// The numbers in the names of the report's pages and pictures, for the whole run and in one place: each
// kind of entry counts its entries, every window of that kind sharing the count, so that two windows
// never write over each other's file; the tests put the counts back to zero.
namespace t3ui {

enum class SorteEntree {
    PageSpecifs,       // "spf" N ".html", from 0
    ImageGraphe,       // "img-graphe-" key N ".jpg", from 0
    ImagePlan,         // "img-afc-" key N ".jpg" and "img-afc-vp-" key N ".jpg", from 1
    ImageDendrogramme, // "img-cah-" key N ".jpg", from 1
    ImageSection,      // "img-section-" delimiter N ".jpg", from 1
};

namespace NumerotationRapport {

// The number of the next entry of that kind (the first is 0 or 1 as its name was always counted).
int Prochain(SorteEntree sorte);
// The entry of that number is in the report: the next one takes the following number.
void Pris(SorteEntree sorte);
// Every count back to zero.
void Remet();

} // namespace NumerotationRapport

} // namespace t3ui
