#include "engine/explore/Motif.h"

#include "engine/corpus/FournisseurSegments.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/RaisonsMotif.h"
#include "engine/socle/Cp1252.h"

#include <algorithm>
#include <array>
#include <limits>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

namespace t3 {

namespace {

// Room for the JIT's backtracking: it starts small and grows up to the maximum, past which a test
// fails.
constexpr size_t PileJitInitiale = 32 * 1024;
constexpr size_t PileJitMax = 1024 * 1024;
// The interpreter's backtracking: its depth, and the memory of its frames in KB. A frame holds the
// pattern's captures (16 bytes each): 32 MB hold the frames of that depth for some 200 groups, and a
// pattern of thousands of groups stops there instead of taking gigabytes.
constexpr uint32_t LimiteProfondeur = 10000;
constexpr uint32_t LimiteTasKo = 32 * 1024;

// The leading verbs that only slow a match down, by the option each sets.
struct VerbeRefuse {
    uint32_t option;
    const char* texte;
};
constexpr VerbeRefuse VerbesRefuses[] = {{PCRE2_NO_START_OPTIMIZE, "(*NO_START_OPT)"},
                                         {PCRE2_NO_AUTO_POSSESS, "(*NO_AUTO_POSSESS)"},
                                         {PCRE2_NO_DOTSTAR_ANCHOR, "(*NO_DOTSTAR_ANCHOR)"}};

// The options of every pattern.
constexpr uint32_t OptionsMotif = PCRE2_UTF | PCRE2_UCP | PCRE2_NEVER_BACKSLASH_C;

bool JitDisponible() {
    static const bool disponible = [] {
        uint32_t oui = 0;
        return pcre2_config(PCRE2_CONFIG_JIT, &oui) >= 0 && oui != 0;
    }();
    return disponible;
}

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
    // What a unit of the match limit is charged: more without the JIT.
    uint64_t prixUnite = 1;
    // Tried from its first character only.
    bool ancre = false;
    // The match limit the pattern sets itself ((*LIMIT_MATCH=n)): the library keeps the lower of it and
    // ours.
    uint32_t limiteMotif = std::numeric_limits<uint32_t>::max();
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
    if (const size_t n = Caracteres(texte, texte.size()); n > LongueurMaxMotif)
        return Echec{MotifIncorrect, "le motif est trop long : " + std::to_string(n) + " caractères, pour " +
                                         std::to_string(LongueurMaxMotif) + " au plus."};
    const auto incorrect = [&texte](const std::string& raison) {
        return Echec{MotifIncorrect, "le motif « " + texte + " » est incorrect : " + raison + "."};
    };
    int erreur = 0;
    PCRE2_SIZE decalage = 0;
    auto interne = std::make_unique<Interne>();
    // \C (one code unit) could split a French letter's bytes: it is refused.
    interne->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(texte.data()), texte.size(), OptionsMotif,
                                  &erreur, &decalage, nullptr);
    if (interne->code == nullptr) {
        const std::string position = " (position " + std::to_string(Caracteres(texte, decalage)) + ").";
        // A pattern that is not UTF-8 is not shown: its bytes would spoil the message.
        if (erreur <= PCRE2_ERROR_UTF8_ERR1 && erreur >= PCRE2_ERROR_UTF8_ERR21)
            return Echec{MotifIncorrect, "le motif n'est pas un texte UTF-8 valide : " +
                                             RaisonCompilation(erreur) + position};
        return Echec{MotifIncorrect,
                     "le motif « " + texte + " » est incorrect : " + RaisonCompilation(erreur) + position};
    }
    uint32_t options = 0, demandees = 0;
    pcre2_pattern_info(interne->code, PCRE2_INFO_ALLOPTIONS, &options);
    pcre2_pattern_info(interne->code, PCRE2_INFO_ARGOPTIONS, &demandees);
    for (const VerbeRefuse& verbe : VerbesRefuses)
        if ((options & ~demandees & verbe.option) != 0)
            return incorrect(std::string(verbe.texte) + " ne fait que ralentir la recherche");
    interne->ancre = (options & PCRE2_ANCHORED) != 0;
    uint32_t limite = 0;
    if (pcre2_pattern_info(interne->code, PCRE2_INFO_MATCHLIMIT, &limite) == 0) interne->limiteMotif = limite;

    // Without the JIT the interpreter matches alone: on a platform that lacks it, or for a pattern it
    // cannot compile (too large for its memory).
    bool jit = false;
    if (JitDisponible() && pcre2_jit_compile(interne->code, PCRE2_JIT_COMPLETE) == 0) {
        size_t code = 0;
        pcre2_pattern_info(interne->code, PCRE2_INFO_JITSIZE, &code);
        // Compiled without code: the pattern said (*NO_JIT).
        if (code == 0) return incorrect("(*NO_JIT) ne fait que ralentir la recherche");
        jit = true;
    }
    interne->prixUnite = jit ? 1 : FacteurInterpreteur;
    interne->donnees = pcre2_match_data_create(1, nullptr);
    interne->contexte = pcre2_match_context_create(nullptr);
    if (jit) interne->pile = pcre2_jit_stack_create(PileJitInitiale, PileJitMax, nullptr);
    if (interne->donnees == nullptr || interne->contexte == nullptr || (jit && interne->pile == nullptr))
        return Echec{MotifIncorrect,
                     "le motif « " + texte + " » ne peut être préparé : mémoire insuffisante."};
    pcre2_set_depth_limit(interne->contexte, LimiteProfondeur);
    pcre2_set_heap_limit(interne->contexte, LimiteTasKo);
    if (jit) pcre2_jit_stack_assign(interne->contexte, nullptr, interne->pile);
    return Motif(std::move(interne), texte);
}

