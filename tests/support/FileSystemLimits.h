#pragma once

#include <QString>

// Lets the process write files of at most `bytes` bytes while it lives; a longer write fails as
// it would on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    long long previousLimit_ = 0;
    void (*previousHandler_)(int) = nullptr;
};

// Makes a folder refuse new files while it lives, while the files in it stay writable: the
// immutable flag for root (whom permissions do not stop), read-only permissions otherwise.
class FolderRefusingNewFiles {
  public:
    explicit FolderRefusingNewFiles(const QString& folder);
    ~FolderRefusingNewFiles();
    FolderRefusingNewFiles(const FolderRefusingNewFiles&) = delete;
    FolderRefusingNewFiles& operator=(const FolderRefusingNewFiles&) = delete;
    // False when the file system allowed neither.
    bool active() const { return active_; }

  private:
    QString folder_;
    bool immutable_ = false;
    bool active_ = false;
};
