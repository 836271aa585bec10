#pragma once
// What the string grid's tests share: a grid that records its hooks' calls, a shown grid with
// the focus, synthetic mouse events and a rendering of the viewport.

#include "widgets/stringgrid/stringgrid.h"

#include <QApplication>
#include <QImage>
#include <QList>
#include <QMouseEvent>
#include <QPair>
#include <QTest>
#include <memory>

namespace gridtest {

using stringgrid::StringGrid;

// A grid that records what the base calls of its hooks.
class ProbeGrid : public StringGrid {
public:
    using StringGrid::StringGrid;
    QList<QPair<int, int>> columnMoves;
    QList<QPair<int, int>> rowMoves;
    int widthChanges = 0;
    int heightChanges = 0;

protected:
    void ColumnMoved(int from, int to) override {
        columnMoves.append({from, to});
        StringGrid::ColumnMoved(from, to);
    }
    void RowMoved(int from, int to) override {
        rowMoves.append({from, to});
        StringGrid::RowMoved(from, to);
    }
    void ColWidthsChanged() override {
        ++widthChanges;
        StringGrid::ColWidthsChanged();
    }
    void RowHeightsChanged() override {
        ++heightChanges;
        StringGrid::RowHeightsChanged();
    }
};

// The viewport is 298 x 198: the grid has a one-pixel box border.
inline std::unique_ptr<ProbeGrid> shownGrid() {
    auto grid = std::make_unique<ProbeGrid>();
    grid->resize(300, 200);
    grid->show();
    QApplication::setActiveWindow(grid.get());
    grid->setFocus();
    if (!QTest::qWaitForWindowActive(grid.get()))
        qWarning("the grid's window did not become active");
    return grid;
}

inline void mouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, modifiers);
    QApplication::sendEvent(target, &event);
}

inline void drag(QWidget* target, QPoint from, QPoint to) {
    mouse(target, QEvent::MouseButtonPress, from, Qt::LeftButton);
    mouse(target, QEvent::MouseMove, to, Qt::LeftButton);
    mouse(target, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

inline QImage render(StringGrid& grid) {
    QImage image(grid.viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    grid.viewport()->render(&image);
    return image;
}

} // namespace gridtest
