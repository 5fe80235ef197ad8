#include "hex_view/hex_format.h"

#include <cstdio>

namespace brindle::hex {

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
}

QString addressText(std::int64_t offset, bool wide) { return addressTextOfWidth(offset, wide ? 8 : 4); }

QString addressTextOfWidth(std::int64_t offset, int digits)
{
    char text[32];
    std::snprintf(text, sizeof text, "%0*llX", digits, static_cast<unsigned long long>(offset));
    return QString::fromLatin1(text, digits);
}

QString hexText(const char* bytes, int count, int bytesPerRow)
{
    QString text(bytesPerRow * 3, u' ');
    for (int i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i * 3] = QLatin1Char(kDigits[byte >> 4]);
        text[i * 3 + 1] = QLatin1Char(kDigits[byte & 0xF]);
    }
    return text;
}

char printable(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x20 && value <= 0x7E ? byte : '.';
}

QString charText(const char* bytes, int count)
{
    QString text(count, u' ');
    for (int i = 0; i < count; ++i)
        text[i] = QLatin1Char(printable(bytes[i]));
    return text;
}

QByteArray copyText(const QByteArray& bytes, bool fromHexColumn)
{
    QByteArray text;
    if (!fromHexColumn) {
        text.resize(bytes.size());
        for (qsizetype i = 0; i < bytes.size(); ++i)
            text[i] = printable(bytes[i]);
        return text;
    }
    text.reserve(bytes.size() * 3);
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        text.append(kDigits[value >> 4]).append(kDigits[value & 0xF]).append(' ');
    }
    return text;
}

}  // namespace brindle::hex
