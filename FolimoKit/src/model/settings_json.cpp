#include "model/settings_json_p.hpp"

#include <functional>
#include <limits>
#include <nlohmann/json.hpp>
#include <ostream>

namespace folimo {
namespace {

// Keys are written in field order so that people reading a settings file find them where
// they expect them; a reader gives the order no meaning.
using Json = nlohmann::ordered_json;

// The first fault of a decode; caught at the top and turned into `problem`.
struct Fault {
    std::string message;
};

// A text as a JSON string, escaped and cut short when long: a fault message stays one
// readable line whatever the file holds.
std::string inQuotes(std::string_view text) {
    constexpr std::size_t longest = 40;
    std::string quoted =
        Json(text.substr(0, longest)).dump(-1, ' ', false, Json::error_handler_t::replace);
    if (text.size() > longest) quoted.insert(quoted.size() - 1, "\u2026");
    return quoted;
}

// What a JSON value is, for a fault message: numbers as written, other values by kind.
std::string describe(const Json& value) {
    switch (value.type()) {
    case Json::value_t::null:
        return "null";
    case Json::value_t::boolean:
        return value.get<bool>() ? "true" : "false";
    case Json::value_t::string:
        return "a string";
    case Json::value_t::object:
        return "an object";
    case Json::value_t::array:
        return "an array";
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
    case Json::value_t::number_float:
        return value.dump();
    default:
        return "a value of no known kind";
    }
}

template <class Enum, std::size_t N> std::string choices(const std::array<Enum, N>& cases) {
    std::string list;
    for (Enum value : cases)
        list += (list.empty() ? "" : ", ") + inQuotes(storedText(value));
    return list;
}

// One JSON value being decoded, with the path that names it in fault messages
// ("settings.images[1].size").
// A lenient reader gives each field that is missing or invalid its fallback (see the field
// overload that takes one) instead of failing the whole value.
class Reader {
public:
    Reader(const Json& value, std::string path, bool lenient = false)
        : value_(value)
        , path_(std::move(path))
        , lenient_(lenient) {}

    Reader lenient() const { return Reader(value_, path_, true); }
    Reader strict() const { return Reader(value_, path_, false); }
    bool isLenient() const { return lenient_; }
    // The value as JSON text, for keeping what could not be read.
    std::string dumped() const {
        return value_.dump(-1, ' ', false, Json::error_handler_t::replace);
    }

    [[noreturn]] void fail(const std::string& what) const { throw Fault{path_ + ": " + what}; }

    Reader field(std::string_view key) const {
        if (!value_.is_object()) fail("must be an object, not " + describe(value_));
        const auto found = value_.find(key);
        if (found == value_.end()) fail("key " + inQuotes(key) + " is missing");
        return Reader(*found, path_ + "." + std::string(key), lenient_);
    }

    // read(field(key)); when lenient, fallback for a field that is missing or invalid.
    template <class T, class Read>
    T field(std::string_view key, const T& fallback, Read read) const {
        if (!lenient_) return std::invoke(read, field(key));
        try {
            return std::invoke(read, field(key));
        } catch (const Fault&) {
            return fallback;
        }
    }

    // A key added to a stored form after values were first stored without it: nothing
    // when it is absent; when present it must be right like any other.
    std::optional<Reader> laterField(std::string_view key) const {
        if (value_.is_object() && !value_.contains(key)) return std::nullopt;
        return field(key);
    }

    std::vector<Reader> elements() const {
        if (!value_.is_array()) fail("must be an array, not " + describe(value_));
        std::vector<Reader> elements;
        elements.reserve(value_.size());
        for (std::size_t i = 0; i < value_.size(); ++i)
            elements.emplace_back(value_[i], path_ + "[" + std::to_string(i) + "]", lenient_);
        return elements;
    }

    bool boolean() const {
        if (!value_.is_boolean()) fail("must be true or false, not " + describe(value_));
        return value_.get<bool>();
    }

    std::string text() const {
        if (!value_.is_string()) fail("must be a string, not " + describe(value_));
        return value_.get<std::string>();
    }

    // Any JSON number (the parser refuses ones beyond a double); integers become doubles.
    double number() const {
        if (!value_.is_number()) fail("must be a number, not " + describe(value_));
        return value_.get<double>();
    }

