#pragma once
// The selection of forms: the entries a request finds among the forms and the repeated segments, and the
// list of entries that the "Groupes de formes" window gathers.
//
// Typical use (the window's search):
//   auto trouvees = SelectionneFormes(base, type, EdMotif.text());
//   if (!trouvees) show(trouvees.Message());   // invalid pattern: the list stays as it is
//   else { if (!ajout) liste.Vide(); liste.Ajoute(*trouvees); }
//   EdNomGrp = NomGroupeSelection(EdNomGrp, EdMotif);
#include "engine/socle/Resultat.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace t3 {

class CalculSegments;
class charg1;

// The request types, in the order of the window's list.
enum TypeRequete : int32_t {
    RequeteExacte = 0,     // the pattern is a form's graphie
    RequeteDebut = 1,      // "^" + P + ".*"
    RequeteFin = 2,        // ".*" + P + "$"
    RequeteContenu = 3,    // ".*" + P + ".*"
    RequeteExpression = 4, // P itself
};
inline constexpr int32_t NbTypesRequete = 5;
// The items of the window's list, by type (UTF-8).
extern const std::array<std::string_view, NbTypesRequete> LibellesTypesRequete;

// The text without the blanks and control characters at either end.
std::string_view SansBlancs(std::string_view texte);

// The regular expression of a request type built from the trimmed pattern, inserted as it is: its
// characters that mean something in an expression act as such ("a.b" contained matches "axb"). Empty
// for type 0 and for an unknown type.
std::string ExpressionRequete(int32_t type, std::string_view motifUtf8);

// Code of the failure of SelectionneFormes besides those of Motif (MotifIncorrect, MotifTropCouteux,
// MotifTropDeMemoire).
inline constexpr int32_t TypeRequeteInconnu = 10;

// The entries a request finds, pattern given as the user typed it (UTF-8, trimmed here). Type 0: the
// form whose graphie is exactly the pattern, or nothing. Types 1 to 4: every form whose graphie the
// expression matches, in number order, then every segment entry (Nbart() + 1 + k) whose text (forms
// each followed by a blank) it matches, in list order, all under one budget (Motif::Selectionne). An
// invalid or too costly pattern gives the matcher's French message and selects nothing.
Resultat<std::vector<int32_t>> SelectionneFormes(const charg1& base, int32_t type,
                                                 std::string_view motifUtf8);

// The group name after a search: the trimmed name when there is one, otherwise the trimmed pattern
// followed by "+".
std::string NomGroupeSelection(std::string_view nom, std::string_view motif);

// The entries of a group of forms: no entry twice, in the order they were first added.
class ListeEntrees {
  public:
    // Adds the entry unless it is already there; true when it was added.
    bool Ajoute(int32_t entree);
    // Adds each entry that is not already there, in order; the number added.
    int32_t Ajoute(std::span<const int32_t> entrees);
    // Keeps the entries whose row is not marked (one mark per row), in their order.
    void Retire(const std::vector<bool>& marquees);
    void Vide();
    const std::vector<int32_t>& Entrees() const { return m_entrees; }
    int32_t Nombre() const { return static_cast<int32_t>(m_entrees.size()); }

  private:
    std::vector<int32_t> m_entrees;
    std::unordered_set<int32_t> m_presentes;
};

// Carries the segment entries of a list over from the computation they were taken from (ancien) to the
// one now attached to the loader (nouveau), by their texts: each becomes the entry of the segment of the
// same text in nouveau, or leaves the list when nouveau has none (or is null). Forms stay as they are.
// The number of entries that left the list.
int32_t ReporteSegments(ListeEntrees& liste, int32_t nbart, const CalculSegments* ancien,
                        const CalculSegments* nouveau);

} // namespace t3
