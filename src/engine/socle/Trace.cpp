#include "engine/socle/Trace.h"

#include "engine/socle/Cp1252.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace t3 {

namespace {

// The control characters that a file name or a key may hold (an escape sequence) are written as \xNN:
// the trace is read in a terminal. Tabs and line ends stay, the trace's own layout.
std::string SansControles(std::string_view texte) {
    std::string sur;
    sur.reserve(texte.size());
    for (const char c : texte) {
        const unsigned char octet = static_cast<unsigned char>(c);
        if ((octet < 0x20 && c != '\t' && c != '\n' && c != '\r') || octet == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", octet);
            sur += code;
        } else {
            sur += c;
        }
    }
    return sur;
}

// The trace is opened for each line, so that it holds every line written before a crash or a kill; a
// line goes in with one write, at the end of the file even when two processes trace in one folder.
void EcritTexte(const std::string& dossier, bool nouvelle, std::string_view brut) {
    const std::string sur = SansControles(brut);
    std::string_view texte = sur;
    const int drapeaux = O_WRONLY | O_CREAT | O_CLOEXEC | (nouvelle ? O_TRUNC : O_APPEND);
    const int f = ::open(CheminTrace(dossier).c_str(), drapeaux, 0666);
    if (f < 0) return;
    while (!texte.empty()) {
        const ssize_t ecrits = ::write(f, texte.data(), texte.size());
        if (ecrits < 0 && errno == EINTR) continue;
        if (ecrits <= 0) break;
        texte.remove_prefix(static_cast<size_t>(ecrits));
    }
    ::close(f);
}

std::string FormateListe(const char* format, va_list args) {
    const std::string formatCp1252 = Utf8VersCp1252(format);
    va_list copie;
    va_copy(copie, args);
    const int n = std::vsnprintf(nullptr, 0, formatCp1252.c_str(), args);
    std::string texte(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(texte.data(), texte.size() + 1, formatCp1252.c_str(), copie);
    va_end(copie);
    return texte;
}

void Ecrit(const std::string& dossier, bool nouvelle, const char* format, va_list args) {
    EcritTexte(dossier, nouvelle, FormateListe(format, args));
}

} // namespace

std::string CheminTrace(const std::string& dossier) {
    return dossier.empty() ? std::string(NomTrace) : dossier + "/" + NomTrace;
}

bool EstLaTrace(const std::string& chemin) {
    std::error_code erreur;
    return std::filesystem::equivalent(chemin, NomTrace, erreur);
}

void Trace(const char* format, ...) {
    va_list args;
    va_start(args, format);
    Ecrit({}, false, format, args);
    va_end(args);
}

void TraceNouvelle(const char* format, ...) {
    va_list args;
    va_start(args, format);
    Ecrit({}, true, format, args);
    va_end(args);
}

void TraceDans(const std::string& dossier, const char* format, ...) {
    va_list args;
    va_start(args, format);
    Ecrit(dossier, false, format, args);
    va_end(args);
}

void TraceNouvelleDans(const std::string& dossier, const char* format, ...) {
    va_list args;
    va_start(args, format);
    Ecrit(dossier, true, format, args);
    va_end(args);
}

std::string Formate(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string texte = FormateListe(format, args);
    va_end(args);
    return texte;
}

void TraceTexte(const std::string& texte) {
    EcritTexte({}, false, texte);
}

} // namespace t3
