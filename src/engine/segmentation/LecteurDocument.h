#pragma once
// The paragraphs of a word-processor document, in order, as UTF-8 strings: a Word 2007 document
// (".docx") or an OpenDocument text (".odt") is read from its zip archive; an older Word document
// (".doc") is read through the external program antiword when it is installed.
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace t3 {

enum class FormatDocument {
    Word97,       // ".doc", read through antiword
    WordXml,      // ".docx"
    OpenDocument, // ".odt"
};

// Reads the paragraphs of the document at chemin. The format is that of the file's first bytes when they
// tell (a zip archive holding "word/document.xml" or "content.xml", or a compound file), so that a
// ".doc" that is really a ".docx" is still read; `attendu` decides otherwise. A document that cannot be
// read fails with a French message naming the file (code DocumentIllisible, or AntiwordAbsent).
inline constexpr int32_t DocumentIllisible = 1;
inline constexpr int32_t AntiwordAbsent = 2;
Resultat<std::vector<std::string>> LitParagraphes(const std::string& chemin, FormatDocument attendu);

// The paragraphs of antiword's text output with lines of any width ("-w 0"): one paragraph a line,
// after the line feed that the output begins with. An empty paragraph gives an empty line; a manual line
// break or a page break inside a paragraph also ends a line, and so a paragraph, in that output.
std::vector<std::string> ParagraphesSortieAntiword(std::string_view sortie);

} // namespace t3
