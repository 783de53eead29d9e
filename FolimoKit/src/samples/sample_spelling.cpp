// The pages of "Spelling Word Work": a cover, rainbow writing, ABC order, a word search,
// sentence writing and a word sort, all on the same ten short-vowel words.
#include "samples/sample_content.hpp"
#include "samples/sample_pages.hpp"
#include "samples/sample_palette.hpp"

#include <array>
#include <numbers>
#include <string>

namespace folimo {
namespace {

using namespace palette;
using sample::spellingWords;

// A writing line set from x0 to x1 on the base line y: solid top and base lines with a
// dashed middle line, height apart.
void writingLines(cairo_t* cr, double x0, double x1, double y, double height) {
    strokeLine(cr, {x0, y + height}, {x1, y + height}, grey(170), 1);
    strokeLine(cr, {x0, y + height / 2}, {x1, y + height / 2}, grey(190), 1, 5);
    strokeLine(cr, {x0, y}, {x1, y}, grey(110), 1.3);
}

void drawPencil(cairo_t* cr, Point tip, double length, double angle) {
    cairo_save(cr);
    cairo_translate(cr, tip.x, tip.y);
    cairo_rotate(cr, angle);
    const double w = 22;
    fillRect(cr, {36, -w / 2, length - 72, w}, yellow);
    fillRect(cr, {36, -w / 2, length - 72, w / 3}, shade(yellow, 0.12));
    fillRect(cr, {length - 36, -w / 2, 14, w}, grey(170));
    fillRoundedRect(cr, {length - 26, -w / 2, 26, w}, 6, coral);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 36, w / 2);
    cairo_line_to(cr, 36, -w / 2);
    cairo_close_path(cr);
    fillPath(cr, RGBColor::fromHex(0xF3D9B1));
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 12, w / 6);
    cairo_line_to(cr, 12, -w / 6);
    cairo_close_path(cr);
    fillPath(cr, navy);
    cairo_restore(cr);
}

void cover(const Sheet& sheet) {
    cairo_t* cr = sheet.ctx;
    fillRect(cr, {0, 0, sheet.width, sheet.height}, tint(yellow, 0.75));
    fillRoundedRect(cr, {28, 28, sheet.width - 56, sheet.height - 56}, 28, RGBColor::white);
    strokeRoundedRect(cr, {40, 40, sheet.width - 80, sheet.height - 80}, 20, tint(blue, 0.6), 2);

    const std::string_view letters = "SPELL";
    const std::array<RGBColor, 5> tileColors = {blue, yellow, coral, navy, blue};
    const Font tileFont = sheet.font(42, true);
    const double tile = 72;
    const double gap = 14;
    const double tilesLeft = sheet.width / 2 - (5 * tile + 4 * gap) / 2;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const Point centre{tilesLeft + (tile + gap) * double(i) + tile / 2, sheet.top(150)};
        cairo_save(cr);
        cairo_translate(cr, centre.x, centre.y);
        cairo_rotate(cr, i % 2 == 0 ? 0.07 : -0.06);
        const Rect shape{-tile / 2, -tile / 2, tile, tile};
        fillRoundedRect(cr, {shape.x + 3, shape.y - 4, tile, tile}, 12, shade(tileColors[i], 0.25));
        fillRoundedRect(cr, shape, 12, tileColors[i]);
        const RGBColor letterColor = tileColors[i] == yellow ? navy : RGBColor::white;
        sheet.centredText(letters.substr(i, 1), tileFont, letterColor, Point{0, 0});
        cairo_restore(cr);
    }

    const double centre = sheet.width / 2;
    const Font titleFont = sheet.font(60, true);
    sheet.centredText("Spelling", titleFont, navy, centre, sheet.top(290));
    sheet.centredText("Word Work", titleFont, coral, centre, sheet.top(356));
    sheet.centredText("Short vowel words  \u2022  Any word list", sheet.font(18), navy, centre,
                      sheet.top(400));

    // A sheet of writing paper with a pencil across it.
    const Rect paper = sheet.box(centre - 160, 440, 320, 180);
    fillRoundedRect(cr, {paper.x + 5, paper.y - 5, paper.width, paper.height}, 12, tint(navy, 0.8));
    fillRoundedRect(cr, paper, 12, RGBColor::white);
    strokeRoundedRect(cr, paper, 12, tint(navy, 0.6), 1);
    for (int line = 0; line < 3; ++line)
        writingLines(cr, paper.minX() + 24, paper.maxX() - 24, paper.maxY() - 66 - 50.0 * line, 30);
    drawPencil(cr, {paper.minX() + 120, paper.maxY() - 98}, 230, 0.55);

    sheet.pill("6 printable pages", blue, {centre, sheet.top(679)});
}

