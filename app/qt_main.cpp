// The native program's entry point on Linux: a Qt application whose main
// window runs until it is gone.
#include <QApplication>

#include "app/qt_self_check.h"
#include "ui/main/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Pantrium");
    QGuiApplication::setDesktopFileName("pantrium-qt");  // the desktop entry that started it
    // The package test's check of an installed program (app/qt_self_check.h).
    if (qEnvironmentVariableIsSet("PANTRIUM_SELF_CHECK"))
        pantrium::StartSelfCheck(qEnvironmentVariable("PANTRIUM_SELF_CHECK"));
    pantrium::MainWindowState ui;
    ui.programFolder = QCoreApplication::applicationDirPath().toStdString();
    return pantrium::RunMainWindow(ui);
}
