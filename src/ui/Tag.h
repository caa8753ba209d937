#pragma once
// The window arranges itself by walking its components and testing bits of their Tag, a
// number each control carries from its creation.  In Qt the number is a dynamic property.

#include <QObject>
#include <QVariant>

inline constexpr char TagProperty[] = "Tag";

inline void SetTag(QObject* object, int tag) {
    object->setProperty(TagProperty, tag);
}
inline int TagOf(const QObject* object) {
    return object->property(TagProperty).toInt();
}

// Tag bits the arrangement of the window tests.
namespace TagBit {
inline constexpr int RadioFields = 64; // period and count fields with their spins and labels
inline constexpr int LoopRows = 128;   // rows the two-loop model does without
inline constexpr int DelayBlock = 256; // entry and exit delays
inline constexpr int Row7 = 512;       // editors of row 7
inline constexpr int Row8 = 1024;      // editors of row 8
} // namespace TagBit
