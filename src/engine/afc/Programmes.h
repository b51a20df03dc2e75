#pragma once
// Where the analysis programs are found and where they work: the programs "ts3afc" and "ts3cah" beside
// the running executable, then on the PATH; the work folder of the analyses of a base beside its files,
// never the executable's folder (an installed program cannot write there, and two workbenches would
// share it).
#include "Resultat.h"

#include <functional>
#include <string>
#include <string_view>

namespace t3 {

class charg1;

inline constexpr char ProgrammeAFC[] = "ts3afc";
inline constexpr char ProgrammeCAH[] = "ts3cah";

// The folder of the running executable; empty when the system does not tell it.
std::string DossierExecutable();

// The path of the executable program nom: in dossierExecutable first, then in each folder of chemins
// (a PATH: folders separated by ':'; an empty entry is skipped rather than taken for the current
// folder). Empty when it is nowhere.
std::string TrouveProgramme(std::string_view nom, const std::string& dossierExecutable,
                            std::string_view chemins);
// The same with the folder of the running executable and the PATH of the environment.
std::string TrouveProgramme(std::string_view nom);

// The work folder of the analyses of a loaded base: its folder, then the base's name followed by ".afc";
// made if need be. A failure to make it gets code 2 and a French message.
Resultat<std::string> DossierAnalyses(const charg1& base);

// Removes the result files of an earlier run ("facteurs.txt", "vp.txt", "cah.txt") from the folder, so
// that a run that fails is never read as one that succeeded.
void SupprimeResultats(const std::string& dossier);

// The body of an analysis program named nom: runs travail, and on its failure prints "nom : message" on
// the error stream. Returns the exit status: 0 on success, 2 on failure, memory exhausted included.
int ExecuteProgrammeAnalyse(const char* nom, const std::function<Resultat<void>()>& travail);

} // namespace t3
