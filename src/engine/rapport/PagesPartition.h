#pragma once
// The report pages of the partition windows, written as streams (a table of forms by parts may be
// large): the main characteristics of the parts ("pclc"), the table of forms by parts ("tfg") and a
// specificity list ("spf"). Texts are Windows-1252; graphies and part names are escaped for HTML.
#include "engine/stats/PrimSpecifs.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace t3 {

class Partition;
class TableFormesParties;
class charg1;

// "pclc" + the graphie of the key type + ".html", and "tfg" + ... + ".html". Every byte of the graphie but
// ASCII letters, digits, "-", "_" and "." is written "_": a key type may hold "/" or "..", and the
// report's index links to the file by its name as it is.
std::string NomPagePCLC(const Partition& partition);
std::string NomPageTFG(const Partition& partition);
// "spf" + compteur + ".html".
std::string NomPageSpecifs(int32_t compteur);

// The page of the parts' main characteristics, every part in order, marked or not; titre is the
// window's caption (Windows-1252, as every text given to these pages). A part without occurrences shows
// no most frequent form.
void EcritPagePCLC(std::ostream& sortie, const Partition& partition, std::string_view titre);
// The page of the table of forms by parts: one row per entry of lignes, in that order, one pair of
// cells per column of the table; "Formes/SR" in the head when segments are attached to the base.
void EcritPageTFG(std::ostream& sortie, const TableFormesParties& table, const std::vector<int32_t>& lignes,
                  std::string_view titre);

// What a specificity list page shows besides its records.
struct EnteteSpecifs {
    std::string titre;          // the list window's caption
    std::string nomBase;        // charg1::NomBase()
    std::string dateHeure;      // already formatted ("mercredi 9 décembre 2026 - 15:04")
    const Partition* partition; // null for the list of a section map: no "Partition = " cell
    std::string texteParties;   // the text of the label of the selected parts
};
// The page of a specificity list: the records in the order given (strongest excess first).
void EcritPageSpecifs(std::ostream& sortie, const charg1& base, const std::vector<EnregSpec>& resultats,
                      const EnteteSpecifs& entete);

} // namespace t3
