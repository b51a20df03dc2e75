#include "engine/corpus/Cles.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/Cp1252.h"

#include <algorithm>

namespace t3 {

namespace {

// The key type entries: after the forms and the punctuation, within the dictionary.
int32_t PremierTypeCle(const charg1& base) {
    return base.Nbform() + base.Nbartponct();
}

int32_t FinTypesCles(const charg1& base) {
    return std::min(PremierTypeCle(base) + base.Nbcle(), base.Nbart());
}

} // namespace

int32_t RetourneTypeCle(const charg1& base, std::string_view graphie) {
    for (int32_t e = PremierTypeCle(base); e < FinTypesCles(base); ++e)
        if (base.Graphie(e) == graphie) return e;
    return -1;
}

std::string TypesDeCles(const charg1& base) {
    std::string types;
    for (int32_t e = PremierTypeCle(base); e < FinTypesCles(base); ++e) {
        if (!types.empty()) types += ", ";
        types += base.Graphie(e);
    }
    return types.empty() ? "aucun" : types;
}

Resultat<int32_t> ChercheTypeCle(const charg1& base, std::string_view graphie) {
    const int32_t type = RetourneTypeCle(base, graphie);
    if (type >= 0) return type;
    return Echec{TypeCleInconnu, "le type de clé « " + Cp1252VersUtf8(graphie) +
                                     " » n'existe pas dans la base (types de clés : " +
                                     Cp1252VersUtf8(TypesDeCles(base)) + ")."};
}

int32_t RetournePartie(const Partition& partition, std::string_view nom) {
    if (!partition.Base()) return -1;
    for (int32_t p = 0; p < partition.NbParties(); ++p)
        if (partition.Base()->Graphie(partition.Contenu(p)) == nom) return p;
    return -1;
}

Resultat<int32_t> CherchePartie(const Partition& partition, std::string_view nom) {
    const int32_t partie = RetournePartie(partition, nom);
    if (partie >= 0) return partie;
    const std::string_view cle = partition.Base() ? partition.Base()->Graphie(partition.CleType()) : "";
    return Echec{PartieInconnue, "la partie « " + Cp1252VersUtf8(nom) +
                                     " » n'existe pas dans la partition par « " + Cp1252VersUtf8(cle) +
                                     " »."};
}

} // namespace t3
