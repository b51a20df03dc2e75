#pragma once
// What the benchmark programs share: a clock in seconds, the timing of successive stages, and the loading
// of a base with its message.
#include "engine/corpus/Cles.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace t3bench {

using Horloge = std::chrono::steady_clock;

inline double Secondes(Horloge::time_point debut, Horloge::time_point fin) {
    return std::chrono::duration<double>(fin - debut).count();
}

// Prints the wall time of each stage since the end of the previous one, as a line "name seconds" that
// the benchmark scripts read; Repart starts the next stage afresh (after work that is not measured).
class Etapes {
  public:
    void operator()(const char* nom) {
        const Horloge::time_point maintenant = Horloge::now();
        std::printf("%s %.6f\n", nom, Secondes(m_debut, maintenant));
        m_debut = maintenant;
    }
    void Repart() { m_debut = Horloge::now(); }

  private:
    Horloge::time_point m_debut = Horloge::now();
};

// Loads the base (the loader reads the .dic and .num beside the .par); false, with a message naming the
// program, when it cannot.
inline bool ChargeBase(const char* programme, const char* par, t3::charg1& base) {
    const int32_t resultat = base.ChargeBase(par);
    if (resultat != t3::ChargeReussie) {
        std::fprintf(stderr, "%s : %s : %s\n", programme, par, t3::MessageChargeBase(resultat).c_str());
        return false;
    }
    return true;
}

// The entry of the key type cle; -1, with a message naming the program, when the base has none.
inline int32_t TypeCle(const char* programme, const t3::charg1& base, const std::string& cle) {
    const int32_t type = t3::RetourneTypeCle(base, cle);
    if (type < 0) std::fprintf(stderr, "%s : pas de type de clé %s dans la base\n", programme, cle.c_str());
    return type;
}

// Keeps about nb parts of the partition in the reference corpus, evenly spread over it: every n-th part,
// n chosen so.
inline void GardeEnReference(t3::Partition& partition, int32_t nb) {
    const int32_t pas = std::max<int32_t>(1, partition.NbParties() / std::max<int32_t>(1, nb));
    for (int32_t p = 0; p < partition.NbParties(); ++p)
        partition.SetReference(p, p % pas == 0 && p / pas < nb);
}

// A line of /proc/self/status in kilobytes ("VmHWM:" the peak resident memory so far, "VmRSS:" the
// resident memory now); 0 when it cannot be read.
inline long MemoireKo(const char* champ = "VmHWM:") {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return 0;
    char ligne[256];
    long ko = 0;
    const size_t n = std::strlen(champ);
    while (std::fgets(ligne, sizeof ligne, f))
        if (std::strncmp(ligne, champ, n) == 0) ko = std::atol(ligne + n);
    std::fclose(f);
    return ko;
}

// Brings the peak resident memory down to the memory resident now, so that the peak of a stage is read
// apart from those before it; false when the system does not allow it.
inline bool RemetPicMemoire() {
    std::FILE* f = std::fopen("/proc/self/clear_refs", "w");
    if (!f) return false;
    const bool fait = std::fputs("5", f) >= 0;
    return std::fclose(f) == 0 && fait;
}

} // namespace t3bench
