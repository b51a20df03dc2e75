#pragma once
// The few process-wide values of the engine, kept together: the two option settings that the options
// dialog changes through the main window, and the default delimiter string of a new segmentation.
#include <cstdint>

namespace t3 {

// Capacity of one segmentation in articles (dictionary entries).
inline constexpr int32_t MaxartInitial = 100000;
// Divisor of the corpus sizes in the specificity computations and the section map.
inline constexpr int32_t EtiquettesInitial = 1;

struct OptionsT3 {
    int32_t Maxart = MaxartInitial;
    int32_t NbEtiquettes = EtiquettesInitial;
};

// The option settings in force; every run of the program starts from the initial values.
inline OptionsT3 Options;

// Base of the reserved codes of the numbered text.
inline constexpr int32_t Limd = 5000000;
// Code of a line break in the base files.
inline constexpr int32_t CodeSautLigne = Limd - 258;
// Code of the punctuation sign c in the base files.
constexpr int32_t CodePonct(unsigned char c) { return Limd - 1 - c; }

// The default delimiters, in Windows-1252: . , : ; ! ? / _ - \ " ' ( ) [ ] { } section sign, dollar.
inline constexpr char DelimParDefaut[] = ".,:;!?/_-\\\"'()[]{}\xA7$";
static_assert(sizeof(DelimParDefaut) == 21, "the default delimiter string holds 20 characters");

} // namespace t3
