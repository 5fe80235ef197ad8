#include "engine/settings_file_warning.h"

#include "platform/settings_store.h"
#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using ERefusal = SSettingsFileReport::ERefusal;

// The texts brd64 and brdcmp show at start are tested through their doors; these are the cases
// those do not reach.
TEST(SettingsFileWarning, CasesTheProgramsDoNotReach)
{
    struct SCase {
        const char* name;
        SSettingsFileReport report;
        std::u16string text;
    };
    const SCase cases[] = {
        {"NoCopy",
         {u"/c/user.reg", 2, u"", ERefusal::None, "No space left on device", ""},
         u"The settings file /c/user.reg is damaged: 2 lines could not be read and were skipped. All other "
         u"settings were kept.|No copy of the damaged file could be made (No space left on device), so it will "
         u"not be written over."},
        {"Unreadable",
         {u"/c/user.reg", 0, u"", ERefusal::Unreadable, "Permission denied", ""},
         u"The settings file /c/user.reg could not be read (Permission denied). Default settings are used, and "
         u"the file will not be written over."},
        // Markers in a path are the path's own.
        {"MarkersInThePath",
         {u"/c/%2%1/user.reg", 3, u"/c/%1.bad", ERefusal::None, "", ""},
         u"The settings file /c/%2%1/user.reg is damaged: 3 lines could not be read and were skipped. All other "
         u"settings were kept.|The damaged file was copied to /c/%1.bad."},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(u8(settingsFileWarning(c.report, u"|")), u8(c.text)) << c.name;
}

// A write that failed names the file and the system's reason; none failed, nothing is said.
TEST(SettingsFileWarning, WriteWarningNamesTheFileAndTheReason)
{
    SSettingsFileReport report;
    report.path = u"/c/%2/user.reg";
    EXPECT_EQ(u8(settingsWriteWarning(report)), "");
    report.writeError = "No space left on device";
    EXPECT_EQ(u8(settingsWriteWarning(report)),
              "The settings file /c/%2/user.reg could not be written (No space left on device). Settings changed in "
              "this session are not saved.");
}

}  // namespace
}  // namespace brindle
