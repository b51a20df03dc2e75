#include "engine/stats/TableFormesParties.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/Cp1252.h"
#include "engine/socle/EcritureTable.h"
#include "engine/stats/CalcSpecTot.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace t3 {

TableFormesParties::TableFormesParties(const CalcSpecTot& calcul)
    : m_calcul(calcul), m_partition(calcul.GetPartition()) {}

int32_t TableFormesParties::NbColonnes() const {
    return m_calcul.NbPartiesReference();
}

int32_t TableFormesParties::Partie(int32_t colonne) const {
    if (colonne < 0 || colonne >= NbColonnes()) return -1;
    return m_calcul.PartiesReference()[static_cast<size_t>(colonne)];
}

std::string_view TableFormesParties::NomColonne(int32_t colonne) const {
    const int32_t partie = Partie(colonne);
    if (partie < 0 || !m_partition || !m_partition->Base()) return {};
    return m_partition->Base()->Graphie(m_partition->Contenu(partie));
}

int32_t TableFormesParties::Frequence(int32_t entree, int32_t colonne) const {
    const int32_t partie = Partie(colonne);
    if (partie < 0 || !m_partition || !m_partition->Base()) return 0;
    const charg1& base = *m_partition->Base();
    if (entree >= 0 && entree < base.Nbform()) return m_partition->Frequence(entree, partie);
    if (entree != m_entreeComptee) {
        // Each position counts in the part of the span that holds it, as Partition::Frequence counts.
        m_comptesParPartie.assign(static_cast<size_t>(m_partition->NbParties()), 0);
        for (const int32_t position : base.LocOccFor(entree)) {
            const int32_t p = m_partition->PartieDansLesSpans(position);
            if (p >= 0) ++m_comptesParPartie[static_cast<size_t>(p)];
        }
        m_entreeComptee = entree;
    }
    return m_comptesParPartie[static_cast<size_t>(partie)];
}

int32_t TableFormesParties::Coefficient(int32_t entree, int32_t colonne) const {
    return m_calcul.Coefficient(entree, colonne);
}

TableFormesParties::LecteurLignes::LecteurLignes(const TableFormesParties& table)
    : m_table(table), m_curseurs(static_cast<size_t>(table.NbColonnes()), 0),
      m_ligne(static_cast<size_t>(table.NbColonnes())) {
    for (int32_t j = 0; j < table.NbColonnes(); ++j) {
        m_parties.push_back(table.Partie(j));
        m_coefficients.push_back(&table.m_calcul.Resultat(j)->CoefficientsParEntree());
    }
}

// The cells of a form, sorted by part, meet the reference parts in ascending order; each column's
// coefficients, sorted by entry, are read by a cursor that only moves forward while the forms do.
std::span<const CelluleTable> TableFormesParties::LecteurLignes::Ligne(int32_t forme) {
    if (forme < m_precedente) std::fill(m_curseurs.begin(), m_curseurs.end(), 0);
    m_precedente = forme;
    const Partition* partition = m_table.m_partition;
    const std::span<const CelluleForme> cellules =
        partition ? partition->CellulesForme(forme) : std::span<const CelluleForme>{};
    auto cellule = cellules.begin();
    for (size_t j = 0; j < m_ligne.size(); ++j) {
        const int32_t partie = m_parties[j];
        while (cellule != cellules.end() && cellule->partie < partie)
            ++cellule;
        CelluleTable& sortie = m_ligne[j];
        sortie.frequence = cellule != cellules.end() && cellule->partie == partie ? cellule->frequence : 0;
        const auto& coefficients = *m_coefficients[j];
        size_t& curseur = m_curseurs[j];
        while (curseur < coefficients.size() && coefficients[curseur].first < forme)
            ++curseur;
        sortie.coefficient = curseur < coefficients.size() && coefficients[curseur].first == forme
                                 ? coefficients[curseur].second
                                 : 0;
    }
    return m_ligne;
}

namespace {

// "+12" for an excess, "-12" for a deficit, nothing for a form that is not specific.
std::string_view TexteCoefficient(int32_t coefficient, char (&texte)[16]) {
    if (coefficient == 0) return {};
    char* chiffres = texte;
    if (coefficient > 0) *chiffres++ = '+';
    const char* const fin = std::to_chars(chiffres, texte + sizeof texte, coefficient).ptr;
    return {texte, static_cast<size_t>(fin - texte)};
}

} // namespace

void EcritTableFormesParties(EcrivainTable& ecrivain, const charg1& base, const TableFormesParties& table,
                             const std::vector<int32_t>* ordre) {
    const std::string specif = Utf8VersCp1252("Spécif ");
    ecrivain.Champ("Formes");
    for (int32_t j = 0; j < table.NbColonnes(); ++j)
        ecrivain.Champ(table.NomColonne(j)).Champ(specif + std::string(table.NomColonne(j)));
    ecrivain.FinLigne();
    TableFormesParties::LecteurLignes lecteur(table);
    std::vector<CelluleTable> cellules(static_cast<size_t>(table.NbColonnes()));
    const size_t nbLignes = ordre != nullptr ? ordre->size() : static_cast<size_t>(base.Nbform());
    char coefficient[16];
    for (size_t i = 0; i < nbLignes && ecrivain.Ok(); ++i) {
        const int32_t forme = ordre != nullptr ? (*ordre)[i] : static_cast<int32_t>(i);
        ecrivain.Champ(base.Graphie(forme));
        std::span<const CelluleTable> ligne = cellules;
        if (ordre == nullptr)
            ligne = lecteur.Ligne(forme);
        else
            for (int32_t j = 0; j < table.NbColonnes(); ++j)
                cellules[static_cast<size_t>(j)] = table.Cellule(forme, j);
        for (const CelluleTable& cellule : ligne) {
            ecrivain.Champ(cellule.frequence);
            ecrivain.Champ(TexteCoefficient(cellule.coefficient, coefficient));
        }
        ecrivain.FinLigne();
    }
}

} // namespace t3
