// The yardstick for start-up and memory: a bare Qt Widgets window of the same size with three
// controls.
#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(800, 550);
    auto *start = new QPushButton(QStringLiteral("Start"), &window);
    start->setGeometry(544, 8, 65, 25);
    auto *quit = new QPushButton(QStringLiteral("Konec"), &window);
    quit->setGeometry(624, 8, 65, 25);
    auto *scroll = new QScrollBar(Qt::Horizontal, &window);
    scroll->setGeometry(264, 32, 137, 17);
    window.show();
    return QApplication::exec();
}
