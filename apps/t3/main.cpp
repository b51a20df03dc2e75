// t3: the command line of the workbench's engine.
#include "Globaux.h"
#include "segmentation/Cp1252.h"
#include "segmentation/SegmPrinc.h"
#include "segmentation/VerifCles.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int SortieOk = 0;
constexpr int SortieClesIncorrectes = 1;
constexpr int SortieEchec = 2;

constexpr const char* Usage =
    "Usage : t3 COMMANDE [OPTIONS]\n"
    "\n"
    "Commandes :\n"
    "  verifie CORPUS      vérifie les clés <type=contenu> du corpus (compte rendu dans atrace.txt)\n"
    "  segmente CORPUS [--delimiteurs=CHAINE] [--maxart=N]\n"
    "                      vérifie les clés, puis segmente le corpus en une base (.dic, .num, .par)\n"
    "                      écrite dans le dossier courant\n"
    "  --help              affiche cette aide\n"
    "\n"
    "Le corpus est un texte en Windows-1252. Les délimiteurs par défaut sont .,:;!?/_-\\\"'()[]{}§$ ;\n"
    "le nombre maximum d'articles par défaut est 100000.\n"
    "Code de sortie : 0 en cas de succès, 1 si des clés sont incorrectes, 2 pour toute autre erreur.\n";

void Affiche(std::FILE* flux, std::string_view texteCp1252) {
    const std::string utf8 = t3::Cp1252VersUtf8(texteCp1252);
    std::fwrite(utf8.data(), 1, utf8.size(), flux);
}

int Erreur(const std::string& message) {
    std::fprintf(stderr, "t3 : %s\n", message.c_str());
    return SortieEchec;
}

// Runs the key verification and prints what it found; returns the exit status.
int Verifie(const std::string& corpus) {
    std::vector<t3::MessageCle> messages;
    const int32_t erreurs = t3::VerifCles(corpus, &messages);
    if (erreurs < 0) return Erreur("le fichier " + corpus + " ne peut être ouvert.");
    for (const auto& message : messages) Affiche(stdout, message.texte);
    if (!messages.empty()) std::fputc('\n', stdout);
    std::printf("Clés incorrectes : %ld\n", static_cast<long>(erreurs));
    if (erreurs > 0) {
        std::printf("Problème dans les clefs.\nConsultez atrace.txt\n");
        return SortieClesIncorrectes;
    }
    return SortieOk;
}

bool LitEntier(std::string_view texte, int32_t& valeur) {
    const auto [fin, erreur] = std::from_chars(texte.data(), texte.data() + texte.size(), valeur);
    return erreur == std::errc() && fin == texte.data() + texte.size();
}

int Segmente(const std::vector<std::string>& args) {
    std::string corpus;
    std::string delimiteurs = t3::DelimParDefaut;
    int32_t maxart = t3::Options.Maxart;
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--delimiteurs=", 0) == 0) {
            delimiteurs = t3::Utf8VersCp1252(a.substr(std::strlen("--delimiteurs=")));
        } else if (a.rfind("--maxart=", 0) == 0) {
            if (!LitEntier(std::string_view(a).substr(std::strlen("--maxart=")), maxart))
                return Erreur("la valeur de --maxart n'est pas un nombre entier : " + a);
        } else if (corpus.empty() && a.rfind("--", 0) != 0) {
            corpus = a;
        } else {
            return Erreur("argument inattendu : " + a + "\n" + Usage);
        }
    }
    if (corpus.empty()) return Erreur(std::string("il manque le corpus à segmenter.\n") + Usage);

    const int statut = Verifie(corpus);
    if (statut != SortieOk) return statut;
    const t3::ResultatSegm resultat = t3::SegmPrinc(corpus, delimiteurs, maxart);
    if (resultat != t3::ResultatSegm::Ok) return Erreur(std::string(t3::MessageSegm(resultat)) + " Consultez atrace.txt");
    Affiche(stdout, t3::ResumeSegmentation(t3::TraitPath(corpus) + ".par"));
    std::fputc('\n', stdout);
    return SortieOk;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv, argv + argc);
    if (args.size() < 2) return Erreur(std::string("il manque la commande.\n") + Usage);
    const std::string& commande = args[1];
    if (commande == "--help" || commande == "-h" || commande == "aide") {
        std::fputs(Usage, stdout);
        return SortieOk;
    }
    if (commande == "verifie") {
        if (args.size() != 3) return Erreur(std::string("verifie attend un seul corpus.\n") + Usage);
        return Verifie(args[2]);
    }
    if (commande == "segmente") return Segmente(args);
    return Erreur("commande inconnue : " + commande + "\n" + Usage);
}
