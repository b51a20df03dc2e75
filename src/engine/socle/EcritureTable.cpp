#include "engine/socle/EcritureTable.h"

#include "engine/socle/Cp1252.h"
#include "engine/socle/RemplaceFichier.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <ostream>

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

} // namespace

EcrivainTable::EcrivainTable(DeversoirTable deversoir, OptionsTable options)
    : m_deversoir(std::move(deversoir)), m_options(options) {
    m_tampon.reserve(TaillePiece + TaillePiece / 4);
    if (m_options.marqueOrdre) m_tampon += "\xEF\xBB\xBF";
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

void EcrivainTable::Separe() {
    if (!m_debutLigne) m_tampon += m_options.format == FormatTable::Csv ? ',' : '\t';
    m_debutLigne = false;
}

void EcrivainTable::AjouteTexte(std::string_view texte) {
    if (m_options.textesUtf8) {
        m_tampon += texte;
        return;
    }
    for (size_t i = 0; i < texte.size();) {
        const size_t ascii = ProchainNonAscii(texte, i);
        m_tampon.append(texte.data() + i, ascii - i);
        if (ascii == texte.size()) break;
        AjouteUtf8(m_tampon, UnicodeDeCp1252(static_cast<unsigned char>(texte[ascii])));
        i = ascii + 1;
    }
}

EcrivainTable& EcrivainTable::Champ(std::string_view texte) {
    if (!m_ok) return *this;
    Separe();
    if (m_options.format != FormatTable::Csv || !DoitEtreCite(texte)) {
        AjouteTexte(texte);
        return *this;
    }
    m_tampon += '"';
    for (size_t guillemet; (guillemet = texte.find('"')) != std::string_view::npos;) {
        AjouteTexte(texte.substr(0, guillemet + 1));
        m_tampon += '"';
        texte.remove_prefix(guillemet + 1);
    }
    AjouteTexte(texte);
    m_tampon += '"';
    return *this;
}

EcrivainTable& EcrivainTable::Champ(int64_t n) {
    if (!m_ok) return *this;
    Separe();
    char chiffres[24];
    const auto fin = std::to_chars(chiffres, chiffres + sizeof chiffres, n).ptr;
    m_tampon.append(chiffres, fin);
    return *this;
}

EcrivainTable& EcrivainTable::Champ(double valeur, int decimales) {
    if (!m_ok) return *this;
    Separe();
    // 309 digits before the point for the largest values, a sign, a point and at most 100 decimals.
    char chiffres[512];
    const auto fin = std::to_chars(chiffres, chiffres + sizeof chiffres, valeur, std::chars_format::fixed,
                                   std::clamp(decimales, 0, 100))
                         .ptr;
    m_tampon.append(chiffres, fin);
    return *this;
}

void EcrivainTable::FinLigne() {
    if (!m_ok) return;
    m_tampon += '\n';
    m_debutLigne = true;
    ++m_lignes;
    if (m_tampon.size() >= TaillePiece) Termine();
}

void EcrivainTable::Ligne(std::initializer_list<std::string_view> champs) {
    for (const std::string_view champ : champs)
        Champ(champ);
    FinLigne();
}

bool EcrivainTable::Termine() {
    if (m_ok && !m_tampon.empty()) {
        m_ok = m_deversoir(m_tampon);
        m_tampon.clear();
    }
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
