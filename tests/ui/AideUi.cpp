#include "AideUi.h"

#include <QTreeWidgetItem>

#include "engine/Globaux.h"
#include "engine/segmentation/SegmPrinc.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/TexteQt.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>

namespace t3uitest {

DossierCourant::DossierCourant() : m_precedent(QDir::currentPath()) {
    QDir::setCurrent(m_dossier.path());
    t3ui::Dialogues::Oublie();
    t3ui::Dialogues::SansAttente(true);
}

DossierCourant::~DossierCourant() {
    QDir::setCurrent(m_precedent);
    t3ui::Dialogues::Oublie();
}

QString DossierCourant::Chemin(const QString& nom) const {
    return nom.isEmpty() ? m_dossier.path() : m_dossier.filePath(nom);
}

void Ecrit(const QString& chemin, const QByteArray& contenu) {
    QFile f(chemin);
    if (f.open(QIODevice::WriteOnly)) f.write(contenu);
}

QByteArray Lit(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Base(const QString& texte, const QString& nom) {
    Ecrit(nom + ".txt", QByteArray::fromStdString(t3ui::VersCp1252(texte)));
    if (t3::SegmPrinc((nom + ".txt").toStdString(), t3::DelimParDefaut) != t3::ResultatSegm::Ok) return {};
    return QDir::current().filePath(nom + ".par");
}

Depot Depose(QWidget* cible, const QMimeData* donnees, Qt::KeyboardModifiers touches) {
    const QPoint point(2, 2);
    QDragEnterEvent entree(point, Qt::CopyAction, donnees, Qt::LeftButton, touches);
    QApplication::sendEvent(cible, &entree);
    if (!entree.isAccepted()) return Depot::RefuseALEntree;
    QDragMoveEvent survol(point, Qt::CopyAction, donnees, Qt::LeftButton, touches);
    QApplication::sendEvent(cible, &survol);
    if (!survol.isAccepted()) return Depot::RefuseALEntree;
    QDropEvent depot(QPointF(point), Qt::CopyAction, donnees, Qt::LeftButton, touches);
    QApplication::sendEvent(cible, &depot);
    return depot.isAccepted() ? Depot::Accepte : Depot::Refuse;
}

QStringList Enfants(const QTreeWidgetItem* item) {
    QStringList textes;
    for (int i = 0; item && i < item->childCount(); ++i)
        textes << item->child(i)->text(0);
    return textes;
}

} // namespace t3uitest
