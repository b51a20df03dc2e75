// The loading of a base: its .par, .dic and .num read and checked against one another, a base that does
// not agree refused. The queries of the loaded base are in charg1Requetes.cpp.
#include "engine/corpus/charg1.h"

#include "engine/Globaux.h"
#include "engine/segmentation/PlacementBase.h"
#include "engine/segmentation/SegmPrinc.h"
#include "engine/socle/Trace.h"
#include "engine/socle/VerrousDossier.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <type_traits>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace t3 {

namespace {

// Values of the numbered text read per block.
constexpr size_t ValeursParBloc = size_t{1} << 18;
// Longest line 2 of a .par worth reading.
constexpr size_t LongueurMaxLigneParam = 4096;

bool EstBlanc(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Reads one line (without its line feed) of at most limite bytes; false at the end of the file or
// when the line is longer.
bool LitLigne(std::FILE* f, std::string& ligne, size_t limite) {
    ligne.clear();
    int c;
    bool lu = false;
    while ((c = std::fgetc(f)) != EOF) {
        lu = true;
        if (c == '\n') break;
        if (ligne.size() >= limite) return false;
        ligne.push_back(static_cast<char>(c));
    }
    if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
    return lu;
}

// Reads a signed decimal integer that fits in 32 bits after any white space, as " %ld" does.
bool LitEntier(const char*& p, const char* fin, int32_t& valeur) {
    while (p < fin && EstBlanc(*p))
        ++p;
    bool negatif = false;
    if (p < fin && (*p == '-' || *p == '+')) negatif = (*p++ == '-');
    if (p >= fin || *p < '0' || *p > '9') return false;
    int64_t v = 0;
    while (p < fin && *p >= '0' && *p <= '9') {
        v = v * 10 + (*p++ - '0');
        if (v > int64_t{1} << 31) return false;
    }
    if (negatif) v = -v;
    if (v < INT32_MIN || v > INT32_MAX) return false;
    valeur = static_cast<int32_t>(v);
    return true;
}

// Asks the system to back the 2 MB-aligned inside of a large table with huge pages: written for the
// first time page by page, the text and its index would otherwise cost tens of thousands of faults.
// Only advice: the table works the same without it.
void ConseilleGrandesPages([[maybe_unused]] const void* debut, [[maybe_unused]] size_t octets) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr uintptr_t Grande = uintptr_t{1} << 21;
    const uintptr_t a = (reinterpret_cast<uintptr_t>(debut) + Grande - 1) & ~(Grande - 1);
    const uintptr_t b = (reinterpret_cast<uintptr_t>(debut) + octets) & ~(Grande - 1);
    if (b > a) madvise(reinterpret_cast<void*>(a), b - a, MADV_HUGEPAGE);
#endif
}

// A table of n values of a type that needs no destruction, advised onto huge pages before its values
// are first set (set first, its pages would be small ones, each one a fault); null when the memory
// cannot be had. Given back by ::operator delete.
template <typename T> T* NouvelleTable(size_t n) {
    static_assert(std::is_trivially_destructible_v<T>);
    void* table = ::operator new(n * sizeof(T), std::nothrow);
    if (!table) return nullptr;
    ConseilleGrandesPages(table, n * sizeof(T));
    T* const valeurs = static_cast<T*>(table);
    std::uninitialized_default_construct_n(valeurs, n);
    return valeurs;
}

// The size of a file in bytes, -1 when it cannot be measured.
int64_t TailleFichier(const std::string& nom) {
    std::error_code erreur;
    const uintmax_t taille = std::filesystem::file_size(nom, erreur);
    return erreur ? -1 : static_cast<int64_t>(taille);
}

uint32_t InverseOctets(uint32_t v) {
    return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}

} // namespace

