// ts3afc: the correspondence analysis of the table of "coran.don", in the current folder, written into
// "facteurs.txt" and "vp.txt" beside it. Exit status 0 on success, 2 with a French message otherwise.
#include "afc/AnalyseAFC.h"

#include <cstdio>
#include <exception>

int main() {
    try {
        const t3::Resultat<void> fait = t3::ExecuteAnalyseAFC(".");
        if (fait) return 0;
        std::fprintf(stderr, "ts3afc : %s\n", fait.Message().c_str());
    } catch (const std::exception& e) {
        // Only the standard library throws here: memory exhausted by a table too large.
        std::fprintf(stderr, "ts3afc : le calcul a échoué (%s).\n", e.what());
    }
    return 2;
}
