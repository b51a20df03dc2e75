// t3 verifie and t3 segmente.
#include "Commandes.h"

#include "engine/Globaux.h"
#include "engine/segmentation/CreationBase.h"
#include "engine/socle/Cp1252.h"
#include "engine/socle/Trace.h"

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

// What the reading of a text in UTF-8 tells the user: its encoding and what its transcoding replaced.
void AfficheEncodage(const t3::TexteCorpus& texte) {
    if (!texte.RaisonCp1252().empty()) std::printf("%s\n", texte.RaisonCp1252().c_str());
    if (!texte.Transcode()) return;
    std::printf("Texte en UTF-8, converti en Windows-1252.\n");
    if (const std::string message = t3::MessageRemplacements(texte.Rapport()); !message.empty())
        std::printf("%s\n", message.c_str());
}

// The encoding of --encodage=, or the French fault.
t3::Resultat<t3::Encodage> LitOptionEncodage(const std::string& valeur) {
    if (t3::Encodage encodage; t3::LitEncodage(valeur, encodage)) return encodage;
    return Faute("la valeur de --encodage doit être auto, cp1252 ou utf8 : " + valeur);
}

OptionCommande OptionEncodage(t3::Encodage& encodage) {
    return {"encodage=",
            [&encodage](const std::string& valeur) { return Retient(encodage, LitOptionEncodage(valeur)); }};
}

// Reads the text and verifies its keys, printing what the verification found; the exit status, and the
// text read when it could be read.
int Verifie(const std::string& chemin, t3::Encodage encodage, std::unique_ptr<t3::TexteCorpus>& texte) {
    t3::Resultat<t3::CorpusVerifie> verifie = t3::VerifieCorpus(chemin, encodage);
    if (!verifie) return Erreur(Minuscule(verifie.Message()));
    t3::CorpusVerifie& corpus = verifie.Valeur();
    for (const auto& message : corpus.messages)
        Affiche(stdout, message.texte);
    if (!corpus.messages.empty()) std::fputc('\n', stdout);
    std::printf("Clés incorrectes : %ld\n", static_cast<long>(corpus.clesFautives));
    texte = std::move(corpus.texte);
    if (corpus.clesFautives > 0) {
        std::printf("Problème dans les clefs.\n%s\n", RenvoiTrace().c_str());
        return SortieClesIncorrectes;
    }
    return SortieOk;
}

int ExecuteVerifie(const Arguments& args) {
    std::string corpus;
    t3::Encodage encodage = t3::Encodage::Auto;
    const Lu lus = LitArguments(args, {OptionEncodage(encodage)},
                                [&corpus](const std::string& a) { return Remplit(corpus, a); });
    if (!lus && lus.Code() != ArgumentInattendu) return Erreur(lus.Message());
    if (!lus || corpus.empty()) return ErreurEtUsage("verifie attend un seul corpus.");
    std::unique_ptr<t3::TexteCorpus> texte;
    const int statut = Verifie(corpus, encodage, texte);
    if (texte) AfficheEncodage(*texte);
    return statut;
}

// The capacity the text needs, within what a segmentation accepts (at least 1).
int32_t CapaciteNecessaire(const t3::TexteCorpus& corpus, const std::string& delimiteurs, bool typographie) {
    const int64_t besoin = t3::CompteArticles(corpus, delimiteurs, typographie);
    return static_cast<int32_t>(std::clamp<int64_t>(besoin, 1, t3::MaxartLimite));
}

