#pragma once
// The configuration sheet for the site folder: the model, the file, the date, every loop
// and zone with its type, event and power reset, the device-wide settings, and the
// fingerprint that matches the sheet to a file, a journal entry and a device.  Made as
// HTML that a QTextDocument lays out on A4 (printing is the window's).

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <span>

struct SheetInput {
    QString Model;
    std::span<const std::uint8_t> Image;
    QString FileName; // empty: the configuration was never saved
    QDateTime When;
};

// Empty for an unknown model or an image shorter than the model's.
QString ConfigSheetHtml(const SheetInput& input);
