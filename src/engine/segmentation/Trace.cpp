#include "segmentation/Trace.h"

#include "segmentation/Cp1252.h"

#include <cstdarg>
#include <filesystem>
#include <string>

namespace t3 {

namespace {

void Ecrit(const std::string& dossier, const char* mode, const char* format, va_list args) {
    const std::string formatCp1252 = Utf8VersCp1252(format);
    if (FILE* f = std::fopen(CheminTrace(dossier).c_str(), mode)) {
        std::vfprintf(f, formatCp1252.c_str(), args);
        std::fclose(f);
    }
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
    Ecrit({}, "ab", format, args);
    va_end(args);
}

void TraceNouvelle(const char* format, ...) {
    va_list args;
    va_start(args, format);
    Ecrit({}, "wb", format, args);
    va_end(args);
}

void TraceDans(const std::string& dossier, const char* format, ...) {
    va_list args;
    va_start(args, format);
    Ecrit(dossier, "ab", format, args);
    va_end(args);
}

void TraceNouvelleDans(const std::string& dossier, const char* format, ...) {
    va_list args;
    va_start(args, format);
    Ecrit(dossier, "wb", format, args);
    va_end(args);
}

std::string Formate(const char* format, ...) {
    const std::string formatCp1252 = Utf8VersCp1252(format);
    va_list args, copie;
    va_start(args, format);
    va_copy(copie, args);
    const int n = std::vsnprintf(nullptr, 0, formatCp1252.c_str(), args);
    va_end(args);
    std::string texte(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(texte.data(), texte.size() + 1, formatCp1252.c_str(), copie);
    va_end(copie);
    return texte;
}

void TraceTexte(const std::string& texte) {
    if (FILE* f = std::fopen(CheminTrace({}).c_str(), "ab")) {
        std::fwrite(texte.data(), 1, texte.size(), f);
        std::fclose(f);
    }
}

} // namespace t3
