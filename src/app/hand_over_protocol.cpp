#include "app/hand_over_protocol.h"

#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <string_view>

namespace brindle {

namespace {

constexpr qsizetype kMagicSize = sizeof(kHandOverMagic) - 1;

}  // namespace

QByteArray encodeHandOver(const QString& commandLine)
{
    const QByteArray text = commandLine.toUtf8();
    if (text.size() > kMaxHandOverBytes)
        return {};
    QByteArray request(kHandOverMagic, kMagicSize);
    char length[4];
    qToBigEndian(static_cast<quint32>(text.size()), length);
    request.append(length, sizeof length);
    request.append(text);
    return request;
}

qsizetype handOverRequestSize(QByteArrayView head)
{
    const qsizetype magicPart = std::min(head.size(), kMagicSize);
    const auto magicLength = static_cast<std::size_t>(magicPart);
    if (std::string_view(head.data(), magicLength) != std::string_view(kHandOverMagic, magicLength))
        return -1;
    if (head.size() < kHandOverHeaderSize)
        return 0;
    const quint32 length = qFromBigEndian<quint32>(head.data() + kMagicSize);
    if (length > static_cast<quint32>(kMaxHandOverBytes))
        return -1;
    return kHandOverHeaderSize + static_cast<qsizetype>(length);
}

SHandOverParse parseHandOver(const QByteArray& received)
{
    using Status = SHandOverParse::Status;
    const qsizetype total = handOverRequestSize(received);
    if (total < 0)
        return {Status::Invalid, {}};
    if (total == 0 || received.size() < total)
        return {Status::Incomplete, {}};
    if (received.size() > total)
        return {Status::Invalid, {}};

    // A leading U+FEFF is part of the text like any other character.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(QByteArrayView(received).sliced(kHandOverHeaderSize));
    if (decoder.hasError())
        return {Status::Invalid, {}};
    // The command line ends at its first NUL, as a C string would.
    if (const qsizetype nul = text.indexOf(QChar(u'\0')); nul >= 0)
        text.truncate(nul);
    return {Status::Complete, text};
}

}  // namespace brindle
