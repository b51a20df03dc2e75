#include "ui/shell/TFenRuze.h"

#include "engine/corpus/charg1.h"
#include "engine/rapport/PageTexte.h"
#include "engine/socle/Html.h"
#include "engine/stats/Tgen.h"
#include "ui/explore/CibleGroupes.h"
#include "ui/shell/Chemins.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/Sablier.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TacheDeFond.h"
#include "ui/shell/TexteQt.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace t3ui {

namespace {

QWidget* CreeTexte(ServicesAtelier&, t3::charg1* base) {
    return new TFenRuze(base);
}

// The name of the anchor put around the word an occurrence shows.
const QString AncreOccurrence = "t3occurrence";

// Where the page writes the rang-th (from 0) occurrence of the word mot (escaped as the page writes
// it): each form or sign of the text is written as a blank and its graphie, outside the tags. A key is
// written whole, without blanks, between "&lt;" and "&gt;": it never looks like a form. The byte of the
// page where the word starts, or -1.
qint64 ChercheMot(const QString& chemin, const DecoupagePage& decoupage, const QByteArray& mot, qint64 rang) {
    QFile page(chemin);
    if (decoupage.debuts.empty() || mot.isEmpty() || !page.open(QIODevice::ReadOnly)) return -1;
    const qint64 fin = decoupage.debuts.back();
    bool dansBalise = false, pareil = true;
    qint64 debutMot = -1, longueur = 0;
    // The word that ends here, if any, is compared; true when it is the one sought.
    const auto finDeMot = [&] {
        const bool trouve = debutMot >= 0 && pareil && longueur == mot.size() && rang-- == 0;
        debutMot = -1;
        return trouve;
    };
    page.seek(decoupage.debuts.front());
    for (qint64 position = decoupage.debuts.front(); position < fin;) {
        const QByteArray bloc = page.read(std::min<qint64>(1 << 20, fin - position));
        if (bloc.isEmpty()) return -1;
        for (qsizetype i = 0; i < bloc.size(); ++i, ++position) {
            const char c = bloc[i];
            if (dansBalise) {
                dansBalise = c != '>';
            } else if (c == '<' || c == ' ' || c == '\n' || c == '\r') {
                const qint64 debut = debutMot;
                if (finDeMot()) return debut;
                dansBalise = c == '<';
            } else {
                if (debutMot < 0) {
                    debutMot = position;
                    longueur = 0;
                    pareil = true;
                }
                pareil = pareil && longueur < mot.size() && mot[longueur] == c;
                ++longueur;
            }
        }
    }
    const qint64 debut = debutMot;
    return finDeMot() ? debut : -1;
}

} // namespace

// The text view opens with every base, after the report of that base.
T3_GENRE_FENETRE(GenreFenetre{.rang = 2,
                              .avecBase = true,
                              .lieu = Lieu::Mdi,
                              .statut = "Affichage du texte",
                              .noeud = GenreNoeud::Texte,
                              .cree = CreeTexte});

TFenRuze::TFenRuze(const t3::charg1* base) : m_base(base) {
    setObjectName("FenRuze");
    setWindowTitle("Ruze");
    setWindowIcon(QIcon::fromTheme("text-html"));
    resize(696, 480);
    auto* panHaut = new QWidget;
    panHaut->setObjectName("PanHaut");
    panHaut->setFixedHeight(32);
    // The top strip moves through the parts of a long text.
    m_btnPrecedent = new QToolButton;
    m_btnPrecedent->setObjectName("BtnPartiePrecedente");
    m_btnPrecedent->setArrowType(Qt::LeftArrow);
    m_btnPrecedent->setToolTip("Partie précédente du texte");
    m_btnSuivant = new QToolButton;
    m_btnSuivant->setObjectName("BtnPartieSuivante");
    m_btnSuivant->setArrowType(Qt::RightArrow);
    m_btnSuivant->setToolTip("Partie suivante du texte");
    m_lbPartie = new QLabel;
    m_lbPartie->setObjectName("LbPartie");
    auto* haut = new QHBoxLayout(panHaut);
    haut->setContentsMargins(4, 2, 4, 2);
    haut->addWidget(m_btnPrecedent);
    haut->addWidget(m_lbPartie);
    haut->addWidget(m_btnSuivant);
    haut->addStretch();
    connect(m_btnPrecedent, &QToolButton::clicked, this, [this] { MontrePartie(m_partie - 1); });
    connect(m_btnSuivant, &QToolButton::clicked, this, [this] { MontrePartie(m_partie + 1); });
    m_html = new QTextBrowser;
    m_html->setObjectName("HTMLEdit");
    m_html->setOpenLinks(false);
    CibleGroupes::Installe(m_html, [this](const TTgenDragObject& objet) { return HTMLEditDrop(objet); });
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    disposition->addWidget(panHaut);
    disposition->addWidget(m_html, 1);
    m_page = t3::CreePageTexte(CheminLocal(DossierTemporaire()));
    EcritEtMontre(nullptr);
}

