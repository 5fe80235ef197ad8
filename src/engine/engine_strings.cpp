#include "engine/engine_strings.h"

#include "platform/fill_template.h"

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
    case kStrSettingsLineSkipped:
        return u"The settings file %1 is damaged: one line could not be read and was skipped. All other settings were "
               u"kept.";
    case kStrSettingsLinesSkipped:
        return u"The settings file %1 is damaged: %2 lines could not be read and were skipped. All other settings were "
               u"kept.";
    case kStrSettingsCopied: return u"The damaged file was copied to %1.";
    case kStrSettingsNotCopied:
        return u"No copy of the damaged file could be made (%1), so it will not be written over.";
    case kStrSettingsNotOrdinary:
        return u"The settings file %1 was not read, because it is not an ordinary file. Default settings are used, and "
               u"the file will not be written over.";
    case kStrSettingsTooLarge:
        return u"The settings file %1 was not read, because it is larger than 16 MiB. Default settings are used, and "
               u"the file will not be written over.";
    case kStrSettingsUnreadable:
        return u"The settings file %1 could not be read (%2). Default settings are used, and the file will not be "
               u"written over.";
    case kStrSettingsUnwritable:
        return u"The settings file %1 could not be written (%2). Settings changed in this session are not saved.";
    case kStrCannotOpen: return u"Cannot open %1: %2";
    case kStrIsAFolder: return u"%1 is a folder, not a file";
    case kStrNotAnOrdinaryFile: return u"%1 is not an ordinary file";
    case kStrCannotRead: return u"Cannot read %1: %2";
    case kStrNotEnoughMemory: return u"Not enough memory to compare the files.";
    case kStrComparisonTooLarge:
        return u"Comparing %1 and %2 needs about %3 of memory, but only %4 is available. Close other programs, or "
               u"compare smaller files.";
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

std::u16string engineString(int id, std::initializer_list<std::u16string_view> arguments)
{
    return fillTemplate(engineString(id), arguments);
}

}  // namespace brindle
