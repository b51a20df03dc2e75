#include "engine/socle/EcritureTable.h"

#include "engine/socle/Cp1252.h"
#include "engine/socle/RemplaceFichier.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <ostream>
#include <string>

namespace t3 {

namespace {

// What the receiver is handed at once: large enough that a file or a pipe takes few writes, small
// enough that the table is never held.
constexpr size_t TaillePiece = 1 << 16;

// The bytes that put a CSV field between quotes.
constexpr std::array<bool, 256> ACiter = [] {
    std::array<bool, 256> a{};
    for (const unsigned char c : {',', '"', '\t', '\r', '\n'})
        a[c] = true;
    return a;
}();

bool DoitEtreCite(std::string_view texte) {
    for (const char c : texte)
        if (ACiter[static_cast<unsigned char>(c)]) return true;
    return false;
}

// The UTF-8 of the Windows-1252 bytes 0x80 to 0xFF, two or three bytes each.
struct SuiteUtf8 {
    char octets[3];
    size_t longueur;
};
const std::array<SuiteUtf8, 128>& Utf8DesOctetsHauts() {
    static const std::array<SuiteUtf8, 128> suites = [] {
        std::array<SuiteUtf8, 128> a{};
        for (size_t i = 0; i < a.size(); ++i) {
            std::string utf8;
            AjouteUtf8(utf8, UnicodeDeCp1252(static_cast<unsigned char>(0x80 + i)));
            utf8.copy(a[i].octets, sizeof a[i].octets);
            a[i].longueur = utf8.size();
        }
        return a;
    }();
    return suites;
}

} // namespace

EcrivainTable::EcrivainTable(DeversoirTable deversoir, OptionsTable options)
    : m_deversoir(std::move(deversoir)), m_options(options),
      m_separateur(options.format == FormatTable::Csv ? ',' : '\t') {
    if (m_options.format == FormatTable::Csv) m_aTraiter = ACiter;
    if (!m_options.textesUtf8)
        for (size_t octet = 0x80; octet < 0x100; ++octet)
            m_aTraiter[octet] = m_aRecrire[octet] = true;
    // A field that holds a quote is quoted in CSV, and its quotes doubled.
    m_aRecrire['"'] = m_options.format == FormatTable::Csv;
    const size_t capacite = TaillePiece + TaillePiece / 2;
    m_tampon = std::make_unique<char[]>(capacite);
    m_ecrit = m_tampon.get();
    m_fin = m_ecrit + capacite;
    if (m_options.marqueOrdre) {
        std::memcpy(m_ecrit, "\xEF\xBB\xBF", 3);
        m_ecrit += 3;
    }
}

EcrivainTable::EcrivainTable(std::ostream& flux, OptionsTable options)
    : EcrivainTable(
          [&flux](std::string_view octets) {
              flux.write(octets.data(), static_cast<std::streamsize>(octets.size()));
              return static_cast<bool>(flux);
          },
          options) {}

EcrivainTable::~EcrivainTable() {
    Termine();
}

void EcrivainTable::Agrandit(size_t n) {
    const auto ecrits = static_cast<size_t>(m_ecrit - m_tampon.get());
    const size_t capacite = std::max(2 * static_cast<size_t>(m_fin - m_tampon.get()), ecrits + n);
    auto tampon = std::make_unique<char[]>(capacite);
    std::memcpy(tampon.get(), m_tampon.get(), ecrits);
    m_tampon = std::move(tampon);
    m_ecrit = m_tampon.get() + ecrits;
    m_fin = m_tampon.get() + capacite;
}

EcrivainTable& EcrivainTable::ChampTraite(std::string_view texte) {
    const bool cite = m_options.format == FormatTable::Csv && DoitEtreCite(texte);
    // A separator, two quotes, and at most three bytes for each byte of the text.
    Place(3 + 3 * texte.size());
    Separe();
    const auto& suites = Utf8DesOctetsHauts();
    char* ecrit = m_ecrit;
    if (cite) *ecrit++ = '"';
    // Between quotes only a quote is doubled; the runs of bytes that are neither quotes nor converted
    // are copied at once.
    for (size_t i = 0; i < texte.size();) {
        size_t fin = i;
        while (fin < texte.size() && !m_aRecrire[static_cast<unsigned char>(texte[fin])])
            ++fin;
        std::memcpy(ecrit, texte.data() + i, fin - i);
        ecrit += fin - i;
        if (fin == texte.size()) break;
        const auto octet = static_cast<unsigned char>(texte[fin]);
        if (octet == '"') {
            *ecrit++ = '"';
            *ecrit++ = '"';
        } else {
            const SuiteUtf8& suite = suites[octet - 0x80];
            std::memcpy(ecrit, suite.octets, sizeof suite.octets);
            ecrit += suite.longueur;
        }
        i = fin + 1;
    }
    if (cite) *ecrit++ = '"';
    m_ecrit = ecrit;
    return *this;
}

EcrivainTable& EcrivainTable::Champ(double valeur, int decimales) {
    // 309 digits before the point for the largest values, a sign, a point and at most 100 decimals.
    constexpr size_t Chiffres = 512;
    Place(Chiffres + 1);
    Separe();
    m_ecrit = std::to_chars(m_ecrit, m_ecrit + Chiffres, valeur, std::chars_format::fixed,
                            std::clamp(decimales, 0, 100))
                  .ptr;
    return *this;
}

void EcrivainTable::FinLigne() {
    m_debutLigne = true;
    // After a refusal the rows are dropped as they end.
    if (!m_ok) {
        m_ecrit = m_tampon.get();
        return;
    }
    Place(1);
    *m_ecrit++ = '\n';
    ++m_lignes;
    if (static_cast<size_t>(m_ecrit - m_tampon.get()) >= TaillePiece) Termine();
}

void EcrivainTable::Ligne(std::initializer_list<std::string_view> champs) {
    for (const std::string_view champ : champs)
        Champ(champ);
    FinLigne();
}

bool EcrivainTable::Termine() {
    const auto ecrits = static_cast<size_t>(m_ecrit - m_tampon.get());
    if (m_ok && ecrits > 0) m_ok = m_deversoir(std::string_view(m_tampon.get(), ecrits));
    m_ecrit = m_tampon.get();
    return m_ok;
}

Resultat<void> ExporteTable(const std::filesystem::path& chemin, const OptionsTable& options,
                            const std::function<void(EcrivainTable&)>& lignes, const SuiviExport& suivi) {
    const auto impossible = [&chemin](int erreur) {
        return Echec{ExportImpossible, "Impossible d'écrire le fichier « " + chemin.string() +
                                           " » : " + CauseFichier(erreur) + "."};
    };
    RemplacementFichier fichier(chemin);
    if (fichier.Erreur() != 0) return impossible(fichier.Erreur());
    bool annule = false;
    const EcrivainTable* ecrit = nullptr;
    EcrivainTable ecrivain(
        [&](std::string_view octets) {
            if (suivi && !suivi(ecrit->NbLignes())) {
                annule = true;
                return false;
            }
            return fichier.Ecrit(octets);
        },
        options);
    ecrit = &ecrivain;
    lignes(ecrivain);
    ecrivain.Termine();
    // The new file goes with fichier when the export stops here.
    if (annule) return Echec{ExportAnnule, "L'export a été annulé."};
    if (const int erreur = fichier.Erreur() != 0 ? fichier.Erreur() : fichier.Termine(); erreur != 0)
        return impossible(erreur);
    return {};
}

} // namespace t3
