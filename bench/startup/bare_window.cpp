// The yardstick for start-up: a bare Qt Widgets window of a given size and nothing else.
//   bare_window [WIDTH HEIGHT]
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    const QStringList arguments = app.arguments();
    const int width = arguments.size() > 2 ? arguments[1].toInt() : 640;
    const int height = arguments.size() > 2 ? arguments[2].toInt() : 480;
    window.resize(width, height);
    window.setWindowTitle(QStringLiteral("bare window"));
    window.show();
    return app.exec();
}
