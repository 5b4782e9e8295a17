#include "imaging/QtImage.h"

#include <cstring>
#include <utility>

namespace imaging {

QRgb toQRgb(Colour c) {
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}

QImage toQImage(const Picture& picture) {
    if (picture.isEmpty()) {
        return {};
    }
    const QImage::Format format =
        picture.isTrueColour() ? QImage::Format_RGB888 : QImage::Format_Indexed8;
    QImage image(picture.width(), picture.height(), format);
    for (int y = 0; y < picture.height(); ++y) {
        std::memcpy(image.scanLine(y), picture.row(y), picture.stride());
    }
    if (!picture.isTrueColour()) {
        QList<QRgb> table;
        for (Colour c : picture.palette()) {
            table.append(toQRgb(c));
        }
        image.setColorTable(table);
    }
    return image;
}

namespace {

void releasePicture(void* picture) {
    delete static_cast<Picture*>(picture);
}

}  // namespace

QImage viewOfPicture(const Picture& picture) {
    if (picture.isEmpty() || !picture.isTrueColour()) {
        return toQImage(picture);
    }
    // Qt deletes the copy with the last image sharing it; it takes it only when it makes one.
    auto* kept = new Picture(picture);
    QImage image(std::as_const(*kept).row(0), kept->width(), kept->height(), kept->stride(),
                 QImage::Format_RGB888, releasePicture, kept);
    if (image.isNull()) {
        delete kept;
    }
    return image;
}

Picture fromQImage(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Picture picture(rgb.width(), rgb.height(), 24);
    for (int y = 0; y < rgb.height(); ++y) {
        std::memcpy(picture.row(y), rgb.constScanLine(y), picture.stride());
    }
    return picture;
}

}  // namespace imaging
