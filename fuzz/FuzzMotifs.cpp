// Any bytes as a pattern of the concordance and of the selection of forms, compiled and matched over
// every form and segment entry of a small fixed base (French letters, ligatures, long runs of one
// letter, elisions), under a small budget. Never a crash nor a hang: a pattern that does not compile is
// refused with its message, a search that spends its budget or reaches a memory bound selects nothing
// with its message, and the units charged never pass the budget. Otherwise the entries selected are
// exactly those whose graphie each test alone matches, in increasing order; the search was charged what
// its tests are charged alone; and the work the library needed beyond a first run on each text, counted
// here on a copy of the pattern, was paid for.
#include "AideFuzz.h"

#include "engine/Globaux.h"
#include "engine/corpus/FournisseurSegments.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/Motif.h"
#include "engine/segmentation/SegmPrinc.h"
#include "engine/socle/Cp1252.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

using namespace t3;

namespace {

constexpr char Texte[] =
    "<auteur=S\xE9vign\xE9> L'\xE9t\xE9 de la marquise, \x9Cuvre et \x8CUVRE : \xC9T\xC9 \xE0 Paris ; "
    "aaaaaaaaaaaaaaaaaaaaaaaaaaaaab anticonstitutionnellement {ici} \\ \x80 100 "
    "\x85 na\xEFve No\xEBl ma\xEEtre d\xE9j\xE0 \xE7\xE0 l\xE0 _x_ \xAB guillemets \xBB\n";

// Two segments of the base's first forms, as if they had been computed.
class DeuxSegments : public FournisseurSegments {
  public:
    int32_t NbSegments() const override { return 2; }
    std::vector<int32_t> FormesSegment(int32_t k) const override {
        return k == 0   ? std::vector<int32_t>{0, 1}
               : k == 1 ? std::vector<int32_t>{2, 3, 4}
                        : std::vector<int32_t>{};
    }
    std::vector<int32_t> LocOccSeg(int32_t) const override { return {}; }
};

const charg1& Base() {
    static const std::unique_ptr<charg1> base = [] {
        t3fuzz::DansDossierPrive dossier;
        t3fuzz::EcritFichier("corpus.txt", Texte);
        VERIFIE(SegmPrinc("corpus.txt", DelimParDefaut) == ResultatSegm::Ok,
                "the fixed base cannot be written");
        auto chargee = std::make_unique<charg1>();
        VERIFIE(chargee->ChargeBase("corpus.par") == ChargeReussie, "the fixed base is refused");
        static const DeuxSegments segments;
        chargee->AssigneSR(&segments);
        return chargee;
    }();
    return *base;
}

// The text of an entry as the matcher sees it: a form's graphie, a segment's forms each with a blank.
std::string TexteEntree(const charg1& base, int32_t entree) {
    return base.RetourneGraphie(entree, false);
}

// The budget of a search here: small, so that costly patterns are refused quickly.
constexpr uint64_t BudgetFuzz = 100000;

// The library's count for a text, measured on a copy of the pattern: the smallest match limit under
// which its match ends (0 when LimiteLibre suffices, more than BudgetFuzz when even that is not enough).
class Mesure {
  public:
    explicit Mesure(const std::string& motif) {
        int erreur = 0;
        PCRE2_SIZE decalage = 0;
        m_code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(motif.data()), motif.size(),
                               PCRE2_UTF | PCRE2_UCP | PCRE2_NEVER_BACKSLASH_C, &erreur, &decalage, nullptr);
        VERIFIE(m_code != nullptr, "the copy of the pattern does not compile");
        pcre2_jit_compile(m_code, PCRE2_JIT_COMPLETE);
        m_donnees = pcre2_match_data_create(1, nullptr);
        m_contexte = pcre2_match_context_create(nullptr);
    }
    ~Mesure() {
        pcre2_match_context_free(m_contexte);
        pcre2_match_data_free(m_donnees);
        pcre2_code_free(m_code);
    }
    Mesure(const Mesure&) = delete;
    Mesure& operator=(const Mesure&) = delete;

