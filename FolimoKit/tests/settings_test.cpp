#include "folimo/settings.hpp"
#include "model/settings_json_p.hpp"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <nlohmann/json.hpp>

using namespace folimo;
using Json = nlohmann::json;

namespace {

// Settings in which every field differs from its default.
ListingSettings unusualSettings() {
    ListingSettings settings;
    settings.title = "Grade 2 \u201CMath\u201D \\ \"quotes\"\n\t\u00E9";
    settings.showTitle = false;
    settings.brand.name = "";
    settings.brand.background = {-0.25, 1.5, 0.1 + 0.2};
    settings.brand.keepBadgeInSquare = true;
    settings.layouts = {ImageLayout::frame, ImageLayout::grid};
    settings.pages = "1-3, 5";
    settings.images = {{"a", "Tiny", {10, -9000}, ImageFormat::jpeg, false}};
    settings.preview = {false, "2", " Sample ", WatermarkStyle::corner,
                        -0.5,  0,   1e300,      std::numeric_limits<std::int64_t>::min(),
                        false};
    settings.video = {false, {7000, 33}, 30, std::numeric_limits<std::int64_t>::max(), "4-"};
    return settings;
}

// Every object key of a JSON document, as the list of keys leading to it.
void keyPaths(const Json& json, std::vector<Json::json_pointer>& paths,
              const Json::json_pointer& at = Json::json_pointer()) {
    if (json.is_object())
        for (const auto& [key, value] : json.items()) {
            paths.push_back(at / key);
            keyPaths(value, paths, at / key);
        }
    else if (json.is_array())
        for (std::size_t i = 0; i < json.size(); ++i)
            keyPaths(json[i], paths, at / i);
}

std::optional<ListingSettings> decoded(const Json& json, std::string* problem = nullptr) {
    return decodeSettings(json.dump(), problem);
}

} // namespace

TEST(Color, HexRoundsHalvesUpAndPrintsUpperCase) {
    EXPECT_EQ(RGBColor::fromHex(0xD9692B).hex(), "#D9692B");
    EXPECT_EQ(RGBColor::fromHex(0xFFD9692B), RGBColor::fromHex(0xD9692B));
    EXPECT_EQ((RGBColor{0.5, 0.5, 0.5}.hex()), "#808080");
    EXPECT_EQ((RGBColor{0.3 / 255, 254.5 / 255, 0}.hex()), "#00FF00");
}

TEST(Color, ContrastingIsWhiteUpToLuminanceSixTenths) {
    const RGBColor grey{30 / 255.0, 30 / 255.0, 30 / 255.0};
    EXPECT_EQ(RGBColor::white.contrasting(), grey);
    EXPECT_EQ((RGBColor{0.6, 0.6, 0.6}.contrasting()), RGBColor::white);
    EXPECT_EQ((RGBColor{0.61, 0.61, 0.61}.contrasting()), grey);
    EXPECT_EQ(RGBColor::black.mixed(RGBColor::white, 1.5), (RGBColor{1.5, 1.5, 1.5}));
}

TEST(Color, ContrastRatioOfLinearLightFromOneToTwentyOne) {
    EXPECT_DOUBLE_EQ(contrastRatio(RGBColor::black, RGBColor::white), 21);
    EXPECT_DOUBLE_EQ(contrastRatio(RGBColor::white, RGBColor::black), 21);
    EXPECT_DOUBLE_EQ(contrastRatio(RGBColor::fromHex(0xD9692B), RGBColor::fromHex(0xD9692B)), 1);
    EXPECT_EQ(std::lround(contrastRatio(RGBColor::fromHex(0x777777), RGBColor::white) * 100), 448);
    // Channels outside 0…1 count as their nearest end.
    EXPECT_DOUBLE_EQ(contrastRatio({-1, -1, -1}, {2, 2, 2}), 21);
}

TEST(PixelSize, ClampedAndEvenKeepSidesWithinLimits) {
    EXPECT_EQ((PixelSize{10, 9000}.clamped()), (PixelSize{64, 6000}));
    EXPECT_EQ((PixelSize{1081, 601}.even()), (PixelSize{1080, 600}));
    EXPECT_EQ((PixelSize{7000, 33}.even()), (PixelSize{6000, 64}));
    EXPECT_EQ((PixelSize{std::numeric_limits<std::int64_t>::min(), 65}.even()),
              (PixelSize{64, 64}));
}

