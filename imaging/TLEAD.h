#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/LeadModel.h"

// The imaging control: a view over one picture model. It paints the model's current picture at
// its zoom and offsets, keeps the pen, the cursor and the outline overlay, and forwards the
// model's operations under the names the window uses. Operations return 0 or an
// imaging::Status.
class QScrollBar;

class TLEAD : public QWidget {
    Q_OBJECT

  public:
    explicit TLEAD(QWidget* parent = nullptr);
    ~TLEAD() override;

    imaging::LeadModel& model() { return model_; }
    const imaging::LeadModel& model() const { return model_; }

    // --- The current picture and the bitmap list (see LeadModel) ---
    bool hasBitmap() const { return model_.hasBitmap(); }
    const imaging::Picture* picture() const { return model_.picture(); }
    void setBitmap(const imaging::Picture& picture) { model_.setBitmap(picture); }
    void setBitmapFrom(const imaging::LeadModel& other) { model_.setBitmapFrom(other); }
    void setBitmapFrom(const TLEAD& other) { model_.setBitmapFrom(other.model_); }
    void releaseBitmap() { model_.releaseBitmap(); }
    int BitmapWidth() const { return model_.BitmapWidth(); }
    int BitmapHeight() const { return model_.BitmapHeight(); }
    int BitmapBits() const { return model_.BitmapBits(); }
    double SrcWidth() const { return BitmapWidth(); }
    double SrcHeight() const { return BitmapHeight(); }
    bool hasBitmapList() const { return model_.hasBitmapList(); }
    void clearBitmapList() { model_.clearBitmapList(); }
    int BitmapListCount() const { return model_.BitmapListCount(); }
    int BitmapListIndex() const { return model_.BitmapListIndex(); }
    int setBitmapListIndex(int index) { return model_.setBitmapListIndex(index); }
    int InsertBitmapListItem(int position, const imaging::Picture& picture) {
        return model_.InsertBitmapListItem(position, picture);
    }

    // --- Files ---
    int Load(const QString& fileName, int bits, int firstPage, int pageCount) {
        return model_.Load(fileName, bits, firstPage, pageCount);
    }
    int GetFileInfo(const QString& fileName, int flags = 0xFFFF, int pageFlags = 1) {
        return model_.GetFileInfo(fileName, flags, pageFlags);
    }
    int InfoTotalPages() const { return model_.InfoTotalPages(); }
    int BitmapDelay() const { return model_.BitmapDelay(); }

    // --- Picture operations on the current picture ---
    int CreateBitmap(int width, int height, int bits) {
        return model_.CreateBitmap(width, height, bits);
    }
    int Fill(imaging::Colour colour) { return model_.Fill(colour); }
    int Size(int width, int height, int flags) { return model_.Size(width, height, flags); }
    int ColorRes(int bits, int paletteFlags, int dither, int colours) {
        return model_.ColorRes(bits, paletteFlags, dither, colours);
    }
    int Set_UserPalette(int index, imaging::Colour colour) {
        return model_.Set_UserPalette(index, colour);
    }
    int Set_BitmapPalette(int index, imaging::Colour colour) {
        return model_.Set_BitmapPalette(index, colour);
    }
    imaging::Colour Get_Pixel(int x, int y) const { return model_.Get_Pixel(x, y); }
    int Set_Pixel(int x, int y, imaging::Colour colour) { return model_.Set_Pixel(x, y, colour); }
    QImage* GetBitmapDC() { return model_.GetBitmapDC(); }
    int ReleaseBitmapDC() { return model_.ReleaseBitmapDC(); }

    // --- Pen and outlines ---
    // Draw mode 7 toggles an exclusive-or outline in an overlay above the picture (drawing it
    // again removes it; the pixels never change). Any other mode draws into the pixels.
    static constexpr int kDrawModeXorPen = 7;
    int DrawMode() const { return drawMode_; }
    void setDrawMode(int mode) { drawMode_ = mode; }
    imaging::Colour DrawPenColor() const { return penColour_; }
    void setDrawPenColor(imaging::Colour colour) { penColour_ = colour; }
    int DrawPenWidth() const { return penWidth_; }
    void setDrawPenWidth(int width) { penWidth_ = std::max(1, width); }
    // Left, top, width, height in control coordinates (the picture's pixels when drawing
    // into it).
    int DrawRectangle(int left, int top, int width, int height);
    // The outlines, relative to the picture's top-left corner (DstLeft, DstTop).
    const std::vector<QRect>& overlayRectangles() const { return overlay_; }
    // Removes every outline, as showing a new picture does on a control that draws outlines
    // onto its display.
    void clearOverlay();

    // --- View ---
    // How the picture is painted: stretched over the whole control, or at PaintZoomFactor
    // percent with its corner at (DstLeft, DstTop). Coordinates are always pixels.
    static constexpr int kPaintSizeFit = 0;
    static constexpr int kPaintSizeZoom = 4;
    int PaintSizeMode() const { return paintSizeMode_; }
    void setPaintSizeMode(int mode);
    int PaintZoomFactor() const { return zoom_; }
    void setPaintZoomFactor(int percent);
    int DstLeft() const { return dstLeft_; }
    int DstTop() const { return dstTop_; }
    int DstWidth() const;
    int DstHeight() const;
    void setDstLeft(int left);
    void setDstTop(int top);
    int DstClipLeft() const { return clipLeft_; }
    int DstClipTop() const { return clipTop_; }
    void setDstClipLeft(int left);
    void setDstClipTop(int top);
    bool AutoRepaint() const { return autoRepaint_; }
    void setAutoRepaint(bool on);
    // The picture as painted: a 24-bit picture's pixels shared, not copied; other depths
    // converted once per change of the picture.
    const QImage& displayImage() const;
    // In zoom mode a picture larger than the control gets scroll bars, which move DstLeft and
    // DstTop (and the clip offsets with them).
    static constexpr int kScrollBarExtent = 17;
    QScrollBar* horizontalScrollBar() const { return horizontalBar_; }
    QScrollBar* verticalScrollBar() const { return verticalBar_; }
    // Brings DstLeft and DstTop (and the clip offsets) within what the scroll bars allow, so
    // no part of the control beside the picture is scrolled into view.
    void scrollIntoRange();

    // --- Mouse ---
    // The cursor by the system's cursor ids: 0 default, -6 diagonal up-right, -7 vertical,
    // -8 diagonal down-right, -9 horizontal, -22 four-way move.
    void setCursorId(std::int16_t id);
    std::int16_t cursorId() const { return cursorId_; }

  signals:
    // Mouse events over the picture area in control pixels; moves are reported also while no
    // button is held.
    void mouseDown(int x, int y);
    void mouseMove(int x, int y);
    void mouseUp(int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void updateScrollBars();
    // The control without its scroll bars.
    QRect pictureArea() const;
    void scrollHorizontally(int value);
    void scrollVertically(int value);

    // After every change of the picture: drop the display image and repaint.
    void pictureChanged();
    void viewChanged();

    imaging::LeadModel model_;

    int drawMode_ = 13;
    imaging::Colour penColour_ = 0;
    int penWidth_ = 1;
    std::vector<QRect> overlay_;

    int paintSizeMode_ = kPaintSizeFit;
    int zoom_ = 100;
    int dstLeft_ = 0;
    int dstTop_ = 0;
    int clipLeft_ = 0;
    int clipTop_ = 0;
    bool autoRepaint_ = true;
    mutable std::optional<QImage> displayImage_;
    QScrollBar* horizontalBar_;
    QScrollBar* verticalBar_;
    bool updatingScrollBars_ = false;
    std::int16_t cursorId_ = 0;
};
