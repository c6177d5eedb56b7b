#pragma once

#include "files/BannerFile.h"

#include <QObject>
#include <QString>

namespace award {

class Form1;

// The window's 檔案 menu: the banner text to and from files, the sketch out to
// the folder layout of the Arduino IDE. It also opens a file dropped on the
// window. The window knows nothing of it; it works through what the window
// exposes.
class FileMenu : public QObject {
public:
    explicit FileMenu(Form1& form);

    // What the commands do once a file is chosen. Each tells the user how it
    // went and returns whether it did its work.
    bool Open(const QString& path);
    bool SaveTo(const QString& path);
    bool ExportTo(const QString& chosenPath);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ChooseAndOpen();
    bool Save() { return path_.isEmpty() ? ChooseAndSave() : SaveTo(path_); }
    bool ChooseAndSave();
    void ChooseAndExport();
    bool MayReplaceEdits();
    bool MayEnd();
    void BecomeFileOfBanner(const QString& path, const BannerForm& form);
    void ShowTitle();

    Form1& form_;
    QString path_;        // the banner's file, once it has one
    BannerForm fileForm_;  // how that file lays out its text
};

}  // namespace award
