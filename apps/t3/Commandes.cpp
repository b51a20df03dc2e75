#include "Commandes.h"

#include "engine/corpus/Cles.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/Cp1252.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>

namespace t3cli {

namespace {
std::vector<Commande>& Registre() {
    static std::vector<Commande> commandes;
    return commandes;
}
} // namespace

bool Enregistre(const Commande& commande) {
    auto& commandes = Registre();
    commandes.push_back(commande);
    std::sort(commandes.begin(), commandes.end(),
              [](const Commande& a, const Commande& b) { return a.rang < b.rang; });
    return true;
}

const std::vector<Commande>& Commandes() {
    return Registre();
}

std::string TexteUsage() {
    std::string texte = "Usage : t3 COMMANDE [OPTIONS]\n\nCommandes :\n";
    for (const Commande& c : Commandes())
        texte += c.usage;
    texte +=
        "  --help              affiche cette aide\n"
        "\n"
        "Les corpus et les bases sont en Windows-1252 ; t3 écrit en UTF-8 sur le terminal.\n"
        "Les tableaux ont une ligne d'en-tête et leurs colonnes séparées par des tabulations ; avec --csv,\n"
        "ils sont écrits en CSV (virgules, guillemets autour des champs qui en contiennent, fins de ligne\n"
        "LF), précédés avec --bom de la marque d'ordre des octets UTF-8.\n"
        "Code de sortie : 0 en cas de succès, 1 si des clés sont incorrectes, 2 pour toute autre erreur.\n";
    return texte;
}

namespace {

// False when none of the 8 bytes of w may need an escape: none below 0x20 but a tab or a line feed,
// none 0x7F or 0xC2. Bit tricks: the high bit of each byte of Moins(x, n) tells whether that byte of x
// is below n (n at most 0x80), that of Egal(x, c) whether it is c.
bool PeutContenirControle(uint64_t w) {
    constexpr uint64_t Un = 0x0101010101010101ull, Haut = 0x8080808080808080ull;
    const auto moins = [](uint64_t x, uint64_t n) { return ~((x | Haut) - n * Un) & ~x & Haut; };
    const auto egal = [&](uint64_t x, uint64_t c) { return moins(x ^ (c * Un), 1); };
    const uint64_t controles = moins(w, 0x20) & ~egal(w, '\t') & ~egal(w, '\n');
    return (controles | egal(w, 0x7F) | egal(w, 0xC2)) != 0;
}

} // namespace

std::string SansControles(std::string_view utf8) {
    std::string sur;
    sur.reserve(utf8.size());
    size_t copie = 0; // the bytes from copie on are not in sur yet
    for (size_t i = 0; i < utf8.size();) {
        // Eight bytes at a time past the text that needs nothing, the usual case.
        if (i + 8 <= utf8.size()) {
            uint64_t mot;
            std::memcpy(&mot, utf8.data() + i, 8);
            if (!PeutContenirControle(mot)) {
                i += 8;
                continue;
            }
        }
        for (const size_t fin = std::min(utf8.size(), i + 8); i < fin; ++i) {
            const unsigned char c = static_cast<unsigned char>(utf8[i]);
            // U+0080 to U+009F are C1 controls, written 0xC2 0x80 to 0xC2 0x9F.
            const bool c1 =
                c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0;
            if (!((c < 0x20 && c != '\t' && c != '\n') || c == 0x7F || c1)) continue;
            sur.append(utf8.substr(copie, i - copie));
            const unsigned valeur = c1 ? static_cast<unsigned char>(utf8[++i]) : c;
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", valeur);
            sur += code;
            copie = i + 1;
        }
    }
    sur.append(utf8.substr(copie));
    return sur;
}

void Affiche(std::FILE* flux, std::string_view texteCp1252) {
    const std::string utf8 = SansControles(t3::Cp1252VersUtf8(texteCp1252));
    std::fwrite(utf8.data(), 1, utf8.size(), flux);
}

std::string Minuscule(std::string phrase) {
    if (!phrase.empty() && phrase[0] >= 'A' && phrase[0] <= 'Z')
        phrase[0] = static_cast<char>(phrase[0] - 'A' + 'a');
    return phrase;
}

int Erreur(const std::string& message) {
    // A message quotes names and tokens that the user or a file gave: never an escape sequence.
    std::fprintf(stderr, "t3 : %s\n", SansControles(message).c_str());
    return SortieEchec;
}

int ErreurEtUsage(const std::string& message) {
    return Erreur(message + "\n" + TexteUsage());
}

t3::Resultat<std::string> LitDelimiteurs(const std::string& utf8) {
    const std::string absents = t3::HorsCp1252(utf8);
    if (!absents.empty())
        return Faute(
            "ces caractères ne peuvent servir de délimiteurs (ils n'existent pas en Windows-1252) : " +
            absents);
    return t3::Utf8VersCp1252(utf8);
}

std::vector<std::string> Noms(const std::string& liste) {
    std::vector<std::string> noms;
    size_t debut = 0;
    while (debut <= liste.size()) {
        size_t fin = liste.find(',', debut);
        if (fin == std::string::npos) fin = liste.size();
        if (fin > debut) noms.push_back(t3::Utf8VersCp1252(liste.substr(debut, fin - debut)));
        debut = fin + 1;
    }
    return noms;
}

t3::Resultat<std::string> CleCp1252(const std::string& cleUtf8) {
    // Converted as it is, a key type of Greek letters would be looked up, and named, as "?????".
    if (const std::string absents = t3::HorsCp1252(cleUtf8); !absents.empty())
        return t3::Echec{t3::TypeCleInconnu, "le type de clé « " + cleUtf8 +
                                                 " » ne peut exister dans une base : ces caractères "
                                                 "n'existent pas en Windows-1252 : " +
                                                 absents + "."};
    return t3::Utf8VersCp1252(cleUtf8);
}

t3::Resultat<int32_t> TypeCle(const t3::charg1& base, const std::string& cleUtf8) {
    const t3::Resultat<std::string> lue = CleCp1252(cleUtf8);
    if (!lue) return t3::Echec{lue.Code(), lue.Message()};
    const std::string& cle = *lue;
    const int32_t type = t3::RetourneTypeCle(base, cle);
    if (type < 0)
        return t3::Echec{t3::TypeCleInconnu, "le type de clé « " + t3::Cp1252VersUtf8(cle) +
                                                 " » n'existe pas dans la base ; types de clés : " +
                                                 t3::Cp1252VersUtf8(t3::TypesDeCles(base)) + "."};
    return type;
}

std::string FormeAbsente(const std::string& forme) {
    return "la forme « " + t3::Cp1252VersUtf8(forme) + " » n'existe pas dans la base.";
}

namespace {

// Whether SansControles would change the text: the tables seldom hold a control, and are then written
// as they are, without a copy. The bytes are first looked at by blocks, for any byte that may begin a
// control (0xC2 begins U+0080 to U+00BF), in a loop the compiler runs on several bytes at once.
bool AControles(std::string_view utf8) {
    constexpr size_t Bloc = 64;
    const auto* const octets = reinterpret_cast<const unsigned char*>(utf8.data());
    for (size_t debut = 0; debut < utf8.size(); debut += Bloc) {
        const size_t fin = std::min(debut + Bloc, utf8.size());
        unsigned suspect = 0;
        for (size_t i = debut; i < fin; ++i) {
            const unsigned c = octets[i];
            suspect |= ((c < 0x20) & (c != '\t') & (c != '\n')) | (c == 0x7F) | (c == 0xC2);
        }
        if (!suspect) continue;
        for (size_t i = debut; i < fin; ++i) {
            const unsigned char c = octets[i];
            if ((c < 0x20 && c != '\t' && c != '\n') || c == 0x7F) return true;
            if (c == 0xC2 && i + 1 < utf8.size() && octets[i + 1] < 0xA0) return true;
        }
    }
    return false;
}

} // namespace

SortieTableau::SortieTableau(const FormatTableau& format)
    : t3::EcrivainTable(
          [](std::string_view utf8) {
              // A piece ends with a whole row: never between the two bytes of a C1 control.
              if (!AControles(utf8)) return std::fwrite(utf8.data(), 1, utf8.size(), stdout) == utf8.size();
              const std::string sur = SansControles(utf8);
              return std::fwrite(sur.data(), 1, sur.size(), stdout) == sur.size();
          },
          {format.csv ? t3::FormatTable::Csv : t3::FormatTable::Tabulations, format.bom}) {}

Sortie& Sortie::operator<<(std::string_view texte) {
    m_texte += texte;
    if (m_texte.size() > (1 << 20)) Vide();
    return *this;
}

void Sortie::Vide() {
    Affiche(stdout, m_texte);
    m_texte.clear();
}

t3::Resultat<void> OuvreBase(const std::string& par, t3::charg1& base) {
    std::error_code erreur;
    if (!std::filesystem::is_regular_file(par, erreur))
        return t3::Echec{t3::ChargeErreurParam, "la base " + par + " n'existe pas."};
    const t3::Resultat<void> chargee = base.Charge(par);
    if (!chargee) return t3::Echec{chargee.Code(), par + " : " + chargee.Message()};
    return {};
}

} // namespace t3cli
