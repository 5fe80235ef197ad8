#include "framework/print_setup_dlg.h"

#include "framework/help_window.h"
#include "framework/win_app.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <memory>

namespace brindle {

namespace {

// The combo entry of PDF output; printers carry their names.
const QString kPdfEntry;

std::unique_ptr<QPrinter>& fallbackPrinter()
{
    static std::unique_ptr<QPrinter> printer;
    return printer;
}

void dropFallbackPrinter() { fallbackPrinter().reset(); }

}  // namespace

QPrinter& sharedPrinter()
{
    if (CWinApp* app = CWinApp::instance())
        return app->printer();
    std::unique_ptr<QPrinter>& printer = fallbackPrinter();
    if (!printer) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Printers go with the application that made them, not at the end of the process.
        qAddPostRoutine(&dropFallbackPrinter);
    }
    return *printer;
}

CPrintSetupDlg::CPrintSetupDlg(QPrinter& printer, QWidget* parent)
    : QDialog(parent), m_printer(printer), m_printers(new QComboBox(this)), m_outputFile(new QLineEdit(this)),
      m_paperSizes(new QComboBox(this)), m_portrait(new QRadioButton(tr("&Portrait"), this)),
      m_landscape(new QRadioButton(tr("&Landscape"), this))
{
    setWindowTitle(tr("Print Setup"));
    setHelpPage(this, QStringLiteral("text-editor.html#printing"));
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(m_portrait);
    orientation->addWidget(m_landscape);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(tr("P&rinter:"), m_printers);
    form->addRow(tr("&Output file:"), m_outputFile);
    form->addRow(tr("Paper &size:"), m_paperSizes);
    form->addRow(tr("Orientation:"), orientation);
    form->addRow(buttons);
    fillPrinters();
    fillPaperSizes();
    (m_printer.pageLayout().orientation() == QPageLayout::Landscape ? m_landscape : m_portrait)->setChecked(true);
    connect(m_printers, &QComboBox::currentIndexChanged, this, &CPrintSetupDlg::onPrinterChosen);
    onPrinterChosen();
}

void CPrintSetupDlg::fillPrinters()
{
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        m_printers->addItem(name, name);
    m_printers->addItem(tr("Print to File (PDF)"), kPdfEntry);
    const bool pdf = m_printer.outputFormat() == QPrinter::PdfFormat;
    const int index = m_printers->findData(pdf ? kPdfEntry : m_printer.printerName());
    m_printers->setCurrentIndex(index >= 0 ? index : m_printers->count() - 1);
    QString file = m_printer.outputFileName();
    if (file.isEmpty())
        file = QDir::home().filePath(QStringLiteral("print.pdf"));
    m_outputFile->setText(file);
}

void CPrintSetupDlg::fillPaperSizes()
{
    const QPageSize::PageSizeId sizes[] = {QPageSize::A4, QPageSize::Letter, QPageSize::Legal,     QPageSize::A3,
                                           QPageSize::A5, QPageSize::B5,     QPageSize::Executive, QPageSize::Tabloid};
    for (QPageSize::PageSizeId id : sizes)
        m_paperSizes->addItem(QPageSize::name(id), static_cast<int>(id));
    const int current = m_paperSizes->findData(static_cast<int>(m_printer.pageLayout().pageSize().id()));
    m_paperSizes->setCurrentIndex(std::max(current, 0));
}

void CPrintSetupDlg::onPrinterChosen() { m_outputFile->setEnabled(m_printers->currentData().toString() == kPdfEntry); }

void CPrintSetupDlg::accept()
{
    const QString printer = m_printers->currentData().toString();
    if (printer == kPdfEntry) {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(m_outputFile->text());
    } else {
        m_printer.setOutputFormat(QPrinter::NativeFormat);
        m_printer.setPrinterName(printer);
    }
    m_printer.setPageSize(QPageSize(static_cast<QPageSize::PageSizeId>(m_paperSizes->currentData().toInt())));
    m_printer.setPageOrientation(m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QDialog::accept();
}

}  // namespace brindle
