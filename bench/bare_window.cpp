// The yardstick for start-up and memory: a bare Qt Widgets window of the same size with three
// controls, one of each kind the program's window has: a text box, a button and a scroll bar.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(800, 550);
    auto *button = new QPushButton(QStringLiteral("Start"), &window);
    button->setGeometry(544, 8, 65, 25);
    auto *title = new QLineEdit(QStringLiteral("Halmira"), &window);
    title->setGeometry(288, 8, 121, 25);
    auto *scroll = new QScrollBar(Qt::Horizontal, &window);
    scroll->setGeometry(264, 32, 137, 17);
    window.show();
    return QApplication::exec();
}