std::string MessageChargeBase(int32_t resultat) {
    switch (resultat) {
    case ChargeErreurParam:
        return "Erreur de lecture du fichier de paramètres";
    case ChargeErreurDic:
        return "Erreur de lecture du dictionnaire numérisé";
    case ChargeErreurNum:
        return "Erreur de lecture du texte numérisé";
    case ChargeErreurMemoire:
        return "Erreur : Allocation mémoire impossible";
    case ChargeArretee:
        return EchecArrete().message;
    default:
        return "";
    }
}

charg1::charg1() {
    std::fill(std::begin(m_carteponct), std::end(m_carteponct), -1);
}

charg1::~charg1() {
    DesAlloc();
}

std::string charg1::CheminFichier(std::string_view suffixe) const {
    std::string chemin = m_dossier.empty() ? std::string() : m_dossier + "/";
    chemin += m_nomBase;
    chemin += suffixe;
    return chemin;
}

void charg1::AttribGauge(Progression gauge) {
    m_gauge = std::move(gauge);
}

int32_t charg1::ChargeBase(const char* chemin) {
    DesAlloc();
    // The base's files are read under the lock of its folder's bases, so that a segmentation never
    // places a new base while they are read; a placement cut short by a kill is undone first.
    const std::string par = chemin ? chemin : "";
    std::optional<VerrouBases> verrou;
    if (par.size() > 4 && par.ends_with(".par")) {
        const std::string bn = par.substr(0, par.size() - 4);
        verrou.emplace(std::filesystem::path(par).parent_path().string(), VerrouBases::Mode::Exclusif);
        // Turning the lock into a shared one lets a writer pass: one killed there is undone again.
        for (int essai = 0; essai < 3; ++essai) {
            RetablitBase(bn);
            verrou->Partage();
            if (!Fichiers().Existe(NomPrecedent(bn, ".par"))) break;
            verrou->Exclusif();
        }
    }
    m_arretee = false;
    int32_t resultat = ChargeReussie;
    if (!LecParam(chemin))
        resultat = ChargeErreurParam;
    else if (!AllocMem())
        resultat = ChargeErreurMemoire;
    else if (!OpenDicNum())
        resultat = ChargeErreurDic;
    else if (!OpenTextNum())
        resultat = ChargeErreurNum;
    if (m_arretee) resultat = ChargeArretee;
    if (resultat != ChargeReussie) {
        // A refused base answers every query with the neutral values of an empty base.
        DesAlloc();
        m_nbform = m_nbitem = m_nbart = m_fmax = m_nhap = m_nbocc = 0;
        m_nbartponct = m_nbcle = m_nbctnu = m_nbitemSansAnnot = m_nblignes = 0;
    }
    m_charge = resultat == ChargeReussie;
    return resultat;
}

Resultat<void> charg1::Charge(const std::string& chemin) {
    const int32_t resultat = ChargeBase(chemin);
    if (resultat == ChargeReussie) return {};
    return Echec{resultat, MessageChargeBase(resultat)};
}

