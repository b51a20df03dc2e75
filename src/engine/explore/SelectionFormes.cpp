#include "engine/explore/SelectionFormes.h"

#include "engine/corpus/charg1.h"
#include "engine/explore/CalculSegments.h"
#include "engine/explore/Motif.h"
#include "engine/socle/Cp1252.h"

namespace t3 {

const std::array<std::string_view, NbTypesRequete> LibellesTypesRequete = {
    "est exactement ce que je recherche", "est le début de ce que je recherche",
    "est la fin de ce que je recherche", "est contenu dans ce que je recherche",
    "est une expression rationnelle"};

std::string_view SansBlancs(std::string_view texte) {
    const auto blanc = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!texte.empty() && blanc(texte.front()))
        texte.remove_prefix(1);
    while (!texte.empty() && blanc(texte.back()))
        texte.remove_suffix(1);
    return texte;
}

std::string ExpressionRequete(int32_t type, std::string_view motifUtf8) {
    const std::string p(SansBlancs(motifUtf8));
    switch (type) {
    case RequeteDebut:
        return "^" + p + ".*";
    case RequeteFin:
        return ".*" + p + "$";
    case RequeteContenu:
        return ".*" + p + ".*";
    case RequeteExpression:
        return p;
    default:
        return {};
    }
}

Resultat<std::vector<int32_t>> SelectionneFormes(const charg1& base, int32_t type,
                                                 std::string_view motifUtf8) {
    if (type < 0 || type >= NbTypesRequete)
        return Echec{TypeRequeteInconnu, "le type de requête " + std::to_string(type) +
                                             " n'existe pas ; types : 0 à " +
                                             std::to_string(NbTypesRequete - 1) + "."};
    const std::string_view p = SansBlancs(motifUtf8);
    if (type == RequeteExacte) {
        // A character that Windows-1252 cannot hold is in no graphie.
        if (p.empty() || !HorsCp1252(p).empty()) return std::vector<int32_t>{};
        const int32_t forme = base.LocFormDic(Utf8VersCp1252(p));
        return forme >= 0 ? std::vector<int32_t>{forme} : std::vector<int32_t>{};
    }
    const Resultat<Motif> motif = Motif::Compile(ExpressionRequete(type, p));
    if (!motif) return Echec{motif.Code(), motif.Message()};
    return motif->Selectionne(base);
}

std::string NomGroupeSelection(std::string_view nom, std::string_view motif) {
    const std::string_view n = SansBlancs(nom);
    if (!n.empty()) return std::string(n);
    return std::string(SansBlancs(motif)) + "+";
}

bool ListeEntrees::Ajoute(int32_t entree) {
    if (!m_presentes.insert(entree).second) return false;
    m_entrees.push_back(entree);
    return true;
}

int32_t ListeEntrees::Ajoute(std::span<const int32_t> entrees) {
    int32_t ajoutees = 0;
    for (const int32_t e : entrees)
        ajoutees += Ajoute(e) ? 1 : 0;
    return ajoutees;
}

void ListeEntrees::Retire(const std::vector<bool>& marquees) {
    std::vector<int32_t> gardees;
    for (size_t i = 0; i < m_entrees.size(); ++i) {
        if (i < marquees.size() && marquees[i])
            m_presentes.erase(m_entrees[i]);
        else
            gardees.push_back(m_entrees[i]);
    }
    m_entrees.swap(gardees);
}

void ListeEntrees::Vide() {
    m_entrees.clear();
    m_presentes.clear();
}

int32_t ReporteSegments(ListeEntrees& liste, int32_t nbart, const CalculSegments* ancien,
                        const CalculSegments* nouveau) {
    if (ancien == nouveau) return 0;
    std::vector<int32_t> reportees;
    int32_t perdues = 0;
    for (const int32_t e : liste.Entrees()) {
        if (e < nbart) {
            reportees.push_back(e);
            continue;
        }
        const int32_t segment = ancien != nullptr && nouveau != nullptr
                                    ? nouveau->ChercheTexte(ancien->RetourneGraphie(e - nbart - 1))
                                    : -1;
        if (segment >= 0)
            reportees.push_back(nbart + 1 + segment);
        else
            ++perdues;
    }
    liste.Vide();
    // Two segments of the old list may have become one: the list keeps it once.
    perdues += static_cast<int32_t>(reportees.size()) - liste.Ajoute(reportees);
    return perdues;
}

} // namespace t3
