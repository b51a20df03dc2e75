#include "ui/shell/TacheDeFond.h"

#include "ui/shell/Dialogues.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <new>

namespace t3ui {

namespace {

// The main bar is read from the work's count of progress calls this often.
constexpr int IntervalleJaugeMs = 40;

// Keeps a window from closing while its command runs: the close stops the command, and the window closes
// once it has ended.
class GardeFermeture : public QObject {
  public:
    explicit GardeFermeture(QWidget* fenetre) : m_fenetre(fenetre) {
        if (fenetre) fenetre->installEventFilter(this);
    }
    ~GardeFermeture() override {
        if (!m_fenetre) return;
        m_fenetre->removeEventFilter(this);
        if (m_fermer) QTimer::singleShot(0, m_fenetre.data(), &QWidget::close);
    }

  protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        if (objet != m_fenetre || evenement->type() != QEvent::Close) return false;
        evenement->ignore();
        m_fermer = true;
        TachesDeFond::Instance().Annule();
        return true;
    }

  private:
    QPointer<QWidget> m_fenetre;
    bool m_fermer = false;
};

} // namespace

TachesDeFond& TachesDeFond::Instance() {
    static TachesDeFond instance;
    return instance;
}

void TachesDeFond::Annule() {
    if (m_arret) m_arret->store(true);
}

void TachesDeFond::Commence(const QString& texte, t3::Arret* arret) {
    m_arret = arret;
    m_texte = texte;
    emit Commencee(texte);
}

void TachesDeFond::Avance(int pourMille) {
    emit Avancee(pourMille);
}

void TachesDeFond::Finit() {
    m_arret = nullptr;
    m_texte.clear();
    emit Finie();
}

void DesactivePendantTache(QWidget* widget) {
    TachesDeFond& taches = TachesDeFond::Instance();
    QPointer<QWidget> garde(widget);
    QObject::connect(&taches, &TachesDeFond::Commencee, widget, [garde] { garde->setEnabled(false); });
    QObject::connect(&taches, &TachesDeFond::Finie, widget, [garde] { garde->setEnabled(true); });
    if (taches.Occupe()) widget->setEnabled(false);
}

FinTache ExecuteTache(const QString& texte, int nbEtapes,
                      const std::function<void(const t3::Arret&, const t3::Progression&)>& travail,
                      QWidget* fenetre) {
    TachesDeFond& taches = TachesDeFond::Instance();
    if (taches.Occupe()) return FinTache::Occupee;
    t3::Arret arret{false};
    std::atomic<int64_t> appels{0};
    std::atomic<bool> memoireManquante{false};
    taches.Commence(texte, &arret);
    const GardeFermeture garde(fenetre);

    // The work must not let anything escape into the thread pool: memory lacking is its one exception.
    QFuture<void> futur = QtConcurrent::run([&] {
        try {
            travail(arret, [&appels](int32_t) { appels.fetch_add(1, std::memory_order_relaxed); });
        } catch (const std::bad_alloc&) {
            memoireManquante = true;
        }
    });
    QEventLoop boucle;
    QFutureWatcher<void> veilleur;
    QObject::connect(&veilleur, &QFutureWatcherBase::finished, &boucle, &QEventLoop::quit);
    veilleur.setFuture(futur);
    QTimer jauge;
    jauge.setInterval(IntervalleJaugeMs);
    const int64_t appelsAttendus = 100 * int64_t{std::max(nbEtapes, 1)};
    QObject::connect(&jauge, &QTimer::timeout, &taches, [&] {
        taches.Avance(static_cast<int>(std::min<int64_t>(1000, appels.load() * 1000 / appelsAttendus)));
    });
    jauge.start();
    if (!futur.isFinished()) boucle.exec();
    futur.waitForFinished();
    jauge.stop();
    const bool annulee = arret.load();
    taches.Finit();
    if (memoireManquante) {
        Dialogues::Message(QApplication::activeWindow(), QMessageBox::Warning, "Tessaron3",
                           "La mémoire manque pour « " + texte + " » : la commande est arrêtée.");
        return FinTache::MemoireManquante;
    }
    return annulee ? FinTache::Annulee : FinTache::Finie;
}

} // namespace t3ui
