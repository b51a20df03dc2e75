// Drives the workbench's long commands without a display and measures how long its interface thread stays
// busy: a timer of 10 ms ticks on that thread, and for each command the longest gap between two ticks is
// printed with the command's time ("name gap_ms seconds"). The commands: the creation of a base from a
// corpus (the keys verified, the text segmented, the base opened); in a new workbench, the opening of
// that base, its partition by author (the statistics window and a ventilation graph opened), and its
// repeated segments with the default thresholds (the list opened).
// Usage: reactivite CORPUS.txt DOSSIER [MAXART (2000000)]
#include "engine/Globaux.h"
#include "engine/corpus/Cles.h"
#include "ui/shell/Atelier.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/TFenPrinc.h"
#include "ui/stats/TFenChoixPart.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

using namespace t3ui;

namespace {

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
        std::printf("%s %lld %.3f%s\n", nom, static_cast<long long>(m_ecartMax), duree.nsecsElapsed() / 1e9,
                    reussie ? "" : " échec");
        std::fflush(stdout);
    }

  private:
    QTimer m_minuterie;
    QElapsedTimer m_depuis;
    qint64 m_ecartMax = 0;
};

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
    }
    return 0;
}
