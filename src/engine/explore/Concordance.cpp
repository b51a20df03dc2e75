#include "engine/explore/Concordance.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/Cp1252.h"
#include "engine/socle/EcritureTable.h"
#include "engine/socle/Html.h"
#include "engine/stats/Tgen.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>

namespace t3 {

namespace {

// The graphie of a form or punctuation sign at p (keys and line breaks give nothing).
std::string_view GraphieContexte(const charg1& base, int32_t p) {
    return base.GraphieFormeAtPos(p);
}

bool DansLeTexte(const charg1& base, int32_t position) {
    return position >= 0 && position < base.Nbitem();
}

// The lines of a sorted concordance lie anywhere in the text, and the graphies of their contexts
// anywhere in the dictionary: the writers prepare the contexts of the occurrences some lines ahead (the
// text, then the graphies' places, then their bytes), so that these reads overlap the making of the
// lines before them.
void PrepareContextes(const charg1& base, std::span<const int32_t> positions, size_t i) {
    constexpr int32_t Etendue = 10; // items on each side: about the 40 characters of a context
    constexpr size_t Avance[] = {24, 16, 8};
    for (int32_t etape = 0; etape < 3; ++etape)
        if (const size_t j = i + Avance[etape]; j < positions.size())
            base.PrepareGraphies(positions[j], Etendue, etape);
}

} // namespace

void ContexteGauche(const charg1& base, int32_t position, int32_t largeur, std::string& texte) {
    // Filled from its right end: the last largeur characters of " g(n) ... g(2) g(1)", g(1) the nearest.
    size_t reste = static_cast<size_t>(std::max(largeur, 0));
    texte.assign(reste, ' ');
    if (!DansLeTexte(base, position)) return;
    for (int32_t p = position - 1; reste > 0 && p >= 0; --p) {
        const std::string_view graphie = GraphieContexte(base, p);
        if (graphie.empty()) continue;
        const size_t copie = std::min(graphie.size(), reste);
        std::memcpy(texte.data() + (reste - copie), graphie.data() + (graphie.size() - copie), copie);
        reste -= copie;
        if (reste > 0) --reste; // the blank before the graphie, already there
    }
}

void ContexteDroit(const charg1& base, int32_t position, int32_t largeur, std::string& texte) {
    texte.clear();
    if (!DansLeTexte(base, position)) return;
    const size_t voulu = static_cast<size_t>(std::max(largeur, 0));
    for (int32_t p = position + 1; texte.size() < voulu && p < base.Nbitem(); ++p) {
        const std::string_view graphie = GraphieContexte(base, p);
        if (graphie.empty()) continue;
        texte += graphie;
        texte += ' ';
    }
}

std::string_view Pivot(const charg1& base, int32_t position) {
    return base.Graphie(base.Tnum(position));
}

// --- Concordance

Concordance::Concordance(const charg1& base, std::span<const int32_t> positions, std::string nom,
                         const Partition* partition, int32_t sens, int32_t largeur)
    : m_base(&base), m_partition(partition), m_nom(std::move(nom)) {
    SetLargeur(largeur);
    Regroupe(positions);
    SetTri(sens);
}

Concordance::Concordance(const Tgen& groupe, const Partition* partition, int32_t sens, int32_t largeur)
    : Concordance(*groupe.Base(), groupe.Positions(), groupe.Nom(), partition, sens, largeur) {}

// Copies the positions, bucketed by part in the partition's order when there is one (a counting sort,
// so that each part keeps the order of the positions given).
void Concordance::Regroupe(std::span<const int32_t> positions) {
    m_groupes.clear();
    if (m_partition == nullptr) {
        m_positions.assign(positions.begin(), positions.end());
        return;
    }
    std::vector<int32_t> debuts(static_cast<size_t>(m_partition->NbParties()) + 1, 0);
    for (const int32_t p : positions)
        if (const int32_t partie = m_partition->PartieDePosition(p); partie >= 0)
            ++debuts[size_t(partie) + 1];
    for (size_t i = 1; i < debuts.size(); ++i) {
        if (debuts[i] > 0) m_groupes.push_back(Groupe{static_cast<int32_t>(i) - 1, debuts[i - 1]});
        debuts[i] += debuts[i - 1];
    }
    m_groupes.push_back(Groupe{-1, debuts.back()});
    m_positions.assign(static_cast<size_t>(debuts.back()), 0);
    for (const int32_t p : positions)
        if (const int32_t partie = m_partition->PartieDePosition(p); partie >= 0)
            m_positions[static_cast<size_t>(debuts[size_t(partie)]++)] = p;
}

void Concordance::SetTri(int32_t sens) {
    m_sens = sens > 0 ? TriApres : sens < 0 ? TriAvant : TriAucun;
    // Contexts compare in a strict order, so sorting each part alone gives the order that sorting all
    // the occurrences before grouping them would give, with a fraction of the sort's memory.
    const auto trie = [this](int32_t debut, int32_t fin) {
        int32_t* const p = m_positions.data() + debut;
        if (m_sens != TriAucun)
            m_base->TriCont(p, fin - debut, m_sens, m_base->Nbform() - 1);
        else if (!std::is_sorted(p, p + (fin - debut)))
            std::sort(p, p + (fin - debut));
    };
    if (m_groupes.empty()) {
        trie(0, NbContextes());
        return;
    }
    for (size_t g = 0; g + 1 < m_groupes.size(); ++g)
        trie(m_groupes[g].debut, m_groupes[g + 1].debut);
}

void Concordance::SetLargeur(int32_t largeur) {
    m_largeur = std::clamp(largeur, LargeurMin, LargeurMax);
}

int32_t Concordance::NbLignes() const {
    const int32_t entetes = m_groupes.empty() ? 0 : static_cast<int32_t>(m_groupes.size()) - 1;
    return NbContextes() + entetes;
}

size_t Concordance::GroupeDeLigne(int32_t ligne) const {
    // The last group whose heading line (debut + g) is at or before the line.
    size_t bas = 0, haut = m_groupes.size() - 1;
    while (haut - bas > 1) {
        const size_t milieu = (bas + haut) / 2;
        if (m_groupes[milieu].debut + static_cast<int32_t>(milieu) <= ligne)
            bas = milieu;
        else
            haut = milieu;
    }
    return bas;
}

bool Concordance::EstEntete(int32_t ligne) const {
    if (m_groupes.empty() || ligne < 0 || ligne >= NbLignes()) return false;
    const size_t g = GroupeDeLigne(ligne);
    return ligne == m_groupes[g].debut + static_cast<int32_t>(g);
}

int32_t Concordance::Position(int32_t ligne) const {
    if (ligne < 0 || ligne >= NbLignes() || EstEntete(ligne)) return -1;
    const int32_t i = m_groupes.empty() ? ligne : ligne - static_cast<int32_t>(GroupeDeLigne(ligne)) - 1;
    return m_positions[static_cast<size_t>(i)];
}

int32_t Concordance::PartieDeLigne(int32_t ligne) const {
    if (m_groupes.empty() || ligne < 0 || ligne >= NbLignes()) return -1;
    return m_groupes[GroupeDeLigne(ligne)].partie;
}

int32_t Concordance::LigneDeContexte(int32_t i) const {
    if (i < 0 || i >= NbContextes()) return -1;
    if (m_groupes.empty()) return i;
    const auto apres = std::upper_bound(m_groupes.begin(), m_groupes.end() - 1, i,
                                        [](int32_t n, const Groupe& g) { return n < g.debut; });
    return i + static_cast<int32_t>(apres - m_groupes.begin());
}

void Concordance::Ligne(int32_t ligne, LigneConcordance& sortie) const {
    sortie.position = Position(ligne);
    if (sortie.position < 0) {
        sortie.gauche.clear();
        sortie.pivot.clear();
        sortie.droite.clear();
        return;
    }
    ContexteGauche(*m_base, sortie.position, m_largeur, sortie.gauche);
    sortie.pivot = Pivot(*m_base, sortie.position);
    ContexteDroit(*m_base, sortie.position, m_largeur, sortie.droite);
}

LigneConcordance Concordance::Ligne(int32_t ligne) const {
    LigneConcordance sortie;
    Ligne(ligne, sortie);
    return sortie;
}

std::string_view Concordance::NomPartie(int32_t partie) const {
    return m_partition != nullptr ? m_base->Graphie(m_partition->Contenu(partie)) : std::string_view();
}

int32_t Concordance::NbContextesPartie(int32_t partie) const {
    for (size_t g = 0; g + 1 < m_groupes.size(); ++g)
        if (m_groupes[g].partie == partie) return m_groupes[g + 1].debut - m_groupes[g].debut;
    return 0;
}

std::string Concordance::TexteEntete(int32_t ligne) const {
    if (!EstEntete(ligne)) return {};
    const int32_t partie = PartieDeLigne(ligne);
    return "Partie : " + std::string(NomPartie(partie)) +
           ", Nombre de contextes : " + std::to_string(NbContextesPartie(partie));
}

// --- Export

std::string_view MotTri(int32_t sens) {
    return sens < 0 ? "avant)" : sens > 0 ? "apr\xe8s)" : "ordre du texte)";
}

std::string TitreRapportConcordance(const Concordance& concordance) {
    return "Concordance de : " + concordance.Nom() + " " + " (tri " + std::string(MotTri(concordance.Sens()));
}

void EcritPageConcordance(std::ostream& sortie, const Concordance& c, const EnteteConcordance& entete) {
    // The page is gathered in blocks of about 64 KB before they go to the stream.
    std::string page;
    const auto vide = [&] {
        sortie.write(page.data(), static_cast<std::streamsize>(page.size()));
        page.clear();
    };
    // HTML, then a text that is not (a graphie, a name) escaped.
    const auto ecrit = [&page](std::string_view html, std::string_view texte) {
        page += html;
        AjouteEchappe(page, texte);
    };
    ecrit("<html>\n<head>\n<title>Concordance</title>\n</head>\n<body bgcolor=#ffffff>\n<CENTER><H3>",
          entete.titre);
    ecrit("</H3></CENTER><br><TABLE WIDTH=100% ALIGN=CENTER BORDER=1><TD>Corpus : ", entete.nomBase);
    ecrit("</TD>\n<TD>Date : ", entete.dateHeure);
    page += "</TD>\n";
    if (c.GetPartition() != nullptr) {
        ecrit("<TD>Partition = ", c.Base().Graphie(c.GetPartition()->CleType()));
        page += "</TD>\n";
    }
    ecrit("</TABLE><pre><font size=1>Concordance de : ", c.Nom());
    ecrit("<br> (tri ", MotTri(c.Sens()));
    page += "<br><br>\n";
    LigneConcordance ligne;
    size_t faites = 0; // occurrence lines written
    for (int32_t i = 0; i < c.NbLignes(); ++i) {
        if (c.EstEntete(i)) {
            const int32_t partie = c.PartieDeLigne(i);
            ecrit("\n<br><b>Partie : ", c.NomPartie(partie));
            page += ", Nombre de contextes : " + std::to_string(c.NbContextesPartie(partie)) + "</b><br>\n";
        } else {
            PrepareContextes(c.Base(), c.Positions(), faites++);
            c.Ligne(i, ligne);
            ecrit("", ligne.gauche);
            ecrit("&nbsp;<b>", ligne.pivot);
            ecrit("</b>&nbsp;", ligne.droite);
            page += '\n';
        }
        if (page.size() >= (1 << 16)) vide();
    }
    page += "</font></pre></body></html>";
    vide();
}

void EcritLignesConcordance(EcrivainTable& table, const Concordance& c) {
    const bool parties = c.GetPartition() != nullptr;
    table.Champ("Position");
    if (parties) table.Champ("Partie");
    table.Ligne({"Contexte gauche", Utf8VersCp1252("Pôle"), "Contexte droit"});
    LigneConcordance ligne;
    size_t faites = 0; // occurrence lines written
    for (int32_t i = 0; i < c.NbLignes() && table.Ok(); ++i) {
        if (c.EstEntete(i)) continue;
        PrepareContextes(c.Base(), c.Positions(), faites++);
        c.Ligne(i, ligne);
        table.Champ(ligne.position);
        if (parties) table.Champ(c.NomPartie(c.PartieDeLigne(i)));
        table.Ligne({ligne.gauche, ligne.pivot, ligne.droite});
    }
}

std::string NomPageConcordance(const std::string& dossier) {
    static std::atomic<int64_t> compteur{0};
    for (;;) {
        std::string nom = "conc" + std::to_string(++compteur) + ".html";
        std::error_code erreur;
        if (dossier.empty() || !std::filesystem::exists(std::filesystem::path(dossier) / nom, erreur))
            return nom;
    }
}

} // namespace t3
