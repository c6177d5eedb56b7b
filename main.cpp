#include "ui/Application.h"
#include "ui/Form1.h"

int main(int argc, char** argv) {
    award::Application app(argc, argv);
    award::Form1 form;
    form.show();
    return app.exec();
}
