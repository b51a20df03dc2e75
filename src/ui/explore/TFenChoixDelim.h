#pragma once
// "Sections": the choice of the delimiters that cut the text into sections (the punctuation signs of
// the base), or of a section set made earlier. A new set is kept by the corpus model and listed under
// "Cartes Sections" of its base; each map opened on a set is one of its views, "Vue n°k".
#include <QDialog>

#include <QString>

class QListWidget;
class QTabWidget;

namespace t3 {
class Section;
class charg1;
} // namespace t3

namespace t3ui {

class ServicesAtelier;
class TFenCarteParag;

class TFenChoixDelim : public QDialog {
    Q_OBJECT
  public:
    TFenChoixDelim(ServicesAtelier& services, t3::charg1* base);

    QTabWidget* Pages() const { return m_pages; }
    QListWidget* ListDelims() const { return m_listDelims; }
    QListWidget* LBoxSect() const { return m_lboxSect; }

    // "Créer" and the double click in ListDelims: a map on the set of the selected delimiters, made
    // or found again (the user then chooses between a new view and the last one).
    void BtnValideClick();
    // "Afficher" and the double click in LBoxSect: the first view of the chosen set.
    void LBoxSectDblClick();
    void BtnAnnuleClick();

  private:
    ServicesAtelier& m_services;
    t3::charg1* m_base;
    QTabWidget* m_pages;
    QListWidget* m_listDelims;
    QListWidget* m_lboxSect;
};

// "Délimiteurs :" followed by a blank and the graphie of each delimiter.
QString DescriptionSection(const t3::Section& section);
// A new map on the set: the next view of it, listed under the set's item and captioned after it.
TFenCarteParag* OuvreVueSection(ServicesAtelier& services, t3::Section* section, t3::charg1* base);

} // namespace t3ui
