// The floor that MiniZol is measured against: a bare Qt Widgets program of the same shape (a
// main window with a menu bar and three labels). With --refresh it rewrites one label ten
// times a second, as the memory monitor does.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Floor");
    window.menuBar()->addMenu("Calculadora")->addAction("Ayuda");
    window.menuBar()->addMenu("(más)")->addAction("...");
    auto* client = new QWidget(&window);
    auto* layout = new QVBoxLayout(client);
    QLabel* first = new QLabel("0 Ptas.");
    layout->addWidget(first);
    layout->addWidget(new QLabel("0,00 Euros."));
    layout->addWidget(new QLabel("0"));
    window.setCentralWidget(client);

    QTimer refresh;
    int ticks = 0;
    if (app.arguments().contains("--refresh")) {
        QObject::connect(&refresh, &QTimer::timeout,
                         [&] { first->setText(QString("Tick %1").arg(++ticks)); });
        refresh.start(100);
    }
    window.show();
    return app.exec();
}
