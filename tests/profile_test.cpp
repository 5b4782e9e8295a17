#include "platform/Profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringEncoder>
#include <string>

#include "tests/support/TempFolderTest.h"

using platform::Profile;

namespace {

class ProfileTest : public TempFolderTest {
  protected:
    static std::string textOf(const QString& file) { return bytesOf(file).toStdString(); }
    // Saves the profile and reads the file back.
    static std::string savedText(const Profile& profile) {
        EXPECT_EQ(profile.save(), platform::kProfileOk);
        return textOf(profile.fileName());
    }
};

// Only regular files are read, and only up to a size no profile comes near; anything else reads
// as empty, without blocking on a pipe or reading a device without end.
TEST_F(ProfileTest, OnlyRegularFilesOfBoundedSizeAreRead) {
    const QByteArray entry = "[A]\nb=1\n";
    QFile large(write("large.ini", entry));
    ASSERT_TRUE(large.resize(Profile::kMaxFileSize + 1));
    QFile largest(write("largest.ini", entry));
    ASSERT_TRUE(largest.resize(Profile::kMaxFileSize));
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe.ini")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", path("zero.ini")));
    ASSERT_TRUE(QFile::link(path("largest.ini"), path("link.ini")));

    for (const QString& unreadable :
         {path("none.ini"), path("large.ini"), path("pipe.ini"), path("zero.ini"), dir_.path()}) {
        const Profile profile(unreadable);
        EXPECT_FALSE(profile.hasKey("A", "b")) << unreadable.toStdString();
        EXPECT_EQ(profile.ReadInteger("A", "b", 7), 7) << unreadable.toStdString();
    }
    EXPECT_EQ(Profile(path("largest.ini")).ReadInteger("A", "b", 7), 1);
    EXPECT_EQ(Profile(path("link.ini")).ReadInteger("A", "b", 7), 1);
}

TEST_F(ProfileTest, NamesMatchWithoutRegardToCaseAndTheFirstOfARepeatedKeyCounts) {
    Profile profile(write("p.ini",
                          "[MainForm]\nCaption=First\nCAPTION=Second\nTop=1\n"
                          "[Extra]\nkept=1\nkept=2\n[mainform]\ncaption=Third\n"));
    EXPECT_EQ(profile.ReadString("mainform", "CAPTION", ""), "First");
    EXPECT_EQ(profile.ReadInteger("MAINFORM", "top", 0), 1);
    EXPECT_FALSE(profile.hasKey("MainForm", "Captio"));

    // A write replaces every value of the key; repeated keys it does not write are kept.
    profile.WriteString("MAINFORM", "caption", "Bye");
    EXPECT_EQ(profile.ReadString("MainForm", "Caption", ""), "Bye");
    EXPECT_EQ(savedText(profile), "[MainForm]\nCaption=Bye\nTop=1\n\n\n[Extra]\nkept=1\nkept=2\n");
}

TEST_F(ProfileTest, NumbersAreWholeDecimalsAndBooleansNonZeroNumbers) {
    Profile profile(write("p.ini",
                          "[N]\nplain=42\nspaced=  17  \nplus=+8\nminus=-3\nquoted=\"5\"\n"
                          "max=2147483647\nmin=-2147483648\nabc=abc\ntail=12x\nempty=\n"
                          "over=2147483648\nunder=-2147483649\nhuge=99999999999999999999\n"
                          "sign=-\nhex=0x10\ninner=1 2\nfraction=1.5\n"));
    const std::pair<const char*, int> numbers[] = {
        {"plain", 42}, {"spaced", 17}, {"plus", 8}, {"minus", -3}, {"quoted", 5}};
    for (const auto& [key, value] : numbers) {
        EXPECT_EQ(profile.ReadInteger("N", key, -1), value) << key;
    }
    EXPECT_EQ(profile.ReadInteger("N", "max", -1), 2147483647);
    EXPECT_EQ(profile.ReadInteger("N", "min", -1), -2147483647 - 1);
    for (const char* bad : {"abc", "tail", "empty", "over", "under", "huge", "sign", "hex", "inner",
                            "fraction", "absent"}) {
        EXPECT_EQ(profile.ReadInteger("N", bad, -1), -1) << bad;
    }
    EXPECT_TRUE(profile.ReadBool("N", "minus", false));
    EXPECT_FALSE(profile.ReadBool("N", "abc", false));
    EXPECT_TRUE(profile.ReadBool("N", "empty", true));
    profile.WriteBool("N", "plain", false);
    profile.WriteBool("N", "abc", true);
    EXPECT_EQ(profile.ReadString("N", "plain", ""), "0");
    EXPECT_EQ(profile.ReadString("N", "abc", ""), "1");
    EXPECT_FALSE(profile.ReadBool("N", "plain", true));
}

