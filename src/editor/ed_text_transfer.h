// Line ends of text exchanged with other programs (clipboard, drag and drop).
#pragma once

#include <string>
#include <string_view>

namespace brindle {

// Text coming in from another program, made ready for CEdTextBuffer::InsertTextAt: every LF and
// every lone CR becomes CR LF, existing CR LF pairs stay. The buffer breaks lines only at CR, so
// without this a pasted paragraph with LF line ends would stay one line.
std::u16string EdTextFromExternal(std::u16string_view text);

// Text going out to another program: every CR LF becomes LF. A CR without LF and a LF inside a
// line are left alone.
std::u16string EdTextToExternal(std::u16string_view text);

}  // namespace brindle
