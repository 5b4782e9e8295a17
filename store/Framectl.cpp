#include "store/Framectl.h"

#include <QFileInfo>
#include <algorithm>

#include "imaging/Status.h"

namespace store {

namespace {

bool hasPngExtension(const QString& fileName) {
    return QFileInfo(fileName).suffix().compare(QStringLiteral("png"), Qt::CaseInsensitive) == 0;
}

// Decodes the entry's window into its emptied bitmap list. A PNG's frames pass through a model
// of their own and enter the list as 24-bit copies, whatever depth the file was stored at.
int decodeWindow(TFrameData& entry) {
    const int firstPage = entry.WindowStart + 1;
    if (!entry.IsPng) {
        return entry.Control->Load(entry.FileName, 24, firstPage, kFrameWindow);
    }
    imaging::LeadModel decoded;
    const int status = decoded.Load(entry.FileName, 24, firstPage, kFrameWindow);
    if (status != imaging::kOk) {
        return status;
    }
    for (int i = 0; i < decoded.BitmapListCount(); ++i) {
        const int inserted = entry.Control->InsertBitmapListItem(
            -1, imaging::toTrueColour(decoded.bitmapListItem(i)));
        if (inserted != imaging::kOk) {
            return inserted;
        }
    }
    return imaging::kOk;
}

// ShowFrame with the reason of a failure: kPageOutOfRange for a number outside the entry, or
// the decoding status.
int showFrame(TFrameData& entry, int number, bool reload) {
    // Wide, so that no number a caller passes overflows on the way.
    const long long local = static_cast<long long>(number) - entry.First;
    const long long position = local - entry.WindowStart;
    if (!reload && position >= 0 && position < kFrameWindow &&
        position < entry.Control->BitmapListCount()) {
        return entry.Control->setBitmapListIndex(static_cast<int>(position));
    }
    if (local < 0 || local >= entry.Count) {
        return imaging::kPageOutOfRange;
    }
    // Emptied first, so the old window and the new one are never held together.
    entry.Control->clearBitmapList();
    entry.WindowStart = static_cast<int>(local) / kFrameWindow * kFrameWindow;
    const int status = decodeWindow(entry);
    if (status != imaging::kOk) {
        entry.Control->clearBitmapList();
        return status;
    }
    return entry.Control->setBitmapListIndex(static_cast<int>(local) - entry.WindowStart);
}

// Whether an adopted control already holds the file's first window, as a still's open model
// does after its Load.
bool holdsFirstWindow(const TFrameData& entry) {
    return entry.Count > 0 &&
           entry.Control->BitmapListCount() == std::min(kFrameWindow, entry.Count);
}

int showFirstFrame(TFrameData& entry, bool adopted) {
    if (adopted && holdsFirstWindow(entry)) {
        entry.WindowStart = 0;
        return entry.Control->setBitmapListIndex(0);
    }
    const int status = showFrame(entry, entry.First, true);
    // An entry that shows nothing holds nothing, whatever an adopted model brought along.
    if (status != imaging::kOk) {
        entry.Control->clearBitmapList();
    }
    return entry.Status != imaging::kOk ? entry.Status : status;
}

void shiftFollowing(TFrameData* from, int by) {
    for (TFrameData* entry = from; entry != nullptr; entry = entry->Next) {
        entry->First += by;
    }
}

}  // namespace

TFrameData::TFrameData(const QString& fileName, std::unique_ptr<imaging::LeadModel> opened)
    : FileName(fileName), IsPng(hasPngExtension(fileName)) {
    if (opened) {
        Control = std::move(opened);
    } else {
        Control = std::make_unique<imaging::LeadModel>();
        Status = Control->GetFileInfo(FileName);
    }
    Count = Status == imaging::kOk ? Control->InfoTotalPages() : 0;
}

TFrameControl::~TFrameControl() {
    Clear();
}

int TFrameControl::InsertBefore(const QString& fileName,
                                std::unique_ptr<imaging::LeadModel> opened) {
    const bool adopted = opened != nullptr;
    auto* entry = new TFrameData(fileName, std::move(opened));
    if (Current != nullptr) {
        entry->First = Current->First;
        entry->Prev = Current->Prev;
        entry->Next = Current;
        (entry->Prev != nullptr ? entry->Prev->Next : Head) = entry;
        Current->Prev = entry;
    } else {
        Head = Tail = entry;
    }
    return enter(entry, adopted);
}

// Behind the current entry whenever there is one, even when every file so far holds no frames,
// so that no entry drops out of the list.
int TFrameControl::InsertAfter(const QString& fileName,
                               std::unique_ptr<imaging::LeadModel> opened) {
    const bool adopted = opened != nullptr;
    auto* entry = new TFrameData(fileName, std::move(opened));
    if (Current != nullptr) {
        entry->First = Current->First + Current->Count;
        entry->Prev = Current;
        entry->Next = Current->Next;
        (entry->Next != nullptr ? entry->Next->Prev : Tail) = entry;
        Current->Next = entry;
    } else {
        Head = Tail = entry;
    }
    return enter(entry, adopted);
}

// Makes a just linked entry current and renumbers the store around it.
int TFrameControl::enter(TFrameData* entry, bool adopted) {
    if (Current != nullptr) {
        Current->Control->clearBitmapList();
    }
    Current = entry;
    Total += entry->Count;
    CurrentFrame = entry->First;
    shiftFollowing(entry->Next, entry->Count);
    return showFirstFrame(*entry, adopted);
}

void TFrameControl::DeleteCurrent() {
    if (Current == nullptr) {
        return;
    }
    TFrameData* const removed = Current;
    TFrameData* const previous = removed->Prev;
    TFrameData* const next = removed->Next;
    (previous != nullptr ? previous->Next : Head) = next;
    (next != nullptr ? next->Prev : Tail) = previous;
    shiftFollowing(next, -removed->Count);
    Total -= removed->Count;
    delete removed;
    Current = next != nullptr ? next : previous;
    if (Current != nullptr) {
        ShowFrame(Current, Current->First, true);
    }
}

void TFrameControl::Clear() {
    while (Head != nullptr) {
        TFrameData* const next = Head->Next;
        delete Head;
        Head = next;
    }
    Tail = nullptr;
    Current = nullptr;
    Total = 0;
    CurrentFrame = 0;
}

TFrameData* TFrameControl::entryHolding(int number) const {
    for (TFrameData* entry = Head; entry != nullptr; entry = entry->Next) {
        if (number >= entry->First && number - entry->First < entry->Count) {
            return entry;
        }
    }
    return nullptr;
}

imaging::LeadModel* TFrameControl::SelectFrame(int number) {
    TFrameData* const holder = number >= 0 && number < Total ? entryHolding(number) : nullptr;
    if (holder != nullptr) {
        CurrentFrame = number;
        const bool switched = holder != Current;
        if (switched) {
            Current->Control->clearBitmapList();
            Current = holder;
        }
        ShowFrame(Current, number, switched);
    }
    return Current != nullptr ? Current->Control.get() : nullptr;
}

bool TFrameControl::ShowFrame(TFrameData* entry, int number, bool reload) {
    return entry != nullptr && showFrame(*entry, number, reload) == imaging::kOk;
}

}  // namespace store
