#pragma once
// The print surface that records: StartDoc opens a new PrintDocument, every drawing call
// becomes one operation of the current page with the state in force. The page set-up stays
// on the surface from one document to the next.
#include "print/PrintDocument.h"
#include "print/PrintFonts.h"
#include "print/PrintSurface.h"

#include <cmath>

class DocumentSurface : public PrintSurface {
public:
    DocumentSurface();

    // The document recorded so far (the last one after EndDoc).
    const PrintDocument &Document() const { return m_doc; }
    PrintDocument TakeDocument();
    bool IsDocOpen() const { return m_docOpen; }
    const PageSetup &Setup() const { return m_setup; }
    const DrawState &CurrentState() const { return m_state; }
    qint32 ShowGuides() const { return m_showGuides; }

    bool Preview() const override { return m_preview; }
    void setPreview(bool v) override { m_preview = v; }
    void StartDoc() override;
    void EndDoc() override;
    void NewPage() override;
    void GetMargins() override {}
    QString DocName() const override { return m_doc.DocName(); }
    void setDocName(const QString &v) override { m_doc.setDocName(v); }

    qint32 Orientation() const override { return m_setup.Orientation; }
    bool setOrientation(qint32 v) override;
    qint32 PaperSize() const override { return m_setup.PaperSize; }
    bool setPaperSize(qint32 v) override;
    float PaperWidth() const override { return m_setup.PaperWidth; }
    bool setPaperWidth(float v) override;
    float PaperHeight() const override { return m_setup.PaperHeight; }
    bool setPaperHeight(float v) override;
    float MarginLeft() const override { return m_setup.MarginLeft; }
    bool setMarginLeft(float v) override { return setMargin(m_setup.MarginLeft, v); }
    float MarginTop() const override { return m_setup.MarginTop; }
    bool setMarginTop(float v) override { return setMargin(m_setup.MarginTop, v); }
    float MarginRight() const override { return m_setup.MarginRight; }
    bool setMarginRight(float v) override { return setMargin(m_setup.MarginRight, v); }
    float MarginBottom() const override { return m_setup.MarginBottom; }
    bool setMarginBottom(float v) override { return setMargin(m_setup.MarginBottom, v); }

    void setShowGuides(qint32 v) override { m_showGuides = v; }

    void setPenColor(qint32 v) override { change(m_state.PenColor, v); }
    void setPenStyle(qint32 v) override { change(m_state.PenStyle, v); }
    void setPenWidth(qint32 v) override { change(m_state.PenWidth, v); }
    void setBrushColor(qint32 v) override { change(m_state.BrushColor, v); }
    void setTextColor(qint32 v) override { change(m_state.TextColor, v); }
    void setTextAlign(qint32 v) override { change(m_state.TextAlign, v); }
    void setFontName(const QString &v) override { change(m_state.FontName, v); }
    // A size that is no finite number is not taken: the recorded state holds numbers only.
    void setFontSize(float v) override
    {
        if (std::isfinite(v))
            change(m_state.FontSize, v);
    }
    void setFontBold(bool v) override { change(m_state.FontBold, v); }
    void setFontItalic(bool v) override { change(m_state.FontItalic, v); }
    void setFontStrikethru(bool v) override { change(m_state.FontStrikethru, v); }
    void setFontUnderline(bool v) override { change(m_state.FontUnderline, v); }

    void DrawRectangle(float x1, float y1, float x2, float y2) override;
    void DrawLine(float x1, float y1, float x2, float y2) override;
    void DrawPicture(const PrintPicture &picture, float left, float top, float width,
                     float height) override;
    void TextBox(const QString &text, float left, float top, float width, float height,
                 qint32 wrap = 1, bool fill = false) override;
    float TextWidth(const QString &text) override { return m_measure.Width(m_state, text); }

private:
    template <class T, class V>
    void change(T &field, const V &v)
    {
        if (field != v) {
            field = v;
            m_stateDirty = true;
        }
    }
    bool setMargin(float &field, float v);
    quint32 stateIndex();
    // False for a call that records nothing: no open document, or a coordinate that is no
    // finite number (reported once per document with "填涂位置超出范围，未打印").
    bool drawable(float a, float b, float c, float d);
    void record(OpKind kind, bool fill, float a, float b, float c, float d, quint32 ref);

    PrintDocument m_doc;
    PageSetup m_setup;
    bool m_outOfRangeReported = false;
    DrawState m_state;
    bool m_stateDirty = true;
    quint32 m_stateIndex = 0;
    bool m_preview = true;
    bool m_docOpen = false;
    qint32 m_showGuides = 0;
    TwipsTextMeasure m_measure;
};
