// What a document or view offers so that another window can show a place in its file.
#pragma once

#include <cstdint>

namespace brindle {

// Mixed into the document or view class of an editor (`class CTextView : public QWidget, public
// CView, public CPositionTarget`). Whoever opens a file at a place (the report panes' viewer)
// looks for this interface on the document first, then on its views, and calls it after the
// file is open and its frame active. An editor overrides what it can show; the rest does nothing.
class CPositionTarget {
public:
    virtual ~CPositionTarget() = default;

    // Moves the caret to the start of line `line`, counted from 0, and scrolls it into view. A
    // line past the end goes to the last line.
    virtual void goToLine(std::int64_t line) { static_cast<void>(line); }
    // Selects `length` bytes from byte `offset` (counted from 0) and scrolls them into view;
    // length 0 only moves the caret there.
    virtual void selectBytes(std::int64_t offset, std::int64_t length)
    {
        static_cast<void>(offset);
        static_cast<void>(length);
    }
};

}  // namespace brindle
