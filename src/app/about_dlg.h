// The about box: program name and version, memory and disk space, and two links.
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>

class QLayout;

namespace brindle {

class CHLinkCtrl;

// The application icon drawn large, in a frame with a shadow.
class CBigIcon : public QWidget {
    Q_OBJECT
public:
    explicit CBigIcon(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Modal; the caption carries " (64-bit)". Uses the program's dialog font when one is set.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    CHLinkCtrl* homeLink() const { return m_homeLink; }
    CHLinkCtrl* mailLink() const { return m_mailLink; }
    QString memoryText() const;
    QString diskSpaceText() const;

private:
    QLayout* makeTextColumn();

    CHLinkCtrl* m_homeLink;
    CHLinkCtrl* m_mailLink;
    QString m_memory;
    QString m_diskSpace;
};

// Total physical memory in KB (0 when unknown).
quint64 totalMemoryKb();
// Free bytes for the user on the file system of folder (0 when it cannot be queried).
quint64 freeDiskSpace(const QString& folder);

// "Available Memory:" text: kStrMemoryKb ("%lu KB") of kb.
QString formatMemory(quint64 kb);
// "Disk Space:" text: below 1024 bytes kStrBytes ("%ld bytes"); below 1 MiB kStrKb ("%.0lf KB")
// of bytes / 1024; above 1 GiB kStrGb ("%.2lf GB") of bytes / 1 GiB; otherwise kStrMb
// ("%.2lf MB") of bytes / 1 MiB.
QString formatDiskSpace(quint64 bytes);

// Formats value into the first printf conversion of format (flags, width and precision kept; "%%"
// gives "%"). The conversion letter decides integer or decimal output, whatever length modifier
// the text names, so a translated text cannot make the call read a wrong argument.
QString formatPrintfNumber(const QString& format, double value);

}  // namespace brindle
