#include "ui/shell/AideContextuelle.h"

#include "ui/shell/Chemins.h"
#include "ui/shell/Dialogues.h"

#include <QHash>
#include <QMetaObject>
#include <QWidget>

namespace t3ui {

namespace {

// The class of each window that the manual describes, and the anchor of its section.
const QHash<QString, QString>& Sections() {
    static const QHash<QString, QString> sections = {
        {"TFenPrinc", "principale"},
        {"TFenNavig", "navigation"},
        {"TFenDicNum", "dictionnaire"},
        {"TFenRuze", "texte"},
        {"TOptionsOpenDialog", "segmentation"},
        {"TFenChoixDelimForme", "delimiteurs"},
        {"TFenOpt", "options"},
        {"TFenCreerCorpus", "creation-corpus"},
        {"TFenChoixPart", "partition"},
        {"TFenStatPart", "statistiques"},
        {"TFenSpecGrp", "specificites"},
        {"TFenParamSpec", "specificites"},
        {"TFenParamSpecBase", "specificites"},
        {"TFenParamSpecDiac", "specificites"},
        {"TFenParamSpecSect", "specificites"},
        {"TFenParamSpecTot", "table-formes-parties"},
        {"TFenGrapheTgen", "ventilation"},
        {"TFenParamAFC", "afc"},
        {"TFenGrapheAFC", "plan-factoriel"},
        {"TFenDendrogramme", "dendrogramme"},
        {"TFenConcor", "concordances"},
        {"TfrmSR", "segments-repetes"},
        {"TFenPrepSR", "segments-repetes"},
        {"TFenSelecFormes", "groupes-de-formes"},
        {"TFenChoixDelim", "carte-sections"},
        {"TFenCarteParag", "carte-sections"},
        {"TFenParamCarte", "carte-sections"},
    };
    return sections;
}

} // namespace

QString AncreAide(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QString classe = QString::fromLatin1(w->metaObject()->className()).section("::", -1);
        if (const auto section = Sections().constFind(classe); section != Sections().constEnd())
            return *section;
    }
    return {};
}

QStringList AncresAide() {
    QStringList ancres = Sections().values();
    ancres.removeDuplicates();
    return ancres;
}

void OuvreAide(QWidget* parent, const QWidget* contexte) {
    if (const QString manque = DonneesManquantes(); !manque.isEmpty()) {
        Dialogues::Message(parent, QMessageBox::Warning, "Tessaron3", manque);
        return;
    }
    Dialogues::OuvreDocument(parent, PageAide(), AncreAide(contexte));
}

} // namespace t3ui
