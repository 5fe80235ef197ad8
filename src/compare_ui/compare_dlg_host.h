// What the compare dialog needs from the program around it: settings, the shared text font,
// message boxes and the platform's file, font and colour dialogs.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QWidget;

namespace brindle {

class CProfile;

// The default implementation uses the application's settings, the platform's dialogs and OK
// message boxes; it keeps no shared text font of its own (textFont() is the application font and
// setTextFont() does nothing). The application installs a host that reaches its shared text font
// and dialog font; tests put in one that answers the dialogs themselves.
class CCompareDlgHost {
public:
    CCompareDlgHost() = default;
    CCompareDlgHost(const CCompareDlgHost&) = delete;
    CCompareDlgHost& operator=(const CCompareDlgHost&) = delete;
    virtual ~CCompareDlgHost();

    // The installed host, or a default one when none is installed.
    static CCompareDlgHost& instance();
    // Installs host (not owned; nullptr goes back to the default).
    static void setInstance(CCompareDlgHost* host);

    virtual CProfile& profile();

    // The shared text font of the report panes and editors, and its replacement (face, points).
    virtual QFont textFont() const;
    virtual void setTextFont(const QString& face, int pointSize);
    // The sheet has closed (OK or Cancel): the program's dialog font applies again.
    virtual void sheetClosed() {}

    // An OK message box with the text of string stringId.
    virtual void message(QWidget* parent, int stringId);

    // Open-file dialog for an existing file; startName gives the initial folder and proposed name.
    // filter is in the platform's list form ("All Files|*.*||"). Empty when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& startName, const QString& filter);
    // Save-file dialog proposing proposedName, adding defaultSuffix to a name without one.
    virtual QString saveFileName(QWidget* parent, const QString& proposedName, const QString& defaultSuffix,
                                 const QString& filter);
    // Font dialog (screen fonts); nullopt when cancelled.
    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial);
    // Colour dialog fully opened; nullopt when cancelled.
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial);
};

}  // namespace brindle
