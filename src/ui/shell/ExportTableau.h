#pragma once
// The ways a table leaves the workbench, the same in every window with a table: "Exporter…" (Ctrl+E, and
// the table's context menu) writes its rows into a CSV file or a tab-separated text, and Ctrl+C puts its
// selected rows on the clipboard, as tab-separated text and as an HTML table, both with the header row.
// The rows go in the order shown, with the headers shown; the numbers as they are, not as formatted for
// the eye. The rows are read one by one from the table's model, or written by the engine, never held
// whole.
#include "engine/socle/EcritureTable.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <qnamespace.h>

#include <cstdint>
#include <functional>

class QAction;
class QMimeData;
class QTableView;
class QWidget;

namespace t3ui {

// The role by which a model gives the raw value of a cell whose text is formatted for the eye; the
// display text is written where a model has none.
inline constexpr int RoleValeurBrute = Qt::UserRole + 64;

// The formats offered by the dialog: CSV in UTF-8 with its byte-order mark, then tab-separated text.
const QStringList& FiltresTableau();

// How a table is written: its rows (the header first) and their count, for the progress.
struct LignesAExporter {
    std::function<void(t3::EcrivainTable&)> ecrit;
    int64_t nbLignes = 0;
    bool textesUtf8 = true; // false: the engine's texts, in Windows-1252
};

// The rows of vue as it shows them: the header, then each row not hidden, its columns not hidden.
LignesAExporter LignesDeVue(const QTableView* vue);

// Writes lignes into chemin in the format of rang in FiltresTableau(); suivi may cancel. An empty text, or
// the French message of the failure (empty as well when cancelled: nothing is left to say).
QString ExporteLignes(const LignesAExporter& lignes, const QString& chemin, int rang,
                      const t3::SuiviExport& suivi = {});

// The command: the file and the format asked, the rows written under a progress dialog that may cancel.
// True when the file is written.
bool ExporteTableau(QWidget* fenetre, const LignesAExporter& lignes, const QString& nom);

// The selected rows of vue (every row when its rows cannot be selected) with the header row, as text/plain
// (tab-separated) and text/html (a table).
QMimeData* CopieLignes(const QTableView* vue);
// Rows for the clipboard, the header first: tab-separated text (a tab or a line break inside a field
// becomes a space) and an HTML table.
QMimeData* DonneesTableau(const QList<QStringList>& lignes);

// Gives widget "Exporter…" (ActExporter, Ctrl+E while it has the focus) in its context menu, writing the
// table that lignes gives at each use.
QAction* InstalleExport(QWidget* widget, const QString& nom, std::function<LignesAExporter()> lignes);

// Gives vue the commands: "Exporter…" (ActExporter, Ctrl+E) in its context menu, Ctrl+C copying its
// selected rows, Ctrl+A selecting them all. lignes, when given, writes the table in place of the view's
// rows. nom is the file name proposed, without its extension.
QAction* InstalleExportTableau(QTableView* vue, const QString& nom,
                               std::function<LignesAExporter()> lignes = {});

} // namespace t3ui
