#include "engine/rapport/PageTexte.h"

#include "engine/Globaux.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/Html.h"
#include "engine/stats/Tgen.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace t3 {

namespace {

// Output gathered in a large block and handed to the file a block at a time: the page of a large base
// runs to hundreds of megabytes written in pieces of a few bytes.
class FluxPage {
  public:
    static constexpr size_t Taille = size_t{1} << 20;

    explicit FluxPage(std::FILE* f) : m_f(f), m_tampon(new char[Taille]) {}

    void Ecrit(const char* texte, size_t n) {
        if (m_plein + n > Taille) {
            Vide();
            if (n > Taille) {
                if (std::fwrite(texte, 1, n, m_f) != n) m_erreur = true;
                return;
            }
        }
        std::memcpy(m_tampon.get() + m_plein, texte, n);
        m_plein += n;
    }
    void Ecrit(std::string_view texte) { Ecrit(texte.data(), texte.size()); }

    void Vide() {
        if (m_plein > 0 && std::fwrite(m_tampon.get(), 1, m_plein, m_f) != m_plein) m_erreur = true;
        m_plein = 0;
    }
    bool Erreur() const { return m_erreur; }

  private:
    std::FILE* m_f;
    std::unique_ptr<char[]> m_tampon;
    size_t m_plein = 0;
    bool m_erreur = false;
};

// Every entry of the dictionary as the page shows it, a blank then the escaped graphie, made once so
// that the walk over the text only copies bytes.
class GraphiesEchappees {
  public:
    explicit GraphiesEchappees(const charg1& base) {
        const int32_t nb = base.Nbart();
        m_debuts.reserve(static_cast<size_t>(nb) + 1);
        for (int32_t e = 0; e < nb; ++e) {
            m_debuts.push_back(m_texte.size());
            m_texte += ' ';
            AjouteEchappe(m_texte, base.Graphie(e));
        }
        m_debuts.push_back(m_texte.size());
    }
    // The entry with its leading blank; empty outside the dictionary.
    std::string_view AvecBlanc(int32_t entree) const {
        if (entree < 0 || static_cast<size_t>(entree) + 1 >= m_debuts.size()) return {};
        const size_t debut = m_debuts[static_cast<size_t>(entree)];
        return {m_texte.data() + debut, m_debuts[static_cast<size_t>(entree) + 1] - debut};
    }
    std::string_view Seule(int32_t entree) const {
        const std::string_view texte = AvecBlanc(entree);
        return texte.empty() ? texte : texte.substr(1);
    }

  private:
    std::string m_texte;
    std::vector<size_t> m_debuts;
};

} // namespace

FichierTemporaire CreePageTexte(const std::string& dossierTemp) {
    return FichierTemporaire(dossierTemp, "t3th");
}

bool EcritPageTexte(const charg1& base, const Tgen* groupe, const std::string& chemin) {
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    if (!f) return false;
    FluxPage page(f);

    char couleur[8] = "#ff0000";
    if (groupe) {
        const Couleur c = groupe->GetCouleur();
        std::snprintf(couleur, sizeof couleur, "#%02x%02x%02x", unsigned{Rouge(c)}, unsigned{Vert(c)},
                      unsigned{Bleu(c)});
    }
    page.Ecrit(
        "<html><head><title>TEXTE</title><style type=\"text/css\">\n.tgenstyle {font-weight: bold;\ncolor: ");
    page.Ecrit(couleur);
    page.Ecrit(";}\n.partie {background-color: #ffff00;\nfont-weight: bold;\ncolor: #0000ff;}\n"
               "</style></head><body>\n");

    // Codes below A are forms and punctuation, from A to K - 1 key types (each followed by its content),
    // above L line breaks; any other code shows nothing.
    const int32_t nbitem = base.Nbitem();
    const int32_t a = base.Nbform() + base.Nbartponct();
    const int32_t k = a + base.Nbcle();
    const int32_t l = base.Limd();
    const int32_t* const tnum = base.TexteNum();
    const GraphiesEchappees graphies(base);

    // The occurrences of the group are ascending, as the walk: one cursor follows it.
    static const std::vector<int32_t> aucune;
    const std::vector<int32_t>& positions = groupe ? groupe->Positions() : aucune;
    size_t curseur = 0;

    for (int32_t i = 0; i < nbitem; ++i) {
        const int32_t t = tnum[i];
        if (t >= 0 && t < a) {
            while (curseur < positions.size() && positions[curseur] < i)
                ++curseur;
            if (curseur < positions.size() && positions[curseur] == i) {
                page.Ecrit("<span class=\"tgenstyle\"> ");
                page.Ecrit(graphies.Seule(t));
                page.Ecrit("</span>");
            } else {
                page.Ecrit(graphies.AvecBlanc(t));
            }
        } else if (t >= a && t < k) {
            page.Ecrit("<span class=\"partie\">&lt;");
            page.Ecrit(graphies.Seule(t));
            page.Ecrit("=");
            if (i + 1 < nbitem) page.Ecrit(graphies.Seule(tnum[i + 1]));
            page.Ecrit("&gt;</span>");
            ++i;
        } else if (t > l) {
            page.Ecrit("<br />\n");
        }
    }
    page.Ecrit("</body></html>\n");
    page.Vide();
    const bool ferme = std::fclose(f) == 0;
    return ferme && !page.Erreur();
}

} // namespace t3
