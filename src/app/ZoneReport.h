#pragma once
// The zone report "Shlf.txt": the loops and expander zones of the image being edited, each
// with its type and event, as Windows-1251 text with CR LF line ends.  Two layouts: one for
// MZ515KA8, MZ515KB8 and MZ515E8, one for the two loops of MZ515E2.

#include "model/ProgramState.h"

#include <QByteArray>
#include <QString>

#include <optional>

inline constexpr char ReportFileName[] = "Shlf.txt";

struct ReportResult {
    QString Path;         // the file written (also when the report had to stop early)
    QString Error;        // text of the error box, captioned with ApplicationTitle; or empty
    bool Written = false; // the file was created and written, complete or not
    bool Ok() const { return Written && Error.isEmpty(); }
};

// The report's bytes.  A type or event that has no text stops the report at that line:
// Bytes then holds the lines before it and Error says which line it was.
struct ReportText {
    QByteArray Bytes;
    QString Error;
};
ReportText ShlfReportText(const ProgramState& state);   // MZ515KA8, MZ515KB8, MZ515E8
ReportText ShlfReportTextE2(const ProgramState& state); // MZ515E2

// The report of the current model in the layout that model takes; nothing, with the text of
// the error box in `error`, for a model that has no zone report (the transmitters).
std::optional<ReportText> ZoneReportText(const ProgramState& state, QString* error = nullptr);

// Write the report to `path`, replacing a file there whole (ConfigStore::WriteWholeFile).
// When the report stops early the lines before the bad one are in the file, and Error says
// why.
ReportResult WriteShlfReport(const ProgramState& state, const QString& path);
ReportResult WriteShlfReportE2(const ProgramState& state, const QString& path);

// The command up to the hand-off to the viewer: the report of the current model goes to
// "Shlf.txt" in `programDir` when a file can be written there, otherwise in `appDataDir`
// (created when missing).  The caller opens Path in the viewer only when Ok().
ReportResult MakeZoneReport(const ProgramState& state, const QString& programDir,
                            const QString& appDataDir);
// The same with the program's own directory and the user's application data directory.
ReportResult MakeZoneReport(const ProgramState& state);
