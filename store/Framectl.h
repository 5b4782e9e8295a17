#pragma once

#include <QString>
#include <memory>

#include "imaging/LeadModel.h"

// The input frame store: the loaded input files in display order, their frames numbered from 0
// across all files. Each file keeps a window of up to ten consecutive decoded frames starting at
// a multiple of ten; only the current file's window is filled, so at most ten decoded frames are
// held whatever the clips' lengths.
namespace store {

// Frames decoded at a time into a file's window.
inline constexpr int kFrameWindow = 10;

// One loaded input file.
class TFrameData {
  public:
    // Opens the file for its page count; decodes nothing. `opened`, when given, is a model on
    // which GetFileInfo (and possibly Load) already ran for this file: it becomes the entry's
    // control, keeping its open reader and any pages it holds.
    explicit TFrameData(const QString& fileName,
                        std::unique_ptr<imaging::LeadModel> opened = nullptr);
    TFrameData(const TFrameData&) = delete;
    TFrameData& operator=(const TFrameData&) = delete;

    TFrameData* Next = nullptr;
    TFrameData* Prev = nullptr;
    // The entry's own picture list: its bitmap list holds the current window.
    std::unique_ptr<imaging::LeadModel> Control;
    QString FileName;
    int Count = 0;        // frames in the file
    int WindowStart = 0;  // file-relative number of the window's first frame, a multiple of 10
    int First = 0;        // store-wide number of the file's first frame
    bool IsPng = false;   // the file's extension is .png, in any case
    int Status = 0;       // the status of reading the page count (0 when it was read)
};

class TFrameControl {
  public:
    TFrameControl() = default;
    ~TFrameControl();
    TFrameControl(const TFrameControl&) = delete;
    TFrameControl& operator=(const TFrameControl&) = delete;

    TFrameData* Head = nullptr;
    TFrameData* Tail = nullptr;
    TFrameData* Current = nullptr;
    int Total = 0;
    int CurrentFrame = 0;

    // Adds the file in front of (InsertBefore) or behind (InsertAfter) the current file, or as
    // the only one of an empty store, makes it current and selects its first frame. With
    // `opened` (see TFrameData) pages it already holds are kept when they are the file's first
    // window, so a still is not decoded twice. Returns the status of decoding the first window;
    // the entry is added either way, as the store has always done.
    int InsertBefore(const QString& fileName, std::unique_ptr<imaging::LeadModel> opened = nullptr);
    int InsertAfter(const QString& fileName, std::unique_ptr<imaging::LeadModel> opened = nullptr);
    // Removes the current file with all its frames and shows the first frame of the file that
    // takes its place (the next one, else the previous one). Nothing happens to an empty store.
    void DeleteCurrent();
    void Clear();
    // Makes store-wide frame `number` current and returns the control whose current picture it
    // is; a number outside the store changes nothing and returns the current control (null in
    // an empty store).
    imaging::LeadModel* SelectFrame(int number);
    // Brings store-wide frame `number` into the entry's window and selects it; `reload` decodes
    // the window again. False when the number is not one of the entry's frames or its window
    // cannot be decoded.
    bool ShowFrame(TFrameData* entry, int number, bool reload);

  private:
    int enter(TFrameData* entry, bool adopted);
    TFrameData* entryHolding(int number) const;
};

}  // namespace store
