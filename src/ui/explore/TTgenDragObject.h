#pragma once
// The drag objects that carry groups of forms between windows. TTessaronDragObject records the control
// the drag started from; TTgenDragObject adds a group: a name, a colour (white: no colour) and entry
// numbers (forms, other entries or segment entries). They travel as Qt drag payloads under their own
// MIME type, and the source control travels with them.
#include "engine/Globaux.h"

#include <QMimeData>
#include <QModelIndexList>
#include <QPixmap>
#include <QPoint>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QDrag;
class QMouseEvent;

namespace t3 {
class charg1;
}

namespace t3ui {

class TTessaronDragObject : public QMimeData {
    Q_OBJECT
  public:
    explicit TTessaronDragObject(QObject* source) : m_source(source) {}
    QObject* Source() const { return m_source; }

  private:
    QPointer<QObject> m_source;
};

class TTgenDragObject : public TTessaronDragObject {
    Q_OBJECT
  public:
    // The MIME type under which the group is also encoded, for targets that read it as bytes.
    static const QString TypeMime;

    // Room for count entries, which the source then fills in order with Ajoute.
    TTgenDragObject(QObject* source, std::string nom, t3::Couleur couleur, int32_t count);

    void Ajoute(int32_t entree);
    void SetNom(const std::string& nom);

    const std::string& Nom() const { return m_nom; } // Windows-1252
    t3::Couleur GetCouleur() const { return m_couleur; }
    int32_t Count() const { return static_cast<int32_t>(m_entrees.size()); }
    const std::vector<int32_t>& Entrees() const { return m_entrees; }
    // The base whose entries these are (entry numbers mean nothing in another base); null if unknown.
    // Setting it takes its attached computation of segments as that of the entries.
    const t3::charg1* Base() const { return m_base; }
    void SetBase(const t3::charg1* base);
    // The computation of repeated segments whose numbering the segment entries follow (0: none), so that
    // a target refuses them once the base has another (t3::EntreesResolubles).
    uint64_t Segments() const { return m_segments; }
    void SetSegments(uint64_t identifiant) { m_segments = identifiant; }

    // The group of the rows of a list's selected cells, each row once and in row order, entreeDe giving
    // the entry of a row; null when no row is selected.
    static TTgenDragObject* DesLignes(const QModelIndexList& indexes, QObject* source, const t3::charg1* base,
                                      t3::Couleur couleur, const std::function<int32_t(int)>& entreeDe);
    // The group carried by a drag payload, or null when it carries none (any other kind of object).
    static const TTgenDragObject* De(const QMimeData* donnees);
    // The bytes of the payload: name length, name, colour, count, entries (32-bit little-endian).
    static QByteArray Encode(const std::string& nom, t3::Couleur couleur,
                             const std::vector<int32_t>& entrees);
    static bool Decode(const QByteArray& octets, std::string& nom, t3::Couleur& couleur,
                       std::vector<int32_t>& entrees);

  private:
    void MetAJourOctets();

    std::string m_nom;
    t3::Couleur m_couleur;
    std::vector<int32_t> m_entrees;
    const t3::charg1* m_base = nullptr;
    uint64_t m_segments = 0;
};

// The start of a drag of a group by the mouse from a control that is not a list: the press of the left
// button, then a move far enough with it held.
class DepartGlisser {
  public:
    void Appui(const QMouseEvent* evenement);
    bool Atteint(const QMouseEvent* evenement) const;

  private:
    QPoint m_depart;
};

// Drags the group from source under the image (the drag takes the object); returns when it ends.
void GlisseGroupe(QObject* source, TTgenDragObject* objet, const QPixmap& image);
// Runs a drag of groups, begun by any of their sources: a copy, or a link where a target takes the group
// as a second one (the section map, Ctrl held), shown by the multiple-drag cursor. Returns the action.
Qt::DropAction LanceGlisser(QDrag* glisser);

} // namespace t3ui
