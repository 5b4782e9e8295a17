#include "store/Undoctl.h"

#include <gtest/gtest.h>

#include "imaging/Status.h"

using imaging::LeadModel;
using store::TUndoControl;

namespace {

// Marks frame i of the list as edited, in place, as the edits do.
void edit(LeadModel& list, int i, int level) {
    list.setBitmapListIndex(i);
    list.Fill(imaging::greyColour(level));
}

// A list of n frames, frame i filled with grey level i.
LeadModel framesOf(int n) {
    LeadModel list;
    for (int i = 0; i < n; ++i) {
        list.InsertBitmapListItem(-1, imaging::Picture(4, 2));
        edit(list, i, i);
    }
    return list;
}

int levelOf(const LeadModel& list, int i) {
    return list.frame(i).pixels().front();
}

TEST(TUndoControl, ElevenEditsAndElevenUndosRestoreTheLastTen) {
    LeadModel colour = framesOf(3), panel = framesOf(3);
    TUndoControl history(store::kUndoDepth);
    for (int step = 1; step <= 11; ++step) {
        ASSERT_EQ(history.Push(1, 1, &colour, &panel), imaging::kOk);
        edit(colour, 1, 100 + step);
        edit(panel, 1, 100 + step);
    }
    EXPECT_EQ(history.Count(), 10);
    for (int step = 10; step >= 1; --step) {
        history.Undo(&colour, &panel);
        EXPECT_EQ(std::pair(levelOf(colour, 1), levelOf(panel, 1)),
                  std::pair(100 + step, 100 + step));
    }
    history.Undo(&colour, &panel);  // the first edit's step went with the eleventh
    EXPECT_EQ(std::tuple(levelOf(panel, 0), levelOf(panel, 1), levelOf(panel, 2)),
              std::tuple(0, 101, 2));
}

// An edit of every frame of both lists, then one of the current panel frame only; ranges outside
// the list, clearing and a history of no depth take nothing.
TEST(TUndoControl, StepsCoverOnlyTheirListsAndFramesAndRefusedRangesNothing) {
    LeadModel colour = framesOf(4), panel = framesOf(4);
    TUndoControl history(store::kUndoDepth);
    ASSERT_EQ(history.Push(0, 4, &colour, &panel), imaging::kOk);
    for (int i = 0; i < 4; ++i) {
        edit(colour, i, 50);
        edit(panel, i, 60);
    }
    ASSERT_EQ(history.Push(2, 1, nullptr, &panel), imaging::kOk);
    edit(panel, 2, 70);
    edit(colour, 2, 80);  // not covered by the step: stays as it is
    history.Undo(&colour, &panel);
    EXPECT_EQ(std::pair(levelOf(panel, 2), levelOf(colour, 2)), std::pair(60, 80));
    history.Undo(&colour, &panel);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(std::pair(levelOf(colour, i), levelOf(panel, i)), std::pair(i, i));
    }
    EXPECT_EQ(history.Count(), 0);
    for (const auto& [index, count] : {std::pair{-1, 1}, {3, 2}, {0, 0}, {4, 1}}) {
        EXPECT_EQ(history.Push(index, count, nullptr, &panel), imaging::kInvalidArgument);
    }
    EXPECT_EQ(history.Count(), 0);
    TUndoControl none(0);
    EXPECT_EQ(none.Push(0, 1, nullptr, &panel), imaging::kOk);
    EXPECT_EQ(none.Count(), 0);
    history.Push(0, 3, nullptr, &panel);
    history.Clear();
    edit(panel, 0, 9);
    history.Undo(nullptr, &panel);
    EXPECT_EQ(levelOf(panel, 0), 9);
}

}  // namespace
