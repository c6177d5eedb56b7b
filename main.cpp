#include "ui/Application.h"
#include "ui/BoardMenu.h"
#include "ui/FileMenu.h"
#include "ui/Form1.h"
#include "ui/HelpMenu.h"
#include "ui/ProgramMenu.h"
#include "ui/SignMenu.h"

#include <QScreen>

int main(int argc, char** argv) {
    award::Application app(argc, argv);
    award::Form1 form;
    // The menus work through what the window exposes; the window knows
    // nothing of them.
    auto* files = new award::FileMenu(form);
    new award::BoardMenu(form);
    new award::SignMenu(form);
    new award::ProgramMenu(form);
    new award::HelpMenu(form);
    form.FitInto(form.screen()->availableSize());
    form.show();
    // A banner file named on the command line, as a file manager passes it.
    if (const QStringList arguments = QCoreApplication::arguments(); arguments.size() > 1)
        files->Open(arguments.at(1));
    return app.exec();
}
