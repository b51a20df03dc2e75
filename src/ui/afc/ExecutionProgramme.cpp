#include "ui/afc/ExecutionProgramme.h"

#include "engine/afc/Programmes.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TexteQt.h"

#include <QEventLoop>
#include <QProcess>
#include <QProgressDialog>
#include <QTimer>

#include <optional>

namespace t3ui {

namespace {

std::chrono::milliseconds& Delai() {
    static std::chrono::milliseconds delai = std::chrono::minutes(30);
    return delai;
}

// The end of the error stream is where a program says why it failed.
constexpr qsizetype TailleMaxErreurs = 2000;

// The small window of the wait: what runs, a busy bar and "Annuler". Application-modal, so that no
// command starts or closes the base while the program works on it, yet everything keeps painting.
void PrepareAttente(QProgressDialog& attente) {
    attente.setObjectName("ProgressionProgramme");
    attente.setWindowTitle("Tessaron3");
    attente.setWindowModality(Qt::ApplicationModal);
    attente.setAutoClose(false);
    attente.setAutoReset(false);
    attente.setMinimumDuration(0);
    attente.show();
}

// The main progress bar moves while the program runs, starting over when full, so that the user sees
// that the workbench is alive; it is left empty.
class Pouls {
  public:
    explicit Pouls(ServicesAtelier& services) : m_services(services), m_battement(services.Etapes(2)) {
        m_services.ResetProgress();
        // A beat a tenth of a second, the bar full after two hundred.
        QObject::connect(&m_minuterie, &QTimer::timeout, [this] {
            if (++m_pas > 200) {
                m_pas = 0;
                m_services.ResetProgress();
            } else {
                m_battement(0);
            }
        });
        m_minuterie.start(100);
    }
    ~Pouls() { m_services.ResetProgress(); }
    Pouls(const Pouls&) = delete;
    Pouls& operator=(const Pouls&) = delete;

  private:
    ServicesAtelier& m_services;
    std::function<void(int32_t)> m_battement;
    QTimer m_minuterie;
    int m_pas = 0;
};

// The end of what the program wrote on its error stream, its control characters (but line ends and
// tabs) written \xNN: a program's escape sequences are shown, never played.
QString FinErreurs(QProcess& processus) {
    QString erreurs = QString::fromUtf8(processus.readAllStandardError()).trimmed();
    if (erreurs.size() > TailleMaxErreurs) erreurs = "…" + erreurs.right(TailleMaxErreurs);
    QString sures;
    for (const QChar c : erreurs) {
        if (c.category() == QChar::Other_Control && c != '\n' && c != '\t')
            sures += "\\x" + QString::number(c.unicode(), 16).rightJustified(2, '0').toUpper();
        else
            sures += c;
    }
    return sures;
}

// Waits for the started program in a local event loop; the first of its end, a failure to start, the
// cancel and the time limit decides.
ResultatProgramme Attend(QProcess& processus, QWidget* parent, const QString& texte) {
    std::optional<IssueProgramme> issue;
    QEventLoop boucle;
    auto decide = [&](IssueProgramme i) {
        if (issue) return;
        issue = i;
        boucle.quit();
    };
    QObject::connect(&processus, &QProcess::finished, &boucle, [&](int, QProcess::ExitStatus etat) {
        decide(etat == QProcess::NormalExit ? IssueProgramme::Termine : IssueProgramme::Plante);
    });
    QObject::connect(&processus, &QProcess::errorOccurred, &boucle, [&](QProcess::ProcessError erreur) {
        if (erreur == QProcess::FailedToStart) decide(IssueProgramme::NonLance);
    });
    QProgressDialog attente(texte, "Annuler", 0, 0, parent);
    PrepareAttente(attente);
    QObject::connect(&attente, &QProgressDialog::canceled, &boucle, [&] { decide(IssueProgramme::Annule); });
    QTimer delai;
    delai.setSingleShot(true);
    QObject::connect(&delai, &QTimer::timeout, &boucle, [&] { decide(IssueProgramme::DelaiDepasse); });
    delai.start(DelaiProgramme());
    processus.start();
    if (!issue) boucle.exec();

    ResultatProgramme resultat;
    resultat.issue = *issue;
    if (processus.state() != QProcess::NotRunning) {
        processus.kill();
        processus.waitForFinished(5000);
    }
    // The system's reason for refusing to start it is Qt's, in English: not shown.
    if (resultat.issue == IssueProgramme::NonLance)
        resultat.erreurs = "le système refuse de l'exécuter";
    else
        resultat.erreurs = FinErreurs(processus);
    resultat.code = resultat.issue == IssueProgramme::Termine ? processus.exitCode() : 0;
    return resultat;
}

QString Duree(std::chrono::milliseconds delai) {
    using namespace std::chrono;
    const bool enMinutes = delai >= minutes(1);
    const long long n = enMinutes ? duration_cast<minutes>(delai).count()
                                  : std::max<long long>(1, duration_cast<seconds>(delai).count());
    return QString::number(n) + (enMinutes ? " minute" : " seconde") + (n > 1 ? "s" : "");
}

} // namespace

std::chrono::milliseconds DelaiProgramme() {
    return Delai();
}

void SetDelaiProgramme(std::chrono::milliseconds delai) {
    Delai() = delai;
}

ResultatProgramme LanceProgrammeAnalyse(ServicesAtelier& services, QWidget* parent, const char* nom,
                                        const QString& dossier, const QString& texte) {
    const std::string programme = t3::TrouveProgramme(nom);
    if (programme.empty()) return {IssueProgramme::Introuvable, 0, {}};
    QProcess processus;
    processus.setProgram(CheminQt(programme));
    processus.setWorkingDirectory(dossier);
    processus.setStandardInputFile(QProcess::nullDevice());
    processus.setStandardOutputFile(QProcess::nullDevice());
    services.SetStatusText(texte);
    ResultatProgramme resultat;
    {
        Pouls pouls(services);
        resultat = Attend(processus, parent, texte);
    }
    services.SetStatusText(QString());
    return resultat;
}

QString ExpliqueEchec(const ResultatProgramme& resultat, const char* nom) {
    const QString programme = QString("Le programme « %1 »").arg(nom);
    switch (resultat.issue) {
    case IssueProgramme::Termine:
        if (resultat.code == 0) return {};
        return programme + QString(" a échoué (code %1).").arg(resultat.code) +
               (resultat.erreurs.isEmpty() ? QString() : "\n" + resultat.erreurs);
    case IssueProgramme::Introuvable:
        return programme + " est introuvable : placez-le à côté de Tessaron3 ou dans un dossier du PATH.";
    case IssueProgramme::NonLance:
        return programme + " n'a pas pu être lancé (" + resultat.erreurs + ").";
    case IssueProgramme::Annule:
        return {};
    case IssueProgramme::DelaiDepasse:
        return programme + " a été arrêté : il n'avait pas fini au bout de " + Duree(DelaiProgramme()) + ".";
    case IssueProgramme::Plante:
        return programme + " s'est arrêté anormalement." +
               (resultat.erreurs.isEmpty() ? QString() : "\n" + resultat.erreurs);
    }
    return {};
}

} // namespace t3ui
