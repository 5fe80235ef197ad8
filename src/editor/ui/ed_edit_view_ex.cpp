#include "editor/ui/ed_edit_view_ex.h"

#include "editor/ed_parser.h"

namespace brindle {

CEdEditViewEx::CEdEditViewEx(QWidget* parent) : CEdEditView(parent) {}

std::uint32_t CEdEditViewEx::ParseLineEx(std::uint32_t state, int line, std::vector<SColourBlock>* blocks)
{
    if (!m_parser || !TextBuffer() || line < 0 || line >= TextBuffer()->LineCount())
        return 0;
    return m_parser->ColourLine(state, TextBuffer()->LineText(line), blocks);
}

}  // namespace brindle
