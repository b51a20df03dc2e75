// t3: the command line of the workbench's engine.
#include "Commandes.h"

#include "engine/socle/Temporaires.h"

#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

int Execute(int argc, char** argv) {
    using namespace t3cli;
    const std::vector<std::string> mots(argv, argv + argc);
    if (mots.size() < 2) return ErreurEtUsage("il manque la commande.");
    const std::string& nom = mots[1];
    if (nom == "--help" || nom == "-h" || nom == "aide") {
        std::fputs(TexteUsage().c_str(), stdout);
        return SortieOk;
    }
    for (const Commande& commande : Commandes())
        if (nom == commande.nom) return commande.executer(Arguments(mots.begin() + 2, mots.end()));
    return ErreurEtUsage("commande inconnue : " + nom);
}

} // namespace

// What the library throws (memory exhausted, a table too large) ends the command with a French message,
// never with the library's own text.
int main(int argc, char** argv) {
    t3::NettoieAuxSignaux();
    try {
        return Execute(argc, argv);
    } catch (const std::bad_alloc&) {
        return t3cli::Erreur("mémoire insuffisante : la commande a été abandonnée.");
    } catch (const std::length_error&) {
        return t3cli::Erreur("mémoire insuffisante : la commande a été abandonnée.");
    } catch (...) {
        return t3cli::Erreur("erreur interne : la commande a été abandonnée.");
    }
}
