#pragma once
// The one conversion between the bases' 8-bit text (Windows-1252) and Unicode, bytes 0x80-0x9F included.
#include <string>
#include <string_view>

namespace t3 {

// The Unicode code point of a Windows-1252 byte; the five bytes the code page leaves unassigned map to
// the C1 control of the same value, as the platform's own conversion does.
char16_t UnicodeDeCp1252(unsigned char c);

std::u16string Cp1252VersUtf16(std::string_view texte);
std::string Cp1252VersUtf8(std::string_view texte);

// Characters that Windows-1252 cannot hold become '?'. Bytes that are not valid UTF-8 are kept as they
// are, so that a text already in Windows-1252 passes through unchanged.
std::string Utf8VersCp1252(std::string_view texte);
// The Windows-1252 byte of a code point, or -1 when the code page cannot hold it.
int OctetCp1252(char32_t u);
// Decodes the UTF-8 sequence of a non-ASCII byte at texte[i]; returns its length, or 0 when the bytes
// there are not valid UTF-8 (a stray byte, a sequence cut short, an overlong form, a surrogate).
size_t DecodeUtf8(std::string_view texte, size_t i, char32_t& u);
// The first byte at or after i that is not ASCII, or the size of the text.
size_t ProchainNonAscii(std::string_view texte, size_t i);
// The length of the UTF-8 sequence that a byte begins, 0 for a byte that begins none.
size_t LongueurSequenceUtf8(unsigned char c);
// Appends the UTF-8 sequence of a code point.
void AjouteUtf8(std::string& sortie, char32_t u);

// The characters of a UTF-8 text that Windows-1252 cannot hold, each once, in their order (UTF-8).
std::string HorsCp1252(std::string_view texte);

} // namespace t3
