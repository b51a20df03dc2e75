#pragma once
// The stop flag of a long computation that the workbench runs off its interface thread: "Annuler" sets
// it, the engine reads it where it steps its progress (about a hundred times a run) and then returns the
// failure below, leaving behind it nothing half made.
#include "engine/socle/Resultat.h"

#include <atomic>
#include <cstdint>

namespace t3 {

using Arret = std::atomic<bool>;

// True once the computation is asked to stop; a computation given no flag never stops.
inline bool Arrete(const Arret* arret) {
    return arret != nullptr && arret->load(std::memory_order_relaxed);
}

// What a long computation is handed by whoever runs it: its progress callback and its stop flag.
struct Suivi {
    Progression progression;
    const Arret* arret = nullptr;
    bool Arrete() const { return t3::Arrete(arret); }
};

// The failure of a computation stopped on demand; its code is none of the routines' own.
inline constexpr int32_t CodeArrete = 1000;
inline Echec EchecArrete() {
    return Echec{CodeArrete, "Commande annulée."};
}

} // namespace t3
