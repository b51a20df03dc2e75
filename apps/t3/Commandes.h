#pragma once
// The commands of t3. Each command lives in a file of its own and registers itself with
// T3_COMMANDE; main() finds it by name and builds the usage text from every registered command.
#include "LectureArguments.h"
#include "engine/socle/EcritureTable.h"
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace t3 {
class charg1;
}

namespace t3cli {

constexpr int SortieOk = 0;
constexpr int SortieClesIncorrectes = 1;
constexpr int SortieEchec = 2;

struct Commande {
    int rang; // place in the usage text
    const char* nom;
    const char* usage; // French, one or more lines, each starting with two spaces
    int (*executer)(const Arguments&);
};

bool Enregistre(const Commande& commande);
const std::vector<Commande>& Commandes();
std::string TexteUsage();

// A UTF-8 text with its control characters (but tabs and line feeds, the table's own) written \xNN,
// so that a corpus's escape sequences never reach the terminal raw.
std::string SansControles(std::string_view utf8);
// Prints a Windows-1252 text converted to UTF-8, its control characters escaped.
void Affiche(std::FILE* flux, std::string_view texteCp1252);
// An engine's sentence as the rest of a message after "t3 : " (its first letter lower case).
std::string Minuscule(std::string phrase);
// Prints "t3 : message" on the error stream and returns SortieEchec.
int Erreur(const std::string& message);
// The same, followed by the usage text: for a command given what it does not take.
int ErreurEtUsage(const std::string& message);
// Loads the base whose .par is par (the loader finds the other files beside it). A failure carries the
// loader's result, or ChargeErreurParam for a .par that is not there, and the French message.
t3::Resultat<void> OuvreBase(const std::string& par, t3::charg1& base);
// The delimiters given on the terminal (UTF-8) in Windows-1252, or the French message naming the
// characters that Windows-1252 cannot hold (a base could not keep them).
t3::Resultat<std::string> LitDelimiteurs(const std::string& utf8);
// The names of a comma-separated list given on the terminal, converted to Windows-1252; empty names are
// dropped.
std::vector<std::string> Noms(const std::string& liste);
// A key type typed on the terminal (UTF-8) in Windows-1252, or the French message that names the
// characters a base cannot hold.
t3::Resultat<std::string> CleCp1252(const std::string& cleUtf8);
// The key type entry named cleUtf8 (as typed, UTF-8), or the French message "le type de clé « x »
// n'existe pas dans la base ; types de clés : auteur, titre."
t3::Resultat<int32_t> TypeCle(const t3::charg1& base, const std::string& cleUtf8);
// "la forme « x » n'existe pas dans la base." for a form given in Windows-1252.
std::string FormeAbsente(const std::string& forme);

// A command's table on the standard output in UTF-8, tab-separated or CSV as format asks: its texts are
// given in Windows-1252, and their control characters are escaped as Affiche escapes them.
class SortieTableau : public t3::EcrivainTable {
  public:
    explicit SortieTableau(const FormatTableau& format);
};

// Text that is not a table (a page) in Windows-1252, printed on the standard output in UTF-8 (Affiche)
// by large pieces.
class Sortie {
  public:
    Sortie() = default;
    ~Sortie() { Vide(); }
    Sortie(const Sortie&) = delete;
    Sortie& operator=(const Sortie&) = delete;
    Sortie& operator<<(std::string_view texte);
    void Vide();

  private:
    std::string m_texte;
};

} // namespace t3cli

#define T3_CONCAT_(a, b) a##b
#define T3_CONCAT(a, b) T3_CONCAT_(a, b)
#define T3_COMMANDE(...)                                                                                     \
    static const bool T3_CONCAT(t3CommandeEnregistree, __LINE__) =                                           \
        ::t3cli::Enregistre(::t3cli::Commande{__VA_ARGS__})
