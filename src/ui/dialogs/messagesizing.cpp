#include "ui/dialogs/messagesizing.h"

#include <algorithm>

namespace dialogs {

QString measuringString(const QString &text) {
    QString longest;
    const auto consider = [&longest](QStringView line) {
        // Strictly greater: a later line of the same length does not replace the first.
        if (line.size() + 2 > longest.size())
            longest = line.toString() + QStringLiteral("  ");
    };

    qsizetype start = 0;
    for (;;) {
        const qsizetype cr = text.indexOf(QLatin1Char('\r'), start);
        if (cr < 0)
            break;
        consider(QStringView(text).mid(start, cr - start));
        start = std::min(cr + 2, text.size());
    }
    consider(QStringView(text).mid(start));
    return longest;
}

MessageLayout messageLayout(const QString &text, const std::function<int(const QString &)> &measure,
                            int frameWidth) {
    MessageLayout layout;
    layout.labelWidth = std::max(0, measure(measuringString(text)));
    layout.clientWidth = layout.labelWidth + kLabelLeft + kLabelRightMargin;

    const int outer = layout.clientWidth + std::max(0, frameWidth);
    if (outer > kMaxOuterWidth) {
        const int excess = outer - kMaxOuterWidth;
        layout.labelWidth = std::max(0, layout.labelWidth - excess);
        layout.clientWidth = std::max(0, layout.clientWidth - excess);
    }
    return layout;
}

} // namespace dialogs
