// The record the edit view shares with the outside spelling checker, and the checker's exports.
// Plain C layout only: the checker module includes this header too.
#pragma once

#include <cstddef>
#include <cstdint>

namespace brindle {

struct SEdSpellRecord;

// Supplies the next line to check: sets lineText to "^" + line + "\n" ("^ \n" for an empty
// line) and returns its length, or 0 with an empty text after the last line.
using EdSpellLineSupplier = std::int32_t (*)(SEdSpellRecord* record);
// Tells the view about an event: 1 show the word, 2 replace the selection with the word,
// 3 the check is finished.
using EdSpellEventCallback = void (*)(SEdSpellRecord* record, std::int32_t code);

// The shared record. The first 0x670 bytes belong to the checker, which fills them in
// SpellInit; the fields after them are the view's and the checker's meeting place. Texts are
// terminated UTF-16.
struct SEdSpellRecord {
    unsigned char checkerArea[0x670];
    void* ownerWindow;         // 0x670 window for the checker's dialogs
    const char16_t* word;      // 0x678 set by the checker for events 1 and 2
    const char16_t* lineText;  // 0x680 set by the line supplier
    unsigned char reserved688[8];
    std::int32_t column;  // 0x690 the word's column, 1-based
    std::int32_t line;    // 0x694 first line to check (0-based) at the start; after a
                          //       line was supplied, the 1-based number of that line
    unsigned char reserved698[8];
    void* view;                          // 0x6A0 the checking view's context
    EdSpellLineSupplier lineSupplier;    // 0x6A8
    EdSpellEventCallback eventCallback;  // 0x6B0
    unsigned char reserved6B8[0x48];
};

static_assert(offsetof(SEdSpellRecord, ownerWindow) == 0x670);
static_assert(offsetof(SEdSpellRecord, word) == 0x678);
static_assert(offsetof(SEdSpellRecord, lineText) == 0x680);
static_assert(offsetof(SEdSpellRecord, column) == 0x690);
static_assert(offsetof(SEdSpellRecord, line) == 0x694);
static_assert(offsetof(SEdSpellRecord, view) == 0x6A0);
static_assert(offsetof(SEdSpellRecord, lineSupplier) == 0x6A8);
static_assert(offsetof(SEdSpellRecord, eventCallback) == 0x6B0);

// The checker's exports, found by these plain names (C linkage).
using EdSpellInitFunction = void (*)(SEdSpellRecord* record);                               // "SpellInit"
using EdSpellCheckFunction = std::int32_t (*)(SEdSpellRecord* record, std::int32_t flags);  // "SpellCheck"
using EdSpellConfigFunction = std::int32_t (*)(SEdSpellRecord* record);                     // "SpellConfig"

// SpellCheck's result when the user cancelled: every correction of the run is reverted.
inline constexpr std::int32_t kEdSpellCancelled = 2;

}  // namespace brindle
