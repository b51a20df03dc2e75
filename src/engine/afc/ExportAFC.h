#pragma once
// The exchange file "coran.don" that the correspondence analysis program reads: the table of the forms
// (and of the repeated segments) by the parts of a partition, in fixed columns, lines ended by CR LF, in
// Windows-1252 as the base holds its graphies.
#include "engine/socle/Arret.h"
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <string>

namespace t3 {

class Partition;

// The name of the exchange file, and of the two result files, in the work folder of an analysis.
inline constexpr char NomCoranDon[] = "coran.don";
inline constexpr char NomFacteurs[] = "facteurs.txt";
inline constexpr char NomValeursPropres[] = "vp.txt";
inline constexpr char NomCah[] = "cah.txt";

// The most that is read of each file of an analysis, so that a file that never ends (a device, a file
// still growing) is refused rather than read forever:
// - "coran.don" is mapped rather than copied, so its size costs no memory of its own. A form's row takes
//   26 + 5 n bytes for n parts: the 100,000 articles that a base holds at start by 30,000 parts fill
//   15 GB; the dialog and t3 afc write no larger one (VerifieTailleAFC).
// - "facteurs.txt" is read whole, about 20 bytes per value and 3 p + 4 values per part: 4 GB holds the
//   ten leading factors of five million parts.
// - "vp.txt" holds one value per factor, a few hundred at most.
// - "cah.txt" takes about 70 bytes per point: 1 GB holds fifteen million, far past what the clustering,
//   quadratic in the points, can be run on.
inline constexpr uint64_t LimiteCoranDon = uint64_t{16} << 30;
inline constexpr uint64_t LimiteFacteurs = uint64_t{4} << 30;
inline constexpr uint64_t LimiteValeursPropres = uint64_t{1} << 20;
inline constexpr uint64_t LimiteCah = uint64_t{1} << 30;

// Longest graphie written in a row: a longer one is cut.
inline constexpr size_t LongueurLibelleAFC = 20;

// What the parameter dialog of the analysis writes.
struct ParamAFC {
    std::string titre; // first line (Windows-1252)
    int32_t ni = 0;    // form rows: the forms 0 to ni - 1
    int32_t nj = 0;    // written in the header line only
    int32_t nf = 0;    // factors, written in the control line
    int32_t freqMin = 10;
    // On (opened from the factor plot): flag 1 for the reference parts, 2 for the others; off: 1 for all.
    bool drapeauxColonnes = false;
    // The columns written: the first parts only when at least 1 and below the number of parts (a table
    // of a few thousand paragraphs out of tens of thousands); every part otherwise.
    int32_t nbColonnes = 0;
};

// The number of columns that the parameters write for the partition.
int32_t NbColonnesAFC(const Partition& partition, const ParamAFC& param);

// The number of forms of frequency at least freqMin in the base (the forms come in decreasing frequency).
int32_t NbFormesFreqMin(const Partition& partition, int32_t freqMin);

// The dialog's initial values: the base's name, " : " and the key type as title; NI from FreqMin; NJ the
// number of parts; NF one less.
ParamAFC ParamAFCInitiaux(const Partition& partition, int32_t freqMin, bool drapeauxColonnes);

// The whole text of "coran.don". Fails (code 1, French message) when NI is not between 0 and the number
// of forms or when the partition has no part. The row numbers take 5 characters and the counts 5, as
// the format line says; a number too wide for them (a count of 100000 or more) widens its columns for
// the whole file, and the format line says so ("(7x,5A4,3F6.0)"), rather than run into its neighbour.
Resultat<std::string> TexteCoranDon(const Partition& partition, const ParamAFC& param);

// The size of the table that the parameters write, and what its analysis costs.
struct TailleAFC {
    int64_t lignes = 0;          // the form rows and the segment rows after them
    int32_t colonnes = 0;        // the parts written
    uint64_t octets = 0;         // the size of "coran.don", exact
    uint64_t octetsFacteurs = 0; // the size of "facteurs.txt", estimated from above
    uint64_t memoire = 0;        // the memory of the analysis program, estimated from above
};

// Past either, the user is asked before the table is written: its analysis may take minutes.
inline constexpr uint64_t OctetsQuestionAFC = uint64_t{1} << 30;
inline constexpr int32_t PartiesQuestionAFC = 10000;

// The size of the table of parameters already accepted by TexteCoranDon, by arithmetic: nothing is
// formatted, so that a table of millions of cells is measured at once. The memory counts what the
// analysis program holds at its peak: the table read (its non-zero cells, counted from the partition),
// its scaled copy, the dense matrix of the smaller side when the decomposition is complete (or its
// fallback), the coordinates and further values of every part, and the text of "facteurs.txt". The
// mapped "coran.don" is not counted: its pages are the system's to drop.
TailleAFC EstimeTailleAFC(const Partition& partition, const ParamAFC& param);
// Whether the user is asked before the table is written (more than 1 GB or 10,000 parts).
bool DemandeConfirmationAFC(const TailleAFC& taille);
// Refuses (code 1, French message) a table that cannot be analysed: its analysis would need more than
// memoire bytes, or its files would pass the readers' bounds.
Resultat<void> VerifieTailleAFC(const TailleAFC& taille, uint64_t memoire);
// The physical memory of the machine in bytes; 0 when the system does not tell it.
uint64_t MemoirePhysique();
// "12 lignes × 3 parties ; « coran.don » : 1,2 Ko" (UTF-8).
std::string DescriptionTailleAFC(const TailleAFC& taille);

// Writes "coran.don" into the folder, replacing it only once the new text is whole: the parameters are
// checked first (code 1, nothing touched), then the text goes into a new file beside it, synced and
// renamed over it. A folder that refuses the file or a write cut short (disk full) gets code 2 and a
// French message naming the file and the cause, and leaves the earlier file as it was. A stop asked
// while it is written leaves the earlier file as well (EchecArrete).
Resultat<void> EcritCoranDon(const std::string& dossier, const Partition& partition, const ParamAFC& param,
                             const Arret* arret = nullptr);

} // namespace t3
