#include "ui/shell/OptionsInformation.h"

#include "ui/shell/Chemins.h"

#include <cstdio>
#include <string_view>

namespace t3ui {

namespace {

constexpr const char* Aide =
    "Utilisation : tessaron3 [BASE.par | CORPUS]\n"
    "Ouvre l'atelier, sur la base ou le corpus donné s'il y en a un.\n"
    "\n"
    "       tessaron3 --rapport BASE.par|CORPUS.txt --cle=CLE [--dossier=DIR] [--seuil=5]\n"
    "                 [--fmin=10] [--segments=SEUIL] [--ventilation=5] [--afc]\n"
    "Écrit sans affichage le rapport publié de la partition par CLE (index.htm,\n"
    "pages, images JPEG et PNG, tableaux CSV, manifeste).\n"
    "\n"
    "  --version  affiche la version et le dossier des données\n"
    "  --help     affiche cette aide\n";

int Version() {
    std::printf("Tessaron3 %s\nDonnées : %s\n", T3_VERSION, DossierDonnees().toUtf8().constData());
    const QString manque = DonneesManquantes();
    if (manque.isEmpty()) return 0;
    std::fprintf(stderr, "tessaron3 : %s\n", manque.toUtf8().constData());
    return 1;
}

} // namespace

std::optional<int> RepondOptionsInformation(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--version") return Version();
        if (option == "--help" || option == "-h") {
            std::fputs(Aide, stdout);
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace t3ui
