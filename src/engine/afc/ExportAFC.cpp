#include "engine/afc/ExportAFC.h"

#include "engine/afc/AnalyseAFC.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/LectureBornee.h"
#include "engine/socle/RemplaceFichier.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <unistd.h>
#include <vector>

namespace t3 {

namespace {

constexpr int32_t LargeurNombre = 5; // "%5d": the row number and each count
constexpr size_t TailleMorceau = 1 << 20;

int32_t NbChiffres(int64_t n) {
    int32_t chiffres = 1;
    for (; n >= 10; n /= 10)
        ++chiffres;
    return chiffres;
}

// The characters of n written whole, its sign included.
int32_t Caracteres(int64_t n) {
    return n < 0 ? NbChiffres(-n) + 1 : NbChiffres(n);
}

// The text goes out by pieces of about a megabyte, so that a table of thousands of parts is never held
// whole.
class Redacteur {
  public:
    explicit Redacteur(std::function<bool(const std::string&)> sortie) : m_sortie(std::move(sortie)) {}
    void Texte(std::string_view texte) { m_tampon += texte; }
    void FinLigne() {
        m_tampon += "\r\n";
        if (m_tampon.size() >= TailleMorceau) Vide();
    }
    // n right-aligned in largeur characters (wider when it needs more).
    void Entier(int64_t n, int32_t largeur) {
        char chiffres[24];
        int32_t nb = 0;
        const bool negatif = n < 0;
        uint64_t reste = negatif ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
        do {
            chiffres[nb++] = static_cast<char>('0' + reste % 10);
            reste /= 10;
        } while (reste);
        if (negatif) chiffres[nb++] = '-';
        if (nb < largeur) m_tampon.append(static_cast<size_t>(largeur - nb), ' ');
        while (nb > 0)
            m_tampon += chiffres[--nb];
    }
    // The first 20 characters of the graphie, left-aligned in 20.
    void Libelle(std::string_view graphie) {
        graphie = graphie.substr(0, LongueurLibelleAFC);
        m_tampon += graphie;
        m_tampon.append(LongueurLibelleAFC - graphie.size(), ' ');
    }
    bool Vide() {
        m_ok = m_ok && (m_tampon.empty() || m_sortie(m_tampon));
        m_tampon.clear();
        return m_ok;
    }
    // False once the output refused a piece: what follows would go nowhere.
    bool Ok() const { return m_ok; }

