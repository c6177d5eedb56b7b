#include "ui/Application.h"
#include "ui/FileCommands.h"
#include "ui/Form1.h"

int main(int argc, char** argv) {
    award::Application app(argc, argv);
    award::Form1 form;
    auto* files = new award::FileCommands(form);
    form.show();
    // A banner file named on the command line, as a file manager passes it.
    if (const QStringList arguments = QCoreApplication::arguments(); arguments.size() > 1)
        files->Open(arguments.at(1));
    return app.exec();
}
