#include "platform/TUpDown.h"

#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

TUpDown::TUpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFixedSize(18, 12);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void TUpDown::setAssociate(QLineEdit* edit) {
    associate_ = edit;
    if (associate_ != nullptr) {
        associate_->setText(QString::number(position_));
    }
}

void TUpDown::setMin(int min) {
    min_ = min;
    max_ = std::max(max_, min_);
    setPosition(position_);
}

void TUpDown::setMax(int max) {
    max_ = max;
    min_ = std::min(min_, max_);
    setPosition(position_);
}

void TUpDown::setPosition(int position) {
    const int clamped = std::clamp(position, min_, max_);
    const bool changed = clamped != position_;
    position_ = clamped;
    if (associate_ != nullptr && associate_->text() != QString::number(position_)) {
        associate_->setText(QString::number(position_));
    }
    if (changed) {
        emit positionChanged(position_);
    }
}

void TUpDown::step(int delta) {
    int from = position_;
    if (associate_ != nullptr) {
        bool ok = false;
        const int shown = associate_->text().toInt(&ok);
        if (ok) {
            from = shown;
        }
    }
    setPosition(from + delta);
}
