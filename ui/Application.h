#pragma once

#include <QApplication>

namespace award {

// The program's application object. A handler that fails must not leave the
// window half-updated and running on, so an error escaping any event is shown
// to the user and ends the program with a failure status.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void EndAfterError(const QString& what);

    bool ending_ = false;
};

// Qt's own dialogs and buttons (file dialogs, input dialogs, message boxes)
// in Traditional Chinese, like the rest of the window. Returns whether Qt's
// translations were found.
bool InstallChineseTranslations(QCoreApplication& application);

}  // namespace award