Resultat<bool> Motif::CorrespondUtf8(std::string_view utf8, size_t caracteres, Budget& budget) const {
    const Interne& m = *m_interne;
    const auto echec = [&](int32_t code, const std::string& raison) {
        return Echec{code, "la recherche du motif « " + m_texte + " » " + raison + " sur « " +
                               std::string(utf8) + " » ; aucune forme n'est retenue."};
    };
    const auto epuise = [&] {
        return echec(MotifTropCouteux, "demande trop de calculs : son budget est épuisé");
    };
    // What a unit costs at each place the match may be tried from.
    const uint64_t prixPlace = (m.ancre ? 1 : caracteres + 1) * m.prixUnite;
    uint64_t limite = LimiteLibre;
    int resultat = 0;
    for (bool premiere = true;; premiere = false) {
        // The first run is free; each next one runs under four times the limit, or under the largest
        // limit the budget can still pay for.
        bool derniere = false;
        uint64_t du = 0;
        if (!premiere) {
            const uint64_t permise = std::min<uint64_t>(budget.m_reste / prixPlace, UINT32_MAX);
            derniere = limite >= permise;
            limite = std::min(limite, permise);
            du = limite * prixPlace;
            if (limite == 0) return epuise();
        }
        pcre2_set_match_limit(m.contexte, static_cast<uint32_t>(limite));
        // The subjects are made by the conversion from Windows-1252: always valid UTF-8.
        resultat = pcre2_match(m.code, reinterpret_cast<PCRE2_SPTR>(utf8.data()), utf8.size(), 0,
                               PCRE2_NO_UTF_CHECK, m.donnees, m.contexte);
        budget.m_reste -= du;
        budget.m_depense += du;
        if (resultat != PCRE2_ERROR_MATCHLIMIT) break;
        if (limite >= m.limiteMotif)
            return echec(MotifTropCouteux,
                         "demande trop de calculs : la limite (*LIMIT_MATCH) du motif est atteinte");
        if (derniere) return epuise();
        limite *= 4;
    }
    if (resultat >= 0) return true;
    if (resultat == PCRE2_ERROR_NOMATCH) return false;
    return echec(MotifTropDeMemoire, "s'arrête (" + RaisonRecherche(resultat) + ")");
}

Resultat<bool> Motif::Correspond(std::string_view graphieCp1252, Budget& budget) const {
    // A Windows-1252 byte is one character.
    if (Ascii(graphieCp1252)) return CorrespondUtf8(graphieCp1252, graphieCp1252.size(), budget);
    std::string& tampon = m_interne->tampon;
    tampon.clear();
    AjouteUtf8(tampon, graphieCp1252);
    return CorrespondUtf8(tampon, graphieCp1252.size(), budget);
}

Resultat<bool> Motif::Correspond(std::string_view graphieCp1252) const {
    Budget budget;
    return Correspond(graphieCp1252, budget);
}

Resultat<std::vector<int32_t>> Motif::Selectionne(const charg1& base, Budget& budget) const {
    std::vector<int32_t> entrees;
    for (int32_t forme = 0; forme < base.Nbform(); ++forme) {
        const Resultat<bool> oui = Correspond(base.Graphie(forme), budget);
        if (!oui) return Echec{oui.Code(), oui.Message()};
        if (*oui) entrees.push_back(forme);
    }
    const FournisseurSegments* segments = base.Segments();
    const int32_t nbSegments = segments != nullptr ? std::min(base.NbFormSup(), segments->NbSegments()) : 0;
    std::string& tampon = m_interne->tampon;
    for (int32_t k = 0; k < nbSegments; ++k) {
        tampon.clear();
        size_t caracteres = 0;
        for (const int32_t forme : segments->FormesSegment(k)) {
            const std::string_view graphie = base.Graphie(forme);
            AjouteUtf8(tampon, graphie);
            tampon += ' ';
            caracteres += graphie.size() + 1;
        }
        const Resultat<bool> oui = CorrespondUtf8(tampon, caracteres, budget);
        if (!oui) return Echec{oui.Code(), oui.Message()};
        if (*oui) entrees.push_back(base.Nbart() + 1 + k);
    }
    return entrees;
}

Resultat<std::vector<int32_t>> Motif::Selectionne(const charg1& base, uint64_t unites) const {
    Budget budget(unites);
    return Selectionne(base, budget);
}

} // namespace t3
