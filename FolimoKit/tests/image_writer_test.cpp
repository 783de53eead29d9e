#include "folimo/image_writer.hpp"
#include "folimo/listing_error.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>

// jpeglib.h needs FILE and size_t declared first.
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <jpeglib.h>
#include <png.h>
#include <string>
#include <sys/resource.h>
#include <vector>

using namespace folimo;
namespace fs = std::filesystem;

namespace {

// A width x height picture: opaque colour bands, or with a half-transparent red square in
// the middle of a transparent field when `transparent`.
Image sample(int width, int height, bool transparent = false) {
    auto canvas = Canvas::create(width, height);
    cairo_t* cr = canvas->context();
    if (!transparent) {
        cairo_set_source_rgb(cr, 0.1, 0.5, 0.9);
        cairo_paint(cr);
        cairo_set_source_rgb(cr, 1, 0.8, 0);
        cairo_rectangle(cr, 0, 0, width / 2.0, height);
        cairo_fill(cr);
    } else {
        cairo_set_source_rgba(cr, 1, 0, 0, 128 / 255.0);
        cairo_rectangle(cr, width / 4.0, height / 4.0, width / 2.0, height / 2.0);
        cairo_fill(cr);
    }
    return std::move(*canvas).finish();
}

// Noise compresses badly, so its files are large.
Image noise(int side) {
    auto canvas = Canvas::create(side, side);
    cairo_surface_t* surface = cairo_get_target(canvas->context());
    cairo_surface_flush(surface);
    std::uint32_t state = 12345;
    unsigned char* data = cairo_image_surface_get_data(surface);
    for (int i = 0; i < side * cairo_image_surface_get_stride(surface); ++i) {
        state = state * 1664525u + 1013904223u;
        data[i] = static_cast<unsigned char>(state >> 24 | 0x80u);
    }
    for (int i = 3; i < side * cairo_image_surface_get_stride(surface); i += 4)
        data[i] = 255;
    cairo_surface_mark_dirty(surface);
    return std::move(*canvas).finish();
}

std::string bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::uint32_t bigEndian(const std::string& data, std::size_t at) {
    return std::uint32_t(std::uint8_t(data[at])) << 24 |
           std::uint32_t(std::uint8_t(data[at + 1])) << 16 |
           std::uint32_t(std::uint8_t(data[at + 2])) << 8 | std::uint8_t(data[at + 3]);
}

// The data of the first chunk of the given type in a PNG file; nothing when absent.
std::optional<std::string> pngChunk(const std::string& file, std::string_view type) {
    for (std::size_t at = 8; at + 8 <= file.size();) {
        const std::uint32_t length = bigEndian(file, at);
        if (file.compare(at + 4, 4, type) == 0) return file.substr(at + 8, length);
        at += 12 + length;
    }
    return std::nullopt;
}

struct PngPixels {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;
    RGBA8 at(int x, int y) const {
        const auto* p = &rgba[std::size_t(4 * (y * width + x))];
        return {p[0], p[1], p[2], p[3]};
    }
};

PngPixels readPNG(const fs::path& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    EXPECT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
    image.format = PNG_FORMAT_RGBA;
    PngPixels pixels{int(image.width), int(image.height), {}};
    pixels.rgba.resize(PNG_IMAGE_SIZE(image));
    EXPECT_TRUE(png_image_finish_read(&image, nullptr, pixels.rgba.data(), 0, nullptr));
    return pixels;
}

struct JpegFile {
    int width = 0, height = 0, densityUnit = 0, xDensity = 0, yDensity = 0;
    bool jfif = false;
    std::vector<std::uint16_t> luminanceTable; // natural order
    std::vector<std::uint8_t> rgb;
    RGBA8 at(int x, int y) const {
        const auto* p = &rgb[std::size_t(3 * (y * width + x))];
        return {p[0], p[1], p[2], 255};
    }
};

JpegFile readJPEG(const fs::path& path) {
    JpegFile file;
    std::FILE* in = std::fopen(path.c_str(), "rb");
    EXPECT_NE(in, nullptr);
    if (!in) return file;
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, in);
    jpeg_read_header(&info, TRUE);
    file.jfif = info.saw_JFIF_marker;
    file.densityUnit = info.density_unit;
    file.xDensity = info.X_density;
    file.yDensity = info.Y_density;
    file.luminanceTable.assign(info.quant_tbl_ptrs[0]->quantval,
                               info.quant_tbl_ptrs[0]->quantval + DCTSIZE2);
    info.out_color_space = JCS_RGB;
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
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, quality, TRUE);
        const std::vector<std::uint16_t> table(info.quant_tbl_ptrs[0]->quantval,
                                               info.quant_tbl_ptrs[0]->quantval + DCTSIZE2);
        jpeg_destroy_compress(&info);
        if (table == file.luminanceTable) return quality;
    }
    return 0;
}

void expectNear(RGBA8 actual, RGBA8 expected, int tolerance) {
    EXPECT_NEAR(actual.red, expected.red, tolerance);
    EXPECT_NEAR(actual.green, expected.green, tolerance);
    EXPECT_NEAR(actual.blue, expected.blue, tolerance);
    EXPECT_EQ(actual.alpha, expected.alpha);
}

std::vector<std::string> folderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

} // namespace

