#pragma once

#include <QGuiApplication>

// Fonts, images and pages need a QGuiApplication; one for the whole run.
inline void ensureGuiApp(const char *name)
{
    static int argc = 1;
    static char *argv[] = {const_cast<char *>(name), nullptr};
    static QGuiApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}
