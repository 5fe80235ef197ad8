#include "editor/ui/ed_edit_view.h"

#include "editor/ed_companion_file.h"
#include "editor/ed_edit_core.h"
#include "editor/ed_incremental_search.h"
#include "editor/ed_recode_selection.h"
#include "editor/ui/char_conv_dlg.h"
#include "editor/ui/ed_edit_commands.h"
#include "editor/ui/ed_view_commands.h"
#include "editor/ui/edit_replace_dlg.h"
#include "editor/ui/find_text_dlg.h"
#include "editor/ui/goto_dlg.h"
#include "framework/doc_template.h"
#include "framework/document.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/win_app.h"
#include "platform/code_page.h"
#include "platform/settings_store.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <utility>

namespace brindle {

namespace {

// Keys of the edit commands, as Qt writes them. Shift+Tab arrives as Shift+Backtab.
constexpr std::pair<const char*, int> kEditKeys[] = {
    {"Del", edcmd::kDelete},
    {"Backspace", edcmd::kBackspace},
    {"Ctrl+Del", edcmd::kDeleteWordRight},
    {"Ctrl+Backspace", edcmd::kDeleteWordLeft},
    {"Tab", edcmd::kTab},
    {"Shift+Backtab", edcmd::kShiftTab},
    {"Ins", edcmd::kToggleOvertype},
    {"Ctrl+V", edcmd::kPaste},
    {"Shift+Ins", edcmd::kPaste},
    {"Ctrl+X", edcmd::kCut},
    {"Shift+Del", edcmd::kCut},
    {"Ctrl+Z", edcmd::kUndo},
    {"Alt+Backspace", edcmd::kUndo},
    {"Ctrl+Y", edcmd::kRedo},
    {"Alt+Shift+Backspace", edcmd::kRedo},
    {"Ctrl+H", edcmd::kReplace},
    {"Ctrl+L", edcmd::kLowerCase},
    {"Ctrl+U", edcmd::kUpperCase},
    {"Ctrl+K", edcmd::kInvertCase},
    {"Ctrl+J", edcmd::kCapitalize},
    {"Ctrl+Space", edcmd::kAutoComplete},
    {"Ctrl+Return", edcmd::kAutoExpand},
    {"Ctrl+Enter", edcmd::kAutoExpand},
    {"Ctrl+Shift+G", edcmd::kGoToLastChange},
};

bool isModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr;
}

}  // namespace

CEdEditView::CEdEditView(QWidget* parent)
    : CEdTextView(parent), m_incrementalSearch(std::make_unique<CEdIncrementalSearch>(*this))
{
    m_dragEnabled = true;
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    loadEditKeys();
    registerEditing();
    registerClipboard();
    registerTools();
    registerSearch();
}

CEdEditView::~CEdEditView() = default;

void CEdEditView::loadEditKeys()
{
    for (const auto& [key, id] : kEditKeys) {
        const QKeySequence sequence(QString::fromLatin1(key));
        if (!sequence.isEmpty())
            m_editKeys.insert(sequence[0].toCombined(), id);
    }
    // The incremental search's own keys repeat it while it runs; every other key ends it.
    if (const std::vector<SAccelerator>* table = CResources::instance().accelerators(edcmd::kAcceleratorTable)) {
        for (const SAccelerator& accelerator : *table) {
            const QKeySequence sequence(accelerator.key);
            if (!sequence.isEmpty() && (accelerator.id == edcmd::kIncrementalSearchForward ||
                                        accelerator.id == edcmd::kIncrementalSearchBackward))
                m_incrementalKeys.insert(sequence[0].toCombined(), accelerator.id);
        }
    }
}

int CEdEditView::editCommandOfKey(int key) const { return m_editKeys.value(key, 0); }

// ---- State

bool CEdEditView::IsEditable() const
{
    const CEdTextBuffer* buffer = TextBuffer();
    return buffer && !buffer->IsReadOnly();
}

bool CEdEditView::IsOvertype() const { return m_overtype; }

void CEdEditView::SetOvertype(bool overtype)
{
    m_overtype = overtype;
    if (m_core)
        m_core->SetOvertype(overtype);
    emit statusChanged();
}

bool CEdEditView::IsIncrementalSearchActive() const { return m_incrementalSearch->isActive(); }

void CEdEditView::ResetView()
{
    CEdTextView::ResetView();
    CEdTextBuffer* buffer = TextBuffer();
    if (!buffer) {
        m_core.reset();
        return;
    }
    if (!m_core || &m_core->Buffer() != buffer) {
        m_core = std::make_unique<CEdEditCore>(*buffer, this);
        m_core->ApplyTextType(CurrentTextType(), &userSettingsStore());
    }
    m_core->SetOvertype(m_overtype);
    m_core->SetSelection({}, {});
}