// The frames of the video as it is made: length and rate held to the video's ranges.
TEST(VideoSettings, FrameCountRoundsTheHeldLengthAndRateHalfAwayFromZero) {
    const VideoSettings longAndStill{true, {}, 30, 0, ""};
    EXPECT_EQ(longAndStill.clampedSeconds(), 15);
    EXPECT_EQ(longAndStill.frameCount(), 150);
    EXPECT_EQ((VideoSettings{true, {}, 12.5, 25, ""}.frameCount()), 313);
    EXPECT_EQ((VideoSettings{true, {}, 2, -5, ""}.frameCount()), 100);
    EXPECT_EQ((VideoSettings{true, {}, NAN, 30, ""}.frameCount()), 300);
    EXPECT_EQ(
        (VideoSettings{true, {}, 15, std::numeric_limits<std::int64_t>::max(), ""}.frameCount()),
        900);
}

TEST(PreviewSettings, WatermarkTextFallsBackToPreview) {
    PreviewSettings preview;
    preview.watermark = " \t\n\u00A0\u3000";
    EXPECT_EQ(preview.watermarkText(), "PREVIEW");
    preview.watermark = "\n Sample \u2028";
    EXPECT_EQ(preview.watermarkText(), "Sample");
}

TEST(ListingSettings, FileCountAndLayoutOrder) {
    ListingSettings settings;
    EXPECT_EQ(settings.fileCount(), 20);
    settings.layouts = {ImageLayout::frame, ImageLayout::cover, ImageLayout::desk};
    settings.images[1].isOn = false;
    settings.video.isOn = false;
    EXPECT_EQ(settings.fileCount(), 2 * 3 + 1);
    EXPECT_EQ(settings.orderedLayouts(),
              (std::vector{ImageLayout::cover, ImageLayout::desk, ImageLayout::frame}));
    settings.layouts.clear();
    EXPECT_EQ(settings.fileCount(), 1);
}

TEST(ListingSettings, TitleIsTheTrimmedTextOrElseThePDFs) {
    EXPECT_EQ(listingTitle("  Spring Set \n", "Manual"), "Spring Set");
    EXPECT_EQ(listingTitle(" \t\n", "Manual"), "Manual");
}

// A field left out of == or of the hash would let two different settings share a preview
// cache key or look unchanged to the store.
TEST(ListingSettings, EveryFieldTakesPartInEqualityAndHash) {
    const ListingSettings base;
    const ListingSettings other = unusualSettings();
    const std::vector<std::function<void(ListingSettings&)>> changes = {
        [&](auto& s) { s.title = other.title; },
        [&](auto& s) { s.showTitle = other.showTitle; },
        [&](auto& s) { s.brand.id = Uuid::random(); },
        [&](auto& s) { s.brand.background.red = 0.5; },
        [&](auto& s) { s.brand.text.blue = 0.5; },
        [&](auto& s) { s.brand.badge = ""; },
        [&](auto& s) { s.brand.keepBadgeInSquare = true; },
        [&](auto& s) { s.layouts.erase(ImageLayout::fan); },
        [&](auto& s) { s.pages = other.pages; },
        [&](auto& s) { std::swap(s.images[0], s.images[1]); },
        [&](auto& s) { s.images[2].size.height = 1999; },
        [&](auto& s) { s.images[2].format = ImageFormat::png; },
        [&](auto& s) { s.images[0].id = "x"; },
        [&](auto& s) { s.preview.watermark = ""; },
        [&](auto& s) { s.preview.style = WatermarkStyle::corner; },
        [&](auto& s) { s.preview.sheetHeight = 11; },
        [&](auto& s) { s.preview.pagesPerSheet = 1; },
        [&](auto& s) { s.preview.flatten = false; },
        [&](auto& s) { s.video.size.width = 720; },
        [&](auto& s) { s.video.seconds = 10; },
        [&](auto& s) { s.video.fps = 24; },
        [&](auto& s) { s.video.pages = "1"; },
    };
    const std::size_t baseHash = std::hash<ListingSettings>{}(base);
    EXPECT_EQ(baseHash, std::hash<ListingSettings>{}(ListingSettings()));
    for (std::size_t i = 0; i < changes.size(); ++i) {
        ListingSettings changed = base;
        changes[i](changed);
        EXPECT_NE(changed, base) << "change " << i;
        EXPECT_NE(std::hash<ListingSettings>{}(changed), baseHash) << "change " << i;
    }
}

