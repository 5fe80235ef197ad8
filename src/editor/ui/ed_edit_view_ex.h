// The edit view that can carry a parser object (CEdParser) beside its text type's parser.
#pragma once

#include "editor/ui/ed_edit_view.h"

namespace brindle {

class CEdParser;

// Views that colour lines with an object of their own derive from this class and attach the
// object (not owned; it must outlive the attachment, or be detached with nullptr first).
class CEdEditViewEx : public CEdEditView {
    Q_OBJECT
public:
    explicit CEdEditViewEx(QWidget* parent = nullptr);

    void SetParser(CEdParser* parser) { m_parser = parser; }
    CEdParser* Parser() const { return m_parser; }
    // The attached parser on one line: blocks may be nullptr; 0 and no blocks without a parser.
    virtual std::uint32_t ParseLineEx(std::uint32_t state, int line, std::vector<SColourBlock>* blocks);

private:
    CEdParser* m_parser = nullptr;
};

}  // namespace brindle
