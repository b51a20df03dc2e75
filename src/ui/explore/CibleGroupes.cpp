#include "explore/CibleGroupes.h"

#include "stats/Tgen.h"

namespace t3ui {

const TTgenDragObject* GroupeDuGlisser(const QMimeData* donnees, const QObject* refusee) {
    const TTgenDragObject* objet = TTgenDragObject::De(donnees);
    if (!objet || (refusee && objet->Source() == refusee)) return nullptr;
    return objet;
}

std::unique_ptr<t3::Tgen> GroupeRecu(const t3::charg1* base, const TTgenDragObject& objet, bool gardeNom) {
    if (!base) return nullptr;
    const char* nom = gardeNom && !objet.Nom().empty() ? objet.Nom().c_str() : nullptr;
    auto groupe = std::make_unique<t3::Tgen>(base, objet.Entrees(), nom);
    if (objet.GetCouleur() != t3::CouleurBlanche) groupe->SetCouleur(objet.GetCouleur());
    return groupe;
}

} // namespace t3ui
