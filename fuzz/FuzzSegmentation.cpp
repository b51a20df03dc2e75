// The key verification and the segmentation of an arbitrary corpus text, then the loading of the base
// it wrote. The input is the corpus, byte for byte (built with T3_FUZZ_COUPURES, the corpus is the
// input placed across the first boundary of the reading buffers). When the keys are found sound, the
// segmentation under the default delimiters must succeed and the base must load back holding exactly the
// items that a plain reading of the text gives, in order, each class of entries in its range of the
// dictionary. A text that the detection finds in UTF-8 is read through its transcoding, which must keep
// every line feed and key bracket, give the same text whatever pieces it is fed in, and leave the
// user's file and folder as they were.
#include "AideFuzz.h"

#include "engine/Globaux.h"
#include "engine/corpus/charg1.h"
#include "engine/segmentation/Encodage.h"
#include "engine/segmentation/SegmPrinc.h"
#include "engine/segmentation/TranscodeurUtf8.h"
#include "engine/segmentation/VerifCles.h"
#include "engine/socle/TaillesTampons.h"

#include <filesystem>

#include <algorithm>
#include <array>
#include <cstring>
#include <set>
#include <string>
#include <vector>

using namespace t3;

namespace {

constexpr int32_t Maxart = 1000;

enum class Sorte { Forme, Ponct, Type, Contenu, Ligne };

struct Item {
    Sorte sorte;
    std::string texte;
};

const char* NomSorte(Sorte s) {
    switch (s) {
    case Sorte::Forme:
        return "forme";
    case Sorte::Ponct:
        return "ponctuation";
    case Sorte::Type:
        return "type";
    case Sorte::Contenu:
        return "contenu";
    case Sorte::Ligne:
        return "saut de ligne";
    }
    return "?";
}

// The items of the text read one byte at a time: forms (runs of word characters, cut every 59 bytes),
// line breaks, punctuation signs, and each key as its type and its content without their spaces.
// False when a key would be refused (open at the end, empty part, control character, too long).
bool LitItems(std::string_view texte, std::vector<Item>& items) {
    std::array<bool, 256> mot{};
    for (int c = 33; c < 256; ++c)
        mot[c] = true;
    mot['<'] = mot['>'] = false;
    for (const char* d = DelimParDefaut; *d; ++d)
        mot[static_cast<unsigned char>(*d)] = false;
    const auto octet = [&](size_t i) { return static_cast<unsigned char>(texte[i]); };
    size_t i = 0;
    const size_t n = texte.size();
    while (i < n) {
        const unsigned char c = octet(i);
        if (mot[c]) {
            size_t j = i;
            while (j < n && mot[octet(j)] && j - i < LongueurMaxForme)
                ++j;
            items.push_back({Sorte::Forme, std::string(texte.substr(i, j - i))});
            i = j;
        } else if (c == '\n') {
            items.push_back({Sorte::Ligne, {}});
            ++i;
        } else if (c <= 32) {
            ++i;
        } else if (c == '<') {
            ++i;
            for (const auto& [fin, sorte] : {std::pair{'=', Sorte::Type}, std::pair{'>', Sorte::Contenu}}) {
                std::string partie;
                for (;; ++i) {
                    if (i == n) return false;
                    if (texte[i] == fin) break;
                    if (octet(i) == ' ') continue;
                    if (octet(i) < 32) return false;
                    partie += texte[i];
                }
                ++i;
                if (partie.empty() || partie.size() > LongueurMaxCle) return false;
                items.push_back({sorte, partie});
            }
        } else {
            items.push_back({Sorte::Ponct, std::string(1, static_cast<char>(c))});
            ++i;
        }
    }
    return true;
}

// The range of entries of each class in the loaded base.
struct Plages {
    int32_t debut[4], fin[4];
    explicit Plages(const charg1& b) {
        const int32_t tailles[4] = {b.Nbform(), b.Nbartponct(), b.Nbcle(), b.Nbctnu()};
        int32_t d = 0;
        for (int k = 0; k < 4; ++k) {
            debut[k] = d;
            fin[k] = d += tailles[k];
        }
    }
};

void VerifieBase(const std::vector<Item>& items) {
    charg1 base;
    const int32_t charge = base.ChargeBase("corpus.par");
    VERIFIE(charge == ChargeReussie, "the base just written is refused: " + std::to_string(charge));
    VERIFIE(base.Nbitem() == static_cast<int32_t>(items.size()),
            std::to_string(base.Nbitem()) + " items loaded, " + std::to_string(items.size()) +
                " in the text");

    const Plages plages(base);
    VERIFIE(plages.fin[3] == base.Nbart(), "the classes do not make up the dictionary");
    std::array<std::set<std::string>, 4> distincts;
    int32_t formes = 0, lignes = 0;
    for (int32_t p = 0; p < base.Nbitem(); ++p) {
        const Item& item = items[static_cast<size_t>(p)];
        const int32_t v = base.Tnum(p);
        const std::string ici = "position " + std::to_string(p) + " (" + NomSorte(item.sorte) + " \"" +
                                item.texte + "\") holds " + std::to_string(v);
        if (item.sorte == Sorte::Ligne) {
            VERIFIE(v == Limd + 2 + lignes, ici);
            ++lignes;
            continue;
        }
        const int k = static_cast<int>(item.sorte);
        VERIFIE(v >= plages.debut[k] && v < plages.fin[k], ici);
        VERIFIE(base.Graphie(v) == item.texte, ici + ", read as \"" + std::string(base.Graphie(v)) + "\"");
        distincts[static_cast<size_t>(k)].insert(item.texte);
        formes += item.sorte == Sorte::Forme;
    }
    VERIFIE(base.Nbocc() == formes, "occurrences");
    VERIFIE(base.NbLignes() == lignes, "lines");
    const int32_t attendus[4] = {base.Nbform(), base.Nbartponct(), base.Nbcle(), base.Nbctnu()};
    for (size_t k = 0; k < 4; ++k)
        VERIFIE(static_cast<int32_t>(distincts[k].size()) == attendus[k],
                std::string("entries of class ") + NomSorte(static_cast<Sorte>(k)));

    // The forms by decreasing frequency, equal frequencies in lexicographic order; every entry of the
    // dictionary is met in the text exactly as often as it says.
    for (int32_t e = 0; e + 1 < base.Nbform(); ++e) {
        const Lexm a = base.RetourneLexm(e), b = base.RetourneLexm(e + 1);
        VERIFIE(a.frq > b.frq || (a.frq == b.frq && a.lexg < b.lexg),
                "forms " + std::to_string(e) + " and " + std::to_string(e + 1) + " out of order");
    }
    for (int32_t e = 0; e < base.Nbart(); ++e)
        VERIFIE(static_cast<int32_t>(base.Occurrences(e).size()) == base.RetourneFrq(e),
                "frequency of entry " + std::to_string(e));
}

// The text as the segmentation reads it: transcoded when the detection finds it in UTF-8. The detection
// given the text in two pieces, and the transcoding given it in two pieces, must agree with the whole.
std::string TexteLu(std::string_view corpus) {
    const Encodage encodage = DetecteEncodageTexte(corpus);
    const size_t coupe = corpus.empty() ? 0 : std::hash<std::string_view>{}(corpus) % corpus.size();
    DetecteurUtf8 detecteur;
    const size_t tete = std::max<size_t>(coupe, std::min<size_t>(3, corpus.size()));
    const std::string_view premier = corpus.substr(0, tete);
    const size_t lus = detecteur.Avance(premier, tete == corpus.size());
    if (tete < corpus.size())
        detecteur.Avance(std::string(premier.substr(lus)) + std::string(corpus.substr(tete)), true);
    VERIFIE(detecteur.Verdict() == encodage, "the detection depends on the pieces it is given");
    TranscodeurUtf8 detectant; // the transcoding detects on its way, as the preparation of a text does
    std::string sortie;
    detectant.Convertit(corpus, true, sortie);
    VERIFIE(detectant.Verdict() == encodage, "the transcoding and the detection disagree");
    if (encodage != Encodage::Utf8) return std::string(corpus);

    RapportRemplacements rapport;
    const std::string lu = TranscodeUtf8(corpus, &rapport);
    TranscodeurUtf8 morceaux;
    std::string parMorceaux;
    morceaux.Convertit(corpus.substr(0, coupe), false, parMorceaux);
    morceaux.Convertit(corpus.substr(coupe), true, parMorceaux);
    VERIFIE(parMorceaux == lu, "the transcoding depends on the pieces it is given");
    VERIFIE(morceaux.Rapport().total == rapport.total, "the report depends on the pieces");
    for (const char c : {'\n', '<', '>'})
        VERIFIE(std::count(lu.begin(), lu.end(), c) == std::count(corpus.begin(), corpus.end(), c),
                std::string("the transcoding changed the count of ") +
                    (c == '\n' ? "line feeds" : "brackets"));
    VERIFIE(rapport.total == 0 || rapport.lignePremier >= 1, "a replacement without its line");
    return lu;
}

// Only the corpus, the trace and the base are left in the folder.
void VerifieDossier(std::string_view corpus) {
    VERIFIE(t3fuzz::LitFichier("corpus.txt") == corpus, "the user's file was changed");
    for (const auto& f : std::filesystem::directory_iterator("."))
        VERIFIE(f.path().filename().string().rfind("xxxx", 0) != 0,
                "a temporary file is left: " + f.path().string());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    std::string_view texte(reinterpret_cast<const char*>(donnees), taille);
#ifdef T3_FUZZ_COUPURES
    // Both readers of the text fill buffers of TailleTamponLecture bytes. The text goes behind enough
    // blanks (which make no item) for its byte at the offset given by the first two bytes of the input to
    // begin the second buffer: forms, keys and line ends are then cut wherever the fuzzer likes.
    if (taille < 2) return 0;
    const size_t coupure =
        (donnees[0] | size_t{donnees[1]} << 8) % std::min(taille - 1, TailleTamponLecture + 1);
    texte.remove_prefix(2);
    std::string corpus(TailleTamponLecture - coupure, ' ');
    corpus += texte;
#else
    const std::string_view corpus = texte;
#endif
    t3fuzz::DansDossierPrive dossier;
    t3fuzz::EcritFichier("corpus.txt", corpus);

    std::vector<MessageCle> messages;
    const Resultat<int32_t> verification = VerifCles("corpus.txt", &messages);
    VERIFIE(verification.Reussi(), "the text was written but cannot be verified");
    const int32_t erreurs = *verification;
    const auto nbErreurs =
        std::count_if(messages.begin(), messages.end(), [](const MessageCle& m) { return m.erreur; });
    VERIFIE(nbErreurs == erreurs, "the errors reported do not make up the count");
    if (erreurs != 0) return 0;

    std::vector<Item> items;
    const std::string lu = TexteLu(corpus);
    const bool lisible = LitItems(lu, items);
    const ResultatSegm resultat = SegmPrinc("corpus.txt", DelimParDefaut, Maxart);
    VERIFIE(resultat != ResultatSegm::CleIncorrecte && resultat != ResultatSegm::CleTropLongue,
            std::string("keys found sound, then refused: ") + MessageSegm(resultat));
    VERIFIE(lisible, "keys found sound and segmented, yet one of them cannot be read");
    if (resultat == ResultatSegm::MaxartDepasse || resultat == ResultatSegm::ZoneTextePleine) return 0;
    VERIFIE(resultat == ResultatSegm::Ok, MessageSegm(resultat));
    VerifieDossier(corpus);
    VerifieBase(items);
    return 0;
}
