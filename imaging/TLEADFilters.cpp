// The imaging control's colour planes, filters and rotation.
#include "imaging/Filters.h"
#include "imaging/Planes.h"
#include "imaging/Rotate.h"
#include "imaging/Status.h"
#include "imaging/TLEAD.h"

using namespace imaging;

int TLEAD::ColorSeparate(int flags) {
    if (!hasBitmap()) {
        return kNoBitmap;
    }
    std::vector<Picture> planes;
    const int status = separatePlanes(*picture(), flags, &planes);
    if (status == kOk) {
        planes_ = std::move(planes);
    }
    return status;
}

Picture TLEAD::Get_ColorPlanes(int plane) const {
    if (plane < 0 || plane >= static_cast<int>(planes_.size())) {
        return {};
    }
    return planes_[plane];
}

int TLEAD::Set_ColorPlanes(int plane, const Picture& picture) {
    if (plane < 0 || plane >= static_cast<int>(planes_.size())) {
        return kInvalidArgument;
    }
    if (picture.width() != planes_[plane].width() || picture.height() != planes_[plane].height()) {
        return kInvalidArgument;
    }
    planes_[plane] = picture;
    return kOk;
}

int TLEAD::ColorMerge(int flags) {
    Picture merged;
    const int status = mergePlanes(planes_, flags, &merged);
    if (status != kOk) {
        return status;
    }
    setBitmap(merged);
    return kOk;
}

int TLEAD::Intensity(int strength) {
    return filterCurrent([strength](Picture& p) { return intensity(p, strength); });
}

int TLEAD::Contrast(int strength) {
    return filterCurrent([strength](Picture& p) { return contrast(p, strength); });
}

int TLEAD::Sharpen(int strength) {
    return filterCurrent([strength](Picture& p) { return sharpen(p, strength); });
}

int TLEAD::Invert() {
    return filterCurrent([](Picture& p) { return invert(p); });
}

int TLEAD::Median(int size) {
    return filterCurrent([size](Picture& p) { return median(p, size); });
}

int TLEAD::HistoEqualize() {
    return filterCurrent([](Picture& p) { return histoEqualize(p); });
}

int TLEAD::Rotate(int hundredthsOfDegree, int, Colour fill) {
    return filterCurrent([&](Picture& p) { return rotate(p, hundredthsOfDegree, fill); });
}

int TLEAD::filterCurrent(const std::function<int(Picture&)>& operation) {
    Picture* p = current();
    if (p == nullptr) {
        return kNoBitmap;
    }
    const int status = operation(*p);
    pictureChanged();
    return status;
}