    uint64_t Unites(const std::string& utf8) {
        if (Finit(utf8, LimiteLibre)) return 0;
        uint64_t bas = LimiteLibre, haut = BudgetFuzz + 1;
        if (!Finit(utf8, haut)) return haut;
        while (haut - bas > 1) {
            const uint64_t milieu = (bas + haut) / 2;
            (Finit(utf8, milieu) ? haut : bas) = milieu;
        }
        return haut;
    }

  private:
    bool Finit(const std::string& utf8, uint64_t limite) {
        pcre2_set_match_limit(m_contexte, static_cast<uint32_t>(limite));
        return pcre2_match(m_code, reinterpret_cast<PCRE2_SPTR>(utf8.data()), utf8.size(), 0, 0, m_donnees,
                           m_contexte) != PCRE2_ERROR_MATCHLIMIT;
    }

    pcre2_code* m_code = nullptr;
    pcre2_match_data* m_donnees = nullptr;
    pcre2_match_context* m_contexte = nullptr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const charg1& base = Base();
    const std::string texte(reinterpret_cast<const char*>(donnees), taille);
    const auto motif = Motif::Compile(texte);
    if (!motif) {
        VERIFIE(motif.Code() == MotifIncorrect && !motif.Message().empty(), "refused without its message");
        return 0;
    }
    Budget budget(BudgetFuzz);
    const auto entrees = motif->Selectionne(base, budget);
    VERIFIE(budget.Depense() <= BudgetFuzz, "the search spent more than its budget");
    if (!entrees) {
        VERIFIE((entrees.Code() == MotifTropCouteux || entrees.Code() == MotifTropDeMemoire) &&
                    !entrees.Message().empty(),
                "stopped without its message");
        return 0;
    }
    // Each entry alone, through the same match block: selected exactly when it matches.
    size_t suivante = 0;
    std::vector<int32_t> candidates;
    for (int32_t f = 0; f < base.Nbform(); ++f)
        candidates.push_back(f);
    for (int32_t k = 0; k < base.NbFormSup(); ++k)
        candidates.push_back(base.Nbart() + 1 + k);
    Mesure mesure(texte);
    uint64_t depenses = 0, necessaires = 0;
    size_t plusLong = 0;
    for (const int32_t entree : candidates) {
        plusLong = std::max(plusLong, TexteEntree(base, entree).size());
        Budget seule(BudgetFuzz);
        const auto oui = motif->Correspond(TexteEntree(base, entree), seule);
        const bool choisie = suivante < entrees->size() && (*entrees)[suivante] == entree;
        if (choisie) ++suivante;
        // The search met every entry without reaching a limit, and a test's work depends on its text only.
        VERIFIE(oui,
                "entry " + std::to_string(entree) + " stopped alone, not in the search: " + oui.Message());
        VERIFIE(*oui == choisie, "entry " + std::to_string(entree) + (choisie ? " selected" : " left out") +
                                     " but matched alone: " + (*oui ? "yes" : "no"));
        depenses += seule.Depense();
        necessaires += mesure.Unites(Cp1252VersUtf8(TexteEntree(base, entree)));
    }
    VERIFIE(suivante == entrees->size(), "entries selected out of order or out of range");
    // The same charges, but for a last run that the budget could only pay under a lower limit, and that
    // ended under it: then less than one unit a place was left.
    VERIFIE(depenses == budget.Depense() ||
                (depenses > budget.Depense() && budget.Reste() < FacteurInterpreteur * (plusLong + 1)),
            "the search was charged " + std::to_string(budget.Depense()) + " units, its tests alone " +
                std::to_string(depenses));
    VERIFIE(necessaires <= budget.Depense(), "the library needed " + std::to_string(necessaires) +
                                                 " units beyond the first runs, the search paid " +
                                                 std::to_string(budget.Depense()));
    return 0;
}
