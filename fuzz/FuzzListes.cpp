// Any bytes as a list file of the groups of forms, read over a small fixed base whose repeated segments
// are computed. Never a crash: the entries read are exactly those a plain reading finds (each line, its
// line end "\n" or "\r\n" removed, looked for among the graphies of the forms, then compared with the
// text of each segment in list order, with or without its last blank), each once in line order; the
// attached computation's index and an index made for the reading agree; the list read from a file is
// the same; and the list written back from them reads back the same. The input's first byte also
// chooses a path that is not a regular file (a device that never ends, a pipe no one writes to, a
// folder): its reading is refused at once, naming it.
#include "AideFuzz.h"

#include "engine/Globaux.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/CalculSegments.h"
#include "engine/explore/ListeFormes.h"
#include "engine/explore/ParamSR.h"
#include "engine/segmentation/SegmPrinc.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace t3;

namespace {

constexpr char Texte[] =
    "L'\xE9t\xE9 de la marquise . l'\xE9t\xE9 de la marquise , l'\xE9t\xE9 de la nuit .\n"
    "R&D et \x9Cuvre . R&D et \x9Cuvre ! R&D et \x9Cuvre ? la nuit la nuit .\n";

struct BaseFixe {
    charg1 base;
    std::shared_ptr<const CalculSegments> segments;
};

BaseFixe& Base() {
    static const std::unique_ptr<BaseFixe> fixe = [] {
        t3fuzz::DansDossierPrive dossier;
        t3fuzz::EcritFichier("corpus.txt", Texte);
        VERIFIE(SegmPrinc("corpus.txt", DelimParDefaut) == ResultatSegm::Ok,
                "the fixed base cannot be written");
        auto f = std::make_unique<BaseFixe>();
        VERIFIE(f->base.ChargeBase("corpus.par") == ChargeReussie, "the fixed base is refused");
        const auto calcul = CalculeSegments(f->base, JeuDelimiteursSR(f->base), 2, 2);
        VERIFIE(calcul && (*calcul)->NbSegments() > 1, "the fixed base has no segments");
        f->segments = *calcul;
        f->base.AssigneSR(f->segments.get());
        return f;
    }();
    return *fixe;
}

// The same segments, not as a CalculSegments: the reading makes its own index of their texts.
class SegmentsPretes : public FournisseurSegments {
  public:
    explicit SegmentsPretes(const FournisseurSegments& s) : m_s(s) {}
    int32_t NbSegments() const override { return m_s.NbSegments(); }
    std::vector<int32_t> FormesSegment(int32_t k) const override { return m_s.FormesSegment(k); }
    std::vector<int32_t> LocOccSeg(int32_t k) const override { return m_s.LocOccSeg(k); }

  private:
    const FournisseurSegments& m_s;
};

// The plain reading: each line compared with every form, then every segment.
std::vector<int32_t> LectureSimple(const charg1& base, const CalculSegments& segments,
                                   const std::string& octets) {
    std::vector<int32_t> entrees;
    size_t debut = 0;
    while (debut < octets.size()) {
        size_t fin = octets.find('\n', debut);
        if (fin == std::string::npos) fin = octets.size();
        std::string ligne = octets.substr(debut, fin - debut);
        debut = fin + 1;
        if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
        int32_t trouvee = -1;
        for (int32_t f = 0; f < base.Nbform() && trouvee < 0; ++f)
            if (base.Graphie(f) == ligne) trouvee = f;
        for (int32_t k = 0; k < segments.NbSegments() && trouvee < 0; ++k) {
            const std::string texte = segments.RetourneGraphie(k);
            if (!ligne.empty() && (texte == ligne || texte == ligne + " ")) trouvee = base.Nbart() + 1 + k;
        }
        if (trouvee >= 0 && std::find(entrees.begin(), entrees.end(), trouvee) == entrees.end())
            entrees.push_back(trouvee);
    }
    return entrees;
}

// What a byte chooses among the paths that are not a regular file; empty for most bytes. The pipe and
// the folder are made in the current folder.
std::string CheminNonFichier(uint8_t choix) {
    switch (choix % 16) {
    case 1:
        return "/dev/zero";
    case 2:
        VERIFIE(::mkfifo("tube.lst", 0600) == 0, "the pipe cannot be made");
        return "tube.lst";
    case 3:
        std::filesystem::create_directory("dossier.lst");
        return "dossier.lst";
    case 4:
        return "/dev/null";
    default:
        return {};
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    BaseFixe& fixe = Base();
    charg1& base = fixe.base;
    const std::string octets(reinterpret_cast<const char*>(donnees), taille);

    const std::vector<int32_t> entrees = EntreesDeListe(base, octets);
    VERIFIE(entrees == LectureSimple(base, *fixe.segments, octets), "not the entries of a plain reading");

    // The reading's own index of the segments' texts.
    const SegmentsPretes pretes(*fixe.segments);
    base.AssigneSR(&pretes);
    const std::vector<int32_t> parIndexPropre = EntreesDeListe(base, octets);
    base.AssigneSR(fixe.segments.get());
    VERIFIE(parIndexPropre == entrees, "the two indexes of the segments' texts disagree");

    t3fuzz::DansDossierPrive dossier;
    t3fuzz::EcritFichier("liste.lst", octets);
    const auto lue = LitListe("liste.lst", base);
    VERIFIE(lue && *lue == entrees, "the file does not read as its bytes: " + lue.Message());
    const auto ecrite = EcritListe("copie.lst", base, entrees);
    VERIFIE(ecrite, "the list cannot be written: " + ecrite.Message());
    VERIFIE(t3fuzz::LitFichier("copie.lst") == TexteListe(base, entrees), "the file is not the list's text");
    const auto relue = LitListe("copie.lst", base);
    VERIFIE(relue && *relue == entrees, "the list written does not read back the same");

    if (const std::string chemin = CheminNonFichier(taille > 0 ? donnees[0] : 0); !chemin.empty()) {
        const auto refusee = LitListe(chemin, base);
        VERIFIE(!refusee && refusee.Code() == ListeNonLue &&
                    refusee.Message().find("« " + chemin + " »") != std::string::npos,
                chemin + " read as a list: " + refusee.Message());
    }
    return 0;
}
