// A surface that records every text it draws with its position, style and colour, and the
// lines and shapes; text width is one unit per character. Used by the tests.
#pragma once

#include "report/Surface.h"

#include <string>
#include <vector>

namespace velmora {

class RecordingSurface : public Surface {
public:
    struct Text {
        std::string text;
        double x = 0;
        double y = 0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        double sizePt = 0;
        Rgb color;
    };
    struct Line {
        double x1, y1, x2, y2;
    };

    void clear() override {
        texts.clear();
        lines.clear();
        shapes = 0;
        ++clears;
    }
    void setScale(double l, double t, double r, double b) override { scale = {l, t, r, b}; }
    void setPos(double x, double y) override {
        x_ = x;
        y_ = y;
    }
    double x() const override { return x_; }
    double y() const override { return y_; }
    void setFont(const std::string& name, double sizePt) override {
        font = name;
        size_ = sizePt;
    }
    std::string fontName() const override { return font; }
    double fontSize() const override { return size_; }
    void setBold(bool on) override { bold_ = on; }
    void setItalic(bool on) override { italic_ = on; }
    void setUnderline(bool on) override { underline_ = on; }
    void setColor(Rgb c) override { color_ = c; }
    void drawText(const std::string& text) override {
        texts.push_back({text, x_, y_, bold_, italic_, underline_, size_, color_});
        x_ += textWidth(text);
    }
    double textWidth(const std::string& text) const override {
        const double bySize = charWidthAtPt > 0 ? size_ / charWidthAtPt : 1.0;
        return static_cast<double>(text.size()) * charWidth * bySize;
    }
    double textHeight(const std::string&) const override { return lineHeight; }
    void line(double x1, double y1, double x2, double y2) override {
        lines.push_back({x1, y1, x2, y2});
    }
    void polygon(const std::vector<Point>&, bool) override { ++shapes; }
    void ellipse(double, double, double, double, bool) override { ++shapes; }

    // The first recorded text equal to `t`, or nullptr.
    const Text* find(const std::string& t) const {
        for (const auto& x : texts)
            if (x.text == t)
                return &x;
        return nullptr;
    }

    std::vector<Text> texts;
    std::vector<Line> lines;
    int shapes = 0;
    int clears = 0;
    std::vector<double> scale;
    std::string font;
    double charWidth = 1.0;
    // When set, charWidth is the width at this font size and text widths follow the size.
    double charWidthAtPt = 0;
    double lineHeight = 1.0;

private:
    double x_ = 0;
    double y_ = 0;
    double size_ = 0;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    Rgb color_;
};

} // namespace velmora
