// ts3afc: the correspondence analysis of the table of "coran.don", in the current folder, written into
// "facteurs.txt" and "vp.txt" beside it. Exit status 0 on success, 2 with a French message otherwise.
#include "engine/afc/AnalyseAFC.h"
#include "engine/afc/Programmes.h"

int main() {
    return t3::ExecuteProgrammeAnalyse(t3::ProgrammeAFC, [] { return t3::ExecuteAnalyseAFC("."); });
}
