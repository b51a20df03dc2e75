#pragma once
// How a command of t3 reads the words that follow its name: its options, each read by a routine of its
// own into the command's parameters, and the words it takes without a name (a base, a key type...).
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace t3cli {

// The words that follow the command's name.
using Arguments = std::vector<std::string>;

// What reading an argument gives: nothing, or the French fault.
using Lu = t3::Resultat<void>;

// The codes of the failures of reading arguments: a word that the command does not take ("argument
// inattendu : x"), or a value that it cannot take. A command may answer them differently.
constexpr int32_t ArgumentInattendu = 1;
constexpr int32_t ArgumentFautif = 2;

// An ArgumentFautif failure with its message.
t3::Echec Faute(std::string message);

// The whole text as a whole number that int32_t holds.
bool LitEntier(std::string_view texte, int32_t& valeur);

// An option that a command takes: "--tri=VALEUR" when nom ends with "=" ("tri="), "--html" alone
// otherwise ("html"). lire reads the value (empty for an option alone) into the command's parameters.
struct OptionCommande {
    std::string nom;
    std::function<Lu(const std::string& valeur)> lire;
};

// "--nom" alone, which sets drapeau.
OptionCommande Drapeau(std::string_view nom, bool& drapeau);
// The value of --nom=N read into entier, a whole number from minimum to maximum; else the fault "la valeur
// de --nom doit être un nombre entier de 10 à 255 : N" ("au moins égal à 2" when there is no maximum).
Lu LitEntierEntre(std::string_view nom, const std::string& valeur, int32_t& entier, int32_t minimum,
                  int32_t maximum = std::numeric_limits<int32_t>::max());
// "--nom=N" (nom without its "="), read by LitEntierEntre.
OptionCommande OptionEntier(std::string_view nom, int32_t& entier, int32_t minimum,
                            int32_t maximum = std::numeric_limits<int32_t>::max());

// Puts mot in champ when champ is still empty: the next word that the command takes in its place.
bool Remplit(std::string& champ, const std::string& mot);

// The value read kept in champ, or the failure of its reading.
template <typename C, typename T> Lu Retient(C& champ, t3::Resultat<T> lu) {
    if (!lu) return t3::Echec{lu.Code(), lu.Message()};
    champ = std::move(lu.Valeur());
    return {};
}

// Reads args in order: each option of options by its routine; a word that no option names is given to
// mot, which takes it or refuses it, then unexpected. Besides the options, a word beginning with "--" is
// unexpected unless motEnTirets (a pattern may begin with them). The first fault stops the reading.
Lu LitArguments(const Arguments& args, const std::vector<OptionCommande>& options,
                const std::function<bool(const std::string& mot)>& mot, bool motEnTirets = false);

// How a command prints its table: tab-separated text (the default) or, with --csv, CSV; --bom, with
// --csv only, puts the UTF-8 byte-order mark before it.
struct FormatTableau {
    bool csv = false;
    bool bom = false;
};

// LitArguments with --csv and --bom besides the command's options; --bom without --csv is a fault.
Lu LitArgumentsTableau(const Arguments& args, std::vector<OptionCommande> options, FormatTableau& format,
                       const std::function<bool(const std::string& mot)>& mot, bool motEnTirets = false);

} // namespace t3cli
