// The pages of "Weekly Teacher Planner": a cover, the week at a glance, a month grid, a to-do
// list, lesson notes and a family contact log.
#include "samples/sample_pages.hpp"
#include "samples/sample_palette.hpp"

#include <array>

namespace folimo {
namespace {

using namespace palette;

const RGBColor paper = RGBColor::fromHex(0xFBF7F4);

void cover(const Sheet& sheet) {
    cairo_t* cr = sheet.ctx;
    fillRect(cr, {0, 0, sheet.width, sheet.height}, paper);

    // A planner's spine down the left edge with its binding rings.
    fillRect(cr, {0, 0, 78, sheet.height}, teal);
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int ring = 0; ring < 11; ++ring) {
        const double y = sheet.top(96 + 60.0 * ring);
        fillEllipse(cr, {56, y}, 16, 16, paper);
        cairo_move_to(cr, 56, y);
        cairo_line_to(cr, 92, y);
        strokePath(cr, slate, 5);
    }
    cairo_restore(cr);

    // Soft shapes in the top and bottom right corners.
    fillEllipse(cr, {560, sheet.top(70)}, 220, 220, tint(blush, 0.35));
    fillEllipse(cr, {470, sheet.top(40)}, 110, 110, tint(blush, 0.6));
    fillEllipse(cr, {590, 60}, 190, 190, tint(teal, 0.75));
    fillEllipse(cr, {500, 30}, 80, 80, tint(blush, 0.45));

    const double centre = 78 + (sheet.width - 78) / 2;
    sheet.centredText("Weekly", sheet.font(40), slate, centre, sheet.top(240));
    sheet.centredText("Teacher Planner", sheet.font(50, true), teal, centre, sheet.top(300));
    strokeLine(cr, {centre - 60, sheet.top(326)}, {centre + 60, sheet.top(326)}, blush, 3);
    sheet.centredText("Undated  \u2022  Plan, track and note it all", sheet.font(16), slate, centre,
                      sheet.top(360));

    // A small week page as the illustration: five day columns with a few coloured blocks.
    const Rect page = sheet.box(centre - 150, 410, 300, 210);
    fillRoundedRect(cr, {page.x + 6, page.y - 6, page.width, page.height}, 14, tint(slate, 0.8));
    fillRoundedRect(cr, page, 14, RGBColor::white);
    fillRoundedRect(cr, {page.x, page.maxY() - 34, page.width, 34}, 14, teal);
    fillRect(cr, {page.x, page.maxY() - 34, page.width, 16}, teal);
    const double columnWidth = (page.width - 24) / 5;
    const std::array<std::array<int, 3>, 5> blocks = {
        {{0, 1, 0}, {1, 0, 2}, {2, 1, 0}, {0, 2, 1}, {1, 0, 0}}};
    const std::array<RGBColor, 3> blockColors = {tint(teal, 0.55), blush, tint(slate, 0.7)};
    for (int day = 0; day < 5; ++day) {
        const double x = page.x + 12 + columnWidth * day;
        if (day > 0) strokeLine(cr, {x, page.minY() + 12}, {x, page.maxY() - 46}, grey(222), 1);
        for (int slot = 0; slot < 3; ++slot)
            fillRoundedRect(cr, {x + 6, page.maxY() - 86 - 52.0 * slot, columnWidth - 12, 38}, 6,
                            blockColors[std::size_t(blocks[std::size_t(day)][std::size_t(slot)])]);
    }

