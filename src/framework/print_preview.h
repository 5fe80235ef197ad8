// The print preview of the editors and the hex view, which keeps how many pages it shows.
#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace brindle {

// Shows the toolkit's print preview of what paint draws on printer, modal over parent. It opens
// with one page or two side by side as "PreviewPages" in "Settings" says (1 by default) and
// keeps the choice the user leaves it with.
void showPrintPreview(QPrinter& printer, QWidget* parent, const std::function<void(QPrinter*)>& paint);

}  // namespace brindle
