// t3 ventilation, run as the user runs it, against the engine on the same base.
#include "AideTests.h"
#include "engine/corpus/Cles.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/Cp1252.h"
#include "engine/stats/Tgen.h"
#include "engine/stats/Ventilation.h"

#include <gtest/gtest.h>

using t3test::DossierTemporaire;
using t3test::SortieT3;

namespace {

constexpr auto T3 = t3test::ExecuteT3APart;

// Two authors of 100 occurrences (stats_deux_auteurs.txt): été 10 times, all by Sévigné; y 2 times by
// Sévigné and 18 by Zola; z 9 times, all by Sévigné; m fills the rest.
class CmdVentilation : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(
            t3test::SegmenteDans("base", t3test::LitFichier(t3test::Donnee("stats_deux_auteurs.txt"))));
        ASSERT_EQ(m_base.ChargeBase("base/corpus.par"), t3::ChargeReussie);
    }
    // What the command should print, from the engine.
    std::string Attendu(const std::vector<std::string>& formes, t3::ModeVentilation mode,
                        const std::string& titre) {
        std::vector<int32_t> entrees;
        for (const std::string& forme : formes)
            entrees.push_back(m_base.LocFormDic(t3::Utf8VersCp1252(forme)));
        const t3::Partition partition(&m_base, t3::RetourneTypeCle(m_base, "auteur"));
        const t3::Tgen groupe(&m_base, entrees);
        const auto frequences = t3::FrequencesParPartie(partition, groupe);
        const auto valeurs = t3::ValeursVentilation(partition, groupe, mode);
        std::string texte = "Partie\tTaille\tFréquence\t" + titre + "\n";
        for (int32_t p = 0; p < partition.NbParties(); ++p)
            texte += t3::Cp1252VersUtf8(std::string(m_base.Graphie(partition.Contenu(p)))) + "\t" +
                     std::to_string(partition.NbOccPartie(p)) + "\t" + std::to_string(frequences[size_t(p)]) +
                     "\t" + std::to_string(valeurs[size_t(p)]) + "\n";
        return texte;
    }
    DossierTemporaire m_dossier;
    t3::charg1 m_base;
};

} // namespace

TEST_F(CmdVentilation, LesTroisAffichagesSontCeuxDuMoteur) {
    const SortieT3 r = T3("ventilation base/corpus.par auteur été,y");
    EXPECT_EQ(r.statut, 0) << r.erreurs;
    EXPECT_EQ(
        r.sortie,
        "Partie\tTaille\tFréquence\tRelative (x 10 000)\nSévigné\t100\t12\t1200\nZola\t100\t18\t1800\n");
    EXPECT_EQ(r.sortie, Attendu({"été", "y"}, t3::ModeVentilation::Relatives, "Relative (x 10 000)"));

    const SortieT3 a = T3("ventilation base/corpus.par auteur z --absolues");
    EXPECT_EQ(a.statut, 0) << a.erreurs;
    EXPECT_EQ(a.sortie, Attendu({"z"}, t3::ModeVentilation::Absolues, "Absolue"));

    // The option may come first; a form given twice counts once.
    const SortieT3 s = T3("ventilation --specificites base/corpus.par auteur y,été,y");
    EXPECT_EQ(s.statut, 0) << s.erreurs;
    EXPECT_EQ(s.sortie, Attendu({"y", "été"}, t3::ModeVentilation::Specificites, "Spécificité"));
    const SortieT3 z = T3("ventilation base/corpus.par auteur z --specificites");
    EXPECT_EQ(z.sortie, "Partie\tTaille\tFréquence\tSpécificité\nSévigné\t100\t9\t3\nZola\t100\t0\t-3\n");
}

TEST_F(CmdVentilation, MessagesDErreur) {
    struct Cas {
        const char* arguments;
        const char* message;
    };
    const Cas cas[] = {
        {"ventilation", "il manque la base (fichier .par)."},
        {"ventilation base/corpus.par", "il manque le type de clé de la partition."},
        {"ventilation base/corpus.par auteur", "il manque les formes du groupe (FORME1,FORME2...)."},
        {"ventilation base/corpus.par auteur ,", "il manque les formes du groupe (FORME1,FORME2...)."},
        {"ventilation base/corpus.par auteur y --absolues --specificites",
         "--absolues et --specificites ne vont pas ensemble."},
        {"ventilation base/corpus.par auteur y --seuil=5", "argument inattendu : --seuil=5"},
        {"ventilation base/corpus.par auteur y z", "argument inattendu : z"},
        {"ventilation base/absente.par auteur y", "la base base/absente.par n'existe pas."},
        {"ventilation base/corpus.par titre y",
         "le type de clé « titre » n'existe pas dans la base ; types de clés : auteur."},
        {"ventilation base/corpus.par auteur y,chèvre,z", "la forme « chèvre » n'existe pas dans la base."},
        {"ventilation base/corpus.par auteur Zola", "la forme « Zola » n'existe pas dans la base."},
    };
    for (const Cas& c : cas) {
        const SortieT3 r = T3(c.arguments);
        EXPECT_EQ(r.statut, 2) << c.arguments;
        EXPECT_EQ(r.erreurs.rfind(std::string("t3 : ") + c.message + "\n", 0), 0u) << c.arguments << "\n"
                                                                                   << r.erreurs;
        EXPECT_EQ(r.sortie, "") << c.arguments;
    }
}
