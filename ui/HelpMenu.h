#pragma once

#include "sign/SignTarget.h"

#include <QObject>

class QImage;
class QString;

namespace award {

class Form1;

// The 說明 menu: a short guide from the banner to the sign, the wiring of the
// sign chosen in 看板 ▸ 看板種類 with a table and a picture, and the
// program's version and licences. Each opens a window of its own beside the
// main window.
class HelpMenu : public QObject {
public:
    explicit HelpMenu(Form1& form);

    // The pages the items show, as rich text.
    static QString GuidePage();
    static QString WiringPage(SignKind sign = SignKind::School);
    static QString AboutPage();

private:
    void Show(const QString& title, const QString& page, const QImage* picture = nullptr);

    Form1& form_;
};

}  // namespace award
