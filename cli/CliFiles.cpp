#include "CliFiles.h"
#include "CliCommon.h"

#include "app/ConfigStore.h"
#include "model/MyConst.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

std::optional<QString> CheckOutputPath(const QString& path) {
    if (!ConfigStore::FormatOfName(path))
        return QCoreApplication::translate(
                   "CliFiles", "«%1»: имя файла должно оканчиваться на .cf8 (файл конфигурации) "
                               "или .yaml (текстовая форма)")
            .arg(path);
    return CheckOutputFile(path);
}

std::optional<QString> CheckOutputFile(const QString& path) {
    if (std::optional<QString> error = CheckOutputPlace(path)) return error;
    // A FIFO, a device, another user's planted link: refused before the device is asked.
    if (const std::optional<QString> refused = ConfigStore::OutputRefused(path))
        return QStringLiteral("«%1»: %2").arg(path, *refused);
    return std::nullopt;
}

std::optional<int> RejectOutputOption(const QString& command, const QString& output) {
    if (output.isEmpty())
        return UsageError(command,
                          QCoreApplication::translate("CliFiles", "не указан файл (-o ФАЙЛ)"));
    if (const std::optional<QString> error = CheckOutputPath(output))
        return UsageError(command, *error);
    return std::nullopt;
}

std::optional<QString> CheckOutputPlace(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir())
        return QCoreApplication::translate("CliFiles", "«%1» — это папка, а не файл").arg(path);
    if (!info.absoluteDir().exists())
        return QCoreApplication::translate("CliFiles", "папки «%1» нет")
            .arg(QDir::toNativeSeparators(info.absolutePath()));
    return std::nullopt;
}

bool LoadConfiguration(const QString& path, ProgramState& state, QString* error) {
    const ConfigStore::LoadedConfig loaded = ConfigStore::LoadAnyConfig(path);
    if (!loaded.Ok()) {
        *error = QStringLiteral("%1: %2").arg(path, loaded.Message);
        return false;
    }
    ProgramState result = state;
    if (!LoadDeviceDefaults(result, loaded.Model) ||
        loaded.Image.size() != std::size_t(result.Capacity)) {
        *error = QStringLiteral("%1: %2").arg(
            path, QCoreApplication::translate("FileTexts", FileTexts::Corrupt));
        return false;
    }
    std::copy(loaded.Image.begin(), loaded.Image.end(), result.ConfigImage());
    if (const QString note = loaded.EncodingNote(); !note.isEmpty())
        PrintErr(QStringLiteral("%1: %2").arg(path, note));
    state = result;
    return true;
}

std::optional<QString> SaveConfiguration(const ProgramState& state, const QString& path) {
    const std::optional<ConfigStore::ConfigFormat> format = ConfigStore::FormatOfName(path);
    if (!format) return CheckOutputPath(path);
    return ConfigStore::SaveAnyConfig(path, *format, state.CurrentDevice, state.Image());
}
