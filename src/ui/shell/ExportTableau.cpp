#include "ui/shell/ExportTableau.h"

#include "ui/shell/Dialogues.h"
#include "ui/shell/TexteQt.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QProgressDialog>
#include <QTableView>

#include <algorithm>
#include <charconv>
#include <set>
#include <utility>
#include <vector>

namespace t3ui {

namespace {

const QString Suffixes[] = {".csv", ".txt"};

// The logical sections of a header in the order shown, the hidden ones left out.
std::vector<int> SectionsVisibles(const QHeaderView* entete, int nombre) {
    std::vector<int> sections;
    sections.reserve(static_cast<size_t>(nombre));
    for (int visuelle = 0; visuelle < nombre; ++visuelle) {
        const int logique = entete->logicalIndex(visuelle);
        if (logique >= 0 && !entete->isSectionHidden(logique)) sections.push_back(logique);
    }
    return sections;
}

QVariant Valeur(const QAbstractItemModel* modele, int ligne, int colonne) {
    const QModelIndex index = modele->index(ligne, colonne);
    QVariant valeur = modele->data(index, RoleValeurBrute);
    return valeur.isValid() ? valeur : modele->data(index, Qt::DisplayRole);
}

bool Entier(const QVariant& valeur) {
    switch (valeur.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
        return true;
    default:
        return false;
    }
}

// A real in its shortest form that reads back the same, a point before its decimals.
std::string_view Reel(double x, char (&tampon)[32]) {
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, x).ptr;
    return {tampon, static_cast<size_t>(fin - tampon)};
}

QString Texte(const QVariant& valeur) {
    if (valeur.typeId() == QMetaType::Double || valeur.typeId() == QMetaType::Float) {
        char tampon[32];
        const std::string_view texte = Reel(valeur.toDouble(), tampon);
        return QString::fromLatin1(texte.data(), static_cast<qsizetype>(texte.size()));
    }
    return valeur.toString();
}

void EcritChamp(t3::EcrivainTable& ecrivain, const QVariant& valeur) {
    if (Entier(valeur)) {
        ecrivain.Champ(static_cast<int64_t>(valeur.toLongLong()));
    } else if (valeur.typeId() == QMetaType::Double || valeur.typeId() == QMetaType::Float) {
        char tampon[32];
        ecrivain.Champ(Reel(valeur.toDouble(), tampon));
    } else {
        const QByteArray utf8 = valeur.toString().toUtf8();
        ecrivain.Champ(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
    }
}

QString Entete(const QAbstractItemModel* modele, int colonne) {
    return modele->headerData(colonne, Qt::Horizontal, Qt::DisplayRole).toString();
}

// The format asked for chemin: its extension when it has one of the formats', otherwise the filter's,
// whose extension it then takes.
std::pair<QString, int> CheminEtFormat(QString chemin, const QString& filtre) {
    const QString suffixe = QFileInfo(chemin).suffix().toLower();
    if (suffixe == "csv") return {chemin, 0};
    if (suffixe == "txt" || suffixe == "tsv") return {chemin, 1};
    const int rang = static_cast<int>(std::max<qsizetype>(0, FiltresTableau().indexOf(filtre)));
    return {chemin + Suffixes[rang], rang};
}

} // namespace

const QStringList& FiltresTableau() {
    static const QStringList filtres = {"Tableau CSV (UTF-8) (*.csv)", "Texte tabulé (*.txt)"};
    return filtres;
}

LignesAExporter LignesDeVue(const QTableView* vue) {
    const QAbstractItemModel* modele = vue->model();
    LignesAExporter lignes;
    lignes.nbLignes = 1 + modele->rowCount();
    lignes.ecrit = [vue, modele](t3::EcrivainTable& ecrivain) {
        const std::vector<int> colonnes = SectionsVisibles(vue->horizontalHeader(), modele->columnCount());
        for (const int colonne : colonnes) {
            const QByteArray titre = Entete(modele, colonne).toUtf8();
            ecrivain.Champ(std::string_view(titre.constData(), static_cast<size_t>(titre.size())));
        }
        ecrivain.FinLigne();
        const QHeaderView* lignesVue = vue->verticalHeader();
        const int nombre = modele->rowCount();
        for (int visuelle = 0; visuelle < nombre && ecrivain.Ok(); ++visuelle) {
            const int ligne = lignesVue->logicalIndex(visuelle);
            if (ligne < 0 || vue->isRowHidden(ligne)) continue;
            for (const int colonne : colonnes)
                EcritChamp(ecrivain, Valeur(modele, ligne, colonne));
            ecrivain.FinLigne();
        }
    };
    return lignes;
}

QString ExporteLignes(const LignesAExporter& lignes, const QString& chemin, int rang,
                      const t3::SuiviExport& suivi) {
    t3::OptionsTable options;
    options.format = rang == 1 ? t3::FormatTable::Tabulations : t3::FormatTable::Csv;
    options.marqueOrdre = rang != 1;
    options.textesUtf8 = lignes.textesUtf8;
    const t3::Resultat<void> resultat = t3::ExporteTable(CheminLocal(chemin), options, lignes.ecrit, suivi);
    if (resultat || resultat.Code() == t3::ExportAnnule) return {};
    return Dialogues::Phrase(resultat.Message());
}

bool ExporteTableau(QWidget* fenetre, const LignesAExporter& lignes, const QString& nom) {
    const Dialogues::ChoixEnregistrement choix =
        Dialogues::FichierEtFormatAEnregistrer(fenetre, "Exporter le tableau", FiltresTableau(), nom);
    if (choix.chemin.isEmpty()) return false;
    const auto [chemin, rang] = CheminEtFormat(choix.chemin, choix.filtre);

    const int maximum = static_cast<int>(std::min<int64_t>(lignes.nbLignes, 1 << 30));
    QProgressDialog progres("Export du tableau…", "Annuler", 0, maximum, fenetre);
    progres.setWindowTitle("Tessaron3");
    progres.setWindowModality(Qt::WindowModal);
    progres.setMinimumDuration(500);
    progres.setAutoReset(false);
    bool annule = false;
    const QString echec = ExporteLignes(lignes, chemin, rang, [&](int64_t ecrites) {
        progres.setValue(static_cast<int>(std::min<int64_t>(ecrites, maximum)));
        annule = progres.wasCanceled();
        return !annule;
    });
    progres.reset();
    if (!echec.isEmpty()) Dialogues::Message(fenetre, QMessageBox::Warning, "Tessaron3", echec);
    return echec.isEmpty() && !annule;
}

QMimeData* CopieLignes(const QTableView* vue) {
    const QAbstractItemModel* modele = vue->model();
    std::set<int> choisies; // the visual rows, in the order shown
    if (vue->selectionMode() == QAbstractItemView::NoSelection) {
        // A table whose rows are not selected (they show a state of their own) is copied whole.
        for (int ligne = 0; ligne < modele->rowCount(); ++ligne)
            if (!vue->isRowHidden(ligne)) choisies.insert(vue->verticalHeader()->visualIndex(ligne));
    } else {
        for (const QModelIndex& index : vue->selectionModel()->selectedIndexes())
            if (!vue->isRowHidden(index.row()))
                choisies.insert(vue->verticalHeader()->visualIndex(index.row()));
    }
    const std::vector<int> colonnes = SectionsVisibles(vue->horizontalHeader(), modele->columnCount());
    QList<QStringList> lignes{{}};
    for (const int colonne : colonnes)
        lignes[0].append(Entete(modele, colonne));
    for (const int visuelle : choisies) {
        const int ligne = vue->verticalHeader()->logicalIndex(visuelle);
        QStringList champs;
        for (const int colonne : colonnes)
            champs.append(Texte(Valeur(modele, ligne, colonne)));
        lignes.append(champs);
    }
    return DonneesTableau(lignes);
}

QMimeData* DonneesTableau(const QList<QStringList>& lignes) {
    // A tab or a line break inside a cell would break the rows of the text: it becomes a space.
    const auto champ = [](QString texte) {
        for (QChar& c : texte)
            if (c == '\t' || c == '\n' || c == '\r') c = ' ';
        return texte;
    };
    QString texte;
    QString html = "<table>\n";
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const QString cellule = i == 0 ? "th" : "td";
        QStringList champs;
        html += "<tr>";
        for (const QString& valeur : lignes[i]) {
            champs.append(champ(valeur));
            html += "<" + cellule + ">" + valeur.toHtmlEscaped() + "</" + cellule + ">";
        }
        texte += champs.join('\t') + '\n';
        html += "</tr>\n";
    }
    html += "</table>\n";
    auto* donnees = new QMimeData;
    donnees->setText(texte);
    donnees->setHtml(html);
    return donnees;
}

