#pragma once
// Child processes for the tests of failed writes: the tests run as root, whom no permission stops, and a
// full disk is stood for by a limit on the size of files; both are taken in a child so that they end
// with it.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace t3test {

// How a child ended: its exit status (-1 when a signal ended it) and what it wrote on its error stream.
struct Fils {
    int statut = -1;
    std::string erreurs;
};

// Runs travail in a child process; its return value is the child's exit status.
Fils DansUnFils(const std::function<int()>& travail);

// In the child: takes the identity of an ordinary user when run by root. False when it cannot.
bool DevientUtilisateurOrdinaire();
// In the child: a write past octets bytes into a file fails (EFBIG) instead of killing the process.
bool LimiteTailleFichiers(uint64_t octets);
// In the child: runs the program in the folder; returns only when it cannot (status 127).
int ExecuteDans(const std::filesystem::path& dossier, const std::string& programme);

// The names of the files in a folder, sorted: what a failed write left there.
std::vector<std::string> Fichiers(const std::filesystem::path& dossier);

} // namespace t3test