TEST(ImageWriterPNG, OpaqueImageIsRGBAt144DotsPerInchInSRGB) {
    test::TempDir dir;
    ImageWriter::write(sample(300, 200), dir / "a.png", ImageFormat::png, 0.9);

    const std::string file = bytes(dir / "a.png");
    const auto header = pngChunk(file, "IHDR");
    ASSERT_TRUE(header);
    EXPECT_EQ(bigEndian(*header, 0), 300u);
    EXPECT_EQ(bigEndian(*header, 4), 200u);
    EXPECT_EQ((*header)[8], 8); // bits per channel
    EXPECT_EQ((*header)[9], 2); // RGB, no alpha
    const auto density = pngChunk(file, "pHYs");
    ASSERT_TRUE(density);
    EXPECT_NEAR(bigEndian(*density, 0) * 0.0254, 144, 0.01);
    EXPECT_EQ(bigEndian(*density, 4), bigEndian(*density, 0));
    EXPECT_EQ((*density)[8], 1); // per metre
    EXPECT_TRUE(pngChunk(file, "sRGB"));

    const PngPixels pixels = readPNG(dir / "a.png");
    EXPECT_EQ(pixels.at(10, 10), (RGBA8{255, 204, 0, 255}));
    EXPECT_EQ(pixels.at(290, 10), sample(300, 200).pixel(290, 10));
}

TEST(ImageWriterPNG, TranslucentPixelsComeBackUnpremultiplied) {
    test::TempDir dir;
    const Image image = sample(40, 40, true);
    ImageWriter::write(image, dir / "t.png", ImageFormat::png, 0.9);

    EXPECT_EQ((*pngChunk(bytes(dir / "t.png"), "IHDR"))[9], 6); // RGBA
    const PngPixels pixels = readPNG(dir / "t.png");
    expectNear(pixels.at(20, 20), {255, 0, 0, 128}, 1);
    EXPECT_EQ(pixels.at(20, 20), image.pixel(20, 20));
    EXPECT_EQ(pixels.at(1, 1).alpha, 0);
}

TEST(ImageWriterJPEG, QualityDensityAndColours) {
    test::TempDir dir;
    ImageWriter::write(sample(320, 240), dir / "a.jpg", ImageFormat::jpeg, 0.9);
    const JpegFile file = readJPEG(dir / "a.jpg");
    EXPECT_EQ(file.width, 320);
    EXPECT_EQ(file.height, 240);
    EXPECT_TRUE(file.jfif);
    EXPECT_EQ(file.densityUnit, 1); // dots per inch
    EXPECT_EQ(file.xDensity, 144);
    EXPECT_EQ(file.yDensity, 144);
    EXPECT_EQ(estimatedQuality(file), 90);
    expectNear(file.at(40, 120), {255, 204, 0, 255}, 4);
    expectNear(file.at(280, 120), sample(320, 240).pixel(280, 120), 4);

    ImageWriter::write(sample(64, 64), dir / "b.jpg", ImageFormat::jpeg, 0.5);
    EXPECT_EQ(estimatedQuality(readJPEG(dir / "b.jpg")), 50);
}

TEST(ImageWriterJPEG, TransparencyBecomesWhite) {
    test::TempDir dir;
    ImageWriter::write(sample(40, 40, true), dir / "t.jpg", ImageFormat::jpeg, 0.9);
    const JpegFile file = readJPEG(dir / "t.jpg");
    expectNear(file.at(2, 2), {255, 255, 255, 255}, 3);
    expectNear(file.at(20, 20), {255, 127, 127, 255}, 6); // half red over white
}

TEST(ImageWriterJPEG, QualityMapsOntoLibjpegScale) {
    EXPECT_EQ(ImageWriter::jpegQuality(0.9), 90);
    EXPECT_EQ(ImageWriter::jpegQuality(0.855), 86);
    EXPECT_EQ(ImageWriter::jpegQuality(0), 1);
    EXPECT_EQ(ImageWriter::jpegQuality(-3), 1);
    EXPECT_EQ(ImageWriter::jpegQuality(7), 100);
    EXPECT_EQ(ImageWriter::jpegQuality(std::nan("")), 90);
}

TEST(ImageWriterFiles, ReplacesAnExistingFile) {
    test::TempDir dir;
    std::ofstream(dir / "a.png") << std::string(100000, 'x');
    ImageWriter::write(sample(30, 20), dir / "a.png", ImageFormat::png, 0.9);
    EXPECT_EQ(readPNG(dir / "a.png").width, 30);
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"a.png"});
}

TEST(ImageWriterFiles, MissingFolderFailsWithTheFileName) {
    test::TempDir dir;
    try {
        ImageWriter::write(sample(30, 20), dir / "absent" / "01-grid.png", ImageFormat::png, 0.9);
        FAIL() << "no error";
    } catch (const ListingError& error) {
        EXPECT_EQ(error, ListingError::writeFailed("01-grid.png"));
    }
}

// A write that fails half-way (here: the file-size limit; a full disk behaves alike) leaves
// the file that was there before, and no temporary file behind.
TEST(ImageWriterFiles, FailedWriteLeavesNoTruncatedFile) {
    test::TempDir dir;
    for (ImageFormat format : allImageFormats) {
        const fs::path path = dir / (std::string("old.") + std::string(fileExtension(format)));
        std::ofstream(path) << "the earlier image";

        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 20000;
        setrlimit(RLIMIT_FSIZE, &small);
        bool failed = false;
        try {
            ImageWriter::write(noise(400), path, format, 0.9);
        } catch (const ListingError& error) {
            failed = error == ListingError::writeFailed(path.filename().string());
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        EXPECT_TRUE(failed) << storedText(format);
        EXPECT_EQ(bytes(path), "the earlier image");
        fs::remove(path);
        EXPECT_TRUE(folderEntries(dir.path()).empty());
    }
}