void rainbowWrite(const Sheet& sheet) {
    sheet.header("Rainbow Write", "Write each word three times in three colors.", blue);
    cairo_t* cr = sheet.ctx;
    struct Column {
        std::string_view title;
        RGBColor color;
    };
    const std::array<Column, 4> columns = {{{"Word", navy},
                                            {"Red", RGBColor::fromHex(0xD64541)},
                                            {"Orange", RGBColor::fromHex(0xEE8A2F)},
                                            {"Blue", blue}}};
    const std::array<double, 4> xs = {40, 173, 306, 439};
    const double boxWidth = 125;
    const Font headFont = sheet.font(13, true);
    const Font wordFont = sheet.font(18, true);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const Rect head = sheet.box(xs[c], 172, boxWidth, 30);
        fillRoundedRect(cr, head, 8, columns[c].color);
        sheet.centredText(columns[c].title, headFont, RGBColor::white, head.mid());
    }
    for (std::size_t w = 0; w < spellingWords.size(); ++w)
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const Rect box = sheet.box(xs[c], 210 + 52 * double(w), boxWidth, 44);
            if (c == 0) {
                fillRoundedRect(cr, box, 8, tint(blue, 0.9));
                sheet.centredText(spellingWords[w], wordFont, navy, box.mid());
            } else {
                strokeLine(cr, {box.minX() + 10, box.midY()}, {box.maxX() - 10, box.midY()},
                           tint(columns[c].color, 0.6), 0.8, 4);
            }
            strokeRoundedRect(cr, box, 8, grey(200), 1);
        }
}

void abcOrder(const Sheet& sheet) {
    sheet.header("ABC Order", "Write the words in ABC order.", coral);
    cairo_t* cr = sheet.ctx;
    const Rect bank = sheet.box(60, 176, 492, 80);
    fillRoundedRect(cr, bank, 12, RGBColor::fromHex(0xFFF4E8));
    strokeRoundedRect(cr, bank, 12, coral, 1);
    const Font wordFont = sheet.font(16, true);
    for (std::size_t w = 0; w < spellingWords.size(); ++w) {
        const double x = bank.minX() + bank.width * (double(w % 5) + 0.5) / 5;
        const double baseline = bank.maxY() - 32 - 32 * double(w / 5);
        sheet.centredText(spellingWords[w], wordFont, navy, x, baseline);
    }

    const Font numberFont = sheet.font(16, true);
    for (int n = 0; n < 10; ++n) {
        const double left = n < 5 ? 64 : 324;
        const double baseY = sheet.top(336 + 84.0 * (n % 5));
        sheet.rightAlignedText(std::to_string(n + 1) + ".", numberFont, coral, left + 28, baseY);
        writingLines(cr, left + 36, left + 228, baseY, 32);
    }
}

