#include "shell/TFenRuze.h"

#include "explore/CibleGroupes.h"
#include "shell/Chemins.h"
#include "shell/GenresFenetres.h"
#include "shell/PageTexte.h"
#include "shell/Sablier.h"
#include "shell/ServicesAtelier.h"
#include "shell/TexteQt.h"
#include "stats/Tgen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

namespace t3ui {

namespace {

QWidget* CreeTexte(ServicesAtelier&, t3::charg1* base) {
    return new TFenRuze(base);
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
    EcritEtMontre();
}

TFenRuze::~TFenRuze() {
    if (!m_page.empty()) std::remove(m_page.c_str());
}

QString TFenRuze::CheminPage() const {
    return CheminQt(m_page);
}

bool TFenRuze::HTMLEditDrop(const TTgenDragObject& objet) {
    std::unique_ptr<t3::Tgen> groupe;
    {
        Sablier sablier;
        groupe = GroupeRecu(m_base, objet, false, this);
    }
    if (!groupe) return false;
    Sablier sablier;
    m_groupe = std::move(groupe);
    EcritEtMontre();
    return true;
}

// The page is written whole into its file, then shown a part at a time; after a drop the view stays on
// the part it showed. A page that cannot be written shows what its file holds.
void TFenRuze::EcritEtMontre() {
    if (!m_page.empty()) t3::EcritPageTexte(*m_base, m_groupe.get(), m_page);
    DecoupePage(CheminPage(), TaillePartie, m_decoupage);
    MontrePartie(m_partie);
}

void TFenRuze::MontrePartie(int partie) {
    m_partie = std::clamp(partie, 0, std::max(0, NbParties() - 1));
    const QByteArray html = LitPartie(CheminPage(), m_decoupage, m_partie);
    m_html->setHtml(VersQt(std::string_view(html.constData(), static_cast<size_t>(html.size()))));
    m_lbPartie->setText(QString("Partie %1 / %2").arg(m_partie + 1).arg(std::max(1, NbParties())));
    m_btnPrecedent->setEnabled(m_partie > 0);
    m_btnSuivant->setEnabled(m_partie + 1 < NbParties());
}

} // namespace t3ui
