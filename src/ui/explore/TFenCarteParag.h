#pragma once
// The section map: one small box per section of a section set, in rows of 50 (or in runs under the
// parts of a partition), coloured where the main group occurs (graded by its specificity in the section
// when "seuillage" is ticked) with the second group in the left half; below, the text of the current
// section with the groups in bold. Boxes are selected by clicks (Shift: towards the current one, Ctrl:
// added), the current section moves by section or by occurrence of the main group, and the specific
// forms of the selected sections, or of those where a group occurs, are listed.
//
// A map may hold a million sections: the surface is as large as the map, but only the band the paint
// asks for is drawn, its coefficients computed for the boxes drawn, and the box under the mouse is found
// by arithmetic (DispositionCarte); per section only bits are kept.
#include "engine/explore/CarteSections.h"
#include "engine/explore/DispositionCarte.h"
#include "ui/shell/FenetreRapport.h"

#include <QString>
#include <QTextEdit>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPainter;
class QScrollArea;
class QSlider;
class QToolButton;

namespace t3 {
class Partition;
class Section;
class Tgen;
class charg1;
} // namespace t3

namespace t3ui {

class ServicesAtelier;
class TTgenDragObject;

// The text of the current section: read-only rich text in which the mouse selects; a selection that is
// a form is dragged out as that form, by pressing inside it and moving.
class TexteSection : public QTextEdit {
    Q_OBJECT
  public:
    static constexpr int DistanceGlisser = 20;

    TexteSection(const t3::charg1* base, QWidget* parent = nullptr);
    // The word remembered at the last press of the left button inside the selection.
    const QString& MotSelectionne() const { return m_mot; }
    // The group of that word, trimmed, when it is a form of the base: black, no name; otherwise null.
    TTgenDragObject* ObjetGlisser();

  protected:
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;

  private:
    const t3::charg1* m_base;
    QString m_mot;
    bool m_glisserPret = false;
    QPoint m_pointPression;
};

class TFenCarteParag : public QWidget, public FenetreRapport {
    Q_OBJECT
  public:
    // The picture added to the report is at most this high: the limit of a JPEG side.
    static constexpr int HauteurImageMax = 65500;

    TFenCarteParag(ServicesAtelier& services, t3::Section* section, t3::charg1* base);
    ~TFenCarteParag() override;

    // --- The map's commands, as its controls call them
    void PaintBox1Paint(QPainter& peintre, const QRect& zone, int32_t finSections = -1);
    void PaintBox1MouseDown(const QPoint& point, Qt::KeyboardModifiers touches);
    // A group dropped: the main one, or the second one with Ctrl. False when it is refused.
    bool PaintBox1DragDrop(const TTgenDragObject& objet, Qt::KeyboardModifiers touches);
    void TrackBar1Change(int position);
    // The partitions of the base in ComboGrp, the one shown kept.
    void ChargeParts();
    void ComboGrpChange(int index);
    void BtnColClick();
    void BtnSecPrecClick();
    void BtnSecSuivClick();
    void BtnOccPrecClick();
    void BtnOccSuivClick();
    void SpfButtonClick();
    void BtnSpfSectTgenClick();
    void BtnAjouteRapClick();
    // The picture of the map, as high as a JPEG allows.
    void AjouteAuRapport() override;

    // --- What the tests read
    t3::Section* GetSection() const { return m_section; }
    const t3::DispositionCarte& Disposition() const { return *m_disposition; }
    int32_t Courante() const { return m_courante; }
    const t3::BitsSections& Selection() const { return m_selection; }
    const t3::BitsSections& PresencePrincipal() const { return m_presence1; }
    const t3::BitsSections& PresenceSecond() const { return m_presence2; }
    const t3::Tgen* Principal() const { return m_principal.get(); }
    const t3::Tgen* Second() const { return m_second.get(); }
    const t3::NuancesGroupe& NuancesCarte() const { return m_nuances; }
    int32_t Seuil1() const { return m_seuil1; }
    int32_t Seuil2() const { return m_seuil2; }
    QWidget* PaintBox1() const { return m_surface; }
    TexteSection* ParagEdit() const { return m_texte; }
    QComboBox* ComboGrp() const { return m_comboGrp; }
    QCheckBox* ChkSeuil() const { return m_chkSeuil; }
    QSlider* TrackBar1() const { return m_trackBar; }
    QToolButton* Bouton(const QString& nom) const;
    // The sections a picture of that height shows whole: from 0 up to the returned one (excluded).
    int32_t SectionsDansImage(int hauteur) const;

  private:
    QToolButton* CreeBouton(const QString& nom, const QString& texte, const QString& aide,
                            void (TFenCarteParag::*clic)());
    QWidget* CreePanneauHaut();
    QWidget* CreePanTexte();
    void Dispose();
    void MontreGroupe(QLabel* nom, QFrame* forme, const t3::Tgen* groupe);
    // The current section moved: buttons, map and text follow.
    void Deplace(int32_t section);
    void MetAJourBoutons();
    void MontreTexte();
    void LanceSpecifs(const t3::BitsSections& choisies, const QString& siAucune);
    QString Commentaire() const;

    ServicesAtelier& m_services;
    t3::Section* m_section;
    t3::charg1* m_base;
    std::unique_ptr<t3::Tgen> m_principal;
    std::unique_ptr<t3::Tgen> m_second;
    const t3::Partition* m_partition = nullptr;
    std::vector<t3::SerieSections> m_series; // the partition's runs over the sections
    std::unique_ptr<t3::DispositionCarte> m_disposition;
    int32_t m_taille = t3::DispositionCarte::TailleInitiale;
    int32_t m_courante = 0;
    t3::BitsSections m_selection;
    t3::BitsSections m_presence1;
    t3::BitsSections m_presence2;
    t3::NuancesGroupe m_nuances{};
    int32_t m_seuil1 = t3::Seuil1Initial;
    int32_t m_seuil2 = t3::Seuil2Initial;

    QWidget* m_surface;
    QScrollArea* m_defilement;
    TexteSection* m_texte;
    QComboBox* m_comboGrp;
    QCheckBox* m_chkSeuil;
    QSlider* m_trackBar;
    QLabel* m_lbTailleBoite;
    QLabel* m_lbTgen1;
    QLabel* m_lbTgenSup;
    QFrame* m_shTgen1;
    QFrame* m_shTgenSup;
};

} // namespace t3ui
