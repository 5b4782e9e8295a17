#include <gtest/gtest.h>

#include <QDir>

#include "platform/SaveFile.h"
#include "tests/support/FileSystemLimits.h"
#include "tests/support/TempFolderTest.h"

namespace {

using platform::writeFileSafely;

class SaveFileTest : public TempFolderTest {};

// Where the folder refuses new files, the file itself is written in place, as a whole too.
TEST_F(SaveFileTest, ReplacesTheWholeFileAndLeavesNoSiblingAlsoInPlace) {
    const QString file = write("a.bin", QByteArray(5000, 'x'));
    ASSERT_EQ(writeFileSafely(file, "short"), platform::kSaveOk);
    EXPECT_EQ(bytesOf(file), "short");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"a.bin"});
    EXPECT_EQ(writeFileSafely(path("missing/a.bin"), "x"), platform::kSaveOpenFailed);
    FolderRefusingNewFiles lock(dir_.path());
    ASSERT_TRUE(lock.active());
    EXPECT_EQ(writeFileSafely(file, "new"), platform::kSaveOk);
    EXPECT_EQ(bytesOf(file), "new");
    EXPECT_EQ(writeFileSafely(path("b.bin"), "new"), platform::kSaveOpenFailed);
}

// A full disk often fails only the last buffered write, which the final commit does not report.
TEST_F(SaveFileTest, FailedLastWriteKeepsThePreviousFile) {
    const QString file = write("a.bin", "previous");
    for (const int size : {2169, 40000}) {
        {
            FileSizeLimit limit(1000);
            EXPECT_EQ(writeFileSafely(file, QByteArray(size, 'n')), platform::kSaveWriteFailed);
        }
        EXPECT_EQ(bytesOf(file), "previous") << size;
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"a.bin"}) << size;
    }
}

}  // namespace
