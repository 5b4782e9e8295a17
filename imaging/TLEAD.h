#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "imaging/Picture.h"

namespace imaging {
class PictureFileReader;
}

// The imaging control: holds a current picture or a bitmap list, performs the picture
// operations the window relies on, and paints its picture at its zoom and offsets. Work
// controls are instances that are never shown. Operations return 0 or an imaging::Status.
class TLEAD : public QWidget {
    Q_OBJECT

  public:
    explicit TLEAD(QWidget* parent = nullptr);
    ~TLEAD() override;

    // --- The current picture ("Bitmap") ---
    bool hasBitmap() const;
    const imaging::Picture* picture() const;
    // Replaces the current picture with a copy (on a list, the current item).
    void setBitmap(const imaging::Picture& picture);
    void setBitmap(imaging::Picture&& picture);
    // Copies another control's current picture; releases this one's when that has none.
    void setBitmapFrom(const TLEAD& other);
    // Releases the current picture; on a list this removes the current item, and removing
    // the last item leaves no list.
    void releaseBitmap();
    int BitmapWidth() const;
    int BitmapHeight() const;
    int BitmapBits() const;
    double SrcWidth() const { return BitmapWidth(); }
    double SrcHeight() const { return BitmapHeight(); }

    // --- The bitmap list ---
    bool hasBitmapList() const { return listMode_; }
    // "BitmapList := 0": drops the list and every picture.
    void clearBitmapList();
    int BitmapListCount() const;
    int BitmapListIndex() const { return index_; }
    int setBitmapListIndex(int index);
    // Inserts a copy at position (-1 or past the end appends). A control without a list gets
    // a list whose only item is the copy. The current item stays current.
    int InsertBitmapListItem(int position, const imaging::Picture& picture);
    const imaging::Picture& bitmapListItem(int index) const { return items_.at(index); }

    // --- Files ---
    // Decodes pages first .. first + count - 1 (1-based; 0 also names the first page), fewer at
    // the end of the file, into a bitmap list whose first item is current. Pictures are read
    // at 24 bits; other depths give kInvalidArgument. On failure the control is unchanged.
    int Load(const QString& fileName, int bits, int firstPage, int pageCount);
    // Reads the file's page count into InfoTotalPages.
    int GetFileInfo(const QString& fileName, int flags = 0xFFFF, int pageFlags = 1);
    int InfoTotalPages() const { return infoTotalPages_; }
    // Milliseconds between the pages of the last loaded clip (0 for a still).
    int BitmapDelay() const { return bitmapDelay_; }

    // --- Picture operations on the current picture ---
    int CreateBitmap(int width, int height, int bits);
    int Fill(imaging::Colour colour);
    int Size(int width, int height, int flags);
    int Combine(int left, int top, int width, int height, const imaging::Picture& source,
                int sourceLeft, int sourceTop, int flags);
    int ColorRes(int bits, int paletteFlags, int dither, int colours);
    int Set_UserPalette(int index, imaging::Colour colour);
    int Set_BitmapPalette(int index, imaging::Colour colour);
    int ColorSeparate(int flags);
    // A copy of plane `plane` of the last separation (empty when there is none).
    imaging::Picture Get_ColorPlanes(int plane) const;
    int Set_ColorPlanes(int plane, const imaging::Picture& picture);
    int ColorMerge(int flags);
    int Intensity(int strength);
    int Contrast(int strength);
    int Sharpen(int strength);
    int Invert();
    int Median(int size);
    int HistoEqualize();
    int Rotate(int hundredthsOfDegree, int flags, imaging::Colour fill);
    imaging::Colour Get_Pixel(int x, int y) const;
    int Set_Pixel(int x, int y, imaging::Colour colour);
    // A 24-bit image of the current picture to draw on; ReleaseBitmapDC writes it back.
    QImage* GetBitmapDC();
    int ReleaseBitmapDC();

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
    const std::vector<QRect>& overlayRectangles() const { return overlay_; }

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
    // The picture as painted (converted once per change of the picture).
    const QImage& displayImage() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    imaging::Picture* current();
    // After every change of the picture: drop the display image and repaint.
    void pictureChanged();
    void viewChanged();
    int replaceCurrent(imaging::Picture picture);
    // Runs an in-place operation on the current picture and repaints.
    int filterCurrent(const std::function<int(imaging::Picture&)>& operation);
    int materialisePlanes();
    int openReader(const QString& fileName);
    void dropStillReader();

    std::vector<imaging::Picture> items_;  // the lone picture, or the list's items
    bool listMode_ = false;
    int index_ = 0;

    std::vector<imaging::Colour> userPalette_;
    // The last colour separation: its source and kind, and its planes once one was replaced
    // (until then each plane is computed when asked for).
    std::optional<imaging::Picture> separated_;
    int separationFlags_ = 0;
    std::vector<imaging::Picture> planes_;
    std::optional<QImage> drawingImage_;

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

    std::unique_ptr<imaging::PictureFileReader> reader_;
    int infoTotalPages_ = 0;
    int bitmapDelay_ = 0;
};
