// The pages of "Fall Math Practice": a cover, two practice pages, counting, story
// problems, a hundred chart, a colour-by-sum sheet and the answer key.
#include "samples/sample_content.hpp"
#include "samples/sample_pages.hpp"
#include "samples/sample_palette.hpp"
#include "samples/sample_random.hpp"

#include <algorithm>
#include <array>
#include <string>

namespace folimo {
namespace {

using namespace palette;

const RGBColor cream = RGBColor::fromHex(0xFBF3E4);
const RGBColor acornNut = RGBColor::fromHex(0xC98A4B);
const RGBColor warmText = RGBColor::fromHex(0x5A4636); // (90, 70, 54)

constexpr std::string_view minus = "\u2212";

// A leaf of size s about the current origin, stem downwards, with a darker centre vein.
void drawLeaf(cairo_t* cr, Point centre, double s, double angle, const RGBColor& color) {
    cairo_save(cr);
    cairo_translate(cr, centre.x, centre.y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0, -s / 2);
    cairo_curve_to(cr, 0.55 * s, -0.25 * s, 0.4 * s, 0.3 * s, 0, s / 2);
    cairo_curve_to(cr, -0.4 * s, 0.3 * s, -0.55 * s, -0.25 * s, 0, -s / 2);
    cairo_close_path(cr);
    fillPath(cr, color);
    strokeLine(cr, {0, -0.62 * s}, {0, 0.4 * s}, shade(color, 0.3), std::max(0.03 * s, 0.8));
    cairo_restore(cr);
}

// An acorn of size a about centre: the nut, its cap and the stem on top.
void drawAcorn(cairo_t* cr, Point centre, double a) {
    const double x = centre.x;
    const double y = centre.y;
    fillEllipse(cr, {x, y - 0.1 * a}, 0.64 * a, 0.72 * a, acornNut);
    fillRoundedRect(cr, {x - 0.4 * a, y + 0.1 * a, 0.8 * a, 0.3 * a}, 0.15 * a, brown);
    fillRect(cr, {x - 0.04 * a, y + 0.38 * a, 0.08 * a, 0.14 * a}, brown);
}

// A pumpkin w wide standing on its base centre: ribbed body, stem, a leaf and a curl.
void drawPumpkin(cairo_t* cr, Point base, double w) {
    const double h = 0.72 * w;
    const Point c{base.x, base.y + h / 2};
    fillEllipse(cr, {base.x, base.y + 2}, 1.05 * w, 0.12 * w, tint(brown, 0.78));
    fillEllipse(cr, {c.x - 0.25 * w, c.y}, 0.5 * w, h, shade(orange, 0.12));
    fillEllipse(cr, {c.x + 0.25 * w, c.y}, 0.5 * w, h, shade(orange, 0.12));
    fillEllipse(cr, {c.x - 0.14 * w, c.y}, 0.48 * w, h * 1.02, orange);
    fillEllipse(cr, {c.x + 0.14 * w, c.y}, 0.48 * w, h * 1.02, orange);
    fillEllipse(cr, c, 0.4 * w, h * 1.04, tint(orange, 0.1));

    // Stem leaning right, from inside the body's top.
    const double topY = c.y + h * 0.52;
    cairo_move_to(cr, c.x - 0.05 * w, topY - 0.04 * w);
    cairo_curve_to(cr, c.x - 0.05 * w, topY + 0.08 * w, c.x + 0.0 * w, topY + 0.14 * w,
                   c.x + 0.07 * w, topY + 0.18 * w);
    cairo_line_to(cr, c.x + 0.1 * w, topY + 0.14 * w);
    cairo_curve_to(cr, c.x + 0.06 * w, topY + 0.1 * w, c.x + 0.05 * w, topY + 0.04 * w,
                   c.x + 0.05 * w, topY - 0.04 * w);
    cairo_close_path(cr);
    fillPath(cr, brown);

    drawLeaf(cr, {c.x - 0.17 * w, topY + 0.09 * w}, 0.24 * w, 1.2, green);
    cairo_move_to(cr, c.x + 0.04 * w, topY + 0.06 * w);
    cairo_curve_to(cr, c.x + 0.2 * w, topY + 0.16 * w, c.x + 0.26 * w, topY, c.x + 0.18 * w,
                   topY + 0.02 * w);
    cairo_curve_to(cr, c.x + 0.12 * w, topY + 0.04 * w, c.x + 0.16 * w, topY + 0.12 * w,
                   c.x + 0.24 * w, topY + 0.1 * w);
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    strokePath(cr, green, std::max(0.012 * w, 1.0));
    cairo_restore(cr);
}

void cover(const Sheet& sheet) {
    cairo_t* cr = sheet.ctx;
    fillRect(cr, {0, 0, sheet.width, sheet.height}, cream);
    strokeRoundedRect(cr, {22, 22, sheet.width - 44, sheet.height - 44}, 26, orange, 5);

    const std::array<RGBColor, 5> leafColors = {orange, red, gold, green, brown};
    SampleRandom random(sample::seed::fallCover);
    for (int k = 0; k < 16; ++k) {
        const double r1 = random.fraction();
        const double r2 = random.fraction();
        Point at;
        switch (k % 4) {
        case 0:
            at = {60 + r1 * 70, sheet.top(80 + r2 * 600)};
            break;
        case 1:
            at = {480 + r1 * 70, sheet.top(80 + r2 * 600)};
            break;
        case 2:
            at = {70 + r1 * 470, sheet.top(60 + r2 * 70)};
            break;
        default:
            at = {70 + r1 * 470, sheet.top(700 + r2 * 40)};
            break;
        }
        const double size = 34 + 26 * random.fraction();
        const double angle = 6 * random.fraction();
        drawLeaf(cr, at, size, angle, leafColors[std::size_t(k % 5)]);
    }

    const double centre = sheet.width / 2;
    const Font titleFont = sheet.font(64, true);
    sheet.centredText("Fall Math", titleFont, brown, centre, sheet.top(190));
    sheet.centredText("Practice", titleFont, orange, centre, sheet.top(262));
    sheet.centredText("Addition & Subtraction within 100", sheet.font(18), warmText, centre,
                      sheet.top(304));

    drawPumpkin(cr, {centre, sheet.top(540)}, 190);
    drawAcorn(cr, {centre - 150, sheet.top(520)}, 44);
    drawAcorn(cr, {centre + 148, sheet.top(524)}, 38);

    sheet.pill("Grades 2\u20133  \u2022  8 printable pages", orange, {centre, sheet.top(597)});
    sheet.centredText("Answer key included", sheet.font(14), warmText, centre, sheet.top(652));
}

// Twenty problems written in columns on cards, four to a row.
void practicePage(const Sheet& sheet, std::string_view title, std::string_view instruction,
                  const RGBColor& color, const std::vector<sample::Problem>& problems,
                  std::string_view sign) {
    sheet.header(title, instruction, color);
    cairo_t* cr = sheet.ctx;
    const Font numberFont = sheet.font(24);
    const Font signFont = sheet.font(22, true);
    const Font labelFont = sheet.font(9, true);
    const RGBColor ink = grey(43);
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const Rect card = sheet.box(52 + 130 * double(i % 4), 182 + 112 * double(i / 4), 118, 102);
        fillRoundedRect(cr, card, 10, tint(color, 0.92));
        strokeRoundedRect(cr, card, 10, tint(color, 0.55), 1.2);
        sheet.text(std::to_string(i + 1), labelFont, color, {card.minX() + 10, card.maxY() - 16});

        const double numbersRight = card.maxX() - 26;
        sheet.rightAlignedText(std::to_string(problems[i].a), numberFont, ink, numbersRight,
                               card.maxY() - 34);
        sheet.rightAlignedText(std::to_string(problems[i].b), numberFont, ink, numbersRight,
                               card.maxY() - 62);
        sheet.text(sign, signFont, color, {card.minX() + 26, card.maxY() - 61});
        const double ruleY = card.maxY() - 71;
        strokeLine(cr, {card.minX() + 22, ruleY}, {numbersRight + 4, ruleY}, ink, 2);
    }
}

void leafAddition(const Sheet& sheet) {
    practicePage(sheet, "Leaf Addition", "Add. Regroup when you need to.", orange,
                 sample::problems(sample::seed::addition, false), "+");
}

void acornSubtraction(const Sheet& sheet) {
    practicePage(sheet, "Acorn Subtraction", "Subtract. Regroup when you need to.", brown,
                 sample::problems(sample::seed::subtraction, true), minus);
}

void countTheAcorns(const Sheet& sheet) {
    sheet.header("Count the Acorns", "Count the acorns in each row. Write the number in the box.",
                 green);
    cairo_t* cr = sheet.ctx;
    const std::vector<int> counts = sample::acornCounts();
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const Rect band = sheet.box(44, 200 + 88 * double(i), sheet.width - 88, 76);
        if (i % 2 == 0) fillRoundedRect(cr, band, 12, RGBColor::fromHex(0xF6F1E6));
        strokeRoundedRect(cr, band, 12, RGBColor::fromHex(0xE2D7C4), 1);
        for (int k = 0; k < counts[i]; ++k)
            drawAcorn(cr, {84 + 44.0 * k, band.midY()}, 34);
        const Rect answer{486, band.midY() - 25, 70, 50};
        fillRoundedRect(cr, answer, 8, RGBColor::white);
        strokeRoundedRect(cr, answer, 8, grey(106), 1.5);
    }
}

