#include "tools/ImportPlan.h"

#include "store/OutputStore.h"
#include "tools/ImportPicture.h"
#include "tools/ToolStatus.h"

namespace tools {

namespace {

int pagesOf(const FileSelection& input, ImportPages* pages, QString* error) {
    int total = 0;
    if (pageCountOf(input.file, &total) != 0 || total < 1) {
        *error = QStringLiteral("%1: cannot read this picture").arg(input.file);
        return kCannotOpen;
    }
    pages->file = input.file;
    if (input.numbers.isEmpty()) {
        pages->pageCount = total;
        return kToolOk;
    }
    const int first = input.numbers.at(0);
    const int last = input.numbers.at(1);
    if (last > total) {
        return usage(QStringLiteral("%1 has %2 pages; pages %3-%4 are not all in it")
                         .arg(input.file)
                         .arg(total)
                         .arg(first)
                         .arg(last),
                     error);
    }
    pages->firstPage = first;
    pages->pageCount = last - first + 1;
    return kToolOk;
}

}  // namespace

int planImport(const QList<FileSelection>& inputs, bool oneFrame, std::vector<ImportPages>* plan,
               QString* error) {
    plan->clear();
    long long frames = 0;
    for (const FileSelection& input : inputs) {
        ImportPages pages;
        const int status = pagesOf(input, &pages, error);
        if (status != kToolOk) {
            return status;
        }
        frames += pages.pageCount;
        plan->push_back(pages);
    }
    if (frames > store::kMaxOutputFrames) {
        return usage(QStringLiteral("too many frames: %1 (at most %2)")
                         .arg(frames)
                         .arg(store::kMaxOutputFrames),
                     error);
    }
    if (oneFrame && frames > 1) {
        return usage(QStringLiteral("a .zml holds one frame; %1 frames given").arg(frames), error);
    }
    return kToolOk;
}

}  // namespace tools
