#include "engine/segmentation/TranscodeurUtf8.h"

#include "engine/socle/Cp1252.h"

#include <algorithm>
#include <cstring>

#include <unicode/bytestream.h>
#include <unicode/normalizer2.h>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/uscript.h>

namespace t3 {

namespace {

constexpr std::string_view MarqueOrdre = MarqueOrdreUtf8;
constexpr char32_t EspaceFineInsecable = 0x202F;

bool EstContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The code point at i (an ASCII byte as itself); 0 bytes when the bytes there are not UTF-8.
size_t CodeEn(std::string_view t, size_t i, char32_t& u) {
    const unsigned char c = static_cast<unsigned char>(t[i]);
    if (c < 0x80) {
        u = c;
        return 1;
    }
    return DecodeUtf8(t, i, u);
}

bool EstMarqueCombinante(char32_t u) {
    const int8_t type = u_charType(static_cast<UChar32>(u));
    return type == U_NON_SPACING_MARK || type == U_ENCLOSING_MARK || type == U_COMBINING_SPACING_MARK;
}

SorteRemplacement SorteDe(char32_t u) {
    const UChar32 c = static_cast<UChar32>(u);
    if (u == 0x200D || u_hasBinaryProperty(c, UCHAR_EXTENDED_PICTOGRAPHIC) ||
        u_hasBinaryProperty(c, UCHAR_VARIATION_SELECTOR) ||
        u_hasBinaryProperty(c, UCHAR_REGIONAL_INDICATOR) || u_hasBinaryProperty(c, UCHAR_EMOJI_MODIFIER))
        return SorteRemplacement::EmojiSymbole;
    if (EstMarqueCombinante(u)) return SorteRemplacement::AccentCombinant;
    const int32_t masque = U_MASK(u_charType(c));
    if (masque & (U_GC_ZS_MASK | U_GC_ZL_MASK | U_GC_ZP_MASK)) return SorteRemplacement::Espace;
    if (masque & U_GC_P_MASK) return SorteRemplacement::Ponctuation;
    if (masque & U_GC_S_MASK) return SorteRemplacement::EmojiSymbole;
    if (!(masque & U_GC_L_MASK)) return SorteRemplacement::AutreCaractere;
    UErrorCode erreur = U_ZERO_ERROR;
    switch (uscript_getScript(c, &erreur)) {
    case USCRIPT_GREEK:
        return SorteRemplacement::LettreGrecque;
    case USCRIPT_CYRILLIC:
        return SorteRemplacement::LettreCyrillique;
    case USCRIPT_HAN:
    case USCRIPT_HIRAGANA:
    case USCRIPT_KATAKANA:
    case USCRIPT_HANGUL:
    case USCRIPT_BOPOMOFO:
        return SorteRemplacement::Cjk;
    default:
        return SorteRemplacement::AutreLettre;
    }
}

// Where the piece may be cut: before its last ASCII byte, which composes with nothing before it; failing
// one, before its last character that starts a composition anew. What follows the cut is held back.
size_t Coupure(std::string_view t, const icu::Normalizer2& nfc) {
    for (size_t i = t.size(); i-- > 0;)
        if (static_cast<unsigned char>(t[i]) < 0x80) return i;
    for (size_t i = t.size(); i-- > 0;) {
        if (EstContinuation(t[i])) continue;
        char32_t u;
        if (DecodeUtf8(t, i, u) == 0 || nfc.hasBoundaryBefore(static_cast<UChar32>(u))) return i;
    }
    return 0;
}

} // namespace

const char* LibelleSorte(SorteRemplacement sorte) {
    switch (sorte) {
    case SorteRemplacement::LettreGrecque:
        return "lettres grecques";
    case SorteRemplacement::LettreCyrillique:
        return "lettres cyrilliques";
    case SorteRemplacement::Cjk:
        return "idéogrammes et syllabes CJK";
    case SorteRemplacement::AutreLettre:
        return "autres lettres";
    case SorteRemplacement::AccentCombinant:
        return "accents combinants";
    case SorteRemplacement::EmojiSymbole:
        return "emoji et symboles";
    case SorteRemplacement::Espace:
        return "espaces";
    case SorteRemplacement::Ponctuation:
        return "ponctuations";
    case SorteRemplacement::AutreCaractere:
        return "autres caractères";
    case SorteRemplacement::OctetNonUtf8:
        return "octets non UTF-8 lus en Windows-1252";
    }
    return "?";
}

std::string MessageRemplacements(const RapportRemplacements& rapport) {
    if (rapport.Vide()) return {};
    std::string detail;
    for (size_t k = 0; k < NbSortesRemplacement; ++k) {
        if (rapport.parSorte[k] == 0) continue;
        if (!detail.empty()) detail += ", ";
        detail += LibelleSorte(static_cast<SorteRemplacement>(k));
        detail += " : " + std::to_string(rapport.parSorte[k]);
    }
    std::string message = "Attention : " + std::to_string(rapport.total) +
                          " caractère(s) absent(s) de Windows-1252 remplacé(s) (" + detail + ")";
    if (rapport.marques > 0) message += ", dont " + std::to_string(rapport.marques) + " par la marque ¤";
    message += " ; le premier à la ligne " + std::to_string(rapport.lignePremier);
    if (rapport.parSorte[IndexNonUtf8] > 0 && rapport.ligneNonUtf8 != rapport.lignePremier)
        message += ", le premier octet non UTF-8 à la ligne " + std::to_string(rapport.ligneNonUtf8);
    return message + ".";
}

TranscodeurUtf8::TranscodeurUtf8() {
    UErrorCode erreur = U_ZERO_ERROR;
    m_nfc = icu::Normalizer2::getNFCInstance(erreur);
    if (U_FAILURE(erreur)) m_nfc = nullptr;
}

TranscodeurUtf8::~TranscodeurUtf8() = default;

void TranscodeurUtf8::Convertit(std::string_view morceau, bool fin, std::string& sortie) {
    m_octets += static_cast<int64_t>(morceau.size());
    if (!m_debut) {
        ConvertitMorceau(morceau, fin, sortie);
        return;
    }
    // The byte-order mark is told by the first three bytes.
    m_report.append(morceau);
    if (m_report.size() < MarqueOrdre.size() && !fin) return;
    const std::string tete = std::move(m_report);
    m_report.clear();
    m_debut = false;
    std::string_view texte = tete;
    m_marque = texte.substr(0, MarqueOrdre.size()) == MarqueOrdre;
    if (m_marque) texte.remove_prefix(MarqueOrdre.size());
    ConvertitMorceau(texte, fin, sortie);
}

void TranscodeurUtf8::ConvertitMorceau(std::string_view texte, bool fin, std::string& sortie) {
    if (!m_report.empty()) {
        // The held-back end goes on up to the piece's first ASCII byte, where no composition goes on:
        // that much is converted apart, and the piece is not copied.
        size_t ascii = 0;
        while (ascii < texte.size() && static_cast<unsigned char>(texte[ascii]) >= 0x80)
            ++ascii;
        std::string joint = std::move(m_report);
        m_report.clear();
        joint.append(texte.substr(0, ascii));
        texte.remove_prefix(ascii);
        if (texte.empty()) {
            ConvertitMorceau(joint, fin, sortie);
            return;
        }
        ConvertitNormalise(joint, sortie);
    }
    size_t coupure = texte.size();
    if (!fin && m_nfc) {
        coupure = Coupure(texte, *m_nfc);
        m_report.assign(texte.substr(coupure));
    }
    ConvertitNormalise(texte.substr(0, coupure), sortie);
}

Encodage TranscodeurUtf8::Verdict() const {
    return LuEnUtf8(m_marque, m_multiOctets > 0, m_rapport.parSorte[IndexNonUtf8], m_octets)
               ? Encodage::Utf8
               : Encodage::Cp1252;
}

// The conversion of a text whose every character Windows-1252 holds, which is in NFC already (no such
// character composes with another); false, with nothing written, at the first other character or byte
// that is not UTF-8.
bool TranscodeurUtf8::ConvertitSimple(std::string_view s, std::string& sortie) {
    // Each character gives one byte: the text is written in place, at most as long as it is.
    const size_t avant = sortie.size();
    int64_t multiOctets = 0; // counted once the whole text is converted here
    sortie.resize(avant + s.size());
    char* ecrit = sortie.data() + avant;
    const auto octetDe = [](unsigned char c) { return static_cast<unsigned char>(c); };
    for (size_t i = 0; i < s.size();) {
        const size_t j = ProchainNonAscii(s, i);
        std::memcpy(ecrit, s.data() + i, j - i);
        ecrit += j - i;
        i = j;
        if (i == s.size()) break;
        const unsigned char c = octetDe(s[i]);
        // Latin-1 letters, the most frequent: two bytes, C2 or C3 then a continuation byte.
        if ((c == 0xC3 || c == 0xC2) && i + 1 < s.size() && EstContinuation(s[i + 1]) &&
            (c == 0xC3 || octetDe(s[i + 1]) >= 0xA0)) {
            *ecrit++ = static_cast<char>(((c & 0x1F) << 6) | (octetDe(s[i + 1]) & 0x3F));
            i += 2;
            ++multiOctets;
            continue;
        }
        char32_t u;
        const size_t n = DecodeUtf8(s, i, u);
        const int octet = n == 0 ? -1 : OctetCp1252(u);
        if (octet < 0) {
            sortie.resize(avant);
            return false;
        }
        ++multiOctets;
        *ecrit++ = static_cast<char>(octet);
        i += n;
    }
    sortie.resize(static_cast<size_t>(ecrit - sortie.data()));
    m_multiOctets += multiOctets;
    if (SuitLesLignes()) m_ligneSegment += std::count(s.begin(), s.end(), '\n');
    return true;
}

// Composes the text if it needs it, then converts. Bytes that are not UTF-8 (in a text declared UTF-8)
// are passed over by the composition, which takes the runs between them.
void TranscodeurUtf8::ConvertitNormalise(std::string_view texte, std::string& sortie) {
    if (ConvertitSimple(texte, sortie)) return;
    UErrorCode erreur = U_ZERO_ERROR;
    const auto morceau = [](std::string_view t) {
        return icu::StringPiece(t.data(), static_cast<int32_t>(t.size()));
    };
    if (!m_nfc || m_nfc->isNormalizedUTF8(morceau(texte), erreur)) {
        ConvertitSegment(texte, sortie);
        return;
    }
    m_normalise.clear();
    icu::StringByteSink<std::string> puits(&m_normalise);
    for (size_t debut = 0; debut < texte.size();) {
        size_t fin = ProchainNonAscii(texte, debut);
        for (char32_t u; fin < texte.size(); fin = ProchainNonAscii(texte, fin)) {
            const size_t n = DecodeUtf8(texte, fin, u);
            if (n == 0) break;
            fin += n;
        }
        const std::string_view valide = texte.substr(debut, fin - debut);
        erreur = U_ZERO_ERROR;
        if (m_nfc->isNormalizedUTF8(morceau(valide), erreur))
            m_normalise.append(valide);
        else
            m_nfc->normalizeUTF8(0, morceau(valide), puits, nullptr, erreur);
        if (fin < texte.size()) m_normalise += texte[fin++]; // the stray byte
        debut = fin;
    }
    ConvertitSegment(m_normalise, sortie);
}

void TranscodeurUtf8::ConvertitSegment(std::string_view s, std::string& sortie) {
    sortie.reserve(sortie.size() + s.size());
    size_t i = 0;
    while (i < s.size()) {
        const size_t j = ProchainNonAscii(s, i);
        sortie.append(s.data() + i, j - i);
        i = j;
        if (i == s.size()) break;
        char32_t u;
        const size_t n = DecodeUtf8(s, i, u);
        if (n == 0) { // kept as the Windows-1252 byte it may be
            sortie += s[i];
            Compte(SorteRemplacement::OctetNonUtf8, s, i);
            ++i;
        } else if (const int octet = OctetCp1252(u); octet >= 0) {
            ++m_multiOctets;
            sortie += static_cast<char>(octet);
            i += n;
        } else if (u == EspaceFineInsecable) {
            ++m_multiOctets;
            sortie += '\xA0';
            Compte(SorteRemplacement::Espace, s, i);
            i += n;
        } else {
            ++m_multiOctets;
            i = Remplace(s, i, sortie);
        }
    }
    if (SuitLesLignes()) m_ligneSegment += std::count(s.begin(), s.end(), '\n');
}

// Replaces the run of characters that the code page cannot hold starting at debut; returns where the run
// ends. Combining marks that composed with nothing the code page holds are dropped, their letter kept
// (q̃ gives q, é̃ gives é); they are counted like every other replacement.
size_t TranscodeurUtf8::Remplace(std::string_view s, size_t debut, std::string& sortie) {
    char32_t u = 0;
    CodeEn(s, debut, u);
    const bool marques = EstMarqueCombinante(u);
    size_t fin = debut;
    for (size_t n; fin < s.size(); fin += n) {
        n = CodeEn(s, fin, u);
        if (n == 0 || OctetCp1252(u) >= 0 || u == EspaceFineInsecable || EstMarqueCombinante(u) != marques)
            break;
        Compte(SorteDe(u), s, fin);
    }
    if (marques) return fin;
    if (!m_translit && !m_translitEchoue) {
        UErrorCode erreur = U_ZERO_ERROR;
        m_translit.reset(
            icu::Transliterator::createInstance("Any-Latin; Latin-ASCII", UTRANS_FORWARD, erreur));
        m_translitEchoue = U_FAILURE(erreur) || !m_translit;
    }
    icu::UnicodeString texte =
        icu::UnicodeString::fromUTF8(icu::StringPiece(s.data() + debut, static_cast<int32_t>(fin - debut)));
    if (m_translit)
        m_translit->transliterate(texte);
    else
        texte.remove();
    if (texte.isEmpty()) { // nothing to write: one mark per character replaced
        for (size_t k = debut; k < fin; k += std::max<size_t>(1, CodeEn(s, k, u))) {
            sortie += MarqueRemplacement;
            ++m_rapport.marques;
        }
        return fin;
    }
    for (int32_t k = 0; k < texte.length();) {
        const UChar32 c = texte.char32At(k);
        k += U16_LENGTH(c);
        const int octet = OctetCp1252(static_cast<char32_t>(c));
        if (octet >= 0x20 && octet != '<' && octet != '>') {
            sortie += static_cast<char>(octet);
        } else {
            sortie += MarqueRemplacement;
            ++m_rapport.marques;
        }
    }
    return fin;
}

void TranscodeurUtf8::Compte(SorteRemplacement sorte, std::string_view texte, size_t position) {
    if (SuitLesLignes()) {
        const int64_t ligne =
            m_ligneSegment +
            std::count(texte.begin(), texte.begin() + static_cast<std::ptrdiff_t>(position), '\n');
        if (m_rapport.total == 0) m_rapport.lignePremier = ligne;
        if (sorte == SorteRemplacement::OctetNonUtf8 && m_rapport.ligneNonUtf8 == 0)
            m_rapport.ligneNonUtf8 = ligne;
    }
    ++m_rapport.parSorte[static_cast<size_t>(sorte)];
    ++m_rapport.total;
}

std::string TranscodeUtf8(std::string_view texte, RapportRemplacements* rapport) {
    TranscodeurUtf8 transcodeur;
    std::string sortie;
    transcodeur.Convertit(texte, true, sortie);
    if (rapport) *rapport = transcodeur.Rapport();
    return sortie;
}

} // namespace t3
