#include "explore/Motif.h"

#include "corpus/FournisseurSegments.h"
#include "corpus/charg1.h"
#include "explore/RaisonsMotif.h"
#include "segmentation/Cp1252.h"

#include <array>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

namespace t3 {

namespace {

// Room for the JIT's backtracking: it starts small and grows up to the maximum, past which a test
// fails as too costly.
constexpr size_t PileJitInitiale = 32 * 1024;
constexpr size_t PileJitMax = 1024 * 1024;

// The UTF-8 bytes of each Windows-1252 byte (at most three), and their number.
struct Utf8DeCp1252 {
    std::array<std::array<char, 3>, 256> octets{};
    std::array<uint8_t, 256> longueurs{};
    Utf8DeCp1252() {
        for (int c = 0; c < 256; ++c) {
            const std::string utf8 = Cp1252VersUtf8(std::string(1, static_cast<char>(c)));
            longueurs[size_t(c)] = static_cast<uint8_t>(utf8.size());
            for (size_t i = 0; i < utf8.size(); ++i)
                octets[size_t(c)][i] = utf8[i];
        }
    }
};

const Utf8DeCp1252& TableUtf8() {
    static const Utf8DeCp1252 table;
    return table;
}

// Appends the graphie converted to UTF-8.
void AjouteUtf8(std::string& sortie, std::string_view cp1252) {
    const Utf8DeCp1252& table = TableUtf8();
    for (const char c : cp1252) {
        const auto octet = static_cast<unsigned char>(c);
        sortie.append(table.octets[octet].data(), table.longueurs[octet]);
    }
}

bool Ascii(std::string_view texte) {
    for (const char c : texte)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// The number of characters of a UTF-8 text before the byte offset.
size_t Caracteres(std::string_view utf8, size_t octets) {
    size_t n = 0;
    for (size_t i = 0; i < octets && i < utf8.size(); ++i)
        n += (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80;
    return n;
}

} // namespace

struct Motif::Interne {
    pcre2_code* code = nullptr;
    pcre2_match_data* donnees = nullptr;
    pcre2_match_context* contexte = nullptr;
    pcre2_jit_stack* pile = nullptr;
    // The graphie being tested, in UTF-8; kept from one test to the next.
    std::string tampon;

    Interne() = default;
    Interne(const Interne&) = delete;
    Interne& operator=(const Interne&) = delete;
    ~Interne() {
        pcre2_jit_stack_free(pile);
        pcre2_match_context_free(contexte);
        pcre2_match_data_free(donnees);
        pcre2_code_free(code);
    }
};

Motif::Motif(std::unique_ptr<Interne> interne, std::string texte)
    : m_interne(std::move(interne)), m_texte(std::move(texte)) {}
Motif::Motif(Motif&&) noexcept = default;
Motif& Motif::operator=(Motif&&) noexcept = default;
Motif::~Motif() = default;

Resultat<Motif> Motif::Compile(std::string_view motifUtf8) {
    const std::string texte(motifUtf8);
    int erreur = 0;
    PCRE2_SIZE decalage = 0;
    auto interne = std::make_unique<Interne>();
    // \C (one code unit) could split a French letter's bytes: it is refused.
    interne->code =
        pcre2_compile(reinterpret_cast<PCRE2_SPTR>(texte.data()), texte.size(),
                      PCRE2_UTF | PCRE2_UCP | PCRE2_NEVER_BACKSLASH_C, &erreur, &decalage, nullptr);
    if (interne->code == nullptr) {
        const std::string position = " (position " + std::to_string(Caracteres(texte, decalage)) + ").";
        // A pattern that is not UTF-8 is not shown: its bytes would spoil the message.
        if (erreur <= PCRE2_ERROR_UTF8_ERR1 && erreur >= PCRE2_ERROR_UTF8_ERR21)
            return Echec{MotifIncorrect, "le motif n'est pas un texte UTF-8 valide : " +
                                             RaisonCompilation(erreur) + position};
        return Echec{MotifIncorrect,
                     "le motif « " + texte + " » est incorrect : " + RaisonCompilation(erreur) + position};
    }
    // Without JIT (a platform that lacks it, or (*NO_JIT) in the pattern) the interpreter matches alone.
    const bool jit = pcre2_jit_compile(interne->code, PCRE2_JIT_COMPLETE) == 0;
    interne->donnees = pcre2_match_data_create(1, nullptr);
    interne->contexte = pcre2_match_context_create(nullptr);
    if (jit) interne->pile = pcre2_jit_stack_create(PileJitInitiale, PileJitMax, nullptr);
    if (interne->donnees == nullptr || interne->contexte == nullptr || (jit && interne->pile == nullptr))
        return Echec{MotifIncorrect,
                     "le motif « " + texte + " » ne peut être préparé : mémoire insuffisante."};
    pcre2_set_match_limit(interne->contexte, LimiteCorrespondances);
    pcre2_set_depth_limit(interne->contexte, LimiteProfondeur);
    if (jit) pcre2_jit_stack_assign(interne->contexte, nullptr, interne->pile);
    return Motif(std::move(interne), texte);
}

Resultat<bool> Motif::CorrespondUtf8(std::string_view utf8) const {
    // The subjects are made by the conversion from Windows-1252: always valid UTF-8.
    const int resultat = pcre2_match(m_interne->code, reinterpret_cast<PCRE2_SPTR>(utf8.data()), utf8.size(),
                                     0, PCRE2_NO_UTF_CHECK, m_interne->donnees, m_interne->contexte);
    if (resultat >= 0) return true;
    if (resultat == PCRE2_ERROR_NOMATCH) return false;
    return Echec{MotifTropCouteux, "la recherche du motif « " + m_texte +
                                       " » demande trop de calculs sur « " + std::string(utf8) + " » (" +
                                       RaisonRecherche(resultat) + ") ; aucune forme n'est retenue."};
}

Resultat<bool> Motif::Correspond(std::string_view graphieCp1252) const {
    if (Ascii(graphieCp1252)) return CorrespondUtf8(graphieCp1252);
    std::string& tampon = m_interne->tampon;
    tampon.clear();
    AjouteUtf8(tampon, graphieCp1252);
    return CorrespondUtf8(tampon);
}

Resultat<std::vector<int32_t>> Motif::Selectionne(const charg1& base) const {
    std::vector<int32_t> entrees;
    for (int32_t forme = 0; forme < base.Nbform(); ++forme) {
        const Resultat<bool> oui = Correspond(base.Graphie(forme));
        if (!oui) return Echec{oui.Code(), oui.Message()};
        if (*oui) entrees.push_back(forme);
    }
    const FournisseurSegments* segments = base.Segments();
    const int32_t nbSegments = segments != nullptr ? std::min(base.NbFormSup(), segments->NbSegments()) : 0;
    std::string& tampon = m_interne->tampon;
    for (int32_t k = 0; k < nbSegments; ++k) {
        tampon.clear();
        for (const int32_t forme : segments->FormesSegment(k)) {
            AjouteUtf8(tampon, base.Graphie(forme));
            tampon += ' ';
        }
        const Resultat<bool> oui = CorrespondUtf8(tampon);
        if (!oui) return Echec{oui.Code(), oui.Message()};
        if (*oui) entrees.push_back(base.Nbart() + 1 + k);
    }
    return entrees;
}

} // namespace t3
