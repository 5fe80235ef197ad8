// Opening the file of a report pane at the clicked place: in the configured viewer program or in
// the program's own text editor or hex view.
#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

// A viewer template taken apart: the program and the argument text (trimmed of white space).
struct SViewerCommand {
    std::u16string program;
    std::u16string arguments;
};

// Splits a template (trimmed of white space first) into program and argument text, keeping the
// letter case of both:
// - When it begins with a double quote and has a second one, the program is the text between the
//   two and the arguments follow the second.
// - Otherwise, when it contains ".exe" in any letter case, the program ends after the first
//   ".exe" and a double quote right after it; a double quote at its start and end is dropped.
// - Otherwise the program is the first word (up to the first blank or tab) and the rest are the
//   arguments: a program name with a blank has to be quoted.
SViewerCommand splitViewerTemplate(std::u16string_view viewerTemplate);

// The place the viewer is to show.
struct SViewerPlace {
    std::u16string path;        // the file, as stored
    std::int64_t position = 0;  // line index counted from 0 (text) or byte offset (binary)
    std::int64_t length = 0;    // 0 for text, 1 for binary
};

// The argument list for argumentText: split into words as a shell splits them
// (splitCommandArguments; nothing is expanded), then "%PATH%", "%LINE%", "%START%", "%LENGTH%" and
// "%END%" are each replaced at their first occurrence, in that order, by the path, the position,
// the position, the length and position + length. Placeholders are recognised without regard to
// case, after quote removal, and inside a word; text put in for one placeholder is never searched
// for another, so a path stays one argument exactly as it is, whatever it contains.
std::vector<std::u16string> viewerArguments(std::u16string_view argumentText, const SViewerPlace& place);

// Opens path at position (reportLinePosition(): a line index counted from 0 for text, a byte
// offset for binary), as a double click in a report pane does; controlHeld tells whether Ctrl is
// down. Reads the template of the comparison kind from the application's profile; when it is
// empty or blank, or controlHeld, opens the internal viewer.
// Otherwise starts the template's program directly (never through a shell) with
// viewerArguments(); a program that cannot be started fails silently. Returns true when the click
// was handled (always, except when the internal viewer is wanted and there is no application or
// template to open it with).
bool openInViewer(const QString& path, std::int64_t position, bool binary, bool controlHeld);

// The internal viewer: opens path in the hex view (binary; template position 2) or the plain text
// editor (template position 3) of the application, reusing a document already open for the same
// file and activating its frame, then asks the document, or else one of its views, to select
// `length` bytes from offset position (binary) or to go to line position (text) when it offers
// CPositionTarget (a text position is a line index counted from 0).
// A file that cannot be opened shows the template's open-failure message.
// False when there is no application or no such template.
bool openInInternalViewer(const QString& path, std::int64_t position, std::int64_t length, bool binary);

}  // namespace brindle
