#pragma once
// Helpers shared by the engine tests: a fresh working folder per test, whole-file reads and writes,
// bases segmented into a given folder, segments given by hand, the option settings kept safe, and runs
// of the command line t3.
#include "GardeOptions.h"
#include "engine/Globaux.h"
#include "engine/corpus/FournisseurSegments.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace t3test {

// Makes a new empty folder the current folder for the life of the object, then goes back and removes it.
class DossierTemporaire {
  public:
    DossierTemporaire();
    ~DossierTemporaire();
    DossierTemporaire(const DossierTemporaire&) = delete;
    DossierTemporaire& operator=(const DossierTemporaire&) = delete;
    const std::filesystem::path& Chemin() const { return m_chemin; }

  private:
    std::filesystem::path m_chemin;
    std::filesystem::path m_precedent;
};

std::string LitFichier(const std::filesystem::path& chemin);
void EcritFichier(const std::filesystem::path& chemin, const std::string& contenu);
// The path of a file of tests/data.
std::string Donnee(const std::string& nom);

// Writes texte (Windows-1252) as nom.txt into dossier, made if need be, and segments it there into the
// base nom; the current folder is left as it was. False when the segmentation fails.
bool SegmenteDans(const std::filesystem::path& dossier, const std::string& texte,
                  const std::string& nom = "corpus", const std::string& delimiteurs = t3::DelimParDefaut);

// What a run of t3 gave: its exit status (-1 when it did not end by itself), what it wrote on its
// standard output and on its error stream.
struct SortieT3 {
    int statut = -1;
    std::string sortie;
    std::string erreurs;
};

// Where the error stream of t3 goes: after the standard output into sortie, as a terminal shows both,
// or apart into erreurs.
enum class ErreursT3 { DansSortie, APart };

// Runs the t3 of this build, in the current folder, with the arguments (a shell command line).
SortieT3 ExecuteT3(const std::string& arguments, ErreursT3 erreurs = ErreursT3::DansSortie);
// The same, the error stream apart.
inline SortieT3 ExecuteT3APart(const std::string& arguments) {
    return ExecuteT3(arguments, ErreursT3::APart);
}

// The rows of fields of a table.
using TableLue = std::vector<std::vector<std::string>>;
// The rows of a CSV text (RFC 4180; rows ending with LF or CRLF), read by a state machine of its own so
// that the writer of the tables is checked against a reading that shares nothing with it; none when
// the text is not well-formed CSV (a quote inside an unquoted field or after a closing one, a quoted
// field left open).
std::optional<TableLue> LitCsv(std::string_view texte);
// The rows of a tab-separated text, each ending with a line feed.
TableLue LitTabulations(std::string_view texte);

// Repeated segments given by hand, to attach to a loader: segment k has the forms formes[k] and occurs
// at the positions positions[k].
class SegmentsDonnes : public t3::FournisseurSegments {
  public:
    SegmentsDonnes(std::vector<std::vector<int32_t>> formes, std::vector<std::vector<int32_t>> positions)
        : m_formes(std::move(formes)), m_positions(std::move(positions)) {}
    int32_t NbSegments() const override { return static_cast<int32_t>(m_formes.size()); }
    std::vector<int32_t> FormesSegment(int32_t k) const override { return Lit(m_formes, k); }
    std::vector<int32_t> LocOccSeg(int32_t k) const override { return Lit(m_positions, k); }

  private:
    static std::vector<int32_t> Lit(const std::vector<std::vector<int32_t>>& v, int32_t k) {
        return k >= 0 && static_cast<size_t>(k) < v.size() ? v[static_cast<size_t>(k)]
                                                           : std::vector<int32_t>{};
    }
    std::vector<std::vector<int32_t>> m_formes, m_positions;
};

} // namespace t3test
