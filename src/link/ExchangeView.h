#pragma once
// What the exchange controller needs of the window that hosts it.  The main window
// implements it; a test or a command-line host can implement it without any widget.

#include <QString>

#include <cstdint>
#include <optional>

struct Rgb {
    std::uint8_t R = 0, G = 0, B = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
// The status bar's colour; nullopt is the bar's own look.
using BarColour = std::optional<Rgb>;

inline constexpr Rgb IndGreen{0, 128, 0};
inline constexpr Rgb IndRed{255, 0, 0};

enum class MessageIcon { None, Error };

class IExchangeView {
public:
    virtual ~IExchangeView() = default;

    virtual void SetStatusText(const QString& text) = 0;
    // Busy: the port drop-down, both exchange buttons, the model drop-down and the Open
    // command are disabled until the exchange ends.
    virtual void SetExchangeBusy(bool busy) = 0;
    virtual BarColour StatusColour() const = 0;
    virtual void SetStatusColour(const BarColour& colour) = 0;
    // A modal box with only an OK button; returns when the user has closed it.
    virtual void ShowMessage(const QString& caption, const QString& text, MessageIcon icon) = 0;
    // The same box with `details` that the user can unfold beneath the text.  A host with
    // no place for details shows the box without them.
    virtual void ShowDetailedMessage(const QString& caption, const QString& text, MessageIcon icon,
                                     const QString& details) {
        (void)details;
        ShowMessage(caption, text, icon);
    }
    // Puts the whole configuration image into the controls.
    virtual void RefreshControls() = 0;
    // Selects row `row` of the model drop-down and runs the model switch.
    virtual void SwitchToModelRow(int row) = 0;
};
