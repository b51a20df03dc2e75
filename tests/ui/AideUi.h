#pragma once
// Helpers of the window tests: a fresh current folder per test, small corpora written in it, and the
// answers of the dialogs cleared between tests.
#include <QDir>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <qnamespace.h>

class QMimeData;
class QTableView;
class QWidget;

class QTreeWidgetItem;

namespace t3uitest {

// A new empty folder made current for the life of the object.
class DossierCourant {
  public:
    DossierCourant();
    ~DossierCourant();
    QString Chemin(const QString& nom = QString()) const;

  private:
    QTemporaryDir m_dossier;
    QString m_precedent;
};

void Ecrit(const QString& chemin, const QByteArray& contenu);
QByteArray Lit(const QString& chemin);
// Writes texte in Windows-1252 as nom.txt in the current folder and segments it there under the default
// delimiters; the path of the base's .par.
QString Base(const QString& texte, const QString& nom = "corpus");

// A drag carrying donnees entering cible, moving over it and dropped there, as the user's mouse does it
// (the window system delivers the move and the drop only after an accepted entry), with these keys held.
enum class Depot { RefuseALEntree, Refuse, Accepte };
Depot Depose(QWidget* cible, const QMimeData* donnees, Qt::KeyboardModifiers touches = Qt::NoModifier);

// The texts of the item's children, in order.
QStringList Enfants(const QTreeWidgetItem* item);
// "Enregistrer l'image…" of fenetre, its dialog answered with chemin and the format of rang (0 PNG, 1 PNG
// at twice the resolution, 2 SVG); false when the window has no such command.
bool EnregistreImage(QWidget* fenetre, const QString& chemin, int rang);
// The picture of fenetre saved as chemin + ".png" (one pixel per pixel of the window), chemin + "-2.png"
// (two) and chemin + ".svg": empty when the PNGs decode at taille and twice taille and the SVG is
// well-formed XML with each of textes as the text of a <text> element; otherwise what is wrong.
QString VerifieImages(QWidget* fenetre, const QString& chemin, QSize taille, const QStringList& textes);

// "Exporter…" of widget, its dialog answered with chemin and the format of rang (0 CSV, 1 tab-separated):
// the rows of the file, each split at its separator (the fields hold neither separator nor quote); a CSV
// must begin with the byte-order mark, and nothing is returned without the command or the file.
QList<QStringList> Exporte(QWidget* widget, const QString& chemin, int rang);
// The header and the rows of vue in the order shown: the raw value of each cell where its model gives one,
// its text otherwise.
QList<QStringList> LignesAffichees(const QTableView* vue);

} // namespace t3uitest