bool charg1::LecParam(const char* chemin) {
    std::FILE* f = chemin ? std::fopen(chemin, "rb") : nullptr;
    if (!f) return false;
    // The folder is fixed now, against the current folder of the loading: every file of the base, and
    // its trace, is found there afterwards whatever the current folder becomes.
    std::error_code erreur;
    const std::filesystem::path par = std::filesystem::absolute(chemin, erreur);
    m_dossier = erreur ? std::string() : par.lexically_normal().parent_path().string();
    std::string nom;
    const bool nomLu = LitLigne(f, nom, LongueurMaxNomBase);
    TraceNouvelleDans(m_dossier, "LecParam\n");
    std::string ligne;
    int32_t champs[11] = {};
    bool lu = nomLu && !nom.empty() && LitLigne(f, ligne, LongueurMaxLigneParam);
    EffaceTxnAbandonne(m_dossier);
    std::fclose(f);
    const char* p = ligne.data();
    for (int i = 0; lu && i < 11; ++i)
        lu = LitEntier(p, ligne.data() + ligne.size(), champs[i]);
    if (!lu) {
        TraceDans(m_dossier, "\nLigne de paramètres illisible");
        return false;
    }
    // Every file of a base lies beside its .par: its name is a plain file name (a backslash is a
    // character of a name here).
    if (nom.find('/') != std::string::npos || nom == "." || nom == "..") {
        TraceDans(m_dossier, "\nNom de base incorrect : %s", nom.c_str());
        return false;
    }
    m_nomBase = nom;
    m_nbitem = champs[0];
    m_nbitemSansAnnot = champs[1];
    // Each field may hold any 32-bit value: the number of articles, one more than the last index, is
    // reckoned in 64 bits, and one that does not fit is refused below.
    const int64_t nbart = int64_t{champs[2]} + 1;
    m_nbart = static_cast<int32_t>(std::min<int64_t>(nbart, INT32_MAX));
    m_nbocc = champs[3];
    m_nbform = champs[4];
    m_fmax = champs[5];
    m_nhap = champs[6];
    m_limd = champs[7];
    m_nbartponct = champs[8];
    m_nbcle = champs[9];
    m_nbctnu = champs[10];
    m_nbformsup = 0;
    m_segments = nullptr;
    // The reserved codes lie below Limd; a base with any other value is refused below.
    const int32_t limd = m_limd == t3::Limd ? m_limd : t3::Limd;
    m_codePonct = limd - 1;
    m_codeSautLigne = limd - 258;
    TraceDans(m_dossier, "\n%ld %ld %ld %ld %ld %ld %ld %ld %ld %ld %ld", long(m_nbitemSansAnnot),
              long(m_nbitem), long(nbart), long(m_nbocc), long(m_nbform), long(m_fmax), long(m_nhap),
              long(m_limd), long(m_nbartponct), long(m_nbcle), long(m_nbctnu));

    // The counts must describe a base that the segmentation could have written: the ranges of the
    // entries add up and lie below the reserved codes, and no count exceeds what contains it. Key types
    // and key contents come together, but several types may share one content, or one type several
    // contents.
    const bool coherent = champs[2] >= -1 && m_nbitem >= 0 && m_nbocc >= 0 && m_nbform >= 0 && m_fmax >= 0 &&
                          m_nhap >= 0 && m_nbartponct >= 0 && m_nbartponct <= 256 && m_nbcle >= 0 &&
                          m_nbctnu >= 0 && m_limd == t3::Limd &&
                          int64_t{m_nbform} + m_nbartponct + m_nbcle + m_nbctnu == m_nbart &&
                          m_nbart <= m_codeSautLigne && m_nbocc <= m_nbitem && m_nbform <= m_nbocc &&
                          m_nhap <= m_nbform && m_fmax <= m_nbocc && (m_nbform == 0) == (m_fmax == 0) &&
                          (m_nbcle == 0) == (m_nbctnu == 0) && int64_t{m_nbitem} + 2 <= INT32_MAX - m_limd;
    if (!coherent) TraceDans(m_dossier, "\nParamètres incohérents");
    return coherent;
}

