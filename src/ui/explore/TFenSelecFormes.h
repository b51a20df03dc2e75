#pragma once
// "Groupes de formes": the window in which a group of forms is built by searching the forms and the
// repeated segments with a pattern, gathered into a list without duplicates, named and coloured, saved
// and loaded as ".lst" files, and dragged whole or in part onto the analysis windows. Groups dropped on
// the list are added to it.
//
// The list's segment entries follow the numbering of one computation of segments, which the window
// keeps: when another computation is attached to the base, they are carried over to it by their texts
// (t3::ReporteSegments) before anything else is done with them.
#include "engine/Globaux.h"
#include "engine/explore/SelectionFormes.h"
#include "ui/explore/ModeleGlissable.h"
#include "ui/explore/TTgenDragObject.h"

#include <QToolButton>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace t3 {
class CalculSegments;
class charg1;
} // namespace t3

namespace t3ui {

class ListeGlissable;
class Pastille;
class ServicesAtelier;

// The rows of the group: each entry's text and frequency, dragged as a black group named after the
// window's group name.
class ModeleSelection : public ModeleGlissable {
    Q_OBJECT
  public:
    ModeleSelection(const t3::charg1* base, const t3::ListeEntrees& liste, std::function<std::string()> nom,
                    QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Qt::UserRole: the row's entry.
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    int32_t EntreeGlissee(int ligne) const override;

    // The computation the segment entries follow (null: none).
    void SetCalcul(std::shared_ptr<const t3::CalculSegments> calcul);
    // After the list changed.
    void Recharge();

  private:
    const t3::ListeEntrees& m_liste;
    std::function<std::string()> m_nom;
    std::shared_ptr<const t3::CalculSegments> m_calcul;
};

// The button that drags the whole group.
class BoutonGlisser : public QToolButton {
    Q_OBJECT
  public:
    // objet makes the drag object, or returns null when there is nothing to drag.
    explicit BoutonGlisser(std::function<TTgenDragObject*()> objet) : m_objet(std::move(objet)) {}

  protected:
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;

  private:
    std::function<TTgenDragObject*()> m_objet;
    DepartGlisser m_depart;
};

class TFenSelecFormes : public QWidget {
    Q_OBJECT
  public:
    TFenSelecFormes(ServicesAtelier& services, const t3::charg1* base);

    // "&Rechercher", and Enter in the pattern.
    void BtnRechClick();
    // "&Supprimer": the selected rows; every row with Shift.
    void BtnSupprClick(bool tout);
    void BtnEnrClick();
    void BtnLoadClick();
    // A group dropped on the list: its entries added, the pastille taking its colour; false when refused.
    bool ListResuDragDrop(const TTgenDragObject& objet);
    // The drag of the whole group (null when the list is empty).
    TTgenDragObject* GroupeEntier();

    const std::vector<int32_t>& Entrees() const { return m_liste.Entrees(); }
    QLineEdit* EdMotif() const { return m_motif; }
    QComboBox* LstTypeReq() const { return m_type; }
    QCheckBox* ChkAjout() const { return m_ajout; }
    QLineEdit* EdNomGrp() const { return m_nom; }
    Pastille* ShPastille() const { return m_pastille; }
    ListeGlissable* ListResu() const { return m_vue; }
    ModeleSelection* Modele() const { return m_modele; }

  protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void changeEvent(QEvent* evenement) override;

  private:
    QWidget* CreePanneau();
    void CreeListe();
    // Carries the segment entries over to the computation attached to the base, if it changed.
    void Synchronise();
    // Adds the entries, then shows the list again.
    void Ajoute(std::span<const int32_t> entrees);
    std::string NomGroupe() const;

    ServicesAtelier& m_services;
    const t3::charg1* m_base;
    t3::ListeEntrees m_liste;
    std::shared_ptr<const t3::CalculSegments> m_calcul;
    QLineEdit* m_motif;
    QComboBox* m_type;
    QCheckBox* m_ajout;
    QLineEdit* m_nom;
    Pastille* m_pastille;
    ListeGlissable* m_vue;
    ModeleSelection* m_modele;
};

} // namespace t3ui
