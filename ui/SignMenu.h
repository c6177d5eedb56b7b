#pragma once

#include "sign/SignTarget.h"

#include <QObject>

class QAction;
class QActionGroup;
class QMenu;

namespace award {

class Form1;

// The 看板 menu's choice of sign, board and brightness: 看板種類, 控制板 and
// 亮度. Chosen once and kept for the next start; every run writes for it.
// The school's sign needs the Mega 2560's ports, so choosing it sets the
// board to the Mega 2560 and leaves the Uno unchosen.
class SignMenu : public QObject {
public:
    explicit SignMenu(Form1& form);

private:
    void Choose(SignTarget target);
    void ShowChoice();

    Form1& form_;
    QActionGroup* signs_ = nullptr;
    QActionGroup* boards_ = nullptr;
    QActionGroup* levels_ = nullptr;
    QAction* uno_ = nullptr;
};

}  // namespace award
