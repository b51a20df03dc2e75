#pragma once
// The assembly of a corpus out of several files: each chosen file (a Fic) becomes one part of the
// corpus, behind a key that holds its name. A text file is copied byte for byte, or transcoded when it is
// in UTF-8; a word-processor document gives its paragraphs, converted to Windows-1252.
//
// Every string given to these functions and every message they return is in UTF-8; the corpus they
// write is in Windows-1252.
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace t3 {

// The type of a chosen file, from its extension; it is also the index of its small image in the list.
enum TypeFic : int32_t {
    TypeInconnu = 0,         // copied byte for byte
    TypeTexte = 1,           // ".txt", copied byte for byte
    TypeDocWord = 2,         // ".doc"
    TypeDocWordXml = 3,      // ".docx"
    TypeDocOpenDocument = 4, // ".odt"
};

// The caption of a type in the list of files: "Inconnu", "Texte", "Doc. Word" (for ".doc" and ".docx")
// or "Doc. OpenDocument"; "Inconnu" for a value out of range.
const char* LibelleType(int32_t type);

// True for the types whose paragraphs are read rather than their bytes copied.
constexpr bool EstDocument(int32_t type) {
    return type >= TypeDocWord && type <= TypeDocOpenDocument;
}

class Fic {
  public:
    // The size is measured now, 0 when the file cannot be measured.
    explicit Fic(const std::string& chemin);

    // The file name without its folder, cut before its last "." and to 40 characters, every space
    // replaced by "_"; empty when the name holds no dot. It is the content of the file's key.
    const std::string& Nom() const { return m_nom; }
    const std::string& Chemin() const { return m_chemin; }
    int64_t Taille() const { return m_taille; }
    // The number of occurrences, never computed.
    int32_t Occurrences() const { return m_occurrences; }
    int32_t Type() const { return m_type; }

    // Writes the file's part of the corpus (without its key). For a document, each paragraph is written
    // after the paragraph option string s, then a line feed ends it:
    // - s empty: the paragraphs one after another, one a line;
    // - s beginning with "<" (as "<parag="): before paragraph i (from 1), s, i, ">" and a line feed;
    // - otherwise s, with a line feed added when it does not end with one, before every paragraph.
    // A ".txt" file in UTF-8 (Encodage.h) is transcoded to Windows-1252, the value then a French warning
    // naming it if characters were replaced (empty otherwise); any other file is copied byte for byte. A
    // document that cannot be read writes nothing; a file that cannot be read writes what could be read.
    // Fails, with a French message naming the file, when the file or document could not be read whole.
    Resultat<std::string> EcritDans(std::ostream& sortie, const std::string& optionParagraphes) const;

  private:
    std::string m_nom;
    std::string m_chemin;
    int64_t m_taille = 0;
    int32_t m_occurrences = -1;
    int32_t m_type = TypeInconnu;
};

// The longest name of a Fic, in characters.
inline constexpr size_t LongueurMaxNomFic = 40;

// Appends a Fic for chemin unless the list holds that path already; returns whether it did.
bool AjouteFic(std::vector<Fic>& fichiers, const std::string& chemin);

// The paragraph option string of the assembly: empty unless the paragraphs are marked (traitement);
// then the special character string car when parCaractere, or "<" + cle + "=" (a numbered key before
// every paragraph) otherwise.
std::string ParagraphOptionString(bool traitement, bool parCaractere, const std::string& car,
                                  const std::string& cle);

// What saving the list of files does: nothing for an empty list; a single text file is the corpus itself
// and nothing is written; any other list is assembled into a new corpus file.
enum class Sauvegarde { Rien, FichierSeul, Assemblage };
Sauvegarde SauvegardeDe(const std::vector<Fic>& fichiers);

// Writes the corpus: for each file in order, the key "<" nomCle "=" name ">" and a line feed, the file's
// part, then a line feed. The corpus is written under a temporary name beside cheminSortie, which it
// replaces only once whole. A file or document that cannot be read gives an empty or partial part and a
// message in the value, and the assembly goes on; a text in UTF-8 whose characters Windows-1252 could not
// all hold gives a warning there. Fails, nothing written, when cheminSortie is one of the files
// assembled or cannot be written: the message then holds the warnings met so far, then the cause, one a
// line.
Resultat<std::vector<std::string>> AssembleCorpus(const std::vector<Fic>& fichiers, const std::string& nomCle,
                                                  const std::string& optionParagraphes,
                                                  const std::string& cheminSortie);

} // namespace t3
