#include <gtest/gtest.h>

#include <QDir>

#include "platform/SaveFile.h"
#include "tests/support/FileSystemLimits.h"
#include "tests/support/TempFolderTest.h"

namespace {

using platform::writeFileSafely;
using SaveFileTest = TempFolderTest;

// The file is replaced whole and no sibling is left, also after a failed write: a full disk
// often fails only the last buffered write, which the final commit does not report. Where the
// folder refuses new files, the file itself is written in place.
TEST_F(SaveFileTest, ReplacesTheWholeFileOrKeepsThePreviousOneAndWritesInPlaceIfNeeded) {
    const QString file = write("a.bin", QByteArray(5000, 'x'));
    ASSERT_EQ(writeFileSafely(file, "previous"), platform::kSaveOk);
    for (const int size : {2169, 40000}) {
        FileSizeLimit limit(1000);
        EXPECT_EQ(writeFileSafely(file, QByteArray(size, 'n')), platform::kSaveWriteFailed);
    }
    EXPECT_EQ(bytesOf(file), "previous");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"a.bin"});
    EXPECT_EQ(writeFileSafely(path("missing/a.bin"), "x"), platform::kSaveOpenFailed);
    FolderRefusingNewFiles lock(dir_.path());
    ASSERT_TRUE(lock.active());
    EXPECT_EQ(writeFileSafely(file, "new"), platform::kSaveOk);
    EXPECT_EQ(bytesOf(file), "new");
    EXPECT_EQ(writeFileSafely(path("b.bin"), "new"), platform::kSaveOpenFailed);
}

}  // namespace
