#pragma once

#include <QString>

class QWidget;

// The window's design texts: captions and hints as the form shows them before the message
// catalogue replaces them.
QString designCaption(const QString& controlName);
QString designHint(const QString& controlName);

// Gives every named child of `window` its design caption and hint, where it has one.
void applyDesignTexts(QWidget* window);
