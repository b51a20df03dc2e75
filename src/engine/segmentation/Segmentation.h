#pragma once
// One run of the segmentation, whose jobs lie in three files: the dictionary's build and sort
// (SegmDico.cpp), the writing of the base files (SegmFichiers.cpp), and the run itself with its lock and
// the placement of the base (SegmPrinc.cpp). Internal to the segmentation: the rest of the engine goes
// through SegmPrinc.h.
#include "engine/segmentation/SegmPrinc.h"
#include "engine/segmentation/TableJetons.h"
#include "engine/socle/GrandesPages.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace t3 {

class CollationFr;
class DecoupeurTexte;
class TexteCorpus;
struct Morceau;

// The run's own types, apart from the rest of the engine.
namespace segm {

inline constexpr unsigned char ClasseForme = '0', ClassePonct = '1', ClasseType = '2', ClasseContenu = '3',
                               ClasseLemme = '4', ClasseCategorie = '5';
inline constexpr const char* NomTxn = "xxxx.txn";
// Bytes past the string zone that the comparisons of the lookup table may read.
inline constexpr int64_t MargeZone = 16;

struct Article {
    char* texte; // class digit then text, in the string zone; past the class digit after grouping
    int32_t frq;
    int32_t rangLex;
    int32_t numero;
    int32_t index;
    int32_t suiv;   // kept at the nil value: the lookup table finds the articles
    uint32_t hache; // hash of the prefixed text
};

// Runs autre on a second thread while this one runs ici, or both on this one when the work is too small
// to be worth a thread (deuxFils false) or no thread can be started; returns once both are done, with
// the first exception either of them threw.
template <class F, class G> void EnParallele(F&& autre, G&& ici, bool deuxFils = true) {
    std::exception_ptr erreurAutre;
    std::thread fil;
    const auto lanceAutre = [&] {
        try {
            autre();
        } catch (...) {
            erreurAutre = std::current_exception();
        }
    };
    try {
        if (deuxFils) fil = std::thread(lanceAutre);
    } catch (const std::system_error&) {
    }
    if (!fil.joinable()) lanceAutre();
    std::exception_ptr erreurIci;
    try {
        ici();
    } catch (...) {
        erreurIci = std::current_exception();
    }
    if (fil.joinable()) fil.join();
    if (erreurAutre) std::rethrow_exception(erreurAutre);
    if (erreurIci) std::rethrow_exception(erreurIci);
}

inline std::string NomFichier(const std::string& bn, const char* extension) {
    return bn + extension;
}

class EcrivainCodes;

// The progress of a pass over a text: a call each hundredth of its bytes read.
class CentiemesLus {
  public:
    explicit CentiemesLus(const std::string& chemin);
    void Lu(size_t octets, const Progression& progression);

  private:
    int64_t m_taille = 0, m_lus = 0, m_centiemes = 0;
};

// One run of the segmentation: its tables and counters, each run starting from nothing.
class Segmentation {
  public:
    Segmentation(int32_t maxart, bool typographie, const Suivi& suivi = {})
        : m_maxart(maxart), m_nil(maxart + 1), m_typographie(typographie), m_suivi(suivi) {}
    ~Segmentation() { FermeFichiers(); }

    ResultatSegm Execute(const TexteCorpus& texte, const std::string& delimiteurs);
    InfosSegm Infos() const {
        InfosSegm infos = m_infos;
        infos.causeEcriture = m_cause.load();
        return infos;
    }

  private:
    bool AllocTab();
    ResultatSegm SegmText(const TexteCorpus& texte, const std::string& delimiteurs);
    ResultatSegm Parcourt(DecoupeurTexte& decoupeur, EcrivainCodes& txn);
    bool Resout(Morceau& morceau);
    int32_t Cherche(unsigned char classe, const unsigned char* p, size_t n, uint32_t h);
    int32_t Ajoute(unsigned char classe, const unsigned char* p, size_t n, uint32_t h);
    void ComptePonctuations();
    void CompteClasses();
    void Groupe();
    void TravDico();
    void TriLexicographique(int32_t debut, int32_t fin, std::array<CollationFr, 2>& collations);
    ResultatSegm NumeDefT(const std::string& bn, const std::string& delimiteurs);
    ResultatSegm EcriDicNum(const std::string& bn, std::string& trace) const;
    ResultatSegm EcriTexNum(const std::string& bn, std::string& trace) const;
    ResultatSegm EcriParam(const std::string& bn, const std::string& delimiteurs);
    ResultatSegm MetEnPlace(const std::string& bn);
    void Desalloc();
    void EffaceTxn();
    void FermeFichiers();
    bool FermeSortie(bool ecrit);
    void EffaceProvisoires(const std::string& bn);
    ResultatSegm Refuse(ResultatSegm resultat);
    // Steps the progress by a chunk of text read; false, the run refused as cancelled, once a stop is asked.
    bool Lu(const Morceau& morceau);
    // Steps the progress at the end of a stage; false, the run refused as cancelled, once a stop is asked.
    bool Continue();
    int32_t NbArticles() const { return m_dernier + 1; }
    // The passes over list1 visit the records in no memory order: their records are fetched ahead. Always
    // inlined, like every function that only prefetches: the compiler counts such a function free of
    // side effects and may delete a call to it as dead.
    static constexpr int32_t DistancePrefetch = 16;
    [[gnu::always_inline]] void PrepareArticle(int32_t k) const {
        if (k < NbArticles()) __builtin_prefetch(&m_ptrzon2[m_list1[k]]);
    }

    const int32_t m_maxart;
    const int32_t m_nil;
    const bool m_typographie;
    const Suivi m_suivi;
    std::optional<CentiemesLus> m_lecture;
    ResultatSegm m_refus = ResultatSegm::Ok;

    TableauGrandesPages<Article> m_ptrzon2;
    TableauGrandesPages<int32_t> m_list, m_list1;                      // article indexes
    TableauGrandesPages<char> m_msg;                                   // the string zone
    std::vector<uint8_t, AllocateurGrandesPages<uint8_t>> m_longueurs; // text length of each article
    size_t m_zoneUtilisee = 0;
    TableJetons m_table;
    std::array<bool, 256> m_mot{};
    std::array<int32_t, 256> m_cptPonct{};
    InfosSegm m_infos;
    // The first cause of a write failure, noted by either writing thread.
    mutable std::atomic<int> m_cause{0};
    void NoteCause(int erreur) const {
        int aucune = 0;
        if (erreur != 0) m_cause.compare_exchange_strong(aucune, erreur);
    }

    int32_t m_nbItems = 0, m_nbItemsSansAnnot = 0, m_dernier = -1, m_nbOcc = 0, m_nbForm = 0, m_nbPonct = 0,
            m_nbCle = 0, m_nbCtnu = 0, m_nhap = 0, m_nbLemm = 0, m_nbCatg = 0, m_fmax = 0;

    std::FILE* m_sortie = nullptr;
};

} // namespace segm
} // namespace t3
