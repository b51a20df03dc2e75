#pragma once
// A list model whose selected rows are dragged as a group of forms: every row selectable and draggable,
// the group made of the rows' entries in row order, of the list's colour, with the list as its source.
// A list model derives from it and says which entry a row shows.
#include "engine/Globaux.h"

#include <QAbstractTableModel>

#include <cstdint>

namespace t3 {
class charg1;
}

namespace t3ui {

class ModeleGlissable : public QAbstractTableModel {
    Q_OBJECT
  public:
    // The rows' segment entries are taken to follow the computation of segments attached to the base now.
    ModeleGlissable(const t3::charg1* base, t3::Couleur couleur, QObject* parent);

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    // The group of the selected rows' entries in row order; null when no row is selected.
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

    // The entry a row shows.
    virtual int32_t EntreeGlissee(int ligne) const = 0;
    void SetSource(QObject* source) { m_source = source; }
    void SetCouleur(t3::Couleur couleur) { m_couleur = couleur; }
    // The computation of segments whose numbering the rows' segment entries follow.
    void SetSegments(uint64_t identifiant) { m_segments = identifiant; }

  protected:
    const t3::charg1* m_base;

  private:
    QObject* m_source = nullptr;
    t3::Couleur m_couleur;
    uint64_t m_segments;
};

} // namespace t3ui
