// Printing goes through a module of its own (ui/print), so that Qt Print Support is loaded
// the first time a sheet is printed or exported, not at every start.

#include "SheetPrint.h"
#include "app/ConfigStore.h"
#include "link/Modules.h"

#include <QDir>

std::optional<QString> PrintSheet(QWidget* parent, const QString& html) {
    QString why;
    if (const auto* printing = Modules::Get<SheetPrintModule>(&why))
        return printing->Print(parent, html);
    return why;
}

std::optional<QString> ExportSheetPdf(const QString& path, const QString& html) {
    // The module writes the file; what it may replace is the one writer's rule.
    if (const std::optional<QString> refused = ConfigStore::OutputRefused(path))
        return QDir::toNativeSeparators(path) + QStringLiteral(": ") + *refused;
    QString why;
    if (const auto* printing = Modules::Get<SheetPrintModule>(&why))
        return printing->ExportPdf(path, html);
    return why;
}