  private:
    std::function<bool(const std::string&)> m_sortie;
    std::string m_tampon;
    bool m_ok = true;
};

// A row of the table: its number, its label, and its frequency in each part.
struct Ligne {
    int32_t numero;
    std::string_view libelle;
};

// The widths of the row number and of the counts: those of the format, unless a number needs more.
struct Largeurs {
    int32_t numero = LargeurNombre;
    int32_t compte = LargeurNombre;
};

// The frequencies of a segment entry in each part, from its positions.
std::vector<int32_t> FrequencesSegment(const Partition& partition, int32_t entree, int32_t n) {
    std::vector<int32_t> frequences(static_cast<size_t>(n), 0);
    for (const int32_t position : partition.Base()->LocOccFor(entree)) {
        const int32_t partie = partition.PartieDansLesSpans(position);
        if (partie >= 0 && partie < n) ++frequences[static_cast<size_t>(partie)];
    }
    return frequences;
}

void RemplitFrequencesForme(const Partition& partition, int32_t forme, std::vector<int32_t>& frequences) {
    std::fill(frequences.begin(), frequences.end(), 0);
    for (const CelluleForme& c : partition.CellulesForme(forme))
        if (static_cast<size_t>(c.partie) < frequences.size())
            frequences[static_cast<size_t>(c.partie)] = c.frequence;
}

void EcritLigne(Redacteur& r, const Largeurs& l, const Ligne& ligne, const std::vector<int32_t>& frequences) {
    r.Entier(ligne.numero, l.numero);
    r.Texte(" ");
    r.Libelle(ligne.libelle);
    for (const int32_t f : frequences)
        r.Entier(f, l.compte);
    r.FinLigne();
}

// The repeated segments that get a row: those at least as frequent as the forms written.
std::vector<int32_t> SegmentsRetenus(const charg1& base, int32_t freqMin) {
    std::vector<int32_t> retenus;
    const FournisseurSegments* segments = base.Segments();
    if (!segments) return retenus;
    for (int32_t k = 0; k < segments->NbSegments(); ++k)
        if (static_cast<int64_t>(segments->LocOccSeg(k).size()) >= freqMin) retenus.push_back(k);
    return retenus;
}

Largeurs CalculeLargeurs(const Partition& partition, const ParamAFC& param,
                         const std::vector<int32_t>& segments) {
    const charg1& base = *partition.Base();
    Largeurs l;
    int64_t plusGrandNumero = param.ni - 1;
    if (!segments.empty()) plusGrandNumero = base.Nbart() + 1 + segments.back();
    l.numero = std::max(l.numero, NbChiffres(std::max<int64_t>(plusGrandNumero, 0)));
    // A form's frequency in a part is at most its frequency; forms come in decreasing frequency.
    int64_t plusGrandCompte = param.ni > 0 ? base.RetourneFrq(0) : 0;
    for (const int32_t k : segments)
        plusGrandCompte =
            std::max<int64_t>(plusGrandCompte, static_cast<int64_t>(base.Segments()->LocOccSeg(k).size()));
    l.compte = std::max(l.compte, NbChiffres(plusGrandCompte));
    return l;
}

// The width of a number of a line of numbers in 4 columns each. A number after the first that would fill
// its 4 columns gets one more, a blank, so that it never runs into the number before it (NJ of 1000
// parts or more).
int32_t LargeurChamp(int64_t v, bool premier) {
    return premier ? 4 : std::max(4, NbChiffres(v) + 1);
}

void EcritChamps(Redacteur& r, std::initializer_list<int64_t> valeurs) {
    bool premier = true;
    for (const int64_t v : valeurs) {
        r.Entier(v, LargeurChamp(v, premier));
        premier = false;
    }
    r.FinLigne();
}

// The bytes of such a line, its CR LF included.
uint64_t OctetsChamps(std::initializer_list<int64_t> valeurs) {
    uint64_t octets = 2;
    bool premier = true;
    for (const int64_t v : valeurs) {
        octets += static_cast<uint64_t>(std::max(LargeurChamp(v, premier), Caracteres(v)));
        premier = false;
    }
    return octets;
}

// Past 1000 parts every label takes a blank before it, so that no two labels run together.
int32_t LargeurEtiquette(int32_t n) {
    return std::max(4, NbChiffres(n - 1) + 1);
}

void EcritEntete(Redacteur& r, const Partition& partition, const ParamAFC& param, const Largeurs& l) {
    const int32_t n = NbColonnesAFC(partition, param);
    r.Texte(param.titre);
    r.FinLigne();
    EcritChamps(r, {param.ni, param.nj, 5, 1, 0});
    const int32_t largeurEtiquette = LargeurEtiquette(n);
    for (int32_t i = 0; i < n; ++i)
        r.Entier(i, largeurEtiquette);
    r.FinLigne();
    for (int32_t i = 0; i < n; ++i)
        r.Texte(!param.drapeauxColonnes || partition.Reference(i) ? "1" : "2");
    r.FinLigne();
    r.Texte("(");
    r.Entier(l.numero + 1, 1);
    r.Texte("x,5A4,");
    r.Entier(n, 1);
    r.Texte("F");
    r.Entier(l.compte, 1);
    r.Texte(".0)");
    r.FinLigne();
}

void EcritControle(Redacteur& r, const ParamAFC& param) {
    EcritChamps(r, {param.nf, 0, 0, 4, 150, 0, 0});
}

// What the file cannot be written from: no part, or NI outside the forms of the base.
Resultat<void> Verifie(const Partition& partition, const ParamAFC& param) {
    const charg1* base = partition.Base();
    if (!base || partition.NbParties() == 0) return Echec{1, "La partition n'a aucune partie."};
    if (param.ni < 0 || param.ni > base->Nbform())
        return Echec{1,
                     "NI doit être un nombre de formes entre 0 et " + std::to_string(base->Nbform()) + "."};
    return {};
}

// Writes the text of parameters already checked; false when the output refused a piece.
bool Redige(const Partition& partition, const ParamAFC& param,
            std::function<bool(const std::string&)> sortie) {
    const charg1* base = partition.Base();
    const std::vector<int32_t> segments = SegmentsRetenus(*base, param.freqMin);
    const Largeurs l = CalculeLargeurs(partition, param, segments);

    Redacteur r(std::move(sortie));
    EcritEntete(r, partition, param, l);
    const int32_t n = NbColonnesAFC(partition, param);
    std::vector<int32_t> frequences(static_cast<size_t>(n));
    for (int32_t forme = 0; forme < param.ni && r.Ok(); ++forme) {
        RemplitFrequencesForme(partition, forme, frequences);
        EcritLigne(r, l, {forme, base->Graphie(forme)}, frequences);
    }
    EcritControle(r, param);
    for (const int32_t k : segments) {
        if (!r.Ok()) break;
        const int32_t entree = base->Nbart() + 1 + k;
        const std::string graphie = base->RetourneGraphie(entree, false);
        EcritLigne(r, l, {entree, graphie}, FrequencesSegment(partition, entree, n));
    }
    return r.Vide();
}

// The non-zero cells of the form rows within the columns written.
int64_t CellulesNonNulles(const Partition& partition, int32_t ni, int32_t n) {
    int64_t cellules = 0;
    for (int32_t forme = 0; forme < ni; ++forme) {
        const std::span<const CelluleForme> c = partition.CellulesForme(forme);
        cellules +=
            n >= partition.NbParties()
                ? static_cast<int64_t>(c.size())
                : std::count_if(c.begin(), c.end(), [n](const CelluleForme& x) { return x.partie < n; });
    }
    return cellules;
}

// "12 lignes × 3 parties".
std::string Dimensions(const TailleAFC& taille) {
    const auto nombre = [](int64_t n, const char* nom) {
        return std::to_string(n) + " " + nom + (n > 1 ? "s" : "");
    };
    return nombre(taille.lignes, "ligne") + " × " + nombre(taille.colonnes, "partie");
}

} // namespace

int32_t NbColonnesAFC(const Partition& partition, const ParamAFC& param) {
    return param.nbColonnes >= 1 ? std::min(param.nbColonnes, partition.NbParties()) : partition.NbParties();
}

int32_t NbFormesFreqMin(const Partition& partition, int32_t freqMin) {
    const charg1* base = partition.Base();
    if (!base) return 0;
    int32_t nb = 0;
    while (nb < base->Nbform() && base->RetourneFrq(nb) >= freqMin)
        ++nb;
    return nb;
}

ParamAFC ParamAFCInitiaux(const Partition& partition, int32_t freqMin, bool drapeauxColonnes) {
    ParamAFC p;
    const charg1* base = partition.Base();
    if (base) p.titre = base->NomBase() + " : " + std::string(base->Graphie(partition.CleType()));
    p.freqMin = freqMin;
    p.ni = NbFormesFreqMin(partition, freqMin);
    p.nj = partition.NbParties();
    p.nf = partition.NbParties() - 1;
    p.drapeauxColonnes = drapeauxColonnes;
    return p;
}

Resultat<std::string> TexteCoranDon(const Partition& partition, const ParamAFC& param) {
    if (const Resultat<void> correct = Verifie(partition, param); !correct)
        return Echec{correct.Code(), correct.Message()};
    std::string texte;
    Redige(partition, param, [&texte](const std::string& morceau) {
        texte += morceau;
        return true;
    });
    return texte;
}

TailleAFC EstimeTailleAFC(const Partition& partition, const ParamAFC& param) {
    TailleAFC t;
    const charg1* base = partition.Base();
    if (!base) return t;
    const std::vector<int32_t> segments = SegmentsRetenus(*base, param.freqMin);
    const Largeurs l = CalculeLargeurs(partition, param, segments);
    const int32_t n = NbColonnesAFC(partition, param);
    const auto colonnes = static_cast<uint64_t>(n);
    t.colonnes = n;
    t.lignes = int64_t{param.ni} + static_cast<int64_t>(segments.size());
    const uint64_t ligneFormat = 1 + static_cast<uint64_t>(Caracteres(l.numero + 1)) + 6 +
                                 static_cast<uint64_t>(Caracteres(n)) + 1 +
                                 static_cast<uint64_t>(Caracteres(l.compte)) + 3 + 2;
    const uint64_t rangee = static_cast<uint64_t>(l.numero) + 1 + LongueurLibelleAFC +
                            colonnes * static_cast<uint64_t>(l.compte) + 2;
    t.octets = param.titre.size() + 2 + OctetsChamps({param.ni, param.nj, 5, 1, 0}) +
               colonnes * static_cast<uint64_t>(LargeurEtiquette(n)) + 2 + colonnes + 2 + ligneFormat +
               static_cast<uint64_t>(t.lignes) * rangee + OctetsChamps({param.nf, 0, 0, 4, 150, 0, 0});

    // The analysis program reads the form rows only. Its factors: all but one of the smaller side when
    // the decomposition is complete, the leading ones otherwise; its smaller side is at most the smaller
    // of the rows and the columns (empty ones are left out).
    const OptionsAFC options;
    const auto lignes = static_cast<uint64_t>(std::max(param.ni, 0));
    const uint64_t petit = std::min(lignes, colonnes);
    const uint64_t facteurs = petit <= static_cast<uint64_t>(options.limiteComplete)
                                  ? std::max<uint64_t>(petit, 2) - 1
                                  : static_cast<uint64_t>(std::max(1, options.facteursTronques));
    // About 20 characters per value ("-1.23456789012e-05 "), 3 p + 4 values per part.
    t.octetsFacteurs = 24 + colonnes * (4 + 3 * facteurs) * 20;
    const auto cellules = static_cast<uint64_t>(CellulesNonNulles(partition, std::max(param.ni, 0), n));
    // The dense matrix of the smaller side, its eigenvectors and the solver's work, for the complete
    // decomposition and for the truncated one's fallback (up to 4000); Lanczos's basis beyond.
    const uint64_t dense = petit <= 4000 ? 32 * petit * petit : 8 * 64 * petit;
    // The cells read (8 bytes, a growing array up to twice), the scaled copy (a value and an index) and
    // the supplementary columns' table; the sums and indexes of each row and column; the three values
    // per factor and part; the text of "facteurs.txt", grown up to twice its size.
    t.memoire =
        48 * cellules + 64 * (lignes + colonnes) + dense + 24 * facteurs * colonnes + 2 * t.octetsFacteurs;
    return t;
}

bool DemandeConfirmationAFC(const TailleAFC& taille) {
    return taille.octets > OctetsQuestionAFC || taille.colonnes > PartiesQuestionAFC;
}

Resultat<void> VerifieTailleAFC(const TailleAFC& taille, uint64_t memoire) {
    const std::string tableau = " (" + Dimensions(taille) + ")";
    const std::string conseil = " Relevez FreqMin ou choisissez une partition en moins de parties.";
    if (taille.octets > LimiteCoranDon)
        return Echec{1, "Le fichier « " + std::string(NomCoranDon) + " » de ce tableau" + tableau +
                            " ferait " + TailleLisible(taille.octets) + ", plus que les " +
                            TailleLisible(LimiteCoranDon) + " que le programme d'analyse accepte." + conseil};
    if (taille.octetsFacteurs > LimiteFacteurs)
        return Echec{1, "Les résultats de l'analyse de ce tableau" + tableau + " (« " + NomFacteurs +
                            " ») feraient environ " + TailleLisible(taille.octetsFacteurs) +
                            ", plus que les " + TailleLisible(LimiteFacteurs) + " que l'atelier sait lire." +
                            conseil};
    if (memoire > 0 && taille.memoire > memoire)
        return Echec{1, "L'analyse de ce tableau" + tableau + " demanderait environ " +
                            TailleLisible(taille.memoire) + " de mémoire, plus que les " +
                            TailleLisible(memoire) + " de cette machine." + conseil};
    return {};
}

uint64_t MemoirePhysique() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long taillePage = ::sysconf(_SC_PAGE_SIZE);
    return pages > 0 && taillePage > 0 ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(taillePage) : 0;
}

