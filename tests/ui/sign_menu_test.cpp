// 看板 ▸ 看板種類, 控制板 and 亮度: every run writes for the sign, board and
// brightness chosen, the choice is kept for the next start and shown above
// the preview, and the school's sign is never left on an Uno.

#include "reading/SketchReader.h"
#include "sign/SignTargetNames.h"
#include "ui/Form1.h"
#include "ui/HelpMenu.h"
#include "ui/LedPreview.h"
#include "ui/SignMenu.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QTest>

#include <memory>

using award::BoardKind;
using award::Form1;
using award::SignKind;
using award::SignTarget;

Q_DECLARE_METATYPE(SignTarget)

class SignMenuTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form_;

    void Open() {
        form_ = std::make_unique<Form1>();
        new award::SignMenu(*form_);
    }

    // The choice `text` of the 看板 menu's submenu `title`.
    QAction* Choice(const QString& title, const QString& text) {
        for (QAction* entry : form_->BoardMenuWidget()->actions())
            if (entry->menu() && entry->text().startsWith(title))
                for (QAction* action : entry->menu()->actions())
                    if (action->text().startsWith(text)) return action;
        qFatal("no choice %s in %s", qPrintable(text), qPrintable(title));
    }

    void Choose(const SignTarget& target) {
        Choice(QStringLiteral("看板種類"), award::SignName(target.sign))->trigger();
        Choice(QStringLiteral("控制板"), award::BoardName(target.board))->trigger();
        Choice(QStringLiteral("亮度"), QString::number(target.brightness))->trigger();
    }

    SignTarget Written() {
        form_->findChild<QPushButton*>("Command4")->click();
        const auto read = award::ReadSketch(form_->Text3Text());
        if (!read) qFatal("the run wrote no sketch the reader knows");
        return std::visit([](const auto& shown) { return shown.target; }, *read);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        QSettings().clear();
        Open();
        form_->BannerField()->setText(QStringLiteral("恭喜 金牌 "));
    }

    void theSchoolSignAtFullBrightnessByDefault() {
        QVERIFY(form_->Target() == SignTarget{});
        QVERIFY(Written() == SignTarget{});
        QVERIFY(form_->findChild<QLabel*>("signTarget")->text().contains(award::SignName(SignKind::School)));
    }

    void aRunWritesForTheChoice_data() {
        QTest::addColumn<SignTarget>("target");
        QTest::newRow("P10 on an Uno, level 3") << SignTarget{SignKind::P10Pair, BoardKind::Uno, 3};
        QTest::newRow("P10 on a Mega") << SignTarget{SignKind::P10Pair, BoardKind::Mega2560, 8};
        QTest::newRow("the school's sign dimmed") << SignTarget{SignKind::School, BoardKind::Mega2560, 1};
    }

    void aRunWritesForTheChoice() {
        QFETCH(SignTarget, target);
        Choose(target);
        QVERIFY(form_->Target() == target);
        QVERIFY(Written() == target);
        QCOMPARE(form_->Preview()->Brightness(), target.brightness);
        const QString shown = form_->findChild<QLabel*>("signTarget")->text();
        QVERIFY(shown.contains(award::SignName(target.sign)));
        QVERIFY(shown.contains(award::BoardName(target.board)));
    }

    void theChoiceIsKeptForTheNextStart() {
        const SignTarget target{SignKind::P10Pair, BoardKind::Uno, 5};
        Choose(target);
        Open();
        QVERIFY(form_->Target() == target);
        QVERIFY(Choice(QStringLiteral("控制板"), award::BoardName(BoardKind::Uno))->isChecked());
        QVERIFY(Choice(QStringLiteral("亮度"), QStringLiteral("5"))->isChecked());
    }

    void theSchoolSignTakesTheMegaBack() {
        Choose({SignKind::P10Pair, BoardKind::Uno, 8});
        Choice(QStringLiteral("看板種類"), award::SignName(SignKind::School))->trigger();
        QCOMPARE(form_->Target().board, BoardKind::Mega2560);
        QVERIFY(!Choice(QStringLiteral("控制板"), award::BoardName(BoardKind::Uno))->isEnabled());
        QVERIFY(Choice(QStringLiteral("控制板"), award::BoardName(BoardKind::Mega2560))->isChecked());
        QSettings().setValue(QStringLiteral("sign/board"), QStringLiteral("uno"));
        Open();
        QVERIFY(form_->Target() == SignTarget{});
    }

    // 說明 ▸ 看板接線 explains the sign chosen: the panels' HUB12 pins on the
    // Uno's and the Mega's, and their own supply.
    void theWiringHelpIsTheChosenSigns_data() {
        QTest::addColumn<int>("sign");
        QTest::addColumn<QStringList>("told");
        QTest::newRow("school") << int(SignKind::School) << QStringList{QStringLiteral("埠 F"), QStringLiteral("37–30")};
        QTest::newRow("P10") << int(SignKind::P10Pair)
                             << QStringList{QStringLiteral("HUB12"), QStringLiteral("D13（SCK）"), QStringLiteral("D52（SCK）"),
                                            QStringLiteral("右邊"), QStringLiteral("5 V"), QStringLiteral("5V 腳")};
    }

    void theWiringHelpIsTheChosenSigns() {
        QFETCH(int, sign);
        QFETCH(QStringList, told);
        new award::HelpMenu(*form_);
        Choice(QStringLiteral("看板種類"), award::SignName(SignKind(sign)))->trigger();
        for (QAction* action : form_->HelpMenuWidget()->actions())
            if (action->text().startsWith(QStringLiteral("看板接線"))) action->trigger();
        auto* page = form_->findChild<QTextBrowser*>();
        QVERIFY(page);
        for (const QString& words : told) QVERIFY2(page->toPlainText().contains(words), qPrintable(words));
    }

    void anotherChoiceLeavesTheSketchOutOfDate() {
        Written();
        QVERIFY(!form_->SketchOutOfDate());
        Choice(QStringLiteral("亮度"), QStringLiteral("2"))->trigger();
        QVERIFY(form_->SketchOutOfDate());
        QVERIFY(Written() == (SignTarget{SignKind::School, BoardKind::Mega2560, 2}));
        QVERIFY(!form_->SketchOutOfDate());
    }
};

QTEST_MAIN(SignMenuTest)
#include "sign_menu_test.moc"
