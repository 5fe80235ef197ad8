#include "app/about_dlg.h"

#include "app/brd_app.h"
#include "app/hlink_ctrl.h"
#include "framework/command_ids.h"
#include "framework/help_window.h"
#include "framework/resources.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <sys/statvfs.h>
#include <unistd.h>

namespace brindle {

namespace {

constexpr quint64 kKiB = 1024;
constexpr quint64 kMiB = kKiB * 1024;
constexpr quint64 kGiB = kMiB * 1024;
constexpr int kIconSize = 64;
constexpr int kShadow = 4;

// One printf conversion done by hand: flags "-", "+", " ", "0"; width; precision.
QString formatConversion(QChar type, const QString& flags, int width, int precision, double value)
{
    QString text;
    const bool negative = value < 0;
    switch (type.unicode()) {
    case u'd':
    case u'i': text = QString::number(static_cast<qlonglong>(std::abs(value))); break;
    case u'u': text = QString::number(static_cast<qulonglong>(std::max(value, 0.0))); break;
    case u'o': text = QString::number(static_cast<qulonglong>(std::max(value, 0.0)), 8); break;
    case u'x':
    case u'X':
        text = QString::number(static_cast<qulonglong>(std::max(value, 0.0)), 16);
        if (type == u'X')
            text = text.toUpper();
        break;
    default:
        text = QString::number(std::abs(value), char(type.toLower().unicode()), precision < 0 ? 6 : precision);
        if (type.isUpper())
            text = text.toUpper();
        break;
    }
    const bool isSigned = type != u'u' && type != u'o' && type != u'x' && type != u'X';
    QString sign;
    if (isSigned && negative)
        sign = QStringLiteral("-");
    else if (isSigned && flags.contains(u'+'))
        sign = QStringLiteral("+");
    else if (isSigned && flags.contains(u' '))
        sign = QStringLiteral(" ");
    const qsizetype pad = std::max<qsizetype>(0, width - sign.size() - text.size());
    if (flags.contains(u'-'))
        return sign + text + QString(pad, u' ');
    if (flags.contains(u'0'))
        return sign + QString(pad, u'0') + text;
    return QString(pad, u' ') + sign + text;
}

}  // namespace

QString formatPrintfNumber(const QString& format, double value)
{
    static const QRegularExpression conversion(
        QStringLiteral("%([-+ #0]*)(\\d{0,3})(\\.\\d{0,3})?(?:hh|h|ll|l|L|q|j|z|t|I64)?([diouxXeEfFgG])"));
    QString result;
    bool converted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') {
            result += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == u'%') {
            result += u'%';
            ++i;
            continue;
        }
        const QRegularExpressionMatch match =
            conversion.match(format, i, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (converted || !match.hasMatch()) {
            result += format[i];
            continue;
        }
        const QString precision = match.captured(3);
        result += formatConversion(match.captured(4).front(), match.captured(1), match.captured(2).toInt(),
                                   precision.isEmpty() ? -1 : precision.mid(1).toInt(), value);
        i = match.capturedEnd() - 1;
        converted = true;
    }
    return result;
}

quint64 totalMemoryKb()
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (meminfo.open(QIODevice::ReadOnly | QIODevice::Text)) {
        while (!meminfo.atEnd()) {
            const QByteArray line = meminfo.readLine();
            if (line.startsWith("MemTotal:")) {
                bool ok = false;
                const quint64 kb = line.mid(9).trimmed().split(' ').front().toULongLong(&ok);
                if (ok)
                    return kb;
            }
        }
    }
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0)
        return 0;
    return static_cast<quint64>(pages) * static_cast<quint64>(pageSize) / kKiB;
}

quint64 freeDiskSpace(const QString& folder)
{
    struct statvfs info {};
    if (::statvfs(QFile::encodeName(folder).constData(), &info) != 0)
        return 0;
    return static_cast<quint64>(info.f_bavail) * static_cast<quint64>(info.f_frsize);
}

QString formatMemory(quint64 kb) { return formatPrintfNumber(loadString(res::kStrMemoryKb), double(kb)); }

QString formatDiskSpace(quint64 bytes)
{
    if (bytes < kKiB)
        return formatPrintfNumber(loadString(res::kStrBytes), double(bytes));
    if (bytes < kMiB)
        return formatPrintfNumber(loadString(res::kStrKb), double(bytes) / double(kKiB));
    if (bytes > kGiB)
        return formatPrintfNumber(loadString(res::kStrGb), double(bytes) / double(kGiB));
    return formatPrintfNumber(loadString(res::kStrMb), double(bytes) / double(kMiB));
}

CBigIcon::CBigIcon(QWidget* parent) : QWidget(parent) { setFixedSize(sizeHint()); }

QSize CBigIcon::sizeHint() const { return QSize(kIconSize + 2 + kShadow, kIconSize + 2 + kShadow); }

void CBigIcon::paintEvent(QPaintEvent*)
{
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    QPainter painter(this);
    const QRect frame(0, 0, kIconSize + 2, kIconSize + 2);
    painter.fillRect(frame.translated(kShadow, kShadow), palette().color(QPalette::Shadow));
    painter.fillRect(frame, palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    icon.paint(&painter, frame.adjusted(1, 1, -1, -1));
}

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent), m_homeLink(new CHLinkCtrl(this)), m_mailLink(new CHLinkCtrl(this)),
      m_memory(formatMemory(totalMemoryKb())), m_diskSpace(formatDiskSpace(freeDiskSpace(QDir::currentPath())))
{
    setHelpPage(this, QStringLiteral("index.html"));
    setWindowTitle(loadString(res::kStrAboutCaption).arg(loadString(res::kStrAppTitle)) + QStringLiteral(" (64-bit)"));
    m_homeLink->setLink(true, QStringLiteral("https://brindle.example.org/"), QStringLiteral("brindle.example.org"));
    m_mailLink->setLink(true, QStringLiteral("mailto:support@brindle.example.org"),
                        QStringLiteral("mailto:support@brindle.example.org"));

    auto* body = new QHBoxLayout;
    body->addWidget(new CBigIcon(this), 0, Qt::AlignTop);
    body->addSpacing(12);
    body->addLayout(makeTextColumn(), 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLayout* CAboutDlg::makeTextColumn()
{
    const QString version = QStringLiteral(BRINDLE_VERSION);
    auto* name = new QLabel(loadString(res::kStrVersionLine).arg(loadString(res::kStrAppTitle), version), this);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* values = new QGridLayout;
    values->addWidget(new QLabel(loadString(res::kStrMemoryLabel), this), 0, 0);
    values->addWidget(new QLabel(m_memory, this), 0, 1);
    values->addWidget(new QLabel(loadString(res::kStrDiskLabel), this), 1, 0);
    values->addWidget(new QLabel(m_diskSpace, this), 1, 1);
    values->setColumnStretch(1, 1);

    auto* column = new QVBoxLayout;
    column->addWidget(name);
    column->addWidget(new QLabel(loadString(res::kStrDescription), this));
    column->addWidget(new QLabel(loadString(res::kStrCompanyName), this));
    column->addSpacing(8);
    column->addLayout(values);
    column->addSpacing(8);
    column->addWidget(m_homeLink, 0, Qt::AlignLeft);
    column->addWidget(m_mailLink, 0, Qt::AlignLeft);
    return column;
}

QString CAboutDlg::memoryText() const { return m_memory; }

QString CAboutDlg::diskSpaceText() const { return m_diskSpace; }

}  // namespace brindle
