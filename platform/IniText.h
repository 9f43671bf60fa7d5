#pragma once
// The text of the settings file: "key=value" lines under "[section]" heads,
// as a person, another tool or the program writes them.
//
// - A value is the text that stands after the first "=", without the blanks
//   around it; commas, semicolons and backslashes are part of it. Enclosed
//   in double quotes, the quotes are not part of it, inside them \" stands
//   for " and \\ for \ (so blanks at either end can be kept).
// - Bytes that are not UTF-8 (a file written in a Windows code page) are
//   read as Latin-1, so every value reads as some text.
// - Lines starting with ";" or "#" are notes; a line without "=" is passed
//   over. The first line of a key in its section counts.
// - Writing a key replaces its line, or adds it to its section (or adds the
//   section at the end); every other line stays as it was, byte for byte.
//   Written values are UTF-8 and read back as they were given. A value with
//   a line break cannot be written.
// Sections and keys are plain names: no "=", "[", "]" or line break.
#include <QByteArray>
#include <QString>

#include <optional>

std::optional<QString> iniValue(const QByteArray& file, const QString& section, const QString& key);

bool iniValueWritable(const QString& value);
// The file with the key set to the value; the value must be writable.
QByteArray iniWithValue(const QByteArray& file, const QString& section, const QString& key,
                        const QString& value);
