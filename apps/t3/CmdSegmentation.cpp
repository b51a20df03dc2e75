// t3 verifie and t3 segmente.
#include "Commandes.h"

#include "Globaux.h"
#include "segmentation/Cp1252.h"
#include "segmentation/SegmPrinc.h"
#include "segmentation/Trace.h"
#include "segmentation/VerifCles.h"

#include <algorithm>
#include <filesystem>

namespace t3cli {

namespace {

// Where the details are: the trace, unless it could not be written in this folder (read-only).
std::string RenvoiTrace() {
    std::FILE* f = std::fopen(t3::NomTrace, "ab");
    if (!f) return "La trace atrace.txt n'a pu être écrite dans ce dossier : aucun détail n'est disponible.";
    std::fclose(f);
    return "Consultez atrace.txt";
}

// Runs the key verification and prints what it found; returns the exit status.
int Verifie(const std::string& corpus) {
    std::vector<t3::MessageCle> messages;
    const int32_t erreurs = t3::VerifCles(corpus, &messages);
    if (erreurs == t3::VerifCorpusEstLaTrace)
        return Erreur(t3::MessageSegm(t3::ResultatSegm::CorpusEstLaTrace));
    std::error_code erreur;
    if (erreurs < 0 && std::filesystem::exists(corpus, erreur) &&
        !std::filesystem::is_regular_file(corpus, erreur))
        return Erreur(corpus + " n'est pas un fichier texte.");
    if (erreurs < 0) return Erreur("le fichier " + corpus + " ne peut être ouvert.");
    for (const auto& message : messages)
        Affiche(stdout, message.texte);
    if (!messages.empty()) std::fputc('\n', stdout);
    std::printf("Clés incorrectes : %ld\n", static_cast<long>(erreurs));
    if (erreurs > 0) {
        std::printf("Problème dans les clefs.\n%s\n", RenvoiTrace().c_str());
        return SortieClesIncorrectes;
    }
    return SortieOk;
}

int ExecuteVerifie(const Arguments& args) {
    if (args.size() != 1) return Erreur("verifie attend un seul corpus.\n" + TexteUsage());
    return Verifie(args[0]);
}

// The capacity the text needs, within what a segmentation accepts (at least 1).
int32_t CapaciteNecessaire(const std::string& corpus, const std::string& delimiteurs) {
    const int64_t besoin = t3::CompteArticles(corpus, delimiteurs);
    return static_cast<int32_t>(std::clamp<int64_t>(besoin, 1, t3::MaxartLimite));
}

int ExecuteSegmente(const Arguments& args) {
    std::string corpus, valeur;
    std::string delimiteurs = t3::DelimParDefaut;
    int32_t maxart = t3::Options.Maxart;
    bool capaciteAuto = false;
    for (const std::string& a : args) {
        if (Option(a, "delimiteurs", valeur)) {
            if (const std::string faute = LitDelimiteurs(valeur, delimiteurs); !faute.empty())
                return Erreur(faute);
        } else if (Option(a, "maxart", valeur)) {
            capaciteAuto = valeur == "auto";
            if (!capaciteAuto && !LitEntier(valeur, maxart))
                return Erreur("la valeur de --maxart n'est pas un nombre entier : " + valeur);
        } else if (corpus.empty() && a.rfind("--", 0) != 0) {
            corpus = a;
        } else {
            return Erreur("argument inattendu : " + a + "\n" + TexteUsage());
        }
    }
    if (corpus.empty()) return Erreur("il manque le corpus à segmenter.\n" + TexteUsage());
    // The options are checked before the keys of the whole corpus are.
    if (!capaciteAuto && (maxart < 1 || maxart > t3::MaxartLimite))
        return Erreur(t3::MessageSegm(t3::ResultatSegm::MaxartInvalide));

    const int statut = Verifie(corpus);
    if (statut != SortieOk) return statut;
    // "auto": the tables sized from the text, which is read once more for it.
    if (capaciteAuto) maxart = CapaciteNecessaire(corpus, delimiteurs);
    t3::InfosSegm infos;
    const t3::ResultatSegm resultat = t3::SegmPrinc(corpus, delimiteurs, maxart, infos);
    if (resultat == t3::ResultatSegm::MaxartDepasse || resultat == t3::ResultatSegm::ZoneTextePleine) {
        const std::string besoin = std::to_string(CapaciteNecessaire(corpus, delimiteurs));
        // The workbench's message sends the user to the options; here the capacity is --maxart.
        return Erreur("le texte demande plus d'articles que --maxart=" + std::to_string(maxart) +
                      " : il en demande " + besoin + " ; relancez avec --maxart=" + besoin +
                      " (ou --maxart=auto).\n" + RenvoiTrace());
    }
    if (resultat != t3::ResultatSegm::Ok) {
        // A write failure says its cause: a full disk, a read-only folder.
        const std::string cause = t3::CauseEcriture(infos.causeEcriture);
        return Erreur(std::string(t3::MessageSegm(resultat)) +
                      (cause.empty() ? "" : "\nCause : " + cause + ".") + "\n" + RenvoiTrace());
    }
    Affiche(stdout, t3::ResumeSegmentation(t3::TraitPath(corpus) + ".par"));
    std::fputc('\n', stdout);
    if (const std::string avertissement = t3::AvertissementCoupes(infos); !avertissement.empty())
        std::printf("%s\n", avertissement.c_str());
    return SortieOk;
}

} // namespace

T3_COMMANDE(
    10, "verifie",
    "  verifie CORPUS      vérifie les clés <type=contenu> du corpus (compte rendu dans atrace.txt)\n",
    ExecuteVerifie);
T3_COMMANDE(
    20, "segmente",
    "  segmente CORPUS [--delimiteurs=CHAINE] [--maxart=N|auto]\n"
    "                      vérifie les clés, puis segmente le corpus en une base (.dic, .num, .par)\n"
    "                      écrite dans le dossier courant ; délimiteurs par défaut .,:;!?/_-\\\"'()[]{}§$,\n"
    "                      au plus 100000 articles par défaut (auto : autant qu'il en faut au texte)\n",
    ExecuteSegmente);

} // namespace t3cli
