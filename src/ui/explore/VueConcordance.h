#pragma once
// The lines of a concordance as the window shows them: a model whose rows are computed from the
// engine's Concordance when the view asks for them (nothing but the ordered positions is held), and a
// list view that lays out only the rows on screen, painted in a fixed-width font: the left context,
// the pivot in bold and in the group's colour, the right context; the parts' headings in bold.
//
// Inside a row the mouse selects characters (x / character width gives the index); a selection that
// is exactly a form is dragged out as that form, by pressing inside it and moving 20 pixels. Ctrl+C
// copies the selected characters, or the selected rows, one line each. A double click selects the
// word under the mouse and asks for the occurrence to be shown in the text view.
#include <QAbstractListModel>
#include <QColor>
#include <QListView>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace t3 {
class Concordance;
struct LigneConcordance;
} // namespace t3

namespace t3ui {

class TTgenDragObject;

class ModeleConcordance : public QAbstractListModel {
    Q_OBJECT
  public:
    enum Role {
        RoleEntete = Qt::UserRole + 1, // bool: a part's heading
        RoleDebutPivot,                // the pivot's first character in the row's text
        RoleLongueurPivot,
        RoleCouleurPivot, // QColor
        RolePosition,     // the occurrence's text position; -1 for a heading
    };

    explicit ModeleConcordance(QObject* parent = nullptr);
    ~ModeleConcordance() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    // DisplayRole: the row's text, "left pivot right" (the left context exactly as wide as the
    // concordance's width), or the heading's text.
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Shows another concordance; the pivots in couleurPivot.
    void SetConcordance(std::unique_ptr<t3::Concordance> concordance, const QColor& couleurPivot);
    // The rows again, after a change of the concordance's width.
    void Actualise();
    const t3::Concordance* GetConcordance() const { return m_concordance.get(); }
    t3::Concordance* GetConcordance() { return m_concordance.get(); }
    QString Texte(int ligne) const;

  private:
    // The occurrence of a row, kept for the next calls on the same row: a painted row asks for
    // several roles in a row.
    const t3::LigneConcordance& Ligne(int ligne) const;

    std::unique_ptr<t3::Concordance> m_concordance;
    QColor m_couleurPivot;
    mutable int m_ligneGardee = -1;
    mutable std::unique_ptr<t3::LigneConcordance> m_gardee;
};

// The characters selected inside one row, from the anchor (where the mouse was pressed) to the end.
struct SelectionCaracteres {
    int ligne = -1;
    int ancre = 0;
    int fin = 0;
    int Debut() const { return std::min(ancre, fin); }
    int Fin() const { return std::max(ancre, fin); }
    bool Vide() const { return ligne < 0 || ancre == fin; }
};

class VueConcordance : public QListView {
    Q_OBJECT
  public:
    // A drag starts once the mouse has moved this far from a press inside the selection.
    static constexpr int DistanceGlisser = 20;

    explicit VueConcordance(QWidget* parent = nullptr);

    ModeleConcordance* Modele() const { return m_modele; }
    // Characters per row: the row's width (both contexts, the pivot and room for the last word).
    void SetColonnes(int colonnes);
    int Colonnes() const { return m_colonnes; }
    qreal LargeurCaractere() const { return m_largeurCaractere; }
    // Where a row's characters start, in the viewport.
    int MargeTexte() const;

    const SelectionCaracteres& Selection() const { return m_selection; }
    void SetSelection(const SelectionCaracteres& selection);
    QString TexteSelectionne() const;
    // Ctrl+C: the selected characters when the selection lies in the one selected row (or no row is
    // selected), otherwise the selected rows, each on its line, trailing blanks left out.
    QString TexteACopier() const;

    // The drag of the text remembered at the last press inside the selection: trimmed of its blanks,
    // a form of the base gives a group of that one form, black, from this view; anything else null.
    TTgenDragObject* ObjetGlisser();

  signals:
    // A double click on an occurrence.
    void OccurrenceChoisie(int32_t position);

  protected:
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;
    void mouseDoubleClickEvent(QMouseEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;

  private:
    // The boundary between characters nearest to x in a row (0 to the row's length), or, with
    // sous = true, the character under x (may be past the text).
    int Caractere(int ligne, int x, bool sous) const;
    void ConcorEditStartDrag();

    ModeleConcordance* m_modele;
    qreal m_largeurCaractere;
    int m_colonnes = 120;
    SelectionCaracteres m_selection;
    bool m_selectionEnCours = false;
    bool m_glisserPret = false;
    // The press went to the list itself (selection of rows).
    bool m_pressionListe = false;
    QPoint m_pointPression;
    QString m_texteRetenu;
};

} // namespace t3ui
