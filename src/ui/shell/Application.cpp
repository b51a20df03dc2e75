#include "ui/shell/Application.h"

#include "ui/shell/Atelier.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/OptionsInformation.h"
#include "ui/shell/RapportLot.h"
#include "ui/shell/TFenPrinc.h"
#include "ui/shell/TSplashScreen.h"

#include "engine/socle/Temporaires.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <chrono>
#include <exception>
#include <new>
#include <stdexcept>
#include <thread>

namespace t3ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Tessaron3");
    setApplicationVersion(T3_VERSION);
    // The standard dialogs and buttons speak French.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    auto* traduction = new QTranslator(this);
    if (traduction->load(QLocale(QLocale::French), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(traduction);
}

bool Application::notify(QObject* destinataire, QEvent* evenement) {
    try {
        return QApplication::notify(destinataire, evenement);
    } catch (const std::exception& exception) {
        MontreException(exception);
    }
    return false;
}

// The library's own text (English, "vector::_M_default_append") never reaches the user: what he can act
// on is said in French.
void Application::MontreException(const std::exception& exception) {
    const bool memoire =
        dynamic_cast<const std::bad_alloc*>(&exception) || dynamic_cast<const std::length_error*>(&exception);
    Dialogues::Message(nullptr, QMessageBox::Critical, "Tessaron3",
                       QString("L'opération a été abandonnée : %1")
                           .arg(memoire ? "mémoire insuffisante" : "erreur interne"));
}

int LanceTessaron3(int argc, char** argv) {
    if (const auto statut = RepondOptionsInformation(argc, argv)) return *statut;
    // An interruption removes the temporary files; the report's folder goes at the next start.
    t3::NettoieAuxSignaux();
    const bool enLot = PrepareRapportLot(argc, argv);
    Application application(argc, argv);
    QStringList arguments = application.arguments();
    arguments.removeFirst();
    if (enLot) return ExecuteRapportLot(arguments);

    auto debut = std::chrono::steady_clock::now();
    auto* accueil = new TSplashScreen;
    accueil->MontreEtPeint();
    // The splash stays at least three seconds, without handling any event meanwhile.
    std::this_thread::sleep_until(debut + std::chrono::seconds(3));

    TFenPrinc principale;
    principale.showMaximized();
    delete accueil;
    try {
        principale.Bases().TraiteArguments(arguments);
        return application.exec();
    } catch (const std::exception& exception) {
        Application::MontreException(exception);
        return 1;
    }
}

} // namespace t3ui
