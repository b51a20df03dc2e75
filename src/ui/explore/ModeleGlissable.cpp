#include "explore/ModeleGlissable.h"

#include "explore/TTgenDragObject.h"

namespace t3ui {

Qt::ItemFlags ModeleGlissable::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled
                           : Qt::NoItemFlags;
}

QStringList ModeleGlissable::mimeTypes() const {
    return {TTgenDragObject::TypeMime};
}

QMimeData* ModeleGlissable::mimeData(const QModelIndexList& indexes) const {
    return TTgenDragObject::DesLignes(indexes, m_source, m_base, m_couleur,
                                      [this](int ligne) { return EntreeGlissee(ligne); });
}

} // namespace t3ui
