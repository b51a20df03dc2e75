// t3: the command line of the workbench's engine.
#include "Commandes.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace t3cli;
    const std::vector<std::string> mots(argv, argv + argc);
    if (mots.size() < 2) return Erreur("il manque la commande.\n" + TexteUsage());
    const std::string& nom = mots[1];
    if (nom == "--help" || nom == "-h" || nom == "aide") {
        std::fputs(TexteUsage().c_str(), stdout);
        return SortieOk;
    }
    for (const Commande& commande : Commandes())
        if (nom == commande.nom) return commande.executer(Arguments(mots.begin() + 2, mots.end()));
    return Erreur("commande inconnue : " + nom + "\n" + TexteUsage());
}
