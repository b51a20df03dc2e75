#include "ui/explore/CibleGroupes.h"

#include "engine/corpus/Transposition.h"
#include "engine/explore/CalculSegments.h"
#include "engine/stats/Tgen.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/ServicesAtelier.h"

#include <QAbstractScrollArea>
#include <QDropEvent>

namespace t3ui {

const TTgenDragObject* GroupeDuGlisser(const QMimeData* donnees, const QObject* refusee) {
    const TTgenDragObject* objet = TTgenDragObject::De(donnees);
    if (!objet || (refusee && objet->Source() == refusee)) return nullptr;
    return objet;
}

namespace {

// What the workbench of a window lends it, if the window is inside one.
ServicesAtelier* ServicesDe(QWidget* fenetre) {
    for (QWidget* w = fenetre; w; w = w->parentWidget())
        if (auto* services = dynamic_cast<ServicesAtelier*>(w->window())) return services;
    return nullptr;
}

} // namespace

std::optional<std::vector<int32_t>> EntreesRecues(const t3::charg1* base, const TTgenDragObject& objet,
                                                  QWidget* fenetre) {
    if (!base) return std::nullopt;
    std::vector<int32_t> entrees = objet.Entrees();
    if (objet.Base() && objet.Base() != base) {
        const t3::EntreesTransposees transposees = t3::TransposeEntrees(*objet.Base(), *base, entrees);
        if (transposees.autres > 0) {
            Dialogues::Information(fenetre,
                                   "Les segments répétés d'une autre base ne peuvent être déposés ici.");
            return std::nullopt;
        }
        if (transposees.entrees.empty()) {
            Dialogues::Information(fenetre, "Aucune des formes déposées n'existe dans cette base.");
            return std::nullopt;
        }
        if (transposees.absentes > 0)
            if (ServicesAtelier* services = ServicesDe(fenetre))
                services->SetStatusText(QString("%1 forme(s) absente(s) de cette base laissée(s) de côté")
                                            .arg(transposees.absentes));
        return transposees.entrees;
    }
    if (!t3::EntreesResolubles(*base, objet.Segments(), entrees)) {
        Dialogues::Information(fenetre, SegmentsPerimes);
        return std::nullopt;
    }
    return entrees;
}

std::unique_ptr<t3::Tgen> GroupeRecu(const t3::charg1* base, const TTgenDragObject& objet, bool gardeNom,
                                     QWidget* fenetre) {
    const std::optional<std::vector<int32_t>> entrees = EntreesRecues(base, objet, fenetre);
    if (!entrees) return nullptr;
    const char* nom = gardeNom && !objet.Nom().empty() ? objet.Nom().c_str() : nullptr;
    auto groupe = std::make_unique<t3::Tgen>(base, *entrees, nom);
    if (objet.GetCouleur() != t3::CouleurBlanche) groupe->SetCouleur(objet.GetCouleur());
    return groupe;
}

CibleGroupes::CibleGroupes(QObject* parent, Depot depot, const QObject* refusee)
    : QObject(parent), m_depot(std::move(depot)), m_refusee(refusee) {}

CibleGroupes* CibleGroupes::Installe(QWidget* cible, Depot depot, const QObject* refusee) {
    // A scroll area receives its drags on its viewport.
    QWidget* surface = cible;
    if (auto* zone = qobject_cast<QAbstractScrollArea*>(cible)) surface = zone->viewport();
    cible->setAcceptDrops(true);
    surface->setAcceptDrops(true);
    auto* gestion = new CibleGroupes(surface, std::move(depot), refusee);
    surface->installEventFilter(gestion);
    return gestion;
}

bool CibleGroupes::eventFilter(QObject* objet, QEvent* evenement) {
    switch (evenement->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* glisser = static_cast<QDragMoveEvent*>(evenement);
        if (GroupeDuGlisser(glisser->mimeData(), m_refusee))
            glisser->acceptProposedAction();
        else
            glisser->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* depot = static_cast<QDropEvent*>(evenement);
        const TTgenDragObject* groupe = GroupeDuGlisser(depot->mimeData(), m_refusee);
        if (groupe && m_depot(*groupe))
            depot->acceptProposedAction();
        else
            depot->ignore();
        return true;
    }
    default:
        return QObject::eventFilter(objet, evenement);
    }
}

} // namespace t3ui