TEST_F(ProfileTest, SaveKeepsEntriesItDidNotRewriteInTheirOrder) {
    Profile profile(write(
        "p.ini", "; made by hand\n[First]\nb=2\na=1\n[Unknown]\nmine=kept\n[Second]\nx=old\n"));
    profile.WriteString("Second", "x", "new");
    profile.WriteInteger("First", "c", 3);
    profile.WriteString("Third", "z", "last");
    const std::string saved = savedText(profile);
    EXPECT_EQ(saved,
              "; made by hand\n\n\n[First]\nb=2\na=1\nc=3\n\n\n[Unknown]\nmine=kept\n\n\n"
              "[Second]\nx=new\n\n\n[Third]\nz=last\n");
    EXPECT_EQ(savedText(Profile(profile.fileName())), saved);
}

// Each line of a file is UTF-8, else Shift_JIS, else Latin-1: no text read is replaced, and a
// save writes the same text as UTF-8.
TEST_F(ProfileTest, TextInAnyEncodingIsKeptThroughASave) {
    QStringEncoder toShiftJis("Shift_JIS");
    ASSERT_TRUE(toShiftJis.isValid());
    const QString japanese = QStringLiteral("アニメ表示・テスト");
    const QByteArray sjis = toShiftJis(japanese);
    const struct {
        QByteArray file;
        QString expected;
    } cases[] = {
        {"[S]\nk=" + japanese.toUtf8() + "\n", japanese},
        {"\xEF\xBB\xBF[S]\nk=\xE6\x97\xA5\n", QStringLiteral("日")},
        {"[S]\nk=" + sjis + "\n", japanese},
        {"[S]\nk=" + japanese.toUtf8() + "\nsjis=" + sjis + "\n", japanese},  // line by line
        {"[S]\nk=Caf\xE9 \xA9\n", QStringLiteral("Café ©")},                  // neither: Latin-1
        {"[S]\nk=x\xC3", QStringLiteral("x\uFF83")},  // UTF-8 cut short: Shift_JIS
    };
    for (const auto& c : cases) {
        Profile profile(write("p.ini", c.file));
        EXPECT_EQ(profile.ReadString("S", "k", ""), c.expected) << c.file.toHex().toStdString();
        profile.WriteString("S", "other", "1");
        ASSERT_EQ(profile.save(), platform::kProfileOk);
        EXPECT_EQ(Profile(profile.fileName()).ReadString("S", "k", ""), c.expected);
        EXPECT_FALSE(QString::fromUtf8(bytesOf(profile.fileName())).contains(QChar(0xFFFD)));
    }
}

// A value keeps what the file form would lose: outer blanks, outer quotes; a value cannot add
// lines, and a name the file cannot hold is not written.
TEST_F(ProfileTest, WrittenValuesReadBackAsWritten) {
    const QString values[] = {
        "  both ends  ", "\"quoted\"", "\"", "\"\"", " \"x\" ", "a\"b", QStringLiteral("アニメ ✓")};
    Profile profile(path("p.ini"));
    for (int i = 0; i < static_cast<int>(std::size(values)); ++i) {
        profile.WriteString("V", QString::number(i), values[i]);
    }
    profile.WriteString("S", "k", "one\r\n[Injected]\nevil=1");
    for (const auto& [section, key] :
         std::initializer_list<std::pair<QString, QString>>{{"S", "bad=key"},
                                                            {"S", ""},
                                                            {"S", ";comment"},
                                                            {"Bad]Section", "k"},
                                                            {"Line\nBreak", "k"},
                                                            {" S", "k"}}) {
        profile.WriteString(section, key, "v");
    }
    ASSERT_EQ(profile.save(), platform::kProfileOk);
    const Profile reread(profile.fileName());
    for (int i = 0; i < static_cast<int>(std::size(values)); ++i) {
        EXPECT_EQ(reread.ReadString("V", QString::number(i), ""), values[i]) << i;
    }
    EXPECT_FALSE(reread.hasKey("Injected", "evil"));
    EXPECT_EQ(reread.ReadString("S", "k", ""), "one  [Injected] evil=1");
    const QStringList lines = QString::fromUtf8(bytesOf(profile.fileName())).split(u'\n');
    EXPECT_EQ(lines.filter(QRegularExpression("^\\[")), (QStringList{"[V]", "[S]"}));
}

}  // namespace
