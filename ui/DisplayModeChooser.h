#pragma once

#include "sign/SignTiming.h"


#include <QWidget>

#include <functional>

class QComboBox;
class QRadioButton;

namespace award {

// 顯示方式: phrase by phrase, the sign's own way, or a marquee that scrolls
// the whole text, with its speed. Sits beside the picture area, in sight.
class DisplayModeChooser : public QWidget {
public:
    explicit DisplayModeChooser(QWidget* parent = nullptr);

    bool Marquee() const;
    MarqueeSpeed Speed() const;

    // Calls `changed` whenever the mode or the speed changes, while `context`
    // lives.
    void WhenChanged(QObject* context, const std::function<void()>& changed);

    // The controls a user tabs through, in order.
    QList<QWidget*> TabStops() const;

private:
    QRadioButton* phrases_ = nullptr;
    QRadioButton* marquee_ = nullptr;
    QComboBox* speed_ = nullptr;
};

}  // namespace award
