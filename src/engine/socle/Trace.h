#pragma once
// The trace "atrace.txt", in the current folder or in a given one (a loaded base traces into its own
// folder, whatever the current folder). Each line is written by opening the file in append mode,
// writing and closing it at once, so that the trace is complete up to the last finished step even when
// the process stops. Formats are printf formats written in UTF-8 in the sources; the trace is written in
// Windows-1252, like the corpus texts whose paths and keys it quotes.
#include <cstdio>
#include <string>

namespace t3 {

inline constexpr const char* NomTrace = "atrace.txt";

// True when chemin names the trace file of the current folder (however named or linked): a run that
// traces there would write into it.
bool EstLaTrace(const std::string& chemin);

// Appends one line to the trace. A trace that cannot be written is passed over: the trace reports the
// work, it never stops it.
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Starts the trace anew (truncating it) with this line.
void TraceNouvelle(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The path of the trace of a folder; the trace of the current folder when dossier is empty.
std::string CheminTrace(const std::string& dossier);
// Trace and TraceNouvelle into the trace of a folder.
void TraceDans(const std::string& dossier, const char* format, ...) __attribute__((format(printf, 2, 3)));
void TraceNouvelleDans(const std::string& dossier, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// The text of a trace line without writing it: the format converted to Windows-1252, then filled in.
std::string Formate(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Appends a text already formatted (Windows-1252) to the trace.
void TraceTexte(const std::string& texte);

} // namespace t3
