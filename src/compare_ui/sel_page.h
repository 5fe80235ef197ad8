// The "Compare Files" page of the compare dialog: the two files with their histories, the merge
// file and whether it is written and shown.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <string_view>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace brindle {

class CCompFileOpt;
class CCompareDlgHost;

// A control that failed validation and the string id of the message to show.
struct SPageFailure {
    QWidget* control;
    int messageId;
};

// Page dialog 130. Controls carry their ids as object names. The page keeps its own copies of the
// two file names and of "Display Merge File"; the sheet copies them to and from the record.
class CSelPage : public QWidget {
    Q_OBJECT
public:
    enum ControlId : int {
        kIdFile1 = 1002,         // combo box with history
        kIdBrowse1 = 1022,       // "..."
        kIdFile2 = 1003,         // combo box with history
        kIdBrowse2 = 1023,       // "..."
        kIdSwap = 1007,          // "&Swap File Names"
        kIdOlderFirst = 1008,    // "&Older File First"
        kIdDisplayMerge = 1004,  // "&Display Merge File"
        kIdMergeFile = 1018,     // "&Merge File:"
        kIdBrowseMerge = 1043,   // "..."
        kIdCopyName1 = 1005,     // "Co&py File 1 Name"
        kIdCopyName2 = 1006,     // "Cop&y File 2 Name"
    };
    // Number of history entries kept per file in section "Paths".
    static constexpr int kHistorySize = 10;

    // Fills the combos from "Paths" ("File11".."File110" and "File1", the same for file 2), puts the
    // non-empty file1/file2 at the top of their lists as the texts, and the merge edit from the
    // record's output file. record and host must outlive the page.
    CSelPage(CCompFileOpt& record, CCompareDlgHost& host, const QString& file1, const QString& file2,
             bool displayMergeFile, QWidget* parent = nullptr);

    // Both files must exist (file or folder); when "Display Merge File" is ticked, the merge-file
    // name must be acceptable (acceptableMergeFileName). Messages: 65199.
    std::optional<SPageFailure> validate() const;
    // After validation: takes the texts and the box into the page's copies, the merge-file name into
    // the record's output file, puts each file text at the top of its history and writes both
    // histories and texts to "Paths".
    void apply();

    const QString& file1() const { return m_file1; }
    const QString& file2() const { return m_file2; }
    bool displayMergeFile() const { return m_displayMergeFile; }

    // The button actions.
    void browse(int side);
    void browseMergeFile();
    void swapFileNames();
    void olderFileFirst();
    void displayMergeFileClicked();
    void copyFileName(int side);

private:
    QWidget* makeFileRows();
    QWidget* makeMergeRows();
    void fillCombo(QComboBox& combo, std::u16string_view prefix, const QString& name);
    void writeHistory(QComboBox& combo, std::u16string_view prefix);
    QComboBox& combo(int side) const { return side == 1 ? *m_combo1 : *m_combo2; }

    CCompFileOpt& m_record;
    CCompareDlgHost& m_host;
    QString m_file1;
    QString m_file2;
    bool m_displayMergeFile;
    QComboBox* m_combo1 = nullptr;
    QComboBox* m_combo2 = nullptr;
    QCheckBox* m_displayMerge = nullptr;
    QLineEdit* m_mergeFile = nullptr;
};

// Puts name at the top of list, removing an equal entry further down. An empty name changes nothing.
void putAtTop(QStringList& list, const QString& name);

// The name "Display Merge File" proposes when ticked with an empty merge-file name: when file 1 and
// file 2 have the same file name ignoring case, tempFolder (with a separator added) followed by
// file 1's file name, provided it differs ignoring case from both paths. Otherwise empty.
QString proposedMergeFileName(const QString& file1, const QString& file2, const QString& tempFolder);

// "Copy File N Name": mergeFile keeps its folder (up to and including its last separator; a name
// without one is first put into tempFolder) and takes the file name of file. A file without a
// separator leaves mergeFile unchanged.
QString mergeFileNameFrom(const QString& mergeFile, const QString& file, const QString& tempFolder);

// A merge-file name is acceptable when it is not empty, names no existing folder, does not end in
// a separator, and is neither file 1 nor file 2: not equal ignoring case, and not the same existing
// file (device and inode).
bool acceptableMergeFileName(const QString& mergeFile, const QString& file1, const QString& file2);

}  // namespace brindle
