// Keeping the unsaved edits of a document that is closed without asking, and telling the user
// where earlier output files went.
#pragma once

#include "engine/byte_sink.h"

#include <QString>

#include <vector>

namespace brindle {

class CDocument;

// Where the unsaved content of file goes: file + ".unsaved", then ".unsaved.1", ".unsaved.2", ...
// for the first name that does not exist yet, in file's folder when that is writable, else in the
// user's data folder (under "brindle/recovered"). An empty file name gives a name in the data
// folder.
QString recoveryPathFor(const QString& file);

// When document is modified, writes its content to recoveryPathFor(its path), or when that fails
// to a name in the data folder, and returns the path written; empty when there was nothing to
// keep or it could not be written anywhere.
QString keepUnsavedEdits(CDocument& document);

// One line per file a comparison kept as NAME.~N~ before writing over it; empty for none.
QString keptBackupsMessage(const std::vector<SKeptBackup>& backups);

}  // namespace brindle
