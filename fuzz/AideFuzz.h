#pragma once
// Helpers shared by the fuzz targets: a private working folder made current for the run of one input,
// whole-file writes, and the check that turns a broken invariant into a crash the fuzzer keeps.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace t3fuzz {

// Makes the process's private folder (created on first use, removed at exit) the current folder for the
// life of the object; on the way out every file left in it is removed and the previous folder comes back.
// The engine writes its bases and its trace into the current folder.
class DansDossierPrive {
  public:
    DansDossierPrive();
    ~DansDossierPrive();
    DansDossierPrive(const DansDossierPrive&) = delete;
    DansDossierPrive& operator=(const DansDossierPrive&) = delete;

  private:
    int m_precedent; // descriptor of the folder to come back to
};

void EcritFichier(const std::string& nom, std::string_view contenu);
std::string LitFichier(const std::string& nom);

// What an input's first byte chooses for a reader that takes a path, among what is not a regular file:
// 1 "/dev/zero" (a device that never ends), 2 a pipe no one writes to (made in the current folder, which
// must be the private one), 3 a folder, 4 "/dev/null"; empty for any other byte.
std::string CheminNonFichier(uint8_t choix);

// Reports a broken invariant on stderr and aborts, so that libFuzzer saves the input.
[[noreturn]] void Echec(const char* fichier, int ligne, const char* condition, const std::string& detail);

// The input cut at each occurrence of separateur, into at most nombre parts (the last one takes the rest).
std::vector<std::string_view> Decoupe(std::string_view entree, std::string_view separateur, size_t nombre);

} // namespace t3fuzz

#define VERIFIE(condition, detail)                                                                           \
    do {                                                                                                     \
        if (!(condition)) ::t3fuzz::Echec(__FILE__, __LINE__, #condition, (detail));                         \
    } while (0)
