#pragma once
// The one writer of the tables that leave the workbench: rows of fields written as they come, either as
// tab-separated text (t3's own output) or as CSV, and a table written whole into a file or not at all.
//
// CSV: fields separated by ","; a field holding a comma, a double quote, a tab, a carriage return or a
// line feed is put between double quotes, its own quotes doubled. Every row, the last included, ends
// with a line feed alone, as the tab-separated text does: the readers of CSV and the spreadsheets take
// it, a terminal or a pipe shows it as it is, and a line break inside a field stays inside its quotes.
// Tab-separated: the fields as they are, a tab between them, a line feed after each row.
// Numbers are written plainly: a point before the decimals, no separator of thousands, whatever the
// locale.
#include "engine/socle/Resultat.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace t3 {

enum class FormatTable { Tabulations, Csv };

struct OptionsTable {
    FormatTable format = FormatTable::Csv;
    // The UTF-8 byte-order mark (EF BB BF) before the first row, by which some spreadsheets tell UTF-8.
    bool marqueOrdre = false;
    // The texts given are the engine's, in Windows-1252, and are written in UTF-8; with textesUtf8, they
    // are already in UTF-8 and are written as they are.
    bool textesUtf8 = false;
};

// Receives the bytes written, in pieces made of whole rows; false stops the writing.
using DeversoirTable = std::function<bool(std::string_view octets)>;

class EcrivainTable {
  public:
    // The bytes go to the receiver by pieces of about 64 KB; the table is never held whole.
    EcrivainTable(DeversoirTable deversoir, OptionsTable options);
    EcrivainTable(std::ostream& flux, OptionsTable options);
    // Hands over what is left (Termine()).
    ~EcrivainTable();
    EcrivainTable(const EcrivainTable&) = delete;
    EcrivainTable& operator=(const EcrivainTable&) = delete;

    // The next field of the row. The fields that need no work (neither quotes nor conversion) and the
    // numbers are copied straight into the piece under way: a table of millions of cells is written
    // at the speed of its bytes.
    EcrivainTable& Champ(std::string_view texte) {
        for (const char c : texte)
            if (m_aTraiter[static_cast<unsigned char>(c)]) return ChampTraite(texte);
        Place(texte.size() + 1);
        Separe();
        std::memcpy(m_ecrit, texte.data(), texte.size());
        m_ecrit += texte.size();
        return *this;
    }
    EcrivainTable& Champ(int64_t n) {
        Place(24);
        Separe();
        if (static_cast<uint64_t>(n) < 10)
            *m_ecrit++ = static_cast<char>('0' + n);
        else
            m_ecrit = std::to_chars(m_ecrit, m_ecrit + 23, n).ptr;
        return *this;
    }
    EcrivainTable& Champ(int32_t n) { return Champ(int64_t{n}); }
    // The value with that many decimals (0 to 100), rounded ("%.*f" in the C locale).
    EcrivainTable& Champ(double valeur, int decimales);
    // Ends the row.
    void FinLigne();
    // The fields given, then the end of the row.
    void Ligne(std::initializer_list<std::string_view> champs);

    // Hands the rows written so far to the receiver; false once the receiver has refused a piece.
    bool Termine();
    // False once the receiver has refused a piece: what follows is no longer written, so that a producer
    // may stop.
    bool Ok() const { return m_ok; }
    // The rows ended so far.
    int64_t NbLignes() const { return m_lignes; }

  private:
    // Room for n more bytes in the piece under way.
    void Place(size_t n) {
        if (static_cast<size_t>(m_fin - m_ecrit) < n) Agrandit(n);
    }
    void Agrandit(size_t n);
    void Separe() {
        if (!m_debutLigne) *m_ecrit++ = m_separateur;
        m_debutLigne = false;
    }
    // A field to quote, or to convert to UTF-8.
    EcrivainTable& ChampTraite(std::string_view texte);

    DeversoirTable m_deversoir;
    OptionsTable m_options;
    char m_separateur;
    // The bytes of a field that ChampTraite writes: those that put it between quotes, and those that are
    // converted.
    std::array<bool, 256> m_aTraiter{};
    // The bytes that ChampTraite does not copy as they are: a quote doubled, a byte converted.
    std::array<bool, 256> m_aRecrire{};
    std::unique_ptr<char[]> m_tampon;
    char* m_ecrit = nullptr; // the end of what is written in m_tampon
    char* m_fin = nullptr;   // the end of m_tampon
    int64_t m_lignes = 0;
    bool m_debutLigne = true;
    bool m_ok = true;
};

// The codes of the failures of ExporteTable.
constexpr int32_t ExportAnnule = 1;
constexpr int32_t ExportImpossible = 2;

// Called as the rows go into the file, with the number of rows written so far; false cancels the
// export.
using SuiviExport = std::function<bool(int64_t lignes)>;

// Writes into the file chemin the table that lignes writes (lignes may stop early when the writer is no
// longer Ok()). The rows go into a new file beside chemin, renamed over it once whole: when the export is
// cancelled (ExportAnnule, "L'export a été annulé.") or fails (ExportImpossible, "Impossible d'écrire le
// fichier « x » : le disque est plein."), the new file is removed and a file already at chemin is left as
// it was.
Resultat<void> ExporteTable(const std::filesystem::path& chemin, const OptionsTable& options,
                            const std::function<void(EcrivainTable&)>& lignes, const SuiviExport& suivi = {});

} // namespace t3
