// The character-set conversion command of an edit view: converts the selected text in place.
#pragma once

#include <string>

namespace brindle {

class CCodePage;
class CEdSearchTarget;

// The selected text of the view, lines joined by "\r\n"; empty without a selection or buffer.
std::u16string SelectedText(CEdSearchTarget& target);

// Converts the selection from sourceSet to destinationSet (RecodeText) as one undo group of
// action CEdTextBuffer::Recode and selects the converted text. The caret keeps its position when
// that still lies in the text, else goes to column 0 of its line. codePage is the page the
// buffer's text was read with (nullptr: each unit is its own 8-bit code). Returns kRecodeOk or
// the RecodeResult of the failure, which leaves text and selection as they were; a view that does
// not edit, or has no selection, gets kRecodeRefused.
int RecodeSelection(CEdSearchTarget& target, int sourceSet, int destinationSet, bool alphabetOnly,
                    const CCodePage* codePage = nullptr);

}  // namespace brindle
