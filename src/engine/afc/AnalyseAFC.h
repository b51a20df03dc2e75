#pragma once
// The correspondence analysis of a table of counts (the forms by the parts), with the parts as the
// points: the singular value decomposition of the standardised residuals
//     S = D_r^-1/2 (P - r c^T) D_c^-1/2,
// P the table divided by its total, r and c its row and column masses. The decomposition is taken from
// the eigenvectors of the Gram matrix of S on its smaller side (S^T S on the columns, S S^T on the rows),
// computed from the sparse table without ever forming S: all of them for a small side, the leading ones
// only through a truncated (Lanczos) solver when the smaller side runs into the thousands.
#include "engine/afc/LectureCoranDon.h"
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <string>
#include <vector>

namespace t3 {

enum class MethodeAFC {
    Automatique, // every factor below the limit, the leading ones above it
    Complete,    // every factor, from a dense eigendecomposition
    Tronquee     // the leading factors only, from the truncated solver
};

struct OptionsAFC {
    MethodeAFC methode = MethodeAFC::Automatique;
    // Above this size of the smaller side, the automatic method keeps the leading factors only.
    int32_t limiteComplete = 500;
    // The factors the truncated solver looks for.
    int32_t facteursTronques = 10;
};

// The analysis: for each column (part) its mass, its squared chi-square distance to the centroid, and
// per factor its principal coordinate, its share of the factor's inertia and its squared cosine. A column
// of mass 0 has zeros everywhere. Natural units: coordinates are not multiplied, shares are fractions.
// The factors are those of the active columns (flag 1) alone; a supplementary column (flag 2) is placed
// on them afterwards by the transition formula, from its counts on the rows analysed: its mass (its count
// there over the total of the active columns) is shown only, its contributions are 0.
struct AnalyseAFC {
    std::vector<double> valeursPropres; // decreasing; the non-trivial factors found
    std::vector<char> supplementaires;  // per column, 1 for a supplementary one
    std::vector<double> masses;
    std::vector<double> distances;
    // [factor][column]
    std::vector<std::vector<double>> coordonnees;
    std::vector<std::vector<double>> contributions;
    std::vector<std::vector<double>> cosinus2;
    double inertieTotale = 0; // sum of the masses times the distances of the active columns
    bool tronquee = false;    // only the leading factors were looked for
    int32_t NbFacteurs() const { return static_cast<int32_t>(valeursPropres.size()); }
    bool Supplementaire(size_t colonne) const {
        return colonne < supplementaires.size() && supplementaires[colonne];
    }
};

// Analyses the table. A factor is kept when its singular value is at least 1e-9 and its eigenvalue
// stands above the rounding noise of the Gram matrix. Fails with a French message (code 1) when the
// table has fewer than two active columns, fewer than two non-empty rows or active columns, or no
// non-trivial factor.
Resultat<AnalyseAFC> CalculeAFC(const TableauAFC& tableau, const OptionsAFC& options = {});

// The text of "facteurs.txt": "m p", then per column "P index mass distance" ("S" instead of "P" for a
// supplementary column) followed by its coordinates times 1000, its contributions in percent and its
// squared cosines; each factor's sign is chosen so that its largest absolute coordinate among the active
// columns is positive (CalculeAFC does so).
std::string TexteFacteurs(const AnalyseAFC& analyse);
// The text of "vp.txt": the count, then round(eigenvalue × 1 000 000) for each factor.
std::string TexteValeursPropres(const AnalyseAFC& analyse);

// The analysis program: reads "coran.don" in the folder, removes the results of an earlier run, and
// writes "vp.txt" then "facteurs.txt". A failure leaves neither result file.
Resultat<void> ExecuteAnalyseAFC(const std::string& dossier, const OptionsAFC& options = {});

} // namespace t3
