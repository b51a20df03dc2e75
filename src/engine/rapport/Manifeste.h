#pragma once
// The manifest of a published report: what made it, so that it can be made again and checked — the
// program's version, the date, the command, every parameter, the corpus and each file of the base with
// its SHA-256, the versions of the libraries that computed, and the parameters of each entry's window.
// Written beside index.htm as "manifeste.txt" (one "name : value" a line, UTF-8) and "manifeste.htm".
#include "engine/socle/Resultat.h"

#include <string>
#include <vector>

namespace t3 {

class Partition;
class charg1;

inline constexpr char NomManifesteTexte[] = "manifeste.txt";
inline constexpr char NomManifestePage[] = "manifeste.htm";

// One line of the manifest; every text in UTF-8.
struct ChampManifeste {
    std::string nom;
    std::string valeur;
};

struct Manifeste {
    std::vector<ChampManifeste> entete;        // version, date, command, output folder
    std::vector<ChampManifeste> parametres;    // delimiters, MAXART, thresholds...
    std::vector<ChampManifeste> fichiers;      // "corpus", ".par", ".dic"...: path, size and SHA-256
    std::vector<ChampManifeste> bibliotheques; // name and version
    std::vector<ChampManifeste> entrees;       // an entry's title and its window's parameters
};

// The delimiters recorded in the base's .par (its line "Délimiteurs "), in Windows-1252; empty when the
// line is missing.
std::string DelimiteursBase(const std::string& cheminPar);

// Adds the line of a file: its path, its size and its SHA-256; the failure (unreadable file) is
// recorded as the value, so that a manifest is still written.
void AjouteFichier(Manifeste& manifeste, const std::string& role, const std::string& chemin);
// Adds every file of the base that exists: .par, .dic, .num, and the repeated segments' .loc.sr and .desc.sr.
void AjouteFichiersBase(Manifeste& manifeste, const charg1& base);

// What the windows of a partition compute under, for the manifest's entries: the key type, the threshold,
// the minimum frequency, the tag-count option and the reference parts ("partition : auteur ; seuil : 5 % ;
// FreqMin : 10 ; étiquettes : 1 ; parties de référence : 2 sur 3").
std::string ParametresPartition(const Partition& partition);

// The versions of the libraries the engine was built with (ICU, PCRE2, Eigen — the analysis program
// is built with the engine —, libjpeg).
std::vector<ChampManifeste> VersionsMoteur();

// "manifeste.txt": the sections in order, one "name : value" a line, LF line ends.
std::string TexteManifeste(const Manifeste& manifeste);
// "manifeste.htm": the same lines as tables, UTF-8.
std::string PageManifeste(const Manifeste& manifeste);
// Writes both files into dossier, each replaced whole; the failure names the file.
Resultat<void> EcritManifeste(const std::string& dossier, const Manifeste& manifeste);

} // namespace t3