TEST(SettingsJson, RoundTripsEveryValueExactly) {
    for (const ListingSettings& settings : {ListingSettings(), unusualSettings()}) {
        std::string problem;
        EXPECT_EQ(decodeSettings(encodeSettings(settings), &problem), settings) << problem;
    }
    const Json json = Json::parse(encodeSettings(ListingSettings()));
    EXPECT_EQ(json["layouts"], Json::parse(R"(["grid","cover","fan","clipboard","desk","frame"])"));
    EXPECT_EQ(json["images"][1]["format"], "jpeg");
    EXPECT_EQ(json["preview"]["style"], "diagonal");
}

TEST(SettingsJson, AcceptsAnyOrderExtraKeysAndIntegersForDoubles) {
    Json json = Json::parse(encodeSettings(ListingSettings()));
    json["layouts"] = {"frame", "grid"};
    json["preview"]["opacity"] = 1;
    json["brand"]["id"] = "6b1f7c2e-4a55-4e0b-9d39-1c0a2f5b7e01";
    json["comment"] = "written by hand";
    std::string problem;
    const auto settings = decoded(json, &problem);
    ASSERT_TRUE(settings) << problem;
    EXPECT_EQ(settings->layouts, (std::set{ImageLayout::grid, ImageLayout::frame}));
    EXPECT_EQ(settings->preview.opacity, 1.0);
    EXPECT_EQ(settings->brand, Brand::classic());
}

// But for the brand's badge choice, which brands stored before it existed lack.
TEST(SettingsJson, EveryMissingKeyFailsTheWholeDecode) {
    const Json json = Json::parse(encodeSettings(unusualSettings()));
    std::vector<Json::json_pointer> paths;
    keyPaths(json, paths);
    for (const auto& path : paths) {
        Json broken = json;
        broken[path.parent_pointer()].erase(path.back());
        std::string problem;
        if (path.back() == "keepBadgeInSquare") {
            const auto older = decoded(broken, &problem);
            ASSERT_TRUE(older) << problem;
            EXPECT_FALSE(older->brand.keepBadgeInSquare);
            continue;
        }
        EXPECT_FALSE(decoded(broken, &problem)) << path;
        EXPECT_NE(problem.find("key \"" + path.back() + "\" is missing"), std::string::npos)
            << problem;
    }
    Json broken = json;
    broken["preview"].erase("opacity");
    std::string problem;
    decoded(broken, &problem);
    EXPECT_EQ(problem, "settings.preview: key \"opacity\" is missing");
}

TEST(SettingsJson, RefusesWrongTypesAndUnknownTexts) {
    const Json json = Json::parse(encodeSettings(ListingSettings()));
    const std::vector<std::pair<std::string, Json>> faults = {
        {"/showTitle", 1},
        {"/title", nullptr},
        {"/preview/opacity", true},
        {"/preview/opacity", "0.2"},
        {"/preview/pagesPerSheet", 2.0},
        {"/preview/pagesPerSheet", 2.5},
        {"/video/fps", Json::parse("9223372036854775808")},
        {"/video/size/width", Json::parse("-1e30")},
        {"/video/size", Json::array({1080, 1080})},
        {"/brand/background", "#F5EFE4"},
        {"/brand/keepBadgeInSquare", 1},
        {"/brand/id", "6B1F7C2E4A554E0B9D391C0A2F5B7E01"},
        {"/brand/id", "{6B1F7C2E-4A55-4E0B-9D39-1C0A2F5B7E0}"},
        {"/layouts", "grid"},
        {"/layouts", {"grid", "Cover"}},
        {"/layouts", {"grid", "grid"}},
        {"/images", Json::object()},
        {"/images/0/format", "jpg"},
        {"/preview/style", "DIAGONAL"},
    };
    for (const auto& [path, value] : faults) {
        Json broken = json;
        broken[Json::json_pointer(path)] = value;
        std::string problem;
        EXPECT_FALSE(decoded(broken, &problem)) << path << " = " << value;
        EXPECT_FALSE(problem.empty());
    }
    Json broken = json;
    broken["images"][0]["format"] = "gif";
    std::string problem;
    decoded(broken, &problem);
    EXPECT_EQ(problem, "settings.images[0].format: \"gif\" is not one of \"png\", \"jpeg\"");
    broken["images"][0]["format"] = "\"\n" + std::string(100, 'g');
    decoded(broken, &problem);
    EXPECT_EQ(problem.find('\n'), std::string::npos) << problem;
    EXPECT_LT(problem.size(), 150u) << problem;
}

