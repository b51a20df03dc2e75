#include "ui/explore/TTgenDragObject.h"

#include "engine/explore/CalculSegments.h"

#include <QApplication>
#include <QDataStream>
#include <QDrag>
#include <QIODevice>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace t3ui {

const QString TTgenDragObject::TypeMime = QStringLiteral("application/x-tessaron3-groupe");

TTgenDragObject::TTgenDragObject(QObject* source, std::string nom, t3::Couleur couleur, int32_t count)
    : TTessaronDragObject(source), m_nom(std::move(nom)), m_couleur(couleur) {
    m_entrees.reserve(count > 0 ? static_cast<size_t>(count) : 0);
    MetAJourOctets();
}

void TTgenDragObject::Ajoute(int32_t entree) {
    m_entrees.push_back(entree);
    MetAJourOctets();
}

void TTgenDragObject::SetNom(const std::string& nom) {
    m_nom = nom;
    MetAJourOctets();
}

void TTgenDragObject::SetBase(const t3::charg1* base) {
    m_base = base;
    m_segments = base ? t3::IdentifiantSegments(*base) : 0;
}

void TTgenDragObject::MetAJourOctets() {
    setData(TypeMime, Encode(m_nom, m_couleur, m_entrees));
}

const TTgenDragObject* TTgenDragObject::De(const QMimeData* donnees) {
    return qobject_cast<const TTgenDragObject*>(donnees);
}

QByteArray TTgenDragObject::Encode(const std::string& nom, t3::Couleur couleur,
                                   const std::vector<int32_t>& entrees) {
    QByteArray octets;
    QDataStream flux(&octets, QIODevice::WriteOnly);
    flux.setByteOrder(QDataStream::LittleEndian);
    flux << static_cast<quint32>(nom.size());
    flux.writeRawData(nom.data(), static_cast<int>(nom.size()));
    flux << static_cast<quint32>(couleur) << static_cast<quint32>(entrees.size());
    for (int32_t e : entrees)
        flux << static_cast<qint32>(e);
    return octets;
}

bool TTgenDragObject::Decode(const QByteArray& octets, std::string& nom, t3::Couleur& couleur,
                             std::vector<int32_t>& entrees) {
    QDataStream flux(octets);
    flux.setByteOrder(QDataStream::LittleEndian);
    quint32 longueur = 0, c = 0, nombre = 0;
    flux >> longueur;
    if (flux.status() != QDataStream::Ok || longueur > static_cast<quint32>(octets.size())) return false;
    nom.assign(longueur, '\0');
    if (flux.readRawData(nom.data(), static_cast<int>(longueur)) != static_cast<int>(longueur)) return false;
    flux >> c >> nombre;
    if (flux.status() != QDataStream::Ok || nombre > static_cast<quint32>(octets.size()) / 4) return false;
    entrees.resize(nombre);
    for (int32_t& e : entrees) {
        qint32 v = 0;
        flux >> v;
        e = v;
    }
    couleur = c;
    return flux.status() == QDataStream::Ok;
}

TTgenDragObject* TTgenDragObject::DesLignes(const QModelIndexList& indexes, QObject* source,
                                            const t3::charg1* base, t3::Couleur couleur,
                                            const std::function<int32_t(int)>& entreeDe) {
    std::vector<int> lignes;
    for (const QModelIndex& index : indexes)
        lignes.push_back(index.row());
    std::sort(lignes.begin(), lignes.end());
    lignes.erase(std::unique(lignes.begin(), lignes.end()), lignes.end());
    if (lignes.empty()) return nullptr;
    auto* objet = new TTgenDragObject(source, "", couleur, static_cast<int32_t>(lignes.size()));
    objet->SetBase(base);
    for (int ligne : lignes)
        objet->Ajoute(entreeDe(ligne));
    return objet;
}

void DepartGlisser::Appui(const QMouseEvent* evenement) {
    if (evenement->button() == Qt::LeftButton) m_depart = evenement->position().toPoint();
}

bool DepartGlisser::Atteint(const QMouseEvent* evenement) const {
    return (evenement->buttons() & Qt::LeftButton) &&
           (evenement->position().toPoint() - m_depart).manhattanLength() >=
               QApplication::startDragDistance();
}

void GlisseGroupe(QObject* source, TTgenDragObject* objet, const QPixmap& image) {
    auto* glisser = new QDrag(source);
    glisser->setMimeData(objet);
    glisser->setPixmap(image);
    LanceGlisser(glisser);
}

namespace {

// The multiple-drag cursor: an arrow over two stacked boxes.
QPixmap CurseurMultiple() {
    QPixmap image(32, 32);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setPen(Qt::black);
    peintre.setBrush(Qt::white);
    peintre.drawRect(14, 18, 10, 8);
    peintre.drawRect(18, 22, 10, 8);
    const QPolygon fleche({{0, 0}, {0, 16}, {4, 12}, {7, 19}, {9, 18}, {6, 11}, {11, 11}});
    peintre.drawPolygon(fleche);
    return image;
}

} // namespace

Qt::DropAction LanceGlisser(QDrag* glisser) {
    glisser->setDragCursor(CurseurMultiple(), Qt::LinkAction);
    return glisser->exec(Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
}

} // namespace t3ui
