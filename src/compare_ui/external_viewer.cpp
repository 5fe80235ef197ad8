#include "compare_ui/external_viewer.h"

#include "framework/doc_template.h"
#include "framework/document.h"
#include "framework/mdi_child_wnd.h"
#include "framework/position_target.h"
#include "framework/qt_utf16.h"
#include "framework/template_positions.h"
#include "framework/view.h"
#include "framework/win_app.h"
#include "platform/command_arguments.h"
#include "platform/file_system.h"
#include "platform/profile.h"
#include "platform/settings_names.h"
#include "platform/start_program.h"

#include <algorithm>
#include <array>

namespace brindle {

namespace {

bool isWhiteSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

std::u16string_view trimmed(std::u16string_view text)
{
    while (!text.empty() && isWhiteSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isWhiteSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

char16_t asciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

// needle is upper case.
std::size_t findIgnoringCase(std::u16string_view text, std::u16string_view needle)
{
    for (std::size_t i = 0; i + needle.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < needle.size() && asciiUpper(text[i + k]) == needle[k])
            ++k;
        if (k == needle.size())
            return i;
    }
    return std::u16string_view::npos;
}

// A word of the argument list while placeholders are put in: runs of template text, which may
// still hold placeholders, and runs of put-in values, which are never searched again.
struct SRun {
    std::u16string text;
    bool fromTemplate;
};
using RunWord = std::vector<SRun>;

bool replaceFirst(std::vector<RunWord>& words, std::u16string_view placeholder, const std::u16string& value)
{
    for (RunWord& word : words) {
        for (std::size_t r = 0; r < word.size(); ++r) {
            if (!word[r].fromTemplate)
                continue;
            const std::size_t at = findIgnoringCase(word[r].text, placeholder);
            if (at == std::u16string::npos)
                continue;
            SRun after{word[r].text.substr(at + placeholder.size()), true};
            word[r].text.resize(at);
            word.insert(word.begin() + static_cast<std::ptrdiff_t>(r) + 1, {SRun{value, false}, std::move(after)});
            return true;
        }
    }
    return false;
}

std::u16string number(std::int64_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// The document first, then the frame's active view, then any view.
CPositionTarget* positionTarget(CDocument& document)
{
    if (auto* target = dynamic_cast<CPositionTarget*>(&document))
        return target;
    if (CMDIChildWnd* frame = document.firstFrame()) {
        if (auto* target = dynamic_cast<CPositionTarget*>(frame->activeView()))
            return target;
    }
    for (CView* view : document.views()) {
        if (auto* target = dynamic_cast<CPositionTarget*>(view))
            return target;
    }
    return nullptr;
}

}  // namespace

SViewerCommand splitViewerTemplate(std::u16string_view viewerTemplate)
{
    const std::u16string_view text = trimmed(viewerTemplate);
    const std::size_t close = text.empty() || text.front() != u'"' ? std::u16string_view::npos : text.find(u'"', 1);
    const std::size_t exe = findIgnoringCase(text, u".EXE");
    std::u16string_view program;
    std::u16string_view rest;
    if (close != std::u16string_view::npos) {
        // Quoted first: a ".exe" inside or after the quotes must not cut the program name.
        program = text.substr(1, close - 1);
        rest = text.substr(close + 1);
    } else if (exe != std::u16string_view::npos) {
        std::size_t end = exe + 4;
        // Also when the quote ends the template: left behind it would be an argument of its own.
        if (end < text.size() && text[end] == u'"')
            ++end;
        program = text.substr(0, end);
        rest = text.substr(end);
        if (!program.empty() && program.front() == u'"')
            program.remove_prefix(1);
        if (!program.empty() && program.back() == u'"')
            program.remove_suffix(1);
    } else {
        // Program names here rarely end in ".exe": without quotes the first word names the program.
        std::size_t end = 0;
        while (end < text.size() && text[end] != u' ' && text[end] != u'\t')
            ++end;
        program = text.substr(0, end);
        rest = text.substr(end);
    }
    return {std::u16string(program), std::u16string(trimmed(rest))};
}

std::vector<std::u16string> viewerArguments(std::u16string_view argumentText, const SViewerPlace& place)
{
    std::vector<RunWord> words;
    for (std::u16string& word : splitCommandArguments(argumentText))
        words.push_back({SRun{std::move(word), true}});
    const std::array<std::pair<std::u16string_view, std::u16string>, 5> placeholders{{
        {u"%PATH%", place.path},
        {u"%LINE%", number(place.position)},
        {u"%START%", number(place.position)},
        {u"%LENGTH%", number(place.length)},
        {u"%END%", number(place.position + place.length)},
    }};
    for (const auto& [placeholder, value] : placeholders)
        replaceFirst(words, placeholder, value);
    std::vector<std::u16string> arguments;
    for (const RunWord& word : words) {
        std::u16string& argument = arguments.emplace_back();
        for (const SRun& run : word)
            argument += run.text;
    }
    return arguments;
}

bool openInViewer(const QString& path, std::int64_t position, bool binary, bool controlHeld)
{
    const std::int64_t length = binary ? 1 : 0;
    CWinApp* app = CWinApp::instance();
    const std::u16string viewerTemplate =
        app ? app->profile().readString(kSettingsSection, binary ? kHexViewerValue : kTextViewerValue)
            : std::u16string();
    if (controlHeld || trimmed(viewerTemplate).empty())
        return openInInternalViewer(path, position, length, binary);
    const SViewerCommand command = splitViewerTemplate(viewerTemplate);
    // A viewer that cannot be started fails silently, as a double click has no place for a message.
    startProgram(command.program, viewerArguments(command.arguments, {toU16String(path), position, length}));
    return true;
}

bool openInInternalViewer(const QString& path, std::int64_t position, std::int64_t length, bool binary)
{
    CWinApp* app = CWinApp::instance();
    CDocTemplate* docTemplate = app ? app->docTemplateAt(binary ? kHexViewTemplate : kTextEditorTemplate) : nullptr;
    if (!docTemplate)
        return false;
    CDocument* document = docTemplate->openOrActivateDocument(path);
    if (!document)
        return true;
    if (CPositionTarget* target = positionTarget(*document)) {
        if (binary)
            target->selectBytes(position, length);
        else
            target->goToLine(std::max<std::int64_t>(position - 1, 0));  // the editor counts lines from 0
    }
    return true;
}

}  // namespace brindle
