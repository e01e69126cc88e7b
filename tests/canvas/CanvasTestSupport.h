#pragma once
// A design canvas on a fake clock, with the design scale at its default and the canvas's stored
// properties in a temporary file, and helpers that build elements and play gestures.
#include "canvas/KdPLDesinger.h"

#include <gtest/gtest.h>

clsPLControl MakeLabel(const QString &key, double left, double top, double width, double height);
clsPLControl MakeBlock(const QString &key, double left, double top, double width = 3,
                       double height = 1.5);
clsPLControl MakeLine(const QString &key, double left, double top, double dx, double dy);

class CanvasTest : public ::testing::Test {
protected:
    CanvasTest();
    ~CanvasTest() override;

    // Twips on the surface from millimetres at the default scale.
    static double tw(double mm);
    static QPointF at(double xMm, double yMm) { return {tw(xMm), tw(yMm)}; }

    void add(const clsPLControl &e);
    const clsPLControl &element(const QString &key) const;
    const ControlState &state(const QString &key) const;
    // A press, moves along the way (each after the move pause) and a release, left button.
    void drag(QPointF from, QPointF to, int shift = 0, int steps = 1);
    void click(QPointF p, int shift = 0);

    quint32 m_now = 1000;
    KdPLDesinger canvas;
};
