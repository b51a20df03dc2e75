#pragma once
// The two locks of a folder of bases, both on files that are never deleted, so that no process ever
// holds a lock on a name that another has already replaced:
// - the lock of the bases, on the folder itself: a segmentation holds it, exclusive, while it puts back
//   or places a base; a loader holds it, exclusive while it repairs an interrupted placement, then
//   shared while it reads, so that it never reads a base half placed and never waits for a whole
//   segmentation;
// - the lock of the segmentation, on the hidden file NomVerrouSegmentation: one segmentation at a time
//   in a folder, since they share its temporary file "xxxx.txn".
// In a folder that cannot be opened (no right to read it) a lock is simply not taken: nothing can be
// written there either.
#include <string>

namespace t3 {

inline constexpr char NomVerrouSegmentation[] = ".tessaron3-segmentation.verrou";

class VerrouBases {
  public:
    enum class Mode { Partage, Exclusif };
    // Waits for the lock of the bases of dossier ("" for the current folder).
    VerrouBases(const std::string& dossier, Mode mode);
    ~VerrouBases();
    VerrouBases(const VerrouBases&) = delete;
    VerrouBases& operator=(const VerrouBases&) = delete;
    // Turns the exclusive lock into a shared one and back (another writer may pass in between).
    void Partage();
    void Exclusif();

  private:
    int m_fd;
};

class VerrouSegmentation {
  public:
    // Takes the lock of the segmentation of dossier, trying for up to attenteMs milliseconds (a loader
    // holds it an instant to clean the folder).
    VerrouSegmentation(const std::string& dossier, int attenteMs);
    ~VerrouSegmentation();
    VerrouSegmentation(const VerrouSegmentation&) = delete;
    VerrouSegmentation& operator=(const VerrouSegmentation&) = delete;
    // True when another process (or another object of this one) holds it.
    bool Occupe() const { return m_occupe; }
    // True when this object holds it.
    bool Tenu() const { return m_tenu; }

  private:
    int m_fd;
    bool m_occupe = false;
    bool m_tenu = false;
};

} // namespace t3
