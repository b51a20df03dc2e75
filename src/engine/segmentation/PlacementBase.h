#pragma once
// Putting a newly written base in place of the previous one so that an interruption at any instant (a
// kill, a failing rename) leaves either the previous base or the new one loadable, never a mix: the
// previous three files are kept under a second name (hard links) until the new three are in place, and
// put back when a placement was cut short, at the next segmentation or opening of that base.
#include <string>

namespace t3 {

// The file calls of the placement, replaced by the tests to inject failures and interruptions.
class OperationsFichiers {
  public:
    virtual ~OperationsFichiers() = default;
    // Each returns false when the call failed.
    virtual bool Renomme(const std::string& de, const std::string& vers);
    virtual bool Lie(const std::string& existant, const std::string& nouveau);
    virtual bool Supprime(const std::string& chemin);
    virtual bool Existe(const std::string& chemin);
};

// The calls in force; SetOperationsFichiers(nullptr) puts the real ones back.
OperationsFichiers& Fichiers();
void SetOperationsFichiers(OperationsFichiers* operations);

// The names of a base file bn + extension while it is written, and of the previous one kept during a
// placement.
std::string NomProvisoire(const std::string& bn, const char* extension);
std::string NomPrecedent(const std::string& bn, const char* extension);

// Puts bn.dic, bn.num and bn.par written under their provisional names in place, the .par last; false
// when a call failed, the previous base then being put back.
bool PlaceBase(const std::string& bn);
// Puts back the previous base of bn when a placement was cut short (its kept files remain); does
// nothing otherwise.
void RetablitBase(const std::string& bn);
// RetablitBase, then the provisional files of bn that an interrupted segmentation left.
void RangeBase(const std::string& bn);

} // namespace t3
