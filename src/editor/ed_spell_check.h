// The spelling hook of the edit view: the outside checker module and one check run over a view.
#pragma once

#include "editor/ed_spell_record.h"
#include "editor/text_pos.h"

#include "platform/shared_library.h"

#include <memory>
#include <string>
#include <string_view>

namespace brindle {

class CEdEditCore;

// The checker module "libwispell.so" beside the program. Once loaded it stays loaded, and its
// SpellInit has been called once with the module's record; the program shares one module
// between all views (Shared()). SpellConfig is looked up but not called.
class CEdSpellModule {
public:
    static constexpr std::u16string_view kFileName = u"libwispell.so";

    CEdSpellModule();
    ~CEdSpellModule();
    CEdSpellModule(const CEdSpellModule&) = delete;
    CEdSpellModule& operator=(const CEdSpellModule&) = delete;

    // The program-wide module.
    static CEdSpellModule& Shared();

    // Loads kFileName from directory ("/" added when missing) unless already loaded. False when
    // the library cannot be loaded or lacks one of the three exports; Error() then says why and
    // a later call tries again.
    bool Load(std::u16string_view directory);
    bool IsLoaded() const { return m_check != nullptr; }
    const std::string& Error() const { return m_error; }
    // The text the command shows when loading fails: Error loading "libwispell.so".
    static std::u16string LoadFailedMessage();

    SEdSpellRecord& Record() { return *m_record; }
    // Calls SpellCheck; 0 when the module is not loaded.
    std::int32_t Check(std::int32_t flags);

private:
    CSharedLibrary m_library;
    std::unique_ptr<SEdSpellRecord> m_record;
    EdSpellCheckFunction m_check = nullptr;
    std::string m_error;
};

// What a check run asks of the view beyond the editing itself.
class CEdSpellClient {
public:
    virtual ~CEdSpellClient() = default;
    // The word from start to end (one line) is selected; scroll it into view.
    virtual void ShowWord(STextPos start, STextPos end) = 0;
    // The checker finished: show "Spellchecking finished." titled "WIspell".
    virtual void Finished() = 0;
};

// One spelling check (32800) of a view, from the caret line on. Corrections are recorded as
// Spelling in one undo group; a cancelled run (result 2) undoes the group. The caret returns to
// where it was when the checker reports that it finished, and after a cancel.
class CEdSpellCheck {
public:
    // The command is enabled while the module is loaded and the caret is not on the last line.
    static bool CanRun(const CEdSpellModule& module, const CEdEditCore& core);
    // Runs the checker; returns its result (0 when the module is not loaded or the buffer not
    // editable).
    static std::int32_t Run(CEdSpellModule& module, CEdEditCore& core, CEdSpellClient& client,
                            void* ownerWindow = nullptr);

private:
    CEdSpellCheck(CEdEditCore& core, CEdSpellClient& client);

    static std::int32_t supplyLine(SEdSpellRecord* record);
    static void onEvent(SEdSpellRecord* record, std::int32_t code);
    void showWord(SEdSpellRecord& record);

    CEdEditCore& m_core;
    CEdSpellClient& m_client;
    STextPos m_savedCaret;
    std::u16string m_lineText;
    std::u16string m_word;
};

}  // namespace brindle
