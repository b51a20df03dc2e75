// ts3cah: Ward's hierarchical clustering of the points of "facteurs.txt", in the current folder, written
// into "cah.txt" beside it. Exit status 0 on success, 2 with a French message otherwise.
#include "afc/Ward.h"

#include <cstdio>
#include <exception>

int main() {
    try {
        const t3::Resultat<void> fait = t3::ExecuteCah(".");
        if (fait) return 0;
        std::fprintf(stderr, "ts3cah : %s\n", fait.Message().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ts3cah : le calcul a échoué (%s).\n", e.what());
    }
    return 2;
}
