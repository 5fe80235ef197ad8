// Print Setup: the printer, paper and orientation that every later print of the program uses.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPrinter;
class QRadioButton;

namespace brindle {

// The printer of the program's print jobs: the application's when there is one, else one that
// lives until the Qt application ends. Print Setup changes it; the print and print-preview
// commands of every view start from it.
QPrinter& sharedPrinter();

// Modal dialog on a printer: the choice takes effect on OK only. "Print to File (PDF)" is offered
// beside the system's printers, with the file it writes.
class CPrintSetupDlg : public QDialog {
    Q_OBJECT
public:
    CPrintSetupDlg(QPrinter& printer, QWidget* parent);

    void accept() override;

private:
    void fillPrinters();
    void fillPaperSizes();
    void onPrinterChosen();

    QPrinter& m_printer;
    QComboBox* m_printers;
    QLineEdit* m_outputFile;
    QComboBox* m_paperSizes;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
};

}  // namespace brindle
