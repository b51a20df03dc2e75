#include "engine/segmentation/VerifCles.h"

#include "engine/segmentation/LecteurOctets.h"
#include "engine/segmentation/SegmPrinc.h"
#include "engine/segmentation/TexteCorpus.h"
#include "engine/socle/Cp1252.h"
#include "engine/socle/Trace.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string_view>

namespace t3 {

namespace {

std::string NonLu(const std::string& chemin) {
    std::error_code erreur;
    if (std::filesystem::is_directory(chemin, erreur))
        return "« " + chemin + " » est un dossier, pas un fichier texte.";
    return "Le fichier « " + chemin + " » ne peut pas être lu.";
}

Echec EchecTrace() {
    return Echec{VerifCorpusEstLaTrace, MessageSegm(ResultatSegm::CorpusEstLaTrace)};
}

// The key buffer holds 250 characters, the opening "<" included.
constexpr int TailleTamponCle = 250;

// A control character (a tab, a line end, a zero byte) in a key would cut its line of the dictionary.
bool EstControle(char c) {
    return static_cast<unsigned char>(c) < 32;
}

class Verificateur {
  public:
    explicit Verificateur(std::vector<MessageCle>* messages) : m_messages(messages) {}

    Resultat<int32_t> Verifie(const TexteCorpus& texte);

  private:
    void Signale(bool erreur, const char* format, std::string_view cle);
    void VerifieCle(std::string_view b);
    void VerifieParties(std::string_view type, std::string_view contenu, std::string_view cle);

