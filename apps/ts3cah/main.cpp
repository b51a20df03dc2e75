// ts3cah: Ward's hierarchical clustering of the points of "facteurs.txt", in the current folder, written
// into "cah.txt" beside it. Exit status 0 on success, 2 with a French message otherwise.
#include "engine/afc/Programmes.h"
#include "engine/afc/Ward.h"

int main() {
    return t3::ExecuteProgrammeAnalyse(t3::ProgrammeCAH, [] { return t3::ExecuteCah("."); });
}
