#include "folimo/image_writer.hpp"
#include "folimo/listing_error.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>

// jpeglib.h needs FILE and size_t declared first.
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <jpeglib.h>
#include <png.h>
#include <sys/resource.h>
#include <vector>

using namespace folimo;
namespace fs = std::filesystem;

namespace {

// Opaque colour bands, or a half-transparent red square on a transparent field.
Image sample(int width, int height, bool translucent = false) {
    auto canvas = Canvas::create(width, height);
    cairo_t* cr = canvas->context();
    cairo_set_source_rgba(cr, 0.1, 0.5, 0.9, translucent ? 0 : 1);
    cairo_paint(cr);
    cairo_set_source_rgba(cr, 1, translucent ? 0 : 0.8, 0, translucent ? 128 / 255.0 : 1);
    cairo_rectangle(cr, width / 4.0, 0, width / 2.0, height);
    cairo_fill(cr);
    return std::move(*canvas).finish();
}

std::string bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::uint32_t bigEndian(const std::string& data, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = value << 8 | std::uint8_t(data[at + i]);
    return value;
}

// The data of the first chunk of a type in a PNG file; empty when there is none.
std::string pngChunk(const std::string& file, std::string_view type) {
    for (std::size_t at = 8; at + 8 <= file.size(); at += 12 + bigEndian(file, at))
        if (file.compare(at + 4, 4, type) == 0) return file.substr(at + 8, bigEndian(file, at));
    return {};
}

// The pixel at (x, y), top row 0, as libpng reads it (RGBA, not premultiplied).
RGBA8 pngPixel(const fs::path& path, int x, int y) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    EXPECT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(image));
    EXPECT_TRUE(png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr));
    const std::uint8_t* p = &rgba[std::size_t(4 * (y * int(image.width) + x))];
    return {p[0], p[1], p[2], p[3]};
}

struct JpegFile {
    int width = 0, height = 0, densityUnit = 0, xDensity = 0, yDensity = 0;
    std::vector<std::uint16_t> luminanceTable;
    std::vector<std::uint8_t> rgb;
    RGBA8 at(int x, int y) const {
        const std::uint8_t* p = &rgb[std::size_t(3 * (y * width + x))];
        return {p[0], p[1], p[2], 255};
    }
};

JpegFile readJPEG(const fs::path& path) {
    JpegFile file;
    std::FILE* in = std::fopen(path.c_str(), "rb");
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, in);
    jpeg_read_header(&info, TRUE);
    file.densityUnit = info.density_unit;
    file.xDensity = info.X_density;
    file.yDensity = info.Y_density;
    file.luminanceTable.assign(info.quant_tbl_ptrs[0]->quantval,
                               info.quant_tbl_ptrs[0]->quantval + DCTSIZE2);
    jpeg_start_decompress(&info);
    file.width = int(info.output_width);
    file.height = int(info.output_height);
    file.rgb.resize(std::size_t(file.width * file.height * 3));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &file.rgb[std::size_t(info.output_scanline) * std::size_t(file.width) * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(in);
    return file;
}

// The libjpeg quality whose standard luminance table the file uses; 0 when none matches.
int estimatedQuality(const JpegFile& file) {
    for (int quality = 1; quality <= 100; ++quality) {
        jpeg_compress_struct info{};
        jpeg_error_mgr errors{};
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
        info.in_color_space = JCS_RGB;
        info.input_components = 3;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, quality, TRUE);
        const bool same = std::equal(file.luminanceTable.begin(), file.luminanceTable.end(),
                                     info.quant_tbl_ptrs[0]->quantval);
        jpeg_destroy_compress(&info);
        if (same) return quality;
    }
    return 0;
}

void expectNear(RGBA8 actual, RGBA8 expected, int tolerance) {
    EXPECT_NEAR(actual.red, expected.red, tolerance);
    EXPECT_NEAR(actual.green, expected.green, tolerance);
    EXPECT_NEAR(actual.blue, expected.blue, tolerance);
    EXPECT_EQ(actual.alpha, expected.alpha);
}

} // namespace

