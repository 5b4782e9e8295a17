#include "platform/Profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QRegularExpression>
#include <QStringEncoder>
#include <climits>

#include "tests/support/TempFolderTest.h"

using platform::Profile;

namespace {

class ProfileTest : public TempFolderTest {
  protected:
    static std::string savedText(const Profile& profile) {
        EXPECT_EQ(profile.save(), platform::kProfileOk);
        return bytesOf(profile.fileName()).toStdString();
    }
};

// Anything but a regular file of bounded size reads as empty, without blocking or reading forever.
TEST_F(ProfileTest, OnlyRegularFilesOfBoundedSizeAreRead) {
    QFile large(write("large.ini", "[A]\nb=1\n"));
    ASSERT_TRUE(large.resize(Profile::kMaxFileSize + 1));
    QFile largest(write("largest.ini", "[A]\nb=1\n"));
    ASSERT_TRUE(largest.resize(Profile::kMaxFileSize));
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe.ini")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", path("zero.ini")));
    ASSERT_TRUE(QFile::link(path("largest.ini"), path("link.ini")));
    for (const char* name : {"none.ini", "large.ini", "pipe.ini", "zero.ini", ""}) {
        EXPECT_EQ(Profile(path(name)).ReadInteger("A", "b", 7), 7) << name;
    }
    EXPECT_EQ(Profile(path("link.ini")).ReadInteger("A", "b", 7), 1);
}

// The first of repeated keys counts; a write replaces all its values and keeps everything else.
TEST_F(ProfileTest, FirstOfRepeatedKeysCountsAndSaveKeepsTheRest) {
    Profile profile(write("p.ini",
                          "; by hand\n[MainForm]\nCaption=First\nCAPTION=Second\nTop=1\n"
                          "[Extra]\nkept=1\nkept=2\n[mainform]\ncaption=Third\n"));
    EXPECT_EQ(profile.ReadString("mainform", "CAPTION", ""), "First");
    EXPECT_FALSE(profile.hasKey("MainForm", "Captio"));
    profile.WriteString("MAINFORM", "caption", "Bye");
    profile.WriteInteger("Extra", "c", 3);
    profile.WriteString("Third", "z", "last");
    const std::string saved = savedText(profile);
    EXPECT_EQ(saved,
              "; by hand\n\n\n[MainForm]\nCaption=Bye\nTop=1\n\n\n[Extra]\nkept=1\nkept=2\n"
              "c=3\n\n\n[Third]\nz=last\n");
    EXPECT_EQ(savedText(Profile(profile.fileName())), saved);
}

TEST_F(ProfileTest, NumbersAreWholeDecimalsAndBooleansNonZeroNumbers) {
    Profile profile(write("p.ini",
                          "[N]\na=  17  \nb=+8\nc=\"-3\"\nd=2147483647\ne=-2147483648\n[Bad]\n"
                          "x=12x\ny=\nz=2147483648\nu=-2147483649\nv=-\nw=0x10\nf=1.5\n"));
    for (const auto& [key, value] : std::initializer_list<std::pair<const char*, int>>{
             {"a", 17}, {"b", 8}, {"c", -3}, {"d", INT_MAX}, {"e", INT_MIN}}) {
        EXPECT_EQ(profile.ReadInteger("N", key, -1), value) << key;
    }
    for (const char* key : {"x", "y", "z", "u", "v", "w", "f"}) {
        EXPECT_EQ(profile.ReadInteger("Bad", key, -1), -1) << key;
    }
    EXPECT_TRUE(profile.ReadBool("N", "c", false));
}

// A byte order mark names UTF-16; else each line is UTF-8, else Shift_JIS, else Latin-1; a save
// writes the same text as UTF-8.
TEST_F(ProfileTest, TextInAnyEncodingIsKeptThroughASave) {
    const QString japanese = QStringLiteral("アニメ表示・テスト");
    const QByteArray sjis = QStringEncoder("Shift_JIS")(japanese);
    const QString windowsNotepad = QStringLiteral("[S]\r\nk=") + japanese + QStringLiteral("\r\n");
    auto marked = [&](QStringConverter::Encoding encoding) -> QByteArray {
        return QStringEncoder(encoding, QStringConverter::Flag::WriteBom)(windowsNotepad);
    };
    const std::pair<QByteArray, QString> cases[] = {
        {"\xEF\xBB\xBF[S]\nk=\xE6\x97\xA5\n", QStringLiteral("日")},
        {"[S]\nk=" + sjis + "\n", japanese},
        {"[S]\nk=" + japanese.toUtf8() + "\nsjis=" + sjis + "\n", japanese},
        {"[S]\nk=Caf\xE9 \xA9\n", QStringLiteral("Café ©")},
        {"[S]\nk=x\xC3", QStringLiteral("x\uFF83")},
        {marked(QStringConverter::Utf16LE), japanese},
        {marked(QStringConverter::Utf16BE), japanese},
    };
    for (const auto& [file, expected] : cases) {
        Profile profile(write("p.ini", file));
        EXPECT_EQ(profile.ReadString("S", "k", ""), expected) << file.toHex().toStdString();
        EXPECT_FALSE(QString::fromUtf8(savedText(profile)).contains(QChar(0xFFFD)));
        EXPECT_EQ(Profile(profile.fileName()).ReadString("S", "k", ""), expected);
    }
}

// Outer blanks and quotes survive a save; values add no lines, unstorable names are not written.
TEST_F(ProfileTest, WrittenValuesReadBackAsWritten) {
    const QString values[] = {"  both ends  ", "\"quoted\"", "\"", "\"\"", " \"x\" ", "a\"b"};
    Profile profile(path("p.ini"));
    for (int i = 0; i < 6; ++i) {
        profile.WriteString("V", QString::number(i), values[i]);
    }
    profile.WriteString("S", "k", "one\r\n[Injected]\nevil=1");
    for (const auto& [section, key] : std::initializer_list<std::pair<const char*, const char*>>{
             {"S", "bad=key"}, {"S", ""}, {"S", ";c"}, {"B]S", "k"}, {"L\nB", "k"}, {" S", "k"}}) {
        profile.WriteString(section, key, "v");
    }
    const QStringList lines = QString::fromUtf8(savedText(profile)).split(u'\n');
    const Profile reread(profile.fileName());
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(reread.ReadString("V", QString::number(i), ""), values[i]) << i;
    }
    EXPECT_EQ(reread.ReadString("S", "k", ""), "one  [Injected] evil=1");
    EXPECT_EQ(lines.filter(QRegularExpression("^\\[|=v$")), (QStringList{"[V]", "[S]"}));
}

}  // namespace
