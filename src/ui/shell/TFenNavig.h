#pragma once
// The navigation window: a tree of the pages of every opened base (the analysis windows made for it,
// grouped by kind). Selecting an item that has a window asks for that window to come forward. It refuses
// to close. Every item carries its kind (the role RoleGenre), by which items are found again, never by
// their text; the items of a base, a partition and a section set also carry the engine's object they
// stand for (RoleObjet), so that their windows are found from it.
#include <QPointer>
#include <QTreeWidget>
#include <QWidget>

#include <vector>

namespace t3 {
class Partition;
class Section;
class charg1;
} // namespace t3

namespace t3ui {

enum class GenreNoeud {
    Aucun,
    Base,           // the path of the base's .par
    Texte,          // under a base
    Dictionnaire,   // under a base
    CartesSections, // under a base
    Section,        // "Délimiteurs : ..." under "Cartes Sections"
    VueSection,     // "Vue n°k": a section map
    Partitions,     // under a base
    Partition,      // the key type's name under "Partitions"
    Rubrique,       // under a partition: the item of a kind of the partition's windows ("Graphiques")
    FenetreListee,  // under a rubric: a window of that kind ("Graphique (n)", "AFC (n)")
};

// The rubric of a partition that holds its statistics window.
inline constexpr char RubriqueStatistiques[] = "PCLC";

class TFenNavig : public QWidget {
    Q_OBJECT
  public:
    static constexpr int RoleGenre = Qt::UserRole + 1;
    // The rubric of a rubric's item, the prefix of a listed window's item: what finds them, never their text.
    static constexpr int RoleRubrique = Qt::UserRole + 2;
    static constexpr int RoleObjet = Qt::UserRole + 3;

    TFenNavig();

    QTreeWidget* TreePages() const { return m_treePages; }
    // Adds an item of a kind after its siblings (or as the first child when enTete) with an image (-1:
    // the default one) and an attached window, which the item forgets when the window is destroyed.
    QTreeWidgetItem* AjouteItem(QTreeWidgetItem* parent, const QString& texte, GenreNoeud genre,
                                int image = -1, QWidget* fenetre = nullptr, bool enTete = false);
    static QWidget* Fenetre(const QTreeWidgetItem* item);
    static void AttacheFenetre(QTreeWidgetItem* item, QWidget* fenetre);
    static GenreNoeud Genre(const QTreeWidgetItem* item);
    // The first child of item of that kind; null if none.
    static QTreeWidgetItem* Enfant(const QTreeWidgetItem* item, GenreNoeud genre);

    // The item of a base with its four pages, "Texte", "Dictionnaire", "Cartes Sections", "Partitions".
    QTreeWidgetItem* AjoutePagesBase(const QString& chemin, t3::charg1* base);
    QTreeWidgetItem* NoeudBase(const t3::charg1* base) const;
    // The base an item belongs to; null for none.
    t3::charg1* BaseDeNoeud(const QTreeWidgetItem* item) const;
    // The item of a partition under "Partitions" of its base, named after its key type, with the rubric
    // of every kind of window of a partition that has one, in the kinds' order ("PCLC", "Graphiques",
    // "Spécifs", "AFC"); null when its base has no item.
    QTreeWidgetItem* AjoutePartition(const t3::Partition* partition);
    QTreeWidgetItem* NoeudPartition(const t3::Partition* partition) const;
    // The item of a rubric of the partition; null if none.
    QTreeWidgetItem* Rubrique(const t3::Partition* partition, const QString& rubrique) const;
    // Lists a window of the partition under the rubric as "prefixe (n)", n counting the windows listed
    // there with that prefix; null when the partition has no such rubric.
    QTreeWidgetItem* ListeFenetre(const t3::Partition* partition, const QString& rubrique,
                                  const QString& prefixe, QWidget* fenetre);
    // The windows listed under the rubric with that prefix, in order of listing, the closed ones left out.
    std::vector<QWidget*> FenetresListees(const t3::Partition* partition, const QString& rubrique,
                                          const QString& prefixe) const;
    // The item of a section set under "Cartes Sections" of its base, and its views "Vue n°k".
    QTreeWidgetItem* AjouteSection(const t3::Section* section, const QString& texte);
    QTreeWidgetItem* AjouteVue(const t3::Section* section, QWidget* carte);
    std::vector<QWidget*> Vues(const t3::Section* section) const;

    void TreePagesChange(QTreeWidgetItem* item);

  signals:
    // An item with a window was selected: the window is to come forward.
    void PageChoisie(QWidget* fenetre);
    // An item of a base's page without its window (never opened, or closed) was selected.
    void PageFermee(QTreeWidgetItem* item);

  protected:
    void closeEvent(QCloseEvent* evenement) override;

  private:
    // The child of parent of that kind that stands for objet; null if none (parent null: a base's item).
    QTreeWidgetItem* ItemDeObjet(const QTreeWidgetItem* parent, GenreNoeud genre, const void* objet) const;
    QTreeWidgetItem* NoeudSection(const t3::Section* section) const;

    QTreeWidget* m_treePages;
};

} // namespace t3ui
