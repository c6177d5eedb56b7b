#pragma once

#include <QObject>

class QImage;

namespace award {

class Form1;

// The 說明 menu: a short guide from the banner to the sign, the wiring of the
// sign chosen in 看板 ▸ 看板種類 with a table and a picture, and the
// program's version and licences. Each opens a window of its own beside the
// main window.
class HelpMenu : public QObject {
public:
    explicit HelpMenu(Form1& form);

private:
    void Show(const QString& title, const QString& page, const QImage* picture = nullptr);

    Form1& form_;
};

}  // namespace award
