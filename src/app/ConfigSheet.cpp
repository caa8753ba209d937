#include "ConfigSheet.h"

#include "model/FieldTable.h"
#include "model/Fingerprint.h"
#include "model/MyConst.h"
#include "model/ShlfList.h"

#include <QCoreApplication>
#include <QDir>

#include <map>

namespace {

using FieldTable::Field;
using FieldTable::FieldKind;

QString Esc(const QString& text) {
    return text.toHtmlEscaped();
}

QString Words(const char* text) {
    return QCoreApplication::translate("ConfigSheet", text);
}

QString Row(const QStringList& cells, bool head = false) {
    const QString tag = head ? QStringLiteral("th") : QStringLiteral("td");
    QString html = QStringLiteral("<tr>");
    for (const QString& c : cells)
        html += QStringLiteral("<%1>%2</%1>").arg(tag, Esc(c));
    return html + QStringLiteral("</tr>\n");
}

struct ZoneRow {
    const Field* Type = nullptr;
    const Field* Event = nullptr;
    const Field* PowerReset = nullptr;
};

} // namespace

QString ConfigSheetHtml(const SheetInput& in) {
    const DeviceRow* device = DeviceRowOf(in.Model);
    if (!device || in.Image.size() < static_cast<std::size_t>(device->Capacity)) return {};
    const auto value = [&](const Field& f) { return FieldTable::ReadValue(f, in.Image); };
    const auto text = [&](const Field& f) { return FieldTable::ValueCaption(f, value(f)); };

    std::map<int, ZoneRow> zones; // by system zone number
    QList<const Field*> settings;
    for (const Field& f : FieldTable::FieldsOf(in.Model)) {
        if (f.SystemZone != 0) {
            ZoneRow& z = zones[f.SystemZone];
            if (f.Kind == FieldKind::ZoneType) z.Type = &f;
            if (f.Kind == FieldKind::EventCode) z.Event = &f;
            if (f.Kind == FieldKind::Flag) z.PowerReset = &f;
        } else if (f.Kind != FieldKind::Raw) {
            settings << &f;
        }
    }
    // The zones of a zone expander that is switched off are listed only where they are set
    // up: the device never uses them, and 64 lines of "Отключен" hide what matters.
    std::uint32_t expanders = 0xFF;
    if (const Field* set = FieldTable::FindField(in.Model, QStringLiteral("expanders"));
        set && device == &DeviceTable[RowKA8])
        expanders = value(*set);

    const QString fingerprint = ConfigFingerprint(in.Model, in.Image.first(device->Capacity));
    QString html =
        QStringLiteral("<html><head><style>"
                       "body { font-family: 'DejaVu Sans', sans-serif; font-size: 8pt; }"
                       "h1 { font-size: 14pt; margin-bottom: 4pt; }"
                       "h2 { font-size: 11pt; margin-top: 10pt; margin-bottom: 3pt; }"
                       "table.grid { border-collapse: collapse; }"
                       "table.grid td, table.grid th { border: 1px solid #777; padding: 1px 5px; }"
                       "th { background: #e6e6e6; text-align: left; }"
                       "</style></head><body>\n");
    html += QStringLiteral("<h1>%1</h1>\n<table>")
                .arg(Esc(Words(QT_TRANSLATE_NOOP("ConfigSheet", "Конфигурация прибора MZ-515"))));
    html += Row({Words(QT_TRANSLATE_NOOP("ConfigSheet", "Модель:")),
                 QCoreApplication::translate("MyConst", device->Description) +
                     QStringLiteral(" (") + in.Model + QStringLiteral(")")});
    html +=
        Row({Words(QT_TRANSLATE_NOOP("ConfigSheet", "Файл:")),
             in.FileName.isEmpty() ? Words(QT_TRANSLATE_NOOP("ConfigSheet", "не сохранена в файл"))
                                   : QDir::toNativeSeparators(in.FileName)});
    html += Row({Words(QT_TRANSLATE_NOOP("ConfigSheet", "Дата:")),
                 in.When.toString(QStringLiteral("dd.MM.yyyy HH:mm"))});
    html += Row({Words(QT_TRANSLATE_NOOP("ConfigSheet", "Отпечаток:")), fingerprint});
    html += QStringLiteral("</table>\n");

    if (!zones.empty()) {
        html +=
            QStringLiteral("<h2>%1</h2>\n<table class=\"grid\" width=\"100%\" cellspacing=\"0\">")
                .arg(Esc(Words(QT_TRANSLATE_NOOP("ConfigSheet", "Шлейфы и зоны"))));
        html += Row({Words(QT_TRANSLATE_NOOP("ConfigSheet", "№")),
                     Words(QT_TRANSLATE_NOOP("ConfigSheet", "Шлейф / зона")),
                     Words(QT_TRANSLATE_NOOP("ConfigSheet", "Тип")),
                     Words(QT_TRANSLATE_NOOP("ConfigSheet", "Событие")),
                     Words(QT_TRANSLATE_NOOP("ConfigSheet", "Сброс питания"))},
                    true);
        int hidden = 0;
        for (const auto& [number, z] : zones) {
            if (!z.Type) continue;
            const int e = z.Type->Expander;
            if (e != 0 && !((expanders >> (8 - e)) & 1U) && value(*z.Type) == TypeOff) {
                ++hidden;
                continue;
            }
            html += Row({QString::number(number), FieldTable::ZoneCaption(*z.Type), text(*z.Type),
                         z.Event ? text(*z.Event).trimmed() : QString(),
                         z.PowerReset ? text(*z.PowerReset) : QStringLiteral("—")});
        }
        html += QStringLiteral("</table>\n");
        if (hidden > 0)
            html += QStringLiteral("<p>%1</p>\n")
                        .arg(Esc(Words(QT_TRANSLATE_NOOP(
                                           "ConfigSheet",
                                           "Зоны выключенных расширителей не показаны: все они "
                                           "отключены (%1)."))
                                     .arg(hidden)));
    }

    html += QStringLiteral("<h2>%1</h2>\n<table class=\"grid\" cellspacing=\"0\">")
                .arg(Esc(Words(QT_TRANSLATE_NOOP("ConfigSheet", "Настройки"))));
    for (const Field* f : settings) {
        QString name = FieldTable::NameCaption(*f);
        name[0] = name[0].toUpper();
        html += Row({name, text(*f)});
    }
    html += QStringLiteral("</table>\n");
    html += QStringLiteral("<p>%1</p>\n<p>%2 ______________________ &nbsp; %3 ______________</p>\n")
                .arg(Esc(Words(QT_TRANSLATE_NOOP(
                                   "ConfigSheet",
                                   "Отпечаток %1 — контрольная сумма модели и конфигурации; тот же "
                                   "показывают журнал программы и «progmz515-cli show»."))
                             .arg(fingerprint)),
                     Esc(Words(QT_TRANSLATE_NOOP("ConfigSheet", "Запрограммировал:"))),
                     Esc(Words(QT_TRANSLATE_NOOP("ConfigSheet", "Подпись:"))));
    html += QStringLiteral("</body></html>\n");
    return html;
}
