#pragma once

#include <QString>

#include <functional>

namespace dialogs {

// How the message window fits itself to a text. Pure: the pixel width of a string comes from the caller's
// measurer (the label's font in the window, a fixed advance per character in tests), and the frame width is
// the window system's, so the whole rule runs without a screen.

// The first of the longest lines of `text` by character count, followed by two blanks. Lines are walked the
// way the window always has: a CR ends a line and the two characters from it on (CR and its LF) are skipped;
// the tail after the last separator is a line as well, empty when the text ends with CR LF.
QString measuringString(const QString &text);

struct MessageLayout {
    int labelWidth = 0;  // width of the text label
    int clientWidth = 0; // client width of the window
};

// The outer width (client plus frame) never exceeds this; a longer line is wrapped by the label instead.
inline constexpr int kMaxOuterWidth = 800;
// Client space left of the label (icon and button column) and right of it.
inline constexpr int kLabelLeft = 170;
inline constexpr int kLabelRightMargin = 10;

// Label width = measured width of measuringString(text); client width = label width + 180; when the outer
// width (client + frameWidth) would exceed 800, the excess comes off both, so the outer width is exactly 800.
// Neither width goes below zero, however wide a frame the window system reports.
MessageLayout messageLayout(const QString &text, const std::function<int(const QString &)> &measure,
                            int frameWidth);

} // namespace dialogs
