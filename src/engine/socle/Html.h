#pragma once
// Text written into the HTML pages of the engine (the report and the text view).
#include <string>
#include <string_view>

namespace t3 {

// The text with "&", "<" and ">" replaced by "&amp;", "&lt;" and "&gt;"; every other byte is kept, so
// that a Windows-1252 text stays Windows-1252.
std::string EchappeHtml(std::string_view texte);

// Appends EchappeHtml(texte) to sortie.
void AjouteEchappe(std::string& sortie, std::string_view texte);

} // namespace t3
