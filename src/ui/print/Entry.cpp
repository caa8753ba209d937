// The module of printing: Qt Print Support is loaded with it.

#include "link/Modules.h"
#include "ui/SheetPrint.h"

namespace {

const SheetPrintModule Table{&SheetPrinting::Print, &SheetPrinting::ExportPdf};

} // namespace

PROGMZ515_MODULE(Table)
