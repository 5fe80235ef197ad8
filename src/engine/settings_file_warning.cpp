#include "engine/settings_file_warning.h"

#include "engine/engine_strings.h"
#include "platform/fill_template.h"
#include "platform/settings_store.h"
#include "platform/utf8.h"

#include <initializer_list>
#include <iostream>

namespace brindle {

namespace {

std::u16string filledIn(int id, std::initializer_list<std::u16string_view> arguments)
{
    return fillTemplate(engineString(id), arguments);
}

std::u16string refusalWarning(const SSettingsFileReport& report)
{
    using ERefusal = SSettingsFileReport::ERefusal;
    switch (report.refusal) {
    case ERefusal::NotOrdinaryFile: return filledIn(kStrSettingsNotOrdinary, {report.path});
    case ERefusal::TooLarge: return filledIn(kStrSettingsTooLarge, {report.path});
    case ERefusal::Unreadable: return filledIn(kStrSettingsUnreadable, {report.path, u16(report.error)});
    case ERefusal::None: break;
    }
    return {};
}

}  // namespace

std::u16string settingsFileWarning(const SSettingsFileReport& report, std::u16string_view separator)
{
    if (report.refusal != SSettingsFileReport::ERefusal::None)
        return refusalWarning(report);
    if (!report.damaged())
        return {};
    std::u16string text = report.skippedLines == 1 ? filledIn(kStrSettingsLineSkipped, {report.path})
                                                   : filledIn(kStrSettingsLinesSkipped,
                                                              {report.path, u16(std::to_string(report.skippedLines))});
    text += separator;
    text += report.copyPath.empty() ? filledIn(kStrSettingsNotCopied, {u16(report.error)})
                                    : filledIn(kStrSettingsCopied, {report.copyPath});
    return text;
}

std::u16string settingsWriteWarning(const SSettingsFileReport& report)
{
    if (report.writeError.empty())
        return {};
    return filledIn(kStrSettingsUnwritable, {report.path, u16(report.writeError)});
}

void printSettingsWriteWarning(const SSettingsFileReport& report)
{
    if (const std::u16string warning = settingsWriteWarning(report); !warning.empty())
        std::cerr << u8(warning) << std::endl;
}

}  // namespace brindle
