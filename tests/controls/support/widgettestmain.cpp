// The test programs of the controls run inside a QApplication with visual styles off, so the
// library paints its own frames in known colours.
#include "controls/framework/controlservices.h"

#include <QApplication>
#include <QStyleFactory>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    SetThemesActive(false);
    SetHandlerErrorReporter([](const QString &message) {
        ADD_FAILURE() << "handler error: " << message.toStdString();
    });
    return RUN_ALL_TESTS();
}
