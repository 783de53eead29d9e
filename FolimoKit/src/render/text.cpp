#include "folimo/font_families.hpp"
#include "model/glib_glue.hpp"
#include "model/grapheme_breaks.hpp"
#include "render/drawing/paint.hpp"
#include "render/text_p.hpp"

#include <cmath>
#include <glib.h>
#include <hb-ot.h>
#include <map>
#include <memory>
#include <pango/pangocairo.h>
#include <string>
#include <vector>

namespace folimo {
namespace {

// Free faces installed by scripts/install-deps that stand in for the brand families.
const std::map<std::string, std::string> lookAlikes = {
    {"avenir next", "Lato"},
    {"futura", "League Spartan"},
    {"gill sans", "Gillius ADF"},
    {"helvetica neue", "Nimbus Sans"},
    {"helvetica", "Nimbus Sans"},
    {"georgia", "C059"},
    {"baskerville", "Baskervald ADF Std"},
    {"american typewriter", "Courier Prime"},
    {"chalkboard se", "Comic Neue"},
    {"marker felt", "Humor Sans"},
    {"noteworthy", "Dancing Script"},
    {"rockwell", "Roboto Slab"},
    {"didot", "GFS Didot"},
};

std::string lowered(std::string_view text) {
    return takeString(g_utf8_strdown(text.data(), gssize(text.size())));
}

struct DescriptionFree {
    void operator()(PangoFontDescription* description) const {
        pango_font_description_free(description);
    }
};
using Layout = GObjectPtr<PangoLayout>;
using Context = GObjectPtr<PangoContext>;
using Description = std::unique_ptr<PangoFontDescription, DescriptionFree>;

// The one font map and options of the process. Metrics are unhinted, so a text measures the
// same whatever the scale it is later drawn at.
struct Fonts {
    PangoFontMap* map = pango_cairo_font_map_new();
    cairo_font_options_t* options = cairo_font_options_create();
    Context measuring;
    std::map<std::string, std::string> installed; // lower-case family -> family
    std::map<std::string, Font> resolved;         // "family|bold" -> resolved base font
    std::map<std::string, double> capHeights;     // "family|bold" -> cap height per unit size

    Fonts() {
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        measuring.reset(newContext());
        PangoFontFamily** families = nullptr;
        int count = 0;
        pango_font_map_list_families(map, &families, &count);
        for (int i = 0; i < count; ++i) {
            const char* name = pango_font_family_get_name(families[i]);
            installed.emplace(lowered(name), name);
        }
        g_free(families);
    }

    PangoContext* newContext() const {
        PangoContext* context = pango_font_map_create_context(map);
        pango_cairo_context_set_font_options(context, options);
        pango_context_set_round_glyph_positions(context, FALSE);
        return context;
    }

    std::string systemFamily() const {
        Description sans(pango_font_description_from_string("sans-serif 12"));
        const GObjectPtr<PangoFont> font(
            pango_font_map_load_font(map, measuring.get(), sans.get()));
        if (!font) return {};
        Description actual(pango_font_describe(font.get()));
        const char* family = pango_font_description_get_family(actual.get());
        return family ? family : "";
    }

