#pragma once
// The reader of "coran.don" in the analysis program: the table of the rows written before the control
// line (the forms), by the columns (the parts), kept sparse. It checks the whole layout and refuses a
// file it cannot read exactly with a French message.
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace t3 {

// A non-zero count of a row.
struct CelluleTableau {
    int32_t colonne;
    int32_t compte;
};

struct TableauAFC {
    std::string titre;
    int32_t nbLignes = 0;
    int32_t nbColonnes = 0;
    int32_t nbFacteursDemandes = 0; // NF of the control line
    // Flag of each column: '1' an active part, '2' a supplementary one, placed on the factors of the
    // active parts (the factor plot flags the parts outside its reference set 2; otherwise all are 1).
    std::string drapeaux;
    // The cells of row i are cellules[debuts[i] .. debuts[i + 1]), in increasing column order.
    std::vector<int64_t> debuts{0};
    std::vector<CelluleTableau> cellules;
};

// Reads the text of "coran.don": the title, the header "NI NJ 5 1 0", the column labels, the flags (one
// digit 1 or 2 per column), the format "(Sx,5A4,nFw.0)", NI rows of exactly S + 20 + n × w characters
// whose counts are whole numbers of at least 0, and the control line (NF then six whole numbers). The
// segment rows that may follow are not read. Lines end with CR LF or LF. NJ must equal n.
Resultat<TableauAFC> LitTexteCoranDon(std::string_view texte);

// Reads the file "coran.don" at chemin: mapped rather than copied (a table of thousands of parts runs to
// gigabytes), and only when it is a regular file of at most LimiteCoranDon bytes, so that a pipe or a
// device is refused at once. A file that cannot be read gets code 2 and "Impossible de lire le fichier
// « coran.don » : cause."; its content, LitTexteCoranDon's failures.
Resultat<TableauAFC> LitCoranDon(const std::string& chemin);

} // namespace t3
