#include "ui/shell/Chemins.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace t3ui {

QString DossierDonnees() {
    const QString installe = QStringLiteral(T3_DONNEES_INSTALLEES);
    if (QFileInfo::exists(installe + "/aide")) return installe;
    return QStringLiteral(T3_DONNEES_SOURCE);
}

QString PageAide() {
    return DossierDonnees() + "/aide/html/aide.html";
}
QString DossierMusiques() {
    return DossierDonnees() + "/Musiques";
}

QString DossierPublication() {
    QString donnees = qEnvironmentVariable("XDG_DATA_HOME");
    if (donnees.isEmpty()) donnees = QDir::homePath() + "/.local/share";
    return donnees + "/tessaron3/RAPPORT";
}

QString DossierTemporaire() {
    for (const char* variable : {"TEMP", "TMPDIR"}) {
        const QString valeur = qEnvironmentVariable(variable);
        if (!valeur.isEmpty()) return valeur;
    }
    return QStringLiteral("/tmp");
}

} // namespace t3ui
