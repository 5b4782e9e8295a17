#include "imaging/JpegDecoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <vector>
// After <cstdio>: libjpeg's header uses FILE without declaring it.
#include <jerror.h>
#include <jpeglib.h>

#include "imaging/DecoderLimit.h"
#include "imaging/Status.h"

namespace imaging {

namespace {

// The decoder's own working memory (a progressive picture's coefficients, 2 bytes a sample): as
// much as four full-resolution channels of a picture at the decoder limit take.
constexpr long kMaxWorkingBytes = static_cast<long>(kMaxPicturePixels) * 4 * 2;
// Rows handed to the decoder in one call.
constexpr int kRowsPerCall = 16;

// libjpeg's error manager with the place its error_exit jumps back to.
struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

// A decompressor and its error manager, plain C data: the functions that may jump back from
// libjpeg hold only this, never an object with a destructor.
struct Jpeg {
    jpeg_decompress_struct info;
    ErrorJump errors;
};

[[noreturn]] void jumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1);
}

// Warnings (data the decoder filled in) are accepted, and nothing is printed.
void printNothing(j_common_ptr) {}

int statusOfFailure(const Jpeg& jpeg) {
    const int code = jpeg.errors.manager.msg_code;
    return code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE ||
                   code == JERR_IMAGE_TOO_BIG || code == JERR_WIDTH_OVERFLOW
               ? kTooLarge
               : kCorruptData;
}

bool isCmyk(J_COLOR_SPACE space) {
    return space == JCS_CMYK || space == JCS_YCCK;
}

// Reads the header and chooses the output: RGB, or CMYK that readRows converts.
int readHeader(Jpeg* jpeg, const QByteArray& data) {
    if (setjmp(jpeg->errors.jump) != 0) {
        return statusOfFailure(*jpeg);
    }
    jpeg_create_decompress(&jpeg->info);
    jpeg->info.mem->max_memory_to_use = kMaxWorkingBytes;
    jpeg_mem_src(&jpeg->info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    if (jpeg_read_header(&jpeg->info, TRUE) != JPEG_HEADER_OK) {
        return kCorruptData;
    }
    jpeg->info.out_color_space = isCmyk(jpeg->info.jpeg_color_space) ? JCS_CMYK : JCS_RGB;
    jpeg_calc_output_dimensions(&jpeg->info);
    return kOk;
}

// Inverted CMYK to RGB: each colour scaled by the black channel.
void cmykToRgb(const JSAMPLE* cmyk, std::uint8_t* rgb, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const int k = cmyk[3];
        rgb[0] = static_cast<std::uint8_t>(k * cmyk[0] / 255);
        rgb[1] = static_cast<std::uint8_t>(k * cmyk[1] / 255);
        rgb[2] = static_cast<std::uint8_t>(k * cmyk[2] / 255);
    }
}

// Decodes up to kRowsPerCall rows straight into their places in `pixels`.
void readRgbRows(jpeg_decompress_struct* info, std::uint8_t* pixels, std::size_t stride) {
    const JDIMENSION first = info->output_scanline;
    const JDIMENSION count = std::min<JDIMENSION>(kRowsPerCall, info->output_height - first);
    JSAMPROW rows[kRowsPerCall];
    for (JDIMENSION i = 0; i < count; ++i) {
        rows[i] = pixels + (first + i) * stride;
    }
    jpeg_read_scanlines(info, rows, count);
}

void readCmykRow(jpeg_decompress_struct* info, std::uint8_t* pixels, std::size_t stride,
                 JSAMPLE* cmykRow) {
    const JDIMENSION y = info->output_scanline;
    if (jpeg_read_scanlines(info, &cmykRow, 1) == 1) {
        cmykToRgb(cmykRow, pixels + y * stride, info->output_width);
    }
}

// Decodes every row into `pixels` (rows `stride` bytes apart); CMYK goes through `cmykRow`.
int readRows(Jpeg* jpeg, std::uint8_t* pixels, std::size_t stride, JSAMPLE* cmykRow) {
    if (setjmp(jpeg->errors.jump) != 0) {
        return statusOfFailure(*jpeg);
    }
    jpeg_decompress_struct* info = &jpeg->info;
    jpeg_start_decompress(info);
    if (info->output_components != (cmykRow != nullptr ? 4 : 3)) {
        return kCorruptData;
    }
    while (info->output_scanline < info->output_height) {
        if (cmykRow != nullptr) {
            readCmykRow(info, pixels, stride, cmykRow);
        } else {
            readRgbRows(info, pixels, stride);
        }
    }
    jpeg_finish_decompress(info);
    return kOk;
}

// Owns a Jpeg for its lifetime; destroying it is safe after any failure, also before or during
// jpeg_create_decompress (the zeroed structure has nothing to free).
class JpegOwner {
  public:
    JpegOwner() : jpeg_{} {
        jpeg_.info.err = jpeg_std_error(&jpeg_.errors.manager);
        jpeg_.errors.manager.error_exit = jumpBack;
        jpeg_.errors.manager.output_message = printNothing;
    }
    ~JpegOwner() { jpeg_destroy_decompress(&jpeg_.info); }
    JpegOwner(const JpegOwner&) = delete;
    JpegOwner& operator=(const JpegOwner&) = delete;

    Jpeg* get() { return &jpeg_; }

  private:
    Jpeg jpeg_;
};

}  // namespace

QSize jpegSizeOf(const QByteArray& data) {
    JpegOwner jpeg;
    if (readHeader(jpeg.get(), data) != kOk) {
        return {};
    }
    return QSize(static_cast<int>(jpeg.get()->info.image_width),
                 static_cast<int>(jpeg.get()->info.image_height));
}

int decodeJpeg(const QByteArray& data, Picture* out) {
    JpegOwner jpeg;
    int status = readHeader(jpeg.get(), data);
    if (status != kOk) {
        return status;
    }
    const jpeg_decompress_struct& info = jpeg.get()->info;
    if (exceedsDecoderLimit(info.output_width, info.output_height)) {
        return kTooLarge;
    }
    if (!isWithinDecoderLimit(info.output_width, info.output_height)) {
        return kCorruptData;
    }
    Picture picture(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    std::vector<JSAMPLE> cmykRow(isCmyk(info.out_color_space) ? info.output_width * 4 : 0);
    status = readRows(jpeg.get(), picture.row(0), static_cast<std::size_t>(picture.stride()),
                      cmykRow.empty() ? nullptr : cmykRow.data());
    if (status == kOk) {
        *out = std::move(picture);
    }
    return status;
}

}  // namespace imaging
