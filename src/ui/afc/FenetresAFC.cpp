#include "ui/afc/FenetresAFC.h"

#include "engine/corpus/Partition.h"
#include "ui/afc/PlanAFC.h"
#include "ui/afc/TFenGrapheAFC.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/PartitionOuverte.h"
#include "ui/shell/RapportArbre.h"
#include "ui/shell/RapportCourant.h"
#include "ui/shell/ServicesAtelier.h"

namespace t3ui {

bool ResultatsOuvrables(ServicesPlacement& services, const t3::Partition& partition, const std::string& faute,
                        int32_t nbPoints) {
    QString texte = QString::fromStdString(faute);
    if (texte.isEmpty() && nbPoints > partition.NbParties())
        texte = QString("Les résultats de l'analyse ne correspondent pas à la partition : %1 points pour %2 "
                        "parties.")
                    .arg(nbPoints)
                    .arg(partition.NbParties());
    if (texte.isEmpty()) return true;
    Dialogues::Message(services.Cadre(), QMessageBox::Warning, "Tessaron3", texte);
    return false;
}

void MontreDrapeauxPartition(const t3::Partition* partition) {
    PartitionOuverte::De(partition).MarquesChangees();
}

bool AjouteImageAuRapport(RapportCourant& rapport, QWidget* fenetre, const QImage& image,
                          const QString& fichier, const QString& titre, const QString& commentaire,
                          const QString& parametres) {
    if (!SauveJPEG(image, rapport.Dossier() + fichier, 30)) {
        Dialogues::Message(fenetre, QMessageBox::Warning, "Tessaron3",
                           "L'image « " + fichier + " » n'a pas pu être écrite dans le rapport.");
        return false;
    }
    rapport.Ajoute(titre, fichier, commentaire, parametres);
    return true;
}

} // namespace t3ui
