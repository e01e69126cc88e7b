#pragma once
// A print surface that draws straight on a QPainter, with nothing recorded: the designer
// canvas paints its elements through it with the same element-drawing routine as the print
// engine. Lengths are twips from the painter's origin as it is when the surface is made; the
// surface scales the painter from twips to device pixels and puts it back when destroyed.
//
// It only draws: documents, pages and the page set-up belong to the recording surface, so
// StartDoc, EndDoc and NewPage do nothing and every page set-up setter refuses its value.
#include "print/DrawState.h"
#include "print/PageSetup.h"
#include "print/PrintFonts.h"
#include "print/PrintSurface.h"
#include "print/StatePainter.h"

class QPainter;

class PainterSurface : public PrintSurface {
public:
    // Twips at the resolution of the painter's device.
    explicit PainterSurface(QPainter &painter);
    // Twips at `dpiX` and `dpiY` device pixels per inch (a zoom of the caller's).
    PainterSurface(QPainter &painter, double dpiX, double dpiY);
    ~PainterSurface() override;
    PainterSurface(const PainterSurface &) = delete;
    PainterSurface &operator=(const PainterSurface &) = delete;

    bool Preview() const override { return false; }
    void setPreview(bool) override {}
    void StartDoc() override {}
    void EndDoc() override {}
    void NewPage() override {}
    void GetMargins() override {}
    QString DocName() const override { return {}; }
    void setDocName(const QString &) override {}

    qint32 Orientation() const override { return m_setup.Orientation; }
    bool setOrientation(qint32) override { return false; }
    qint32 PaperSize() const override { return m_setup.PaperSize; }
    bool setPaperSize(qint32) override { return false; }
    float PaperWidth() const override { return m_setup.PaperWidth; }
    bool setPaperWidth(float) override { return false; }
    float PaperHeight() const override { return m_setup.PaperHeight; }
    bool setPaperHeight(float) override { return false; }
    float MarginLeft() const override { return m_setup.MarginLeft; }
    bool setMarginLeft(float) override { return false; }
    float MarginTop() const override { return m_setup.MarginTop; }
    bool setMarginTop(float) override { return false; }
    float MarginRight() const override { return m_setup.MarginRight; }
    bool setMarginRight(float) override { return false; }
    float MarginBottom() const override { return m_setup.MarginBottom; }
    bool setMarginBottom(float) override { return false; }

    void setShowGuides(qint32) override {}

    void setPenColor(qint32 v) override { m_state.PenColor = v; }
    void setPenStyle(qint32 v) override { m_state.PenStyle = v; }
    void setPenWidth(qint32 v) override { m_state.PenWidth = v; }
    void setBrushColor(qint32 v) override { m_state.BrushColor = v; }
    void setTextColor(qint32 v) override { m_state.TextColor = v; }
    void setTextAlign(qint32 v) override { m_state.TextAlign = v; }
    void setFontName(const QString &v) override { m_state.FontName = v; }
    void setFontSize(float v) override { m_state.FontSize = v; }
    void setFontBold(bool v) override { m_state.FontBold = v; }
    void setFontItalic(bool v) override { m_state.FontItalic = v; }
    void setFontStrikethru(bool v) override { m_state.FontStrikethru = v; }
    void setFontUnderline(bool v) override { m_state.FontUnderline = v; }

    void DrawRectangle(float x1, float y1, float x2, float y2) override;
    void DrawLine(float x1, float y1, float x2, float y2) override;
    void DrawPicture(const PrintPicture &picture, float left, float top, float width,
                     float height) override;
    void TextBox(const QString &text, float left, float top, float width, float height,
                 qint32 wrap = 1, bool fill = false) override;
    float TextWidth(const QString &text) override { return m_measure.Width(m_state, text); }

private:
    StatePainter m_ops;
    PageSetup m_setup;
    DrawState m_state;
    TwipsTextMeasure m_measure;
};
