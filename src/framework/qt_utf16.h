// The one conversion between Qt's strings and the UTF-16 strings of the Qt-free layers.
#pragma once

#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

namespace brindle {

// Both sides hold UTF-16 units, so the units are copied as they are, never decoded: a leading
// U+FEFF, a lone surrogate and the units that stand for bytes that were no characters
// (platform/utf16_units.h) all survive the round trip.
inline QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline std::u16string toU16String(QStringView text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

}  // namespace brindle