void pumpkinPatchProblems(const Sheet& sheet) {
    sheet.header("Pumpkin Patch Problems", "Read each story. Show your work and write the answer.",
                 red);
    cairo_t* cr = sheet.ctx;
    const std::array<RGBColor, 4> badgeColors = {red, orange, green, brown};
    const Font badgeFont = sheet.font(18, true);
    const Font storyFont = sheet.font(14);
    const Font answerFont = sheet.font(13, true);
    for (std::size_t k = 0; k < sample::storyProblems.size(); ++k) {
        const Rect card = sheet.box(36, 178 + 141 * double(k), sheet.width - 72, 130);
        fillRoundedRect(cr, card, 14, tint(red, 0.93));

        const Point badge{card.minX() + 28, card.maxY() - 26};
        fillEllipse(cr, badge, 32, 32, badgeColors[k]);
        sheet.centredText(std::to_string(k + 1), badgeFont, RGBColor::white, badge);

        const double textX = card.minX() + 56;
        double baseline = card.maxY() - 24;
        for (const auto& line :
             sheet.wrapped(sample::storyProblems[k], storyFont, card.maxX() - 16 - textX)) {
            sheet.text(line, storyFont, grey(43), {textX, baseline});
            baseline -= 19;
        }

        const double workTop = baseline + 19 - 14;
        const Rect work{textX, card.minY() + 12, card.maxX() - 8 - textX,
                        workTop - card.minY() - 12};
        fillRoundedRect(cr, work, 8, RGBColor::white);
        strokeRoundedRect(cr, work, 8, grey(201), 1);
        const double answerY = work.minY() + 14;
        sheet.text("Answer:", answerFont, grey(43), {410, answerY});
        strokeLine(cr, {468, answerY - 2}, {560, answerY - 2}, grey(154), 1);
    }
}

