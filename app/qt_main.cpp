// The native program's entry point on Linux: a Qt application whose main
// window runs until it is gone.
#include <QApplication>

#include "ui/main/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Pantrium");
    pantrium::MainWindowState ui;
    ui.programFolder = QCoreApplication::applicationDirPath().toStdString();
    return pantrium::RunMainWindow(ui);
}
