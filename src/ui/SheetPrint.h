#pragma once
// The configuration sheet on paper or as a PDF: the sheet's HTML laid out on A4 by Qt.

#include <QString>

#include <optional>

class QWidget;

// The print dialog, then the sheet on the chosen printer.  Nothing (and no box) when the
// user cancels; what went wrong otherwise.
std::optional<QString> PrintSheet(QWidget* parent, const QString& html);

// The sheet as a PDF file at `path`, A4, written atomically: a failed export leaves an
// older file as it was.  What went wrong, or nothing.
std::optional<QString> ExportSheetPdf(const QString& path, const QString& html);

// The module that does both (ui/print), with Qt Print Support; the functions above load it.
struct SheetPrintModule {
    static constexpr char Name[] = "print";
    std::optional<QString> (*Print)(QWidget* parent, const QString& html);
    std::optional<QString> (*ExportPdf)(const QString& path, const QString& html);
};
namespace SheetPrinting {
std::optional<QString> Print(QWidget* parent, const QString& html);
std::optional<QString> ExportPdf(const QString& path, const QString& html);
} // namespace SheetPrinting