void missingNumbers(const Sheet& sheet) {
    sheet.header("Missing Numbers", "Fill in the missing numbers on the hundred chart.", gold);
    cairo_t* cr = sheet.ctx;
    const std::vector<int> blanks = sample::hundredChartBlanks();
    const Font regular = sheet.font(16);
    const Font bold = sheet.font(16, true);
    for (int n = 1; n <= 100; ++n) {
        const int row = (n - 1) / 10;
        const int column = (n - 1) % 10;
        const Rect cell = sheet.box(56 + 50.0 * column, 196 + 50.0 * row, 50, 50);
        if (std::ranges::binary_search(blanks, n)) {
            fillRect(cr, cell, RGBColor::fromHex(0xFFF6E2));
        } else {
            sheet.centredText(std::to_string(n), n % 10 == 0 ? bold : regular, grey(43),
                              cell.mid());
        }
        strokeRect(cr, cell, RGBColor::fromHex(0xB9A88E), 1);
    }
}

void colourBySum(const Sheet& sheet) {
    sheet.header("Color by Sum", "Solve each fact. Color the space using the key.", orange);
    cairo_t* cr = sheet.ctx;
    struct KeyEntry {
        std::string_view word;
        RGBColor color;
    };
    const std::array<KeyEntry, 4> key = {
        {{"orange", orange}, {"brown", brown}, {"yellow", gold}, {"green", green}}};
    const Font keyFont = sheet.font(13, true);
    for (std::size_t j = 0; j < key.size(); ++j) {
        const Rect square = sheet.box(60 + 130 * double(j), 180, 26, 26);
        fillRoundedRect(cr, square, 6, key[j].color);
        sheet.text(std::to_string(sample::colourBySumKeySums[j]) + " = " + std::string(key[j].word),
                   keyFont, grey(43), {square.maxX() + 9, square.midY() - capHeight(keyFont) / 2});
    }

    const Font factFont = sheet.font(15, true);
    const auto rows = sample::colourBySumFacts();
    for (std::size_t k = 0; k < rows.size(); ++k)
        for (std::size_t s = 0; s < rows[k].size(); ++s) {
            const Rect space = sheet.box(60 + 82 * double(s), 230 + 62 * double(k), 74, 52);
            strokeRoundedRect(cr, space, 10, grey(143), 1.2);
            const auto& fact = rows[k][s];
            sheet.centredText(std::to_string(fact.a) + " + " + std::to_string(fact.b), factFont,
                              grey(43), space.mid());
        }
}

