#pragma once
// The list files (".lst") of the groups of forms: Windows-1252 text, one entry per line in the order of
// the group. A dictionary entry is written as its graphie; a segment entry as its forms each followed by
// one blank, so that its line ends with a blank. Reading finds each line among the forms, then among the
// segments attached to the loader, and passes over the lines that are neither.
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace t3 {

class charg1;

// Codes of the failures of EcritListe and LitListe.
inline constexpr int32_t ListeNonEcrite = 1;
inline constexpr int32_t ListeNonLue = 2;

// The bytes of the list file of the entries: each line ended by "\n". Segment entries are written only
// when segments are attached to the loader; entries that are nothing are passed over.
std::string TexteListe(const charg1& base, std::span<const int32_t> entrees);

// Writes the list file at chemin (UTF-8 path), replacing any file there only once the whole list is
// written: it is written under a temporary name beside it, then renamed. ListeNonEcrite with the French
// message "la liste « chemin » ne peut être écrite : <cause>." otherwise, and the earlier file intact.
Resultat<void> EcritListe(const std::string& chemin, const charg1& base, std::span<const int32_t> entrees);

// The entries the lines of a list file's bytes stand for, in line order, each once. A line ends at "\n",
// "\r\n" or the end of the bytes, so that a list written on either system loads the same. A line is a
// form when it is exactly a form's graphie, otherwise a segment when it is exactly a segment's text
// (the line without its last blank, which some editors remove, is taken too); every other line is
// passed over (punctuation, keys, forms of another base, segments when none are attached).
std::vector<int32_t> EntreesDeListe(const charg1& base, std::string_view contenu);

// The largest list file read: a list of every form of a large base (two million forms) takes some
// 20 MB; a file beyond that is not a list, and is not read into memory.
inline constexpr uint64_t TailleMaxListe = 64ull << 20;

// Reads the list file at chemin (UTF-8 path): EntreesDeListe of its bytes, or ListeNonLue with the
// French message "la liste « chemin » ne peut être lue : <cause>." Only a regular file of at most
// TailleMaxListe bytes is read: a pipe or a device is refused at once, without waiting for it.
Resultat<std::vector<int32_t>> LitListe(const std::string& chemin, const charg1& base);

} // namespace t3
