#pragma once
// Where the workbench finds the files it reads (help page, report decorations, sound list) and where it
// publishes the report, which an installed program cannot write beside itself.
#include <QString>

namespace t3ui {

// The folder of the data: "<folder of the program>/../share/tessaron3" for an installed program, whatever
// its prefix; the source tree's "data" folder for a program of the build tree, told by the file
// "tessaron3-donnees-source" that CMake writes at the top of the build tree and that no installation has.
// An installed program never reads the source tree, even when its own data are missing.
QString DossierDonnees();
// Empty when the data folder holds the manual and the report's pictures; else the French message that
// says which folder misses them.
QString DonneesManquantes();
QString PageAide();
QString DossierMusiques();
// The publication folder of the report: $XDG_DATA_HOME/tessaron3/RAPPORT (or ~/.local/share/...).
QString DossierPublication();
// The "TEMP" folder: $TEMP, else $TMPDIR, else /tmp.
QString DossierTemporaire();

} // namespace t3ui
