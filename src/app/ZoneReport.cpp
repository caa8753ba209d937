#include "ZoneReport.h"

#include "ConfigStore.h"
#include "Cp1251.h"
#include "model/ImageLayout.h"
#include "model/MyConst.h"
#include "model/ShlfList.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <algorithm>

namespace {

// The report's words follow the language the program speaks; the Russian report is the one
// the device's installers have always had, column for column.
QString Words(const char* text) {
    return QCoreApplication::translate("ZoneReport", text);
}

const char* const Title8 =
    QT_TRANSLATE_NOOP("ZoneReport", "      Конфигурация шлейфов MZ-515KA8 (KB8,E8)");
const char* const TitleE2 = QT_TRANSLATE_NOOP("ZoneReport", "      Конфигурация шлейфов MZ-515E2");
const QString Rule = QString(6, u' ') + QString(37, u'-');

QString DeviceHeading() {
    return Words(QT_TRANSLATE_NOOP("ZoneReport", "    -   -   -   -  Прибор -   -   -   -   -"));
}
QString ColumnHeading() {
    return Words(QT_TRANSLATE_NOOP("ZoneReport",
                                   " ШС Зона     Тип                    Код         Примечание"));
}
QString PowerResetNote() {
    return Words(QT_TRANSLATE_NOOP("ZoneReport", " (сброс)"));
}

QString ExpanderHeading(int n) {
    return Words(QT_TRANSLATE_NOOP("ZoneReport", "   -   -  -  Расширитель №%1 -   -   -   -"))
        .arg(n);
}

// How the type byte of a line is read.
enum class LineKind {
    Loop1,   // the whole byte is the code; no note
    Loop,    // loops 2..8 (and the two loops of MZ515E2): code in bits 0-2, note for bits 4-7
    ExpZone, // code in bits 0-2, note only for 0x83
};

class Report {
public:
    // Once the report has stopped at a line it cannot complete, nothing more is added.
    void Line(const QString& text) {
        if (!m_error.isEmpty()) return;
        const Cp1251::Encoded encoded = Cp1251::Encode(text);
        if (!encoded.Ok()) {
            Stop(Words(QT_TRANSLATE_NOOP("ZoneReport",
                                         "знаки «%1» нельзя записать в кодировке Windows-1251"))
                     .arg(encoded.Unencodable));
            return;
        }
        m_bytes += encoded.Bytes;
        m_bytes += "\r\n";
        ++m_lines;
    }
    void Empty(int count = 1) {
        for (int i = 0; i < count; ++i)
            Line(QString());
    }

    // One loop or expander zone: number columns, three spaces, the type text and, unless the
    // whole type byte is zero, the gap and the event text.
    void Zone(const QString& columns, const QString& what, LineKind kind, std::uint8_t t,
              std::uint8_t e) {
        if (!m_error.isEmpty()) return;
        const int code = kind == LineKind::Loop1 ? t : t & 7;
        const bool note = kind == LineKind::Loop      ? (t & 0xF0) != 0
                          : kind == LineKind::ExpZone ? t == 0x83
                                                      : false;
        if (code < 0 || code >= ShlfTypeCount) {
            Stop(Words(QT_TRANSLATE_NOOP("ZoneReport",
                                         "%1: тип зоны %2 (байт 0x%3) не известен программе"))
                     .arg(what)
                     .arg(code)
                     .arg(Hex(t)));
            return;
        }
        const QString type =
            QCoreApplication::translate("ShlfList", ShlfTypeList[static_cast<std::size_t>(code)]);
        const QString noteText = note ? PowerResetNote() : QString();
        QString line = columns + QStringLiteral("   ") + type + noteText;
        if (t != 0) {
            const int number = EventNumberOf(e);
            if (number < 0) {
                Stop(Words(QT_TRANSLATE_NOOP("ZoneReport",
                                             "%1: код события 0x%2 не известен программе"))
                         .arg(what, Hex(e)));
                return;
            }
            const int typeLength = int(type.size() + noteText.size());
            line += QString(std::max(19 - typeLength, 1), u' ') +
                    QCoreApplication::translate(
                        "ShlfList", EventList[static_cast<std::size_t>(number - 1)].Text);
        }
        Line(line);
    }

    ReportText Finish() { return {m_bytes, m_error}; }

private:
    static QString Hex(std::uint8_t b) {
        return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    }
    void Stop(const QString& why) {
        m_error = Words(QT_TRANSLATE_NOOP("ZoneReport",
                                         "Список шлейфов составлен не до конца: строка %1.\r\n%2."))
                     .arg(m_lines + 1)
                     .arg(why);
    }

    QByteArray m_bytes;
    QString m_error;
    int m_lines = 0;
};

void Heading(Report& r, const QString& title) {
    r.Line(title);
    r.Line(Rule);
    r.Empty();
    r.Line(DeviceHeading());
    r.Line(ColumnHeading());
    r.Empty();
}

QString LoopColumns(int i) {
    return QStringLiteral(" 0%1: 0%1").arg(i);
}

ReportResult WriteReport(const ReportText& text, const QString& path) {
    ReportResult r;
    r.Path = path;
    // An installed program's own directory may take no new files while its old report may
    // still be written: then it is, in place.
    r.Error =
        ConfigStore::WriteWholeFile(path, text.Bytes, ConfigStore::InLockedFolder::WriteInPlace)
            .value_or(QString());
    r.Written = r.Error.isEmpty();
    if (r.Written) r.Error = text.Error;
    return r;
}

} // namespace

