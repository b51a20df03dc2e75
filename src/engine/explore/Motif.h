#pragma once
// The pattern matcher of the concordance and of the selection of forms: a Perl-compatible regular
// expression, written in UTF-8, matched against graphies converted from Windows-1252 to UTF-8 with
// Unicode character properties, so that French letters are letters for \w, [[:alpha:]] and case-less
// matching ("(?i)été" finds "ÉTÉ").
//
// The pattern is compiled once (JIT-compiled when the platform allows it) and each test reuses one
// match block. A match searches the whole graphie, from its first character, for a match anywhere.
//
// A search has one budget for all the texts it tests (a Budget): a pattern whose backtracking grows
// without end, on one form or a little on each of many, stops the search with a message after about a
// second of work instead of hanging. The memory of a test is bounded too.
//
// Typical use:
//   auto motif = Motif::Compile("^anti");
//   if (!motif) show(motif.Message());                      // invalid: nothing is selected
//   auto entrees = motif->Selectionne(base);                // forms, then segment entries
//   if (!entrees) show(entrees.Message());                  // too costly: nothing is selected
//
// A Motif reuses one match block: one thread at a time may test with it.
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace t3 {

class charg1;

// Codes of the failures of Motif.
inline constexpr int32_t MotifIncorrect = 1;     // the pattern does not compile, or is refused
inline constexpr int32_t MotifTropCouteux = 2;   // the search spent its budget, or the pattern's own limit
inline constexpr int32_t MotifTropDeMemoire = 3; // a test reached the bound of its memory

// The longest pattern, in characters. A match also reads the pattern at each place it tries (its
// alternatives, its groups) without the library counting it: the longest pattern keeps that part of a
// search to about a second on the 20 MB benchmark base (a pattern of 45 alternatives that each read four
// letters before they fail, the worst found: 0.9 s), and the compiled pattern small. A list of forms
// longer than that is what the list files are for.
inline constexpr size_t LongueurMaxMotif = 500;

// The work a search may do, in the units of the matching library's match limit: at each place of a text
// that a match is tried from, the backtracking points it goes through. The library bounds that count
// place by place and does not tell how many a match used, so a test is charged from above:
// - its first run, under LimiteLibre units a place, is free (an ordinary pattern needs 1 to 7): that
//   part of a search grows with the base as any search does;
// - a test that needs more runs again under four times the limit, and again, each run charged its limit
//   at every place it may be tried from (one for an anchored pattern);
// - a run the budget cannot pay for in full runs under the limit it can still pay for; a test that
//   needs more stops the search, refused.
//
// The figure is about a second of work on the 20 MB benchmark base (307,510 forms): with the JIT a unit
// charged costs 0.45 to 2 ns, and "^(?:|){19}(?!)", "(?:|){22}(?!)" or "^\w*\w*\w*\w*\w*\w*\w*\w*q"
// are refused after 0.2 to 0.8 s of processor time (bench/bench-concordance).
inline constexpr uint64_t BudgetRecherche = 400'000'000;
inline constexpr uint32_t LimiteLibre = 16;
// Without the JIT (a platform that lacks it, or a pattern too large for it) the interpreter takes about
// eight times as long a unit: each of its units is charged that much.
inline constexpr uint64_t FacteurInterpreteur = 8;

// The work a search may still do: one budget for all the texts it tests, forms and segments.
class Budget {
  public:
    explicit Budget(uint64_t unites = BudgetRecherche) : m_reste(unites) {}
    uint64_t Reste() const { return m_reste; }
    // The units charged so far.
    uint64_t Depense() const { return m_depense; }

  private:
    friend class Motif;
    uint64_t m_reste;
    uint64_t m_depense = 0;
};

class Motif {
  public:
    // Compiles the pattern (UTF-8). An invalid pattern (syntax, or bytes that are not UTF-8) gives
    // MotifIncorrect and the French message "le motif « x » est incorrect : <raison> (position n)."
    // where n counts the characters of the pattern before the place of the fault; no English text of
    // the pattern library reaches a message. A pattern longer than
    // LongueurMaxMotif characters is refused, and so are the leading verbs that only slow a match down
    // ((*NO_JIT), (*NO_START_OPT), (*NO_AUTO_POSSESS), (*NO_DOTSTAR_ANCHOR)): they change nothing to
    // what it finds. (*LIMIT_MATCH=n), (*LIMIT_DEPTH=n) and (*LIMIT_HEAP=n) are accepted: the library
    // only lets them lower the limits set here.
    static Resultat<Motif> Compile(std::string_view motifUtf8);

    Motif(Motif&&) noexcept;
    Motif& operator=(Motif&&) noexcept;
    ~Motif();

    const std::string& Texte() const { return m_texte; }

    // Whether the pattern matches somewhere in a graphie (Windows-1252), the test charged to the budget;
    // MotifTropCouteux with its message when the budget is spent or a memory bound is reached.
    Resultat<bool> Correspond(std::string_view graphieCp1252, Budget& budget) const;
    // The same with a budget of its own.
    Resultat<bool> Correspond(std::string_view graphieCp1252) const;

    // Every form (0 to Nbform() - 1) whose graphie matches, in number order, then, when segments are
    // attached to the base, every segment entry (Nbart() + 1 + k) whose text matches: its forms each
    // followed by one blank. Every test is charged to the one budget; the first that cannot be afforded
    // stops the search with MotifTropCouteux and its message: nothing is selected then.
    Resultat<std::vector<int32_t>> Selectionne(const charg1& base, Budget& budget) const;
    Resultat<std::vector<int32_t>> Selectionne(const charg1& base, uint64_t budget = BudgetRecherche) const;

  private:
    struct Interne;
    explicit Motif(std::unique_ptr<Interne> interne, std::string texte);
    // The test of a text already in UTF-8, of that many characters.
    Resultat<bool> CorrespondUtf8(std::string_view utf8, size_t caracteres, Budget& budget) const;

    std::unique_ptr<Interne> m_interne;
    std::string m_texte;
};

} // namespace t3
