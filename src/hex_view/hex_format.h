// The text of a hex dump row: address, hex pairs and printable characters.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace brindle::hex {

// Offset as "%04lX" or "%08lX" (wide), of which only the first 4 or 8 characters are kept: an
// offset needing more digits is cut, not widened.
QString addressText(std::int64_t offset, bool wide);
// Offset as at least `digits` uppercase hex digits, of which only the first `digits` are kept.
QString addressTextOfWidth(std::int64_t offset, int digits);
// Every byte as two uppercase hex digits and a blank; a row shorter than bytesPerRow is padded
// with blanks to the full width.
QString hexText(const char* bytes, int count, int bytesPerRow);
// A byte is shown as itself when printable (0x20..0x7E), else as ".".
char printable(char byte);
QString charText(const char* bytes, int count);

// The clipboard text of a selection: the bytes with "." for non-printables (text column), or
// "XX " per byte (hex column).
QByteArray copyText(const QByteArray& bytes, bool fromHexColumn);

}  // namespace brindle::hex
