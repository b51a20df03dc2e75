#include "segmentation/SegmPrinc.h"

#include "Globaux.h"
#include "segmentation/CollationFr.h"
#include "segmentation/DecoupeurTexte.h"
#include "segmentation/FileMorceaux.h"
#include "segmentation/PlacementBase.h"
#include "segmentation/TableJetons.h"
#include "segmentation/TexteCorpus.h"
#include "socle/Cp1252.h"
#include "socle/GrandesPages.h"
#include "socle/RemplaceFichier.h"
#include "socle/TaillesTampons.h"
#include "socle/Trace.h"
#include "socle/VerrousDossier.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <unordered_set>
#include <vector>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace t3 {

static_assert(std::endian::native == std::endian::little, "the numbered text is written little-endian");

const char* MessageSegm(ResultatSegm resultat) {
    switch (resultat) {
    case ResultatSegm::Ok:
        return "Segmentation terminée.";
    case ResultatSegm::TexteNonOuvert:
        return "Le fichier texte ne peut être lu.";
    case ResultatSegm::TxnNonOuvert:
        return "Le fichier temporaire xxxx.txn ne peut être écrit dans le dossier courant.";
    case ResultatSegm::BaseNonEcrite:
        return "Les fichiers de la base ne peuvent être écrits dans le dossier courant.";
    case ResultatSegm::MaxartInvalide:
        return "Le nombre maximum d'articles doit être compris entre 1 et 4999740.";
    case ResultatSegm::MemoireInsuffisante:
        return "Mémoire insuffisante pour le nombre maximum d'articles demandé.";
    case ResultatSegm::MaxartDepasse:
        return "Le texte compte plus d'articles que le nombre maximum d'articles.\n"
               "Augmentez-le dans les options.";
    case ResultatSegm::ZoneTextePleine:
        return "Les textes des articles dépassent la place prévue (40 octets par article).\n"
               "Augmentez le nombre maximum d'articles dans les options.";
    case ResultatSegm::CleTropLongue:
        return "Une clé a un type ou un contenu de plus de 126 caractères.";
    case ResultatSegm::CleIncorrecte:
        return "Une clé est vide ou n'est pas fermée.";
    case ResultatSegm::TexteTropLong:
        return "Le texte compte trop d'items pour une base.";
    case ResultatSegm::CorpusEcrase:
        return "Un fichier de la base remplacerait le texte du corpus : renommez le corpus.";
    case ResultatSegm::SegmentationEnCours:
        return "Une autre segmentation est en cours dans ce dossier : attendez qu'elle se termine.";
    case ResultatSegm::CorpusEstLaTrace:
        return "Le corpus est le fichier de la trace (atrace.txt), qui l'effacerait : renommez le corpus.";
    case ResultatSegm::TexteNonConverti:
        return "Le texte en UTF-8 ne peut être converti en Windows-1252 : le fichier temporaire ne peut être "
               "écrit.";
    case ResultatSegm::NomIncorrect:
        return "Le nom du corpus contient un saut de ligne : renommez-le avant de le segmenter.";
    }
    return "Erreur inconnue.";
}

namespace {

// mot[c]: c is a word character under these delimiters; blanks, controls and the key brackets never are.
std::array<bool, 256> TableMot(const std::string& delimiteurs) {
    std::array<bool, 256> mot{};
    for (int c = 33; c < 256; ++c)
        mot[c] = true;
    mot['<'] = mot['>'] = false;
    for (unsigned char c : delimiteurs)
        mot[c] = false;
    return mot;
}

// The trace lines of a text read through its transcoding: its encoding, and what was replaced.
void TraceEncodage(const TexteCorpus& texte) {
    if (!texte.RaisonCp1252().empty()) TraceTexte("\n" + Utf8VersCp1252(texte.RaisonCp1252()));
    if (!texte.Transcode()) return;
    Trace("\nTexte en UTF-8, converti en Windows-1252 pour la lecture");
    if (const std::string message = MessageRemplacements(texte.Rapport()); !message.empty())
        TraceTexte(Formate("\n%s", Utf8VersCp1252(message).c_str()));
}

} // namespace

std::string TraitPath(const std::string& pn) {
    // A backslash is a character of a file name here, not a separator.
    const size_t separateur = pn.rfind('/');
    const std::string nom = separateur == std::string::npos ? pn : pn.substr(separateur + 1);
    const size_t point = nom.rfind('.');
    if (point == std::string::npos || point == 0) return nom;
    return nom.substr(0, point);
}

bool NomCorpusAcceptable(const std::string& pn) {
    return TraitPath(pn).find_first_of("\r\n") == std::string::npos;
}

namespace {

constexpr unsigned char ClasseForme = '0', ClassePonct = '1', ClasseType = '2', ClasseContenu = '3',
                        ClasseLemme = '4', ClasseCategorie = '5';
constexpr const char* NomTxn = "xxxx.txn";
// Bytes past the string zone that the comparisons of the lookup table may read.
constexpr int64_t MargeZone = 16;

struct Article {
    char* texte; // class digit then text, in the string zone; past the class digit after grouping
    int32_t frq;
    int32_t rangLex;
    int32_t numero;
    int32_t index;
    int32_t suiv;   // kept at the nil value: the lookup table finds the articles
    uint32_t hache; // hash of the prefixed text
};

// The first-byte buckets of the lexicographic sort: the 23 lowercase accented letters fold onto their
// base letter; every other byte, uppercase accented letters included, is its own bucket.
constexpr std::array<unsigned char, 256> TableSeaux = [] {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[c] = static_cast<unsigned char>(c);
    for (int c : {0xE0, 0xE1, 0xE2, 0xE4, 0xE5})
        t[c] = 'a';
    t[0xE7] = 'c';
    for (int c : {0xE8, 0xE9, 0xEA, 0xEB})
        t[c] = 'e';
    for (int c : {0xEC, 0xED, 0xEE, 0xEF})
        t[c] = 'i';
    t[0xF1] = 'n';
    for (int c : {0xF2, 0xF3, 0xF4, 0xF6})
        t[c] = 'o';
    for (int c : {0xF9, 0xFA, 0xFB, 0xFC})
        t[c] = 'u';
    return t;
}();

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

// "xxxx.txn": the codes of the chunks, written in text order.
class EcrivainCodes {
  public:
    explicit EcrivainCodes(std::FILE* f) : m_fichier(f) {}
    // Writes the codes of the chunk, if it holds some not written yet.
    void Ecrit(Morceau& m) {
        const size_t n = m.codes.size();
        if (n && std::fwrite(m.codes.data(), sizeof(int32_t), n, m_fichier) != n) {
            if (!m_erreur) m_errno = errno;
            m_erreur = true;
        }
        m.codes.clear();
    }
    bool EnErreur() const { return m_erreur; }
    int Errno() const { return m_errno; }

