// t3 concordance, run as the user runs it, against the engine on the same base.
#include "AideTests.h"

#include "engine/corpus/Cles.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/Concordance.h"
#include "engine/socle/Cp1252.h"
#include "engine/stats/Tgen.h"

#include <gtest/gtest.h>
#include <memory>
#include <regex>
#include <sstream>

using t3test::DossierTemporaire;
using t3test::SortieT3;

namespace {

constexpr auto T3 = t3test::ExecuteT3APart;

class CmdConcordance : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(t3test::SegmenteDans("base",
                                         "<auteur=S\xE9vign\xE9> l'\xE9t\xE9 de la marquise {ici} est "
                                         "beau.\n<auteur=Zola> L'\xE9t\xE9 de Paris\\Lyon, l'\xC9T\xC9 de "
                                         "la ville.\n<auteur=S\xE9vign\xE9> De \xE9t\xE9 en \xE9t\xE9. "
                                         "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab\n"));
        ASSERT_EQ(m_base.ChargeBase("base/corpus.par"), t3::ChargeReussie);
    }
    // The concordance of the entries as the engine makes it.
    std::unique_ptr<t3::Concordance> Engine(const std::vector<std::string>& formes, int32_t sens,
                                            int32_t largeur, const char* cle) {
        std::vector<int32_t> entrees;
        for (const std::string& forme : formes)
            entrees.push_back(m_base.LocFormDic(t3::Utf8VersCp1252(forme)));
        m_groupe = std::make_unique<t3::Tgen>(&m_base, entrees);
        m_partition =
            cle ? std::make_unique<t3::Partition>(&m_base, t3::RetourneTypeCle(m_base, cle)) : nullptr;
        return std::make_unique<t3::Concordance>(*m_groupe, m_partition.get(), sens, largeur);
    }
    // What the command should print, from the engine.
    std::string Attendu(const std::vector<std::string>& formes, int32_t sens, int32_t largeur,
                        const char* cle) {
        const auto c = Engine(formes, sens, largeur, cle);
        std::string texte = cle ? "Position\tPartie\tContexte gauche\tPôle\tContexte droit\n"
                                : "Position\tContexte gauche\tPôle\tContexte droit\n";
        for (int32_t i = 0; i < c->NbLignes(); ++i) {
            if (c->EstEntete(i)) continue;
            const t3::LigneConcordance l = c->Ligne(i);
            std::string ligne = std::to_string(l.position) + "\t";
            if (cle) ligne += std::string(c->NomPartie(c->PartieDeLigne(i))) + "\t";
            texte += t3::Cp1252VersUtf8(ligne + l.gauche + "\t" + l.pivot + "\t" + l.droite + "\n");
        }
        return texte;
    }
    DossierTemporaire m_dossier;
    t3::charg1 m_base;
    std::unique_ptr<t3::Tgen> m_groupe;
    std::unique_ptr<t3::Partition> m_partition;
};

} // namespace

TEST_F(CmdConcordance, LignesDuMoteur) {
    const SortieT3 r = T3("concordance base/corpus.par été");
    EXPECT_EQ(r.statut, 0) << r.erreurs;
    EXPECT_EQ(r.sortie, Attendu({"été"}, t3::TriAucun, 40, nullptr));
    EXPECT_NE(r.sortie.find("\n4\t" + std::string(37, ' ') +
                            "l '\tété\tde la marquise { ici } est beau . L ' été \n"),
              std::string::npos)
        << r.sortie;

    const SortieT3 apres = T3("concordance --tri=apres base/corpus.par été --partition=auteur --largeur=12");
    EXPECT_EQ(apres.statut, 0) << apres.erreurs;
    EXPECT_EQ(apres.sortie, Attendu({"été"}, t3::TriApres, 12, "auteur"));
    const SortieT3 avant = T3("concordance base/corpus.par de --tri=avant --largeur=255");
    EXPECT_EQ(avant.sortie, Attendu({"de"}, t3::TriAvant, 255, nullptr));

    // A pattern: every form it matches, case-less on accented letters.
    const SortieT3 motif = T3("concordance base/corpus.par '(?i)^été$' --regex --partition=auteur");
    EXPECT_EQ(motif.statut, 0) << motif.erreurs;
    EXPECT_EQ(motif.sortie, Attendu({"été", "ÉTÉ"}, t3::TriAucun, 40, "auteur"));
}