    std::vector<MessageCle>* m_messages;
    long m_ligne = 1;
    int32_t m_erreurs = 0;
};

void Verificateur::Signale(bool erreur, const char* format, std::string_view cle) {
    std::string texte = Formate(format, m_ligne, std::string(cle).c_str());
    TraceTexte(texte);
    if (erreur) ++m_erreurs;
    if (m_messages) m_messages->push_back({erreur, std::move(texte)});
}

// The checks of one key; b holds the key as read, from its "<" to its last character.
void Verificateur::VerifieCle(std::string_view b) {
    const size_t j = b.size() - 1;
    const bool fermee = b[j] == '>';
    size_t e = 0;
    if (!fermee) {
        Signale(true, "\nL%5ld Clé incorrecte \t\t\t\t\t\t\t\t: %s", b);
    } else {
        e = b.find('=');
        if (e == std::string_view::npos) {
            Signale(true, "\nL%5ld Clé incorrecte (pas d'=)\t\t\t\t\t: %s", b);
            e = 0;
        }
    }
    const auto sauteEspaces = [&](size_t p) {
        while (p < b.size() && b[p] == ' ')
            ++p;
        return p;
    };
    size_t p = sauteEspaces(0);
    while (p < e && b[p] != ' ')
        ++p;
    if (sauteEspaces(p) != e) Signale(true, "\nL%5ld Clé incorrecte (espace dans type) \t\t: %s", b);

    if (e + 1 > j) return; // a lone "<" at the end of the text: nothing follows it
    if (b[e + 1] == '>') Signale(true, "\nL%5ld Clé incorrecte (pas de contenu) \t\t: %s", b);
    p = sauteEspaces(e + 1);
    while (p < j && b[p] != ' ')
        ++p;
    if (sauteEspaces(p) != j) Signale(true, "\nL%5ld Clé incorrecte (espace dans contenu)  : %s", b);

    if (fermee && e > 0) VerifieParties(b.substr(1, e - 1), b.substr(e + 1, j - e - 1), b);
}

// Faults that would give a base whose dictionary cannot be read back: a type or content that is empty
// once its spaces are dropped, that holds a control character (a tab, a line end), or that overflows the
// segmentation's token buffer.
void Verificateur::VerifieParties(std::string_view type, std::string_view contenu, std::string_view cle) {
    const auto longueurSansEspaces = [](std::string_view s) {
        return static_cast<size_t>(std::count_if(s.begin(), s.end(), [](char c) { return c != ' '; }));
    };
    const size_t lgType = longueurSansEspaces(type), lgContenu = longueurSansEspaces(contenu);
    if (lgType == 0) Signale(true, "\nL%5ld Clé incorrecte (pas de type) \t\t\t: %s", cle);
    if (lgContenu == 0 && !contenu.empty())
        Signale(true, "\nL%5ld Clé incorrecte (pas de contenu) \t\t: %s", cle);
    if (std::any_of(type.begin(), type.end(), EstControle) ||
        std::any_of(contenu.begin(), contenu.end(), EstControle))
        Signale(true, "\nL%5ld Clé incorrecte (caractère de contrôle) \t: %s", cle);
    if (lgType > LongueurMaxCle || lgContenu > LongueurMaxCle)
        Signale(true, "\nL%5ld Clé incorrecte (type ou contenu trop long) \t: %s", cle);
}

// The bytes that the verification looks at.
constexpr auto Remarquable = [] {
    std::array<bool, 256> t{};
    t['<'] = t['>'] = t['\n'] = true;
    return t;
}();

// The position of the first byte of p[0, n) that the verification looks at, or n. Eight bytes at a time:
// a byte equal to c leaves a zero byte in w ^ c...c, and the zero bytes are flagged exactly (no carry
// crosses from one byte into the next), so that the first flag is the first match in either byte order.
size_t PremierRemarquable(const unsigned char* p, size_t n) {
    constexpr uint64_t Uns = 0x0101010101010101ull, Bas = 0x7F7F7F7F7F7F7F7Full;
    const auto egaux = [](uint64_t w, unsigned char c) { // the high bit of each byte of w equal to c
        const uint64_t x = w ^ (Uns * c);
        return ~(((x & Bas) + Bas) | x | Bas);
    };
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t w;
        std::memcpy(&w, p + i, 8);
        const uint64_t trouves = egaux(w, '<') | egaux(w, '>') | egaux(w, '\n');
        if (trouves != 0) {
            if constexpr (std::endian::native == std::endian::little)
                return i + static_cast<size_t>(std::countr_zero(trouves)) / 8;
            else
                return i + static_cast<size_t>(std::countl_zero(trouves)) / 8;
        }
    }
    while (i < n && !Remarquable[p[i]])
        ++i;
    return i;
}

// Skips the bytes that the verification does not look at, a buffer at a time.
void PasseLeTexteOrdinaire(LecteurOctets& texte) {
    while (texte.Assure(1) > 0) {
        const size_t n = texte.Disponible();
        const size_t i = PremierRemarquable(texte.Courant(), n);
        texte.Avance(i);
        if (i < n) return;
    }
}

Resultat<int32_t> Verificateur::Verifie(const TexteCorpus& corpus) {
    const std::string& chemin = corpus.Chemin();
    // Starting the trace anew would empty the corpus.
    if (EstLaTrace(chemin)) return EchecTrace();
    TraceNouvelle("\n*****COMPTE-RENDU DE LA SEGMENTATION*****\n\n");
    LecteurOctets texte;
    std::error_code erreur;
    if (!std::filesystem::is_regular_file(chemin, erreur) || !texte.Ouvre(corpus.CheminLu().c_str())) {
        Trace("\nfichier %s pas ouvert !", chemin.c_str());
        return Echec{VerifTexteIllisible, NonLu(chemin)};
    }
    Trace("Fichier -- %s -- ouvert pour vérification", chemin.c_str());
    // The transcoding keeps every line feed and writes none: the lines are the user's.
    if (corpus.Transcode()) Trace("\nTexte en UTF-8, converti en Windows-1252 pour la vérification");
    char b[TailleTamponCle];
    for (;;) {
        PasseLeTexteOrdinaire(texte);
        const int c = texte.Lit();
        if (c == -1) break;
        if (c == '\n') {
            ++m_ligne;
        } else if (c == '>') {
            Signale(false, "\nL%5ld Clé incorrecte \t\t\t\t\t\t\t\t: %s",
                    "Mauvais emplacement de balise de fermeture");
        } else if (c == '<') {
            int j = 0;
            b[0] = '<';
            while (j < TailleTamponCle - 1) {
                const int d = texte.Lit();
                if (d == -1) break;
                b[++j] = static_cast<char>(d);
                if (d == '\n') ++m_ligne;
                if (d == '>') break;
                if (d == '<') {
                    texte.Rend();
                    break;
                }
            }
            VerifieCle(std::string_view(b, j + 1));
        }
    }
    Trace("\n*****Fin de la vérification******");
    return m_erreurs;
}

} // namespace

Resultat<int32_t> VerifCles(const TexteCorpus& texte, std::vector<MessageCle>* messages) {
    return Verificateur(messages).Verifie(texte);
}

Resultat<int32_t> VerifCles(const std::string& chemin, std::vector<MessageCle>* messages) {
    // The trace would be read as a corpus and transcoded for nothing.
    if (EstLaTrace(chemin)) return EchecTrace();
    TexteCorpus texte(chemin);
    if (!texte.Prepare()) {
        TraceNouvelle("\n*****COMPTE-RENDU DE LA SEGMENTATION*****\n\n");
        Trace("\n%s : %s", chemin.c_str(), Utf8VersCp1252(MessageTranscodage(texte)).c_str());
        return Echec{VerifTexteNonConverti, MessageTranscodage(texte)};
    }
    return VerifCles(texte, messages);
}

} // namespace t3
