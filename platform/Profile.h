#pragma once

#include <QString>
#include <memory>

namespace platform {

// Result of Profile::save: 0 is success, anything else names the failure.
enum ProfileStatus : int {
    kProfileOk = 0,
    kProfileEncodeFailed = 1,  // the entries could not be turned into file text
    kProfileOpenFailed = 2,    // the file (or its temporary sibling) cannot be created
    kProfileWriteFailed = 3,   // writing or replacing the file failed; the old file is kept
};

// A profile file: "[Section]" headers followed by "Key=Value" lines. Section and key names match
// without regard to ASCII case; a key given twice reads as its first value. Everything read is
// kept, in its order, so entries this program does not know about survive a save, which writes
// UTF-8.
class Profile {
  public:
    // Profile files are a few kilobytes; a larger file is not one and reads as unreadable.
    static constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

    // Reads fileName when it is a regular file of at most kMaxFileSize bytes; anything else
    // (missing, a device, a pipe, a folder, too large) gives an empty profile. Each line is
    // read as UTF-8, else as Shift_JIS (files written on older systems), else as Latin-1, so no
    // text read is replaced.
    explicit Profile(QString fileName);
    ~Profile();
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // A whole decimal number in 32-bit range, surrounding spaces and a sign allowed; anything
    // else (missing, empty, "12x", overflow) gives defaultValue.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    // Any non-zero whole number is true and zero is false; anything else gives defaultValue.
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;

    // Replaces every value of the key. Line breaks in a value become spaces, so a value cannot
    // add lines to the file. A name the file cannot hold (empty, a line break, "=" in a key,
    // "]" in a section) is not written.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    // Written as "1" or "0".
    void WriteBool(const QString& section, const QString& key, bool value);

    bool hasKey(const QString& section, const QString& key) const;

    // Replaces the file read (save) or another one (saveAs) as a whole: on failure the previous
    // file stays as it was. Returns a ProfileStatus.
    int save() const;
    int saveAs(const QString& fileName) const;

    const QString& fileName() const { return fileName_; }

  private:
    struct Entries;

    QString fileName_;
    std::unique_ptr<Entries> entries_;
};

}  // namespace platform
