#include "ui/afc/FenetresAFC.h"

#include "engine/corpus/Partition.h"
#include "ui/afc/PlanAFC.h"
#include "ui/afc/TFenGrapheAFC.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/PartitionOuverte.h"
#include "ui/shell/RapportArbre.h"
#include "ui/shell/RapportCourant.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TFenNavig.h"

#include <QMdiSubWindow>
#include <QTreeWidgetItem>

namespace t3ui {

QWidget* PlaceFenetreAFC(ServicesPlacement& services, const t3::Partition& partition, QWidget* fenetre,
                         const QString& prefixe, bool maximisee) {
    QMdiSubWindow* sous = services.AjouteFenetre(fenetre);
    if (sous && maximisee) sous->showMaximized();
    TFenNavig* navigation = services.Navigation();
    QTreeWidgetItem* afc =
        navigation ? TFenNavig::Enfant(navigation->NoeudPartition(&partition), GenreNoeud::AFC) : nullptr;
    if (afc) {
        int numero = 1;
        for (int i = 0; i < afc->childCount(); ++i)
            numero += afc->child(i)->text(0).startsWith(prefixe + " (") ? 1 : 0;
        navigation->AjouteItem(afc, QString("%1 (%2)").arg(prefixe).arg(numero), GenreNoeud::AFC, -1,
                               fenetre);
    }
    return fenetre;
}

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
                          const QString& fichier, const QString& titre, const QString& commentaire) {
    if (!SauveJPEG(image, rapport.Dossier() + fichier, 30)) {
        Dialogues::Message(fenetre, QMessageBox::Warning, "Tessaron3",
                           "L'image « " + fichier + " » n'a pas pu être écrite dans le rapport.");
        return false;
    }
    rapport.Ajoute(titre, fichier, commentaire);
    return true;
}

} // namespace t3ui
