#include "samples/sample_sheet.hpp"

#include "render/drawing/paint.hpp"
#include "samples/sample_palette.hpp"

namespace folimo {

Font Sheet::font(double size, bool bold) const {
    return folimo::font(family, size, bold);
}

void Sheet::header(std::string_view title, std::string_view instruction,
                   const RGBColor& color) const {
    fillRoundedRect(ctx, {36, top(100), width - 72, 64}, 18, color);

    const Font titleFont = font(28, true);
    centredText(title, titleFont, RGBColor::white, width / 2, top(78));

    const Font lineFont = font(12);
    const RGBColor lineColor = palette::grey(43);
    text("Name ____________________________", lineFont, lineColor, {44, top(130)});
    text("Date ______________", lineFont, lineColor, {400, top(130)});

    if (!instruction.empty())
        centredText(instruction, font(12.5), palette::grey(85), width / 2, top(160));
    footer();
}

void Sheet::footer() const {
    strokeLine(ctx, {36, top(752)}, {width - 36, top(752)}, palette::grey(208), 1);
    const Font footerFont = font(9);
    const RGBColor footerColor = palette::grey(138);
    text(pack, footerFont, footerColor, {36, top(770)});
    rightAlignedText("Page " + std::to_string(number) + " of " + std::to_string(of), footerFont,
                     footerColor, width - 36, top(770));
}

void Sheet::text(std::string_view text, const Font& font, const RGBColor& color,
                 Point baselineOrigin) const {
    drawLine(ctx, text, font, color, 1, baselineOrigin);
}

void Sheet::centredText(std::string_view text, const Font& font, const RGBColor& color,
                        double centreX, double baselineY) const {
    std::lock_guard lock(textLock());
    drawLine(ctx, text, font, color, 1, {centreX - measure(text, font).width / 2, baselineY});
}

void Sheet::rightAlignedText(std::string_view text, const Font& font, const RGBColor& color,
                             double rightX, double baselineY) const {
    std::lock_guard lock(textLock());
    drawLine(ctx, text, font, color, 1, {rightX - measure(text, font).width, baselineY});
}

void Sheet::centredText(std::string_view text, const Font& font, const RGBColor& color,
                        Point centre) const {
    std::lock_guard lock(textLock());
    centredText(text, font, color, centre.x, centre.y - capHeight(font) / 2);
}

void Sheet::pill(std::string_view text, const RGBColor& color, Point centre) const {
    const Font pillFont = font(16, true);
    const double width = measure(text, pillFont).width + 52;
    fillRoundedRect(ctx, {centre.x - width / 2, centre.y - 21, width, 42}, 21, color);
    centredText(text, pillFont, RGBColor::white, centre);
}

std::vector<std::string> Sheet::wrapped(std::string_view text, const Font& font,
                                        double width) const {
    std::lock_guard lock(textLock());
    std::vector<std::string> lines;
    std::string line;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view word = text.substr(start, end - start);
        start = end + 1;
        if (word.empty()) continue;
        std::string candidate = line.empty() ? std::string(word) : line + " " + std::string(word);
        if (!line.empty() && measure(candidate, font).width > width) {
            lines.push_back(std::move(line));
            line = std::string(word);
        } else {
            line = std::move(candidate);
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

} // namespace folimo
