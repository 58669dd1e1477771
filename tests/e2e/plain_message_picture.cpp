// plain_message_picture PREFIX: writes the pictures of the refusal windows that the program shows on the
// screen this runs on, one per failing check in the order they come (PREFIX-1.png, PREFIX-2.png), drawn as
// the program draws them and with its font, so that a check can compare the screen with them pixel for pixel.

#include "resources/appresources.h"
#include "session/gameflow.h"
#include "ui/main/plainmessage.h"

#include <QGuiApplication>
#include <QScreen>

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2)
        return 2;
    QGuiApplication::setFont(programFont(QStringLiteral("Arial"), 12, false));
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QStringList messages =
        session::failingScreenChecks({screen->depth(), screen->size().width(), screen->size().height()});
    for (qsizetype k = 0; k < messages.size(); ++k) {
        const plainmessage::Picture picture = plainmessage::draw(QStringLiteral("Неприемлемый режим экрана"),
                                                                 messages.at(k), QGuiApplication::font());
        if (!picture.image.save(QStringLiteral("%1-%2.png").arg(QString::fromLocal8Bit(argv[1])).arg(k + 1)))
            return 1;
    }
    return 0;
}
