#pragma once
// Where the window's controls sit.  The loop rows' positions are part of the arrangement
// (SetDevice moves rows 7 and 8 to the places of rows 1 and 2); the rest is placement.

#include "Tag.h"

#include <QRect>
#include <QString>
#include <QWidget>

namespace Geometry {

// The client area below the menu bar, status bar included.
inline constexpr int ClientWidth = 670;
inline constexpr int ClientHeight = 511;
inline constexpr int StatusBarHeight = 20;

// Row n (1..8) of the loop page, in pixels from the top of the page.
constexpr int RowTop(int n) {
    return 152 + 32 * (n - 1);
}
inline constexpr int RowHeight = 24;

// Columns of the loop page.
inline constexpr int ShlfLabelX = 4;
inline constexpr int ShlfLabelWidth = 46;
inline constexpr int ZonaLabelX = 50;
inline constexpr int ZonaLabelWidth = 26;
inline constexpr int TypeBoxX = 78;
inline constexpr int TypeBoxWidth = 158;
inline constexpr int EventBoxX = 240;
inline constexpr int EventBoxWidth = 160;
inline constexpr int FireColumnX = 404;
inline constexpr int FireColumnWidth = 52;
inline constexpr int DelayLabelX = 460;
inline constexpr int DelayBoxX = 500;
inline constexpr int DelayBoxWidth = 48;
inline constexpr int HeaderTop = 130;

// The right-hand panel.
inline constexpr int PanelWidth = 106;
inline constexpr int PanelX = ClientWidth - PanelWidth;

} // namespace Geometry

// A child control with its name, Tag and place.
template <class W, class... Args>
W* MakeControl(QWidget* parent, const char* name, int tag, const QRect& where, Args&&... args) {
    W* control = new W(std::forward<Args>(args)..., parent);
    control->setObjectName(QString::fromLatin1(name));
    SetTag(control, tag);
    if (where.isValid()) control->setGeometry(where);
    return control;
}
