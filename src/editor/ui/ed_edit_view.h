// The editor's editable text window: typing, deleting, indenting, clipboard, drag and drop, undo,
// case commands, completion, go to line, search and the spelling hook.
#pragma once

#include "editor/ui/ed_text_view.h"

// moc cannot read the search headers (it fails on <concepts>); it needs no more than the names.
#ifndef Q_MOC_RUN
#include "editor/ed_search_target.h"
#include "editor/ed_spell_check.h"
#endif

#include <QHash>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>

class QDrag;
class QMimeData;

namespace brindle {

class CEdEditCore;
class CEdIncrementalSearch;

// A CEdTextView that edits its buffer. All editing logic is CEdEditCore's; the view hands it the
// caret and selection before each command and takes them back afterwards, so the two never
// disagree while the user sees them. Between commands the text view's caret and selection are
// the ones that count (mouse selection, movement and search set them).
//
// Keys beyond table 22901 are the edit view's own (Del, Backspace, Tab, Insert, the clipboard,
// undo and redo, the case commands, Ctrl+Space, Ctrl+Enter, Ctrl+Shift+G); printable characters
// are typed. While an incremental search runs it receives the keys instead.
class CEdEditView : public CEdTextView, public CEdSearchTarget, private CEdSpellClient {
    Q_OBJECT
public:
    explicit CEdEditView(QWidget* parent = nullptr);
    ~CEdEditView() override;

    bool IsEditable() const override;
    bool IsOvertype() const;
    void SetOvertype(bool overtype);
    // The edit logic of the attached buffer; nullptr without one.
    CEdEditCore* EditCore() const { return m_core.get(); }
    bool IsIncrementalSearchActive() const;

    void OnBufferChanged(CEdBufferView* sourceView, const CEdTextBuffer::CUpdateContext* context,
                         std::uint32_t updateFlags, std::int32_t line) override;
    void OnEditCompleted(std::int32_t action, std::u16string_view text) override;
    // Also takes the type's editing settings and its abbreviations from "Software\RodeZor".
    void ApplyTextType(const STextType* type) override;

    // ---- CEdSearchTarget
    CEdTextBuffer* SearchBuffer() override { return TextBuffer(); }
    CEdBufferView* SearchSourceView() override { return this; }
    STextPos GetCursorPos() const override { return CEdTextView::GetCursorPos(); }
    void SetCursorPos(STextPos pos) override;
    void SetAnchor(STextPos pos) override { CEdTextView::SetAnchor(pos); }
    void GetSelection(STextPos& start, STextPos& end) const override { CEdTextView::GetSelection(start, end); }
    void SetSelection(STextPos start, STextPos end) override { CEdTextView::SetSelection(start, end); }
    void EnsureVisible(STextPos pos) override { CEdTextView::EnsureVisible(pos); }
    SEdViewSearchState& SearchState() override { return m_searchState; }
    void ReportNotFound(std::u16string_view text) override;
    void Beep() override;

    QList<int> keyCommandIds() const override { return CEdTextView::keyCommandIds() + m_editKeys.values(); }

protected:
    void ResetView() override;

    // Opens path for the companion-file command: the plain text editor's template (position 3)
    // when the application has one, else the template of this view's document.
    virtual void OpenCompanionFile(const QString& path);
    // Runs the drag of the selected text and returns how it ended. Tests stand in for the
    // platform's drag loop here.
    virtual Qt::DropAction RunDrag(QDrag& drag);

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void registerEditing();
    void registerClipboard();
    void registerTools();
    void registerSearch();
    void loadEditKeys();
    // The command of a key of the edit view's own table, or 0.
    int editCommandOfKey(int key) const;

    // Hands caret, selection and settings to the core, runs command and takes caret and
    // selection back, scrolling the caret into view. False without a core.
    bool runCore(const std::function<bool(CEdEditCore&)>& command);
    void loadCore();
    void storeCore();
    void coreCommand(int id, const std::function<bool(CEdEditCore&)>& command);
    void enableWhen(int id, const std::function<bool(const CEdEditCore&)>& condition);

    void typeText(const QString& text);
    bool handleIncrementalKey(QKeyEvent* event);
    void undo(bool redo);
    void paste();
    void cut();
    void goToLine();
    void openCompanion();
    void spellCheck();
    void charConversion();
    void startDrag();
    Qt::DropAction dropActionOf(const QDropEvent& event) const;

    // CEdSpellClient
    void ShowWord(STextPos start, STextPos end) override;
    void Finished() override;

    std::unique_ptr<CEdEditCore> m_core;
    std::unique_ptr<CEdIncrementalSearch> m_incrementalSearch;
    SEdViewSearchState m_searchState;
    QHash<int, int> m_editKeys;         // key combination -> command id
    QHash<int, int> m_incrementalKeys;  // the keys of the two incremental search commands
    bool m_overtype = false;            // kept here so that it survives a change of buffer
    QPoint m_pressPoint;
};

}  // namespace brindle
