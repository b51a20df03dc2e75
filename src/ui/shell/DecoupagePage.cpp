#include "ui/shell/DecoupagePage.h"

#include <QFile>

namespace t3ui {
namespace {

const QByteArray DebutCorps = "<body>";
const QByteArray FinPage = "</body></html>";
const QByteArray SautLigne = "<br />\n";

// Walks the body byte by byte, keeping whether it is inside a tag and how many spans are open, and
// marks a cut after a line break once a part is big enough, or at a free blank once it is twice that.
class Decoupeur {
  public:
    Decoupeur(qint64 debut, qint64 taille, std::vector<qint64>& debuts)
        : m_debutPartie(debut), m_taille(taille), m_debuts(debuts) {}

    void Lit(const char* octets, qint64 n, qint64 position) {
        for (qint64 i = 0; i < n; ++i)
            Octet(octets[i], position + i);
    }

  private:
    void Octet(char c, qint64 position) {
        m_fenetre = (m_fenetre << 8) | static_cast<unsigned char>(c);
        if (c == '<') {
            m_dansBalise = true;
        } else if (c == '>' && m_dansBalise) {
            m_dansBalise = false;
        }
        // "<span" opens, "</span>" closes (its last five bytes are "span>").
        if ((m_fenetre & 0xFFFFFFFFFFull) == 0x3C7370616Eull) ++m_spans;
        if ((m_fenetre & 0xFFFFFFFFFFFFFFull) == 0x3C2F7370616E3Eull && m_spans > 0) --m_spans;
        const qint64 longueur = position + 1 - m_debutPartie;
        const bool finDeLigne = c == '\n' && (m_fenetre & 0xFFFFFF) == 0x2F3E0A; // "/>\n"
        const bool blancLibre = c == ' ' && !m_dansBalise && m_spans == 0;
        if ((finDeLigne && longueur >= m_taille) || (blancLibre && longueur >= 2 * m_taille))
            Coupe(position + 1);
    }

    void Coupe(qint64 position) {
        m_debuts.push_back(position);
        m_debutPartie = position;
    }

    qint64 m_debutPartie;
    qint64 m_taille;
    std::vector<qint64>& m_debuts;
    unsigned long long m_fenetre = 0;
    bool m_dansBalise = false;
    int m_spans = 0;
};

} // namespace

bool DecoupePage(const QString& chemin, qint64 taillePartie, DecoupagePage& decoupage) {
    decoupage = DecoupagePage{};
    QFile page(chemin);
    if (!page.open(QIODevice::ReadOnly)) return false;
    const qint64 taille = page.size();
    const QByteArray debut = page.read(4096);
    const qsizetype corps = debut.indexOf(DebutCorps);
    if (corps < 0) return false;
    qint64 finEntete = debut.indexOf('\n', corps);
    finEntete = finEntete < 0 ? corps + DebutCorps.size() : finEntete + 1;
    decoupage.entete = debut.left(finEntete);
    page.seek(std::max<qint64>(finEntete, taille - 64));
    const QByteArray queue = page.readAll();
    const qsizetype fin = queue.lastIndexOf(FinPage);
    const qint64 finCorps = fin < 0 ? taille : taille - queue.size() + fin;

    decoupage.debuts.push_back(finEntete);
    Decoupeur decoupeur(finEntete, std::max<qint64>(taillePartie, 1), decoupage.debuts);
    page.seek(finEntete);
    QByteArray bloc;
    for (qint64 position = finEntete; position < finCorps; position += bloc.size()) {
        bloc = page.read(std::min<qint64>(1 << 20, finCorps - position));
        if (bloc.isEmpty()) return false;
        decoupeur.Lit(bloc.constData(), bloc.size(), position);
    }
    if (decoupage.debuts.back() == finCorps && decoupage.debuts.size() > 1) decoupage.debuts.pop_back();
    decoupage.debuts.push_back(finCorps);
    return true;
}

QByteArray LitPartie(const QString& chemin, const DecoupagePage& decoupage, int partie) {
    if (partie < 0 || partie >= decoupage.NbParties()) return {};
    QFile page(chemin);
    if (!page.open(QIODevice::ReadOnly)) return {};
    const qint64 debut = decoupage.debuts[static_cast<size_t>(partie)];
    page.seek(debut);
    return decoupage.entete + page.read(decoupage.debuts[static_cast<size_t>(partie) + 1] - debut) + FinPage +
           "\n";
}

} // namespace t3ui
