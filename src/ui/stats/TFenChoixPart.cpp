#include "ui/stats/TFenChoixPart.h"

#include "engine/corpus/Corpus.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "ui/shell/BaseOuverte.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/GenresFenetres.h"
#include "ui/shell/Sablier.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TFenNavig.h"
#include "ui/shell/TacheDeFond.h"
#include "ui/shell/TexteQt.h"
#include "ui/stats/TFenGrapheTgen.h"
#include "ui/stats/TFenStatPart.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace t3ui {

namespace {

constexpr int RoleEntree = Qt::UserRole;

// The chooser is modal and opens the partition's windows itself.
QWidget* ChoisitPartition(ServicesAtelier& services, t3::charg1* base) {
    TFenChoixPart dialogue(services, base);
    if (const QScreen* ecran = QGuiApplication::primaryScreen())
        dialogue.move(ecran->availableGeometry().center() - dialogue.rect().center());
    Dialogues::Execute(&dialogue);
    return nullptr;
}

} // namespace

T3_GENRE_FENETRE(GenreFenetre{.rang = 60,
                              .nom = "BtnPart",
                              .glyphe = "%",
                              .teinte = 120,
                              .aide = "Statistiques par partie",
                              .menu = "&Traitement",
                              .article = "&Partition",
                              .placeMenu = 2,
                              .raccourci = "Ctrl+P",
                              .lieu = Lieu::Aucun,
                              .cree = ChoisitPartition});

TFenChoixPart::TFenChoixPart(ServicesAtelier& services, t3::charg1* base)
    : QDialog(services.Cadre()), m_services(services), m_base(base) {
    setObjectName("FenChoixPart");
    setWindowTitle("Choix de la partition");
    m_liste = new QListWidget;
    m_liste->setObjectName("ListParts");
    m_liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const int32_t premiere = base->Nbform() + base->Nbartponct();
    for (int32_t cle = premiere; cle < premiere + base->Nbcle(); ++cle) {
        auto* item = new QListWidgetItem(VersQt(base->RetourneGraphie(cle, false)), m_liste);
        item->setData(RoleEntree, cle);
    }
    auto* creer = new QPushButton("Créer");
    creer->setObjectName("BtnValide");
    creer->setDefault(true);
    auto* annuler = new QPushButton("Annuler");
    annuler->setObjectName("BtnAnnule");
    connect(creer, &QPushButton::clicked, this, &TFenChoixPart::BtnValideClick);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_liste, &QListWidget::itemDoubleClicked, this, &TFenChoixPart::BtnValideClick);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(creer);
    boutons->addWidget(annuler);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(m_liste);
    disposition->addLayout(boutons);
    if (m_liste->count() > 0) m_liste->setCurrentRow(0);
}

void TFenChoixPart::BtnValideClick() {
    const QList<QListWidgetItem*> choisis = m_liste->selectedItems();
    if (choisis.isEmpty()) return;
    hide();
    OuvrePartition(m_services, m_base, choisis.front()->data(RoleEntree).toInt());
    accept();
}

t3::Partition* OuvrePartition(ServicesAtelier& services, t3::charg1* base, int32_t cleType) {
    // The parts of a long text are found off the interface thread; cancelled, nothing opens.
    auto nouvelle = ExecuteEnFond<std::unique_ptr<t3::Partition>>(
        "Construction de la partition", 1, [base, cleType](const t3::Arret&, const t3::Progression&) {
            return std::make_unique<t3::Partition>(base, cleType);
        });
    if (!nouvelle) return nullptr;
    Sablier sablier;
    t3::Corpus& corpus = services.CorpusModele();
    t3::Partition* construite = nouvelle->get();
    const bool gardee = corpus.AjoutePartition(*nouvelle);
    // A partition by that key type already held is the one the windows open on; the new one goes.
    t3::Partition* partition = gardee ? construite : corpus.PartitionNo(corpus.IndexPartition(construite));
    TFenNavig* navigation = services.Navigation();
    QTreeWidgetItem* rubrique = navigation ? navigation->Rubrique(partition, RubriqueStatistiques) : nullptr;
    if (gardee || !TFenNavig::Fenetre(rubrique)) {
        // The statistics window opens minimised, the ventilation graph in front: the navigation tree's
        // "PCLC" item restores it.
        auto* statistiques = new TFenStatPart(services, partition);
        MarqueBase(statistiques, base);
        if (QMdiSubWindow* sous = services.AjouteFenetre(statistiques)) sous->showMinimized();
        if (navigation && gardee) {
            navigation->AjoutePartition(partition);
            rubrique = navigation->Rubrique(partition, RubriqueStatistiques);
        }
        TFenNavig::AttacheFenetre(rubrique, statistiques);
    }
    PlaceFenetrePartition(services, *partition, new TFenGrapheTgen(services, partition), RubriqueGraphiques,
                          PrefixeGraphique);
    return partition;
}

} // namespace t3ui
