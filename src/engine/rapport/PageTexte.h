#pragma once
// The text page of the text view: the whole text of a base as an HTML page, the occurrences of one group
// of forms in bold and in the group's colour, the keys highlighted in their places, a line break of the
// page for each line of the text.
#include "engine/socle/Temporaires.h"

#include <string>

namespace t3 {

class charg1;
class Tgen;

// Creates a new empty file with a unique name "t3th" followed by 6 characters, without extension, in
// dossierTemp, removed with the object (or by an interruption, or by a later run when the process was
// killed); its path is empty when it cannot be created.
FichierTemporaire CreePageTexte(const std::string& dossierTemp);

// Writes the whole text page of the base at chemin, replacing its content, streamed to the file: the
// page is never held in memory. groupe (null: no group) gives the highlighted positions and the colour.
// Forms and keys are written with "&", "<" and ">" escaped. False when the file cannot be written.
bool EcritPageTexte(const charg1& base, const Tgen* groupe, const std::string& chemin);

} // namespace t3
