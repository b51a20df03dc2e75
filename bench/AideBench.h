#pragma once
// What the benchmark programs share: a clock in seconds, and the loading of a base from the folder of
// its .par, where the loader reads the .dic and .num.
#include "corpus/charg1.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

namespace t3bench {

using Horloge = std::chrono::steady_clock;

inline double Secondes(Horloge::time_point debut, Horloge::time_point fin) {
    return std::chrono::duration<double>(fin - debut).count();
}

// Makes the folder of the .par current and loads the base; false, with a message naming the program,
// when it cannot.
inline bool ChargeBase(const char* programme, const char* par, t3::charg1& base) {
    const std::filesystem::path chemin = std::filesystem::absolute(par);
    std::error_code erreur;
    std::filesystem::current_path(chemin.parent_path(), erreur);
    if (erreur) {
        std::fprintf(stderr, "%s : le dossier de %s ne peut être ouvert\n", programme, par);
        return false;
    }
    const int32_t resultat = base.ChargeBase(chemin.filename().string());
    if (resultat != t3::ChargeReussie) {
        std::fprintf(stderr, "%s : %s : %s\n", programme, par, t3::MessageChargeBase(resultat).c_str());
        return false;
    }
    return true;
}

} // namespace t3bench
