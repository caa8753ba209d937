#include "SameFile.h"

#include <QCoreApplication>

#include <QDir>
#include <QFileInfo>

namespace {
// One file by its name, also before it exists: two outputs of one run may name it so.
QString Absolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}
} // namespace

std::optional<QString> OutputClash(const QStringList& outputs, const QStringList& inputs) {
    for (qsizetype i = 0; i < outputs.size(); ++i) {
        const QStringList others = inputs + outputs.mid(0, i);
        for (const QString& other : others)
            if (Absolute(outputs[i]) == Absolute(other) || SameFile(outputs[i], other))
                return QCoreApplication::translate(
                           "SameFile", "«%1» и «%2» — один и тот же файл: запись в него "
                                       "уничтожила бы то, что в нём есть")
                    .arg(outputs[i], other);
    }
    return std::nullopt;
}
