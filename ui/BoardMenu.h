#pragma once

#include "board/BoardJob.h"

#include <QObject>

class QAction;
class QMenu;
class QProgressDialog;

namespace award {

class Form1;

// The 看板 menu: compiles the sketch that Text3 holds, uploads it to the board
// on the chosen serial port and lets the user choose that port. The work runs
// in the background behind a progress dialog; its result goes to the notices.
class BoardMenu : public QObject {
public:
    explicit BoardMenu(Form1& form);

private:
    void Start(bool upload);
    void ShowProgress(BoardJob::Stage stage, int percent);
    void Finish(const BoardJob::Outcome& outcome);
    void ListPorts();
    void ChooseOtherPort();
    void ShowLine(int line);
    void OfferExport(const QString& why);

    Form1& form_;
    BoardJob job_;
    QAction* compile_ = nullptr;
    QAction* upload_ = nullptr;
    QMenu* ports_ = nullptr;
    QProgressDialog* progress_ = nullptr;
};

}  // namespace award
