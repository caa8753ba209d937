#include "support/FilesWindow.h"

#include "app/AppTitle.h"
#include "link/BCC.h"
#include "model/MyConst.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTabWidget>

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

QString Stored(const char* name) {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Korvanta", "ProgMZ515")
        .value(QString::fromLatin1(name))
        .toString();
}

QByteArray DefaultsOf(const char* identifier) {
    const auto image = DefaultImageOf(FindDevice(identifier));
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

QByteArray Cf8(const QByteArray& identifier, const QByteArray& image) {
    QByteArray f("cf8 (Korvanta Configuration Hex)");
    f += "MZ515" + QByteArray(27, ' ');
    f += identifier.leftJustified(32, ' ', true);
    f += QByteArray(49, '\0');
    f += char(image.size());
    QByteArray frame = "~D" + image;
    frame += char(
        Bcc({reinterpret_cast<const std::uint8_t*>(frame.constData()), std::size_t(frame.size())}));
    return f + frame;
}

QByteArray Edited(const char* identifier, std::initializer_list<std::pair<int, int>> changes) {
    QByteArray image = DefaultsOf(identifier);
    for (auto [at, value] : changes)
        image[at] = char(value);
    return image;
}

QByteArray Cf8Of(const char* identifier, std::initializer_list<std::pair<int, int>> changes) {
    return Cf8(identifier, Edited(identifier, changes));
}

QString CaptionFor(const QString& path) {
    return QString::fromUtf8(ProgramTitle) + " : " +
           QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QStringList ShownTabs(const WindowFixture& f) {
    auto* tabs = f.Find<QTabWidget>("PageMain");
    QStringList shown;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->isTabVisible(i)) shown << tabs->tabText(i);
    return shown;
}

QString Shows(const WindowFixture& f, const QString& name) {
    QWidget* w = f.Form->findChild<QWidget*>(name);
    if (auto* box = qobject_cast<QComboBox*>(w)) return box->currentText();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->isChecked() ? "checked" : "unchecked";
    return "<no control " + name + ">";
}

FilesFixture::FilesFixture() {
    Form->SetFileDialogHook([this](QFileDialog& d) {
        Dialogs << DialogSeen{d.objectName(),    d.windowTitle(), d.directory().path(),
                              d.defaultSuffix(), d.nameFilters(), d.fileMode(),
                              d.acceptMode(),    d.options()};
        return Answers.isEmpty() ? QString() : Answers.takeFirst();
    });
    Form->SetReportFolders(Path("program"), Path("data"));
    QDir().mkpath(Path("program"));
}

QString FilesFixture::Folder() const {
    return QDir::toNativeSeparators(Dir.path()) + QDir::separator();
}

void FilesFixture::Open(const QString& path) {
    Answers << path;
    Find<QAction>("N4")->trigger();
}

QStringList FilesFixture::Look() const {
    QStringList look{Form->windowTitle(),
                     Form->StatusText(),
                     State.CurrentDevice,
                     QString::number(State.Capacity),
                     QString::number(Find<QComboBox>("DeviceTypeList")->currentIndex()),
                     ShownTabs(*this).join('|'),
                     Hex(QByteArray(reinterpret_cast<const char*>(State.FrameBuffer.data()),
                                    qsizetype(State.FrameBuffer.size()))),
                     Stored("filepath"),
                     Stored("devicetype")};
    for (int n = 1; n <= 8; ++n)
        look << Shows(*this, QString("FShlfType%1").arg(n))
             << Shows(*this, QString("ShlfEvent%1").arg(n));
    return look;
}
