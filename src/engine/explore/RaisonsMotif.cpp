#include "engine/explore/RaisonsMotif.h"

#include <array>
#include <string_view>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

namespace t3 {

namespace {

// The reasons of the compilation codes, from PCRE2_ERROR_END_BACKSLASH (101) on; empty for the codes
// that a pattern cannot cause (internal errors, options this program never sets, a library built
// without what the program needs), which get the general sentence.
constexpr int PremierCode = PCRE2_ERROR_END_BACKSLASH;
constexpr std::array<std::string_view, 99> Raisons = {
    "\\ à la fin du motif",                                                           // 101
    "\\c à la fin du motif",                                                          // 102
    "caractère inconnu après \\",                                                     // 103
    "nombres dans le désordre dans le quantificateur {}",                             // 104
    "nombre trop grand dans le quantificateur {}",                                    // 105
    "il manque le ] qui ferme la classe de caractères",                               // 106
    "séquence d'échappement interdite dans une classe de caractères",                 // 107
    "intervalle à l'envers dans une classe de caractères",                            // 108
    "le quantificateur ne suit rien qui puisse se répéter",                           // 109
    "",                                                                               // 110
    "caractère inconnu après (? ou (?-",                                              // 111
    "une classe POSIX nommée ne s'écrit qu'entre crochets, comme [[:alpha:]]",        // 112
    "les éléments de collation POSIX ([.x.], [=x=]) ne sont pas pris en charge",      // 113
    "il manque une parenthèse fermante",                                              // 114
    "référence à un sous-motif qui n'existe pas",                                     // 115
    "",                                                                               // 116
    "",                                                                               // 117
    "il manque la ) qui ferme le commentaire (?#",                                    // 118
    "parenthèses imbriquées trop profondément",                                       // 119
    "le motif compilé est trop grand",                                                // 120
    "mémoire insuffisante",                                                           // 121
    "parenthèse fermante sans parenthèse ouvrante",                                   // 122
    "",                                                                               // 123
    "il manque la parenthèse fermante de la condition",                               // 124
    "une assertion arrière n'a pas une longueur fixe",                                // 125
    "une référence relative ne peut valoir zéro",                                     // 126
    "un sous-motif conditionnel a plus de deux branches",                             // 127
    "une assertion est attendue après (?( ou (?(?C)",                                 // 128
    "un chiffre est attendu après (?+ ou (?-",                                        // 129
    "nom de classe POSIX inconnu",                                                    // 130
    "",                                                                               // 131
    "",                                                                               // 132
    "parenthèses imbriquées trop profondément",                                       // 133
    "valeur de caractère trop grande dans \\x{} ou \\o{}",                            // 134
    "assertion arrière trop compliquée",                                              // 135
    "\\C est interdit dans une assertion arrière",                                    // 136
    "\\F, \\L, \\l, \\N{nom}, \\U et \\u ne sont pas pris en charge",                 // 137
    "le nombre après (?C dépasse 255",                                                // 138
    "il manque la parenthèse fermante de (?C",                                        // 139
    "séquence d'échappement incorrecte dans le nom d'un verbe (*...)",                // 140
    "caractère inconnu après (?P",                                                    // 141
    "nom de sous-motif mal écrit (il manque sa fin ?)",                               // 142
    "deux sous-motifs portent le même nom",                                           // 143
    "le nom d'un sous-motif ne peut commencer par un chiffre",                        // 144
    "",                                                                               // 145
    "séquence \\p ou \\P mal formée",                                                 // 146
    "propriété inconnue après \\p ou \\P",                                            // 147
    "nom de sous-motif trop long (32 octets au plus)",                                // 148
    "trop de sous-motifs nommés (10 000 au plus)",                                    // 149
    "intervalle incorrect dans une classe de caractères",                             // 150
    "",                                                                               // 151
    "",                                                                               // 152
    "",                                                                               // 153
    "un sous-motif DEFINE a plus d'une branche",                                      // 154
    "il manque l'accolade ouvrante après \\o",                                        // 155
    "",                                                                               // 156
    "\\g doit être suivi d'un nombre, ou d'un nom ou d'un numéro entre {}, <> ou ''", // 157
    "(?R (appel récursif du motif) doit être suivi d'une parenthèse fermante",        // 158
    "",                                                                               // 159
    "verbe (*...) inconnu ou mal formé",                                              // 160
    "numéro de sous-motif trop grand",                                                // 161
    "nom de sous-motif attendu",                                                      // 162
    "",                                                                               // 163
    "caractère non octal dans \\o{} (il manque l'accolade fermante ?)",               // 164
    "des sous-motifs de même numéro ne peuvent porter des noms différents",           // 165
    "(*MARK) demande un argument",                                                    // 166
    "caractère non hexadécimal dans \\x{} (il manque l'accolade fermante ?)",         // 167
    "\\c doit être suivi d'un caractère ASCII imprimable",                            // 168
    "\\k doit être suivi d'un nom entre accolades, chevrons ou apostrophes",          // 169
    "",                                                                               // 170
    "\\N est interdit dans une classe de caractères",                                 // 171
    "texte de (?C trop long",                                                         // 172
    "point de code interdit (de 0xD800 à 0xDFFF)",                                    // 173
    "",                                                                               // 174
    "",                                                                               // 175
    "nom trop long dans (*MARK), (*PRUNE), (*SKIP) ou (*THEN)",                       // 176
    "valeur de caractère trop grande dans \\u",                                       // 177
    "chiffres manquants dans \\x{}, \\o{} ou \\N{U+}",                                // 178
    "condition (?(VERSION mal écrite ou de nombre trop grand",                        // 179
    "",                                                                               // 180
    "il manque le délimiteur qui ferme le texte de (?C",                              // 181
    "délimiteur de texte inconnu après (?C",                                          // 182
    "\\C (un octet isolé) est interdit : il couperait les lettres accentuées",        // 183
    "parenthèses (?|, (?J: ou (?x: imbriquées trop profondément",                     // 184
    "\\C (un octet isolé) est interdit : il couperait les lettres accentuées",        // 185
    "le motif est trop compliqué",                                                    // 186
    "assertion arrière trop longue",                                                  // 187
    "le motif est trop long",                                                         // 188
    "",                                                                               // 189
    "",                                                                               // 190
    "",                                                                               // 191
    "",                                                                               // 192
    "",                                                                               // 193
    "trait d'union mal placé dans des options (?...)",                                // 194
    "assertion (*...) inconnue",                                                      // 195
    "",                                                                               // 196
    "trop de groupes capturants (65 535 au plus)",                                    // 197
    "une assertion atomique est attendue après (?( ou (?(?C)",                        // 198
    "\\K est interdit dans une assertion avant ou arrière",                           // 199
};
static_assert(PremierCode + static_cast<int>(Raisons.size()) - 1 == PCRE2_ERROR_BACKSLASH_K_IN_LOOKAROUND);

// The faults of a text that is not UTF-8.
std::string RaisonUtf8(int code) {
    if (code >= PCRE2_ERROR_UTF8_ERR5) {
        const int manquants = PCRE2_ERROR_UTF8_ERR1 - code + 1;
        return "le dernier caractère est incomplet (il manque " + std::to_string(manquants) +
               (manquants > 1 ? " octets)" : " octet)");
    }
    if (code >= PCRE2_ERROR_UTF8_ERR10) return "octet de suite incorrect dans un caractère";
    if (code >= PCRE2_ERROR_UTF8_ERR12) return "caractère de 5 ou 6 octets, que UTF-8 n'admet pas";
    if (code == PCRE2_ERROR_UTF8_ERR13) return "point de code au-delà de 0x10FFFF";
    if (code == PCRE2_ERROR_UTF8_ERR14) return "point de code interdit (de 0xD800 à 0xDFFF)";
    if (code >= PCRE2_ERROR_UTF8_ERR19) return "caractère écrit sur plus d'octets qu'il n'en faut";
    if (code == PCRE2_ERROR_UTF8_ERR20) return "octet de suite isolé (0x80 à 0xBF)";
    return "octet 0xFE ou 0xFF";
}

} // namespace

std::string RaisonCompilation(int code) {
    if (code <= PCRE2_ERROR_UTF8_ERR1 && code >= PCRE2_ERROR_UTF8_ERR21) return RaisonUtf8(code);
    const int i = code - PremierCode;
    if (i >= 0 && i < static_cast<int>(Raisons.size()) && !Raisons[size_t(i)].empty())
        return std::string(Raisons[size_t(i)]);
    return "erreur n° " + std::to_string(code) + " de la bibliothèque des expressions rationnelles";
}

std::string RaisonRecherche(int code) {
    switch (code) {
    case PCRE2_ERROR_MATCHLIMIT:
        return "limite de calcul atteinte";
    case PCRE2_ERROR_DEPTHLIMIT:
        return "limite de profondeur des retours en arrière atteinte";
    case PCRE2_ERROR_HEAPLIMIT:
        return "limite de mémoire atteinte";
    case PCRE2_ERROR_JIT_STACKLIMIT:
        return "pile de la recherche pleine";
    case PCRE2_ERROR_NOMEMORY:
        return "mémoire insuffisante";
    case PCRE2_ERROR_RECURSELOOP:
        return "un appel récursif revient sans fin à la même place du texte";
    default:
        return "erreur n° " + std::to_string(code) + " de la recherche";
    }
}

} // namespace t3
