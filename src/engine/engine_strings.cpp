#include "engine/engine_strings.h"

namespace brindle {

namespace {

StringLoader g_loader = nullptr;

std::u16string builtIn(int id)
{
    switch (id) {
    case kStrBinaryComparison: return u"Binary Comparison of Files";
    case kStrCreatingReport: return u"Creating Report";
    case kStrComparisonResults: return u"Comparison Results";
    case kStrMissing: return u"missing";
    case kStrUndoAction: return u"&Undo %s\tCtrl+Z";
    case kStrRedoAction: return u"&Redo %s\tCtrl+Y";
    case kStrUndo: return u"&Undo\tCtrl+Z";
    case kStrRedo: return u"&Redo\tCtrl+Y";
    default: return {};
    }
}

}  // namespace

void setStringLoader(StringLoader loader) { g_loader = loader; }

std::u16string engineString(int id)
{
    if (g_loader) {
        std::u16string text = g_loader(id);
        if (!text.empty())
            return text;
    }
    return builtIn(id);
}

}  // namespace brindle
