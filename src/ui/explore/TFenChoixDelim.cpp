#include "ui/explore/TFenChoixDelim.h"

#include "engine/corpus/Corpus.h"
#include "engine/corpus/Section.h"
#include "engine/corpus/charg1.h"
#include "ui/explore/TFenCarteParag.h"
#include "ui/shell/BaseOuverte.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TFenNavig.h"
#include "ui/shell/TacheDeFond.h"
#include "ui/shell/TexteQt.h"

#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include <memory>
#include <vector>

namespace t3ui {

namespace {

constexpr int RoleEntree = Qt::UserRole;

// The dialog is modal and opens the map itself.
QWidget* ChoisitSections(ServicesAtelier& services, t3::charg1* base) {
    TFenChoixDelim dialogue(services, base);
    if (const QScreen* ecran = QGuiApplication::primaryScreen())
        dialogue.move(ecran->availableGeometry().center() - dialogue.rect().center());
    Dialogues::Execute(&dialogue);
    return nullptr;
}

// The set of the base held by the corpus with these delimiters in this order; null if none.
t3::Section* SectionTenue(const t3::Corpus& corpus, const t3::charg1* base,
                          const std::vector<int32_t>& delimiteurs) {
    for (int32_t i = 0; i < corpus.NbSections(); ++i)
        if (t3::Section* section = corpus.SectionNo(i);
            section->Base() == base && section->Delimiteurs() == delimiteurs)
            return section;
    return nullptr;
}

} // namespace

T3_GENRE_FENETRE(GenreFenetre{.rang = 70,
                              .nom = "BtnParag",
                              .glyphe = "§",
                              .teinte = 120,
                              .aide = "Carte des sections",
                              .menu = "&Traitement",
                              .article = "Carte des &sections",
                              .placeMenu = 1,
                              .lieu = Lieu::Aucun,
                              .cree = ChoisitSections});

QString DescriptionSection(const t3::Section& section) {
    QString texte = "Délimiteurs :";
    for (int32_t delimiteur : section.Delimiteurs())
        texte += " " + VersQt(section.Base()->Graphie(delimiteur));
    return texte;
}

TFenChoixDelim::TFenChoixDelim(ServicesAtelier& services, t3::charg1* base)
    : QDialog(services.Cadre()), m_services(services), m_base(base) {
    setObjectName("FenChoixDelim");
    setWindowTitle("Sections");
    // FormCreate: the punctuation signs in number order, each carrying its entry.
    auto* nouvelle = new QWidget;
    nouvelle->setObjectName("TSNouvelle");
    m_listDelims = new QListWidget;
    m_listDelims->setObjectName("ListDelims");
    m_listDelims->setSelectionMode(QAbstractItemView::MultiSelection);
    for (int32_t entree = base->Nbform(); entree < base->Nbform() + base->Nbartponct(); ++entree) {
        auto* item = new QListWidgetItem(VersQtVisible(base->Graphie(entree)), m_listDelims);
        item->setData(RoleEntree, entree);
    }
    auto* creer = new QPushButton("Créer");
    creer->setObjectName("BtnValide");
    creer->setDefault(true);
    connect(creer, &QPushButton::clicked, this, &TFenChoixDelim::BtnValideClick);
    connect(m_listDelims, &QListWidget::itemDoubleClicked, this, &TFenChoixDelim::BtnValideClick);
    auto* colonne = new QVBoxLayout(nouvelle);
    colonne->addWidget(new QLabel("Délimiteurs disponibles :"));
    colonne->addWidget(m_listDelims);
    colonne->addWidget(creer, 0, Qt::AlignRight);

    // The sets of this base made so far, by the text of their item.
    auto* existantes = new QWidget;
    existantes->setObjectName("TSExistantes");
    m_lboxSect = new QListWidget;
    m_lboxSect->setObjectName("LBoxSect");
    const t3::Corpus& corpus = services.CorpusModele();
    for (int32_t i = 0; i < corpus.NbSections(); ++i)
        if (const t3::Section* section = corpus.SectionNo(i); section->Base() == base)
            (new QListWidgetItem(DescriptionSection(*section), m_lboxSect))->setData(RoleEntree, i);
    auto* afficher = new QPushButton("Afficher");
    afficher->setObjectName("BtnAfficher");
    connect(afficher, &QPushButton::clicked, this, &TFenChoixDelim::LBoxSectDblClick);
    connect(m_lboxSect, &QListWidget::itemDoubleClicked, this, &TFenChoixDelim::LBoxSectDblClick);
    auto* colonneExistantes = new QVBoxLayout(existantes);
    colonneExistantes->addWidget(m_lboxSect);
    colonneExistantes->addWidget(afficher, 0, Qt::AlignRight);

    m_pages = new QTabWidget;
    m_pages->setObjectName("PageControl1");
    m_pages->addTab(nouvelle, "Nouvelle section");
    m_pages->addTab(existantes, "Sections existantes");
    const bool avecSections = m_lboxSect->count() > 0;
    m_pages->setTabVisible(1, avecSections);
    m_pages->setCurrentIndex(avecSections ? 1 : 0);
    if (avecSections) m_lboxSect->setCurrentRow(0);

    auto* annuler = new QPushButton("Annuler");
    annuler->setObjectName("BtnAnnule");
    connect(annuler, &QPushButton::clicked, this, &TFenChoixDelim::BtnAnnuleClick);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(m_pages);
    disposition->addWidget(annuler, 0, Qt::AlignRight);
    setFixedSize(sizeHint().expandedTo(QSize(300, 360)));
}

void TFenChoixDelim::BtnValideClick() {
    std::vector<int32_t> delimiteurs;
    for (int i = 0; i < m_listDelims->count(); ++i)
        if (m_listDelims->item(i)->isSelected())
            delimiteurs.push_back(m_listDelims->item(i)->data(RoleEntree).toInt());
    if (delimiteurs.empty()) return;
    t3::Corpus& corpus = m_services.CorpusModele();
    TFenNavig* navigation = m_services.Navigation();
    t3::Section* section = SectionTenue(corpus, m_base, delimiteurs);
    if (section) {
        const QMessageBox::StandardButton reponse =
            Dialogues::Message(this, QMessageBox::Question, "Sections",
                               "La section existe déjà,\nvoulez-vous créer une nouvelle vue ?",
                               QMessageBox::Yes | QMessageBox::No);
        if (reponse != QMessageBox::Yes) {
            const std::vector<QWidget*> vues =
                navigation ? navigation->Vues(section) : std::vector<QWidget*>{};
            if (!vues.empty()) m_services.AmeneAuPremierPlan(vues.back());
            accept();
            return;
        }
    } else {
        // The sections of a long text are found off the interface thread; cancelled, the dialog stays.
        auto nouvelle = ExecuteEnFond<std::unique_ptr<t3::Section>>(
            "Calcul des sections", 1,
            [this, &delimiteurs](const t3::Arret&, const t3::Progression&) {
                return std::make_unique<t3::Section>(m_base, delimiteurs);
            },
            this);
        if (!nouvelle) return;
        section = nouvelle->get();
        corpus.AjouteSection(*nouvelle);
        if (navigation) navigation->AjouteSection(section, DescriptionSection(*section));
    }
    hide();
    OuvreVueSection(m_services, section, m_base);
    accept();
}

// A set whose views were all closed opens a new one.
void TFenChoixDelim::LBoxSectDblClick() {
    const QListWidgetItem* choisi = m_lboxSect->currentItem();
    if (!choisi || !choisi->isSelected()) return;
    t3::Section* section = m_services.CorpusModele().SectionNo(choisi->data(RoleEntree).toInt());
    if (!section) return;
    TFenNavig* navigation = m_services.Navigation();
    const std::vector<QWidget*> vues = navigation ? navigation->Vues(section) : std::vector<QWidget*>{};
    hide();
    if (vues.empty())
        OuvreVueSection(m_services, section, m_base);
    else
        m_services.AmeneAuPremierPlan(vues.front());
    accept();
}

void TFenChoixDelim::BtnAnnuleClick() {
    reject();
}

TFenCarteParag* OuvreVueSection(ServicesAtelier& services, t3::Section* section, t3::charg1* base) {
    auto* carte = new TFenCarteParag(services, section, base);
    // As wide as the area of the windows.
    if (const QMdiArea* zone = services.Cadre() ? services.Cadre()->findChild<QMdiArea*>() : nullptr;
        zone && zone->viewport()->width() > 100)
        carte->resize(zone->viewport()->width() - 5, 390);
    int numero = 1;
    if (TFenNavig* navigation = services.Navigation())
        if (QTreeWidgetItem* vue = navigation->AjouteVue(section, carte)) {
            numero = 0;
            for (int i = 0; i < vue->parent()->childCount(); ++i)
                if (TFenNavig::Genre(vue->parent()->child(i)) == GenreNoeud::VueSection) ++numero;
        }
    carte->setWindowTitle("Section - " + DescriptionSection(*section) + " - vue n°" +
                          QString::number(numero));
    MarqueBase(carte, base);
    services.AjouteFenetre(carte);
    return carte;
}

} // namespace t3ui
