// A frame's placement (normal rectangle, normal/maximized/minimized) kept in the settings.
#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <array>
#include <optional>

class QTimer;
class QWidget;

namespace brindle {

// Show commands of a placement, numbered as the platform numbers its show commands.
enum EShowCommand : int {
    kShowNormal = 1,
    kShowMinimized = 2,
    kShowMaximized = 3,
    kShowMinNoActive = 7,  // minimized without activating: what a restored minimized frame gets
};

// What a frame's placement holds. The normal rectangle is the geometry the frame has, or returns
// to, in the normal state: for a top-level window its area inside the window decoration in screen
// coordinates, for a child window of the main frame's window area its whole rectangle inside that
// area.
struct SWindowPlacement {
    int showCommand = kShowNormal;
    bool restoreToMaximized = false;  // a minimized frame becomes maximized when restored
    QRect normal;
};

// "Rectangle" values: "%04d %04d %04d %04d" of left, top, right, bottom (right and bottom lie one
// past the last pixel). Reading takes four characters at positions 0, 5, 10 and 15 and reads each
// as a leading decimal number (blanks skipped, optional sign, digits up to the first other
// character); characters beyond the text read as nothing, nothing reads as 0.
QString formatPlacementRectangle(const QRect& rect);
std::array<int, 4> parsePlacementFields(const QString& text);
// The rectangle of a "Rectangle" value; nullopt for an empty text and for fields that give no
// area (right not beyond left or bottom not below top), which keep the frame's current rectangle.
std::optional<QRect> placementRectangle(const QString& text);
// rect as it is when its centre is on a screen whose free area it fits; else moved and, where it
// must be, shrunk onto the free area of that screen (or the primary one): a placement saved on a
// larger screen, at another scale or on a monitor since unplugged comes back whole and visible.
// Sizes are device-independent pixels.
QRect fittedToScreen(const QRect& rect);

// The placement object a frame owns. It follows the frame's moves and resizes while the frame is
// in the normal state, so that a maximized or minimized frame still knows its normal rectangle,
// and it remembers whether a minimized frame came from the maximized state. Values live in the
// application profile (CWinApp::instance()->profile()) under section(): "Rectangle" (text),
// "Iconized" and "Maximized" (integers). Without an application object restore and save do
// nothing.
class CPersistFrameImpl : public QObject {
    Q_OBJECT
public:
    explicit CPersistFrameImpl(QWidget& frame, QString section = QStringLiteral("Window size"));
    ~CPersistFrameImpl() override;

    // Reads the saved placement and applies its normal rectangle to the frame (an empty or unusable
    // "Rectangle" keeps the current one; a top-level frame's is fitted to the screen); the show
    // state is remembered for showFrame().
    virtual void restore();
    // Writes the frame's current placement: the normal rectangle, "Iconized" 1 when minimized,
    // "Maximized" 1 when maximized, 2 when minimized and it would restore maximized, else 0.
    virtual void save();
    // Writes placement as save() writes the current one.
    void writePlacement(const SWindowPlacement& placement);

    const QString& section() const { return m_section; }
    void setSection(const QString& section) { m_section = section; }
    // The show command found by the last restore.
    int showCommand() const { return m_showCommand; }

    // The frame's placement now.
    SWindowPlacement placement() const;
    // Sets the normal rectangle and the state to show; a hidden frame takes the state on showing.
    void setPlacement(const SWindowPlacement& placement);
    // Shows the frame in the state of command: normal, maximized, or minimized (restoring to
    // maximized when the restored placement said so).
    void showFrame(int command);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onStateChange(Qt::WindowStates oldState);
    void recordNormalGeometry();

    QWidget& m_frame;
    QString m_section;
    int m_showCommand = kShowNormal;
    QRect m_normal;
    bool m_restoreToMaximized = false;
    QTimer* m_track;
};

}  // namespace brindle
