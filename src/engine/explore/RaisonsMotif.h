#pragma once
// The French reasons of the pattern library's error codes, so that none of its English texts reaches a
// message.
#include <string>

namespace t3 {

// Why a pattern does not compile: the reason of each compilation code, and of each fault of a pattern
// that is not UTF-8; a code that cannot come from a pattern typed by a user (an internal error of the
// library) gets a general sentence with its number.
std::string RaisonCompilation(int code);

// Why a match stopped without an answer (a limit reached, memory lacking, ...).
std::string RaisonRecherche(int code);

} // namespace t3
