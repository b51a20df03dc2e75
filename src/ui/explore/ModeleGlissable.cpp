#include "ui/explore/ModeleGlissable.h"

#include "engine/explore/CalculSegments.h"
#include "ui/explore/TTgenDragObject.h"

namespace t3ui {

ModeleGlissable::ModeleGlissable(const t3::charg1* base, t3::Couleur couleur, QObject* parent)
    : QAbstractTableModel(parent), m_base(base), m_couleur(couleur),
      m_segments(base ? t3::IdentifiantSegments(*base) : 0) {}

Qt::ItemFlags ModeleGlissable::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled
                           : Qt::NoItemFlags;
}

QStringList ModeleGlissable::mimeTypes() const {
    return {TTgenDragObject::TypeMime};
}

QMimeData* ModeleGlissable::mimeData(const QModelIndexList& indexes) const {
    TTgenDragObject* objet = TTgenDragObject::DesLignes(indexes, m_source, m_base, m_couleur,
                                                        [this](int ligne) { return EntreeGlissee(ligne); });
    if (objet) objet->SetSegments(m_segments);
    return objet;
}

} // namespace t3ui
