// The open and save file dialogs of the program, and filters in the platform's list form.
#pragma once

#include <QString>

class QWidget;

namespace brindle {

// A filter in the platform's list form ("All Files|*.*||": description, patterns, ...) as Qt name
// filters joined by ";;" ("All Files (*)"). "*.*" means every file there, so it becomes "*", which
// also shows names without a dot (Makefile, README).
QString qtNameFilters(const QString& filter);

// The filter name of a document template's strings ("All Files (*.*)": the patterns in brackets)
// in the platform's list form ("All Files|*.*||"); empty, meaning every file, when it names none.
QString templateFilter(const QString& filterName);

// Open-file dialog for an existing file, starting in startName's folder with its name proposed;
// empty when cancelled. filter is in the platform's list form.
QString promptOpenFileName(QWidget* parent, const QString& startName, const QString& filter);
// Save-file dialog proposing proposedName (its folder and name), adding defaultSuffix to a name
// without one; empty when cancelled. The dialog asks before it names an existing file.
QString promptSaveFileName(QWidget* parent, const QString& proposedName, const QString& defaultSuffix,
                           const QString& filter);

}  // namespace brindle
