#include "engine/segmentation/CreationBase.h"

#include "engine/socle/Trace.h"

#include <filesystem>

namespace t3 {

namespace {

std::string NonLu(const std::string& chemin) {
    std::error_code erreur;
    if (std::filesystem::is_directory(chemin, erreur))
        return "« " + chemin + " » est un dossier, pas un fichier texte.";
    return "Le fichier « " + chemin + " » ne peut pas être lu.";
}

} // namespace

Resultat<CorpusVerifie> VerifieCorpus(const std::string& chemin, Encodage encodage) {
    if (!NomCorpusAcceptable(chemin))
        return Echec{CreationNomIncorrect, MessageSegm(ResultatSegm::NomIncorrect)};
    CorpusVerifie corpus;
    corpus.texte = std::make_unique<TexteCorpus>(chemin, encodage);
    // The trace is never read as a corpus, nor transcoded: the verification refuses it untouched.
    if (!EstLaTrace(chemin) && !corpus.texte->Prepare())
        return Echec{CreationTexteNonConverti, MessageTranscodage(*corpus.texte)};
    corpus.clesFautives = VerifCles(*corpus.texte, &corpus.messages);
    if (corpus.clesFautives == VerifCorpusEstLaTrace)
        return Echec{CreationCorpusEstLaTrace, MessageSegm(ResultatSegm::CorpusEstLaTrace)};
    if (corpus.clesFautives < 0) return Echec{CreationTexteIllisible, NonLu(chemin)};
    return corpus;
}

Resultat<BaseCreee> SegmenteCorpus(const TexteCorpus& texte, const OptionsSegmentation& options,
                                   const AccepteCapacite& accepte) {
    BaseCreee base{TraitPath(texte.Chemin()) + ".par", options.maxart, {}};
    ResultatSegm resultat =
        SegmPrinc(texte, options.delimiteurs, base.maxart, base.infos, options.typographie);
    if (resultat == ResultatSegm::MaxartDepasse || resultat == ResultatSegm::ZoneTextePleine) {
        const int64_t besoin = CompteArticles(texte, options.delimiteurs, options.typographie);
        if (besoin > base.maxart && besoin <= MaxartLimite && accepte && accepte(besoin)) {
            base.maxart = static_cast<int32_t>(besoin);
            resultat = SegmPrinc(texte, options.delimiteurs, base.maxart, base.infos, options.typographie);
        }
    }
    if (resultat != ResultatSegm::Ok) {
        const std::string cause = CauseEcriture(base.infos.causeEcriture);
        return Echec{static_cast<int32_t>(resultat),
                     std::string(MessageSegm(resultat)) + (cause.empty() ? "" : "\nCause : " + cause + ".")};
    }
    return base;
}

} // namespace t3