// The answer key: both practice pages' problems with their results, side by side.
void answerKey(const Sheet& sheet) {
    sheet.header("Answer Key", "Leaf Addition and Acorn Subtraction", brown);
    cairo_t* cr = sheet.ctx;
    struct Section {
        std::string_view title;
        RGBColor color;
        std::vector<sample::Problem> problems;
        std::string_view sign;
    };
    const std::array<Section, 2> sections = {
        {{"Leaf Addition", orange, sample::problems(sample::seed::addition, false), "+"},
         {"Acorn Subtraction", brown, sample::problems(sample::seed::subtraction, true), minus}}};
    const Font headingFont = sheet.font(16, true);
    const Font entryFont = sheet.font(14);
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const Section& section = sections[s];
        const Rect card = sheet.box(52 + 262 * double(s), 180, 246, 556);
        fillRoundedRect(cr, card, 14, tint(section.color, 0.92));
        sheet.centredText(section.title, headingFont, section.color, card.midX(), card.maxY() - 32);
        strokeLine(cr, {card.minX() + 20, card.maxY() - 46}, {card.maxX() - 20, card.maxY() - 46},
                   tint(section.color, 0.5), 1);
        for (std::size_t i = 0; i < section.problems.size(); ++i) {
            const auto& p = section.problems[i];
            const int result = section.sign == "+" ? p.a + p.b : p.a - p.b;
            const std::string entry = std::to_string(i + 1) + ".  " + std::to_string(p.a) + " " +
                                      std::string(section.sign) + " " + std::to_string(p.b) +
                                      " = " + std::to_string(result);
            // Entries line up at the full stop after the problem number.
            const double x =
                card.minX() + 88 - measure(std::to_string(i + 1) + ".", entryFont).width;
            sheet.text(entry, entryFont, grey(43), {x, card.maxY() - 74 - 24.5 * double(i)});
        }
    }
}

} // namespace

std::vector<PageDrawer> fallMathPages() {
    return {cover,          leafAddition, acornSubtraction, countTheAcorns, pumpkinPatchProblems,
            missingNumbers, colourBySum,  answerKey};
}

} // namespace folimo
