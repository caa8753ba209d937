#pragma once
// ".cf8" configuration files: one device model's image kept as the frame a device would
// send, behind a 146-byte header that names the model.
//
//   0   32  "cf8 (Korvanta Configuration Hex)"
//   32  32  "MZ515" and 27 spaces
//   64  32  model identifier, padded with spaces
//   96  49  zero bytes
//   145  1  C, the number of image bytes
//   146  1  '~'
//   147  1  'D'
//   148  C  the image
//   148+C 1 CRC-8 over the C + 2 bytes from offset 146
//
// Nothing here shows anything: the functions return the texts that the window puts into
// its message boxes, caption and status bar.

#include "model/ProgramState.h"

#include <QList>
#include <QString>

#include <optional>

namespace ConfigFile {
inline constexpr int HeaderSize = 146;
inline constexpr int SignatureOffset = 32;
inline constexpr int IdentifierOffset = 64;
inline constexpr int IdentifierSize = 32;
inline constexpr int LengthOffset = 145;
// The reader looks at no more than this many bytes of a file.
inline constexpr int ReadLimit = 512;
// The largest stored length whose header and image fit the frame buffer.
inline constexpr int MaxStoredLength = 198;

constexpr int FileSize(int capacity) {
    return HeaderSize + capacity + 3;
}
} // namespace ConfigFile

// A message box to show: always with the error icon and only an OK button, and always as
// plain text, since the identifier in one of them comes from the file.
struct FileMessage {
    QString Caption;
    QString Text;
    bool operator==(const FileMessage&) const = default;
};

// Writes the current model's image to `path` through the store's one writer: beside the
// target, replacing it only once complete, so a failed save leaves an older file as it was;
// in a folder that takes no new files an existing file that may be written is written in
// place instead (ConfigStore::WriteWholeFile).
// The frame buffer is left untouched: a save taken while an exchange is running must not
// change the request that the exchange may still re-send.  Returns the text of the error
// box (captioned with the application title) or nothing on success.
std::optional<QString> SaveConfigFile(const ProgramState& state, const QString& path);

enum class LoadFailure {
    None,
    CannotOpen,    // missing, not a regular file, or not readable: the reader says nothing
    BadSignature,  // "Неверный формат файла"
    UnknownDevice, // "Устройство "..." не поддерживается"
    Corrupt, // "Файл поврежден": wrong check byte, a length that does not fit, cut short
    ReadError, // "Файл не найден": the file opened but could not be read
};

struct LoadResult {
    LoadFailure Failure = LoadFailure::None;
    int Row = -1;                       // row of DeviceTable the file names, when loaded
    std::optional<FileMessage> Message; // the reader's own box, when it shows one
    bool Ok() const { return Failure == LoadFailure::None; }
};

// Reads a ".cf8" file into the frame buffer: the stored header bytes and image go to frame
// positions 0 .. C+1, so image bytes from C on keep their values.  CurrentDevice and
// Capacity are not touched; the caller switches the window to Row (SetDevice) when that
// row is not the one selected.  On any failure the state is exactly as it was.
LoadResult LoadConfigFile(ProgramState& state, const QString& path);

// The box that Open shows after a failed load: the reader's own one, or "Файл не найден"
// for a file that could not be opened at all.
std::optional<FileMessage> OpenFailureMessage(const LoadResult& result);

// The boxes of a failed command-line open, in order: the reader's own one if it showed one,
// then the start-up message.
QList<FileMessage> CommandLineFailureMessages(const LoadResult& result);

// The reader's texts, and the start-up message (its "окрыть" is the program's own spelling).
namespace FileTexts {
inline constexpr char ErrorCaption[] = QT_TRANSLATE_NOOP("FileTexts", "Ошибка");
inline constexpr char ReadErrorCaption[] = QT_TRANSLATE_NOOP("FileTexts", "Ошибка чтения файла");
inline constexpr char BadFormat[] = QT_TRANSLATE_NOOP("FileTexts", "Неверный формат файла");
inline constexpr char Corrupt[] = QT_TRANSLATE_NOOP("FileTexts", "Файл поврежден");
inline constexpr char NotFound[] = QT_TRANSLATE_NOOP("FileTexts", "Файл не найден");
inline constexpr char CommandLineOpenFailed[] = QT_TRANSLATE_NOOP(
    "FileTexts", "Невозможно окрыть файл.\r\nВозможно несоответствие версии или повреждение");
inline constexpr char Opened[] =
    QT_TRANSLATE_NOOP("FileTexts", "Файл открыт"); // status bar after Open
inline constexpr char Saved[] =
    QT_TRANSLATE_NOOP("FileTexts", "Файл сохранен"); // status bar after Save and Save as
} // namespace FileTexts

// "Устройство "<identifier>"" CR LF "не поддерживается".
QString UnsupportedDeviceText(const QString& identifier);

// Save as: the name the file is written under.  ".cf8" is appended unless the name already
// ends in it, in any letter case.
QString WithConfigExtension(const QString& fileName);
