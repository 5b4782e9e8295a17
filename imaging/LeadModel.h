#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "imaging/Picture.h"

namespace imaging {

class PictureFileReader;

// The pictures of one imaging control without any widget: a lone current picture or a bitmap
// list with its current index, the user palette, the last colour separation and the open file
// reader, with every picture operation. Operations return 0 or an imaging::Status. Copying a
// model copies its pictures, palette and separation; the file reader and the change listener
// stay with the original.
class LeadModel {
  public:
    LeadModel();
    ~LeadModel();
    LeadModel(const LeadModel& other);
    LeadModel& operator=(const LeadModel& other);

    // Called after every change of the current picture or the list (a view repaints).
    void setChangeListener(std::function<void()> listener);

    // --- The current picture ("Bitmap") ---
    bool hasBitmap() const { return !items_.empty(); }
    const Picture* picture() const { return hasBitmap() ? &items_[index_] : nullptr; }
    // Replaces the current picture (on a list, the current item); an empty one releases it.
    void setBitmap(const Picture& picture);
    void setBitmap(Picture&& picture);
    // Copies another model's current picture; releases this one's when that has none.
    void setBitmapFrom(const LeadModel& other);
    // Releases the current picture; on a list this removes the current item, and removing the
    // last item leaves no list.
    void releaseBitmap();
    int BitmapWidth() const { return hasBitmap() ? picture()->width() : 0; }
    int BitmapHeight() const { return hasBitmap() ? picture()->height() : 0; }
    int BitmapBits() const { return hasBitmap() ? picture()->bits() : 0; }

    // --- The bitmap list ---
    bool hasBitmapList() const { return listMode_; }
    // "BitmapList := 0": drops the list and every picture.
    void clearBitmapList();
    int BitmapListCount() const { return listMode_ ? static_cast<int>(items_.size()) : 0; }
    int BitmapListIndex() const { return index_; }
    int setBitmapListIndex(int index);
    // Inserts a copy at position (-1 or past the end appends). A model without a list gets a
    // list whose only item is the copy. The current item stays current.
    int InsertBitmapListItem(int position, const Picture& picture);
    int InsertBitmapListItem(int position, Picture&& picture);
    const Picture& bitmapListItem(int index) const { return items_.at(index); }
    // The lone picture as one frame, or the list's items.
    int frameCount() const { return static_cast<int>(items_.size()); }
    const Picture& frame(int index) const { return items_.at(index); }

    // --- Files ---
    // Decodes pages first .. first + count - 1 (1-based; 0 also names the first page), fewer at
    // the end of the file, into a bitmap list whose first item is current. Pictures are read at
    // 24 bits; other depths and a negative first page give kInvalidArgument. A failure found
    // before decoding (arguments, opening, a page the file does not have) leaves the model
    // unchanged; the old pictures are released before decoding, so a failure while decoding
    // leaves none.
    int Load(const QString& fileName, int bits, int firstPage, int pageCount);
    // Reads the file's page count into InfoTotalPages.
    int GetFileInfo(const QString& fileName, int flags = 0xFFFF, int pageFlags = 1);
    int InfoTotalPages() const { return infoTotalPages_; }
    // Milliseconds between the pages of the last loaded clip (0 for a still).
    int BitmapDelay() const { return bitmapDelay_; }

    // --- Picture operations on the current picture ---
    int CreateBitmap(int width, int height, int bits);
    int Fill(Colour colour);
    int Size(int width, int height, int flags);
    int Combine(int left, int top, int width, int height, const Picture& source, int sourceLeft,
                int sourceTop, int flags);
    int ColorRes(int bits, int paletteFlags, int dither, int colours);
    int Set_UserPalette(int index, Colour colour);
    int Set_BitmapPalette(int index, Colour colour);
    // Separates the current picture into planes; on failure no planes of an earlier
    // separation are left behind.
    int ColorSeparate(int flags);
    // A copy of plane `plane` of the last separation (empty when there is none).
    Picture Get_ColorPlanes(int plane) const;
    int Set_ColorPlanes(int plane, const Picture& picture);
    int ColorMerge(int flags);
    int Intensity(int strength);
    int Contrast(int strength);
    int Sharpen(int strength);
    int Invert();
    int Median(int size);
    int HistoEqualize();
    int Rotate(int hundredthsOfDegree, int flags, Colour fill);
    Colour Get_Pixel(int x, int y) const;
    int Set_Pixel(int x, int y, Colour colour);
    // The outline of `rectangle`, `penWidth` pixels thick inside its edges, drawn into the
    // current picture's pixels.
    int drawOutline(const QRect& rectangle, int penWidth, Colour colour);
    // A 24-bit image of the current picture to draw on; ReleaseBitmapDC writes it back.
    QImage* GetBitmapDC();
    int ReleaseBitmapDC();

  private:
    Picture* current() { return hasBitmap() ? &items_[index_] : nullptr; }
    void changed();
    int replaceCurrent(Picture picture);
    // Runs an in-place operation on the current picture.
    int filterCurrent(const std::function<int(Picture&)>& operation);
    void forgetSeparation();
    int materialisePlanes();
    int openReader(const QString& fileName);
    void dropStillReader();

    std::vector<Picture> items_;  // the lone picture, or the list's items
    bool listMode_ = false;
    int index_ = 0;

    std::vector<Colour> userPalette_;
    // The last colour separation: its source and kind, and its planes once one was replaced
    // (until then each plane is computed when asked for).
    std::optional<Picture> separated_;
    int separationFlags_ = 0;
    std::vector<Picture> planes_;
    std::optional<QImage> drawingImage_;

    std::unique_ptr<PictureFileReader> reader_;
    int infoTotalPages_ = 0;
    int bitmapDelay_ = 0;

    std::function<void()> listener_;
};

}  // namespace imaging
