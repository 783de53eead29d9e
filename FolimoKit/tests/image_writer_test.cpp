#include "export/image_writer_p.hpp"
#include "folimo/listing_error.hpp"
#include "image_files.hpp"
#include "pdf_files.hpp"
#include "render/image_p.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>

// jpeglib.h needs FILE and size_t declared first.
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <jpeglib.h>
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

std::uint32_t bigEndian(const std::vector<std::uint8_t>& data, std::size_t at) {
    return std::uint32_t(data.at(at)) << 24 | std::uint32_t(data[at + 1]) << 16 |
           std::uint32_t(data[at + 2]) << 8 | data[at + 3];
}

// The data of the first chunk of a type in a PNG file; empty when there is none.
std::vector<std::uint8_t> pngChunk(const fs::path& path, std::string_view type) {
    const auto file = test::readBytes(path);
    for (std::size_t at = 8; at + 8 <= file.size(); at += 12 + bigEndian(file, at))
        if (std::equal(type.begin(), type.end(), file.begin() + long(at) + 4))
            return {file.begin() + long(at) + 8, file.begin() + long(at + 8 + bigEndian(file, at))};
    return {};
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
    const auto header = pngChunk(dir / "a.png", "IHDR"), density = pngChunk(dir / "a.png", "pHYs");
    EXPECT_EQ(header[9], 2); // RGB without alpha
    ASSERT_EQ(density.size(), 9u);
    EXPECT_NEAR(bigEndian(density, 0) * 0.0254, 144, 0.01);
    EXPECT_EQ(bigEndian(density, 4), bigEndian(density, 0));
    EXPECT_EQ(density[8], 1); // per metre
    EXPECT_FALSE(pngChunk(dir / "a.png", "sRGB").empty());
    const test::DecodedImage opaque = test::readPNG(dir / "a.png");
    EXPECT_EQ(opaque.width, 300);
    EXPECT_EQ(opaque.height, 200);
    EXPECT_EQ(opaque.at(150, 10), (RGBA8{255, 204, 0, 255}));
    EXPECT_EQ(opaque.at(10, 10), image.pixel(10, 10));

    // Translucent pixels come back un-premultiplied.
    ImageWriter::write(sample(40, 40, true), dir / "t.png", ImageFormat::png, 0.9);
    EXPECT_EQ(pngChunk(dir / "t.png", "IHDR")[9], 6); // RGBA
    const test::DecodedImage translucent = test::readPNG(dir / "t.png");
    expectNear(translucent.at(20, 20), {255, 0, 0, 128}, 1);
    EXPECT_EQ(translucent.at(1, 1).alpha, 0);
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
    EXPECT_EQ(ImageWriter::jpegQuality(-1), 1);
    EXPECT_EQ(ImageWriter::jpegQuality(std::nan("")), 90);
}

// A write that fails (a missing folder; the file-size limit half-way, as a full disk would)
// names the file only, keeps what was there before and leaves no temporary file behind.
TEST(ImageWriterFiles, FailuresLeaveNoPartialFile) {
    test::TempDir dir;
    EXPECT_EQ(test::thrownError([&] {
                  ImageWriter::write(sample(30, 20), dir / "absent" / "01-grid.png",
                                     ImageFormat::png, 0.9);
              }),
              ListingError::writeFailed("01-grid.png"));

    const std::vector<std::uint8_t> earlier = {'o', 'l', 'd'};
    for (ImageFormat format : allImageFormats) {
        const fs::path path = dir / ("old." + std::string(fileExtension(format)));
        test::writeBytes(path, earlier);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 100;
        auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        EXPECT_THROW(ImageWriter::write(sample(300, 200), path, format, 0.9), ListingError);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        EXPECT_EQ(test::readBytes(path), earlier);
    }
    ImageWriter::write(sample(30, 20), dir / "old.png", ImageFormat::png, 0.9); // replaces
    EXPECT_EQ(test::readPNG(dir / "old.png").width, 30);
    EXPECT_EQ(test::filesIn(dir.path()).size(), 2u);
}
