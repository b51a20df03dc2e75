#include "engine/segmentation/DecoupeurTexte.h"

#include "engine/Globaux.h"
#include "engine/segmentation/TableJetons.h"
#include "engine/socle/TaillesTampons.h"
#include "engine/socle/Trace.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace t3 {

namespace {
constexpr size_t TailleMorceau = TailleTamponLecture;
// A key stretched over more than this (a run of spaces inside it) is refused.
constexpr size_t ReportMax = 16 << 20;
// Zero bytes after the text and after each key part: the hash reads up to 7 bytes past a token.
constexpr size_t Marge = 16;
constexpr int32_t ItemsMax = INT32_MAX - 2;
constexpr unsigned char EspaceInsecable = 0xA0;
} // namespace

DecoupeurTexte::~DecoupeurTexte() {
    if (m_fichier) std::fclose(m_fichier);
}

bool DecoupeurTexte::Ouvre(const std::string& chemin) {
    m_fichier = std::fopen(chemin.c_str(), "rb");
    return m_fichier != nullptr;
}

void DecoupeurTexte::Refuse(Morceau& m, ResultatSegm refus, std::string trace) {
    m.refus = refus;
    m.trace = std::move(trace);
    m_termine = true;
}

// Puts the carried bytes, then as much of the file as a chunk holds, into the chunk.
bool DecoupeurTexte::Remplit(Morceau& m) {
    const size_t place = m_report.size() + TailleMorceau;
    if (m.octets.size() < place + Marge) m.octets.resize(place + Marge);
    if (m.jetons.capacity() == 0) m.jetons.reserve(TailleMorceau / 4);
    std::copy(m_report.begin(), m_report.end(), m.octets.begin());
    size_t taille = m_report.size();
    while (!m_finFichier && taille < place) {
        const size_t lus = std::fread(m.octets.data() + taille, 1, place - taille, m_fichier);
        taille += lus;
        if (lus == 0) {
            m_finFichier = true;
            m_erreurLecture = std::ferror(m_fichier) != 0;
        }
    }
    m.taille = taille;
    std::fill_n(m.octets.begin() + static_cast<std::ptrdiff_t>(taille), Marge, 0);
    m_report.clear();
    return taille > 0;
}

// One part of a key, its spaces dropped, up to the byte finPartie (not kept).
DecoupeurTexte::Cle DecoupeurTexte::LitPartieCle(Morceau& m, size_t& i, size_t fin, unsigned char finPartie,
                                                 unsigned char classe) {
    const size_t debut = m.cles.size();
    size_t n = 0;
    for (;; ++i) {
        if (i == fin) {
            m.cles.resize(debut);
            if (!m_finFichier) return Cle::Incomplete;
            Refuse(m, ResultatSegm::CleIncorrecte,
                   "\nClé non fermée en fin de texte : segmentation abandonnée");
            return Cle::Refusee;
        }
        const unsigned char c = m.octets[i];
        if (c == finPartie) break;
        if (c == ' ') continue;
        if (c < 32) {
            Refuse(m, ResultatSegm::CleIncorrecte,
                   "\nClé portant un caractère de contrôle : segmentation abandonnée");
            return Cle::Refusee;
        }
        if (n == LongueurMaxCle) {
            Refuse(m, ResultatSegm::CleTropLongue,
                   Formate("\nClé de plus de %ld caractères : segmentation abandonnée",
                           static_cast<long>(LongueurMaxCle)));
            return Cle::Refusee;
        }
        m.cles.push_back(c);
        ++n;
    }
    ++i;
    if (n == 0) {
        Refuse(m, ResultatSegm::CleIncorrecte, "\nClé sans type ou sans contenu : segmentation abandonnée");
        return Cle::Refusee;
    }
    m.cles.resize(m.cles.size() + Marge, 0);
    const unsigned char* texte = m.cles.data() + debut;
    m.jetons.push_back(Jeton{static_cast<uint32_t>(debut), static_cast<uint8_t>(n), classe,
                             HacheJeton(classe, texte, n), 0});
    return Cle::Lue;
}

// A key from the "<" at i: its type up to the first "=", its content up to the next ">".
DecoupeurTexte::Cle DecoupeurTexte::LitCle(Morceau& m, size_t& i, size_t fin) {
    const size_t debut = i, jetons = m.jetons.size(), cles = m.cles.size();
    ++i;
    Cle lue = LitPartieCle(m, i, fin, '=', '2');
    if (lue == Cle::Lue) lue = LitPartieCle(m, i, fin, '>', '3');
    if (lue == Cle::Incomplete) { // read again whole from the next chunk
        m.jetons.resize(jetons);
        m.cles.resize(cles);
        i = debut;
    }
    return lue;
}

bool DecoupeurTexte::Decoupe(Morceau& m) {
    m.jetons.clear();
    m.cles.clear();
    m.refus = ResultatSegm::Ok;
    if (m_termine || !Remplit(m)) return false;
    const size_t fin = m.taille;
    const unsigned char* b = m.octets.data();
    size_t i = 0;
    while (i < fin) {
        if (nbItems >= ItemsMax) {
            Refuse(m, ResultatSegm::TexteTropLong,
                   Formate("\nTexte trop long : plus de %ld items", static_cast<long>(ItemsMax)));
            return true;
        }
        const unsigned char c = b[i];
        if (m_mot[c]) {
            if (!m_finFichier && fin - i < LongueurMaxForme + 1) break; // the form may go on in the file
            const size_t limite = std::min(fin - i, LongueurMaxForme);
            size_t n = 1;
            while (n < limite && m_mot[b[i + n]])
                ++n;
            // A form of full length followed by a word character is a cut: each run counts once.
            const bool coupee = n == LongueurMaxForme && i + n < fin && m_mot[b[i + n]];
            if (coupee && !m_enSuite && suitesCoupees++ == 0) ligneSuiteCoupee = m_ligne;
            m_enSuite = coupee;
            m.jetons.push_back(
                Jeton{static_cast<uint32_t>(i), static_cast<uint8_t>(n), '0', HacheJeton('0', b + i, n), 0});
            i += n;
            ++nbItems;
            ++nbOcc;
        } else if (c == '\n') {
            ++m_ligne;
            m.jetons.push_back(Jeton{0, 0, 0, 0, CodeSautLigne});
            ++i;
            ++nbItems;
        } else if (c <= 32) {
            ++i; // spaces and control characters separate tokens and give no item
        } else if (c == '<') {
            const Cle lue = LitCle(m, i, fin);
            if (lue == Cle::Refusee) return true;
            if (lue == Cle::Incomplete) break;
            nbItems += 2;
        } else if (c == EspaceInsecable && m_insecableBlanc) {
            ++i;
        } else {
            m.jetons.push_back(Jeton{0, 0, 0, 0, CodePonct(c)});
            ++cptPonct[c];
            ++i;
            ++nbItems;
        }
    }
    m_report.assign(m.octets.begin() + static_cast<std::ptrdiff_t>(i),
                    m.octets.begin() + static_cast<std::ptrdiff_t>(fin));
    if (m_report.size() > ReportMax) {
        Refuse(m, ResultatSegm::CleTropLongue,
               Formate("\nClé de plus de %ld caractères : segmentation abandonnée",
                       static_cast<long>(LongueurMaxCle)));
    }
    return true;
}

} // namespace t3
