#include "engine/explore/TexteSection.h"

#include "engine/corpus/Section.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/Html.h"

#include <algorithm>
#include <string_view>

namespace t3 {

namespace {

// Walks a group's sorted positions along the section, position after position.
class CurseurGroupe {
  public:
    CurseurGroupe(const std::vector<int32_t>* positions, int32_t debut) {
        if (positions == nullptr) return;
        m_p = std::lower_bound(positions->begin(), positions->end(), debut);
        m_fin = positions->end();
    }
    bool Contient(int32_t position) {
        while (m_p != m_fin && *m_p < position)
            ++m_p;
        return m_p != m_fin && *m_p == position;
    }

  private:
    std::vector<int32_t>::const_iterator m_p{}, m_fin{};
};

// Calls ecrit(style, graphie, contenu) for each entry of the section in order; contenu is the key content
// of a key type, which is then passed over.
template <typename Ecrit>
void ParcourtSection(const Section& sections, int32_t section, const std::vector<int32_t>* principal,
                     const std::vector<int32_t>* second, Ecrit ecrit) {
    if (section < 0 || section >= sections.NbSections() || sections.Base() == nullptr) return;
    const charg1& base = *sections.Base();
    const int32_t premiereCle = base.Nbform() + base.Nbartponct(), finCles = premiereCle + base.Nbcle();
    const int32_t debut = sections.Debut(section), fin = sections.Debut(section + 1);
    CurseurGroupe groupe1(principal, debut), groupe2(second, debut);
    for (int32_t p = debut; p < fin; ++p) {
        const int32_t entree = base.Tnum(p);
        if (entree < 0 || entree >= base.Nbart()) continue;
        const std::string_view graphie = base.Graphie(entree);
        if (groupe1.Contient(p))
            ecrit(StyleMorceau::GroupePrincipal, graphie, std::string_view{});
        else if (groupe2.Contient(p))
            ecrit(StyleMorceau::GroupeSecond, graphie, std::string_view{});
        else if (entree >= premiereCle && entree < finCles)
            ecrit(StyleMorceau::Cle, graphie, base.Graphie(base.Tnum(++p)));
        else
            ecrit(StyleMorceau::Normal, graphie, std::string_view{});
    }
}

} // namespace

std::vector<MorceauSection> MorceauxSection(const Section& sections, int32_t section,
                                            const std::vector<int32_t>* principal,
                                            const std::vector<int32_t>* second) {
    std::vector<MorceauSection> morceaux;
    ParcourtSection(sections, section, principal, second,
                    [&morceaux](StyleMorceau style, std::string_view graphie, std::string_view contenu) {
                        if (morceaux.empty() || morceaux.back().style != style)
                            morceaux.push_back({{}, style});
                        std::string& texte = morceaux.back().texte;
                        if (style == StyleMorceau::Cle) {
                            texte += '<';
                            texte += graphie;
                            texte += '=';
                            texte += contenu;
                            texte += '>';
                        } else {
                            texte += graphie;
                            texte += ' ';
                        }
                    });
    return morceaux;
}

std::string PageSection(const Section& sections, int32_t section, const std::vector<int32_t>* principal) {
    if (section < 0 || section >= sections.NbSections()) return {};
    const std::string n = std::to_string(section);
    std::string page = "<html>\n<head><title>Section " + n +
                       "</title></head>\n<body bgcolor=#ffffff>\n<h2>Section " + n +
                       "</h2><br>\n<font size=-2>\n";
    ParcourtSection(sections, section, principal, nullptr,
                    [&page](StyleMorceau style, std::string_view graphie, std::string_view contenu) {
                        switch (style) {
                        case StyleMorceau::GroupePrincipal:
                            page += "<b>";
                            AjouteEchappe(page, graphie);
                            page += "</b> ";
                            break;
                        case StyleMorceau::Cle:
                            page += "<font color=\"#0000FF\">&lt;";
                            AjouteEchappe(page, graphie);
                            page += '=';
                            AjouteEchappe(page, contenu);
                            page += "&gt;</font>";
                            break;
                        default:
                            AjouteEchappe(page, graphie);
                            page += ' ';
                        }
                    });
    page += "</font>\n</body>\n</html>";
    return page;
}

std::string NomPageSection(int32_t section) {
    return "section-" + std::to_string(section) + ".html";
}

} // namespace t3