TEST(ImageWriterPNG, At144DotsPerInchInSRGBWithAlphaOnlyWhenNeeded) {
    test::TempDir dir;
    const Image image = sample(300, 200);
    ImageWriter::write(image, dir / "a.png", ImageFormat::png, 0.9);
    const std::string file = bytes(dir / "a.png");
    const std::string header = pngChunk(file, "IHDR"), density = pngChunk(file, "pHYs");
    EXPECT_EQ(bigEndian(header, 0), 300u);
    EXPECT_EQ(bigEndian(header, 4), 200u);
    EXPECT_EQ(header[9], 2); // RGB without alpha
    ASSERT_EQ(density.size(), 9u);
    EXPECT_NEAR(bigEndian(density, 0) * 0.0254, 144, 0.01);
    EXPECT_EQ(bigEndian(density, 4), bigEndian(density, 0));
    EXPECT_EQ(density[8], 1); // per metre
    EXPECT_FALSE(pngChunk(file, "sRGB").empty());
    EXPECT_EQ(pngPixel(dir / "a.png", 150, 10), (RGBA8{255, 204, 0, 255}));
    EXPECT_EQ(pngPixel(dir / "a.png", 10, 10), image.pixel(10, 10));

    // Translucent pixels come back un-premultiplied.
    ImageWriter::write(sample(40, 40, true), dir / "t.png", ImageFormat::png, 0.9);
    EXPECT_EQ(pngChunk(bytes(dir / "t.png"), "IHDR")[9], 6); // RGBA
    expectNear(pngPixel(dir / "t.png", 20, 20), {255, 0, 0, 128}, 1);
    EXPECT_EQ(pngPixel(dir / "t.png", 1, 1).alpha, 0);
}

TEST(ImageWriterJPEG, QualityDensityAndColours) {
    test::TempDir dir;
    const Image image = sample(320, 240);
    ImageWriter::write(image, dir / "a.jpg", ImageFormat::jpeg, 0.9);
    const JpegFile file = readJPEG(dir / "a.jpg");
    EXPECT_EQ(file.width, 320);
    EXPECT_EQ(file.height, 240);
    EXPECT_EQ(file.densityUnit, 1); // dots per inch
    EXPECT_EQ(file.xDensity, 144);
    EXPECT_EQ(file.yDensity, 144);
    EXPECT_EQ(estimatedQuality(file), 90);
    expectNear(file.at(160, 120), {255, 204, 0, 255}, 4);
    expectNear(file.at(20, 120), image.pixel(20, 120), 4);

    // Out of range qualities are held to libjpeg's scale; transparency shows as white.
    ImageWriter::write(sample(64, 64, true), dir / "b.jpg", ImageFormat::jpeg, 7);
    const JpegFile translucent = readJPEG(dir / "b.jpg");
    EXPECT_EQ(estimatedQuality(translucent), 100);
    expectNear(translucent.at(2, 2), {255, 255, 255, 255}, 3);
    expectNear(translucent.at(32, 32), {255, 127, 127, 255}, 4);
    EXPECT_EQ(ImageWriter::jpegQuality(0.5), 50);
    EXPECT_EQ(ImageWriter::jpegQuality(-1), 1);
    EXPECT_EQ(ImageWriter::jpegQuality(std::nan("")), 90);
}

// A write that fails (a missing folder; the file-size limit half-way, as a full disk would)
// names the file only, keeps what was there before and leaves no temporary file behind.
TEST(ImageWriterFiles, FailuresLeaveNoPartialFile) {
    test::TempDir dir;
    try {
        ImageWriter::write(sample(30, 20), dir / "absent" / "01-grid.png", ImageFormat::png, 0.9);
        ADD_FAILURE() << "no error";
    } catch (const ListingError& error) {
        EXPECT_EQ(error, ListingError::writeFailed("01-grid.png"));
    }

    for (ImageFormat format : allImageFormats) {
        const fs::path path = dir / ("old." + std::string(fileExtension(format)));
        std::ofstream(path) << "the earlier image";
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 100;
        auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        EXPECT_THROW(ImageWriter::write(sample(300, 200), path, format, 0.9), ListingError);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        EXPECT_EQ(bytes(path), "the earlier image");
    }
    ImageWriter::write(sample(30, 20), dir / "old.png", ImageFormat::png, 0.9); // replaces
    EXPECT_EQ(bigEndian(pngChunk(bytes(dir / "old.png"), "IHDR"), 0), 30u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2);
}
