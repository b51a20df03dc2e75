#include "ui/shell/GenresFenetres.h"

#include "engine/corpus/Partition.h"
#include "ui/shell/BaseOuverte.h"
#include "ui/shell/ServicesAtelier.h"

#include <QMdiSubWindow>
#include <QToolButton>

#include <algorithm>

namespace t3ui {

namespace {

std::vector<GenreFenetre>& Registre() {
    static std::vector<GenreFenetre> genres;
    return genres;
}

} // namespace

bool EnregistreGenre(const GenreFenetre& genre) {
    auto& genres = Registre();
    genres.push_back(genre);
    // The files register in an order the linker chooses: the rank alone orders them.
    std::stable_sort(genres.begin(), genres.end(),
                     [](const GenreFenetre& a, const GenreFenetre& b) { return a.rang < b.rang; });
    return true;
}

const std::vector<GenreFenetre>& GenresFenetres() {
    return Registre();
}

std::vector<const GenreFenetre*> GenresDePortee(Portee portee) {
    std::vector<const GenreFenetre*> genres;
    for (const GenreFenetre& genre : Registre())
        if (genre.portee == portee) genres.push_back(&genre);
    return genres;
}

QWidget* PlaceFenetrePartition(ServicesPlacement& services, const t3::Partition& partition, QWidget* fenetre,
                               const QString& rubrique, const QString& prefixe, bool maximisee) {
    MarqueBase(fenetre, partition.Base());
    QMdiSubWindow* sous = services.AjouteFenetre(fenetre);
    if (sous && maximisee) sous->showMaximized();
    if (TFenNavig* navigation = services.Navigation())
        navigation->ListeFenetre(&partition, rubrique, prefixe, fenetre);
    return fenetre;
}

std::vector<QAbstractButton*> CreeBoutonsPartition(HotePartition hote, ServicesAtelier& services,
                                                   QWidget* fenetre, t3::Partition* partition) {
    std::vector<const BoutonPartition*> boutons;
    for (const GenreFenetre* genre : GenresDePortee(Portee::Partition))
        for (const BoutonPartition& bouton : genre->boutons)
            if (bouton.hote == hote) boutons.push_back(&bouton);
    std::stable_sort(boutons.begin(), boutons.end(),
                     [](const BoutonPartition* a, const BoutonPartition* b) { return a->rang < b->rang; });
    std::vector<QAbstractButton*> faits;
    for (const BoutonPartition* bouton : boutons) {
        auto* fait = new QToolButton;
        fait->setObjectName(bouton->nom);
        fait->setText(bouton->texte);
        fait->setToolTip(bouton->aide);
        // The registry outlives every window: the record may be held by reference.
        QObject::connect(fait, &QAbstractButton::clicked, fenetre, [bouton, &services, fenetre, partition] {
            bouton->action(services, fenetre, *partition);
        });
        faits.push_back(fait);
    }
    return faits;
}

} // namespace t3ui
