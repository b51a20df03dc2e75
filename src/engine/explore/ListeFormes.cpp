#include "engine/explore/ListeFormes.h"

#include "engine/corpus/charg1.h"
#include "engine/explore/CalculSegments.h"
#include "engine/explore/SelectionFormes.h"
#include "engine/socle/LectureBornee.h"
#include "engine/socle/RemplaceFichier.h"

#include <optional>

namespace t3 {

namespace {

Echec EchecEcriture(const std::string& chemin, int erreur) {
    return Echec{ListeNonEcrite,
                 "la liste « " + chemin + " » ne peut être écrite : " + CauseFichier(erreur) + "."};
}

// The segments' texts: the attached computation's own index, or one made for this reading.
class RechercheSegments {
  public:
    explicit RechercheSegments(const charg1& base) {
        const FournisseurSegments* segments = base.Segments();
        if (segments == nullptr || base.NbFormSup() <= 0) return;
        m_calcul = dynamic_cast<const CalculSegments*>(segments);
        if (m_calcul == nullptr) m_index.emplace(base, *segments);
    }
    int32_t Cherche(std::string_view texte) const {
        if (m_calcul != nullptr) return m_calcul->ChercheTexte(texte);
        return m_index ? m_index->Cherche(texte) : -1;
    }

  private:
    const CalculSegments* m_calcul = nullptr;
    std::optional<IndexTextesSegments> m_index;
};

} // namespace

std::string TexteListe(const charg1& base, std::span<const int32_t> entrees) {
    std::string texte;
    const FournisseurSegments* segments = base.Segments();
    for (const int32_t e : entrees) {
        if (e >= 0 && e < base.Nbart()) {
            texte += base.Graphie(e);
        } else {
            const int32_t k = e - base.Nbart() - 1;
            if (segments == nullptr || k < 0 || k >= base.NbFormSup()) continue;
            for (const int32_t forme : segments->FormesSegment(k)) {
                texte += base.Graphie(forme);
                texte += ' ';
            }
        }
        texte += '\n';
    }
    return texte;
}

Resultat<void> EcritListe(const std::string& chemin, const charg1& base, std::span<const int32_t> entrees) {
    const int erreur = RemplaceFichier(chemin, TexteListe(base, entrees));
    if (erreur != 0) return EchecEcriture(chemin, erreur);
    return {};
}

std::vector<int32_t> EntreesDeListe(const charg1& base, std::string_view contenu) {
    const RechercheSegments segments(base);
    ListeEntrees liste;
    std::string avecBlanc;
    while (!contenu.empty()) {
        const size_t fin = contenu.find('\n');
        std::string_view ligne = contenu.substr(0, fin);
        contenu.remove_prefix(fin == std::string_view::npos ? contenu.size() : fin + 1);
        if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
        if (ligne.empty()) continue;
        int32_t entree = base.LocFormDic(ligne);
        if (entree < 0) {
            int32_t k = segments.Cherche(ligne);
            if (k < 0 && ligne.back() != ' ') {
                avecBlanc.assign(ligne);
                avecBlanc += ' ';
                k = segments.Cherche(avecBlanc);
            }
            if (k >= 0) entree = base.Nbart() + 1 + k;
        }
        if (entree >= 0) liste.Ajoute(entree);
    }
    return liste.Entrees();
}

Resultat<std::vector<int32_t>> LitListe(const std::string& chemin, const charg1& base) {
    const Resultat<std::string> contenu = LitFichierBorne(chemin, TailleMaxListe);
    if (!contenu)
        return Echec{ListeNonLue,
                     "la liste « " + chemin + " » ne peut être lue : " + contenu.Message() + "."};
    return EntreesDeListe(base, *contenu);
}

} // namespace t3
