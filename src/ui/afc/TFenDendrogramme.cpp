#include "ui/afc/TFenDendrogramme.h"

#include "engine/afc/ExportAFC.h"
#include "engine/afc/PlanFactoriel.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/rapport/Manifeste.h"
#include "engine/socle/NomFichier.h"
#include "ui/afc/FenetresAFC.h"
#include "ui/afc/LancementsAFC.h"
#include "ui/shell/EnregistrementImage.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/NumerotationRapport.h"
#include "ui/shell/PageRapport.h"
#include "ui/shell/RapportCourant.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TexteQt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace t3ui {

namespace {

constexpr int Marge = 10;
// Below the leaves: the scale of the heights.
constexpr int HauteurEchelle = 24;

// Ten colours far apart, one per class.
const QColor CouleursClasses[t3::ClassesMaxDendrogramme] = {
    QColor(31, 119, 180),  QColor(214, 39, 40), QColor(44, 160, 44),   QColor(255, 127, 14),
    QColor(148, 103, 189), QColor(140, 86, 75), QColor(227, 119, 194), QColor(127, 127, 127),
    QColor(188, 189, 34),  QColor(23, 190, 207)};

} // namespace

// --- The drawing

VueDendrogramme::VueDendrogramme(const t3::Partition* partition, const t3::ArbreCAH* arbre, QWidget* parent)
    : QWidget(parent), m_partition(partition), m_arbre(arbre) {
    setObjectName("VueDendrogramme");
    setAutoFillBackground(true);
    QPalette fond = palette();
    fond.setColor(QPalette::Window, Qt::white);
    setPalette(fond);
    setMinimumSize(LargeurEtiquettes() + 200,
                   2 * Marge + m_arbre->nbPoints * (fontMetrics().height() + 6) + HauteurEchelle);
    SetClasses(t3::ClassesMinDendrogramme);
}

void VueDendrogramme::SetClasses(int32_t k) {
    m_disposition = t3::DisposeDendrogramme(*m_arbre, k);
    update();
}

QColor VueDendrogramme::CouleurClasse(int32_t classe) {
    if (classe < 1 || classe > t3::ClassesMaxDendrogramme) return Qt::black;
    return CouleursClasses[classe - 1];
}

QString VueDendrogramme::Etiquette(int32_t point) const {
    return VersQt(t3::EtiquettePoint(*m_partition, point, true));
}

// At least a line of text; spread over the height there is, up to three lines.
int VueDendrogramme::HauteurRangee() const {
    const int minimum = fontMetrics().height() + 6;
    const int place = (height() - 2 * Marge - HauteurEchelle) / std::max(1, m_arbre->nbPoints);
    return std::clamp(place, minimum, 3 * minimum);
}

int VueDendrogramme::LargeurEtiquettes() const {
    int largeur = 0;
    for (int32_t i = 0; i < m_arbre->nbPoints; ++i)
        largeur = std::max(largeur, fontMetrics().horizontalAdvance(Etiquette(i)));
    return largeur + 12;
}

void VueDendrogramme::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    Dessine(peintre);
}

void VueDendrogramme::Dessine(QPainter& peintre) const {
    const t3::DispositionDendrogramme& d = m_disposition;
    const auto n = static_cast<size_t>(m_arbre->nbPoints);
    const int rangee = HauteurRangee();
    const int gauche = Marge + LargeurEtiquettes();
    const int largeur = std::max(1, width() - gauche - Marge);
    const double hauteurMax = d.hauteurMax > 0 ? d.hauteurMax : 1;
    const auto colonne = [&](double h) { return gauche + static_cast<int>(largeur * h / hauteurMax); };
    const auto ligne = [&](size_t g) { return Marge + static_cast<int>(d.x[g] * rangee) + rangee / 2; };

    peintre.fillRect(rect(), Qt::white);
    peintre.setFont(font());
    peintre.setRenderHint(QPainter::Antialiasing);
    for (size_t i = 0; i < n; ++i) {
        peintre.setPen(CouleurClasse(d.classe[i]));
        peintre.drawText(QRect(Marge, ligne(i) - rangee / 2, gauche - Marge - 6, rangee),
                         Qt::AlignRight | Qt::AlignVCenter, Etiquette(static_cast<int32_t>(i)));
    }
    // Each merge: a line from each of its clusters at their heights, and a bar at its own joining them.
    for (size_t s = 0; s < m_arbre->fusions.size(); ++s) {
        const size_t g = n + s;
        const int x = colonne(d.hauteur[g]);
        for (const int32_t enfant : {m_arbre->fusions[s].gauche, m_arbre->fusions[s].droite}) {
            const auto e = static_cast<size_t>(enfant);
            peintre.setPen(QPen(CouleurClasse(d.classe[e]), 2));
            peintre.drawLine(colonne(d.hauteur[e]), ligne(e), x, ligne(e));
        }
        peintre.setPen(QPen(CouleurClasse(d.classe[g]), 2));
        peintre.drawLine(x, ligne(static_cast<size_t>(m_arbre->fusions[s].gauche)), x,
                         ligne(static_cast<size_t>(m_arbre->fusions[s].droite)));
    }
    // The cut, and the scale of the heights.
    const int bas = Marge + static_cast<int>(n) * rangee;
    peintre.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    if (!m_arbre->fusions.empty())
        peintre.drawLine(colonne(d.hauteurCoupe), Marge / 2, colonne(d.hauteurCoupe), bas);
    peintre.setPen(Qt::black);
    peintre.drawLine(gauche, bas + 4, gauche + largeur, bas + 4);
    peintre.drawText(QRect(gauche - 40, bas + 6, 80, HauteurEchelle - 6), Qt::AlignHCenter | Qt::AlignTop,
                     "0");
    peintre.drawText(QRect(gauche + largeur - 160, bas + 6, 160, HauteurEchelle - 6),
                     Qt::AlignRight | Qt::AlignTop, QString::number(d.hauteurMax, 'g', 6));
}

