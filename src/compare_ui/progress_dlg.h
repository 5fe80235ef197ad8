// The progress dialog of long operations, and the engine's progress displays built on it.
#pragma once

#include "engine/progress.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <memory>

class QCloseEvent;
class QLabel;
class QProgressBar;
class QPushButton;

namespace brindle {

class CProfile;

// The small modeless window "Processing" with a text line, a bar and a Cancel button. It is a
// window of its own (no parent object): whoever creates it deletes it with destroyDialog(), or it
// deletes itself after a cancel. While it exists the owner window is disabled; the dialog itself
// stays usable, and pending events are processed from setProgress().
class CProgressDlg : public QDialog {
    Q_OBJECT
public:
    // The bar runs from 0 to kBarRange.
    static constexpr int kBarRange = 200;

    // Creates and shows the dialog. The text line shows the text of titleStringId. cancellable:
    // the Cancel button and closing the window cancel the operation (engine cancel flag set);
    // otherwise the button is disabled and the window cannot be closed. ownerPointer, when given,
    // must point at the caller's pointer to this dialog; it is set to nullptr when the dialog goes
    // away. owner, when given, is disabled until then (and enabled again only if the dialog
    // disabled it). With a non-empty positionSection the window position is restored from and
    // saved to that section of profile ("top", "left", "right", "bottom"); profile nullptr means
    // the application's profile, and nothing is kept without either.
    CProgressDlg(bool cancellable, std::int64_t total, CProgressDlg** ownerPointer, int titleStringId, QWidget* owner,
                 const QString& positionSection = {}, CProfile* profile = nullptr);
    ~CProgressDlg() override;

    // The amount that counts as 100 %.
    void setTotal(std::int64_t total) { m_total = total; }
    std::int64_t total() const { return m_total; }
    // Moves the bar to barPosition(amount, total()), then lets pending events be processed
    // (pumpPendingEvents), which is how a click on Cancel gets through.
    void setProgress(std::int64_t amount);
    int position() const { return m_position; }
    // Shows the text of stringId as the text line.
    void setMessage(int stringId);
    bool cancellable() const { return m_cancellable; }

    // Saves the position, enables the owner again, clears the owner's pointer and deletes the
    // dialog. Not to be called from the dialog's own event handlers.
    void destroyDialog();

    // amount * kBarRange / total, limited to 0..kBarRange; 0 when total is not positive.
    static int barPosition(std::int64_t amount, std::int64_t total);

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void cancel();
    void finish();
    void restorePosition();
    void savePosition();
    void centre();
    CProfile* profile() const;

    QLabel* m_text;
    QProgressBar* m_bar;
    QPushButton* m_cancelButton;
    std::int64_t m_total;
    int m_position = 0;
    bool m_cancellable;
    bool m_finished = false;
    bool m_disabledOwner = false;
    CProgressDlg** m_ownerPointer;
    QPointer<QWidget> m_owner;
    QString m_positionSection;
    CProfile* m_profile;
};

// A progress display for the engine: a progress dialog owned by the main frame (or, without one,
// the active window) that keeps its position in kProgressSection. Destroying the display
// destroys the dialog; after a cancel the display goes on without one.
std::unique_ptr<CProgress> createProgressDialog(int titleStringId, std::int64_t total, bool cancellable);

// Makes the engine show its progress in progress dialogs and process pending events through
// pumpPendingEvents; uninstall undoes both.
void installProgressDialogs();
void uninstallProgressDialogs();

}  // namespace brindle
