#pragma once
// Small word-processor documents made by the tests: zip archives of given parts, and a Word 97 document
// holding just a text.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace t3test {

// Writes a zip archive holding each (name, content) part.
void EcritArchive(const std::filesystem::path& chemin,
                  const std::vector<std::pair<std::string, std::string>>& parties);

// A ".docx" whose body is corps (the XML inside w:body, with the w: prefix bound).
void EcritDocx(const std::filesystem::path& chemin, const std::string& corps);
// An ".odt" whose text is corps (the XML inside office:text, with the text:, office:, draw: and table:
// prefixes bound).
void EcritOdt(const std::filesystem::path& chemin, const std::string& corps);

// A Word 97 document (a compound file with its WordDocument and 1Table streams) whose main text is texte,
// each paragraph ended by "\r".
void EcritDocWord97(const std::filesystem::path& chemin, const std::u16string& texte);

// True when the program is found along PATH.
bool ProgrammeInstalle(const std::string& nom);

} // namespace t3test
