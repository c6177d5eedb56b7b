#pragma once

#include <QObject>
#include <QString>

namespace award {

class Form1;
class ProgramWindow;

// The 節目 menu, which opens the 節目表, and the 檔案 menu's entries that open
// and save programs as CSV files. It works through what the window exposes.
class ProgramMenu : public QObject {
public:
    explicit ProgramMenu(Form1& form);

    ProgramWindow& Window() const { return *window_; }

    // What the commands do once a file is chosen. Each tells the user how it
    // went and returns whether it did its work.
    bool Open(const QString& path);
    bool SaveTo(const QString& chosenPath);

protected:
    // Ending the program asks first about a program edited since it was saved.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowWindow();
    void ChooseAndOpen();
    void ChooseAndSave();
    bool MaySaveFirst(const QString& title, const QString& question);
    QString Folder() const;

    Form1& form_;
    ProgramWindow* window_ = nullptr;
    QString path_;  // the program's file, once it has one
    bool placed_ = false;
};

}  // namespace award
