#include "engine/text_file_base.h"

#include "platform/code_page.h"

namespace brindle {

CTextFileBase::~CTextFileBase() = default;

const CCodePage& CTextFileBase::codePage() const
{
    const CCodePage* page = CCodePage::byNumber(m_codePage);
    return page ? *page : CCodePage::ansi();
}

}  // namespace brindle
