#pragma once

namespace imaging {

// Result of every imaging operation: 0 is success, a negative value names the failure.
// Failures are negative so that they never meet the panel file statuses (1 and up), which the
// error box shows with texts of their own; it shows its generic entry for any negative status.
enum Status : int {
    kOk = 0,
    kFileNotFound = -1,      // no such file, or it cannot be opened
    kUnknownFormat = -2,     // the file is not a picture or clip we can read
    kUnsupportedCodec = -3,  // a clip whose video codec has no decoder here
    kCorruptData = -4,       // empty, truncated or damaged data
    kTooLarge = -5,          // a picture beyond the decoder limit
    kPageOutOfRange = -6,    // a page the file does not have
    kInvalidArgument = -7,   // an argument outside what the operation accepts
    kNoBitmap = -8,          // the operation needs a current picture and there is none
};

// Pictures larger than this are refused before anything is allocated.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr long long kMaxPicturePixels = 64LL * 1024 * 1024;

}  // namespace imaging
