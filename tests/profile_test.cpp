#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "tests/support/TempFolderTest.h"

using platform::Profile;

namespace {

class ProfileTest : public TempFolderTest {
  protected:
    static std::string textOf(const QString& file) { return bytesOf(file).toStdString(); }
};

TEST_F(ProfileTest, MissingOrUnreadableFileIsEmpty) {
    const Profile missing(path("none.ini"));
    EXPECT_FALSE(missing.hasKey("A", "b"));
    EXPECT_EQ(missing.ReadString("A", "b", "dflt"), "dflt");
    EXPECT_EQ(missing.fileName(), path("none.ini"));

    const Profile directory(dir_.path());
    EXPECT_FALSE(directory.hasKey("A", "b"));
    EXPECT_EQ(directory.ReadInteger("A", "b", 7), 7);
}

TEST_F(ProfileTest, NamesMatchWithoutRegardToCase) {
    Profile profile(write("p.ini", "[MainForm]\nCaption=Hello\n"));
    EXPECT_EQ(profile.ReadString("mainform", "CAPTION", ""), "Hello");
    EXPECT_TRUE(profile.hasKey("MAINFORM", "caption"));
    EXPECT_FALSE(profile.hasKey("MainForm", "Captio"));

    profile.WriteString("MAINFORM", "caption", "Bye");
    EXPECT_EQ(profile.ReadString("MainForm", "Caption", ""), "Bye");
    ASSERT_EQ(profile.save(), platform::kProfileOk);
    // The spelling found in the file is kept; no second key appears.
    EXPECT_EQ(textOf(profile.fileName()), "[MainForm]\nCaption=Bye\n");
}

TEST_F(ProfileTest, IntegersAcceptOnlyWholeDecimalNumbers) {
    const Profile profile(write("p.ini",
                                "[N]\nplain=42\nspaced=  17  \nplus=+8\nminus=-3\n"
                                "max=2147483647\nmin=-2147483648\nabc=abc\ntail=12x\nempty=\n"
                                "over=2147483648\nunder=-2147483649\nhuge=99999999999999999999\n"
                                "sign=-\nhex=0x10\ninner=1 2\nfraction=1.5\n"));
    EXPECT_EQ(profile.ReadInteger("N", "plain", -1), 42);
    EXPECT_EQ(profile.ReadInteger("N", "spaced", -1), 17);
    EXPECT_EQ(profile.ReadInteger("N", "plus", -1), 8);
    EXPECT_EQ(profile.ReadInteger("N", "minus", -1), -3);
    EXPECT_EQ(profile.ReadInteger("N", "max", -1), 2147483647);
    EXPECT_EQ(profile.ReadInteger("N", "min", -1), -2147483647 - 1);
    for (const char* bad :
         {"abc", "tail", "empty", "over", "under", "huge", "sign", "hex", "inner", "fraction"}) {
        EXPECT_EQ(profile.ReadInteger("N", bad, -1), -1) << bad;
    }
    EXPECT_EQ(profile.ReadInteger("N", "absent", 5), 5);
}

TEST_F(ProfileTest, BooleansAreNonZeroNumbers) {
    Profile profile(write("p.ini", "[B]\none=1\nzero=0\nseven=-7\nword=yes\nempty=\n"));
    EXPECT_TRUE(profile.ReadBool("B", "one", false));
    EXPECT_FALSE(profile.ReadBool("B", "zero", true));
    EXPECT_TRUE(profile.ReadBool("B", "seven", false));
    EXPECT_TRUE(profile.ReadBool("B", "word", true));
    EXPECT_FALSE(profile.ReadBool("B", "word", false));
    EXPECT_TRUE(profile.ReadBool("B", "empty", true));
    EXPECT_FALSE(profile.ReadBool("B", "absent", false));

    profile.WriteBool("B", "one", false);
    profile.WriteBool("B", "zero", true);
    EXPECT_EQ(profile.ReadString("B", "one", ""), "0");
    EXPECT_EQ(profile.ReadString("B", "zero", ""), "1");
}

TEST_F(ProfileTest, SaveKeepsEntriesItDidNotRewriteInTheirOrder) {
    const QByteArray original =
        "; made by hand\n[First]\nb=2\na=1\n[Unknown]\nmine=kept\n[Second]\nx=old\n";
    Profile profile(write("p.ini", original));
    profile.WriteString("Second", "x", "new");
    profile.WriteInteger("First", "c", 3);
    profile.WriteString("Third", "z", "last");
    ASSERT_EQ(profile.save(), platform::kProfileOk);
    const std::string saved = textOf(profile.fileName());
    EXPECT_EQ(saved,
              "; made by hand\n\n\n[First]\nb=2\na=1\nc=3\n\n\n[Unknown]\nmine=kept\n\n\n"
              "[Second]\nx=new\n\n\n[Third]\nz=last\n");

    // Reading and saving again changes nothing.
    const Profile reread(profile.fileName());
    EXPECT_EQ(reread.ReadString("Unknown", "mine", ""), "kept");
    EXPECT_EQ(reread.ReadInteger("First", "c", 0), 3);
    ASSERT_EQ(reread.save(), platform::kProfileOk);
    EXPECT_EQ(textOf(reread.fileName()), saved);
}

TEST_F(ProfileTest, FailedSaveLeavesThePreviousFile) {
    const std::string original = "[A]\nk=old\n";
    const QString file = write("p.ini", QByteArray::fromStdString(original));

    // A folder that does not exist: nothing can be created there.
    Profile elsewhere(path("missing/p.ini"));
    elsewhere.WriteString("A", "k", "new");
    EXPECT_NE(elsewhere.save(), platform::kProfileOk);
    EXPECT_FALSE(QFile::exists(path("missing/p.ini")));

    // A path that is a directory cannot be replaced by a file.
    ASSERT_TRUE(QDir(dir_.path()).mkdir("taken.ini"));
    Profile onDirectory(path("taken.ini"));
    onDirectory.WriteString("A", "k", "new");
    EXPECT_NE(onDirectory.save(), platform::kProfileOk);
    EXPECT_TRUE(QFileInfo(path("taken.ini")).isDir());

    // A file inside a path whose folder is a file.
    Profile underFile(file + "/p.ini");
    underFile.WriteString("A", "k", "new");
    EXPECT_NE(underFile.save(), platform::kProfileOk);
    EXPECT_EQ(textOf(file), original);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"p.ini"});
}

