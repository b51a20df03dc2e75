#pragma once
// The workbench's application object: an exception that escapes a command is shown to the user in
// French and the program goes on.
#include <QApplication>

#include <exception>

namespace t3ui {

class Application : public QApplication {
    Q_OBJECT
  public:
    Application(int& argc, char** argv);
    bool notify(QObject* destinataire, QEvent* evenement) override;
    // The standard message of an exception.
    static void MontreException(const std::exception& exception);
};

// Runs the program: splash for at least three seconds, main window, the command line, the event loop.
int LanceTessaron3(int argc, char** argv);

} // namespace t3ui