// --- The window

TFenDendrogramme::TFenDendrogramme(ServicesRapport& services, const t3::Partition* partition,
                                   t3::ArbreCAH arbre)
    : m_services(services), m_partition(partition), m_arbre(std::move(arbre)) {
    setObjectName("FenDendrogramme");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Classification hiérarchique - " + CleType());

    m_edClasses = new QSpinBox;
    m_edClasses->setObjectName("EdClasses");
    m_edClasses->setToolTip("Nombre de classes de la coupure de l'arbre");
    const std::vector<int32_t> choix = t3::ChoixClasses(m_arbre.nbPoints);
    m_edClasses->setRange(choix.empty() ? 1 : choix.front(), choix.empty() ? 1 : choix.back());
    m_edClasses->setEnabled(!choix.empty());
    m_vue = new VueDendrogramme(m_partition, &m_arbre);
    m_vue->SetClasses(m_edClasses->value());
    connect(m_edClasses, &QSpinBox::valueChanged, this, &TFenDendrogramme::EdClassesChange);

    auto* barre = new QHBoxLayout;
    barre->setContentsMargins(6, 4, 6, 4);
    barre->addWidget(new QLabel("Nombre de classes :"));
    barre->addWidget(m_edClasses);
    barre->addStretch();
    auto* defile = new QScrollArea;
    defile->setWidget(m_vue);
    defile->setWidgetResizable(true);
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    disposition->addLayout(barre);
    disposition->addWidget(defile, 1);
    // The whole tree, beyond what the scroll area shows.
    InstalleEnregistrementImage(this, {m_vue}, [this] {
        return ImageAEnregistrer{m_vue->size(),
                                 [this](QPainter& peintre) { m_vue->Dessine(peintre); },
                                 "cah-" + QString::fromStdString(t3::NomFichierSur(VersCp1252(CleType()))),
                                 {}};
    });
    resize(640, 520);
}

TFenDendrogramme::~TFenDendrogramme() = default;

QString TFenDendrogramme::CleType() const {
    const t3::charg1* base = m_partition->Base();
    return VersQt(base ? base->Graphie(m_partition->CleType()) : std::string_view());
}

void TFenDendrogramme::EdClassesChange(int k) {
    m_vue->SetClasses(k);
}

void TFenDendrogramme::AjouteAuRapport() {
    RapportCourant* rapport = m_services.Rapport();
    if (!rapport) return;
    const int compteur = NumerotationRapport::Prochain(SorteEntree::ImageDendrogramme);
    const t3::charg1* base = m_partition->Base();
    const std::string cle = VersCp1252(CleType());
    const QString fichier = VersQt(t3::NomImageDendrogramme(cle, compteur));
    const t3::EnteteImageAFC entete{VersCp1252(windowTitle()), base ? base->NomBase() : std::string(),
                                    VersCp1252(DateRapport()), cle, m_arbre.nbPoints};
    // The whole tree, beyond what the scroll area shows.
    if (AjouteImageAuRapport(*rapport, this, m_vue->grab().toImage(), fichier,
                             VersQt(t3::TitreImageDendrogramme(cle, compteur)),
                             VersQt(t3::CommentaireImagePlan(entete)),
                             QString::fromStdString(t3::ParametresPartition(*m_partition)) +
                                 QString(" ; classes : %1").arg(m_edClasses->value())))
        NumerotationRapport::Pris(SorteEntree::ImageDendrogramme);
}

// --- Opening

QWidget* OuvreDendrogramme(ServicesAtelier& services, t3::Partition& partition, const std::string& dossier) {
    t3::Resultat<t3::ArbreCAH> lu = t3::LitCah(dossier + "/" + t3::NomCah);
    if (!ResultatsOuvrables(services, partition, lu.Message(), lu ? lu->nbPoints : 0)) return nullptr;
    auto* fenetre = new TFenDendrogramme(services, &partition, std::move(lu.Valeur()));
    return PlaceFenetrePartition(services, partition, fenetre, RubriqueAFC, "CAH", /*maximisee*/ false);
}

} // namespace t3ui
