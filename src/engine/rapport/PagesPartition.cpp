#include "engine/rapport/PagesPartition.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/Html.h"
#include "engine/stats/CalcSpecTot.h"
#include "engine/stats/TableFormesParties.h"

#include <charconv>

namespace t3 {

namespace {

// Gathers a page in large pieces before it goes to the stream.
class Page {
  public:
    explicit Page(std::ostream& sortie) : m_sortie(sortie) {}
    ~Page() { Vide(); }
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    Page& operator<<(std::string_view html) {
        m_texte += html;
        return Peut();
    }
    Page& operator<<(int64_t n) {
        char chiffres[24];
        const auto fin = std::to_chars(chiffres, chiffres + sizeof chiffres, n).ptr;
        m_texte.append(chiffres, fin);
        return Peut();
    }
    // A text that is not HTML: a graphie, a name, a caption.
    Page& Texte(std::string_view texte) {
        AjouteEchappe(m_texte, texte);
        return Peut();
    }

  private:
    Page& Peut() {
        if (m_texte.size() >= (1 << 16)) Vide();
        return *this;
    }
    void Vide() {
        m_sortie.write(m_texte.data(), static_cast<std::streamsize>(m_texte.size()));
        m_texte.clear();
    }
    std::ostream& m_sortie;
    std::string m_texte;
};

std::string_view GraphieTypeCle(const Partition& partition) {
    return partition.Base() != nullptr ? partition.Base()->Graphie(partition.CleType()) : std::string_view{};
}

std::string_view NomPartie(const Partition& partition, int32_t partie) {
    return partition.Base() != nullptr ? partition.Base()->Graphie(partition.Contenu(partie))
                                       : std::string_view{};
}

// prefixe + the graphie of the key type + ".html". The graphie may hold any byte but "<" and ">": every
// byte but ASCII letters, digits, "-", "_" and "." becomes "_", so that the name stays inside the report
// folder ("/" or ".." in a key type) and the report's index links to it as it is.
std::string NomPage(std::string_view prefixe, const Partition& partition) {
    std::string nom(prefixe);
    for (const char c : GraphieTypeCle(partition)) {
        const bool sur = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                         c == '-' || c == '_' || c == '.';
        nom += sur ? c : '_';
    }
    return nom + ".html";
}

constexpr std::string_view FinTableau = "</font></table>\n</body>\n</html>";

} // namespace

std::string NomPagePCLC(const Partition& partition) {
    return NomPage("pclc", partition);
}

std::string NomPageTFG(const Partition& partition) {
    return NomPage("tfg", partition);
}

std::string NomPageSpecifs(int32_t compteur) {
    return "spf" + std::to_string(compteur) + ".html";
}

void EcritPagePCLC(std::ostream& sortie, const Partition& partition, std::string_view titre) {
    Page page(sortie);
    page << "<html>\n<head><title>";
    page.Texte(titre) << "</title></head>\n<body bgcolor=#ffffff>\n";
    page.Texte(titre) << "<br>\n<table border=1><font size=-2>\n"
                         "<tr><td>Partie<td>Nb occurrences<td>Nb formes<td>Nb hapax<td>Fr\xe9q. Max<td>Forme";
    for (int32_t p = 0; p < partition.NbParties(); ++p) {
        page << "\n<tr><td>";
        page.Texte(NomPartie(partition, p));
        for (const int32_t nombre : {partition.NbOccPartie(p), partition.NbFormesPartie(p),
                                     partition.NbHapaxPartie(p), partition.FmaxPartie(p)})
            page << "<td align=\"right\">" << int64_t{nombre};
        page << "<td>";
        // A part without occurrences has no most frequent form (its form number 0 stands for none).
        if (partition.FmaxPartie(p) > 0 && partition.Base() != nullptr)
            page.Texte(partition.Base()->Graphie(partition.FormeMaxPartie(p)));
    }
    page << FinTableau;
}

void EcritPageTFG(std::ostream& sortie, const TableFormesParties& table, const std::vector<int32_t>& lignes,
                  std::string_view titre) {
    const Partition* partition = table.Calcul().GetPartition();
    const charg1* base = partition != nullptr ? partition->Base() : nullptr;
    constexpr std::string_view tableau = " : Tableau des sp&eacute;cificit&eacute;s";
    Page page(sortie);
    page << "<html>\n<head><title>";
    page.Texte(titre) << tableau << "</title></head>\n<body bgcolor=#ffffff>\n";
    page.Texte(titre) << tableau << "<br>\n<table border=1><font size=-2>\n<tr><td>Formes";
    if (base != nullptr && base->Segments() != nullptr) page << "/SR";
    for (int32_t j = 0; j < table.NbColonnes(); ++j) {
        page << "<td colspan=2>";
        page.Texte(table.NomColonne(j));
    }
    for (const int32_t entree : lignes) {
        page << "\n<tr><td>";
        if (base != nullptr) page.Texte(base->RetourneGraphie(entree, false));
        for (int32_t j = 0; j < table.NbColonnes(); ++j) {
            const CelluleTable cellule = table.Cellule(entree, j);
            page << "<td align=\"right\">" << int64_t{cellule.frequence} << "<td align=\"right\">";
            if (cellule.coefficient == 0)
                page << "&nbsp;";
            else
                page << (cellule.coefficient > 0 ? "+" : "") << int64_t{cellule.coefficient};
        }
    }
    page << FinTableau;
}

void EcritPageSpecifs(std::ostream& sortie, const charg1& base, const std::vector<EnregSpec>& resultats,
                      const EnteteSpecifs& entete) {
    Page page(sortie);
    page << "<html>\n<head><title>";
    page.Texte(entete.titre) << "</title></head>\n<body bgcolor=#ffffff>\n";
    page << "<TABLE WIDTH=100% ALIGN=CENTER BORDER=1><TD>Corpus : ";
    page.Texte(entete.nomBase) << "</TD>\n<TD>Date : ";
    page.Texte(entete.dateHeure) << "</TD>\n";
    if (entete.partition != nullptr) {
        page << "<TD>Partition = ";
        page.Texte(GraphieTypeCle(*entete.partition)) << "</TD>\n";
    }
    page << "</TABLE>";
    page.Texte(entete.titre) << "<br>\n";
    page.Texte(entete.texteParties) << "<br>\n<table border=1><font size=-2>\n"
                                       "<tr><td>Forme<td>Frq. Tot.<td>Fr\xe9quence<td>Coeff.";
    for (const EnregSpec& r : resultats) {
        page << "<tr><td>";
        page.Texte(base.RetourneGraphie(r.entree, false));
        for (const int32_t nombre : {r.frqRef, r.frqGroupe, r.coef})
            page << "<td align=right>" << int64_t{nombre};
        page << "\n";
    }
    page << FinTableau;
}

} // namespace t3