TEST_F(ProfileTest, Utf8TextRoundTrips) {
    const QString title = QString::fromUtf8("アニメーション・テスト ✓");
    Profile profile(path("p.ini"));
    profile.WriteString("MainForm", "Caption", title);
    profile.WriteString("MainForm", "Padded", "  both ends  ");
    ASSERT_EQ(profile.save(), platform::kProfileOk);
    EXPECT_NE(textOf(profile.fileName()).find(title.toStdString()), std::string::npos);

    const Profile reread(profile.fileName());
    EXPECT_EQ(reread.ReadString("mainform", "caption", ""), title);
    EXPECT_EQ(reread.ReadString("MainForm", "Padded", ""), "  both ends  ");

    const Profile withMark(write("bom.ini", "\xEF\xBB\xBF[S]\nk=\xE6\x97\xA5\n"));
    EXPECT_EQ(withMark.ReadString("S", "k", ""), QString::fromUtf8("日"));
}

TEST_F(ProfileTest, WritesCannotAddLinesToTheFile) {
    Profile profile(path("p.ini"));
    profile.WriteString("S", "k", "one\r\n[Injected]\nevil=1");
    profile.WriteString("S", "bad=key", "v");
    profile.WriteString("S", "", "v");
    profile.WriteString("S", ";comment", "v");
    profile.WriteString("Bad]Section", "k", "v");
    profile.WriteString("Line\nBreak", "k", "v");
    profile.WriteString(" S", "k", "v");
    ASSERT_EQ(profile.save(), platform::kProfileOk);
    EXPECT_EQ(textOf(profile.fileName()), "[S]\nk=one  [Injected] evil=1\n");

    const Profile reread(profile.fileName());
    EXPECT_FALSE(reread.hasKey("Injected", "evil"));
    EXPECT_EQ(reread.ReadString("S", "k", ""), "one  [Injected] evil=1");
}

}  // namespace
