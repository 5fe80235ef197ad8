// The spelling hook of the edit view.
#include "editor/ed_spell_check.h"

#include "editor/ed_edit_core.h"

#include <algorithm>
#include <cstring>

namespace brindle {

CEdSpellModule::CEdSpellModule() : m_record(std::make_unique<SEdSpellRecord>())
{
    std::memset(m_record.get(), 0, sizeof(SEdSpellRecord));
}

CEdSpellModule::~CEdSpellModule() = default;

CEdSpellModule& CEdSpellModule::Shared()
{
    // Never destroyed: the checker may hold on to the record until the process ends.
    static CEdSpellModule* module = new CEdSpellModule;
    return *module;
}

bool CEdSpellModule::Load(std::u16string_view directory)
{
    if (IsLoaded())
        return true;
    std::u16string path(directory);
    if (!path.empty() && path.back() != u'/')
        path += u'/';
    path += kFileName;
    CSharedLibrary library;
    if (!library.load(path)) {
        m_error = library.error();
        return false;
    }
    const auto init = library.function<EdSpellInitFunction>("SpellInit");
    const auto check = library.function<EdSpellCheckFunction>("SpellCheck");
    const auto config = library.function<EdSpellConfigFunction>("SpellConfig");
    if (!init || !check || !config) {
        m_error = library.error();
        return false;
    }
    m_library = std::move(library);
    m_check = check;
    m_error.clear();
    init(m_record.get());
    return true;
}

std::u16string CEdSpellModule::LoadFailedMessage()
{
    std::u16string text = u"Error loading \"";
    text += kFileName;
    text += u"\".";
    return text;
}

std::int32_t CEdSpellModule::Check(std::int32_t flags) { return m_check ? m_check(m_record.get(), flags) : 0; }

CEdSpellCheck::CEdSpellCheck(CEdEditCore& core, CEdSpellClient& client)
    : m_core(core), m_client(client), m_savedCaret(core.Caret())
{
}

bool CEdSpellCheck::CanRun(const CEdSpellModule& module, const CEdEditCore& core)
{
    return module.IsLoaded() && core.Caret().line < core.Buffer().LineCount() - 1;
}

std::int32_t CEdSpellCheck::Run(CEdSpellModule& module, CEdEditCore& core, CEdSpellClient& client, void* ownerWindow)
{
    CEdTextBuffer& buffer = core.Buffer();
    if (!module.IsLoaded() || !core.IsEditable() || buffer.LineCount() == 0)
        return 0;
    CEdSpellCheck check(core, client);
    SEdSpellRecord& record = module.Record();
    record.ownerWindow = ownerWindow;
    record.line = core.Caret().line;
    record.view = &check;
    record.lineSupplier = &CEdSpellCheck::supplyLine;
    record.eventCallback = &CEdSpellCheck::onEvent;
    record.word = nullptr;
    record.lineText = nullptr;

    const std::int32_t before = buffer.UndoPosition();
    buffer.OpenUndoGroup(false);
    const std::int32_t result = module.Check(0);
    buffer.CloseUndoGroup();
    record.view = nullptr;
    // Undoing when the run changed nothing would take back the user's previous edit instead.
    if (result == kEdSpellCancelled) {
        if (buffer.UndoPosition() != before) {
            STextPos cursor;
            buffer.Undo(cursor);
        }
        const std::int32_t line = std::min(check.m_savedCaret.line, buffer.LineCount() - 1);
        core.SetCaret(STextPos{std::min(check.m_savedCaret.ch, buffer.LineLength(line)), line});
    }
    return result;
}

std::int32_t CEdSpellCheck::supplyLine(SEdSpellRecord* record)
{
    auto& check = *static_cast<CEdSpellCheck*>(record->view);
    const CEdTextBuffer& buffer = check.m_core.Buffer();
    check.m_lineText.clear();
    if (record->line < 0 || record->line >= buffer.LineCount()) {
        record->lineText = check.m_lineText.c_str();
        return 0;
    }
    const std::u16string_view line = buffer.LineText(record->line);
    // Built with append only: assigning a literal first trips a false overlap warning of GCC 12.
    const std::u16string_view body = line.empty() ? std::u16string_view(u" ") : line;
    check.m_lineText.reserve(body.size() + 2);
    check.m_lineText.push_back(u'^');
    check.m_lineText.append(body);
    check.m_lineText.push_back(u'\n');
    record->lineText = check.m_lineText.c_str();
    ++record->line;
    return static_cast<std::int32_t>(check.m_lineText.size());
}

void CEdSpellCheck::onEvent(SEdSpellRecord* record, std::int32_t code)
{
    auto& check = *static_cast<CEdSpellCheck*>(record->view);
    switch (code) {
    case 1: check.showWord(*record); break;
    case 2:
        check.m_word = record->word ? std::u16string(record->word) : std::u16string();
        check.m_core.ReplaceSelection(check.m_word, CEdTextBuffer::Spelling);
        break;
    case 3: {
        const CEdTextBuffer& buffer = check.m_core.Buffer();
        const std::int32_t line = std::min(check.m_savedCaret.line, buffer.LineCount() - 1);
        check.m_core.SetCaret(STextPos{std::min(check.m_savedCaret.ch, buffer.LineLength(line)), line});
        check.m_client.Finished();
        break;
    }
    default: break;
    }
}

void CEdSpellCheck::showWord(SEdSpellRecord& record)
{
    const CEdTextBuffer& buffer = m_core.Buffer();
    const std::int32_t line = record.line - 1;
    if (line < 0 || line >= buffer.LineCount())
        return;
    const auto length = static_cast<std::int32_t>(record.word ? std::u16string_view(record.word).size() : 0);
    const std::int32_t lineLength = buffer.LineLength(line);
    std::int32_t start = record.column - 1;
    if (start + length > lineLength)
        --start;
    start = std::clamp(start, 0, lineLength);
    const STextPos from{start, line};
    const STextPos to{std::min(start + length, lineLength), line};
    m_core.SetSelection(from, to);
    m_client.ShowWord(from, to);
}

}  // namespace brindle
