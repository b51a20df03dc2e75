#include "ui/shell/GenresFenetres.h"

#include <algorithm>

namespace t3ui {

namespace {

std::vector<GenreFenetre>& Registre() {
    static std::vector<GenreFenetre> genres;
    return genres;
}

} // namespace

bool EnregistreGenre(const GenreFenetre& genre) {
    auto& genres = Registre();
    genres.push_back(genre);
    // The files register in an order the linker chooses: the rank alone orders them.
    std::stable_sort(genres.begin(), genres.end(),
                     [](const GenreFenetre& a, const GenreFenetre& b) { return a.rang < b.rang; });
    return true;
}

const std::vector<GenreFenetre>& GenresFenetres() {
    return Registre();
}

} // namespace t3ui
