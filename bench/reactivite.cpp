// Drives the workbench's long commands without a display and measures how long its interface thread stays
// busy: a timer of 10 ms ticks on that thread, and for each command the longest gap between two ticks is
// printed with the command's time ("name gap_ms seconds"). The commands: the creation of a base from a
// corpus (the keys verified, the text segmented, the base opened); in a new workbench, the opening of
// that base, its partition by author (the statistics window and a ventilation graph opened), its
// repeated segments with the default thresholds (the list opened), the specificities of every part
// ("Sp. Tot", default thresholds), a concordance of the most frequent form, one of every form a pattern
// matches, and the section map of the text cut at each full stop. Each line ends with the process's peak
// memory so far (MB).
// Usage: reactivite CORPUS.txt DOSSIER [MAXART (2000000)]
#include "engine/Globaux.h"
#include "engine/corpus/Cles.h"
#include "ui/explore/TFenChoixDelim.h"
#include "ui/explore/TFenConcor.h"
#include "ui/shell/Atelier.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/TFenPrinc.h"
#include "ui/shell/TexteQt.h"
#include "ui/stats/TFenChoixPart.h"
#include "ui/stats/TFenStatPart.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

using namespace t3ui;

namespace {

// The peak resident memory of the process so far (VmHWM), in MB; 0 when unknown.
long long PicMemoireMo() {
    QFile etat("/proc/self/status");
    if (!etat.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& ligne : etat.readAll().split('\n'))
        if (ligne.startsWith("VmHWM:")) return ligne.mid(6).trimmed().split(' ').value(0).toLongLong() / 1024;
    return 0;
}

// The longest gap between two ticks of a 10 ms timer on the interface thread while commande runs.
class Veille {
  public:
    Veille() {
        m_minuterie.setInterval(10);
        QObject::connect(&m_minuterie, &QTimer::timeout,
                         [this] { m_ecartMax = std::max(m_ecartMax, m_depuis.restart()); });
    }
    void Mesure(const char* nom, const std::function<bool()>& commande) {
        m_ecartMax = 0;
        QElapsedTimer duree;
        duree.start();
        m_depuis.start();
        m_minuterie.start();
        const bool reussie = commande();
        // The gap up to the command's return counts too.
        m_ecartMax = std::max(m_ecartMax, m_depuis.elapsed());
        m_minuterie.stop();
        std::printf("%s %lld %.3f %lld%s\n", nom, static_cast<long long>(m_ecartMax),
                    duree.nsecsElapsed() / 1e9, PicMemoireMo(), reussie ? "" : " échec");
        std::fflush(stdout);
    }

  private:
    QTimer m_minuterie;
    QElapsedTimer m_depuis;
    qint64 m_ecartMax = 0;
};

// A concordance window opened, motif typed (a pattern when expression), then Enter.
bool Concordance(TFenPrinc& fenetre, const QString& motif, bool expression) {
    const QList<TFenConcor*> avant = fenetre.findChildren<TFenConcor*>();
    fenetre.CommandeNommee("BtnDocu")->trigger();
    for (TFenConcor* concordance : fenetre.findChildren<TFenConcor*>())
        if (!avant.contains(concordance)) {
            concordance->ChkExpRep()->setChecked(expression);
            concordance->EdForme()->setText(motif);
            emit concordance->EdForme()->returnPressed();
            return concordance->GroupeCourant() != nullptr;
        }
    return false;
}

// "Carte des sections", the delimiter chosen, "Créer": true when a map window became active.
bool CarteDesSections(TFenPrinc& fenetre, const QString& delimiteur) {
    QMdiSubWindow* avant = fenetre.Mdi()->activeSubWindow();
    Dialogues::RepondDialogue(QDialog::Accepted, [delimiteur](QDialog* dialogue) {
        auto* liste = static_cast<TFenChoixDelim*>(dialogue)->ListDelims();
        for (QListWidgetItem* item : liste->findItems(delimiteur, Qt::MatchExactly))
            item->setSelected(true);
        dialogue->findChild<QPushButton*>("BtnValide")->click();
    });
    fenetre.CommandeNommee("BtnParag")->trigger();
    return fenetre.Mdi()->activeSubWindow() != avant;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage : reactivite CORPUS.txt DOSSIER [MAXART]\n");
        return 2;
    }
    const QString corpus = QFileInfo(argv[1]).absoluteFilePath();
    const QDir dossier(argv[2]);
    t3::Options.Maxart = argc > 3 ? std::atoi(argv[3]) : 2000000;
    const QString texte = dossier.filePath(QFileInfo(corpus).fileName());
    QFile::remove(texte);
    if (!QFile::link(corpus, texte) && !QFile::copy(corpus, texte)) return 2;
    QDir::setCurrent(dossier.absolutePath());
    Veille veille;
    {
        TFenPrinc fenetre;
        fenetre.show();
        Dialogues::RepondDialogue(QDialog::Accepted); // the delimiters as they are
        veille.Mesure("creation", [&] { return fenetre.Bases().CreeBase(texte); });
    }
    {
        TFenPrinc fenetre;
        fenetre.show();
        const QString par = dossier.filePath(QFileInfo(corpus).completeBaseName() + ".par");
        veille.Mesure("ouverture", [&] { return fenetre.Bases().OuvreBase(par); });
        t3::charg1* base = fenetre.Chargeur();
        if (!base) return 2;
        const int32_t auteur = t3::RetourneTypeCle(*base, "auteur");
        veille.Mesure("partition", [&] { return OuvrePartition(fenetre, base, auteur) != nullptr; });
        Dialogues::RepondDialogue(QDialog::Accepted); // the default thresholds
        veille.Mesure("segments", [&] {
            fenetre.CommandeNommee("BtnSR")->trigger();
            return base->Segments() != nullptr;
        });
        auto* statistiques = fenetre.findChild<TFenStatPart*>();
        if (!statistiques) return 2;
        Dialogues::RepondDialogue(QDialog::Accepted); // the default thresholds
        veille.Mesure("specifs-toutes", [&] {
            statistiques->findChild<QToolButton*>("BtnSpTot")->click();
            return statistiques->Onglets()->isTabVisible(1);
        });
        int32_t premiere = 0;
        for (int32_t forme = 1; forme < base->Nbform(); ++forme)
            if (base->RetourneFrq(forme) > base->RetourneFrq(premiere)) premiere = forme;
        const QString frequente = VersQt(base->RetourneGraphie(premiere, true));
        veille.Mesure("concordance", [&] { return Concordance(fenetre, frequente, false); });
        veille.Mesure("concordance-motif", [&] { return Concordance(fenetre, "^t", true); });
        veille.Mesure("carte-sections", [&] { return CarteDesSections(fenetre, "."); });
    }
    return 0;
}
