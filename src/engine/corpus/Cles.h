#pragma once
// Key types and parts found by name, as a user names them: the command line takes them as words, the
// windows as the graphies they list. Names and texts are Windows-1252 like the graphies, messages UTF-8.
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace t3 {

class charg1;
class Partition;

// Codes of the failures of ChercheTypeCle and CherchePartie.
inline constexpr int32_t TypeCleInconnu = 1;
inline constexpr int32_t PartieInconnue = 2;

// The key type entry whose graphie is graphie, byte for byte; -1 if none.
int32_t RetourneTypeCle(const charg1& base, std::string_view graphie);
// The key types of the base in entry order, separated by ", " ("auteur, titre"); "aucun" when the base
// has none.
std::string TypesDeCles(const charg1& base);
// The key type entry named graphie, or TypeCleInconnu with the message
// "le type de clé « x » n'existe pas dans la base (types de clés : auteur, titre)."
Resultat<int32_t> ChercheTypeCle(const charg1& base, std::string_view graphie);

// The part whose key content has the graphie nom; -1 if none.
int32_t RetournePartie(const Partition& partition, std::string_view nom);
// The part named nom, or PartieInconnue with the message
// "la partie « x » n'existe pas dans la partition par « auteur »."
Resultat<int32_t> CherchePartie(const Partition& partition, std::string_view nom);

} // namespace t3
