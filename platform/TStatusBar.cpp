#include "platform/TStatusBar.h"

#include <QLabel>

TStatusBar::TStatusBar(int panelCount, QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
    for (int i = 0; i < panelCount; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setMinimumWidth(220);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(4, 0, 4, 0);
        addWidget(label, 1);
        panels_.push_back(label);
    }
}

QString TStatusBar::panelText(int index) const {
    return index >= 0 && index < panelCount() ? panels_[index]->text() : QString();
}

void TStatusBar::setPanelText(int index, const QString& text) {
    if (index >= 0 && index < panelCount()) {
        panels_[index]->setText(text);
    }
}