// The export page on the standard output, in UTF-8, with the date of the run.
TEST_F(CmdConcordance, PageHtml) {
    const SortieT3 r = T3("concordance base/corpus.par 'é' --regex --tri=apres --partition=auteur --html");
    ASSERT_EQ(r.statut, 0) << r.erreurs;
    std::smatch date;
    ASSERT_TRUE(std::regex_search(r.sortie, date, std::regex("<TD>Date : ([^<]*)</TD>"))) << r.sortie;
    EXPECT_TRUE(
        std::regex_match(date[1].str(), std::regex("(lun|mar|mercre|jeu|vendre|same|diman)di [0-9]{1,2} "
                                                   "[a-zéû]+ 20[0-9]{2} - [0-2][0-9]:[0-5][0-9]")))
        << date[1];
    std::ostringstream page;
    t3::EcritPageConcordance(page, *Engine({"été"}, t3::TriApres, 40, "auteur"),
                             {"Concordances", "corpus", t3::Utf8VersCp1252(date[1].str())});
    EXPECT_EQ(r.sortie, t3::Cp1252VersUtf8(page.str()));
}

TEST_F(CmdConcordance, MessagesDErreur) {
    struct Cas {
        const char* arguments;
        const char* message;
    };
    const Cas cas[] = {
        {"concordance", "il manque la base (fichier .par)."},
        {"concordance base/corpus.par", "il manque la forme."},
        {"concordance base/corpus.par --regex", "il manque le motif."},
        {"concordance base/corpus.par été x", "argument inattendu : x"},
        {"concordance base/corpus.par été --trie=avant", "argument inattendu : --trie=avant"},
        {"concordance base/corpus.par été --tri=gauche",
         "la valeur de --tri doit être aucun, avant ou apres : gauche"},
        {"concordance base/corpus.par été --largeur=9",
         "la valeur de --largeur doit être un nombre entier de 10 à 255 : 9"},
        {"concordance base/corpus.par été --largeur=4x",
         "la valeur de --largeur doit être un nombre entier de 10 à 255 : 4x"},
        {"concordance base/corpus.par été --partition=", "il manque le type de clé de --partition"},
        {"concordance base/absente.par été", "la base base/absente.par n'existe pas."},
        {"concordance base/corpus.par été --partition=titre",
         "le type de clé « titre » n'existe pas dans la base ; types de clés : auteur."},
        {"concordance base/corpus.par chèvre", "la forme « chèvre » n'existe pas dans la base."},
        {"concordance base/corpus.par Zola", "la forme « Zola » n'existe pas dans la base."},
        {"concordance base/corpus.par 'été→'", "la forme « été? » n'existe pas dans la base."},
        {"concordance base/corpus.par 'été' --regex --partition=titre", "le type de clé « titre »"},
        {"concordance base/corpus.par '(été' --regex",
         "le motif « (été » est incorrect : il manque une parenthèse fermante (position 4)."},
        {"concordance base/corpus.par '(*NO_START_OPT)(*NO_JIT)^(?:|){19}(?!)' --regex",
         "le motif « (*NO_START_OPT)(*NO_JIT)^(?:|){19}(?!) » est incorrect : (*NO_START_OPT) ne fait que "
         "ralentir la recherche."},
        {"concordance base/corpus.par '^x' --regex", "aucune forme ne correspond au motif « ^x »."},
        {"concordance base/corpus.par '(a|aa)+$' --regex --html",
         "la recherche du motif « (a|aa)+$ » demande trop de calculs : son budget est épuisé sur « aaaa"},
        // Every form costs as much: the search stops when they have spent its budget together.
        {"concordance base/corpus.par '(?:|){30}(?!)' --regex",
         "la recherche du motif « (?:|){30}(?!) » demande trop de calculs : son budget est épuisé sur « "},
    };
    for (const Cas& c : cas) {
        const SortieT3 r = T3(c.arguments);
        EXPECT_EQ(r.statut, 2) << c.arguments;
        EXPECT_EQ(r.erreurs.rfind(std::string("t3 : ") + c.message, 0), 0u) << c.arguments << "\n"
                                                                            << r.erreurs;
        EXPECT_EQ(r.sortie, "") << c.arguments;
    }
}
