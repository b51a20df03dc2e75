#include "engine/afc/AnalyseAFC.h"

#include "engine/afc/ExportAFC.h"
#include "engine/afc/FichiersTexte.h"
#include "engine/afc/ListePoints.h"

#include <Eigen/Dense>
#include <Eigen/SparseCore>
#include <Spectra/SymEigsSolver.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>

namespace t3 {

namespace {

using Creuse = Eigen::SparseMatrix<double, Eigen::RowMajor, int64_t>;
using Eigen::MatrixXd;
using Eigen::VectorXd;

// The table reduced to its active columns (flag 1) that are not empty and to the rows that are not empty
// over them, as A = D_r^-1/2 P D_c^-1/2, so that S = A - sqrt(r) sqrt(c)^T and
// S^T S = A^T A - sqrt(c) sqrt(c)^T (since A^T sqrt(r) = sqrt(c)). P is the table divided by the total of
// its active columns; the supplementary columns (flag 2) take no part in it.
struct Preparation {
    std::vector<int32_t> colonnes;     // the active non-empty columns, in order
    std::vector<int32_t> lignes;       // the row of A of each row of the table, -1 for a row left out
    std::vector<char> supplementaires; // per column of the table
    int32_t nbSupplementaires = 0;
    double total = 0; // of the active columns
    std::vector<double> massesColonnes;
    Creuse a;
    VectorXd racineR, racineC;
};

// A column is supplementary when its flag is 2; a column without a flag is active.
std::vector<char> Supplementaires(const TableauAFC& t) {
    std::vector<char> s(static_cast<size_t>(t.nbColonnes), 0);
    for (size_t j = 0; j < s.size() && j < t.drapeaux.size(); ++j)
        s[j] = t.drapeaux[j] == '2';
    return s;
}

Preparation Prepare(const TableauAFC& t) {
    Preparation p;
    p.supplementaires = Supplementaires(t);
    std::vector<double> sommesLignes(static_cast<size_t>(t.nbLignes), 0.0);
    std::vector<double> sommesColonnes(static_cast<size_t>(t.nbColonnes), 0.0);
    for (int32_t i = 0; i < t.nbLignes; ++i)
        for (int64_t k = t.debuts[static_cast<size_t>(i)]; k < t.debuts[static_cast<size_t>(i) + 1]; ++k) {
            const CelluleTableau& c = t.cellules[static_cast<size_t>(k)];
            if (p.supplementaires[static_cast<size_t>(c.colonne)]) continue;
            sommesLignes[static_cast<size_t>(i)] += c.compte;
            sommesColonnes[static_cast<size_t>(c.colonne)] += c.compte;
        }
    for (const double s : sommesColonnes)
        p.total += s;
    std::vector<int32_t> rangColonne(sommesColonnes.size(), -1);
    p.massesColonnes.resize(sommesColonnes.size(), 0.0);
    for (size_t j = 0; j < sommesColonnes.size(); ++j) {
        p.nbSupplementaires += p.supplementaires[j];
        if (sommesColonnes[j] > 0) {
            rangColonne[j] = static_cast<int32_t>(p.colonnes.size());
            p.colonnes.push_back(static_cast<int32_t>(j));
            p.massesColonnes[j] = sommesColonnes[j] / p.total;
        }
    }
    // A is filled row after row, each row's columns in increasing order, as the table keeps them.
    std::vector<double> racinesR;
    p.lignes.assign(static_cast<size_t>(t.nbLignes), -1);
    for (int32_t i = 0; i < t.nbLignes; ++i)
        if (sommesLignes[static_cast<size_t>(i)] > 0) {
            p.lignes[static_cast<size_t>(i)] = static_cast<int32_t>(racinesR.size());
            racinesR.push_back(std::sqrt(sommesLignes[static_cast<size_t>(i)] / p.total));
        }
    p.a.resize(static_cast<int64_t>(racinesR.size()), static_cast<int64_t>(p.colonnes.size()));
    p.a.reserve(static_cast<int64_t>(t.cellules.size()));
    for (int32_t i = 0; i < t.nbLignes; ++i) {
        const int64_t ligne = p.lignes[static_cast<size_t>(i)];
        if (ligne < 0) continue;
        const double ri = sommesLignes[static_cast<size_t>(i)];
        p.a.startVec(ligne);
        for (int64_t k = t.debuts[static_cast<size_t>(i)]; k < t.debuts[static_cast<size_t>(i) + 1]; ++k) {
            const CelluleTableau& c = t.cellules[static_cast<size_t>(k)];
            const int32_t colonne = rangColonne[static_cast<size_t>(c.colonne)];
            if (colonne >= 0)
                p.a.insertBack(ligne, colonne) =
                    c.compte / std::sqrt(ri * sommesColonnes[static_cast<size_t>(c.colonne)]);
        }
    }
    p.a.finalize();
    p.racineR = Eigen::Map<VectorXd>(racinesR.data(), static_cast<Eigen::Index>(racinesR.size()));
    p.racineC.resize(static_cast<Eigen::Index>(p.colonnes.size()));
    for (size_t j = 0; j < p.colonnes.size(); ++j)
        p.racineC[static_cast<Eigen::Index>(j)] =
            std::sqrt(p.massesColonnes[static_cast<size_t>(p.colonnes[j])]);
    return p;
}

// The Gram matrix of S on its smaller side, applied to a vector: S^T S x = A^T (A x) - sqrt(c) (sqrt(c).x)
// on the columns, S S^T x = A (A^T x) - sqrt(r) (sqrt(r).x) on the rows.
class OperateurGram {
  public:
    using Scalar = double;
    OperateurGram(const Preparation& p, bool colonnes) : m_p(p), m_colonnes(colonnes) {}
    Eigen::Index rows() const { return m_colonnes ? m_p.a.cols() : m_p.a.rows(); }
    Eigen::Index cols() const { return rows(); }
    void perform_op(const double* x, double* y) const {
        const Eigen::Map<const VectorXd> vx(x, rows());
        Eigen::Map<VectorXd> vy(y, rows());
        if (m_colonnes) {
            const VectorXd ax = m_p.a * vx;
            vy.noalias() = m_p.a.transpose() * ax;
            vy -= m_p.racineC * m_p.racineC.dot(vx);
        } else {
            const VectorXd atx = m_p.a.transpose() * vx;
            vy.noalias() = m_p.a * atx;
            vy -= m_p.racineR * m_p.racineR.dot(vx);
        }
    }

