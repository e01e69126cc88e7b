#pragma once
// The regular grid the blocks stand in: blocks of one column share their left and right edges,
// blocks of one row their top and bottom edges, each edge the mean of its blocks' sub-pixel
// edges. Positions come from the grid, not from any single outline.
#include <QList>
#include <QRectF>
#include <QSizeF>

struct BlockGrid {
    struct Line {
        double start = 0; // left (column) or top (row) edge
        double end = 0;   // right or bottom edge
    };
    QList<Line> columns; // left to right
    QList<Line> rows;    // top to bottom
    struct Cell {
        int row = 0;
        int column = 0;
    };
    QList<Cell> cells;   // one per block, in the order the blocks were given
    QSizeF size;         // the common block size: the median over the blocks

    QRectF rectOf(const Cell &c) const
    {
        return QRectF(columns[c.column].start, rows[c.row].start, size.width(), size.height());
    }
};

// edges: every block's measured outer edges; size: their rough common size (pixels).
BlockGrid FitGrid(const QList<QRectF> &edges, const QSizeF &size);

// Groups sorted positions into lines: a new line starts further than tolerance from the first
// of the current one. Gives each position's line number.
QList<int> GroupPositions(const QList<double> &positions, double tolerance, int *lineCount);
