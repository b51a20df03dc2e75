#pragma once
// The segmentation of a corpus text into a base: bn".dic", bn".num" and bn".par" in the current folder,
// with its progress in "atrace.txt".
#include "engine/segmentation/Encodage.h"
#include "engine/segmentation/TranscodeurUtf8.h"
#include "engine/socle/Arret.h"
#include "engine/socle/RemplaceFichier.h"

#include <cstdint>
#include <string>

namespace t3 {

// A form holds at most 59 characters; a key type or content at most 126 once its spaces are dropped.
inline constexpr size_t LongueurMaxForme = 59;
inline constexpr size_t LongueurMaxCle = 126;
// Bytes of the string zone per article.
inline constexpr int64_t OctetsTexteParArticle = 40;
// MAXART must leave the article indexes and the nil value below the reserved codes of the text.
inline constexpr int32_t MaxartLimite = 4999740;

enum class ResultatSegm {
    Ok = 0,
    TexteNonOuvert, // the corpus text cannot be read
    TxnNonOuvert,   // "xxxx.txn" cannot be created or written in the current folder
    BaseNonEcrite,  // a base file cannot be created or written
    MaxartInvalide, // MAXART out of 1 .. MaxartLimite
    MemoireInsuffisante,
    MaxartDepasse,       // more articles than MAXART
    ZoneTextePleine,     // the article texts overflow 40 x MAXART bytes
    CleTropLongue,       // a key type or content of more than 126 characters
    CleIncorrecte,       // a key left open at the end of the text, or empty once its spaces are dropped
    TexteTropLong,       // more items than a 32-bit count holds
    CorpusEcrase,        // a base file would replace the corpus text itself
    CorpusEstLaTrace,    // the corpus is the trace file of its folder, which the run would write into
    SegmentationEnCours, // another segmentation runs in the current folder
    TexteNonConverti,    // the UTF-8 text cannot be transcoded (its temporary file cannot be written)
    NomIncorrect,        // the corpus's name holds a line end: its base could not be opened
    Annulee,             // stopped on demand before the base was put in place
};

// The French message shown to the user for a result other than Ok.
const char* MessageSegm(ResultatSegm resultat);

// The base name: the file name after the last "/", cut before its last "." unless that dot is the
// name's first character.
std::string TraitPath(const std::string& pn);
// True when the base of the text pn could be written and opened again: its name holds no line end,
// which the first line of the ".par" could not keep. Checked before anything is written.
bool NomCorpusAcceptable(const std::string& pn);

// Segments the text pn under the delimiters (each byte counts) with the capacity maxart, writing the base
// into the current folder. On any failure no base file is left half-written: the previous base of that
// name, if any, is left as it was or removed whole.
ResultatSegm SegmPrinc(const std::string& pn, const std::string& delimiteurs, int32_t maxart);
// What a segmentation tells besides its result: the runs of word characters longer than a form,
// cut into several forms, and the line of the first.
struct InfosSegm {
    int64_t suitesCoupees = 0;
    int64_t ligneSuiteCoupee = 0;
    // Why a file could not be written (the system's error number of the first failure), 0 if none.
    int causeEcriture = 0;
    // The encoding the text was read in, and what its transcoding replaced.
    Encodage encodage = Encodage::Cp1252;
    RapportRemplacements remplacements;
};
// The warning about the cut runs (UTF-8), or an empty text when there is none.
std::string AvertissementCoupes(const InfosSegm& infos);
ResultatSegm SegmPrinc(const std::string& pn, const std::string& delimiteurs, int32_t maxart,
                       InfosSegm& infos);
class TexteCorpus;
// The same on a text prepared (and, in UTF-8, transcoded) beforehand, so that the key verification and
// the segmentation read one transcoding. With the French typography option, the no-break space reads as
// a blank and the marks « » ’ “ ” … cut forms (DelimiteursTypographie). The progress is called about a
// hundred times as the text is read (stage 0), then once the dictionary is sorted and once the base is
// written (stage 1); a stop asked before the base is put in place ends the run with Annulee, the previous
// base as it was.
ResultatSegm SegmPrinc(const TexteCorpus& texte, const std::string& delimiteurs, int32_t maxart,
                       InfosSegm& infos, bool typographie = false, const Suivi& suivi = {});
// The delimiters under the French typography option: those given, then the marks « » ’ “ ” … that they
// lack and the no-break space (Windows-1252), so that the delimiters that the ".par" records tell that the
// option was on.
std::string DelimiteursTypographie(const std::string& delimiteurs);
// The same with the MAXART option in force.
ResultatSegm SegmPrinc(const std::string& pn, const std::string& delimiteurs);
// Removes the temporary file that a killed segmentation left in the folder, unless a segmentation runs
// there now (it holds the file's lock); nothing when there is none.
void EffaceTxnAbandonne(const std::string& dossier);

// The smallest MAXART with which the text pn segments under these delimiters (its distinct forms, signs,
// key types and contents, or more when their texts need more than 40 bytes each); -1 when the text
// cannot be read or a stop is asked. Reads the text once more, writing nothing; the progress is called
// each hundredth of the text read.
int64_t CompteArticles(const std::string& pn, const std::string& delimiteurs);
int64_t CompteArticles(const TexteCorpus& texte, const std::string& delimiteurs, bool typographie = false,
                       const Suivi& suivi = {});

} // namespace t3

namespace t3 {

// What the transcoding of a UTF-8 text replaced is kept beside its base, in bn + SuffixeTranscodage
// (UTF-8), where the user finds it after the trace has been started anew; a base whose text lost nothing
// has none.
inline constexpr char SuffixeTranscodage[] = ".transcodage.txt";

// The summary for the user that follows the two lines of parameters in bn".par" (Windows-1252), or an
// empty text when the file cannot be read.
std::string ResumeSegmentation(const std::string& cheminPar);

} // namespace t3
