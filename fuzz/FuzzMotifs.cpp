// Any bytes as a pattern of the concordance and of the selection of forms, compiled and matched over
// every form and segment entry of a small fixed base (French letters, ligatures, long runs of one
// letter, elisions). Never a crash nor a hang: a pattern that does not compile is refused with its
// message, a search that reaches a limit selects nothing with its message, and otherwise the entries
// selected are exactly those whose graphie each test alone matches, in increasing order.
#include "AideFuzz.h"

#include "Globaux.h"
#include "corpus/FournisseurSegments.h"
#include "corpus/charg1.h"
#include "explore/Motif.h"
#include "segmentation/SegmPrinc.h"

#include <memory>
#include <string>
#include <vector>

using namespace t3;

namespace {

constexpr char Texte[] =
    "<auteur=S\xE9vign\xE9> L'\xE9t\xE9 de la marquise, \x9Cuvre et \x8CUVRE : \xC9T\xC9 \xE0 Paris ; "
    "aaaaaaaaaaaaaaaaaaaaaaaaaaaaab anticonstitutionnellement {ici} \\ \x80 100 "
    "\x85 na\xEFve No\xEBl ma\xEEtre d\xE9j\xE0 \xE7\xE0 l\xE0 _x_ \xAB guillemets \xBB\n";

// Two segments of the base's first forms, as if they had been computed.
class DeuxSegments : public FournisseurSegments {
  public:
    int32_t NbSegments() const override { return 2; }
    std::vector<int32_t> FormesSegment(int32_t k) const override {
        return k == 0   ? std::vector<int32_t>{0, 1}
               : k == 1 ? std::vector<int32_t>{2, 3, 4}
                        : std::vector<int32_t>{};
    }
    std::vector<int32_t> LocOccSeg(int32_t) const override { return {}; }
};

const charg1& Base() {
    static const std::unique_ptr<charg1> base = [] {
        t3fuzz::DansDossierPrive dossier;
        t3fuzz::EcritFichier("corpus.txt", Texte);
        VERIFIE(SegmPrinc("corpus.txt", DelimParDefaut) == ResultatSegm::Ok,
                "the fixed base cannot be written");
        auto chargee = std::make_unique<charg1>();
        VERIFIE(chargee->ChargeBase("corpus.par") == ChargeReussie, "the fixed base is refused");
        static const DeuxSegments segments;
        chargee->AssigneSR(&segments);
        return chargee;
    }();
    return *base;
}

// The text of an entry as the matcher sees it: a form's graphie, a segment's forms each with a blank.
std::string TexteEntree(const charg1& base, int32_t entree) {
    return base.RetourneGraphie(entree, false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const charg1& base = Base();
    const std::string texte(reinterpret_cast<const char*>(donnees), taille);
    const auto motif = Motif::Compile(texte);
    if (!motif) {
        VERIFIE(motif.Code() == MotifIncorrect && !motif.Message().empty(), "refused without its message");
        return 0;
    }
    const auto entrees = motif->Selectionne(base);
    if (!entrees) {
        VERIFIE(entrees.Code() == MotifTropCouteux && !entrees.Message().empty(),
                "stopped without its message");
        return 0;
    }
    // Each entry alone, through the same match block: selected exactly when it matches.
    size_t suivante = 0;
    std::vector<int32_t> candidates;
    for (int32_t f = 0; f < base.Nbform(); ++f)
        candidates.push_back(f);
    for (int32_t k = 0; k < base.NbFormSup(); ++k)
        candidates.push_back(base.Nbart() + 1 + k);
    for (const int32_t entree : candidates) {
        const auto oui = motif->Correspond(TexteEntree(base, entree));
        const bool choisie = suivante < entrees->size() && (*entrees)[suivante] == entree;
        if (choisie) ++suivante;
        // The search met every entry without reaching a limit, and a test's work depends on its text only.
        VERIFIE(oui,
                "entry " + std::to_string(entree) + " stopped alone, not in the search: " + oui.Message());
        VERIFIE(*oui == choisie, "entry " + std::to_string(entree) + (choisie ? " selected" : " left out") +
                                     " but matched alone: " + (*oui ? "yes" : "no"));
    }
    VERIFIE(suivante == entrees->size(), "entries selected out of order or out of range");
    return 0;
}