namespace {

// An action of widget alone: its context menu, and its shortcut while it has the focus.
QAction* ActionDe(QWidget* widget, const QString& texte, const QString& objet,
                  const QKeySequence& raccourci) {
    auto* action = new QAction(texte, widget);
    action->setObjectName(objet);
    action->setShortcut(raccourci);
    action->setShortcutContext(Qt::WidgetShortcut);
    widget->addAction(action);
    widget->setContextMenuPolicy(Qt::ActionsContextMenu);
    return action;
}

} // namespace

QAction* InstalleExport(QWidget* widget, const QString& nom, std::function<LignesAExporter()> lignes) {
    QAction* exporter =
        ActionDe(widget, QString("Exporter") + QChar(0x2026), "ActExporter", QKeySequence("Ctrl+E"));
    QObject::connect(exporter, &QAction::triggered, widget, [widget, nom, lignes = std::move(lignes)] {
        ExporteTableau(widget->window(), lignes(), nom);
    });
    return exporter;
}

QAction* InstalleExportTableau(QTableView* vue, const QString& nom, std::function<LignesAExporter()> lignes) {
    if (!lignes) lignes = [vue] { return LignesDeVue(vue); };
    QAction* exporter = InstalleExport(vue, nom, std::move(lignes));
    const auto action = [vue](const QString& texte, const QString& objet, const QKeySequence& raccourci) {
        return ActionDe(vue, texte, objet, raccourci);
    };
    QAction* copier = action("Copier", "ActCopierLignes", QKeySequence::Copy);
    QObject::connect(copier, &QAction::triggered, vue,
                     [vue] { QGuiApplication::clipboard()->setMimeData(CopieLignes(vue)); });
    QAction* tout = action("Tout sélectionner", "ActToutSelectionner", QKeySequence::SelectAll);
    QObject::connect(tout, &QAction::triggered, vue, [vue] { vue->selectAll(); });
    return exporter;
}

} // namespace t3ui
