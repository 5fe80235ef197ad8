// Checking a binary Qt resource file (a language module) before it is registered.
#pragma once

#include <QByteArrayView>

namespace brindle {

// True when data is a binary resource file (rcc format versions 1 to 3) whose every tree node,
// name and data block reachable from the root lies within data. Qt trusts these offsets when it
// looks files up, so a file cut short or damaged would make it read past the end.
bool isWellFormedResourceFile(QByteArrayView data);

}  // namespace brindle
