// The dictionary of a run: the lookups of the text's tokens that make its articles, their counts and
// their grouping by class, then the lexicographic and frequency sorts that number them; and the count of
// the articles that a text would make, without a run (CompteArticles).
#include "engine/segmentation/CollationFr.h"
#include "engine/segmentation/DecoupeurTexte.h"
#include "engine/segmentation/FileMorceaux.h"
#include "engine/segmentation/Segmentation.h"
#include "engine/segmentation/TexteCorpus.h"
#include "engine/socle/Cp1252.h"
#include "engine/socle/RemplaceFichier.h"
#include "engine/socle/TaillesTampons.h"
#include "engine/socle/Trace.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <unordered_set>

#include <cerrno>

namespace t3 {

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

} // namespace

namespace segm {

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

// The lookup of every token, inlined into Resout, its only caller.
inline int32_t Segmentation::Cherche(unsigned char classe, const unsigned char* p, size_t n, uint32_t h) {
    TableJetons::Case* c = m_table.Trouve(h, classe, p, n);
    if (!c) return Ajoute(classe, p, n, h);
    ++c->frq;
    return c->index;
}

CentiemesLus::CentiemesLus(const std::string& chemin) {
    std::error_code erreur;
    const auto taille = std::filesystem::file_size(chemin, erreur);
    m_taille = erreur ? 0 : static_cast<int64_t>(taille);
}

void CentiemesLus::Lu(size_t octets, const Progression& progression) {
    m_lus += static_cast<int64_t>(octets);
    if (!progression || m_taille <= 0) return;
    for (const int64_t centiemes = std::min<int64_t>(100, m_lus * 100 / m_taille); m_centiemes < centiemes;
         ++m_centiemes)
        progression(0);
}

// The progress as the text is read; false, the run refused as cancelled, once a stop is asked.
bool Segmentation::Lu(const Morceau& morceau) {
    if (m_lecture) m_lecture->Lu(morceau.taille, m_suivi.progression);
    if (!m_suivi.Arrete()) return true;
    Trace("\nSegmentation annulée");
    Refuse(ResultatSegm::Annulee);
    return false;
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
            const bool resolu = m_refus == ResultatSegm::Ok && Resout(*m) && Lu(*m);
            file.Rend(m);
            if (!resolu) file.Abandonne();
        }
        decoupage.join();
    } else {
        Morceau m;
        while (decoupeur.Decoupe(m) && Resout(m) && Lu(m))
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
    m_lecture.emplace(texte.CheminLu());
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

} // namespace segm

int64_t CompteArticles(const std::string& pn, const std::string& delimiteurs) {
    TexteCorpus texte(pn);
    if (!texte.Prepare()) return -1;
    return CompteArticles(texte, delimiteurs);
}

int64_t CompteArticles(const TexteCorpus& texte, const std::string& delimiteursDemandes, bool typographie,
                       const Suivi& suivi) {
    const std::string delimiteurs =
        typographie ? DelimiteursTypographie(delimiteursDemandes) : delimiteursDemandes;
    const std::array<bool, 256> mot = TableMot(delimiteurs);
    DecoupeurTexte decoupeur(mot, typographie);
    if (!decoupeur.Ouvre(texte.CheminLu())) return -1;
    // The forms and keys by their class and text, as the segmentation's table tells them apart.
    std::unordered_set<std::string> textes;
    int64_t zone = 0;
    Morceau morceau;
    segm::CentiemesLus lecture(texte.CheminLu());
    while (decoupeur.Decoupe(morceau)) {
        lecture.Lu(morceau.taille, suivi.progression);
        if (suivi.Arrete()) return -1;
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
