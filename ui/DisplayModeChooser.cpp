#include "ui/DisplayModeChooser.h"

#include "conversion/ConversionOptions.h"
#include "notices/CapacityWords.h"
#include "program/Program.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

namespace award {

DisplayModeChooser::DisplayModeChooser(QWidget* parent) : QWidget(parent) {
    auto* label = new QLabel(QStringLiteral("顯示方式"), this);
    label->setGeometry(0, 0, 50, 33);
    phrases_ = new QRadioButton(QStringLiteral("逐句"), this);
    phrases_->setObjectName(QStringLiteral("phraseMode"));
    phrases_->setGeometry(50, 0, 50, 33);
    marquee_ = new QRadioButton(QStringLiteral("跑馬燈"), this);
    marquee_->setObjectName(QStringLiteral("marqueeMode"));
    marquee_->setGeometry(100, 0, 62, 33);
    // A group of their own: the face options beside them are another choice.
    auto* group = new QButtonGroup(this);
    group->addButton(phrases_);
    group->addButton(marquee_);
    phrases_->setChecked(true);

    speed_ = new QComboBox(this);
    speed_->setObjectName(QStringLiteral("marqueeSpeed"));
    speed_->setGeometry(164, 4, 56, 25);
    for (const MarqueeSpeed speed : kMarqueeSpeeds) speed_->addItem(SpeedName(speed), int(speed));
    speed_->setCurrentIndex(speed_->findData(int(ConversionOptions{}.speed)));
    speed_->setEnabled(false);
    QStringList paces;
    for (const MarqueeSpeed speed : kMarqueeSpeeds)
        paces << QStringLiteral("%1%2約 %3 個字")
                     .arg(SpeedName(speed), paces.isEmpty() ? QStringLiteral("每秒") : QString(),
                          CharactersPerSecondInWords(speed));
    speed_->setToolTip(QStringLiteral("跑馬燈的速度：") + paces.join(u'，'));
    phrases_->setToolTip(QStringLiteral("一次顯示一句，每句最多 4 個中文字，最多 %1 句").arg(FlashPhrasesInWords()));
    marquee_->setToolTip(QStringLiteral("整段文字由右向左捲過看板，不限每句 4 個字，最多約 %1 個中文字（%2 欄）")
                             .arg(MarqueeCharactersInWords(), MarqueeColumnsInWords()));
    connect(marquee_, &QRadioButton::toggled, speed_, &QComboBox::setEnabled);
}

bool DisplayModeChooser::Marquee() const { return marquee_->isChecked(); }

MarqueeSpeed DisplayModeChooser::Speed() const { return static_cast<MarqueeSpeed>(speed_->currentData().toInt()); }

void DisplayModeChooser::WhenChanged(QObject* context, const std::function<void()>& changed) {
    connect(marquee_, &QRadioButton::toggled, context, [changed](bool) { changed(); });
    connect(speed_, &QComboBox::currentIndexChanged, context, [changed](int) { changed(); });
}

QList<QWidget*> DisplayModeChooser::TabStops() const { return {phrases_, marquee_, speed_}; }

}  // namespace award
