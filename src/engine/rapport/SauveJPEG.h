#pragma once
// The one routine with which windows write their pictures into the report.
#include <string>

namespace t3 {

// Writes largeur x hauteur RGB pixels (3 bytes each, rows pas bytes apart) as a baseline JPEG at chemin
// at the given quality (1 to 100, lower compresses more; the windows pass 30), replacing any file of
// that name. False on failure (bad arguments, file not writable), with no file left behind.
bool SauveJPEG(const unsigned char* rgb, int largeur, int hauteur, int pas, const std::string& chemin,
               int qualite);

} // namespace t3
