// Any bytes as "coran.don", read by the analysis program's reader and, when it accepts them, analysed.
// Never a crash: a file that cannot be read exactly is refused with its French message; an accepted
// table either has no factor (with a message) or gives an analysis whose identities hold (eigenvalues
// in ]0, 1] and decreasing, masses of the active columns summing to 1, contributions summing to 1 on each
// factor, squared cosines in [0, 1]) and whose "facteurs.txt" and "vp.txt" the factor plot's readers accept.
// A first byte 1 to 4 names instead a device, a pipe or a folder, which the reader of the file refuses at
// once (never waiting for a writer nor reading without end); a first byte 5 writes the rest into the file,
// which read through its path gives what its text gives.
#include "AideFuzz.h"

#include "engine/afc/AnalyseAFC.h"
#include "engine/afc/LectureCoranDon.h"
#include "engine/afc/ListePoints.h"

#include <cmath>
#include <string>

using namespace t3;

namespace {

constexpr double Marge = 1e-6;

void VerifieAnalyse(const TableauAFC& tableau, const AnalyseAFC& a) {
    VERIFIE(a.NbFacteurs() >= 1, "a successful analysis has a factor");
    VERIFIE(a.masses.size() == static_cast<size_t>(tableau.nbColonnes), "one mass per column");
    // The masses of the active columns; a supplementary column's is shown only, against the same total.
    double masses = 0;
    for (size_t j = 0; j < a.masses.size(); ++j)
        masses += a.Supplementaire(j) ? 0 : a.masses[j];
    VERIFIE(std::abs(masses - 1) < Marge, std::to_string(masses));
    for (int32_t k = 0; k < a.NbFacteurs(); ++k) {
        const double l = a.valeursPropres[static_cast<size_t>(k)];
        VERIFIE(l > 0 && l <= 1 + Marge, std::to_string(l));
        if (k > 0)
            VERIFIE(l <= a.valeursPropres[static_cast<size_t>(k) - 1] + Marge, "decreasing eigenvalues");
        double ctr = 0;
        for (size_t j = 0; j < a.masses.size(); ++j) {
            ctr += a.contributions[static_cast<size_t>(k)][j];
            const double c2 = a.cosinus2[static_cast<size_t>(k)][j];
            VERIFIE(c2 >= 0 && c2 <= 1, std::to_string(c2));
            VERIFIE(std::isfinite(a.coordonnees[static_cast<size_t>(k)][j]), "finite coordinate");
        }
        VERIFIE(std::abs(ctr - 1) < Marge, std::to_string(ctr));
    }
    const auto points = LitTexteFacteurs(TexteFacteurs(a));
    VERIFIE(points, points.Message());
    VERIFIE(points->NbPoints() == tableau.nbColonnes && points->NbFacteurs() == a.NbFacteurs(), "counts");
    const auto vp = LitTexteValeursPropres(TexteValeursPropres(a));
    VERIFIE(vp && vp->size() == static_cast<size_t>(a.NbFacteurs()), vp.Message());
}

// The file named by its path: what is not a regular file refused, a file read as its text is.
void LitParSonChemin(uint8_t choix, std::string_view reste) {
    const t3fuzz::DansDossierPrive prive;
    std::string chemin = t3fuzz::CheminNonFichier(choix);
    if (!chemin.empty()) {
        const Resultat<TableauAFC> lu = LitCoranDon(chemin);
        VERIFIE(!lu && lu.Message().rfind("Impossible de lire le fichier « coran.don » : ", 0) == 0,
                lu.Message());
        return;
    }
    t3fuzz::EcritFichier("coran.don", reste);
    const Resultat<TableauAFC> lu = LitCoranDon("coran.don");
    const Resultat<TableauAFC> texte = LitTexteCoranDon(reste);
    VERIFIE(lu.Reussi() == texte.Reussi() && lu.Message() == texte.Message(), lu.Message());
    if (lu)
        VERIFIE(lu->nbLignes == texte->nbLignes && lu->nbColonnes == texte->nbColonnes &&
                    lu->cellules.size() == texte->cellules.size(),
                "the same table");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const std::string_view texte(reinterpret_cast<const char*>(donnees), taille);
    if (taille > 0 && donnees[0] >= 1 && donnees[0] <= 5) {
        LitParSonChemin(donnees[0], texte.substr(1));
        return 0;
    }
    const Resultat<TableauAFC> tableau = LitTexteCoranDon(texte);
    if (!tableau) {
        VERIFIE(!tableau.Message().empty(), "a refusal has its message");
        return 0;
    }
    VERIFIE(tableau->nbLignes >= 1 && tableau->debuts.size() == static_cast<size_t>(tableau->nbLignes) + 1,
            "one start per row");
    for (const CelluleTableau& c : tableau->cellules)
        VERIFIE(c.colonne >= 0 && c.colonne < tableau->nbColonnes && c.compte > 0, "cells within the table");
    // Both solvers, the truncated one on a few factors.
    for (const MethodeAFC methode : {MethodeAFC::Complete, MethodeAFC::Tronquee}) {
        OptionsAFC options;
        options.methode = methode;
        options.facteursTronques = 3;
        const Resultat<AnalyseAFC> analyse = CalculeAFC(*tableau, options);
        if (analyse)
            VerifieAnalyse(*tableau, *analyse);
        else
            VERIFIE(!analyse.Message().empty(), "a failure has its message");
    }
    return 0;
}
