#include "ui/shell/Chemins.h"

#include "engine/afc/Programmes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace t3ui {

namespace {

// The executables of the build tree lie at most this many folders below its top (tests/ui/shell).
constexpr int ProfondeurArbreConstruction = 4;

// The source tree's data folder named by the build tree's marker above the program, or empty.
QString DonneesSource(const QString& dossierProgramme) {
    QDir dossier(dossierProgramme);
    for (int niveau = 0; niveau < ProfondeurArbreConstruction; ++niveau) {
        QFile marqueur(dossier.filePath("tessaron3-donnees-source"));
        if (marqueur.open(QIODevice::ReadOnly)) return QString::fromUtf8(marqueur.readAll()).trimmed();
        if (!dossier.cdUp()) break;
    }
    return {};
}

QString CalculeDossierDonnees() {
    const QString programme = QString::fromStdString(t3::DossierExecutable());
    const QString source = DonneesSource(programme);
    if (!source.isEmpty()) return source;
    return QDir::cleanPath(programme + "/" + T3_DONNEES_RELATIVES);
}

} // namespace

QString DossierDonnees() {
    static const QString dossier = CalculeDossierDonnees();
    return dossier;
}

QString DonneesManquantes() {
    for (const QString& fichier : {PageAide(), DossierDonnees() + "/images"}) {
        if (!QFileInfo::exists(fichier))
            return QString("Les données de Tessaron3 sont incomplètes : « %1 » manque. "
                           "Réinstallez le programme.")
                .arg(QDir::toNativeSeparators(fichier));
    }
    return {};
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
