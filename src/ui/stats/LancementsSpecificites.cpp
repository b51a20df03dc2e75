#include "ui/stats/LancementsSpecificites.h"

#include "engine/Globaux.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/stats/CalcSpecTot.h"
#include "engine/stats/SpecEvolutives.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/Sablier.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TexteQt.h"
#include "ui/stats/ParametresSpecificites.h"
#include "ui/stats/TFenSpecGrp.h"

namespace t3ui {

namespace {

QString NomPartie(const t3::Partition& partition, int32_t partie) {
    return VersQt(partition.Base()->RetourneGraphie(partition.Contenu(partie), false));
}

// The names of the parts a flag marks, each followed by ", ".
QString ListeParties(const t3::Partition& partition, bool (t3::Partition::*drapeau)(int32_t) const) {
    QString liste;
    for (int32_t i = 0; i < partition.NbParties(); ++i)
        if ((partition.*drapeau)(i)) liste += NomPartie(partition, i) + ", ";
    return liste;
}

} // namespace

void LanceSpecifs(ServicesAtelier& services, QWidget* parent, t3::Partition& partition) {
    TFenParamSpec dialogue(parent, partition.Base()->Fmax());
    if (Dialogues::Execute(&dialogue) != QDialog::Accepted) return;
    Sablier sablier;
    partition.SetSeuil(dialogue.Seuil());
    partition.SetFreqMin(dialogue.FreqMin());
    dialogue.hide();
    CalculeSpecifs(services, partition)->Montre();
}

TFenSpecGrp* CalculeSpecifs(ServicesAtelier& services, t3::Partition& partition) {
    services.ResetProgress();
    auto calcul = std::make_unique<t3::PrimSpec>(&partition, t3::DiviseurEtiquettes());
    calcul->SetProgression(services.Etapes(2)); // the forms, then the segments
    calcul->Compute();
    auto* liste = new TFenSpecGrp(services, std::move(calcul));
    liste->SetTextes("Corpus de référence : ", ListeParties(partition, &t3::Partition::Reference),
                     "Parties sélectionnées : ", ListeParties(partition, &t3::Partition::Selection));
    services.ResetProgress();
    return liste;
}

// The evolutive specificities of the first selected part against the parts up to it; the dialog's
// boxes set the partition's threshold and minimum frequency, as those of "Spécifs" do.
void LanceSpecEvol(ServicesAtelier& services, QWidget* parent, t3::Partition& partition) {
    if (ListeParties(partition, &t3::Partition::Selection).isEmpty()) {
        Dialogues::Information(parent, "Aucune partie n'est sélectionnée");
        return;
    }
    const t3::charg1* base = partition.Base();
    TFenParamSpecDiac dialogue(parent, base->Fmax(), partition.Seuil(), partition.FreqMin());
    if (Dialogues::Execute(&dialogue) != QDialog::Accepted) return;
    partition.SetSeuil(dialogue.Seuil());
    partition.SetFreqMin(dialogue.FreqMin());
    const int32_t partie = t3::PremierePartieEvolutive(partition);
    Sablier sablier;
    services.ResetProgress();
    auto calcul = t3::SpecEvolutives(partition, services.Etapes(2));
    services.ResetProgress();
    if (!calcul) {
        Dialogues::MessageMoteur(parent, calcul.Message());
        return;
    }
    auto* liste = new TFenSpecGrp(services, std::move(calcul.Valeur()));
    liste->setWindowTitle("Spécifs évolutives - " +
                          VersQt(base->RetourneGraphie(partition.CleType(), false)));
    liste->SetTextes("Partie : ", NomPartie(partition, partie), "", "");
    liste->Montre();
}

// The specificity lists of a partition, from its statistics window and its factor plots.
T3_GENRE_FENETRE(GenreFenetre{
    .portee = Portee::Partition,
    .rang = 30,
    .rubrique = "Spécifs",
    .imageRubrique = 2,
    .boutons = {
        {HotePartition::Statistiques, 10, "BtnSpecif", "Spécifs",
         "Calcul des spécificités pour la partition\net le corpus sélectionnés", LanceSpecifs},
        {HotePartition::Statistiques, 20, "BtnSpEvol", "Sp Evol.",
         "Calcul des spécificités évolutives\net chronologiques pour la partition\net le corpus sélectionnés",
         LanceSpecEvol},
        {HotePartition::PlanFactoriel, 10, "BtnSpecifs", "Spécifs", {}, LanceSpecifs},
        {HotePartition::PlanFactoriel, 20, "BtnSpChEv", "Sp ch ev",
         "Calcul des spécificités évolutives et chronologiques pour la partition", LanceSpecEvol},
    }});

} // namespace t3ui
