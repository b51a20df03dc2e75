// The writing of a run's base files under their provisional names: the dictionary (".dic") beside the
// numbered text (".num"), then the parameters (".par"), before their placement.
#include "engine/Globaux.h"
#include "engine/segmentation/PlacementBase.h"
#include "engine/segmentation/Segmentation.h"
#include "engine/socle/GrandesPages.h"
#include "engine/socle/RemplaceFichier.h"
#include "engine/socle/TaillesTampons.h"
#include "engine/socle/Trace.h"

#include <algorithm>
#include <bit>

#include <cerrno>

namespace t3::segm {

static_assert(std::endian::native == std::endian::little, "the numbered text is written little-endian");

namespace {

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

} // namespace

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
    // The last moment a stop leaves the previous base as it was.
    if (!Continue() || MetEnPlace(bn) != ResultatSegm::Ok) return m_refus;
    Trace("\n\n*****FIN DE LA SEGMENTATION*****\n");
    return ResultatSegm::Ok;
}

} // namespace t3::segm