bool charg1::AllocMem() {
    TraceDans(m_dossier, "\nAllocation de la mémoire :");
    // The tables are sized by the counts of the .par. A file too short to hold what they announce gets
    // none, and its reading fails as it would have, instead of gigabytes reserved on the word of a
    // spoilt .par: a line of the dictionary takes at least six bytes ("0 0 x" and a blank), a value of
    // the numbered text four.
    const int64_t tailleDic = TailleFichier(CheminFichier(".dic"));
    const bool dicPossible = tailleDic >= 6 * int64_t{m_nbart} - 1;
    const bool numPossible = TailleFichier(CheminFichier(".num")) >= 4 * int64_t{m_nbitem};
    const size_t nbLexm = static_cast<size_t>(m_nbart) + 1;
    if (dicPossible) {
        m_lexm.reset(NouvelleTable<Lexm>(nbLexm));
        m_graphies.reset(new (std::nothrow) uint64_t[nbLexm]);
        if (!m_lexm || !m_graphies) return false;
        ConseilleGrandesPages(m_graphies.get(), nbLexm * sizeof(uint64_t));
        TraceDans(m_dossier, "\nAllocation de lexm réussie, %ld octets", long(nbLexm * sizeof(Lexm)));
    }
    if (numPossible) {
        m_tnum.reset(new (std::nothrow) int32_t[static_cast<size_t>(m_nbitem)]);
        if (!m_tnum) return false;
        ConseilleGrandesPages(m_tnum.get(), size_t(m_nbitem) * 4);
        TraceDans(m_dossier, "\nAllocation de tnum réussie, %ld octets", long(size_t(m_nbitem) * 4));
    }
    if (dicPossible) {
        // Forty bytes an entry, or what the graphies of the file may take when they are longer (a few
        // long forms or keys): each at most a key's length and its zero byte, all within the file.
        const int64_t entrees = static_cast<int64_t>(nbLexm);
        m_tailleFtext = std::max(OctetsGraphieParEntree * entrees,
                                 std::min(tailleDic + 1, int64_t{LongueurMaxCle + 1} * entrees));
        m_ftext.reset(new (std::nothrow) char[static_cast<size_t>(m_tailleFtext)]);
        if (!m_ftext) return false;
        ConseilleGrandesPages(m_ftext.get(), static_cast<size_t>(m_tailleFtext));
        TraceDans(m_dossier, "\nAllocation de ftext réussie, %ld octets", long(m_tailleFtext));
    }
    if (numPossible) {
        m_list.reset(new (std::nothrow) int32_t[static_cast<size_t>(m_fmax)]);
        if (!m_list) return false;
        TraceDans(m_dossier, "\nAllocation de list réussie, %ld octets", long(size_t(m_fmax) * 4));
        // The occurrence index: one position per item at most, and the start of every entry's run.
        m_positions.reset(new (std::nothrow) int32_t[static_cast<size_t>(m_nbitem)]);
        if (!m_positions) return false;
        ConseilleGrandesPages(m_positions.get(), size_t(m_nbitem) * 4);
    }
    if (dicPossible) {
        try {
            m_debuts.assign(nbLexm + 1, 0);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    return true;
}

bool charg1::OpenDicNum() {
    TraceDans(m_dossier, "\nEntrée dans OpenDicNum");
    if (!m_lexm || !m_ftext) {
        TraceDans(m_dossier, "\nLe dictionnaire ne peut contenir %ld articles", long(m_nbart));
        return false;
    }
    const std::string nom = m_nomBase + ".dic";
    std::FILE* f = std::fopen(CheminFichier(".dic").c_str(), "rb");
    if (!f) return false;
    TraceDans(m_dossier, "\nDictionnaire numérisé : %s", nom.c_str());
    // No valid dictionary is longer than its graphies plus two numbers and a few blanks per line.
    const size_t limite = static_cast<size_t>(m_tailleFtext) + 64 * (static_cast<size_t>(m_nbart) + 1) + 4096;
    std::string contenu;
    char bloc[65536];
    // Room for the whole file at once (at most what the loop below reads), instead of growing by copies.
    if (std::fseek(f, 0, SEEK_END) == 0) {
        const long taille = std::ftell(f);
        if (std::fseek(f, 0, SEEK_SET) != 0) {
            std::fclose(f);
            return false;
        }
        if (taille > 0) {
            contenu.reserve(std::min(static_cast<size_t>(taille), limite + sizeof bloc));
            ConseilleGrandesPages(contenu.data(), contenu.capacity());
        }
    }
    size_t lus;
    while (contenu.size() < limite && (lus = std::fread(bloc, 1, sizeof bloc, f)) > 0)
        contenu.append(bloc, lus);
    std::fclose(f);
    if (!LitDictionnaire(contenu)) return false;
    m_formesTriees.clear();
    m_formesTrieesPretes = false;
    m_recherchesSansIndex = 0;
    return true;
}

// Parses the nbart lines " frequency rank graphie" into lexm and ftext, then checks them against the
// counts of the .par.
bool charg1::LitDictionnaire(const std::string& contenu) {
    const char* p = contenu.data();
    const char* const fin = p + contenu.size();
    char* ecrit = m_ftext.get();
    char* const finFtext = ecrit + m_tailleFtext;
    std::vector<bool> rangVu(static_cast<size_t>(m_nbart), false);
    const int32_t pas = m_nbart / 100;
    for (int32_t i = 0; i < m_nbart; ++i) {
        int32_t frq, lexg;
        if (!LitEntier(p, fin, frq) || !LitEntier(p, fin, lexg)) {
            TraceDans(m_dossier, "\nLigne %ld du dictionnaire illisible", long(i + 1));
            return false;
        }
        while (p < fin && EstBlanc(*p))
            ++p;
        const char* debut = p;
        while (p < fin && !EstBlanc(*p))
            ++p;
        const size_t longueur = static_cast<size_t>(p - debut);
        if (longueur == 0 || longueur > LongueurMaxCle || std::memchr(debut, '\0', longueur) != nullptr) {
            TraceDans(m_dossier, "\nLigne %ld du dictionnaire illisible", long(i + 1));
            return false;
        }
        if (static_cast<size_t>(finFtext - ecrit) < longueur + 1) {
            TraceDans(m_dossier, "\nLes graphies dépassent %ld octets", long(m_tailleFtext));
            return false;
        }
        if (frq < 0 || lexg < 0 || lexg >= m_nbart || rangVu[static_cast<size_t>(lexg)]) {
            TraceDans(m_dossier, "\nLigne %ld du dictionnaire incohérente", long(i + 1));
            return false;
        }
        rangVu[static_cast<size_t>(lexg)] = true;
        std::memcpy(ecrit, debut, longueur);
        ecrit[longueur] = '\0';
        m_lexm[static_cast<size_t>(i)] = Lexm{lexg, frq, ecrit, 0};
        m_graphies[static_cast<size_t>(i)] = static_cast<uint64_t>(ecrit - m_ftext.get()) << 8 | longueur;
        ecrit += longueur + 1;
        if (pas == 0 ? i == 0 : (i + 1) % pas == 0) {
            if (ArretDemande()) return false;
            AppelleGauge(0);
        }
    }
    m_lexm[static_cast<size_t>(m_nbart)] = Lexm{};
    m_graphies[static_cast<size_t>(m_nbart)] = 0;

    int64_t occurrences = 0;
    int32_t hapax = 0, maximum = 0;
    for (int32_t i = 0; i < m_nbform; ++i) {
        const int32_t frq = m_lexm[static_cast<size_t>(i)].frq;
        occurrences += frq;
        hapax += frq == 1;
        maximum = std::max(maximum, frq);
    }
    if (occurrences != m_nbocc || hapax != m_nhap || maximum != m_fmax) {
        TraceDans(m_dossier, "\nLe dictionnaire ne s'accorde pas avec les paramètres");
        return false;
    }
    for (int32_t e = m_nbform; e < m_nbform + m_nbartponct; ++e) {
        if (std::strlen(m_lexm[static_cast<size_t>(e)].graphie) != 1) {
            TraceDans(m_dossier, "\nLigne %ld du dictionnaire incohérente", long(e + 1));
            return false;
        }
    }
    return true;
}

bool charg1::OpenTextNum() {
    TraceDans(m_dossier, "\nEntrée dans OpenTextNum\n");
    if (!m_tnum || !m_positions) {
        TraceDans(m_dossier, "\nLe texte numérisé ne peut contenir %ld items", long(m_nbitem));
        return false;
    }
    std::FILE* f = std::fopen(CheminFichier(".num").c_str(), "rb");
    if (!f) return false;
    std::fill(std::begin(m_carteponct), std::end(m_carteponct), -1);
    for (int32_t e = m_nbform; e < m_nbform + m_nbartponct; ++e)
        m_carteponct[static_cast<unsigned char>(m_lexm[static_cast<size_t>(e)].graphie[0])] = e;
    const bool lu = TraduitTexte(f);
    std::fclose(f);
    if (!lu) return false;

    // Every frequency of the dictionary must be what the text holds.
    for (int32_t e = 0; e < m_nbart; ++e) {
        if (m_debuts[static_cast<size_t>(e) + 1] != m_lexm[static_cast<size_t>(e)].frq) {
            TraceDans(m_dossier, "\nLa fréquence de l'article %ld ne s'accorde pas avec le texte", long(e));
            return false;
        }
    }
    // The occurrence index is built on its first use: a partition or a listing of the dictionary does
    // without it, and its filling writes every position at random.
    m_indexAJour = false;
    m_lecturesSansIndex = 0;
    return true;
}

// Reads nbitem values in blocks straight into tnum, translating the reserved codes and counting the
// occurrences of every entry into m_debuts[e + 1]. A value that is neither an entry nor a reserved
// code, or a file shorter than nbitem values, refuses the text; values beyond nbitem are not read.
bool charg1::TraduitTexte(std::FILE* f) {
    std::fill(m_debuts.begin(), m_debuts.end(), 0);
    int32_t* const tnum = m_tnum.get();
    int32_t* const compte = m_debuts.data() + 1;
    const int32_t pas = m_nbitem / 100;
    const int32_t saut = m_codeSautLigne, nbart = m_nbart, limd = m_limd;
    int32_t lignes = 0;
    // The gauge steps every pas values (once, at the first value, when pas is 0).
    size_t prochainPas = pas == 0 ? 1 : static_cast<size_t>(pas);
    for (size_t fait = 0; fait < static_cast<size_t>(m_nbitem);) {
        const size_t voulu = std::min(ValeursParBloc, static_cast<size_t>(m_nbitem) - fait);
        if (std::fread(tnum + fait, sizeof(int32_t), voulu, f) != voulu) {
            TraceDans(m_dossier, "\nLe texte numérisé compte moins de %ld items", long(m_nbitem));
            return false;
        }
        for (size_t i = fait; i < fait + voulu; ++i) {
            int32_t v = tnum[i];
            if constexpr (std::endian::native == std::endian::big)
                v = static_cast<int32_t>(InverseOctets(static_cast<uint32_t>(v)));
            if (v >= 0 && v < nbart) {
                ++compte[v];
            } else if (v == saut) {
                v = limd + 2 + lignes++;
            } else if (v > saut && v < limd) {
                v = m_carteponct[(limd - 1 - v) & 0xFF];
                if (v < 0) {
                    TraceDans(m_dossier, "\nPonctuation inconnue en position %ld", long(i));
                    return false;
                }
                ++compte[v];
            } else {
                TraceDans(m_dossier, "\nValeur %ld invalide en position %ld", long(v), long(i));
                return false;
            }
            tnum[i] = v;
        }
        fait += voulu;
        if (ArretDemande()) return false;
        for (; prochainPas <= fait;
             prochainPas += pas == 0 ? static_cast<size_t>(m_nbitem) : static_cast<size_t>(pas))
            AppelleGauge(1);
    }
    m_nblignes = lignes;
    return true;
}

void charg1::DesAlloc() {
    m_lexm.reset();
    m_graphies.reset();
    m_tnum.reset();
    m_ftext.reset();
    m_list.reset();
    m_positions.reset();
    m_debuts.clear();
    m_debuts.shrink_to_fit();
    m_formesTriees.clear();
    m_formesTriees.shrink_to_fit();
    m_formesTrieesPretes = false;
    m_indexAJour = false;
    m_charge = false;
}

} // namespace t3
