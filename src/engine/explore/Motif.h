#pragma once
// The pattern matcher of the concordance and of the selection of forms: a Perl-compatible regular
// expression, written in UTF-8, matched against graphies converted from Windows-1252 to UTF-8 with
// Unicode character properties, so that French letters are letters for \w, [[:alpha:]] and case-less
// matching ("(?i)été" finds "ÉTÉ").
//
// The pattern is compiled once (JIT-compiled when the platform allows it) and each test reuses one
// match block. A match searches the whole graphie, from its first character, for a match anywhere.
// Each test stops after a bounded amount of work, so that a pattern with catastrophic backtracking
// ends with a message instead of hanging.
//
// Typical use:
//   auto motif = Motif::Compile("^anti");
//   if (!motif) show(motif.Message());                      // invalid: nothing is selected
//   auto entrees = motif->Selectionne(base);                // forms, then segment entries
//   if (!entrees) show(entrees.Message());                  // too costly: nothing is selected
//
// A Motif reuses one match block: one thread at a time may test with it.
#include "Resultat.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace t3 {

class charg1;

// Codes of the failures of Motif.
inline constexpr int32_t MotifIncorrect = 1;   // the pattern does not compile
inline constexpr int32_t MotifTropCouteux = 2; // a test reached the match, depth or stack limit

// Bounds of one test: the calls of the matching routine, and the depth of its backtracking.
inline constexpr uint32_t LimiteCorrespondances = 1000000;
inline constexpr uint32_t LimiteProfondeur = 10000;

class Motif {
  public:
    // Compiles the pattern (UTF-8). An invalid pattern (syntax, or bytes that are not UTF-8) gives
    // MotifIncorrect and the French message "le motif « x » est incorrect : <raison> (position n)."
    // where n counts the characters of the pattern before the place of the fault; no English text of
    // the pattern library reaches a message.
    static Resultat<Motif> Compile(std::string_view motifUtf8);

    Motif(Motif&&) noexcept;
    Motif& operator=(Motif&&) noexcept;
    ~Motif();

    const std::string& Texte() const { return m_texte; }

    // Whether the pattern matches somewhere in a graphie (Windows-1252), or MotifTropCouteux with its
    // message when the test reached a limit.
    Resultat<bool> Correspond(std::string_view graphieCp1252) const;

    // Every form (0 to Nbform() - 1) whose graphie matches, in number order, then, when segments are
    // attached to the base, every segment entry (Nbart() + 1 + k) whose text matches: its forms each
    // followed by one blank. The first test that reaches a limit stops the search with
    // MotifTropCouteux and its message: nothing is selected then.
    Resultat<std::vector<int32_t>> Selectionne(const charg1& base) const;

  private:
    struct Interne;
    explicit Motif(std::unique_ptr<Interne> interne, std::string texte);
    // The test of a text already in UTF-8.
    Resultat<bool> CorrespondUtf8(std::string_view utf8) const;

    std::unique_ptr<Interne> m_interne;
    std::string m_texte;
};

} // namespace t3