  private:
    const Preparation& m_p;
    bool m_colonnes;
};

// Eigenvalues in decreasing order and their eigenvectors in the same order.
struct Vecteurs {
    VectorXd valeurs;
    MatrixXd vecteurs;
};

// A^T A, its lower half, summed row by row over the pairs of non-zero cells of each row: no sparse
// product and no conversion of A for a table of few columns and many rows.
MatrixXd GramColonnes(const Creuse& a) {
    MatrixXd g = MatrixXd::Zero(a.cols(), a.cols());
    const int64_t* debuts = a.outerIndexPtr();
    const int64_t* colonnes = a.innerIndexPtr();
    const double* valeurs = a.valuePtr();
    for (int64_t i = 0; i < a.rows(); ++i)
        for (int64_t x = debuts[i]; x < debuts[i + 1]; ++x)
            for (int64_t y = x; y < debuts[i + 1]; ++y)
                g(colonnes[y], colonnes[x]) += valeurs[x] * valeurs[y];
    return g;
}

Vecteurs DecompositionComplete(const Preparation& p, bool colonnes) {
    MatrixXd g = colonnes ? GramColonnes(p.a) : MatrixXd(Creuse(p.a * p.a.transpose()));
    const VectorXd& s = colonnes ? p.racineC : p.racineR;
    g -= s * s.transpose();
    const Eigen::SelfAdjointEigenSolver<MatrixXd> solveur(g);
    return {solveur.eigenvalues().reverse(), solveur.eigenvectors().rowwise().reverse()};
}

// Whether every pair found solves G v = lambda v to within tolerance, lambda in [0, 1] (Lanczos's
// iteration may break down on a Krylov space that closes early and return pairs that do not).
bool PairesValables(const OperateurGram& op, const Vecteurs& v) {
    VectorXd gv(op.rows());
    for (Eigen::Index k = 0; k < v.valeurs.size(); ++k) {
        const double l = v.valeurs[k];
        op.perform_op(v.vecteurs.col(k).data(), gv.data());
        if (!(l >= -1e-9 && l <= 1 + 1e-9) || (gv - l * v.vecteurs.col(k)).norm() > 1e-8) return false;
    }
    return true;
}

// The leading eigenpairs: from the truncated solver; from the dense decomposition for a side small enough
// that the Krylov space would be the whole space, or when the solver's pairs are not eigenpairs.
Resultat<Vecteurs> DecompositionTronquee(const Preparation& p, bool colonnes, int32_t facteurs) {
    constexpr Eigen::Index LimiteSecours = 4000;
    OperateurGram op(p, colonnes);
    const auto n = op.rows();
    const Eigen::Index nev = std::min<Eigen::Index>(facteurs, n - 1);
    const Eigen::Index ncv = std::max<Eigen::Index>(2 * nev + 1, nev + 20);
    if (ncv >= n) return DecompositionComplete(p, colonnes);
    Spectra::SymEigsSolver<OperateurGram> solveur(op, nev, ncv);
    solveur.init();
    solveur.compute(Spectra::SortRule::LargestAlge, 10000, 1e-13);
    Vecteurs v;
    if (solveur.info() == Spectra::CompInfo::Successful) v = {solveur.eigenvalues(), solveur.eigenvectors()};
    if (solveur.info() == Spectra::CompInfo::Successful && PairesValables(op, v)) return v;
    if (n <= LimiteSecours) return DecompositionComplete(p, colonnes);
    return Echec{1, "Le calcul des valeurs propres n'a pas convergé."};
}

// The principal coordinates of the active columns on factor k (sqrt(lambda) v / sqrt(c) on the columns'
// side; (S^T u) / sqrt(c) on the rows' side).
VectorXd Coordonnees(const Preparation& p, bool colonnes, const Vecteurs& v, Eigen::Index k) {
    if (colonnes) return (std::sqrt(v.valeurs[k]) * v.vecteurs.col(k)).cwiseQuotient(p.racineC);
    const VectorXd u = v.vecteurs.col(k);
    VectorXd stu = p.a.transpose() * u;
    stu -= p.racineC * p.racineR.dot(u);
    return stu.cwiseQuotient(p.racineC);
}

double CarreCosinus(double coordonnee, double distance) {
    return distance > 0 ? std::min(1.0, coordonnee * coordonnee / distance) : 0.0;
}

std::vector<double> Distances(const Preparation& p, size_t nbColonnes) {
    std::vector<double> d(nbColonnes, 0.0);
    VectorXd carres = VectorXd::Zero(p.a.cols());
    for (int64_t i = 0; i < p.a.outerSize(); ++i)
        for (Creuse::InnerIterator it(p.a, i); it; ++it)
            carres[it.col()] += it.value() * it.value();
    for (size_t j = 0; j < p.colonnes.size(); ++j) {
        const auto col = static_cast<size_t>(p.colonnes[j]);
        d[col] = std::max(0.0, carres[static_cast<Eigen::Index>(j)] / p.massesColonnes[col] - 1.0);
    }
    return d;
}

// Adds factor k: the coordinates of every active column (0 for an empty one), signed so that the largest
// in absolute value is positive, with their contributions and squared cosines. Returns the sign taken.
double AjouteFacteur(AnalyseAFC& a, const Preparation& p, double lambda, const VectorXd& g) {
    const size_t m = a.masses.size();
    std::vector<double> coord(m, 0.0), ctr(m, 0.0), cos2(m, 0.0);
    Eigen::Index plusGrand = 0;
    g.cwiseAbs().maxCoeff(&plusGrand);
    const double signe = g[plusGrand] < 0 ? -1.0 : 1.0;
    for (size_t j = 0; j < p.colonnes.size(); ++j) {
        const auto col = static_cast<size_t>(p.colonnes[j]);
        const double x = signe * g[static_cast<Eigen::Index>(j)];
        coord[col] = x;
        ctr[col] = a.masses[col] * x * x / lambda;
        cos2[col] = CarreCosinus(x, a.distances[col]);
    }
    a.valeursPropres.push_back(lambda);
    a.coordonnees.push_back(std::move(coord));
    a.contributions.push_back(std::move(ctr));
    a.cosinus2.push_back(std::move(cos2));
    return signe;
}

// A factor kept: its index among the eigenpairs and the sign given to it.
struct FacteurRetenu {
    Eigen::Index indice;
    double signe;
};

// The standard coordinates of the rows of A on a factor kept (u / sqrt(r), u the left singular vector:
// the eigenvector on the rows' side, S v / sqrt(lambda) on the columns' side), signed as the columns.
VectorXd CoordonneesStandardLignes(const Preparation& p, bool colonnes, const Vecteurs& v,
                                   const FacteurRetenu& facteur) {
    const Eigen::Index k = facteur.indice;
    VectorXd u;
    if (colonnes) {
        u = p.a * v.vecteurs.col(k);
        u -= p.racineR * p.racineC.dot(v.vecteurs.col(k));
        u /= std::sqrt(v.valeurs[k]);
    } else {
        u = v.vecteurs.col(k);
    }
    return facteur.signe * u.cwiseQuotient(p.racineR);
}

// The counts of the supplementary columns on the rows of A, one column of B for each, in their order.
Creuse TableSupplementaire(const TableauAFC& t, const Preparation& p, std::vector<size_t>& colonnesB) {
    std::vector<int32_t> rang(p.supplementaires.size(), -1);
    for (size_t j = 0; j < p.supplementaires.size(); ++j)
        if (p.supplementaires[j]) {
            rang[j] = static_cast<int32_t>(colonnesB.size());
            colonnesB.push_back(j);
        }
    Creuse b(p.a.rows(), static_cast<int64_t>(colonnesB.size()));
    for (int32_t i = 0; i < t.nbLignes; ++i) {
        const int32_t ligne = p.lignes[static_cast<size_t>(i)];
        if (ligne < 0) continue;
        b.startVec(ligne);
        for (int64_t k = t.debuts[static_cast<size_t>(i)]; k < t.debuts[static_cast<size_t>(i) + 1]; ++k) {
            const CelluleTableau& c = t.cellules[static_cast<size_t>(k)];
            if (const int32_t colonne = rang[static_cast<size_t>(c.colonne)]; colonne >= 0)
                b.insertBack(ligne, colonne) = c.compte;
        }
    }
    b.finalize();
    return b;
}

// Places the supplementary columns by the transition formula: on each factor, the mean of the rows'
// standard coordinates weighted by the column's profile over the rows analysed. A column with no count
// on those rows stays at 0 everywhere, as an empty active column.
void ProjetteSupplementaires(AnalyseAFC& a, const TableauAFC& t, const Preparation& p, bool colonnes,
                             const Vecteurs& v, const std::vector<FacteurRetenu>& retenus) {
    std::vector<size_t> colonnesB;
    const Creuse b = TableSupplementaire(t, p, colonnesB);
    const VectorXd comptes = b.transpose() * VectorXd::Ones(b.rows());
    // The squared chi-square distance of a profile q to the centroid r: sum q_i^2 / r_i - 1.
    const VectorXd carres = Creuse(b.cwiseAbs2()).transpose() * p.racineR.cwiseAbs2().cwiseInverse();
    for (size_t s = 0; s < colonnesB.size(); ++s) {
        const auto e = static_cast<Eigen::Index>(s);
        if (comptes[e] <= 0) continue;
        a.masses[colonnesB[s]] = comptes[e] / p.total;
        a.distances[colonnesB[s]] = std::max(0.0, carres[e] / (comptes[e] * comptes[e]) - 1.0);
    }
    for (size_t f = 0; f < retenus.size(); ++f) {
        const VectorXd g = b.transpose() * CoordonneesStandardLignes(p, colonnes, v, retenus[f]);
        for (size_t s = 0; s < colonnesB.size(); ++s) {
            const auto e = static_cast<Eigen::Index>(s);
            if (comptes[e] <= 0) continue;
            const size_t j = colonnesB[s];
            a.coordonnees[f][j] = g[e] / comptes[e];
            a.cosinus2[f][j] = CarreCosinus(a.coordonnees[f][j], a.distances[j]);
        }
    }
}

// Twelve significant digits: the values are exact to about 1e-12 of the largest; more would only show
// the rounding noise (499.99999999999983 for 500).
std::string Nombre(double v) {
    char tampon[32];
    std::snprintf(tampon, sizeof tampon, "%.12g", v == 0 ? 0.0 : v);
    return tampon;
}

} // namespace

Resultat<AnalyseAFC> CalculeAFC(const TableauAFC& tableau, const OptionsAFC& options) {
    const Preparation p = Prepare(tableau);
    if (tableau.nbColonnes - p.nbSupplementaires < 2)
        return Echec{1, "Au moins deux parties actives (drapeau 1) sont nécessaires ; la ligne des drapeaux "
                        "en marque " +
                            std::to_string(tableau.nbColonnes - p.nbSupplementaires) + "."};
    const Eigen::Index petitCote = std::min(p.a.rows(), p.a.cols());
    if (petitCote < 2)
        return Echec{1, "Le tableau doit avoir au moins deux lignes et deux colonnes actives non vides."};
    const bool colonnes = p.a.cols() <= p.a.rows();
    const bool tronquee = options.methode == MethodeAFC::Tronquee ||
                          (options.methode == MethodeAFC::Automatique && petitCote > options.limiteComplete);
    Vecteurs v;
    if (tronquee) {
        Resultat<Vecteurs> r = DecompositionTronquee(p, colonnes, std::max(1, options.facteursTronques));
        if (!r) return Echec{r.Code(), r.Message()};
        v = std::move(r.Valeur());
    } else {
        v = DecompositionComplete(p, colonnes);
    }

    AnalyseAFC a;
    a.tronquee = tronquee;
    a.supplementaires = p.supplementaires;
    a.masses = p.massesColonnes;
    a.distances = Distances(p, a.masses.size());
    for (size_t j = 0; j < a.masses.size(); ++j)
        a.inertieTotale += a.masses[j] * a.distances[j];
    // The eigenvalues of the Gram matrix are found to within a few ulps of its norm (1 at most): below
    // that, and below a singular value of 1e-9, a factor is noise.
    const double bruit =
        std::max(1e-18, 8.0 * static_cast<double>(petitCote) * std::numeric_limits<double>::epsilon());
    const Eigen::Index facteurs = tronquee ? std::max(1, options.facteursTronques) : petitCote - 1;
    std::vector<FacteurRetenu> retenus;
    for (Eigen::Index k = 0; k < v.valeurs.size() && k < petitCote - 1 && k < facteurs; ++k)
        if (v.valeurs[k] > bruit)
            retenus.push_back({k, AjouteFacteur(a, p, v.valeurs[k], Coordonnees(p, colonnes, v, k))});
    if (a.valeursPropres.empty())
        return Echec{1, "Le tableau n'a aucun facteur non trivial : ses colonnes ont toutes le même profil."};
    if (p.nbSupplementaires > 0) ProjetteSupplementaires(a, tableau, p, colonnes, v, retenus);
    return a;
}

std::string TexteFacteurs(const AnalyseAFC& a) {
    const size_t m = a.masses.size();
    const auto p = static_cast<size_t>(a.NbFacteurs());
    std::string texte = std::to_string(m) + " " + std::to_string(p) + "\n";
    for (size_t j = 0; j < m; ++j) {
        texte += (a.Supplementaire(j) ? "S " : "P ") + std::to_string(j) + " " + Nombre(a.masses[j]) + " " +
                 Nombre(a.distances[j]);
        for (size_t k = 0; k < p; ++k)
            (texte += ' ') += Nombre(1000.0 * a.coordonnees[k][j]);
        for (size_t k = 0; k < p; ++k)
            (texte += ' ') += Nombre(100.0 * a.contributions[k][j]);
        for (size_t k = 0; k < p; ++k)
            (texte += ' ') += Nombre(a.cosinus2[k][j]);
        texte += "\n";
    }
    return texte;
}

std::string TexteValeursPropres(const AnalyseAFC& a) {
    std::string texte = std::to_string(a.NbFacteurs()) + "\n";
    for (const double l : a.valeursPropres)
        texte += std::to_string(std::llround(l * 1e6)) + "\n";
    return texte;
}

Resultat<void> ExecuteAnalyseAFC(const std::string& dossier, const OptionsAFC& options) {
    const std::filesystem::path d(dossier);
    std::error_code e;
    std::filesystem::remove(d / NomFacteurs, e);
    std::filesystem::remove(d / NomValeursPropres, e);
    const Resultat<TableauAFC> tableau = LitCoranDon((d / NomCoranDon).string());
    if (!tableau) return Echec{tableau.Code(), tableau.Message()};
    const Resultat<AnalyseAFC> analyse = CalculeAFC(*tableau, options);
    if (!analyse) return Echec{analyse.Code(), analyse.Message()};
    const Resultat<void> valeurs = EcritFichierResultat(d / NomValeursPropres, TexteValeursPropres(*analyse));
    if (!valeurs) return valeurs;
    // The eigenvalues without the factors would be half a result: removed when the factors fail.
    const Resultat<void> facteurs = EcritFichierResultat(d / NomFacteurs, TexteFacteurs(*analyse));
    if (!facteurs) std::filesystem::remove(d / NomValeursPropres, e);
    return facteurs;
}

} // namespace t3
