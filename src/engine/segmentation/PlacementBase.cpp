#include "engine/segmentation/PlacementBase.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace t3 {

namespace {

constexpr const char* Extensions[] = {".dic", ".num", ".par"};

OperationsFichiers& Reelles() {
    static OperationsFichiers reelles;
    return reelles;
}

OperationsFichiers*& OperationsEnVigueur() {
    static OperationsFichiers* enVigueur = &Reelles();
    return enVigueur;
}

// The kept files go, the previous base being replaced for good; the .par first, and the others only once
// it is gone (false when it stays: the placement is not committed).
bool OublieBasePrecedente(const std::string& bn) {
    OperationsFichiers& f = Fichiers();
    if (f.Existe(NomPrecedent(bn, ".par")) && !f.Supprime(NomPrecedent(bn, ".par"))) return false;
    // Left over, these go at the next placement or opening.
    for (const char* extension : {".dic", ".num"})
        if (f.Existe(NomPrecedent(bn, extension))) f.Supprime(NomPrecedent(bn, extension));
    return true;
}

// A kept file puts back its base file: renamed over it, or merely removed when both are still the same
// file (a rename between two links of one file does nothing).
bool Remet(const std::string& garde, const std::string& fichier) {
    std::error_code erreur;
    if (std::filesystem::equivalent(garde, fichier, erreur)) return Fichiers().Supprime(garde);
    return Fichiers().Renomme(garde, fichier);
}

} // namespace

bool OperationsFichiers::Renomme(const std::string& de, const std::string& vers) {
    return std::rename(de.c_str(), vers.c_str()) == 0;
}
bool OperationsFichiers::Lie(const std::string& existant, const std::string& nouveau) {
    return ::link(existant.c_str(), nouveau.c_str()) == 0;
}
bool OperationsFichiers::Supprime(const std::string& chemin) {
    return std::remove(chemin.c_str()) == 0;
}
bool OperationsFichiers::Existe(const std::string& chemin) {
    std::error_code erreur;
    return std::filesystem::exists(chemin, erreur);
}

OperationsFichiers& Fichiers() {
    return *OperationsEnVigueur();
}

void SetOperationsFichiers(OperationsFichiers* operations) {
    OperationsEnVigueur() = operations ? operations : &Reelles();
}

std::string NomProvisoire(const std::string& bn, const char* extension) {
    return bn + extension + ".part";
}
std::string NomPrecedent(const std::string& bn, const char* extension) {
    return bn + extension + ".prec";
}

void RetablitBase(const std::string& bn) {
    OperationsFichiers& f = Fichiers();
    // The kept .par is the mark of a placement cut short: it is kept first and removed last.
    if (!f.Existe(NomPrecedent(bn, ".par"))) {
        OublieBasePrecedente(bn);
        return;
    }
    // The .par last: while it is kept, the placement counts as cut short.
    for (const char* extension : {".dic", ".num", ".par"})
        if (f.Existe(NomPrecedent(bn, extension)) && !Remet(NomPrecedent(bn, extension), bn + extension))
            return; // tried again next time
}

void RangeBase(const std::string& bn) {
    RetablitBase(bn);
    for (const char* extension : Extensions)
        if (Fichiers().Existe(NomProvisoire(bn, extension)))
            Fichiers().Supprime(NomProvisoire(bn, extension));
}

bool PlaceBase(const std::string& bn) {
    OperationsFichiers& f = Fichiers();
    RetablitBase(bn);
    // The previous base is kept under its second name, its .par first: from then on an interruption
    // puts it back. A base whose .par is missing is no base: nothing to keep.
    if (f.Existe(bn + ".par")) {
        for (const char* extension : {".par", ".dic", ".num"}) {
            if (f.Existe(bn + extension) && !f.Lie(bn + extension, NomPrecedent(bn, extension))) {
                OublieBasePrecedente(bn);
                return false;
            }
        }
    }
    for (const char* extension : Extensions) {
        if (!f.Renomme(NomProvisoire(bn, extension), bn + extension)) {
            RetablitBase(bn);
            return false;
        }
    }
    // The new base is whole: the previous one goes, its .par first, which commits the placement (kept
    // files left without their .par are mere leftovers). A kept .par that cannot go would bring the
    // previous base back later: it is put back now.
    if (OublieBasePrecedente(bn)) return true;
    RetablitBase(bn);
    return false;
}

} // namespace t3
