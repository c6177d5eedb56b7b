#include "ui/SignMenu.h"

#include "sign/SignTargetNames.h"
#include "ui/Form1.h"
#include "ui/SignPreference.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace award {
namespace {

QAction* Choice(QMenu* menu, QActionGroup* group, const QString& text, int value) {
    QAction* action = menu->addAction(text);
    action->setCheckable(true);
    action->setData(value);
    group->addAction(action);
    return action;
}

}  // namespace

SignMenu::SignMenu(Form1& form) : QObject(&form), form_(form) {
    QMenu* menu = form.BoardMenuWidget();
    menu->setToolTipsVisible(true);
    menu->addSeparator();
    QMenu* signs = menu->addMenu(QStringLiteral("看板種類(&K)"));
    QMenu* boards = menu->addMenu(QStringLiteral("控制板(&D)"));
    QMenu* levels = menu->addMenu(QStringLiteral("亮度(&L)"));
    for (QMenu* submenu : {signs, boards, levels}) submenu->setToolTipsVisible(true);
    signs_ = new QActionGroup(this);
    boards_ = new QActionGroup(this);
    levels_ = new QActionGroup(this);
    for (const SignKind sign : {SignKind::School, SignKind::P10Pair}) Choice(signs, signs_, SignName(sign), int(sign));
    Choice(boards, boards_, BoardName(BoardKind::Mega2560), int(BoardKind::Mega2560));
    uno_ = Choice(boards, boards_, BoardName(BoardKind::Uno), int(BoardKind::Uno));
    for (int level = SIGN_BRIGHTEST; level >= 1; --level)
        Choice(levels, levels_, level == SIGN_BRIGHTEST ? QStringLiteral("%1（最亮）").arg(level) : QString::number(level),
               level)
            ->setToolTip(QStringLiteral("每顆 LED 亮的時間是最亮時的 %1/%2；畫面和時間都不變")
                             .arg(level)
                             .arg(int{SIGN_BRIGHTEST}));
    // A choice changes its part of the target the window has.
    const auto onChoice = [this](QActionGroup* group, void (*set)(SignTarget&, int)) {
        connect(group, &QActionGroup::triggered, this, [this, set](QAction* action) {
            SignTarget target = form_.Target();
            set(target, action->data().toInt());
            Choose(target);
        });
    };
    onChoice(signs_, [](SignTarget& target, int sign) {
        target.sign = SignKind(sign);
        // The school's sign is wired to the Mega 2560's ports C, F and K.
        if (!BoardDrivesSign(target.sign, target.board)) target.board = BoardKind::Mega2560;
    });
    onChoice(boards_, [](SignTarget& target, int board) { target.board = BoardKind(board); });
    onChoice(levels_, [](SignTarget& target, int level) { target.brightness = level; });
    form_.SetTarget(RememberedTarget());
    ShowChoice();
}

void SignMenu::Choose(SignTarget target) {
    RememberTarget(target);
    form_.SetTarget(target);
    ShowChoice();
}

void SignMenu::ShowChoice() {
    const SignTarget& target = form_.Target();
    const auto check = [](QActionGroup* group, int value) {
        for (QAction* action : group->actions()) action->setChecked(action->data().toInt() == value);
    };
    check(signs_, int(target.sign));
    check(boards_, int(target.board));
    check(levels_, target.brightness);
    const bool school = target.sign == SignKind::School;
    uno_->setEnabled(!school);
    uno_->setToolTip(school ? QStringLiteral("學校看板接在 Mega 2560 的埠 C、F、K，Uno 和 Nano 沒有這些埠：要用 Uno / Nano，"
                                             "請先在 看板種類 選 P10 面板兩片")
                            : QString());
}

}  // namespace award
