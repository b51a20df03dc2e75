#pragma once
// Reading a whole file that the user or another program named (a list of forms, "coran.don",
// "facteurs.txt", "cah.txt"): only a regular file is read, so that a pipe or a device never makes the
// reader wait forever or fill the memory, and never more than a limit the caller sets.
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <string>

namespace t3 {

// The codes of LitFichierBorne's failures.
inline constexpr int32_t LectureImpossible = 1; // missing, unreadable, or an error while reading
inline constexpr int32_t LectureNonFichier = 2; // a folder, a pipe, a device, a socket
inline constexpr int32_t LectureTropGrande = 3; // more bytes than the limit

// The bytes of the file at chemin, at most limite of them. The message of a failure is the French
// cause alone ("ce n'est pas un fichier ordinaire", "le fichier dépasse 64 Mo"), for the caller to put
// after the file's name.
Resultat<std::string> LitFichierBorne(const std::string& chemin, uint64_t limite);

// A size in French units for a message ("64 Mo", "1,5 Go", "512 octets").
std::string TailleLisible(uint64_t octets);

} // namespace t3
