#include "ui/shell/NumerotationRapport.h"

#include <array>
#include <cstddef>

namespace t3ui::NumerotationRapport {

namespace {

constexpr std::size_t NbSortes = 5;

std::array<int, NbSortes>& Comptes() {
    static std::array<int, NbSortes> comptes{};
    return comptes;
}

// The pages of specificities and the ventilation graphs are numbered from 0, the analysis's pictures
// from 1.
int Premier(SorteEntree sorte) {
    return sorte == SorteEntree::PageSpecifs || sorte == SorteEntree::ImageGraphe ? 0 : 1;
}

} // namespace

int Prochain(SorteEntree sorte) {
    return Premier(sorte) + Comptes()[static_cast<std::size_t>(sorte)];
}

void Pris(SorteEntree sorte) {
    ++Comptes()[static_cast<std::size_t>(sorte)];
}

void Remet() {
    Comptes().fill(0);
}

} // namespace t3ui::NumerotationRapport
