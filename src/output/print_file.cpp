#include "output/print_file.h"

#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>

namespace briqo {

PrintFileGuard::PrintFileGuard(QPrinter &printer)
    : m_printer(printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty())
        return;
    m_target = printer.outputFileName();
    // Beside the chosen file, so the document is moved into place on the same disk.
    m_temporary = std::make_unique<QTemporaryFile>(QFileInfo(m_target).absolutePath() + QStringLiteral("/.")
        + QFileInfo(m_target).fileName() + QStringLiteral(".XXXXXX"));
    if (m_temporary->open()) {
        m_temporary->close();
        printer.setOutputFileName(m_temporary->fileName());
    } else {
        // No room even for a temporary file: the printer cannot begin, and the chosen file stays.
        printer.setOutputFileName(QFileInfo(m_target).absolutePath() + QStringLiteral("/.no-such-folder/x.pdf"));
    }
}

PrintFileGuard::~PrintFileGuard()
{
    if (!m_target.isEmpty())
        m_printer.setOutputFileName(m_target);
}

WriteOutcome PrintFileGuard::finish()
{
    if (m_target.isEmpty())
        return {true, {}};
    QFile printed(m_temporary->fileName());
    const QByteArray bytes = printed.open(QIODevice::ReadOnly) ? printed.readAll() : QByteArray();
    // The printer does not report a write that failed: a PDF cut short lacks its end mark.
    if (!bytes.trimmed().endsWith("%%EOF"))
        return {false, QStringLiteral("the printed document was cut short (is the disk full?)")};
    return writeFileSafely(m_target, bytes);
}

} // namespace briqo
