#include "engine/segmentation/CreationBase.h"

#include "engine/socle/Trace.h"

namespace t3 {

Resultat<CorpusVerifie> VerifieCorpus(const std::string& chemin, Encodage encodage) {
    if (!NomCorpusAcceptable(chemin))
        return Echec{CreationNomIncorrect, MessageSegm(ResultatSegm::NomIncorrect)};
    CorpusVerifie corpus;
    corpus.texte = std::make_unique<TexteCorpus>(chemin, encodage);
    // The trace is never read as a corpus, nor transcoded: the verification refuses it untouched.
    if (!EstLaTrace(chemin) && !corpus.texte->Prepare())
        return Echec{CreationTexteNonConverti, MessageTranscodage(*corpus.texte)};
    const Resultat<int32_t> verification = VerifCles(*corpus.texte, &corpus.messages);
    if (!verification)
        return Echec{verification.Code() == VerifCorpusEstLaTrace ? CreationCorpusEstLaTrace
                                                                  : CreationTexteIllisible,
                     verification.Message()};
    corpus.clesFautives = *verification;
    return corpus;
}

Resultat<BaseCreee> SegmenteCorpus(const TexteCorpus& texte, const OptionsSegmentation& options,
                                   const AccepteCapacite& accepte, const Suivi& suivi) {
    BaseCreee base{TraitPath(texte.Chemin()) + ".par", options.maxart, {}};
    ResultatSegm resultat =
        SegmPrinc(texte, options.delimiteurs, base.maxart, base.infos, options.typographie, suivi);
    if (resultat == ResultatSegm::MaxartDepasse || resultat == ResultatSegm::ZoneTextePleine) {
        const int64_t besoin = CompteArticles(texte, options.delimiteurs, options.typographie, suivi);
        if (suivi.Arrete()) resultat = ResultatSegm::Annulee;
        if (besoin > base.maxart && besoin <= MaxartLimite && accepte && accepte(besoin)) {
            base.maxart = static_cast<int32_t>(besoin);
            resultat =
                SegmPrinc(texte, options.delimiteurs, base.maxart, base.infos, options.typographie, suivi);
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
