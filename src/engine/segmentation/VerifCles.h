#pragma once
// The verification of the keys <type=content> of a corpus text, run before every segmentation.
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <string>
#include <vector>

namespace t3 {

struct MessageCle {
    bool erreur;       // false for a warning, which does not count as an error
    std::string texte; // the trace line, in Windows-1252
};

// Examines every key of the text and reports each fault in a new "atrace.txt". Gives the number of
// errors (0 when the keys are sound), or fails with one of these codes and its French message:
// VerifTexteIllisible when the text cannot be opened or is not a file (a folder, a device),
// VerifCorpusEstLaTrace when the text is the trace file itself, which is then left untouched,
// VerifTexteNonConverti when the text, in UTF-8, cannot be transcoded (its temporary file cannot be
// written). When messages is given, it also receives every line reported, in order.
inline constexpr int32_t VerifTexteIllisible = -1;
inline constexpr int32_t VerifCorpusEstLaTrace = -2;
inline constexpr int32_t VerifTexteNonConverti = -3;

// The text's encoding is detected (Encodage.h); a text in UTF-8 is verified through its transcoding, the
// lines counted in the user's file all the same.
Resultat<int32_t> VerifCles(const std::string& chemin, std::vector<MessageCle>* messages = nullptr);
// The same on a text prepared beforehand (TexteCorpus.h), which the segmentation may read next.
class TexteCorpus;
Resultat<int32_t> VerifCles(const TexteCorpus& texte, std::vector<MessageCle>* messages = nullptr);

} // namespace t3
