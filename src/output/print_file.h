#pragma once

#include "platform/safe_write.h"

#include <QString>

#include <memory>

class QPrinter;
class QTemporaryFile;

namespace briqo {

// Printing into a PDF file (the print dialog's "Print to File"): the printer writes into a
// temporary file beside the chosen one, and only a complete document then replaces the chosen
// file, through the same safe write as every other output file. A printer that prints on paper
// is left alone. Made just before the painter begins on the printer.
class PrintFileGuard {
public:
    explicit PrintFileGuard(QPrinter &printer);
    ~PrintFileGuard(); // the printer gets its file name back; a temporary file left is removed
    PrintFileGuard(const PrintFileGuard &) = delete;
    PrintFileGuard &operator=(const PrintFileGuard &) = delete;

    // After the painter has ended: puts the document in the chosen file (done at once when the
    // printer prints on paper). On failure the chosen file keeps what it held.
    WriteOutcome finish();

    QString target() const { return m_target; }

private:
    QPrinter &m_printer;
    QString m_target; // empty: the printer does not print into a file
    std::unique_ptr<QTemporaryFile> m_temporary;
};

} // namespace briqo
