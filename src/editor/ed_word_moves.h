// Word-left and word-right movement over the editor's lines (Ctrl+Left, Ctrl+Right, and the
// ranges Ctrl+Backspace and Ctrl+Delete remove).
#pragma once

#include "editor/text_pos.h"

namespace brindle {

class CEdTextBuffer;

// Characters fall into three classes: blanks (space, tab), word characters (isEdWordChar) and
// the rest. Word right: at a line end, the start of the next line (pos itself on the last line);
// otherwise past the run of the class under pos, then past the blanks after it. Word left: at
// column 0, the end of the previous line (pos itself on the first line); otherwise back over
// blanks, then back over the run of the class before that. pos must lie in the text.
STextPos EdWordRight(const CEdTextBuffer& buffer, STextPos pos);
STextPos EdWordLeft(const CEdTextBuffer& buffer, STextPos pos);

}  // namespace brindle
