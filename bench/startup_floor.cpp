// The floor for the start-up benchmark: a bare Qt program that opens a maximized main
// window with a two-item menu.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("&Exit"));
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About"));
    window.showMaximized();
    return app.exec();
}
