// The sheet laid out and printed by Qt: the module "print", which brings Qt Print Support
// the first time a sheet is printed or exported (ui/SheetPrint.cpp).

#include "ui/SheetPrint.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QTextDocument>

namespace {

QPageLayout SheetLayout() {
    // A wider left margin for the folder's punch holes.
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 15, 15, 15),
                       QPageLayout::Millimeter);
}

QString SheetTitle() {
    return QCoreApplication::translate("ConfigSheet", "Конфигурация прибора MZ-515");
}

void SetUpPage(QPrinter& printer) {
    printer.setPageLayout(SheetLayout());
    printer.setDocName(SheetTitle());
    printer.setCreator(QStringLiteral("progmz515"));
}

void Render(QPagedPaintDevice& printer, const QString& html) {
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    document.setHtml(html);
    // Laid out on the printer's page, page numbers and all.
    document.print(&printer);
}

QString Failed(const QString& path, const QString& why) {
    return QCoreApplication::translate("SheetPrint", "Не удалось записать файл \"%1\".\r\n%2")
        .arg(QDir::toNativeSeparators(path), why);
}

} // namespace

namespace SheetPrinting {

std::optional<QString> Print(QWidget* parent, const QString& html) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPage(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    Render(printer, html);
    if (printer.printerState() == QPrinter::Error)
        return QCoreApplication::translate(
            "SheetPrint", "Лист конфигурации не напечатан: принтер сообщил об ошибке.");
    return std::nullopt;
}

std::optional<QString> ExportPdf(const QString& path, const QString& html) {
    // Made in memory and written in one go: a failed export leaves an older file as it was.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(300);
        writer.setPageLayout(SheetLayout());
        writer.setTitle(SheetTitle());
        writer.setCreator(QStringLiteral("progmz515"));
        Render(writer, html);
    }
    if (pdf.data().isEmpty())
        return Failed(path, QCoreApplication::translate("SheetPrint", "Документ PDF не создан."));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return Failed(path, file.errorString());
    if (file.write(pdf.data()) != pdf.data().size() || !file.flush()) {
        file.cancelWriting();
        return Failed(path, QCoreApplication::translate(
                                "SheetPrint", "Файл не записан целиком: нет места на диске или "
                                              "превышен допустимый размер файла."));
    }
    if (!file.commit()) return Failed(path, file.errorString());
    return std::nullopt;
}

} // namespace SheetPrinting
