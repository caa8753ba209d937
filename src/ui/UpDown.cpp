#include "UpDown.h"

#include "model/SettingsEdit.h"

#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

TUpDown::TUpDown(int min, int max, int position, QWidget* parent)
    : QWidget(parent), Min_(min), Max_(max), Position_(std::clamp(position, min, max)),
      Up_(new QToolButton(this)), Down_(new QToolButton(this)) {
    for (QToolButton* button : {Up_, Down_}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
    }
    Up_->setArrowType(Qt::UpArrow);
    Down_->setArrowType(Qt::DownArrow);
    connect(Up_, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(Down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void TUpDown::SetAssociate(QLineEdit* field) {
    Associate_ = field;
    if (Associate_) Associate_->setText(QString::number(Position_));
}

void TUpDown::SetPosition(int position) {
    Position_ = std::clamp(position, Min_, Max_);
    if (Associate_) Associate_->setText(QString::number(Position_));
}

void TUpDown::Step(int delta) {
    // The field may have been typed into since the last step: step from what it shows.
    int from = Position_;
    if (Associate_)
        if (const auto shown = SettingsEdit::ParseDecimal(Associate_->text()))
            from = std::clamp(*shown, Min_, Max_);
    const int to = std::clamp(from + delta, Min_, Max_);
    const bool textDiffers = Associate_ && Associate_->text() != QString::number(to);
    Position_ = to;
    if (!textDiffers) return;
    Associate_->setText(QString::number(to));
    emit Stepped(to);
}

void TUpDown::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    Up_->setGeometry(0, 0, width(), half);
    Down_->setGeometry(0, half, width(), height() - half);
}