TEST(SettingsJson, MalformedTextGivesNothingAndSaysSo) {
    for (std::string_view text :
         {"", "{", "[]", "null", "{\"title\": \"\xFF\"}", "1e999", "{} {}", "// note\n{}"}) {
        std::string problem;
        EXPECT_FALSE(decodeSettings(text, &problem)) << text;
        EXPECT_FALSE(problem.empty()) << text;
    }
}

// A hundred thousand nested arrays once overflowed the stack; such files are refused while
// they are read, and nesting within reason in a key nobody reads still decodes.
TEST(SettingsJson, RefusesDeepNestingAndSaysSo) {
    constexpr std::size_t depth = 100'000;
    const std::string deep = std::string(depth, '[') + std::string(depth, ']');
    Json settings = Json::parse(encodeSettings(ListingSettings()));
    settings["title"] = "TITLE";
    std::string title = settings.dump();
    title.replace(title.find("\"TITLE\""), 7, deep);
    const std::string brand = "{\"badge\": " + deep + "}";
    std::string problem;
    EXPECT_FALSE(decodeSettings(title, &problem));
    EXPECT_EQ(problem, "nested deeper than 32 levels");
    problem.clear();
    EXPECT_FALSE(decodeBrand(brand, &problem));
    EXPECT_FALSE(problem.empty());
    problem.clear();
    EXPECT_FALSE(decodeBrands("[" + brand + "]", &problem));
    EXPECT_FALSE(problem.empty());

    settings["title"] = "";
    settings["note"] = Json::parse(std::string(20, '[') + std::string(20, ']'));
    EXPECT_EQ(decoded(settings), ListingSettings());
}

TEST(SettingsJson, TextsThatAreNotUtf8StillEncodeToValidJson) {
    ListingSettings settings;
    settings.title = "broken \xC3 title";
    const auto back = decodeSettings(encodeSettings(settings));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->title, "broken \uFFFD title");
}

// The application's store is read field by field: damage costs only the damaged field.
TEST(StoredSettings, AFieldMissingOrInvalidTakesItsDefaultAndKeepsTheRest) {
    const Json stored = Json::parse(encodeSettings(unusualSettings()));
    const Json defaults = Json::parse(encodeSettings(ListingSettings()));
    std::vector<Json::json_pointer> paths;
    keyPaths(stored, paths);
    for (const auto& path : paths) {
        if (path.to_string().starts_with("/images/")) continue; // presets: below
        Json expected = stored;
        expected[path] = defaults[path];
        Json missing = stored;
        missing[path.parent_pointer()].erase(path.back());
        Json invalid = stored;
        invalid[path] = nullptr; // what a number that is not finite is written as
        EXPECT_EQ(decodeStoredSettings(missing.dump()), decoded(expected)) << path;
        EXPECT_EQ(decodeStoredSettings(invalid.dump()), decoded(expected)) << path;
    }
    EXPECT_EQ(decodeStoredSettings(encodeSettings(unusualSettings())), unusualSettings());
    EXPECT_EQ(decodeStoredSettings("{\"title\": \"cut sh"), ListingSettings());

    // A preset that is not whole is left out; only the first 64 are read.
    Json presets = stored;
    presets["images"] = Json::array({stored["images"][0], stored["images"][0]});
    presets["images"][0].erase("isOn");
    EXPECT_EQ(decodeStoredSettings(presets.dump()).images, unusualSettings().images);
    presets["images"] = Json::array();
    for (int i = 0; i < 100; ++i)
        presets["images"].push_back(stored["images"][0]);
    EXPECT_EQ(decodeStoredSettings(presets.dump()).images.size(), storedPresetLimit);
}

TEST(StoredBrands, EachBrandIsReadOnItsOwnAndTheUnreadableAreKeptAsText) {
    Brand mine = Brand::classic();
    mine.id = *Uuid::parse("00000000-0000-4000-8000-000000000001");
    mine.name = "Mine";
    Json list = Json::parse(encodeBrands({Brand::classic(), mine, mine}));
    list[1].erase("accent");
    const StoredBrands stored = decodeStoredBrands(list.dump());
    EXPECT_EQ(stored.brands, (std::vector{Brand::classic(), mine}));
    ASSERT_EQ(stored.unreadable.size(), 1u);
    EXPECT_EQ(Json::parse(stored.unreadable[0]), list[1]);

    EXPECT_EQ(decodeStoredBrands("[{\"id\": "), (StoredBrands{{}, {"[{\"id\": "}}));
    EXPECT_TRUE(decodeStoredBrands("").brands.empty() && decodeStoredBrands("").unreadable.empty());
}
