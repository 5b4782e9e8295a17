// The picture model's colour planes, filters and rotation.
#include "imaging/Filters.h"
#include "imaging/LeadModel.h"
#include "imaging/Planes.h"
#include "imaging/Rotate.h"
#include "imaging/Status.h"

namespace imaging {

void LeadModel::forgetSeparation() {
    separated_.reset();
    separationFlags_ = 0;
    planes_.clear();
}

int LeadModel::ColorSeparate(int flags) {
    forgetSeparation();
    if (!hasBitmap()) {
        return kNoBitmap;
    }
    if (flags != kPlanesHsv && flags != kPlanesHsl) {
        return kInvalidArgument;
    }
    separated_ = *picture();
    separationFlags_ = flags;
    return kOk;
}

Picture LeadModel::Get_ColorPlanes(int plane) const {
    if (!planes_.empty()) {
        return plane >= 0 && plane < static_cast<int>(planes_.size()) ? planes_[plane] : Picture();
    }
    Picture result;
    if (!separated_ || separatePlane(*separated_, separationFlags_, plane, &result) != kOk) {
        return {};
    }
    return result;
}

int LeadModel::materialisePlanes() {
    if (!planes_.empty()) {
        return kOk;
    }
    if (!separated_) {
        return kNoBitmap;
    }
    return separatePlanes(*separated_, separationFlags_, &planes_);
}

int LeadModel::Set_ColorPlanes(int plane, const Picture& picture) {
    const int status = materialisePlanes();
    if (status != kOk) {
        return status;
    }
    if (plane < 0 || plane >= static_cast<int>(planes_.size())) {
        return kInvalidArgument;
    }
    if (picture.width() != planes_[plane].width() || picture.height() != planes_[plane].height()) {
        return kInvalidArgument;
    }
    planes_[plane] = picture;
    return kOk;
}

int LeadModel::ColorMerge(int flags) {
    const int planesStatus = materialisePlanes();
    if (planesStatus != kOk) {
        return planesStatus;
    }
    Picture merged;
    const int status = mergePlanes(planes_, flags, &merged);
    if (status != kOk) {
        return status;
    }
    setBitmap(merged);
    return kOk;
}

int LeadModel::Intensity(int strength) {
    return filterCurrent([strength](Picture& p) { return intensity(p, strength); });
}

int LeadModel::Contrast(int strength) {
    return filterCurrent([strength](Picture& p) { return contrast(p, strength); });
}

int LeadModel::Sharpen(int strength) {
    return filterCurrent([strength](Picture& p) { return sharpen(p, strength); });
}

int LeadModel::Invert() {
    return filterCurrent([](Picture& p) { return invert(p); });
}

int LeadModel::Median(int size) {
    return filterCurrent([size](Picture& p) { return median(p, size); });
}

int LeadModel::HistoEqualize() {
    return filterCurrent([](Picture& p) { return histoEqualize(p); });
}

int LeadModel::Rotate(int hundredthsOfDegree, int, Colour fill) {
    return filterCurrent([&](Picture& p) { return rotate(p, hundredthsOfDegree, fill); });
}

int LeadModel::filterCurrent(const std::function<int(Picture&)>& operation) {
    Picture* p = current();
    if (p == nullptr) {
        return kNoBitmap;
    }
    const int status = operation(*p);
    changed();
    return status;
}

}  // namespace imaging
