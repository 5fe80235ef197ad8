#include "compare_ui/progress_dlg.h"

#include "compare_ui/message_pump.h"
#include "engine/cancel_flag.h"
#include "framework/help_window.h"
#include "framework/mdi_frame_wnd.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/string_ids.h"
#include "framework/win_app.h"
#include "platform/profile.h"
#include "platform/settings_names.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <limits>

namespace brindle {

namespace {

// The engine's view of one progress dialog. The dialog clears m_dialog when it goes away on a
// cancel; from then on progress steps only keep the interface alive.
class CProgressDialogDisplay final : public CProgress {
public:
    CProgressDialogDisplay(int titleStringId, std::int64_t total, bool cancellable, QWidget* owner)
    {
        m_dialog = new CProgressDlg(cancellable, total, &m_dialog, titleStringId, owner,
                                    QStringView(kProgressSection).toString());
    }
    ~CProgressDialogDisplay() override
    {
        if (m_dialog)
            m_dialog->destroyDialog();
    }
    CProgressDialogDisplay(const CProgressDialogDisplay&) = delete;
    CProgressDialogDisplay& operator=(const CProgressDialogDisplay&) = delete;

    void setTotal(std::int64_t total) override
    {
        if (m_dialog)
            m_dialog->setTotal(total);
    }
    void setPosition(std::int64_t amount) override
    {
        if (m_dialog)
            m_dialog->setProgress(amount);
        else
            pumpPendingEvents();
    }
    void setMessage(int stringId) override
    {
        if (m_dialog)
            m_dialog->setMessage(stringId);
    }

private:
    CProgressDlg* m_dialog = nullptr;
};

}  // namespace

CProgressDlg::CProgressDlg(bool cancellable, std::int64_t total, CProgressDlg** ownerPointer, int titleStringId,
                           QWidget* owner, const QString& positionSection, CProfile* profile)
    : m_text(new QLabel(loadString(res::kStrMatchingFileNames), this)), m_bar(new QProgressBar(this)),
      m_cancelButton(new QPushButton(loadString(res::kStrCancel), this)), m_total(total), m_cancellable(cancellable),
      m_ownerPointer(ownerPointer), m_owner(owner), m_positionSection(positionSection), m_profile(profile)
{
    setWindowTitle(loadString(res::kStrProgressTitle));
    setHelpPage(this, QStringLiteral("comparison-window.html#progress"));
    setModal(false);
    if (const QString title = loadString(titleStringId); !title.isEmpty())
        m_text->setText(title);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setMinimumWidth(260);
    m_bar->setRange(0, kBarRange);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_cancelButton->setEnabled(cancellable);
    m_cancelButton->setAutoDefault(false);
    connect(m_cancelButton, &QPushButton::clicked, this, &CProgressDlg::cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // No parent object: disabling the owner would disable a child window as well. The owner's
    // window still keeps the dialog above it. The native window is made now so that its frame is
    // known when the dialog is placed.
    winId();
    if (m_owner) {
        if (QWindow* ownerWindow = m_owner->window()->windowHandle())
            windowHandle()->setTransientParent(ownerWindow);
        if (m_owner->isEnabled()) {
            m_owner->setEnabled(false);
            m_disabledOwner = true;
        }
    }
    restorePosition();
    show();
}

CProgressDlg::~CProgressDlg() { finish(); }

int CProgressDlg::barPosition(std::int64_t amount, std::int64_t total)
{
    if (total <= 0 || amount <= 0)
        return 0;
    if (amount >= total)
        return kBarRange;
    if (amount <= std::numeric_limits<std::int64_t>::max() / kBarRange)
        return static_cast<int>(amount * kBarRange / total);
    // Amounts beyond 2^63 / 200 bytes: long double holds 64 mantissa bits, near enough here.
    const long double share = static_cast<long double>(amount) * kBarRange / static_cast<long double>(total);
    return std::min(static_cast<int>(share), kBarRange);
}

void CProgressDlg::setProgress(std::int64_t amount)
{
    m_position = barPosition(amount, m_total);
    m_bar->setValue(m_position);
    // A click on Cancel handled here leaves the dialog to a deferred deletion; nothing below may
    // touch it.
    pumpPendingEvents();
}

void CProgressDlg::setMessage(int stringId) { m_text->setText(loadString(stringId)); }

void CProgressDlg::destroyDialog()
{
    finish();
    delete this;
}

void CProgressDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    cancel();
}

void CProgressDlg::reject() { cancel(); }

// Runs from the dialog's own handlers, hence the deferred deletion.
void CProgressDlg::cancel()
{
    if (!m_cancellable || m_finished)
        return;
    finish();
    setCancelRequested(true);
    deleteLater();
}

void CProgressDlg::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    savePosition();
    if (m_owner && m_disabledOwner)
        m_owner->setEnabled(true);
    if (m_ownerPointer)
        *m_ownerPointer = nullptr;
    hide();
}

CProfile* CProgressDlg::profile() const
{
    if (m_profile)
        return m_profile;
    return CWinApp::instance() ? &CWinApp::instance()->profile() : nullptr;
}

void CProgressDlg::restorePosition()
{
    CProfile* settings = profile();
    if (m_positionSection.isEmpty() || !settings) {
        centre();
        return;
    }
    const std::u16string section = toU16String(m_positionSection);
    const int top = settings->readInt(section, kTopValue, 0);
    const int left = settings->readInt(section, kLeftValue, 0);
    const int right = settings->readInt(section, kRightValue, 0);
    const int bottom = settings->readInt(section, kBottomValue, 0);
    // Right and bottom lie just outside the rectangle, as they are stored.
    const QRect desktop = screen()->availableVirtualGeometry();
    const bool empty = right <= left || bottom <= top;
    const bool inside = left >= desktop.left() && top >= desktop.top() && right <= desktop.x() + desktop.width() &&
                        bottom <= desktop.y() + desktop.height();
    if (empty || !inside) {
        centre();
        return;
    }
    move(left, top);
}

void CProgressDlg::centre()
{
    adjustSize();
    const QRect area =
        m_owner && m_owner->isVisible() ? m_owner->window()->frameGeometry() : screen()->availableGeometry();
    move(area.center() - QRect(QPoint(0, 0), frameGeometry().size()).center());
}

void CProgressDlg::savePosition()
{
    CProfile* settings = profile();
    if (m_positionSection.isEmpty() || !settings || isMinimized())
        return;
    const std::u16string section = toU16String(m_positionSection);
    const QRect frame = frameGeometry();
    settings->writeInt(section, kTopValue, frame.y());
    settings->writeInt(section, kLeftValue, frame.x());
    settings->writeInt(section, kRightValue, frame.x() + frame.width());
    settings->writeInt(section, kBottomValue, frame.y() + frame.height());
}

std::unique_ptr<CProgress> createProgressDialog(int titleStringId, std::int64_t total, bool cancellable)
{
    QWidget* owner = dialogParent();
    if (!owner)
        owner = QApplication::activeWindow();
    return std::make_unique<CProgressDialogDisplay>(titleStringId, total, cancellable, owner);
}

void installProgressDialogs()
{
    setProgressFactory(&createProgressDialog);
    setMessagePump(&pumpPendingEvents);
}

void uninstallProgressDialogs()
{
    setProgressFactory(nullptr);
    setMessagePump(nullptr);
}

}  // namespace brindle
