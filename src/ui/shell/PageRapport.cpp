#include "ui/shell/PageRapport.h"

#include "ui/shell/Dialogues.h"
#include "ui/shell/RapportCourant.h"
#include "ui/shell/Sablier.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TexteQt.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>

#include <fstream>

namespace t3ui {

QString DateRapport() {
    const QDateTime maintenant = QDateTime::currentDateTime();
    const QLocale francais(QLocale::French, QLocale::France);
    return francais.toString(maintenant.date(), QLocale::LongFormat) + " - " + maintenant.toString("hh:mm");
}

bool AjoutePageAuRapport(ServicesRapport& services, QWidget* fenetre, const QString& fichier,
                         const QString& titre, const std::function<void(std::ostream&)>& ecrit,
                         const QString& parametres) {
    RapportCourant* rapport = services.Rapport();
    if (!rapport) return false;
    const QString chemin = rapport->Dossier() + fichier;
    const QString provisoire = chemin + ".part";
    bool ecrite;
    {
        Sablier sablier;
        std::ofstream sortie(CheminLocal(provisoire), std::ios::binary | std::ios::trunc);
        if (sortie) ecrit(sortie);
        sortie.flush();
        ecrite = sortie.good();
        sortie.close();
        ecrite = ecrite && !sortie.fail();
        QFile::remove(chemin);
        ecrite = ecrite && QFile::rename(provisoire, chemin);
    }
    if (!ecrite) {
        QFile::remove(provisoire);
        Dialogues::Message(fenetre, QMessageBox::Warning, "Tessaron3",
                           "La page « " + fichier + " » n'a pas pu être écrite dans le rapport.");
        return false;
    }
    rapport->Ajoute(titre, fichier, " ", parametres);
    return true;
}

} // namespace t3ui
