// The floor for the start-up benchmark: the bare engine showing the first page at the main
// window's size, and nothing else.
#include <QApplication>
#include <QWebEngineView>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QWebEngineView view;
    view.resize(889, 641);
    view.load(QUrl(QStringLiteral("http://www.zelsoft.example/computer_technology.htm")));
    view.show();
    return QApplication::exec();
}
