#pragma once
// The creation of a base from a corpus text, as the workbench and t3 segmente both run it: the text is
// read in its encoding (a UTF-8 text transcoded) and its keys verified, then it is segmented into its
// base in the current folder, once more with the capacity it needs when the caller accepts it.
#include "engine/segmentation/SegmPrinc.h"
#include "engine/segmentation/TexteCorpus.h"
#include "engine/segmentation/VerifCles.h"
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace t3 {

// The codes of VerifieCorpus's failures.
inline constexpr int32_t CreationNomIncorrect = 1; // the name could not make a base
inline constexpr int32_t CreationCorpusEstLaTrace = 2;
inline constexpr int32_t CreationTexteIllisible = 3; // missing, unreadable, a folder or a device
inline constexpr int32_t CreationTexteNonConverti = 4;

// A text read and its keys verified: faulty keys are no failure, the caller tells them.
struct CorpusVerifie {
    std::unique_ptr<TexteCorpus> texte;
    int32_t clesFautives = 0;
    std::vector<MessageCle> messages;
};

// Reads the text chemin in the encoding asked (Auto: detected) and verifies its keys, the report in the
// trace. A name with a line end, the trace itself, a text that cannot be read or transcoded are failures
// with their French message (UTF-8); nothing is written for a name refused.
Resultat<CorpusVerifie> VerifieCorpus(const std::string& chemin, Encodage encodage);

struct OptionsSegmentation {
    std::string delimiteurs; // Windows-1252
    int32_t maxart = 0;
    bool typographie = false;
};

// Asked when the capacity runs out: besoin the capacity the text needs; true to segment again with it.
// Not asked when even that is beyond what a segmentation accepts.
using AccepteCapacite = std::function<bool(int64_t besoin)>;

struct BaseCreee {
    std::string cheminPar; // in the current folder
    int32_t maxart = 0;    // the capacity it was made with
    InfosSegm infos;
};

// The code of a failure of SegmenteCorpus is its ResultatSegm, and its message that of MessageSegm,
// followed by the cause of a write failure ("\nCause : le disque est plein."). The progress and the stop
// flag are those of SegmPrinc.
Resultat<BaseCreee> SegmenteCorpus(const TexteCorpus& texte, const OptionsSegmentation& options,
                                   const AccepteCapacite& accepte, const Suivi& suivi = {});

} // namespace t3