    // Only integers written without fraction or exponent that fit in 64 bits.
    std::int64_t integer() const {
        if (value_.is_number_integer() && !value_.is_number_unsigned())
            return value_.get<std::int64_t>();
        if (value_.is_number_unsigned() &&
            value_.get<std::uint64_t>() <= std::uint64_t(std::numeric_limits<std::int64_t>::max()))
            return static_cast<std::int64_t>(value_.get<std::uint64_t>());
        fail("must be a 64-bit integer, not " + describe(value_));
    }

    template <class Enum, std::size_t N>
    Enum enumeration(const std::array<Enum, N>& cases,
                     std::optional<Enum> (*fromText)(std::string_view)) const {
        const std::string stored = text();
        if (auto value = fromText(stored)) return *value;
        fail(inQuotes(stored) + " is not one of " + choices(cases));
    }

    Uuid uuid() const {
        const std::string stored = text();
        if (auto uuid = Uuid::parse(stored)) return *uuid;
        fail(inQuotes(stored) + " is not a UUID");
    }

private:
    const Json& value_;
    std::string path_;
    bool lenient_;
};

Json encode(const RGBColor& color) {
    return {{"red", color.red}, {"green", color.green}, {"blue", color.blue}};
}

// Each decoder reads the fields in the order of the type, each with the fallback a lenient
// reader gives it.
RGBColor colorFrom(const Reader& in, const RGBColor& fallback = {}) {
    return {in.field("red", fallback.red, &Reader::number),
            in.field("green", fallback.green, &Reader::number),
            in.field("blue", fallback.blue, &Reader::number)};
}

Json encode(const PixelSize& size) {
    return {{"width", size.width}, {"height", size.height}};
}

PixelSize sizeFrom(const Reader& in, const PixelSize& fallback = {}) {
    return {in.field("width", fallback.width, &Reader::integer),
            in.field("height", fallback.height, &Reader::integer)};
}

Json encode(const Brand& brand) {
    return {{"id", brand.id.text()},          {"name", brand.name},
            {"fontFamily", brand.fontFamily}, {"background", encode(brand.background)},
            {"accent", encode(brand.accent)}, {"text", encode(brand.text)},
            {"badge", brand.badge},           {"keepBadgeInSquare", brand.keepBadgeInSquare}};
}

Brand brandFrom(const Reader& in, const Brand& fallback = Brand::classic()) {
    const auto color = [&in](std::string_view key, const RGBColor& fallback) {
        return in.field(key, fallback,
                        [&fallback](const Reader& field) { return colorFrom(field, fallback); });
    };
    bool keepBadgeInSquare = false;
    if (in.isLenient())
        keepBadgeInSquare =
            in.field("keepBadgeInSquare", fallback.keepBadgeInSquare, &Reader::boolean);
    else if (const auto later = in.laterField("keepBadgeInSquare"))
        keepBadgeInSquare = later->boolean();
    return {in.field("id", fallback.id, &Reader::uuid),
            in.field("name", fallback.name, &Reader::text),
            in.field("fontFamily", fallback.fontFamily, &Reader::text),
            color("background", fallback.background),
            color("accent", fallback.accent),
            color("text", fallback.text),
            in.field("badge", fallback.badge, &Reader::text),
            keepBadgeInSquare};
}

Json encode(const ImagePreset& preset) {
    return {{"id", preset.id},
            {"name", preset.name},
            {"size", encode(preset.size)},
            {"format", std::string(storedText(preset.format))},
            {"isOn", preset.isOn}};
}

ImagePreset presetFrom(const Reader& in) {
    return {in.field("id").text(), in.field("name").text(), sizeFrom(in.field("size")),
            in.field("format").enumeration(allImageFormats, imageFormatFromText),
            in.field("isOn").boolean()};
}

Json encode(const PreviewSettings& preview) {
    return {{"isOn", preview.isOn},
            {"pages", preview.pages},
            {"watermark", preview.watermark},
            {"style", std::string(storedText(preview.style))},
            {"opacity", preview.opacity},
            {"sheetWidth", preview.sheetWidth},
            {"sheetHeight", preview.sheetHeight},
            {"pagesPerSheet", preview.pagesPerSheet},
            {"flatten", preview.flatten}};
}

PreviewSettings previewFrom(const Reader& in, const PreviewSettings& fallback = {}) {
    const auto style = [](const Reader& field) {
        return field.enumeration(allWatermarkStyles, watermarkStyleFromText);
    };
    return {in.field("isOn", fallback.isOn, &Reader::boolean),
            in.field("pages", fallback.pages, &Reader::text),
            in.field("watermark", fallback.watermark, &Reader::text),
            in.field("style", fallback.style, style),
            in.field("opacity", fallback.opacity, &Reader::number),
            in.field("sheetWidth", fallback.sheetWidth, &Reader::number),
            in.field("sheetHeight", fallback.sheetHeight, &Reader::number),
            in.field("pagesPerSheet", fallback.pagesPerSheet, &Reader::integer),
            in.field("flatten", fallback.flatten, &Reader::boolean)};
}

Json encode(const VideoSettings& video) {
    return {{"isOn", video.isOn},
            {"size", encode(video.size)},
            {"seconds", video.seconds},
            {"fps", video.fps},
            {"pages", video.pages}};
}

VideoSettings videoFrom(const Reader& in, const VideoSettings& fallback = {}) {
    const auto size = [&fallback](const Reader& field) { return sizeFrom(field, fallback.size); };
    return {in.field("isOn", fallback.isOn, &Reader::boolean),
            in.field("size", fallback.size, size),
            in.field("seconds", fallback.seconds, &Reader::number),
            in.field("fps", fallback.fps, &Reader::integer),
            in.field("pages", fallback.pages, &Reader::text)};
}

Json encode(const ListingSettings& settings) {
    Json layouts = Json::array();
    for (ImageLayout layout : settings.layouts)
        layouts.push_back(std::string(storedText(layout)));
    Json images = Json::array();
    for (const auto& preset : settings.images)
        images.push_back(encode(preset));
    return {{"title", settings.title},
            {"showTitle", settings.showTitle},
            {"brand", encode(settings.brand)},
            {"layouts", std::move(layouts)},
            {"pages", settings.pages},
            {"images", std::move(images)},
            {"preview", encode(settings.preview)},
            {"video", encode(settings.video)}};
}

// A set cannot hold a layout twice, and the encoder never writes one twice, so a repeated
// text is refused rather than quietly merged.
std::set<ImageLayout> layoutsFrom(const Reader& in) {
    std::set<ImageLayout> layouts;
    for (const Reader& element : in.elements()) {
        const ImageLayout layout = element.enumeration(allLayouts, imageLayoutFromText);
        if (!layouts.insert(layout).second)
            element.fail(inQuotes(storedText(layout)) + " is listed twice");
    }
    return layouts;
}

// A lenient reader leaves out a preset that is not whole (it has no field worth a
// default), and any beyond storedPresetLimit.
std::vector<ImagePreset> presetsFrom(const Reader& in) {
    std::vector<ImagePreset> presets;
    for (const Reader& element : in.elements()) {
        if (!in.isLenient()) {
            presets.push_back(presetFrom(element));
            continue;
        }
        if (presets.size() == storedPresetLimit) break;
        try {
            presets.push_back(presetFrom(element.strict()));
        } catch (const Fault&) {
        }
    }
    return presets;
}

ListingSettings settingsFrom(const Reader& in) {
    const ListingSettings fallback;
    ListingSettings settings;
    settings.title = in.field("title", fallback.title, &Reader::text);
    settings.showTitle = in.field("showTitle", fallback.showTitle, &Reader::boolean);
    settings.brand = in.field("brand", fallback.brand, [&](const Reader& field) {
        return brandFrom(field, fallback.brand);
    });
    settings.layouts = in.field("layouts", fallback.layouts, layoutsFrom);
    settings.pages = in.field("pages", fallback.pages, &Reader::text);
    settings.images = in.field("images", fallback.images, presetsFrom);
    settings.preview = in.field("preview", fallback.preview, [&](const Reader& field) {
        return previewFrom(field, fallback.preview);
    });
    settings.video = in.field("video", fallback.video, [&](const Reader& field) {
        return videoFrom(field, fallback.video);
    });
    return settings;
}

std::vector<Brand> brandsFrom(const Reader& in) {
    std::vector<Brand> brands;
    for (const Reader& element : in.elements())
        brands.push_back(brandFrom(element));
    return brands;
}

StoredBrands storedBrandsFrom(const Reader& in) {
    StoredBrands stored;
    for (const Reader& element : in.elements()) {
        try {
            stored.brands.push_back(brandFrom(element));
        } catch (const Fault&) {
            stored.unreadable.push_back(element.dumped());
        }
    }
    return stored;
}

// Texts that are not valid UTF-8 (a title taken from a damaged PDF, say) are written with
// U+FFFD in place of the bad bytes: the stored form stays valid JSON and decodable.
std::string text(const Json& json) {
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// Parses and decodes; every fault, of the JSON text or of its content, becomes `problem`.
// The decoders check each value's type before reading it, so only the parser throws
// nlohmann's exceptions.
template <class Decode>
auto decodeText(std::string_view text, std::string_view name, std::string* problem, Decode decode)
    -> std::optional<decltype(decode(std::declval<const Reader&>()))> {
    // Settings go four levels deep (settings.images[0].size), a brand list three. Anything
    // far deeper is refused while it is read, before a tree of it is built.
    constexpr int deepest = 32;
    const auto shallow = [](int depth, Json::parse_event_t event, Json&) {
        if ((event == Json::parse_event_t::object_start ||
             event == Json::parse_event_t::array_start) &&
            depth >= deepest)
            throw Fault{"nested deeper than " + std::to_string(deepest) + " levels"};
        return true;
    };
    try {
        Json json;
        try {
            json = Json::parse(text, shallow);
        } catch (const Json::parse_error& error) {
            throw Fault{"not valid JSON (at byte " + std::to_string(error.byte) + ")"};
        } catch (const Json::out_of_range&) {
            throw Fault{"not valid JSON (a number too large for a double)"};
        }
        return decode(Reader(json, std::string(name)));
    } catch (const Fault& fault) {
        if (problem) *problem = fault.message;
    }
    return std::nullopt;
}

} // namespace

std::string encodeSettings(const ListingSettings& settings) {
    return text(encode(settings));
}

std::optional<ListingSettings> decodeSettings(std::string_view json, std::string* problem) {
    return decodeText(json, "settings", problem, settingsFrom);
}

std::string encodeBrand(const Brand& brand) {
    return text(encode(brand));
}

std::optional<Brand> decodeBrand(std::string_view json, std::string* problem) {
    return decodeText(json, "brand", problem, [](const Reader& in) { return brandFrom(in); });
}

std::string encodeBrands(const std::vector<Brand>& brands) {
    Json list = Json::array();
    for (const auto& brand : brands)
        list.push_back(encode(brand));
    return text(list);
}

std::optional<std::vector<Brand>> decodeBrands(std::string_view json, std::string* problem) {
    return decodeText(json, "brands", problem, brandsFrom);
}

ListingSettings decodeStoredSettings(std::string_view json) {
    return decodeText(json, "settings", nullptr,
                      [](const Reader& in) { return settingsFrom(in.lenient()); })
        .value_or(ListingSettings{});
}

StoredBrands decodeStoredBrands(std::string_view json) {
    if (json.empty()) return {};
    if (auto stored = decodeText(json, "brands", nullptr, storedBrandsFrom)) return *stored;
    return {{}, {std::string(json)}};
}

// Tests print values in their stored form, compact.
void PrintTo(const RGBColor& color, std::ostream* out) {
    *out << text(encode(color));
}
void PrintTo(const Uuid& uuid, std::ostream* out) {
    *out << uuid.text();
}
void PrintTo(const Brand& brand, std::ostream* out) {
    *out << text(encode(brand));
}
void PrintTo(const PixelSize& size, std::ostream* out) {
    *out << text(encode(size));
}
void PrintTo(const ImagePreset& preset, std::ostream* out) {
    *out << text(encode(preset));
}
void PrintTo(const PreviewSettings& preview, std::ostream* out) {
    *out << text(encode(preview));
}
void PrintTo(const VideoSettings& video, std::ostream* out) {
    *out << text(encode(video));
}
void PrintTo(const ListingSettings& settings, std::ostream* out) {
    *out << text(encode(settings));
}

} // namespace folimo