void CEdEditView::OnBufferChanged(CEdBufferView* sourceView, const CEdTextBuffer::CUpdateContext* context,
                                  std::uint32_t updateFlags, std::int32_t line)
{
    CEdTextView::OnBufferChanged(sourceView, context, updateFlags, line);
    if (context && m_core)
        m_core->AdjustPositions(*context);
}

void CEdEditView::OnEditCompleted(std::int32_t action, std::u16string_view text)
{
    if (m_core)
        m_core->OnEditCompleted(action, text);
}

void CEdEditView::ApplyTextType(const STextType* type)
{
    const bool changed = type && type != CurrentTextType();
    CEdTextView::ApplyTextType(type);
    if (changed && m_core)
        m_core->ApplyTextType(type, &userSettingsStore());
}

void CEdEditView::SetCursorPos(STextPos pos)
{
    CEdTextView::SetCursorPos(pos);
    RememberIdealColumn();
}

// ---- Core hand-over

void CEdEditView::loadCore()
{
    SEdEditSettings settings = m_core->Settings();
    settings.tabSize = GetTabSize();
    settings.flags = GetFlags();
    settings.textType = CurrentTextType();
    m_core->SetSettings(settings);
    m_core->SetOvertype(m_overtype);
    m_core->SetSelection(GetAnchor(), GetCursorPos());
}

void CEdEditView::storeCore()
{
    const STextPos caret = m_core->Caret();
    CEdTextView::SetAnchor(m_core->Anchor());
    CEdTextView::SetSelection(m_core->Anchor(), caret);
    CEdTextView::SetCursorPos(caret);
    RememberIdealColumn();
    CEdTextView::EnsureVisible(caret);
    UpdateCaret();
}

bool CEdEditView::runCore(const std::function<bool(CEdEditCore&)>& command)
{
    if (!m_core)
        return false;
    loadCore();
    const bool done = command(*m_core);
    storeCore();
    return done;
}

void CEdEditView::coreCommand(int id, const std::function<bool(CEdEditCore&)>& command)
{
    onCommand(id, [this, command] { runCore(command); });
}

void CEdEditView::enableWhen(int id, const std::function<bool(const CEdEditCore&)>& condition)
{
    onUpdateCommand(id, [this, condition](CCmdUI& ui) {
        if (!m_core) {
            ui.enable(false);
            return;
        }
        loadCore();
        ui.enable(condition(*m_core));
    });
}

// ---- Commands

void CEdEditView::registerEditing()
{
    coreCommand(edcmd::kDelete, [](CEdEditCore& core) { return core.Delete(); });
    coreCommand(edcmd::kBackspace, [](CEdEditCore& core) { return core.Backspace(); });
    coreCommand(edcmd::kDeleteWordRight, [](CEdEditCore& core) { return core.DeleteWordRight(); });
    coreCommand(edcmd::kDeleteWordLeft, [](CEdEditCore& core) { return core.DeleteWordLeft(); });
    coreCommand(edcmd::kTab, [](CEdEditCore& core) { return core.Tab(); });
    coreCommand(edcmd::kShiftTab, [](CEdEditCore& core) { return core.ShiftTab(); });
    const auto editable = [](const CEdEditCore& core) { return core.IsEditable(); };
    for (int id : {edcmd::kDelete, edcmd::kBackspace, edcmd::kDeleteWordRight, edcmd::kDeleteWordLeft, edcmd::kTab,
                   edcmd::kShiftTab})
        enableWhen(id, editable);
    onCommand(edcmd::kToggleOvertype, [this] { SetOvertype(!m_overtype); });
    onUpdateCommand(edcmd::kToggleOvertype, [this](CCmdUI& ui) { ui.setCheck(m_overtype); });
    onUpdateCommand(edcmd::kStatusOvertype, [this](CCmdUI& ui) { ui.enable(m_overtype); });
    onUpdateCommand(edcmd::kStatusReadOnly,
                    [this](CCmdUI& ui) { ui.enable(TextBuffer() && TextBuffer()->IsReadOnly()); });

    onCommand(edcmd::kUndo, [this] { undo(false); });
    onCommand(edcmd::kRedo, [this] { undo(true); });
    onUpdateCommand(edcmd::kUndo, [this](CCmdUI& ui) {
        const CEdTextBuffer* buffer = TextBuffer();
        ui.enable(buffer && IsEditable() && buffer->CanUndo());
        if (buffer)
            ui.setText(toQString(buffer->UndoMenuText()));
    });
    onUpdateCommand(edcmd::kRedo, [this](CCmdUI& ui) {
        const CEdTextBuffer* buffer = TextBuffer();
        ui.enable(buffer && IsEditable() && buffer->CanRedo());
        if (buffer)
            ui.setText(toQString(buffer->RedoMenuText()));
    });

    const std::pair<int, EEdCaseConversion> cases[] = {
        {edcmd::kLowerCase, EEdCaseConversion::Lower},       {edcmd::kUpperCase, EEdCaseConversion::Upper},
        {edcmd::kInvertCase, EEdCaseConversion::Invert},     {edcmd::kCapitalize, EEdCaseConversion::Capitalize},
        {edcmd::kSentencize, EEdCaseConversion::Sentencize},
    };
    for (const auto& [id, conversion] : cases) {
        coreCommand(id, [conversion](CEdEditCore& core) { return core.ConvertCase(conversion); });
        enableWhen(id, [](const CEdEditCore& core) { return core.IsEditable() && core.HasSelection(); });
    }
    coreCommand(edcmd::kAutoComplete, [](CEdEditCore& core) { return core.AutoComplete(); });
    enableWhen(edcmd::kAutoComplete,
               [](const CEdEditCore& core) { return core.IsEditable() && core.CanAutoComplete(); });
    coreCommand(edcmd::kAutoExpand, [](CEdEditCore& core) { return core.AutoExpand(); });
    enableWhen(edcmd::kAutoExpand, [](const CEdEditCore& core) { return core.IsEditable() && core.CanAutoExpand(); });
}

