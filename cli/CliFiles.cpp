#include "CliFiles.h"
#include "CliCommon.h"

#include "app/ConfigFile.h"
#include "app/TextForm.h"
#include "model/MyConst.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

std::optional<FileForm> OutputFormOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("cf8")) return FileForm::Cf8;
    if (suffix == QLatin1String("yaml") || suffix == QLatin1String("yml")) return FileForm::Text;
    return std::nullopt;
}

std::optional<QString> CheckOutputPath(const QString& path) {
    if (!OutputFormOf(path))
        return QStringLiteral("«%1»: имя файла должно оканчиваться на .cf8 (файл конфигурации) "
                              "или .yaml (текстовая форма)")
            .arg(path);
    return CheckOutputPlace(path);
}

std::optional<int> RejectOutputOption(const QString& command, const QString& output) {
    if (output.isEmpty()) return UsageError(command, QStringLiteral("не указан файл (-o ФАЙЛ)"));
    if (const std::optional<QString> error = CheckOutputPath(output))
        return UsageError(command, *error);
    return std::nullopt;
}

std::optional<QString> CheckOutputPlace(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) return QStringLiteral("«%1» — это папка, а не файл").arg(path);
    if (!info.absoluteDir().exists())
        return QStringLiteral("папки «%1» нет").arg(QDir::toNativeSeparators(info.absolutePath()));
    return std::nullopt;
}

bool LoadConfiguration(const QString& path, ProgramState& state, QString* error) {
    const TextForm::LoadedConfig loaded = TextForm::LoadAnyConfig(path);
    if (!loaded.Ok()) {
        *error = QStringLiteral("%1: %2").arg(path, loaded.Message);
        return false;
    }
    ProgramState result = state;
    if (!LoadDeviceDefaults(result, loaded.Model) ||
        loaded.Image.size() != std::size_t(result.Capacity)) {
        *error = QStringLiteral("%1: %2").arg(path, QString::fromUtf8(FileTexts::Corrupt));
        return false;
    }
    std::copy(loaded.Image.begin(), loaded.Image.end(), result.ConfigImage());
    state = result;
    return true;
}

std::optional<QString> SaveConfiguration(const ProgramState& state, const QString& path) {
    const std::optional<FileForm> form = OutputFormOf(path);
    if (!form) return CheckOutputPath(path);
    return TextForm::SaveAnyConfig(
        path, *form == FileForm::Cf8 ? TextForm::ConfigFormat::Cf8 : TextForm::ConfigFormat::Text,
        state.CurrentDevice, state.Image());
}

std::optional<QString> SaveBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    auto error = [&](const QString& why) {
        return QStringLiteral("Не удалось записать файл \"%1\".\r\n%2")
            .arg(QDir::toNativeSeparators(path), why);
    };
    if (!file.open(QIODevice::WriteOnly)) return error(file.errorString());
    // As the .cf8 writer does: a short write that only the flush reveals must not be put in
    // place by commit().
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return error(QStringLiteral("Файл не записан целиком: нет места на диске или "
                                    "превышен допустимый размер файла."));
    }
    if (!file.commit()) return error(file.errorString());
    return std::nullopt;
}
