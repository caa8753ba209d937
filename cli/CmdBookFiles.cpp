// import and export: configuration files into a device's records of the site book (drafts,
// prepared without the device) and its latest record out into a file.

#include "BookCli.h"
#include "CliCommon.h"
#include "CliFiles.h"
#include "Commands.h"

#include "app/ConfigStore.h"
#include "app/ZoneTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

using namespace SiteBook;

namespace {

// The cells of one line of the zone table, as ZoneTableCsv quotes them.
QStringList CsvCells(const QString& line) {
    QStringList cells;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted && c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
            cell += c;
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (c == u';' && !quoted) {
            cells << std::exchange(cell, QString());
        } else {
            cell += c;
        }
    }
    return cells << cell;
}

// A folder as export writes it: the site named by its zone table (else by the folder), each
// configuration file a draft of the device its name is the label of (made when absent).
int ImportFolder(SiteBook::TSiteBook& book, const QString& folder) {
    const QDir dir(folder);
    QString name = dir.dirName(), object;
    for (const QString& csv : dir.entryList({QStringLiteral("*.csv")}, QDir::Files)) {
        QFile file(dir.filePath(csv));
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QList<QByteArray> lines = file.readAll().split('\n');
        if (lines.size() < 2) continue;
        const QStringList cells = CsvCells(QString::fromUtf8(lines[1]).trimmed());
        if (cells.size() < 2) continue;
        name = cells[0];
        object = cells[1];
        break;
    }
    QList<SiteBook::Site> sites =
        object.isEmpty() ? QList<SiteBook::Site>() : book.FindSites(object);
    if (sites.isEmpty()) sites = book.FindSites(name);
    if (sites.size() > 1)
        return UsageError(
            QStringLiteral("import"),
            QCoreApplication::translate("CmdBookFiles", "объект «%1» есть в книге не один")
                .arg(name));
    SiteBook::Site site;
    if (sites.size() == 1) {
        site = sites.front();
    } else {
        site.Name = name;
        site.ObjectNumber = object;
        if (const std::optional<QString> e = book.AddSite(site)) return FileError(*e);
    }
    QSet<QString> taken;
    for (const QString& file :
         dir.entryList({QStringLiteral("*.cf8"), QStringLiteral("*.yaml"), QStringLiteral("*.yml")},
                       QDir::Files, QDir::Name)) {
        const QString label = QFileInfo(file).completeBaseName();
        if (taken.contains(label)) continue; // the .cf8 and the text of one device
        ProgramState state;
        QString error;
        if (!LoadConfiguration(dir.filePath(file), state, &error)) return FileError(error);
        std::optional<SiteBook::Device> device = book.FindDevice(site.Id, label);
        if (!device) {
            SiteBook::Device made;
            made.SiteId = site.Id;
            made.Model = state.CurrentDevice;
            made.Label = label;
            if (const std::optional<QString> e = book.AddDevice(made)) return FileError(*e);
            device = made;
        }
        if (device->Model != state.CurrentDevice)
            return UsageError(QStringLiteral("import"),
                              QCoreApplication::translate(
                                  "CmdBookFiles", "файл — конфигурация %1, а прибор «%2» — %3")
                                  .arg(state.CurrentDevice, device->Label, device->Model));
        Record r;
        r.DeviceId = device->Id;
        r.Kind = QString::fromLatin1(Kind::Draft);
        r.Held = false;
        r.Model = state.CurrentDevice;
        r.Image = QByteArray(reinterpret_cast<const char*>(state.ConfigImage()), state.Capacity);
        r.Outcome = file;
        if (const std::optional<QString> e = book.AddRecord(r)) return FileError(*e);
        PrintOut(QStringLiteral("%1/%2: %3").arg(site.Name, label, r.Id));
        taken.insert(label);
    }
    NoteOffline(book);
    return ExitOk;
}

int RunImport(const QStringList& args) {
    const QString command = QStringLiteral("import");
    int exit = ExitOk;
    // A folder alone, or a device and a file.
    QString ignored;
    const std::optional<ParsedArgs> peek = ParseArgs(args, {DatabaseOption()}, &ignored);
    const bool folder =
        peek && peek->Positional.size() == 1 && QFileInfo(peek->Positional[0]).isDir();
    const auto a = ParseCommandArgs(
        command, args, {DatabaseOption()}, folder ? 1 : 2,
        QCoreApplication::translate("CmdBookFiles", "укажите ОБЪЕКТ/ПРИБОР и файл конфигурации"),
        &exit);
    if (!a) return exit;
    if (folder) {
        auto book = OpenBook(*a, &exit, false);
        if (!book) return exit;
        return ImportFolder(*book, a->Positional[0]);
    }
    ProgramState state;
    QString error;
    if (!LoadConfiguration(a->Positional[1], state, &error)) return FileError(error);
    auto book = OpenBook(*a, &exit, false);
    if (!book) return exit;
    std::optional<BookTarget> target =
        ResolvePath(std::move(book), command, a->Positional[0], &exit);
    if (!target) return exit;
    // A configuration of another model would be written to this device later as it stands.
    if (state.CurrentDevice != target->Device.Model)
        return UsageError(
            command, QCoreApplication::translate("CmdBookFiles",
                                                 "файл — конфигурация %1, а прибор «%2» — %3")
                         .arg(state.CurrentDevice, target->Device.Label, target->Device.Model));
    Record r;
    r.DeviceId = target->Device.Id;
    r.Kind = QString::fromLatin1(Kind::Draft);
    r.Held = false; // not in the device until it is written
    r.Model = state.CurrentDevice;
    r.Image = QByteArray(reinterpret_cast<const char*>(state.ConfigImage()), state.Capacity);
    r.Outcome = QFileInfo(a->Positional[1]).fileName();
    if (const std::optional<QString> e = target->Book->AddRecord(r)) return FileError(*e);
    PrintOut(r.Id);
    NoteOffline(*target->Book);
    return ExitOk;
}