std::string DescriptionTailleAFC(const TailleAFC& taille) {
    return Dimensions(taille) + " ; « " + NomCoranDon + " » : " + TailleLisible(taille.octets);
}

// The parameters are checked before anything is touched, and the text goes into a new file that
// replaces the earlier one only once it is whole: a refused NI or a full disk leaves the last
// "coran.don" as it was, never emptied nor cut short.
Resultat<void> EcritCoranDon(const std::string& dossier, const Partition& partition, const ParamAFC& param,
                             const Arret* arret) {
    if (Resultat<void> correct = Verifie(partition, param); !correct) return correct;
    const std::string chemin = (std::filesystem::path(dossier) / NomCoranDon).string();
    RemplacementFichier fichier(chemin);
    if (fichier.NonCree())
        return Echec{2, "Impossible de créer le fichier « " + chemin +
                            " » : " + CauseFichier(fichier.Erreur()) + "."};
    const bool redige = Redige(partition, param, [&fichier, arret](const std::string& morceau) {
        return !Arrete(arret) && fichier.Ecrit(morceau);
    });
    // Left unfinished, the new file goes and the earlier one stays.
    if (Arrete(arret)) return EchecArrete();
    if (const int erreur = redige ? fichier.Termine() : fichier.Erreur(); erreur != 0)
        return Echec{2, "Impossible d'écrire le fichier « " + chemin + " » : " + CauseFichier(erreur) + "."};
    return {};
}

} // namespace t3
