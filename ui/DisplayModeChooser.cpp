#include "ui/DisplayModeChooser.h"

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
    speed_->addItem(QStringLiteral("慢"), int(MarqueeSpeed::Slow));
    speed_->addItem(QStringLiteral("中"), int(MarqueeSpeed::Medium));
    speed_->addItem(QStringLiteral("快"), int(MarqueeSpeed::Fast));
    speed_->setCurrentIndex(1);
    speed_->setEnabled(false);
    speed_->setToolTip(QStringLiteral("跑馬燈的速度：慢每秒約 0.6 個字，中約 1.2 個字，快約 2.4 個字"));
    phrases_->setToolTip(QStringLiteral("一次顯示一句，每句最多 4 個中文字"));
    marquee_->setToolTip(QStringLiteral("整段文字由右向左捲過看板，不限字數"));
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
