#pragma once
// The window's pictures, painted here at 16 x 16: one icon per zone type (icon k belongs to
// type code k) and the pictures of the read and write buttons; and the program's own icon.

#include <QIcon>
#include <QObject>
#include <QPixmap>

#include <array>

inline constexpr int IconSize = 16;

QPixmap PaintTypeIcon(int code); // a transparent pixmap for a code outside 0..7
QPixmap PaintReadPicture();      // green upward triangle over a green bar
QPixmap PaintWritePicture();     // red downward triangle over a red bar

// The program's icon in every size the window's resources hold (the artwork the desktop
// entry installs), for the window's caption and the task bar; the window's boxes and
// dialogs show their parent's.
QIcon ProgramIcon();

// The icon list the type drop-downs take their icons from.
class TImageList : public QObject {
    Q_OBJECT
public:
    static constexpr int Count = 8;
    explicit TImageList(QObject* parent = nullptr);
    QIcon Icon(int index) const; // a null icon outside 0..Count-1
    QPixmap Pixmap(int index) const;

private:
    std::array<QPixmap, Count> m_pixmaps;
};
