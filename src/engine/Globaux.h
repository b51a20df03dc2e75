#pragma once
// The few process-wide values of the engine, kept together: the two option settings that the options
// dialog changes through the main window, the colour cycle of the groups of forms, and the default
// delimiter string of a new segmentation.
#include <atomic>
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

// The size divisor of the specificity computations that follow the options (the tag-count option);
// a value below 1 means no division.
inline int32_t DiviseurEtiquettes() {
    return Options.NbEtiquettes > 1 ? Options.NbEtiquettes : 1;
}

// A colour: red in the low byte, then green, then blue.
using Couleur = uint32_t;
constexpr Couleur CouleurRGB(uint8_t rouge, uint8_t vert, uint8_t bleu) {
    return static_cast<Couleur>(rouge) | static_cast<Couleur>(vert) << 8 | static_cast<Couleur>(bleu) << 16;
}
constexpr uint8_t Rouge(Couleur c) {
    return static_cast<uint8_t>(c & 0xFF);
}
constexpr uint8_t Vert(Couleur c) {
    return static_cast<uint8_t>((c >> 8) & 0xFF);
}
constexpr uint8_t Bleu(Couleur c) {
    return static_cast<uint8_t>((c >> 16) & 0xFF);
}
inline constexpr Couleur CouleurBlanche = CouleurRGB(255, 255, 255);

// The ten colours that the groups of forms take in turn.
inline constexpr Couleur CouleursCycle[10] = {
    CouleurRGB(0, 0, 255),     // blue
    CouleurRGB(255, 0, 0),     // red
    CouleurRGB(0, 128, 0),     // green
    CouleurRGB(192, 0, 192),   // purple
    CouleurRGB(0, 128, 128),   // teal
    CouleurRGB(140, 0, 0),     // dark red
    CouleurRGB(192, 192, 0),   // olive
    CouleurRGB(250, 100, 0),   // orange
    CouleurRGB(255, 128, 255), // pink
    CouleurRGB(0, 0, 0),       // black
};

// The colour cycle: each new group of forms takes the colour at the index, which then moves on and
// comes back to 0 after the last colour. It lives as long as the program and is never reset.
// Groups are made on the interface thread and on a worker (the repeated segments) at once: the index
// moves atomically.
struct CycleCouleurs {
    std::atomic<int32_t> Suivante = 0;
    Couleur Prend() {
        int32_t prise = Suivante.load();
        int32_t rang = 0;
        do
            rang = prise < 0 || prise > 9 ? 0 : prise;
        while (!Suivante.compare_exchange_weak(prise, (rang + 1) % 10));
        return CouleursCycle[rang];
    }
};
inline CycleCouleurs CycleCouleursGroupes;

// Base of the reserved codes of the numbered text.
inline constexpr int32_t Limd = 5000000;
// Code of a line break in the base files.
inline constexpr int32_t CodeSautLigne = Limd - 258;
// Code of the punctuation sign c in the base files.
constexpr int32_t CodePonct(unsigned char c) {
    return Limd - 1 - c;
}

// The default delimiters, in Windows-1252: . , : ; ! ? / _ - \ " ' ( ) [ ] { } section sign, dollar.
inline constexpr char DelimParDefaut[] = ".,:;!?/_-\\\"'()[]{}\xA7$";
static_assert(sizeof(DelimParDefaut) == 21, "the default delimiter string holds 20 characters");

} // namespace t3