TFenRuze::~TFenRuze() = default;

QString TFenRuze::CheminPage() const {
    return CheminQt(m_page.Chemin());
}

bool TFenRuze::HTMLEditDrop(const TTgenDragObject& objet) {
    std::unique_ptr<t3::Tgen> groupe;
    {
        Sablier sablier;
        groupe = GroupeRecu(m_base, objet, false, this);
    }
    return groupe && EcritEtMontre(std::move(groupe));
}

// The page is written whole into a new file and cut into parts off the interface thread, then takes the
// place of the page shown, which is shown a part at a time; after a drop the view stays on the part it
// showed. A page that cannot be written shows what its file holds. Cancelled (or while another long
// command runs), the view stays as it was, its group too.
bool TFenRuze::EcritEtMontre(std::unique_ptr<t3::Tgen> groupe) {
    DecoupagePage decoupage;
    if (!m_page.Chemin().empty()) {
        const std::string nouvelle = m_page.Chemin() + ".nouvelle";
        const t3::Tgen* surligne = groupe.get();
        const FinTache fin = ExecuteTache(
            "Écriture du texte", 1,
            [&](const t3::Arret&, const t3::Progression&) {
                if (!t3::EcritPageTexte(*m_base, surligne, nouvelle)) std::remove(nouvelle.c_str());
                DecoupePage(CheminQt(std::filesystem::exists(nouvelle) ? nouvelle : m_page.Chemin()),
                            TaillePartie, decoupage);
            },
            this);
        if (fin != FinTache::Finie) {
            std::remove(nouvelle.c_str());
            return false;
        }
        if (std::filesystem::exists(nouvelle)) std::rename(nouvelle.c_str(), m_page.Chemin().c_str());
    } else {
        DecoupePage(CheminPage(), TaillePartie, decoupage);
    }
    m_groupe = std::move(groupe);
    m_decoupage = std::move(decoupage);
    MontrePartie(m_partie);
    return true;
}

void TFenRuze::MontrePartie(int partie, qint64 mot, qsizetype longueur) {
    m_partie = std::clamp(partie, 0, std::max(0, NbParties() - 1));
    QByteArray html = LitPartie(CheminPage(), m_decoupage, m_partie);
    const bool marque = mot >= 0 && m_partie < NbParties();
    if (marque) {
        const qsizetype debut =
            m_decoupage.entete.size() + (mot - m_decoupage.debuts[static_cast<size_t>(m_partie)]);
        html.insert(debut + longueur, "</a>");
        html.insert(debut, "<a name=\"" + AncreOccurrence.toLatin1() + "\">");
    }
    m_html->setHtml(VersQt(std::string_view(html.constData(), static_cast<size_t>(html.size()))));
    m_lbPartie->setText(QString("Partie %1 / %2").arg(m_partie + 1).arg(std::max(1, NbParties())));
    m_btnPrecedent->setEnabled(m_partie > 0);
    m_btnSuivant->setEnabled(m_partie + 1 < NbParties());
}

// The caracteres characters from the anchor, selected and scrolled into view (the anchor's name is
// on its first character only).
void TFenRuze::SelectionneAncre(int caracteres) {
    QTextDocument* document = m_html->document();
    for (QTextBlock bloc = document->begin(); bloc.isValid(); bloc = bloc.next())
        for (auto morceau = bloc.begin(); !morceau.atEnd(); ++morceau) {
            const QTextFragment fragment = morceau.fragment();
            if (!fragment.charFormat().anchorNames().contains(AncreOccurrence)) continue;
            QTextCursor curseur(document);
            curseur.setPosition(fragment.position());
            curseur.setPosition(fragment.position() + caracteres, QTextCursor::KeepAnchor);
            m_html->setTextCursor(curseur);
            m_html->ensureCursorVisible();
            return;
        }
}

// The occurrence is the rang-th writing of its graphie in the page, rang counted in the numbered text.
bool TFenRuze::MontreOccurrence(int32_t position) {
    if (position < 0 || position >= m_base->Nbitem()) return false;
    const int32_t entree = m_base->Tnum(position);
    if (entree < 0 || entree >= m_base->Nbform() + m_base->Nbartponct()) return false;
    const int32_t* texte = m_base->TexteNum();
    const qint64 rang = std::count(texte, texte + position, entree);
    std::string echappe;
    t3::AjouteEchappe(echappe, m_base->Graphie(entree));
    const QByteArray mot = QByteArray::fromStdString(echappe);
    const qint64 octet = ChercheMot(CheminPage(), m_decoupage, mot, rang);
    if (octet < 0) return false;
    const auto apres = std::upper_bound(m_decoupage.debuts.begin(), m_decoupage.debuts.end(), octet);
    MontrePartie(static_cast<int>(apres - m_decoupage.debuts.begin()) - 1, octet, mot.size());
    SelectionneAncre(static_cast<int>(m_base->Graphie(entree).size()));
    return true;
}

} // namespace t3ui
