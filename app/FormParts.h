#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <QStyle>

#include "imaging/Picture.h"
#include "platform/TABitBtn.h"

class QWidget;
class TPanel;
class TTrackBar;

// Small builders for the window's controls: each gets its system name as object name.
namespace formparts {

// Colours of the window's panels, as 0x00BBGGRR.
inline constexpr imaging::Colour kHeadingColour = 0xA5795C;  // heading panels
inline constexpr imaging::Colour kBoxColour = 0xD0AE98;      // boxes beside the pages
inline constexpr imaging::Colour kViewerColour = 0x4B4C4D;   // behind the input viewer
inline constexpr imaging::Colour kPictureAreaColour = 0x404040;

QColor qtColour(imaging::Colour colour);

// The holders of the preview controls: the previews are sized to fit them at start.
inline constexpr int kPreviewHolderWidth = 344;
inline constexpr int kPreviewHolderHeight = 100;

template <typename T>
T* named(QWidget* parent, const char* name) {
    T* widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A flat button with a glyph from the icon theme or the style's standard pixmap.
TABitBtn* button(QWidget* parent, const char* name, const char* themeName,
                 QStyle::StandardPixmap fallback, TABitBtn::TBtnMode mode = TABitBtn::abbmNormal);
// A flat button with a glyph of its own: a letter in a dashed frame.
TABitBtn* letterButton(QWidget* parent, const char* name, const QString& letter,
                       TABitBtn::TBtnMode mode = TABitBtn::abbmNormal);
// A heading panel: a coloured bar with a centred caption.
TPanel* heading(QWidget* parent, const char* name);
// A box panel in the given colour, to hold other controls.
TPanel* box(QWidget* parent, const char* name, imaging::Colour colour);
// A box of the preview holders' size.
TPanel* previewHolder(QWidget* parent, const char* name);
// A track bar with a range and a position.
TTrackBar* trackBar(QWidget* parent, const char* name, int min, int max, int position);

}  // namespace formparts