int ExecuteSegmente(const Arguments& args) {
    std::string corpus;
    std::string delimiteurs = t3::DelimParDefaut;
    int32_t maxart = t3::Options.Maxart;
    bool capaciteAuto = false, typographie = false;
    t3::Encodage encodage = t3::Encodage::Auto;
    const Lu lus = LitArguments(
        args,
        {{"delimiteurs=",
          [&](const std::string& valeur) { return Retient(delimiteurs, LitDelimiteurs(valeur)); }},
         {"maxart=",
          [&](const std::string& valeur) -> Lu {
              capaciteAuto = valeur == "auto";
              if (!capaciteAuto && !LitEntier(valeur, maxart))
                  return Faute("la valeur de --maxart n'est pas un nombre entier : " + valeur);
              return {};
          }},
         OptionEncodage(encodage),
         Drapeau("typographie", typographie)},
        [&corpus](const std::string& a) { return Remplit(corpus, a); });
    // A value refused is the whole message; a word the command does not take comes with the usage.
    if (!lus) return lus.Code() == ArgumentInattendu ? ErreurEtUsage(lus.Message()) : Erreur(lus.Message());
    if (corpus.empty()) return ErreurEtUsage("il manque le corpus à segmenter.");
    // The options are checked before the keys of the whole corpus are.
    if (!capaciteAuto && (maxart < 1 || maxart > t3::MaxartLimite))
        return Erreur(t3::MessageSegm(t3::ResultatSegm::MaxartInvalide));

    // One transcoding serves the verification, the count and the segmentation.
    std::unique_ptr<t3::TexteCorpus> texte;
    if (const int statut = Verifie(corpus, encodage, texte); statut != SortieOk) return statut;
    // "auto": the tables sized from the text, which is read once more for it.
    if (capaciteAuto) maxart = CapaciteNecessaire(*texte, delimiteurs, typographie);
    // The capacity is never raised without the user's word: here, --maxart.
    int64_t besoin = -1;
    const t3::Resultat<t3::BaseCreee> base =
        t3::SegmenteCorpus(*texte, {delimiteurs, maxart, typographie}, [&besoin](int64_t n) {
            besoin = n;
            return false;
        });
    if (base.Code() == static_cast<int32_t>(t3::ResultatSegm::MaxartDepasse) ||
        base.Code() == static_cast<int32_t>(t3::ResultatSegm::ZoneTextePleine)) {
        const std::string n =
            std::to_string(besoin > 0 ? besoin : CapaciteNecessaire(*texte, delimiteurs, typographie));
        // The workbench's message sends the user to the options; here the capacity is --maxart.
        return Erreur("le texte demande plus d'articles que --maxart=" + std::to_string(maxart) +
                      " : il en demande " + n + " ; relancez avec --maxart=" + n + " (ou --maxart=auto).\n" +
                      RenvoiTrace());
    }
    if (!base) return Erreur(base.Message() + "\n" + RenvoiTrace());
    Affiche(stdout, t3::ResumeSegmentation(t3::TraitPath(corpus) + ".par"));
    std::fputc('\n', stdout);
    AfficheEncodage(*texte);
    if (const std::string avertissement = t3::AvertissementCoupes(base->infos); !avertissement.empty())
        std::printf("%s\n", avertissement.c_str());
    return SortieOk;
}

} // namespace

T3_COMMANDE(
    10, "verifie",
    "  verifie CORPUS [--encodage=auto|cp1252|utf8]\n"
    "                      vérifie les clés <type=contenu> du corpus (compte rendu dans atrace.txt) ;\n"
    "                      un texte en UTF-8 est reconnu (auto) et lu converti en Windows-1252\n",
    ExecuteVerifie);
T3_COMMANDE(
    20, "segmente",
    "  segmente CORPUS [--delimiteurs=CHAINE] [--maxart=N|auto] [--encodage=auto|cp1252|utf8]\n"
    "                  [--typographie]\n"
    "                      vérifie les clés, puis segmente le corpus en une base (.dic, .num, .par)\n"
    "                      écrite dans le dossier courant ; délimiteurs par défaut .,:;!?/_-\\\"'()[]{}§$,\n"
    "                      au plus 100000 articles par défaut (auto : autant qu'il en faut au texte) ;\n"
    "                      --typographie : espaces insécables lues comme des blancs, « » ’ “ ” …\n"
    "                      ajoutés aux délimiteurs\n",
    ExecuteSegmente);

} // namespace t3cli