    sheet.pill("6 printable pages", teal, {centre, sheet.top(679)});
}

void weekAtAGlance(const Sheet& sheet) {
    sheet.header("Week at a Glance", "Week of ____________________", teal);
    cairo_t* cr = sheet.ctx;
    constexpr std::array<std::string_view, 4> subjects = {"Reading", "Math", "Writing", "Science"};
    constexpr std::array<std::string_view, 5> days = {"Mon", "Tue", "Wed", "Thu", "Fri"};
    const Font headFont = sheet.font(13, true);
    const Font dayFont = sheet.font(14, true);

    const double left = 40;
    const double tableLeft = 100;
    const double columnWidth = 118;
    const double right = tableLeft + columnWidth * subjects.size();
    const Rect head = sheet.box(tableLeft, 180, right - tableLeft, 32);
    fillRoundedRect(cr, head, 8, teal);
    for (std::size_t s = 0; s < subjects.size(); ++s)
        sheet.centredText(subjects[s], headFont, RGBColor::white,
                          {tableLeft + columnWidth * (double(s) + 0.5), head.midY()});

    const double rowHeight = 104;
    for (std::size_t d = 0; d < days.size(); ++d) {
        const Rect row = sheet.box(left, 218 + rowHeight * double(d), right - left, rowHeight);
        if (d % 2 == 0)
            fillRect(cr, {tableLeft, row.y, right - tableLeft, row.height}, tint(teal, 0.92));
        fillRect(cr, {left, row.y + 3, tableLeft - left - 6, row.height - 6}, tint(blush, 0.55));
        sheet.centredText(days[d], dayFont, slate, {(left + tableLeft - 6) / 2, row.midY()});
    }
    const double tableTop = sheet.top(218);
    const double tableBottom = sheet.top(218 + rowHeight * days.size());
    for (std::size_t d = 0; d <= days.size(); ++d) {
        const double y = tableTop - rowHeight * double(d);
        strokeLine(cr, {tableLeft, y}, {right, y}, grey(190), 1);
    }
    for (std::size_t s = 0; s <= subjects.size(); ++s) {
        const double x = tableLeft + columnWidth * double(s);
        strokeLine(cr, {x, tableTop}, {x, tableBottom}, grey(190), 1);
    }
}

void monthlyCalendar(const Sheet& sheet) {
    sheet.header("Monthly Calendar", "Month ____________________", blush);
    cairo_t* cr = sheet.ctx;
    constexpr std::array<std::string_view, 7> weekDays = {"Sun", "Mon", "Tue", "Wed",
                                                          "Thu", "Fri", "Sat"};
    const double left = 40;
    const double cell = 76;
    const Font dayFont = sheet.font(12, true);
    fillRoundedRect(cr, sheet.box(left, 172, cell * 7, 22), 6, tint(blush, 0.45));
    for (std::size_t d = 0; d < weekDays.size(); ++d)
        sheet.centredText(weekDays[d], dayFont, slate, left + cell * (double(d) + 0.5),
                          sheet.top(186));

    for (int week = 0; week < 5; ++week)
        for (int d = 0; d < 7; ++d) {
            const Rect day = sheet.box(left + cell * d, 200 + cell * week, cell, cell);
            if (d == 0 || d == 6) fillRect(cr, day, tint(blush, 0.85));
            strokeRect(cr, day, grey(170), 1);
            fillEllipse(cr, {day.minX() + 14, day.maxY() - 14}, 14, 14, tint(teal, 0.8));
        }

    // A ruled notes panel under the month.
    const Rect notes = sheet.box(left, 596, cell * 7, 140);
    strokeRoundedRect(cr, notes, 10, tint(teal, 0.5), 1);
    fillRoundedRect(cr, {notes.x, notes.y + 14, 6, notes.height - 28}, 3, blush);
    for (int line = 1; line <= 4; ++line) {
        const double y = notes.maxY() - 28.0 * line;
        strokeLine(cr, {notes.minX() + 20, y}, {notes.maxX() - 20, y}, grey(210), 1);
    }
}

void toDoList(const Sheet& sheet) {
    sheet.header("To-Do List", "", teal);
    cairo_t* cr = sheet.ctx;
    for (int k = 0; k < 16; ++k) {
        const double t = 186 + 34.0 * k;
        strokeRoundedRect(cr, sheet.box(52, t - 14, 16, 16), 4, teal, 1.5);
        strokeLine(cr, {80, sheet.top(t + 2)}, {560, sheet.top(t + 2)}, grey(210), 1);
    }
}

void lessonNotes(const Sheet& sheet) {
    sheet.header("Lesson Notes", "Subject __________________   Date __________", blush);
    cairo_t* cr = sheet.ctx;
    // A notebook margin in blush, then the ruled lines.
    strokeLine(cr, {96, sheet.top(184)}, {96, sheet.top(728)}, blush, 1.5);
    for (int k = 0; k < 20; ++k) {
        const double y = sheet.top(200 + 27.0 * k);
        strokeLine(cr, {48, y}, {564, y}, RGBColor::fromHex(0xCFD8D4), 1);
    }
}

void familyContactLog(const Sheet& sheet) {
    sheet.header("Family Contact Log", "", teal);
    cairo_t* cr = sheet.ctx;
    struct Column {
        std::string_view title;
        double width;
    };
    constexpr std::array<Column, 4> columns = {
        {{"Date", 70}, {"Student", 120}, {"Reason", 150}, {"Notes", 192}}};
    const Font headFont = sheet.font(13, true);
    // The table starts 180 points from the top: with 14 rows of 38 it then ends 10 points
    // above the footer rule.
    const double tableTop = 180;
    const double headHeight = 30;
    const double rowHeight = 38;
    double x = 40;
    for (const Column& column : columns) {
        const Rect head = sheet.box(x, tableTop, column.width, headHeight);
        fillRect(cr, head, teal);
        strokeRect(cr, head, shade(teal, 0.25), 1);
        sheet.centredText(column.title, headFont, RGBColor::white, head.mid());
        for (int row = 0; row < 14; ++row) {
            const Rect cell =
                sheet.box(x, tableTop + headHeight + rowHeight * row, column.width, rowHeight);
            if (row % 2 == 1) fillRect(cr, cell, tint(teal, 0.92));
            strokeRect(cr, cell, grey(180), 1);
        }
        x += column.width;
    }
}

} // namespace

std::vector<PageDrawer> plannerPages() {
    return {cover, weekAtAGlance, monthlyCalendar, toDoList, lessonNotes, familyContactLog};
}

} // namespace folimo