void CEdEditView::registerClipboard()
{
    onCommand(edcmd::kPaste, [this] { paste(); });
    onUpdateCommand(edcmd::kPaste,
                    [this](CCmdUI& ui) { ui.enable(IsEditable() && !QGuiApplication::clipboard()->text().isEmpty()); });
    onCommand(edcmd::kCut, [this] { cut(); });
    onUpdateCommand(edcmd::kCut, [this](CCmdUI& ui) { ui.enable(IsEditable() && IsSelection()); });
}

void CEdEditView::registerTools()
{
    coreCommand(edcmd::kMatchBracket, [](CEdEditCore& core) { return core.MatchBracket(); });
    onCommand(edcmd::kGoToLine, [this] { goToLine(); });
    onUpdateCommand(edcmd::kGoToLine, [this](CCmdUI& ui) { ui.enable(TextBuffer() != nullptr); });
    coreCommand(edcmd::kGoToLastChange, [](CEdEditCore& core) { return core.GotoLastChange(); });
    enableWhen(edcmd::kGoToLastChange, [](const CEdEditCore& core) { return core.CanGotoLastChange(); });
    onCommand(edcmd::kCompanionFile, [this] { openCompanion(); });
    onUpdateCommand(edcmd::kCompanionFile, [this](CCmdUI& ui) {
        // Enabled only when there is a file to open: otherwise choosing it would do nothing.
        ui.enable(document() && !EdFindCompanionFile(toU16String(document()->pathName())).empty());
    });
    onCommand(edcmd::kSpellCheck, [this] { spellCheck(); });
    onUpdateCommand(edcmd::kSpellCheck, [this](CCmdUI& ui) {
        CEdSpellModule& module = CEdSpellModule::Shared();
        const bool loaded = module.IsLoaded() || module.Load(toU16String(QCoreApplication::applicationDirPath()));
        if (!loaded || !m_core) {
            ui.enable(false);
            return;
        }
        loadCore();
        ui.enable(CEdSpellCheck::CanRun(module, *m_core));
    });
    onCommand(edcmd::kCharConversion, [this] { charConversion(); });
    onUpdateCommand(edcmd::kCharConversion, [this](CCmdUI& ui) { ui.enable(IsEditable() && IsSelection()); });
}