void wordSearch(const Sheet& sheet) {
    sheet.header("Word Search", "Find and circle each word.", yellow);
    cairo_t* cr = sheet.ctx;
    const Rect frame = sheet.box(82, 180, 448, 448);
    fillRoundedRect(cr, frame, 16, tint(yellow, 0.85));
    strokeRoundedRect(cr, frame, 16, navy, 2);

    const auto grid = sample::wordSearchGrid();
    const Font letterFont = sheet.font(18, true);
    const double cell = 36;
    const double firstCentre = frame.minX() + (frame.width - 12 * cell) / 2 + cell / 2;
    for (std::size_t r = 0; r < grid.size(); ++r)
        for (std::size_t c = 0; c < grid[r].size(); ++c)
            sheet.centredText(std::string(1, grid[r][c]), letterFont, navy,
                              firstCentre + cell * double(c),
                              sheet.top(180 + cell * double(r) + 25));

    const Font listFont = sheet.font(16, true);
    for (std::size_t w = 0; w < spellingWords.size(); ++w) {
        const double x = 82 + 448.0 * double(w % 5) / 5 + 18;
        const double baseline = sheet.top(672 + 36 * double(w / 5));
        strokeRoundedRect(cr, {x, baseline - 1, 13, 13}, 3, tint(navy, 0.4), 1.2);
        sheet.text(spellingWords[w], listFont, navy, {x + 20, baseline});
    }
}

void sentenceWriting(const Sheet& sheet) {
    sheet.header("Sentence Writing", "Use each word in a sentence.", blue);
    cairo_t* cr = sheet.ctx;
    const Font wordFont = sheet.font(16, true);
    for (std::size_t w = 0; w < spellingWords.size(); ++w) {
        const double baseY = sheet.top(738 - 56 * double(spellingWords.size() - 1 - w));
        const Rect label{44, baseY - 2, 84, 30};
        fillRoundedRect(cr, label, 15, tint(blue, 0.85));
        sheet.centredText(spellingWords[w], wordFont, navy, label.mid());
        writingLines(cr, 142, 568, baseY, 30);
    }
}

void drawScissors(cairo_t* cr, Point at) {
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    strokeLine(cr, {at.x, at.y + 4}, {at.x + 20, at.y - 5}, grey(90), 2);
    strokeLine(cr, {at.x, at.y - 4}, {at.x + 20, at.y + 5}, grey(90), 2);
    for (double dy : {5.5, -5.5}) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, at.x - 4, at.y + dy, 4, 0, 2 * std::numbers::pi);
        strokePath(cr, grey(90), 1.8);
    }
    cairo_restore(cr);
}

void wordSort(const Sheet& sheet) {
    sheet.header("Word Sort", "Cut out the words and sort them by vowel sound.", coral);
    cairo_t* cr = sheet.ctx;
    const std::array<std::string_view, 3> groups = {"short a", "short e", "short i"};
    const std::array<RGBColor, 3> colors = {blue, yellow, coral};
    const Font headFont = sheet.font(16, true);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const double x = 48 + 176 * double(g);
        const Rect body = sheet.box(x, 180, 164, 336);
        fillRoundedRect(cr, body, 14, tint(colors[g], 0.9));
        const Rect head = sheet.box(x, 180, 164, 40);
        fillRoundedRect(cr, head, 14, colors[g]);
        fillRect(cr, {head.x, head.y, head.width, 14}, colors[g]);
        sheet.centredText(groups[g], headFont, colors[g] == yellow ? navy : RGBColor::white,
                          head.mid());
        for (int slot = 0; slot < 4; ++slot) {
            const Rect place = sheet.box(x + 22, 238 + 68.0 * slot, 120, 50);
            fillRoundedRect(cr, place, 8, RGBColor::white);
        }
    }

    const double cutY = sheet.top(552);
    strokeLine(cr, {76, cutY}, {564, cutY}, grey(120), 1, 6);
    drawScissors(cr, {52, cutY});

    const Font cardFont = sheet.font(20, true);
    for (std::size_t w = 0; w < spellingWords.size(); ++w) {
        const Rect card = sheet.box(48 + 105 * double(w % 5), 580 + 72 * double(w / 5), 96, 56);
        cairo_rectangle(cr, card.x, card.y, card.width, card.height);
        strokePath(cr, grey(120), 1, 5);
        sheet.centredText(spellingWords[w], cardFont, navy, card.mid());
    }
}

} // namespace

std::vector<PageDrawer> spellingPages() {
    return {cover, rainbowWrite, abcOrder, wordSearch, sentenceWriting, wordSort};
}

} // namespace folimo
