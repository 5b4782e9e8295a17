#pragma once

// Rules of the output frame store: its capacity and where new frames go.
namespace store {

inline constexpr int kMaxOutputFrames = 90;

// Whether `requested` new frames fit beside the `held` ones.
bool fitsOutputLimit(int held, int requested);

// How many of `offered` frames fit beside the `held` ones (never negative).
int framesThatFit(int held, int offered);

// The insert-position dialog's answer for "after the current frame".
inline constexpr int kInsertAfter = 2;

// Where new frames start: after the current frame when the answer was "after", else at it;
// at 0 in an empty store (where nobody is asked).
int insertionPosition(int held, int current, int answer);

}  // namespace store
