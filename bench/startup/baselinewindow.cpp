// The start-up baseline: a plain Qt Widgets window with as many widgets of the same kinds as
// the program's main window (35), at the same size, showing one picture drawn by Qt itself. It does
// nothing else: it is what any Qt program pays before its first paint.

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QWidget>
#include <utility>

namespace {

// Children are owned by their Qt parent.
template <typename T, typename... Args> T* add(Args&&... args) {
    return new T(std::forward<Args>(args)...);
}

// A line drawing of the picture's size, made in memory: Qt's own work, no file or decoder.
QPixmap drawing() {
    QImage image(473, 570, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int x = 20; x < 460; x += 40) {
        painter.drawLine(x, 10, x, 560);
    }
    for (int y = 20; y < 560; y += 60) {
        painter.drawLine(10, y, 460, y);
    }
    painter.end();
    return QPixmap::fromImage(image);
}

void radioGroup(QWidget* parent, const QString& title, const QRect& geometry, int items) {
    auto* group = add<QGroupBox>(title, parent);
    group->setGeometry(geometry);
    for (int i = 0; i < items; ++i) {
        auto* radio = add<QRadioButton>(QStringLiteral("Choix %1").arg(i + 1), group);
        radio->setGeometry(8, 20 + i * 30, 200, 24);
        radio->setChecked(i == 0);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Fenêtre de référence"));
    window.resize(723, 624);

    auto* picture = add<QLabel>(&window);
    picture->setGeometry(0, 31, 473, 570);
    picture->setPixmap(drawing());
    add<QLabel>(&window)->hide(); // the program's main window also holds a hidden picture

    auto* bar = add<QFrame>(&window);
    bar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bar->setGeometry(0, 0, 723, 31);
    auto* close = add<QPushButton>(QStringLiteral("&Fermer"), bar);
    close->setGeometry(8, 4, 75, 25);
    for (int i = 0; i < 5; ++i) {
        auto* tool = add<QToolButton>(bar);
        tool->setGeometry(88 + i * 30, 4, 25, 25);
        tool->setToolTip(QStringLiteral("Bouton %1").arg(i + 1));
    }

    radioGroup(&window, QStringLiteral("Forme"), {488, 40, 225, 105}, 2);
    radioGroup(&window, QStringLiteral("Choix"), {488, 144, 225, 185}, 3);
    radioGroup(&window, QStringLiteral("Assemblage"), {488, 336, 225, 105}, 2);

    auto* more = add<QGroupBox>(QStringLiteral("Informations"), &window);
    more->setGeometry(488, 448, 225, 105);
    for (int i = 0; i < 2; ++i) {
        add<QLabel>(QStringLiteral("Valeur %1 (mm)").arg(i + 1), more)->move(8, 28 + i * 44);
        add<QLineEdit>(QStringLiteral("15"), more)->setGeometry(152, 24 + i * 40, 57, 21);
    }
    for (int i = 0; i < 5; ++i) {
        add<QLineEdit>(QString::number(100 * (i + 1)), &window)
            ->setGeometry(40 + i * 80, 300 + i * 50, 45, 21);
    }
    for (int i = 0; i < 6; ++i) {
        add<QLabel>(QString::number(250 + 50 * i), &window)->move(150 + i * 40, 200 + i * 60);
    }

    window.show();
    return QApplication::exec();
}