void CEdEditView::registerSearch()
{
    onCommand(edcmd::kFind, [this] {
        CFindTextDlg dialog(*this, this);
        dialog.exec();
    });
    onUpdateCommand(edcmd::kFind, [this](CCmdUI& ui) { ui.enable(TextBuffer() != nullptr); });
    onCommand(edcmd::kReplace, [this] {
        CEditReplaceDlg dialog(*this, this);
        dialog.exec();
    });
    onUpdateCommand(edcmd::kReplace, [this](CCmdUI& ui) { ui.enable(IsEditable()); });
    onCommand(edcmd::kFindNext, [this] { FindNextCommand(*this, false); });
    onCommand(edcmd::kFindPrevious, [this] { FindNextCommand(*this, true); });
    const auto canFindNext = [this](CCmdUI& ui) { ui.enable(CanFindNext(*this)); };
    onUpdateCommand(edcmd::kFindNext, canFindNext);
    onUpdateCommand(edcmd::kFindPrevious, canFindNext);
    onCommand(edcmd::kIncrementalSearchForward, [this] { m_incrementalSearch->start(true); });
    onCommand(edcmd::kIncrementalSearchBackward, [this] { m_incrementalSearch->start(false); });
    const auto hasBuffer = [this](CCmdUI& ui) { ui.enable(TextBuffer() != nullptr); };
    onUpdateCommand(edcmd::kIncrementalSearchForward, hasBuffer);
    onUpdateCommand(edcmd::kIncrementalSearchBackward, hasBuffer);
}

void CEdEditView::undo(bool redo)
{
    CEdTextBuffer* buffer = TextBuffer();
    if (!buffer || !IsEditable())
        return;
    STextPos cursor;
    if (!(redo ? buffer->Redo(cursor) : buffer->Undo(cursor)))
        return;
    MoveCaretTo(cursor);
    CEdTextView::EnsureVisible(cursor);
}

void CEdEditView::paste()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty())
        return;
    const std::u16string chars = toU16String(text);
    runCore([&chars](CEdEditCore& core) { return core.Paste(chars); });
}

void CEdEditView::cut()
{
    std::u16string text;
    if (runCore([&text](CEdEditCore& core) { return core.Cut(text); }))
        QGuiApplication::clipboard()->setText(toQString(text));
}

void CEdEditView::goToLine()
{
    if (!TextBuffer())
        return;
    CGotoDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::u16string text = toU16String(dialog.lineText());
    runCore([&text](CEdEditCore& core) { return core.GotoLine(text); });
}

void CEdEditView::openCompanion()
{
    if (!document())
        return;
    const std::u16string path = EdFindCompanionFile(toU16String(document()->pathName()));
    if (!path.empty())
        OpenCompanionFile(toQString(path));
}

void CEdEditView::OpenCompanionFile(const QString& path)
{
    constexpr std::size_t kPlainEditorTemplate = 3;
    CWinApp* app = CWinApp::instance();
    CDocTemplate* docTemplate = app && app->docTemplateCount() > kPlainEditorTemplate
                                    ? app->docTemplateAt(kPlainEditorTemplate)
                                    : (document() ? document()->docTemplate() : nullptr);
    if (docTemplate)
        docTemplate->openDocumentFile(path);
}

void CEdEditView::charConversion()
{
    if (!IsEditable() || !IsSelection())
        return;
    // A file without a mark was read through the system's code page: its letters are looked up as
    // the bytes they came from. Text read as Unicode converts unit by unit.
    const CCodePage* codePage = TextBuffer()->FileEncoding() == 0 ? &CCodePage::ansi() : nullptr;
    CCharConvDlg dialog(toQString(brindle::SelectedText(*this)), this, codePage);
    if (dialog.exec() == QDialog::Accepted)
        RecodeSelection(*this, dialog.sourceIndex(), dialog.destinationIndex(), dialog.alphabetOnly(), codePage);
}

// ---- Spelling

void CEdEditView::spellCheck()
{
    CEdSpellModule& module = CEdSpellModule::Shared();
    if (!module.Load(toU16String(QCoreApplication::applicationDirPath()))) {
        QMessageBox::warning(this, tr("Error"), toQString(CEdSpellModule::LoadFailedMessage()));
        return;
    }
    runCore([this, &module](CEdEditCore& core) {
        return CEdSpellCheck::Run(module, core, *this, reinterpret_cast<void*>(winId())) != 0;
    });
}

void CEdEditView::ShowWord(STextPos, STextPos)
{
    // The run has selected the word in the core already.
    storeCore();
    viewport()->repaint();
}

void CEdEditView::Finished()
{
    storeCore();
    QMessageBox::information(this, QStringLiteral("WIspell"), tr("Spellchecking finished."));
}

// ---- Search target

void CEdEditView::ReportNotFound(std::u16string_view text) { showNotFoundMessage(this, text); }

void CEdEditView::Beep() { QApplication::beep(); }

// ---- Keys

bool CEdEditView::event(QEvent* event)
{
    // The edit keys win over the frame's shortcuts (Ctrl+Z, Ctrl+X, ...) while the view has the focus.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (m_incrementalSearch->isActive() || editCommandOfKey(KeyOfEvent(key)) != 0) {
            event->accept();
            return true;
        }
    }
    return CEdTextView::event(event);
}

