#include "folimo/brand.hpp"
#include "folimo/settings_json.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <unordered_set>

using namespace folimo;
using Json = nlohmann::json;

TEST(Uuid, ParsesOnlyTheHyphenatedFormInEitherCase) {
    const auto upper = Uuid::parse("6B1F7C2E-4A55-4E0B-9D39-1C0A2F5B7E01");
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper->bytes[0], 0x6B);
    EXPECT_EQ(upper->bytes[15], 0x01);
    EXPECT_EQ(Uuid::parse("6b1f7c2e-4a55-4e0b-9d39-1c0a2f5b7e01"), upper);
    EXPECT_EQ(upper->text(), "6B1F7C2E-4A55-4E0B-9D39-1C0A2F5B7E01");
    for (std::string_view bad :
         {"", "6B1F7C2E-4A55-4E0B-9D39-1C0A2F5B7E0", "6B1F7C2E-4A55-4E0B-9D39-1C0A2F5B7E012",
          "6B1F7C2E4-A55-4E0B-9D39-1C0A2F5B7E01", "6B1F7C2E-4A55-4E0B-9D39-1C0A2F5B7EG1",
          "6B1F7C2E-4A55-4E0B-9D39+1C0A2F5B7E01", "{B1F7C2E-4A55-4E0B-9D39-1C0A2F5B7E0}",
          " 6B1F7C2E-4A55-4E0B-9D39-1C0A2F5B7E0"})
        EXPECT_EQ(Uuid::parse(bad), std::nullopt) << bad;
}

TEST(Uuid, RandomIsVersion4AndDistinct) {
    std::unordered_set<Uuid> seen;
    for (int i = 0; i < 100; ++i) {
        const Uuid uuid = Uuid::random();
        const std::string text = uuid.text();
        EXPECT_EQ(text[14], '4') << text;
        EXPECT_NE(std::string_view("89AB").find(text[19]), std::string_view::npos) << text;
        EXPECT_EQ(Uuid::parse(text), uuid);
        seen.insert(uuid);
    }
    EXPECT_EQ(seen.size(), 100u);
}

// One page is "1 page": only the word right after the number changes.
TEST(Brand, BadgeTextFillsInThePageCount) {
    EXPECT_EQ(Brand::classic().badgeText(12), "12 pages");
    const std::tuple<const char*, int, const char*> cases[] = {
        {"{pages} pages", 0, "0 pages"},
        {"{pages} pages", 1, "1 page"},
        {"{pages} PAGES!", 1, "1 PAGE!"},
        {"{pages} pages, {pages} pages", 1, "1 page, 1 page"},
        {"{pages} pageset pages", 1, "1 pageset pages"},
        {"{pages}  pages", 1, "1  pages"},
        {"pages: {pages}", 1, "pages: 1"},
        {" \t\n ", 3, ""},
        {"\u00A0 {pages}\n", 1234567, "1234567"},
        {"{pages} of {pages}{pages}", -2, "-2 of -2-2"},
        {"{page} {{pages}}", 5, "{page} {5}"}};
    Brand brand;
    for (auto [badge, pages, text] : cases) {
        brand.badge = badge;
        EXPECT_EQ(brand.badgeText(pages), text) << badge;
    }
}

// The classic brand's id is written into stored settings, so it never changes; the others
// are made once per run and keep their id for the whole run.
TEST(Brand, BuiltInsKeepTheirIds) {
    EXPECT_EQ(Brand::classic().id.text(), "6B1F7C2E-4A55-4E0B-9D39-1C0A2F5B7E01");
    EXPECT_EQ(Brand::chalkboard().id, Brand::chalkboard().id);
    EXPECT_NE(Brand::chalkboard().id, Brand::bright().id);
    EXPECT_NE(Brand::chalkboard().id, Brand::classic().id);
}

TEST(BrandJson, RoundTripsSingleBrandsAndLists) {
    Brand odd{Uuid::random(), "Caf\u00E9 \"Nord\"", "", {0.1, -2, 1e-9}, {}, {1, 1, 1}, "", true};
    EXPECT_EQ(decodeBrand(encodeBrand(odd)), odd);
    const std::vector<Brand> list{Brand::classic(), Brand::chalkboard(), odd};
    EXPECT_EQ(decodeBrands(encodeBrands(list)), list);
    EXPECT_EQ(decodeBrands("[]"), std::vector<Brand>());
}

TEST(BrandJson, RefusesBadIdsAndSaysWhere) {
    Json json = Json::parse(encodeBrands({Brand::classic(), Brand::bright()}));
    json[1]["id"] = "not-a-uuid";
    std::string problem;
    EXPECT_FALSE(decodeBrands(json.dump(), &problem));
    EXPECT_EQ(problem, "brands[1].id: \"not-a-uuid\" is not a UUID");

    json[1]["id"] = Brand::bright().id.text();
    json[0]["accent"].erase("green");
    EXPECT_FALSE(decodeBrands(json.dump(), &problem));
    EXPECT_EQ(problem, "brands[0].accent: key \"green\" is missing");

    EXPECT_FALSE(decodeBrand(json.dump(), &problem));
    EXPECT_EQ(problem, "brand: must be an object, not an array");
}
