// The floor of the start-up bench: a bare Qt Widgets window of Briqo's size holding as many
// widgets of each kind as Briqo's main window, and nothing else (no files, no pictures, no fonts
// of its own). Arguments: kind=count, for example QLabel=180 QPushButton=12.

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include <functional>

namespace {

QWidget *make(const QString &kind, QWidget *parent, int i)
{
    const QString text = QStringLiteral("Tekst %1").arg(i);
    if (kind == QLatin1String("QLabel"))
        return new QLabel(text, parent);
    if (kind == QLatin1String("QPushButton"))
        return new QPushButton(text, parent);
    if (kind == QLatin1String("QLineEdit"))
        return new QLineEdit(text, parent);
    if (kind == QLatin1String("QCheckBox"))
        return new QCheckBox(text, parent);
    if (kind == QLatin1String("QGroupBox"))
        return new QGroupBox(text, parent);
    if (kind == QLatin1String("QListWidget"))
        return new QListWidget(parent);
    if (kind == QLatin1String("QPlainTextEdit"))
        return new QPlainTextEdit(parent);
    if (kind == QLatin1String("QScrollBar"))
        return new QScrollBar(Qt::Vertical, parent);
    if (kind == QLatin1String("QTableWidget"))
        return new QTableWidget(5, 3, parent);
    if (kind == QLatin1String("QFrame"))
        return new QFrame(parent);
    return new QWidget(parent);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(837, 684);
    int placed = 0;
    for (const QString &argument : app.arguments().mid(1)) {
        const QString kind = argument.section(QLatin1Char('='), 0, 0);
        const int count = argument.section(QLatin1Char('='), 1).toInt();
        for (int i = 0; i < count; ++i, ++placed) {
            QWidget *w = make(kind, &window, i);
            w->setGeometry(placed % 12 * 68, placed / 12 % 30 * 22, 64, 20);
        }
    }
    window.show();
    return app.exec();
}
