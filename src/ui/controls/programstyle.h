#pragma once

#include <QProxyStyle>

// Fusion, which follows the fixed colour table, with one difference: the standard icons Qt builds from
// picture files are loaded when they are first drawn rather than when they are asked for. Qt's menu bar asks
// for its overflow-arrow icon as it is created, and decoding that one picture makes Qt load every
// image-format plugin on the machine, a few milliseconds of start-up for an arrow the fixed-width window
// never shows.
class ProgramStyle : public QProxyStyle {
    Q_OBJECT

public:
    ProgramStyle();

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
