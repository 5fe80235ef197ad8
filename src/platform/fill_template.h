// Filling the placeholders of a message template from the string table.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace brindle {

// The texts of the string table are templates in two styles: printf's ("%s", "%d") and numbered
// ("%1" to "%9"). Both are filled here, in one pass, so that an argument that itself holds a
// placeholder (a path with "%2" in it) is never filled in again:
//   - "%1" to "%9" take that argument;
//   - "%s" and "%d" take the next argument not yet taken by a "%s" or "%d";
//   - "%%" is one "%";
// A placeholder without an argument, and any other "%", stay as they are. Numbers are passed as
// text, already formatted.
std::u16string fillTemplate(std::u16string_view format, std::initializer_list<std::u16string_view> arguments);

}  // namespace brindle
