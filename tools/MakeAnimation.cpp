#include "tools/MakeAnimation.h"

#include <QFileInfo>

#include "imaging/LeadModel.h"
#include "imaging/Status.h"
#include "store/Framectl.h"
#include "tools/ToolStatus.h"

namespace tools {

namespace {

// Adds `file` behind the current one; *entry receives it. kCannotOpen when it shows no frame.
int loadInput(store::TFrameControl& input, const QString& file, store::TFrameData** entry,
              QString* error) {
    const int status = input.InsertAfter(file);
    *entry = input.Current;
    if (status != imaging::kOk || (*entry)->Count < 1) {
        *error = QStringLiteral("%1: cannot read this picture").arg(file);
        return kCannotOpen;
    }
    return kToolOk;
}

// The store-wide 1-based number of the frame the selection names in `entry`.
int frameNumber(const FileSelection& selection, const store::TFrameData& entry, int* number,
                QString* error) {
    const int frame = selectedFrame(selection);
    if (frame > entry.Count) {
        return usage(QStringLiteral("%1 has %2 frames; there is no frame %3")
                         .arg(selection.file)
                         .arg(entry.Count)
                         .arg(frame),
                     error);
    }
    *number = entry.First + frame;
    return kToolOk;
}

int loadStartAndEnd(const MakeRequest& request, store::TFrameControl& input,
                    produce::GenerationRequest* generation, QString* error) {
    store::TFrameData* start = nullptr;
    int status = loadInput(input, request.start.file, &start, error);
    store::TFrameData* end = start;
    if (status == kToolOk && QFileInfo(request.end.file) != QFileInfo(request.start.file)) {
        status = loadInput(input, request.end.file, &end, error);
    }
    if (status == kToolOk) {
        status = frameNumber(request.start, *start, &generation->start.FrameNo, error);
    }
    if (status == kToolOk) {
        status = frameNumber(request.end, *end, &generation->end.FrameNo, error);
    }
    return status;
}

}  // namespace

int makeAnimation(const MakeRequest& request, std::vector<imaging::Picture>* frames,
                  QString* error) {
    store::TFrameControl input;
    produce::GenerationRequest generation = request.generation;
    const int loaded = loadStartAndEnd(request, input, &generation, error);
    if (loaded != kToolOk) {
        return loaded;
    }
    imaging::LeadModel colour, panel, work, overlay, start, end;
    const produce::OutputLists lists{colour, panel, work, overlay};
    const produce::GenerationWork pictures{start, end};
    int status = produce::cropStartAndEnd(generation, input, pictures, lists);
    if (status == imaging::kOk) {
        status = produce::produceRun(generation, input, pictures, lists, 0);
    }
    if (status != imaging::kOk) {
        *error = QStringLiteral("the frames cannot be made from the input (status %1)").arg(status);
        return kCannotOpen;
    }
    frames->clear();
    for (int i = 0; i < panel.frameCount(); ++i) {
        frames->push_back(panel.frame(i));
    }
    return kToolOk;
}

}  // namespace tools