  private:
    std::FILE* m_fichier;
    bool m_erreur = false;
    int m_errno = 0;
};

// One run of the segmentation: its tables and counters, each run starting from nothing.
class Segmentation {
  public:
    Segmentation(int32_t maxart, bool typographie)
        : m_maxart(maxart), m_nil(maxart + 1), m_typographie(typographie) {}
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

// Closes the file being written; true when everything written so far reached it.
bool Segmentation::FermeSortie(bool ecrit) {
    ecrit = std::ferror(m_sortie) == 0 && ecrit;
    ecrit = std::fclose(m_sortie) == 0 && ecrit;
    m_sortie = nullptr;
    return ecrit;
}

void Segmentation::FermeFichiers() {
    if (m_sortie) std::fclose(m_sortie);
    m_sortie = nullptr;
}

ResultatSegm Segmentation::Refuse(ResultatSegm resultat) {
    if (m_refus == ResultatSegm::Ok) m_refus = resultat;
    return m_refus;
}

bool Segmentation::AllocTab() {
    try {
        m_ptrzon2 = NouveauTableauGrandesPages<Article>(m_maxart);
        m_list = NouveauTableauGrandesPages<int32_t>(m_maxart);
        m_list1 = NouveauTableauGrandesPages<int32_t>(m_maxart);
        m_msg = NouveauTableauGrandesPages<char>(OctetsTexteParArticle * m_maxart + MargeZone);
        m_longueurs.reserve(m_maxart);
        m_table.Vide(m_msg.get());
    } catch (const std::bad_alloc&) {
        Desalloc();
        Trace("\nMémoire insuffisante pour %ld articles", static_cast<long>(m_maxart));
        return false;
    }
    const int64_t total =
        static_cast<int64_t>(m_maxart) * (sizeof(Article) + 2 * sizeof(int32_t) + OctetsTexteParArticle);
    Trace("\nMAXART (Maximum d'articles traités) = %ld", static_cast<long>(m_maxart));
    Trace("\nAllocation de %ldK", static_cast<long>(total / 1024));
    return true;
}

int32_t Segmentation::Ajoute(unsigned char classe, const unsigned char* p, size_t n, uint32_t h) {
    if (m_dernier + 1 >= m_maxart) {
        Trace("\nNombre maximum d'articles (MAXART = %ld) atteint : segmentation abandonnée",
              static_cast<long>(m_maxart));
        Refuse(ResultatSegm::MaxartDepasse);
        return -1;
    }
    if (m_zoneUtilisee + n + 2 > static_cast<size_t>(OctetsTexteParArticle * m_maxart)) {
        Trace("\nZone des textes pleine (%ld octets) : segmentation abandonnée",
              static_cast<long>(OctetsTexteParArticle * m_maxart));
        Refuse(ResultatSegm::ZoneTextePleine);
        return -1;
    }
    char* texte = m_msg.get() + m_zoneUtilisee;
    texte[0] = static_cast<char>(classe);
    std::memcpy(texte + 1, p, n);
    texte[n + 1] = '\0';
    m_zoneUtilisee += n + 2;
    const int32_t index = ++m_dernier;
    m_ptrzon2[index] = Article{texte, 1, 0, 0, index, m_nil, h};
    m_longueurs.push_back(static_cast<uint8_t>(n));
    m_table.Insere(h, index, static_cast<uint32_t>(texte - m_msg.get()));
    return index;
}

int32_t Segmentation::Cherche(unsigned char classe, const unsigned char* p, size_t n, uint32_t h) {
    TableJetons::Case* c = m_table.Trouve(h, classe, p, n);
    if (!c) return Ajoute(classe, p, n, h);
    ++c->frq;
    return c->index;
}

// The lookups of a chunk's tokens in text order, so that the articles are numbered as met; the chunk
// keeps the codes of its tokens. The table case of a token some way ahead is fetched early, then the
// text it points to, so that the cache misses of rare forms overlap.
bool Segmentation::Resout(Morceau& m) {
    constexpr size_t Avance = 16;
    const auto& jetons = m.jetons;
    const size_t n = jetons.size();
    for (size_t i = 0; i < std::min(n, Avance); ++i)
        if (jetons[i].n) m_table.Prepare(jetons[i].h);
    for (size_t i = 0; i < n; ++i) {
        if (i + Avance < n && jetons[i + Avance].n) m_table.Prepare(jetons[i + Avance].h);
        if (i + Avance / 2 < n && jetons[i + Avance / 2].n) m_table.PrepareTexte(jetons[i + Avance / 2].h);
        const Jeton& j = jetons[i];
        if (!j.n) {
            m.codes.push_back(j.code);
            continue;
        }
        const int32_t index = Cherche(j.classe, m.Texte(j), j.n, j.h);
        if (index < 0) return false;
        m.codes.push_back(index);
    }
    if (m.refus != ResultatSegm::Ok) {
        TraceTexte(m.trace);
        Refuse(m.refus);
        return false;
    }
    return true;
}

// The text is cut into tokens on a second thread while this one looks them up; the second thread also
// writes the codes of each chunk to "xxxx.txn" when the chunk comes back to it. Without a second thread,
// chunk after chunk on this one.
ResultatSegm Segmentation::Parcourt(DecoupeurTexte& decoupeur, EcrivainCodes& txn) {
    constexpr size_t NombreMorceaux = 4;
    FileMorceaux file(NombreMorceaux);
    const auto coupe = [&] {
        while (Morceau* m = file.PrendLibre()) {
            txn.Ecrit(*m);
            if (!decoupeur.Decoupe(*m)) {
                file.Rend(m);
                break;
            }
            file.Pousse(m);
            if (m->refus != ResultatSegm::Ok) break;
        }
        file.Ferme();
        // The chunks come back in the order they were cut: the codes of those still being looked up.
        for (size_t k = 0; k < NombreMorceaux; ++k) {
            Morceau* m = file.PrendLibre();
            if (!m) break;
            txn.Ecrit(*m);
        }
    };
    std::thread decoupage;
    try {
        decoupage = std::thread(coupe);
    } catch (const std::system_error&) {
    }
    if (decoupage.joinable()) {
        while (Morceau* m = file.PrendPlein()) {
            const bool resolu = m_refus == ResultatSegm::Ok && Resout(*m);
            file.Rend(m);
            if (!resolu) file.Abandonne();
        }
        decoupage.join();
    } else {
        Morceau m;
        while (decoupeur.Decoupe(m) && Resout(m))
            txn.Ecrit(m);
    }
    // The table counted the occurrences: they go to the articles.
    m_table.PourChaque([&](int32_t index, int32_t frq) { m_ptrzon2[index].frq = frq; });
    m_nbItems = decoupeur.nbItems;
    m_nbOcc = decoupeur.nbOcc;
    m_cptPonct = decoupeur.cptPonct;
    m_infos.suitesCoupees = decoupeur.suitesCoupees;
    m_infos.ligneSuiteCoupee = decoupeur.ligneSuiteCoupee;
    if (m_infos.suitesCoupees > 0)
        Trace("\n%ld suite(s) de plus de %ld caractères coupée(s) en plusieurs formes, la première à la "
              "ligne %ld",
              static_cast<long>(m_infos.suitesCoupees), static_cast<long>(LongueurMaxForme),
              static_cast<long>(m_infos.ligneSuiteCoupee));
    return m_refus;
}

ResultatSegm Segmentation::SegmText(const TexteCorpus& texte, const std::string& delimiteurs) {
    const std::string& pn = texte.Chemin();
    m_mot = TableMot(delimiteurs);
    m_cptPonct.fill(0);
    m_dernier = -1;

    DecoupeurTexte decoupeur(m_mot, m_typographie);
    if (!decoupeur.Ouvre(texte.CheminLu())) {
        Trace("\nFichier %s pas ouvert !", pn.c_str());
        return Refuse(ResultatSegm::TexteNonOuvert);
    }
    Trace("\nFichier -- %s -- ouvert pour segmentation", pn.c_str());
    TraceEncodage(texte);
    m_sortie = std::fopen(NomTxn, "wb");
    if (!m_sortie) {
        NoteCause(errno);
        Trace("\n           xxxx.txn pas ouvert !");
        return Refuse(ResultatSegm::TxnNonOuvert);
    }
    Trace("\nFichier xxxx.txn ouvert");
    Trace("\nDélimiteurs : %s\n", delimiteurs.c_str());

    EcrivainCodes txn(m_sortie);
    if (Parcourt(decoupeur, txn) != ResultatSegm::Ok) return m_refus;
    if (decoupeur.EnErreur()) {
        Trace("\nFichier %s pas lu jusqu'au bout !", pn.c_str());
        return Refuse(ResultatSegm::TexteNonOuvert);
    }
    const bool ecrit = FermeSortie(!txn.EnErreur());
    if (!ecrit) {
        NoteCause(txn.EnErreur() ? txn.Errno() : errno);
        Trace("\n\"%s\": ne peut être écrit : %s\n", NomTxn, CauseEcriture(m_cause).c_str());
        return Refuse(ResultatSegm::TxnNonOuvert);
    }
    m_nbItemsSansAnnot = m_nbItems;

    ComptePonctuations();
    if (m_refus != ResultatSegm::Ok) return m_refus;
    m_table = TableJetons(); // every article is known: its memory goes to the sorts
    CompteClasses();
    Groupe();
    return ResultatSegm::Ok;
}

void Segmentation::ComptePonctuations() {
    for (int c = 0; c < 256; ++c) {
        if (m_cptPonct[c] == 0) continue;
        const unsigned char octet[8] = {static_cast<unsigned char>(c)};
        const int32_t index = Ajoute(ClassePonct, octet, 1, HacheJeton(ClassePonct, octet, 1));
        if (index < 0) return;
        m_ptrzon2[index].frq = m_cptPonct[c];
        ++m_nbPonct;
    }
}

void Segmentation::CompteClasses() {
    for (int32_t i = 0; i < NbArticles(); ++i) {
        const Article& a = m_ptrzon2[i];
        switch (static_cast<unsigned char>(a.texte[0])) {
        case ClasseForme:
            ++m_nbForm;
            if (a.frq == 1) ++m_nhap;
            break;
        case ClasseType:
            ++m_nbCle;
            break;
        case ClasseContenu:
            ++m_nbCtnu;
            break;
        case ClasseLemme:
            ++m_nbLemm;
            break;
        case ClasseCategorie:
            ++m_nbCatg;
            break;
        default:
            break;
        }
    }
    Trace("\n==  nbf= %ld, nhap= %ld, nbcle= %ld, nbctnu= %ld, nblemm= %ld, nbcatg= %ld\n",
          static_cast<long>(m_nbForm), static_cast<long>(m_nhap), static_cast<long>(m_nbCle),
          static_cast<long>(m_nbCtnu), static_cast<long>(m_nbLemm), static_cast<long>(m_nbCatg));
}

// Fills list with the articles by class (forms, punctuation signs, key types, key contents, lemmas,
// categories), each class in order of first appearance, and copies it into list1.
void Segmentation::Groupe() {
    constexpr unsigned char Ordre[] = {ClasseForme,   ClassePonct, ClasseType,
                                       ClasseContenu, ClasseLemme, ClasseCategorie};
    std::array<int32_t, 256> debut{};
    int32_t position = 0;
    for (unsigned char classe : Ordre) {
        debut[classe] = position;
        for (int32_t i = 0; i < NbArticles(); ++i)
            if (static_cast<unsigned char>(m_ptrzon2[i].texte[0]) == classe) ++position;
    }
    for (int32_t i = 0; i < NbArticles(); ++i) {
        Article& a = m_ptrzon2[i];
        m_list[debut[static_cast<unsigned char>(a.texte[0])]++] = i;
        ++a.texte;
    }
    std::copy_n(m_list.get(), NbArticles(), m_list1.get());
}

// Sorts list1[debut, fin): a stable distribution into first-byte buckets, then each bucket of more than
// one article in the French collation order. Texts the collation deems equal keep byte order, so that
// the numbering never depends on the order of first appearance. The sort keys are computed, and the
// buckets sorted, in two halves on two threads.
void Segmentation::TriLexicographique(int32_t debut, int32_t fin, std::array<CollationFr, 2>& collations) {
    const int32_t n = fin - debut;
    if (n < 2) return;
    // A sort key's first eight bytes, read big-endian and padded with zeros past the key's end, order
    // most pairs without reaching the rest of the keys.
    struct Cle {
        uint64_t tete;
        const uint8_t* cle;
        int32_t article;
        unsigned char seau;
    };
    std::vector<Cle, AllocateurGrandesPages<Cle>> cles(n);
    std::array<std::vector<uint8_t, AllocateurGrandesPages<uint8_t>>, 2> octets;
    const auto calculeCles = [&](int moitie, int32_t de, int32_t a) {
        auto& o = octets[moitie];
        size_t place = 0; // what the keys take at most, unless a text expands much
        for (int32_t k = de; k < a; ++k)
            place += 3 * size_t{m_longueurs[m_list1[debut + k]]} + 16;
        o.reserve(place);
        for (int32_t k = de; k < a; ++k) {
            PrepareArticle(debut + k + DistancePrefetch);
            const int32_t article = m_list1[debut + k];
            const char* texte = m_ptrzon2[article].texte;
            cles[k].tete = o.size(); // the key's offset until the buffer stops growing
            cles[k].article = article;
            cles[k].seau = TableSeaux[static_cast<unsigned char>(texte[0])];
            collations[moitie].AjouteCle(std::string_view(texte, m_longueurs[article]), o);
        }
        for (int32_t k = de; k < a; ++k) {
            const uint8_t* cle = o.data() + cles[k].tete;
            uint64_t tete = 0;
            bool finie = false;
            for (size_t i = 0; i < 8; ++i) {
                finie = finie || cle[i] == 0;
                tete = tete << 8 | (finie ? 0 : cle[i]);
            }
            cles[k].tete = tete;
            cles[k].cle = cle;
        }
    };
    const bool deuxFils = n >= SeuilTriParallele;
    const int32_t milieu = deuxFils ? n / 2 : n;
    EnParallele([&] { calculeCles(1, milieu, n); }, [&] { calculeCles(0, 0, milieu); }, deuxFils);

    std::array<int32_t, 257> bornes{};
    for (const Cle& c : cles)
        ++bornes[c.seau + 1];
    for (int s = 0; s < 256; ++s)
        bornes[s + 1] += bornes[s];
    std::vector<Cle, AllocateurGrandesPages<Cle>> distribuees(n);
    std::array<int32_t, 256> place{};
    std::copy_n(bornes.begin(), 256, place.begin());
    for (const Cle& c : cles)
        distribuees[place[c.seau]++] = c;

    const auto avant = [&](const Cle& a, const Cle& b) {
        if (a.tete != b.tete) return a.tete < b.tete;
        if ((a.tete & 0xFF) != 0) { // both keys go on past their first eight bytes
            const int r = std::strcmp(reinterpret_cast<const char*>(a.cle + 8),
                                      reinterpret_cast<const char*>(b.cle + 8));
            if (r != 0) return r < 0;
        }
        return std::strcmp(m_ptrzon2[a.article].texte, m_ptrzon2[b.article].texte) < 0;
    };
    const auto trieSeaux = [&](int de, int a) {
        for (int s = de; s < a; ++s)
            if (bornes[s + 1] - bornes[s] > 1)
                std::sort(distribuees.begin() + bornes[s], distribuees.begin() + bornes[s + 1], avant);
    };
    // The buckets up to the one that holds the middle article go to one thread, the others to the other.
    int seauMilieu = 0;
    while (seauMilieu < 256 && bornes[seauMilieu + 1] <= n / 2)
        ++seauMilieu;
    if (!deuxFils) seauMilieu = 256;
    EnParallele([&] { trieSeaux(seauMilieu, 256); }, [&] { trieSeaux(0, seauMilieu); }, deuxFils);
    for (int32_t k = 0; k < n; ++k)
        m_list1[debut + k] = distribuees[k].article;
}

void Segmentation::TravDico() {
    std::array<CollationFr, 2> collations;
    const int32_t F = m_nbForm, P = m_nbPonct, K = m_nbCle, C = m_nbCtnu, L = m_nbLemm;
    TriLexicographique(0, F, collations);
    TriLexicographique(F + P, F + P + K, collations);
    TriLexicographique(F + P + K, F + P + K + C, collations);
    TriLexicographique(F + P + K + C, F + P + K + C + L, collations);
    TriLexicographique(F + P + K + C + L, NbArticles(), collations);
    // Frequency order of the forms, equal frequencies in lexicographic order. The forms, taken in
    // lexicographic order, are dealt out by decreasing frequency, which keeps that order within a
    // frequency; the few forms more frequent than the counted frequencies are sorted apart and go first
    // (one sort of 64-bit keys: decreasing frequency, then rank).
    constexpr int32_t Comptees = FrequencesComptees;
    std::vector<int32_t> parRang(m_list1.get(), m_list1.get() + F), frqParRang(F), place(Comptees, 0);
    std::vector<uint64_t> frequentes;
    for (int32_t k = 0; k < NbArticles(); ++k) {
        PrepareArticle(k + DistancePrefetch);
        Article& a = m_ptrzon2[m_list1[k]];
        a.rangLex = k;
        if (k >= F) continue;
        frqParRang[k] = a.frq;
        if (a.frq < Comptees)
            ++place[a.frq];
        else
            frequentes.push_back(static_cast<uint64_t>(INT32_MAX - a.frq) << 32 | static_cast<uint32_t>(k));
    }
    std::sort(frequentes.begin(), frequentes.end());
    int32_t suivante = 0;
    for (uint64_t f : frequentes)
        m_list1[suivante++] = parRang[static_cast<uint32_t>(f)];
    for (int32_t f = Comptees - 1; f >= 0; --f) {
        const int32_t n = place[f];
        place[f] = suivante;
        suivante += n;
    }
    for (int32_t r = 0; r < F; ++r)
        if (frqParRang[r] < Comptees) m_list1[place[frqParRang[r]]++] = parRang[r];
    Trace("\n--  Tri lexicom. de %7ld formes ", static_cast<long>(F));
    // The highest frequency of a form: a text without forms has none, whatever its punctuation and keys.
    m_fmax = F > 0 ? m_ptrzon2[m_list1[0]].frq : 0;
    for (int32_t k = 0; k < NbArticles(); ++k) {
        PrepareArticle(k + DistancePrefetch);
        m_ptrzon2[m_list1[k]].numero = k;
    }
    Trace("\n--  Fin Travail Dictionnaire              ");
}

std::string NomFichier(const std::string& bn, const char* extension) {
    return bn + extension;
}

// Opens the provisional file of a base file, tracing the failure under the final name.
std::FILE* CreeFichierBase(const std::string& bn, const char* extension) {
    std::FILE* f = std::fopen(NomProvisoire(bn, extension).c_str(), "wb");
    if (!f) Trace("\n\"%s\": ne peut etre ouvert\n", NomFichier(bn, extension).c_str());
    return f;
}

// The decimal digits of v, in place of snprintf, which costs more than the rest of a line.
size_t Chiffres(int32_t v, char* sortie) {
    char inverses[12];
    size_t n = 0;
    const bool negatif = v < 0;
    uint32_t u = negatif ? 0u - static_cast<uint32_t>(v) : static_cast<uint32_t>(v);
    do {
        inverses[n++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u);
    size_t k = 0;
    if (negatif) sortie[k++] = '-';
    while (n)
        sortie[k++] = inverses[--n];
    return k;
}

// One line of the dictionary, as " %-7ld %7ld  %s\n" writes it, at sortie; returns its length.
size_t EcritLigneDic(char* sortie, int32_t frq, int32_t rang, const char* texte, size_t n) {
    char* p = sortie;
    *p++ = ' ';
    const size_t nf = Chiffres(frq, p);
    p += nf;
    if (nf < 7) p = std::fill_n(p, 7 - nf, ' ');
    *p++ = ' ';
    char chiffres[12];
    const size_t nr = Chiffres(rang, chiffres);
    if (nr < 7) p = std::fill_n(p, 7 - nr, ' ');
    p = std::copy_n(chiffres, nr, p);
    *p++ = ' ';
    *p++ = ' ';
    p = std::copy_n(texte, n, p);
    *p++ = '\n';
    return static_cast<size_t>(p - sortie);
}
// The longest line: two numbers of 11 characters and a key of LongueurMaxCle.
constexpr size_t LigneDicMax = 1 + 11 + 1 + 11 + 2 + LongueurMaxCle + 1;
static_assert(TailleTamponEcriture > 2 * LigneDicMax, "a line of the dictionary fits in its buffer");

// A file of the segmentation, closed on every path.
class Fichier {
  public:
    Fichier(const std::string& nom, const char* mode) : m_f(std::fopen(nom.c_str(), mode)) {}
    ~Fichier() {
        if (m_f) std::fclose(m_f);
    }
    Fichier(const Fichier&) = delete;
    Fichier& operator=(const Fichier&) = delete;
    explicit operator bool() const { return m_f != nullptr; }
    std::FILE* get() const { return m_f; }
    // Closes the file; true when everything written so far reached it.
    bool Ferme(bool ecrit) {
        ecrit = std::ferror(m_f) == 0 && ecrit;
        ecrit = std::fclose(m_f) == 0 && ecrit;
        m_f = nullptr;
        return ecrit;
    }

  private:
    std::FILE* m_f;
};

// Writes the dictionary in the order of list1; its trace lines go to trace, so that it may run beside
// EcriTexNum.
ResultatSegm Segmentation::EcriDicNum(const std::string& bn, std::string& trace) const {
    const std::string nom = NomFichier(bn, ".dic");
    Fichier dic(NomProvisoire(bn, ".dic"), "wb");
    if (!dic) {
        NoteCause(errno);
        trace += Formate("\n\"%s\": ne peut etre ouvert\n", nom.c_str());
        return ResultatSegm::BaseNonEcrite;
    }
    trace += Formate("\n    Fichier Dict  :\t %s :", nom.c_str());
    // The articles come in no memory order: a record is fetched well ahead, its text half as far.
    constexpr int32_t Avance = 32;
    for (int32_t k = 0; k < std::min(NbArticles(), Avance); ++k)
        __builtin_prefetch(&m_ptrzon2[m_list1[k]]);
    std::vector<char> tampon(TailleTamponEcriture);
    size_t rempli = 0;
    bool ecrit = true;
    for (int32_t k = 0; k < NbArticles() && ecrit; ++k) {
        if (k + Avance < NbArticles()) __builtin_prefetch(&m_ptrzon2[m_list1[k + Avance]]);
        if (k + Avance / 2 < NbArticles()) __builtin_prefetch(m_ptrzon2[m_list1[k + Avance / 2]].texte);
        const int32_t i = m_list1[k];
        const Article& a = m_ptrzon2[i];
        rempli += EcritLigneDic(tampon.data() + rempli, a.frq, a.rangLex, a.texte, m_longueurs[i]);
        if (rempli > tampon.size() - LigneDicMax || k + 1 == NbArticles()) {
            ecrit = std::fwrite(tampon.data(), 1, rempli, dic.get()) == rempli;
            rempli = 0;
        }
    }
    if (!dic.Ferme(ecrit)) {
        NoteCause(errno);
        trace += Formate("\n\"%s\": ne peut être écrit : %s\n", nom.c_str(), CauseEcriture(errno).c_str());
        return ResultatSegm::BaseNonEcrite;
    }
    trace += Formate("\n--  Fin EcriDicNum  %7ld articles", static_cast<long>(m_dernier));
    return ResultatSegm::Ok;
}

// Copies "xxxx.txn" into the numbered text, each article index replaced by the article's number; its
// trace lines go to trace.
ResultatSegm Segmentation::EcriTexNum(const std::string& bn, std::string& trace) const {
    Fichier txn(NomTxn, "rb");
    if (!txn) {
        trace += Formate("\n\"%s\": ne peut etre ouvert\n", NomTxn);
        return ResultatSegm::TxnNonOuvert;
    }
    const std::string nom = NomFichier(bn, ".num");
    Fichier num(NomProvisoire(bn, ".num"), "wb");
    if (!num) {
        NoteCause(errno);
        trace += Formate("\n\"%s\": ne peut etre ouvert\n", nom.c_str());
        return ResultatSegm::BaseNonEcrite;
    }
    trace += Formate("\n    Fichier Texte :\t %s : ", nom.c_str());
    std::vector<int32_t, AllocateurGrandesPages<int32_t>> numeroDe(std::max(NbArticles(), 1));
    for (int32_t i = 0; i < NbArticles(); ++i)
        numeroDe[i] = m_ptrzon2[i].numero;
    std::vector<int32_t> tampon(TailleTamponEcriture / sizeof(int32_t));
    int32_t copies = 0;
    bool ecrit = true;
    while (copies < m_nbItems && ecrit) {
        const size_t voulus = std::min<size_t>(tampon.size(), static_cast<size_t>(m_nbItems - copies));
        const size_t lus = std::fread(tampon.data(), sizeof(int32_t), voulus, txn.get());
        if (lus == 0) break;
        // Branch-free: reserved codes lie above every article index and are copied unchanged. A text
        // without articles (line breaks alone) holds nothing but reserved codes.
        const uint32_t dernier = static_cast<uint32_t>(std::max(m_dernier, 0));
        const uint32_t nbArticles = static_cast<uint32_t>(NbArticles());
        for (size_t k = 0; k < lus; ++k) {
            const uint32_t v = static_cast<uint32_t>(tampon[k]);
            const int32_t numero = numeroDe[std::min(v, dernier)];
            tampon[k] = v < nbArticles ? numero : tampon[k];
        }
        ecrit = std::fwrite(tampon.data(), sizeof(int32_t), lus, num.get()) == lus;
        copies += static_cast<int32_t>(lus);
    }
    if (!num.Ferme(ecrit && copies == m_nbItems)) {
        NoteCause(errno);
        trace += Formate("\n\"%s\": ne peut être écrit : %s\n", nom.c_str(), CauseEcriture(errno).c_str());
        return ResultatSegm::BaseNonEcrite;
    }
    trace += Formate(" %7ld items.", static_cast<long>(copies));
    return ResultatSegm::Ok;
}

ResultatSegm Segmentation::EcriParam(const std::string& bn, const std::string& d) {
    m_sortie = CreeFichierBase(bn, ".par");
    if (!m_sortie) {
        NoteCause(errno);
        return Refuse(ResultatSegm::BaseNonEcrite);
    }
    Trace("\n    Fichier Param \t %s  :", NomFichier(bn, ".par").c_str());
    const auto l = [](int32_t v) { return static_cast<long>(v); };
    std::string texte = bn + "\n";
    texte += Formate("%ld %ld %ld %ld %ld %ld %ld %ld %ld %ld %ld %ld %ld\n", l(m_nbItems),
                     l(m_nbItemsSansAnnot), l(m_dernier), l(m_nbOcc), l(m_nbForm), l(m_fmax), l(m_nhap),
                     l(Limd), l(m_nbPonct), l(m_nbCle), l(m_nbCtnu), l(m_nbLemm), l(m_nbCatg));
    texte += Formate("\n*** Résultat de la segmentation du fichier: %s.TXT ***", bn.c_str());
    texte += Formate("\nDélimiteurs %s", d.c_str());
    texte += "\n";
    texte += Formate("\n \tnombre des occurrences :  %10ld", l(m_nbOcc));
    texte += Formate("\n \tnombre des formes      :  %10ld", l(m_nbForm));
    texte += Formate("\n \tfrequence maximale     :  %10ld", l(m_fmax));
    texte += Formate("\n \tnombre des hapax       :  %10ld", l(m_nhap));
    texte += Formate("\n \tnombre des clés(type)  :  %10ld", l(m_nbCle));
    texte += Formate("\n \tnombre des clés(ctnu)  :  %10ld", l(m_nbCtnu));
    texte += Formate("\n\n*** Fin de la segmentation du fichier:      %s.TXT ***", bn.c_str());
    const bool ecrit = FermeSortie(std::fwrite(texte.data(), 1, texte.size(), m_sortie) == texte.size());
    if (!ecrit) {
        NoteCause(errno);
        Trace("\n\"%s\": ne peut être écrit : %s\n", NomFichier(bn, ".par").c_str(),
              CauseEcriture(m_cause).c_str());
        return Refuse(ResultatSegm::BaseNonEcrite);
    }
    return ResultatSegm::Ok;
}

// Puts the three written files in place of the base's, the ".par" last; the previous base stays
// loadable until the new one is whole, and comes back when the placement fails.
ResultatSegm Segmentation::MetEnPlace(const std::string& bn) {
    bool place;
    {
        VerrouBases verrou("", VerrouBases::Mode::Exclusif);
        place = PlaceBase(bn);
    }
    if (!place) {
        Trace("\n\"%s\": ne peut etre mis en place ; la base précédente est gardée\n",
              NomFichier(bn, ".par").c_str());
        return Refuse(ResultatSegm::BaseNonEcrite);
    }
    return ResultatSegm::Ok;
}

ResultatSegm Segmentation::NumeDefT(const std::string& bn, const std::string& delimiteurs) {
    // The dictionary and the numbered text are written side by side; their traces follow each other.
    ResultatSegm dic = ResultatSegm::Ok, num = ResultatSegm::Ok;
    std::string traceDic, traceNum;
    EnParallele([&] { dic = EcriDicNum(bn, traceDic); }, [&] { num = EcriTexNum(bn, traceNum); });
    TraceTexte(traceDic);
    if (dic != ResultatSegm::Ok) return Refuse(dic);
    Trace("\n\n*****FIN DE EcriDicNum*****\n");
    TraceTexte(traceNum);
    if (num != ResultatSegm::Ok) return Refuse(num);
    Trace("\n\n*****FIN DE EcriTexNum*****\n");
    if (EcriParam(bn, delimiteurs) != ResultatSegm::Ok) return m_refus;
    Trace("\n\n*****FIN DE EcriParam*****\n");
    if (MetEnPlace(bn) != ResultatSegm::Ok) return m_refus;
    Trace("\n\n*****FIN DE LA SEGMENTATION*****\n");
    return ResultatSegm::Ok;
}

void Segmentation::Desalloc() {
    m_ptrzon2.reset();
    m_list.reset();
    m_list1.reset();
    m_msg.reset();
    m_table = TableJetons();
    m_longueurs = {};
}

void Segmentation::EffaceTxn() {
    std::remove(NomTxn);
}

void Segmentation::EffaceProvisoires(const std::string& bn) {
    FermeFichiers();
    for (const char* extension : {".dic", ".num", ".par"})
        std::remove(NomProvisoire(bn, extension).c_str());
}

// A base file, the temporary text or a provisional file that is the corpus itself would destroy it.
bool RemplaceraitLeCorpus(const std::string& pn, const std::string& bn) {
    std::vector<std::string> sorties = {NomTxn};
    for (const char* extension : {".dic", ".num", ".par"}) {
        sorties.push_back(NomFichier(bn, extension));
        sorties.push_back(NomProvisoire(bn, extension));
        sorties.push_back(NomPrecedent(bn, extension));
    }
    // The corpus is looked up once, each output once: the same device and inode is the same file.
    struct stat corpus {};
    if (::stat(pn.c_str(), &corpus) != 0) return false;
    return std::any_of(sorties.begin(), sorties.end(), [&](const std::string& sortie) {
        struct stat fichier {};
        return ::stat(sortie.c_str(), &fichier) == 0 && fichier.st_dev == corpus.st_dev &&
               fichier.st_ino == corpus.st_ino;
    });
}

// Writes what the transcoding replaced beside the new base, or removes the report of an earlier text.
void GardeRapportTranscodage(const TexteCorpus& texte, const std::string& bn) {
    const std::string chemin = bn + SuffixeTranscodage;
    const std::string message = texte.Transcode() ? MessageRemplacements(texte.Rapport()) : std::string();
    if (message.empty()) {
        std::remove(chemin.c_str());
        return;
    }
    const std::string contenu =
        "Conversion en Windows-1252 du corpus « " + texte.Chemin() + " », lu en UTF-8 :\n" + message + "\n";
    if (RemplaceFichier(chemin, contenu) == 0) Trace("\nCompte rendu de la conversion : %s", chemin.c_str());
}

ResultatSegm Segmentation::Execute(const TexteCorpus& texte, const std::string& delimiteursDemandes) {
    const std::string& pn = texte.Chemin();
    const std::string delimiteurs =
        m_typographie ? DelimiteursTypographie(delimiteursDemandes) : delimiteursDemandes;
    // Checked before the first trace line, which would be written into the corpus.
    if (EstLaTrace(pn)) return m_refus = ResultatSegm::CorpusEstLaTrace;
    if (!NomCorpusAcceptable(pn)) return m_refus = ResultatSegm::NomIncorrect;
    Trace("\n\n*****Début SegmPrinc*****\n");
    const std::string bn = TraitPath(pn);
    Trace("\n\n*****FIN DE TraitPath : pn:%s bn:%s*****\n", pn.c_str(), bn.c_str());
    if (m_maxart < 1 || m_maxart > MaxartLimite) {
        Trace("\nMAXART invalide : %ld", static_cast<long>(m_maxart));
        return Refuse(ResultatSegm::MaxartInvalide);
    }
    if (RemplaceraitLeCorpus(pn, bn)) {
        Trace("\nLa base %s remplacerait le fichier %s : segmentation abandonnée", bn.c_str(), pn.c_str());
        return Refuse(ResultatSegm::CorpusEcrase);
    }
    std::error_code erreur;
    if (std::filesystem::exists(pn, erreur) && !std::filesystem::is_regular_file(pn, erreur)) {
        Trace("\n%s n'est pas un fichier : segmentation abandonnée", pn.c_str());
        return Refuse(ResultatSegm::TexteNonOuvert);
    }
    // One segmentation at a time in a folder: they share its temporary file and its trace.
    VerrouSegmentation verrou("", 1000);
    if (verrou.Occupe()) {
        Trace("\nUne autre segmentation est en cours dans ce dossier : segmentation abandonnée");
        return Refuse(ResultatSegm::SegmentationEnCours);
    }
    // A placement of this base cut short is undone, and what a killed run left goes.
    {
        VerrouBases verrouBases("", VerrouBases::Mode::Exclusif);
        RangeBase(bn);
    }
    if (!AllocTab()) {
        EffaceTxn();
        return Refuse(ResultatSegm::MemoireInsuffisante);
    }
    Trace("\n\n*****FIN DE AllocTab*****\n");
    if (SegmText(texte, delimiteurs) == ResultatSegm::Ok) {
        Trace("\n\n*****FIN DE SegmText*****\n");
        TravDico();
        Trace("\n\n*****FIN DE TravDico*****\n");
        if (NumeDefT(bn, delimiteurs) == ResultatSegm::Ok) Trace("\n\n*****FIN DE NumeDefT*****\n");
    }
    if (m_refus != ResultatSegm::Ok) {
        EffaceProvisoires(bn);
        Desalloc();
        EffaceTxn();
        return m_refus;
    }
    Desalloc();
    Trace("\nlibération de ptrzon2");
    Trace("\nlibération de list");
    Trace("\nlibération de list1");
    Trace("\nlibération de msg");
    Trace("\n\n*****FIN DE Desalloc*****\n");
    EffaceTxn();
    Trace("\n\n*****FIN DE EffaceTxn*****\n");
    GardeRapportTranscodage(texte, bn);
    return ResultatSegm::Ok;
}

} // namespace

ResultatSegm SegmPrinc(const TexteCorpus& texte, const std::string& delimiteurs, int32_t maxart,
                       InfosSegm& infos, bool typographie) {
    Segmentation segmentation(maxart, typographie);
    const ResultatSegm resultat = segmentation.Execute(texte, delimiteurs);
    infos = segmentation.Infos();
    infos.encodage = texte.EncodageLu();
    infos.remplacements = texte.Rapport();
    return resultat;
}

ResultatSegm SegmPrinc(const std::string& pn, const std::string& delimiteurs, int32_t maxart,
                       InfosSegm& infos) {
    TexteCorpus texte(pn);
    if (!texte.Prepare()) {
        Trace("\n%s : %s", pn.c_str(), Utf8VersCp1252(MessageTranscodage(texte)).c_str());
        return ResultatSegm::TexteNonConverti;
    }
    return SegmPrinc(texte, delimiteurs, maxart, infos);
}

ResultatSegm SegmPrinc(const std::string& pn, const std::string& delimiteurs, int32_t maxart) {
    InfosSegm infos;
    return SegmPrinc(pn, delimiteurs, maxart, infos);
}

std::string DelimiteursTypographie(const std::string& delimiteurs) {
    std::string d = delimiteurs;
    for (const char marque : std::string_view("\xAB\xBB\x92\x93\x94\x85\xA0"))
        if (d.find(marque) == std::string::npos) d += marque;
    return d;
}

std::string AvertissementCoupes(const InfosSegm& infos) {
    if (infos.suitesCoupees == 0) return {};
    return "Attention : " + std::to_string(infos.suitesCoupees) + " suite(s) de plus de " +
           std::to_string(LongueurMaxForme) +
           " caractères sans séparateur coupée(s) en plusieurs formes, la " + "première à la ligne " +
           std::to_string(infos.ligneSuiteCoupee) + ".";
}

ResultatSegm SegmPrinc(const std::string& pn, const std::string& delimiteurs) {
    return SegmPrinc(pn, delimiteurs, Options.Maxart);
}

void EffaceTxnAbandonne(const std::string& dossier) {
    const VerrouSegmentation verrou(dossier, 0);
    if (verrou.Tenu()) std::remove(((dossier.empty() ? std::string() : dossier + "/") + NomTxn).c_str());
}

int64_t CompteArticles(const std::string& pn, const std::string& delimiteurs) {
    TexteCorpus texte(pn);
    if (!texte.Prepare()) return -1;
    return CompteArticles(texte, delimiteurs);
}

int64_t CompteArticles(const TexteCorpus& texte, const std::string& delimiteursDemandes, bool typographie) {
    const std::string delimiteurs =
        typographie ? DelimiteursTypographie(delimiteursDemandes) : delimiteursDemandes;
    const std::array<bool, 256> mot = TableMot(delimiteurs);
    DecoupeurTexte decoupeur(mot, typographie);
    if (!decoupeur.Ouvre(texte.CheminLu())) return -1;
    // The forms and keys by their class and text, as the segmentation's table tells them apart.
    std::unordered_set<std::string> textes;
    int64_t zone = 0;
    Morceau morceau;
    while (decoupeur.Decoupe(morceau)) {
        for (const Jeton& j : morceau.jetons) {
            if (j.n == 0) continue;
            std::string texte(1, static_cast<char>(j.classe));
            texte.append(reinterpret_cast<const char*>(morceau.Texte(j)), j.n);
            if (textes.insert(std::move(texte)).second) zone += j.n + 2;
        }
        if (morceau.refus != ResultatSegm::Ok) break;
    }
    if (decoupeur.EnErreur()) return -1;
    int64_t articles = static_cast<int64_t>(textes.size());
    for (const int32_t frequence : decoupeur.cptPonct)
        if (frequence > 0) {
            ++articles;
            zone += 3;
        }
    return std::max(articles, (zone + OctetsTexteParArticle - 1) / OctetsTexteParArticle);
}

} // namespace t3

namespace t3 {

std::string ResumeSegmentation(const std::string& cheminPar) {
    std::FILE* f = std::fopen(cheminPar.c_str(), "rb");
    if (!f) return {};
    std::string texte;
    char tampon[4096];
    for (size_t n; (n = std::fread(tampon, 1, sizeof tampon, f)) > 0;)
        texte.append(tampon, n);
    std::fclose(f);
    size_t debut = 0;
    for (int ligne = 0; ligne < 2 && debut != std::string::npos; ++ligne) {
        debut = texte.find('\n', debut);
        if (debut != std::string::npos) ++debut;
    }
    return debut == std::string::npos ? std::string() : texte.substr(debut);
}

} // namespace t3