    FontFamilyResolution resolve(std::string_view family) const {
        using Kind = FontFamilyResolution::Kind;
        const std::string key = lowered(family);
        if (auto found = installed.find(key); found != installed.end())
            return {Kind::installed, found->second};
        if (auto alike = lookAlikes.find(key); alike != lookAlikes.end())
            if (auto found = installed.find(lowered(alike->second)); found != installed.end())
                return {Kind::lookAlike, found->second};
        if (std::string system = systemFamily(); !system.empty()) return {Kind::missing, system};
        return {Kind::missing, "Nimbus Sans"};
    }
};

Fonts& fonts() {
    static Fonts* instance = new Fonts; // lives for the whole process, like the font map
    return *instance;
}

Description describe(const Font& font) {
    Description description(pango_font_description_new());
    pango_font_description_set_family(description.get(), font.family.c_str());
    pango_font_description_set_weight(description.get(),
                                      font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_absolute_size(description.get(), font.size * PANGO_SCALE);
    return description;
}

int pangoUnits(double value) {
    return int(std::lround(value * PANGO_SCALE));
}

Layout makeLayout(PangoContext* context, std::string_view text, const Font& font,
                  double letterSpacing = 0) {
    Layout layout(pango_layout_new(context));
    const std::string shown = shownText(text);
    pango_layout_set_text(layout.get(), shown.data(), int(shown.size()));
    pango_layout_set_font_description(layout.get(), describe(font).get());
    if (letterSpacing != 0) {
        PangoAttrList* attributes = pango_attr_list_new();
        pango_attr_list_insert(attributes,
                               pango_attr_letter_spacing_new(pangoUnits(letterSpacing)));
        pango_layout_set_attributes(layout.get(), attributes);
        pango_attr_list_unref(attributes);
    }
    return layout;
}

void wrap(PangoLayout* layout, double width) {
    pango_layout_set_width(layout, pangoUnits(width));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
}

double capHeightPerUnit(const Font& font) {
    Fonts& all = fonts();
    const std::string key = font.family + (font.bold ? "|true" : "|false");
    if (auto found = all.capHeights.find(key); found != all.capHeights.end()) return found->second;
    double ratio = 0.7;
    Font unit = font;
    unit.size = 1000;
    const GObjectPtr<PangoFont> loaded(
        pango_font_map_load_font(all.map, all.measuring.get(), describe(unit).get()));
    if (loaded) {
        hb_face_t* face = hb_font_get_face(pango_font_get_hb_font(loaded.get()));
        hb_font_t* plain = hb_font_create(face); // scale = units per em
        const double upem = hb_face_get_upem(face);
        hb_position_t position = 0;
        hb_codepoint_t glyph = 0;
        hb_glyph_extents_t extents;
        if (hb_ot_metrics_get_position(plain, HB_OT_METRICS_TAG_CAP_HEIGHT, &position) &&
            position > 0)
            ratio = position / upem;
        else if (hb_font_get_nominal_glyph(plain, 'H', &glyph) &&
                 hb_font_get_glyph_extents(plain, glyph, &extents) && extents.y_bearing > 0)
            ratio = extents.y_bearing / upem;
        hb_font_destroy(plain);
    }
    all.capHeights.emplace(key, ratio);
    return ratio;
}

// A context for drawing on cr, whose current matrix must already be y-down (text space).
Context drawingContext(cairo_t* cr) {
    Context context(fonts().newContext());
    pango_cairo_update_context(cr, context.get());
    return context;
}

} // namespace

std::recursive_mutex& textLock() {
    static std::recursive_mutex lock;
    return lock;
}

std::string shownText(std::string_view text) {
    const std::size_t cut = graphemePrefix(text, longestShownText, shownTextBytes);
    if (cut == text.size()) return std::string(text);
    // The ellipsis takes the place of the last character kept.
    const std::size_t kept = graphemePrefix(text.substr(0, cut), longestShownText - 1, cut);
    return std::string(text.substr(0, kept)) + "\u2026";
}

Font font(std::string_view family, double size, bool bold) {
    std::lock_guard guard(textLock());
    Fonts& all = fonts();
    const std::string key = std::string(family) + (bold ? "|true" : "|false");
    auto found = all.resolved.find(key);
    if (found == all.resolved.end())
        found = all.resolved.emplace(key, Font{all.resolve(family).drawnWith, 12, bold}).first;
    Font result = found->second;
    result.size = size;
    return result;
}

std::vector<std::string> installedFontFamilies() {
    std::lock_guard guard(textLock());
    // Keyed by the lower-case name, so already in order without regard to case.
    std::vector<std::string> families;
    families.reserve(fonts().installed.size());
    for (const auto& [key, family] : fonts().installed)
        families.push_back(family);
    return families;
}

FontFamilyResolution resolveFontFamily(std::string_view family) {
    std::lock_guard guard(textLock());
    return fonts().resolve(family);
}

Size measure(std::string_view text, const Font& font, double letterSpacing) {
    std::lock_guard guard(textLock());
    Layout layout = makeLayout(fonts().measuring.get(), text, font, letterSpacing);
    PangoRectangle logical;
    pango_layout_get_extents(layout.get(), nullptr, &logical);
    return {double(logical.width) / PANGO_SCALE, double(logical.height) / PANGO_SCALE};
}

double capHeight(const Font& font) {
    std::lock_guard guard(textLock());
    return capHeightPerUnit(font) * font.size;
}

Size wrappedSize(std::string_view text, const Font& font, double width) {
    std::lock_guard guard(textLock());
    Layout layout = makeLayout(fonts().measuring.get(), text, font);
    wrap(layout.get(), width);
    PangoRectangle logical;
    pango_layout_get_extents(layout.get(), nullptr, &logical);
    return {double(logical.width) / PANGO_SCALE, double(logical.height) / PANGO_SCALE};
}

Font fittedFont(std::string_view wholeText, std::string_view family, double width, double height,
                double start, double minimum, bool bold) {
    std::lock_guard guard(textLock());
    const std::string shown = shownText(wholeText);
    const std::string_view text = shown;
    std::vector<std::string_view> words;
    for (std::size_t begin = 0; begin <= text.size();) {
        std::size_t end = text.find(' ', begin);
        if (end == std::string_view::npos) end = text.size();
        if (end > begin) words.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    std::vector<double> sizes;
    for (double size = start; size > minimum && size > 0; size *= 0.92)
        sizes.push_back(size);
    if (sizes.empty()) return font(family, minimum, bold);
    // Unhinted widths grow in proportion to the size, so each word is measured once; and a
    // text that fits at one size fits at every smaller one, so the steps are searched by
    // halves for the first that fits.
    double widestAtStart = 0;
    for (auto word : words)
        widestAtStart = std::max(widestAtStart, measure(word, font(family, start, bold)).width);
    const auto fits = [&](double size) {
        return widestAtStart * size / start <= width &&
               wrappedSize(text, font(family, size, bold), width).height <= height;
    };
    std::size_t first = 0, last = sizes.size(); // the answer lies in [first, last]
    while (first < last) {
        const std::size_t middle = (first + last) / 2;
        if (fits(sizes[middle]))
            last = middle;
        else
            first = middle + 1;
    }
    return font(family, first < sizes.size() ? sizes[first] : minimum, bold);
}

void drawLine(cairo_t* cr, std::string_view text, const Font& font, const RGBColor& color,
              double alpha, Point baselineOrigin, double letterSpacing) {
    std::lock_guard guard(textLock());
    cairo_save(cr);
    cairo_translate(cr, baselineOrigin.x, baselineOrigin.y);
    cairo_scale(cr, 1, -1); // glyphs are drawn in a y-down space
    Context context = drawingContext(cr);
    Layout layout = makeLayout(context.get(), text, font, letterSpacing);
    cairo_move_to(cr, 0, -double(pango_layout_get_baseline(layout.get())) / PANGO_SCALE);
    setColor(cr, color, alpha);
    pango_cairo_show_layout(cr, layout.get());
    cairo_restore(cr);
}

void drawCentredLine(cairo_t* cr, std::string_view text, const Font& font, const RGBColor& color,
                     double alpha, Point centre, double letterSpacing) {
    std::lock_guard guard(textLock());
    const double width = measure(text, font, letterSpacing).width;
    drawLine(cr, text, font, color, alpha, {centre.x - width / 2, centre.y - capHeight(font) / 2},
             letterSpacing);
}

void drawWrapped(cairo_t* cr, std::string_view text, const Font& font, const RGBColor& color,
                 double alpha, const Rect& frame) {
    if (frame.width <= 0 || frame.height <= 0) return;
    std::lock_guard guard(textLock());
    cairo_save(cr);
    cairo_translate(cr, frame.x, frame.maxY());
    cairo_scale(cr, 1, -1);
    Context context = drawingContext(cr);
    Layout layout = makeLayout(context.get(), text, font);
    wrap(layout.get(), frame.width);
    pango_layout_set_height(layout.get(), pangoUnits(frame.height));
    pango_layout_set_ellipsize(layout.get(), PANGO_ELLIPSIZE_END);
    cairo_move_to(cr, 0, 0);
    setColor(cr, color, alpha);
    pango_cairo_show_layout(cr, layout.get());
    cairo_restore(cr);
}

} // namespace folimo
