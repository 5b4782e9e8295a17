#pragma once

#include <QString>

namespace files {

// The longest base name, in UTF-8 bytes, a panel file gets.
inline constexpr int kMaxBaseNameBytes = 122;

// The extension after the last dot of the file name part, without the dot ("" when none).
QString extensionOf(const QString& name);

// The name with its base name (file name part before the last dot) cut to at most `maxBytes`
// UTF-8 bytes, never inside a character; directory and extension are kept as given.
QString withShortBaseName(const QString& name, int maxBytes);

}  // namespace files
