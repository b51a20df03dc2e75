#pragma once
// The part of a file name that comes from the user's text (a key type in the name of a report's picture):
// letters and digits of ASCII, "-", "_" and "." kept, every other byte "_", so that the name never
// takes a folder, never needs escaping in the report's links, and reads the same on every system.
#include <string>
#include <string_view>

namespace t3 {

std::string NomFichierSur(std::string_view texte);

} // namespace t3
