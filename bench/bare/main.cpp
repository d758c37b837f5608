// The yardsticks of the start-up benchmark: the least a Qt Widgets program
// does to put a main window of the same size on the screen and, with
// --menu-and-text, the same window with a one-item menu bar and a line of
// text, the two things that make any such window pay for Qt's font set-up
// and its menu bar before it can show.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(653, 427);
    if (app.arguments().contains(QStringLiteral("--menu-and-text"))) {
        window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
        auto* text = new QLabel(QStringLiteral("Select a category of units:"), &window);
        text->move(16, 40);
        text->adjustSize();
    }
    window.show();
    return app.exec();
}
