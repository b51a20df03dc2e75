#pragma once
// The text view: the whole text of the base as a web page written into a temporary file, the keys
// highlighted in their places, the occurrences of the group dropped on it in bold and in its colour.
#include "engine/socle/Temporaires.h"
#include "ui/shell/DecoupagePage.h"

#include <QTextBrowser>
#include <QWidget>

#include <memory>
#include <string>

class QLabel;
class QToolButton;

namespace t3 {
class charg1;
class Tgen;
} // namespace t3

namespace t3ui {

class TTgenDragObject;

class TFenRuze : public QWidget {
    Q_OBJECT
  public:
    // The size of the part of the page shown at once: its layout, on the interface thread, takes well
    // under the 200 ms that a command may hold it (about 100 ms on a laptop).
    static constexpr qint64 TaillePartie = 128 * 1024;

    explicit TFenRuze(const t3::charg1* base);
    ~TFenRuze() override;

    // The drop of a group: it becomes the view's group, and the page is written and shown again; false
    // when the group is refused (see GroupeRecu).
    bool HTMLEditDrop(const TTgenDragObject& objet);
    QString CheminPage() const;
    QTextBrowser* HTMLEdit() const { return m_html; }
    const t3::Tgen* Groupe() const { return m_groupe.get(); }
    int NbParties() const { return m_decoupage.NbParties(); }
    int Partie() const { return m_partie; }
    // Shows a part of the page; with mot >= 0 (a byte of the page), the word of longueur bytes there is
    // marked by an anchor.
    void MontrePartie(int partie, qint64 mot = -1, qsizetype longueur = 0);
    // Shows the form or punctuation sign at a text position, selected in its part of the page; false
    // when the position holds none.
    bool MontreOccurrence(int32_t position);

  private:
    bool EcritEtMontre(std::unique_ptr<t3::Tgen> groupe);
    void SelectionneAncre(int caracteres);

    const t3::charg1* m_base;
    std::unique_ptr<t3::Tgen> m_groupe;
    t3::FichierTemporaire m_page;
    QTextBrowser* m_html;
    DecoupagePage m_decoupage;
    int m_partie = 0;
    QLabel* m_lbPartie;
    QToolButton* m_btnPrecedent;
    QToolButton* m_btnSuivant;
};

} // namespace t3ui