ReportText ShlfReportText(const ProgramState& state) {
    Report r;
    Heading(r, Words(Title8));
    for (int i = 1; i <= Image::LoopCount; ++i)
        r.Zone(LoopColumns(i), Words(QT_TRANSLATE_NOOP("ZoneReport", "Шлейф %1")).arg(i),
               i == 1 ? LineKind::Loop1 : LineKind::Loop, state.ImageByte(Image::LoopTypeByte(i)),
               state.ImageByte(Image::LoopEventByte(i)));
    r.Empty();
    for (int n = 1; n <= Image::ExpanderCount; ++n) {
        if (!Image::ExpanderEnabled(state, n)) continue;
        r.Line(ExpanderHeading(n));
        r.Line(ColumnHeading());
        r.Empty();
        // The 23-byte images of MZ515KB8 and MZ515E8 have no expander zones (their byte 21
        // marks partition expanders): their sections stay empty rather than show bytes that
        // are not part of the image.
        if (Image::ExpZoneEventByte(n, Image::ZonesPerExpander) < state.Capacity) {
            for (int j = 1; j <= Image::ZonesPerExpander; ++j) {
                const int zone = Image::SystemZoneNumber(n, j);
                r.Zone(QStringLiteral(" 0%1: %2").arg(j).arg(Image::ZoneNumberText(zone)),
                       Words(QT_TRANSLATE_NOOP("ZoneReport", "Зона %1 расширителя %2"))
                           .arg(Image::ZoneNumberText(zone))
                           .arg(n),
                       LineKind::ExpZone, state.ImageByte(Image::ExpZoneTypeByte(n, j)),
                       state.ImageByte(Image::ExpZoneEventByte(n, j)));
            }
        }
        r.Empty(2);
    }
    return r.Finish();
}

ReportText ShlfReportTextE2(const ProgramState& state) {
    Report r;
    Heading(r, Words(TitleE2));
    // The device's two loops are held in the places of loops 7 and 8.
    for (int i = 1; i <= 2; ++i)
        r.Zone(LoopColumns(i), Words(QT_TRANSLATE_NOOP("ZoneReport", "Шлейф %1")).arg(i),
               LineKind::Loop, state.ImageByte(Image::LoopTypeByte(6 + i)),
               state.ImageByte(Image::LoopEventByte(6 + i)));
    r.Empty();
    return r.Finish();
}

ReportResult WriteShlfReport(const ProgramState& state, const QString& path) {
    return WriteReport(ShlfReportText(state), path);
}

ReportResult WriteShlfReportE2(const ProgramState& state, const QString& path) {
    return WriteReport(ShlfReportTextE2(state), path);
}

std::optional<ReportText> ZoneReportText(const ProgramState& state, QString* error) {
    const int row = FindDevice(state.CurrentDevice);
    if (row < 0 || DeviceTable[static_cast<std::size_t>(row)].Group != DeviceGroup::EightLoop) {
        if (error)
            *error = Words(QT_TRANSLATE_NOOP("ZoneReport",
                                             "Для этого прибора список шлейфов не составляется."));
        return std::nullopt;
    }
    return row == RowE2 ? ShlfReportTextE2(state) : ShlfReportText(state);
}

ReportResult MakeZoneReport(const ProgramState& state, const QString& programDir,
                            const QString& appDataDir) {
    QString refused;
    const std::optional<ReportText> text = ZoneReportText(state, &refused);
    if (!text) return {{}, refused, false};

    // An installed program's directory is usually read-only; the user's own data directory
    // takes the report then.
    QStringList failures;
    for (const QString& dir : {programDir, appDataDir}) {
        if (dir.isEmpty()) continue;
        if (dir == appDataDir && !QDir().mkpath(dir)) {
            failures << Words(QT_TRANSLATE_NOOP("ZoneReport", "Не удалось создать папку \"%1\""))
                            .arg(QDir::toNativeSeparators(dir));
            continue;
        }
        const QString path = QDir(dir).filePath(QString::fromLatin1(ReportFileName));
        const ReportResult r = WriteReport(*text, path);
        if (r.Written) return r;
        failures << r.Error;
    }
    if (failures.isEmpty())
        failures << Words(
            QT_TRANSLATE_NOOP("ZoneReport", "Нет папки, в которую можно записать отчет"));
    return {{},
            Words(QT_TRANSLATE_NOOP("ZoneReport", "Список шлейфов не создан.\r\n")) +
                failures.join(QStringLiteral("\r\n")),
            false};
}

ReportResult MakeZoneReport(const ProgramState& state) {
    return MakeZoneReport(state, QCoreApplication::applicationDirPath(),
                          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}
