#include "AideUi.h"

#include <QTreeWidgetItem>

#include "engine/Globaux.h"
#include "engine/segmentation/SegmPrinc.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/EnregistrementImage.h"
#include "ui/shell/ExportTableau.h"
#include "ui/shell/TexteQt.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QTableView>
#include <QXmlStreamReader>

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

bool EnregistreImage(QWidget* fenetre, const QString& chemin, int rang) {
    auto* action = fenetre->findChild<QAction*>("ActEnregistrerImage");
    if (!action) return false;
    t3ui::Dialogues::RepondEnregistrement(chemin, t3ui::FiltresImage().value(rang));
    action->trigger();
    return true;
}

namespace {

QSize TaillePng(const QString& chemin) {
    QImage image;
    return image.load(chemin, "PNG") ? image.size() : QSize();
}

// The texts of the <text> elements, blanks trimmed; {"illisible"} when the file is not well-formed XML.
QStringList TextesSvg(const QString& chemin) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) return {"illisible"};
    QXmlStreamReader svg(&fichier);
    QStringList textes;
    while (!svg.atEnd())
        if (svg.readNext() == QXmlStreamReader::StartElement && svg.name() == QLatin1String("text"))
            textes << svg.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    if (svg.hasError()) return {"illisible"};
    return textes;
}

QString Taille(QSize taille) {
    return QString("%1 x %2").arg(taille.width()).arg(taille.height());
}

} // namespace

QString VerifieImages(QWidget* fenetre, const QString& chemin, QSize taille, const QStringList& textes) {
    if (!EnregistreImage(fenetre, chemin + ".png", 0) || !EnregistreImage(fenetre, chemin + "-2.png", 1) ||
        !EnregistreImage(fenetre, chemin + ".svg", 2))
        return "no command to save the picture";
    const QSize simple = TaillePng(chemin + ".png"), double_ = TaillePng(chemin + "-2.png");
    if (simple != taille || double_ != taille * 2)
        return "PNG of " + Taille(simple) + " and " + Taille(double_) + " for " + Taille(taille);
    const QStringList ecrits = TextesSvg(chemin + ".svg");
    for (const QString& texte : textes)
        if (!ecrits.contains(texte)) return "no text \"" + texte + "\" in the SVG among: " + ecrits.join('|');
    return {};
}

QList<QStringList> Exporte(QWidget* widget, const QString& chemin, int rang) {
    auto* action = widget->findChild<QAction*>("ActExporter");
    if (!action) return {};
    t3ui::Dialogues::RepondEnregistrement(chemin, t3ui::FiltresTableau().value(rang));
    action->trigger();
    QByteArray octets = Lit(chemin);
    if (rang == 0 && !octets.startsWith("\xEF\xBB\xBF")) return {};
    if (rang == 0) octets.remove(0, 3);
    QList<QStringList> lignes;
    for (const QString& ligne : QString::fromUtf8(octets).split('\n', Qt::SkipEmptyParts))
        lignes.append(ligne.split(rang == 0 ? ',' : '\t'));
    return lignes;
}

QList<QStringList> LignesAffichees(const QTableView* vue) {
    const QAbstractItemModel* modele = vue->model();
    QList<QStringList> lignes{{}};
    for (int c = 0; c < modele->columnCount(); ++c)
        lignes[0].append(modele->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    for (int visuelle = 0; visuelle < modele->rowCount(); ++visuelle) {
        const int r = vue->verticalHeader()->logicalIndex(visuelle);
        QStringList ligne;
        for (int c = 0; c < modele->columnCount(); ++c) {
            const QVariant brute = modele->data(modele->index(r, c), t3ui::RoleValeurBrute);
            ligne.append(
                (brute.isValid() ? brute : modele->data(modele->index(r, c), Qt::DisplayRole)).toString());
        }
        lignes.append(ligne);
    }
    return lignes;
}

} // namespace t3uitest