// A file name made of a label: what no file system takes becomes "_".
QString FileNameOf(QString label) {
    for (QChar& c : label)
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.unicode() < 0x20) c = u'_';
    label = label.trimmed();
    return label.isEmpty() || label.startsWith(u'.') ? QStringLiteral("_") + label : label;
}

int ExportSite(SiteBook::TSiteBook& book, const SiteBook::Site& site, const QString& folder) {
    const QDir dir(folder);
    if (!QFileInfo(folder).isDir())
        return UsageError(
            QStringLiteral("export"),
            QCoreApplication::translate("CmdBookFiles", "папки «%1» нет").arg(folder));
    QList<ZoneTableDevice> zones;
    for (const SiteBook::Device& d : book.Devices(site.Id)) {
        const std::optional<SiteBook::Record> latest = book.Latest(d.Id);
        if (!latest) {
            PrintErr(QCoreApplication::translate("CmdBookFiles", "%1: записей нет, пропущен")
                         .arg(d.Label));
            continue;
        }
        for (const auto& [suffix, format] : {std::pair{".cf8", ConfigStore::ConfigFormat::Cf8},
                                             std::pair{".yaml", ConfigStore::ConfigFormat::Text}}) {
            const QString path = dir.filePath(FileNameOf(d.Label) + QLatin1String(suffix));
            if (const std::optional<QString> e =
                    ConfigStore::SaveAnyConfig(path, format, latest->Model, latest->Bytes()))
                return FileError(*e);
            PrintOut(path);
        }
        zones << ZoneTableDevice{d.Label, latest->Model, latest->Image};
    }
    const QString csv = dir.filePath(FileNameOf(site.Name) + QStringLiteral(" - зоны.csv"));
    if (const std::optional<QString> e =
            ConfigStore::WriteWholeFile(csv, ZoneTableCsv(site.Name, site.ObjectNumber, zones)))
        return FileError(*e);
    PrintOut(csv);
    return ExitOk;
}

int RunExport(const QStringList& args) {
    const QString command = QStringLiteral("export");
    int exit = ExitOk;
    const auto a = ParseCommandArgs(
        command, args,
        {DatabaseOption(), {QStringLiteral("output"), true, false, QStringLiteral("o")}}, 1,
        QCoreApplication::translate("CmdBookFiles", "не указан прибор (ОБЪЕКТ/ПРИБОР)"), &exit);
    if (!a) return exit;
    const QString output = a->Value(QStringLiteral("output"));
    if (output.isEmpty())
        return UsageError(command,
                          QCoreApplication::translate("CmdBookFiles", "не указано, куда (-o)"));
    auto book = OpenBook(*a, &exit);
    if (!book) return exit;
    // A site: every device's latest configuration and the site's zone table, into a folder.
    if (const QList<SiteBook::Site> sites = book->FindSites(a->Positional[0]); sites.size() == 1)
        return ExportSite(*book, sites.front(), output);
    if (const std::optional<int> rejected = RejectOutputOption(command, output)) return *rejected;
    std::optional<BookTarget> target =
        ResolvePath(std::move(book), command, a->Positional[0], &exit);
    if (!target) return exit;
    ProgramState state;
    if (const std::optional<QString> e = target->LoadLatest(state)) return FileError(*e);
    if (const std::optional<QString> e = SaveConfiguration(state, output)) return FileError(*e);
    return ExitOk;
}

} // namespace

extern const Command ImportCommand{
    "import", QT_TRANSLATE_NOOP("Commands", "файл конфигурации — в записи прибора книги объектов"),
    QT_TRANSLATE_NOOP(
        "Commands",
        "Добавляет конфигурацию из файла (.cf8 или текстовая форма) к записям прибора в книге\n"
        "объектов как черновик (draft): подготовлена без прибора и в нём пока не хранится.\n"
        "Модель файла должна быть моделью прибора. Выводится id записи; write --site ...\n"
        "--device ... без файла запишет её в прибор. Папка, записанная командой export для\n"
        "объекта, берётся целиком: объект — по таблице зон, приборы — по именам файлов.\n"
        "\n"
        "  --database АДРЕС  файл SQLite или postgresql://...\n"),
    QT_TRANSLATE_NOOP("Commands", "ОБЪЕКТ/ПРИБОР ФАЙЛ | ПАПКА [--database АДРЕС]"), RunImport};

extern const Command ExportCommand{
    "export", QT_TRANSLATE_NOOP("Commands", "последняя запись прибора из книги объектов — в файл"),
    QT_TRANSLATE_NOOP("Commands",
                      "Записывает конфигурацию последней записи прибора из книги объектов в файл:\n"
                      ".cf8 или текстовую форму (.yaml), по расширению имени. Для объекта (без\n"
                      "прибора) -o называет папку: в неё записываются последние конфигурации всех\n"
                      "его приборов (.cf8 и .yaml) и таблица зон объекта для пульта (CSV: объект,\n"
                      "номер объекта, прибор, зона, тип зоны, код и текст события Contact ID).\n"
                      "\n"
                      "  -o ФАЙЛ|ПАПКА     куда записать\n"
                      "  --database АДРЕС  файл SQLite или postgresql://...\n"),
    QT_TRANSLATE_NOOP("Commands", "ОБЪЕКТ[/ПРИБОР] -o ФАЙЛ|ПАПКА [--database АДРЕС]"), RunExport};
