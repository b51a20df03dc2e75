#pragma once
// Where the analysis programs are found and where they work: the programs "ts3afc" and "ts3cah" beside
// the running executable, then on the PATH; the work folder of the analyses of a partition beside the
// files of its base, one per key type, never the executable's folder (an installed program cannot write
// there, and two workbenches would share it).
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace t3 {

class Partition;

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

// The name of the folder of the analyses of the partitions by a key type (graphie in Windows-1252, the
// key type's entry number): its letters (accented ones too, in UTF-8), digits, '_' and '-' kept, any
// other character made '_'. A name changed that way, longer than 60 characters (then cut) or empty
// ("cle") is followed by '.' and the entry number: a name kept whole never holds a '.', so no two key types
// share a folder, and the name is never empty, "..", nor holds a '/'.
std::string NomDossierCle(std::string_view graphie, int32_t cleType);

// The work folder of the analyses of a partition: the base's folder, the base's name followed by
// ".afc", then the folder named after the key type (NomDossierCle); made if need be. Two partitions of a
// base never share their results. A failure to make it gets code 2 and a French message.
Resultat<std::string> DossierAnalyses(const Partition& partition);

// Whether the results of the analysis in the folder are those of a partition of nbParties parts:
// "facteurs.txt" readable and holding one point per part. Otherwise a French message asking to run the
// analysis of the partition (again).
Resultat<void> VerifiePointsPartition(const std::string& dossier, int32_t nbParties);
// The same for points already read from "facteurs.txt".
Resultat<void> VerifieNbPoints(int32_t nbPoints, int32_t nbParties);

// Removes the result files of an earlier run ("facteurs.txt", "vp.txt", "cah.txt") from the folder, so
// that a run that fails is never read as one that succeeded.
void SupprimeResultats(const std::string& dossier);

// The body of an analysis program named nom: runs travail, and on its failure prints "nom : message" on
// the error stream. Returns the exit status: 0 on success, 2 on failure, memory exhausted included.
int ExecuteProgrammeAnalyse(const char* nom, const std::function<Resultat<void>()>& travail);

} // namespace t3
