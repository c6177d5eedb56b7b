#pragma once

#include <QObject>

class QImage;
class QString;

namespace award {

class Form1;

// The 說明 menu: a short guide from the banner to the sign, the sign's wiring
// with a table and a picture, and the program's version and licences. Each
// opens a window of its own beside the main window.
class HelpMenu : public QObject {
public:
    explicit HelpMenu(Form1& form);

    // The pages the items show, as rich text.
    static QString GuidePage();
    static QString WiringPage();
    static QString AboutPage();

private:
    void Show(const QString& title, const QString& page, const QImage* picture = nullptr);

    Form1& form_;
};

}  // namespace award