void CEdEditView::keyPressEvent(QKeyEvent* event)
{
    if (m_incrementalSearch->isActive() && handleIncrementalKey(event)) {
        event->accept();
        return;
    }
    const int key = KeyOfEvent(event);
    if (const int id = editCommandOfKey(key)) {
        onCmdMsg(id);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            runCore([](CEdEditCore& core) { return core.Enter(); });
        event->accept();
        return;
    }
    CEdTextView::keyPressEvent(event);
    if (event->isAccepted())
        return;
    if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
        !event->text().isEmpty()) {
        typeText(event->text());
        event->accept();
    }
}

void CEdEditView::typeText(const QString& text)
{
    // No typing while a mouse button is held: the selection is being made.
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
        return;
    runCore([&text](CEdEditCore& core) {
        bool typed = false;
        for (const QChar ch : text) {
            if (ch.unicode() >= 32 && ch.unicode() != 127)
                typed = core.TypeChar(ch.unicode()) || typed;
        }
        return typed;
    });
}

// While an incremental search runs: its own two commands repeat it, Backspace and Escape go to
// it, characters extend the text, modifier keys alone change nothing and any other key ends it.
bool CEdEditView::handleIncrementalKey(QKeyEvent* event)
{
    if (isModifierKey(event->key()))
        return true;
    if (event->key() == Qt::Key_Backspace && event->modifiers() == Qt::NoModifier) {
        m_incrementalSearch->backspace();
        return true;
    }
    if (event->key() == Qt::Key_Escape) {
        m_incrementalSearch->escape();
        return true;
    }
    const QString text = event->text();
    if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !text.isEmpty() &&
        CEdIncrementalSearch::isPrintable(text.front().unicode())) {
        for (const QChar ch : text)
            m_incrementalSearch->typeChar(ch.unicode());
        return true;
    }
    if (const int id = m_incrementalKeys.value(KeyOfEvent(event), 0)) {
        onCmdMsg(id);
        return true;
    }
    m_incrementalSearch->finish();
    return true;
}

// ---- Mouse and drag and drop

void CEdEditView::mousePressEvent(QMouseEvent* event)
{
    if (m_incrementalSearch->isActive())
        m_incrementalSearch->finish();
    m_pressPoint = event->position().toPoint();
    CEdTextView::mousePressEvent(event);
}

void CEdEditView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_preparingToDrag && (event->buttons() & Qt::LeftButton)) {
        if ((event->position().toPoint() - m_pressPoint).manhattanLength() >= QApplication::startDragDistance())
            startDrag();
        return;
    }
    CEdTextView::mouseMoveEvent(event);
}

void CEdEditView::mouseReleaseEvent(QMouseEvent* event)
{
    // A click inside the selection that did not become a drag places the caret.
    if (event->button() == Qt::LeftButton && m_preparingToDrag && TextBuffer()) {
        const STextPos pos = ClientToText(event->position().toPoint());
        MoveCaretTo(pos);
        CEdTextView::EnsureVisible(pos);
    }
    CEdTextView::mouseReleaseEvent(event);
}

void CEdEditView::startDrag()
{
    m_preparingToDrag = false;
    if (!m_core)
        return;
    loadCore();
    const std::u16string text = m_core->BeginDrag();
    if (text.empty())
        return;
    auto* mime = new QMimeData;
    mime->setText(toQString(text));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    const Qt::DropAction action = RunDrag(*drag);
    drag->deleteLater();
    if (m_core) {
        m_core->EndDrag(action == Qt::MoveAction);
        storeCore();
    }
}

Qt::DropAction CEdEditView::RunDrag(QDrag& drag) { return drag.exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction); }

Qt::DropAction CEdEditView::dropActionOf(const QDropEvent& event) const
{
    return (event.modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
}

void CEdEditView::dragEnterEvent(QDragEnterEvent* event)
{
    if (!IsEditable() || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    event->setDropAction(dropActionOf(*event));
    event->accept();
}

void CEdEditView::dragMoveEvent(QDragMoveEvent* event)
{
    if (!IsEditable() || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    event->setDropAction(dropActionOf(*event));
    event->accept();
}

void CEdEditView::dropEvent(QDropEvent* event)
{
    if (!IsEditable() || !m_core || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    const STextPos pos = ClientToText(event->position().toPoint());
    const std::u16string text = toU16String(event->mimeData()->text());
    setFocus(Qt::MouseFocusReason);
    runCore([&](CEdEditCore& core) { return core.Drop(pos, text); });
    event->setDropAction(dropActionOf(*event));
    event->accept();
}

}  // namespace brindle
