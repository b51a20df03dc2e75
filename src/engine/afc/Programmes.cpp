#include "engine/afc/Programmes.h"

#include "engine/afc/ExportAFC.h"
#include "engine/afc/ListePoints.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/Cp1252.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <new>
#include <unicode/uchar.h>
#include <unistd.h>

namespace t3 {

namespace {

// Longest key type name used whole as a folder name, in characters.
constexpr int32_t LongueurNomCle = 60;

bool Executable(const std::filesystem::path& chemin) {
    std::error_code e;
    return std::filesystem::is_regular_file(chemin, e) && ::access(chemin.c_str(), X_OK) == 0;
}

} // namespace

std::string DossierExecutable() {
    std::error_code e;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", e);
    return e ? std::string() : exe.parent_path().string();
}

std::string TrouveProgramme(std::string_view nom, const std::string& dossierExecutable,
                            std::string_view chemins) {
    if (!dossierExecutable.empty()) {
        const std::filesystem::path voisin = std::filesystem::path(dossierExecutable) / nom;
        if (Executable(voisin)) return voisin.string();
    }
    while (!chemins.empty()) {
        const size_t fin = std::min(chemins.find(':'), chemins.size());
        const std::string_view dossier = chemins.substr(0, fin);
        chemins.remove_prefix(std::min(fin + 1, chemins.size()));
        if (dossier.empty()) continue;
        const std::filesystem::path candidat = std::filesystem::path(dossier) / nom;
        if (Executable(candidat)) return candidat.string();
    }
    return {};
}

std::string TrouveProgramme(std::string_view nom) {
    const char* path = std::getenv("PATH");
    return TrouveProgramme(nom, DossierExecutable(), path ? path : "");
}

std::string NomDossierCle(std::string_view graphie, int32_t cleType) {
    std::string nom;
    bool change = graphie.empty() || graphie.size() > LongueurNomCle;
    for (const char c : graphie.substr(0, LongueurNomCle)) {
        const char16_t u = UnicodeDeCp1252(static_cast<unsigned char>(c));
        if (u < 0x80 ? std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' : u_isalpha(u)) {
            nom += Cp1252VersUtf8(std::string_view(&c, 1));
        } else {
            nom += '_';
            change = true;
        }
    }
    // Appended rather than assigned: g++ 12 takes the assignment of a literal for an overlapping copy
    // (-Wrestrict).
    if (nom.empty()) nom += "cle";
    if (change) (nom += '.') += std::to_string(cleType);
    return nom;
}

Resultat<std::string> DossierAnalyses(const Partition& partition) {
    const charg1& base = *partition.Base();
    const std::filesystem::path dossier =
        std::filesystem::path(base.Dossier()) / (base.NomBase() + ".afc") /
        NomDossierCle(base.Graphie(partition.CleType()), partition.CleType());
    std::error_code e;
    std::filesystem::create_directories(dossier, e);
    if (e || !std::filesystem::is_directory(dossier))
        return Echec{2,
                     "Impossible de créer le dossier de travail de l'analyse « " + dossier.string() + " »."};
    return dossier.string();
}

Resultat<void> VerifiePointsPartition(const std::string& dossier, int32_t nbParties) {
    const Resultat<TListePoints> points =
        LitFacteurs((std::filesystem::path(dossier) / NomFacteurs).string());
    if (!points && points.Code() == LectureAbsent)
        return Echec{1, "La classification porte sur les résultats d'une AFC : lancez d'abord l'AFC de cette "
                        "partition."};
    if (!points) return Echec{2, points.Message() + " Relancez l'AFC de cette partition."};
    return VerifieNbPoints(points->NbPoints(), nbParties);
}

Resultat<void> VerifieNbPoints(int32_t nbPoints, int32_t nbParties) {
    if (nbPoints != nbParties)
        return Echec{2, "Les résultats de l'AFC (« facteurs.txt ») ne correspondent pas aux " +
                            std::to_string(nbParties) + " parties de la partition (points lus : " +
                            std::to_string(nbPoints) + ") : relancez l'AFC de cette partition."};
    return {};
}

void SupprimeResultats(const std::string& dossier) {
    std::error_code e;
    for (const char* nom : {NomFacteurs, NomValeursPropres, NomCah})
        std::filesystem::remove(std::filesystem::path(dossier) / nom, e);
}

int ExecuteProgrammeAnalyse(const char* nom, const std::function<Resultat<void>()>& travail) {
    try {
        const Resultat<void> fait = travail();
        if (fait) return 0;
        std::fprintf(stderr, "%s : %s\n", nom, fait.Message().c_str());
    } catch (const std::bad_alloc&) {
        // A table too large for the memory left.
        std::fprintf(stderr, "%s : mémoire insuffisante pour ce calcul.\n", nom);
    } catch (const std::exception&) {
        // Only the standard library throws here, in English: its reason is not shown.
        std::fprintf(stderr, "%s : le calcul a échoué (erreur interne).\n", nom);
    }
    return 2;
}

} // namespace t3
