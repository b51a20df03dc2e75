#pragma once
// The dictionary window: every form and punctuation entry of the base with its frequency, in
// lexicometric or lexicographic order, from which the selected forms are dragged as a group. The list
// is virtual: rows are produced from the loader on demand through a row map of one number per entry.
#include "engine/Globaux.h"
#include "ui/explore/ListeGlissable.h"
#include "ui/explore/ModeleGlissable.h"
#include "ui/explore/Pastille.h"

#include <QAbstractTableModel>
#include <QLabel>
#include <QWidget>

#include <vector>

class QLabel;
class QStatusBar;
class QTableView;

namespace t3 {
class charg1;
}

namespace t3ui {

class ModeleDicNum : public ModeleGlissable {
    Q_OBJECT
  public:
    ModeleDicNum(const t3::charg1* base, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    int32_t EntreeGlissee(int ligne) const override { return Entree(ligne); }

    int32_t Entree(int ligne) const { return m_lignes[static_cast<size_t>(ligne)]; }
    int Ligne(int32_t entree) const;
    bool Lexicographique() const { return m_lexicographique; }
    // Moves from one order to the other; the rows move (a row keeps its entry through persistent indexes).
    void InverseOrdre();

  private:
    std::vector<int32_t> m_lignes; // row -> entry
    bool m_lexicographique = false;
};

class TFenDicNum : public QWidget {
    Q_OBJECT
  public:
    explicit TFenDicNum(const t3::charg1* base);

    ListeGlissable* ListeFormes() const { return m_liste; }
    ModeleDicNum* Modele() const { return m_modele; }
    QStatusBar* StatusBar1() const { return m_statut; }
    QWidget* ShPastille() const { return m_pastille; }
    t3::Couleur CouleurPastille() const { return m_couleur; }

    void ListeFormesColumnClick(int colonne);

  private:
    void FormCreate();

    const t3::charg1* m_base;
    ModeleDicNum* m_modele;
    ListeGlissable* m_liste;
    QStatusBar* m_statut;
    Pastille* m_pastille;
    t3::Couleur m_couleur;
};

} // namespace t3ui
