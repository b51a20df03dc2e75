#pragma once
// Where the workbench finds the files it reads (help page, report decorations, sound list) and where it
// publishes the report, which an installed program cannot write beside itself.
#include <QString>

namespace t3ui {

// The folder of the installed data ("share/tessaron3"), or the source tree's "data" folder when the
// program runs from its build tree.
QString DossierDonnees();
QString PageAide();
QString DossierMusiques();
// The publication folder of the report: $XDG_DATA_HOME/tessaron3/RAPPORT (or ~/.local/share/...).
QString DossierPublication();
// The "TEMP" folder: $TEMP, else $TMPDIR, else /tmp.
QString DossierTemporaire();

} // namespace t3ui
