// Runs the asset generator into a scratch directory and checks the real files it writes:
// sizes, colour keys, tiling of the backdrop, sound format and determinism.
#include <cairo.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Output directories of this test process, removed again when it ends.
struct Scratch {
    std::vector<fs::path> dirs;
    ~Scratch()
    {
        std::error_code ec;
        for (const auto& d : dirs)
            fs::remove_all(d, ec);
    }
};
Scratch scratch;

fs::path run_generator(const std::string& name)
{
    const fs::path out = fs::temp_directory_path() / ("skarvel_assetgen_" + std::to_string(::getpid()) + "_" + name);
    fs::remove_all(out);
    scratch.dirs.push_back(out);
    const std::string cmd = std::string("\"") + ASSETGEN_EXE + "\" \"" + out.string() + "\"";
    if (std::system(cmd.c_str()) != 0)
        return {};
    return out;
}

const fs::path& assets()
{
    static const fs::path out = run_generator("a");
    return out;
}

struct Picture {
    int width = 0, height = 0;
    cairo_format_t format = CAIRO_FORMAT_INVALID;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB
    std::uint32_t at(int x, int y) const { return pixels[y * width + x] & 0xFFFFFFu; }
};

Picture load(const fs::path& p)
{
    Picture pic;
    cairo_surface_t* s = cairo_image_surface_create_from_png(p.c_str());
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
        pic.width = cairo_image_surface_get_width(s);
        pic.height = cairo_image_surface_get_height(s);
        pic.format = cairo_image_surface_get_format(s);
        const int stride = cairo_image_surface_get_stride(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        for (int y = 0; y < pic.height; ++y)
            for (int x = 0; x < pic.width; ++x)
                pic.pixels.push_back(reinterpret_cast<const std::uint32_t*>(data + y * stride)[x]);
    }
    cairo_surface_destroy(s);
    return pic;
}

std::string frame(const char* stem, int k)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%04d.png", stem, k);
    return buf;
}

std::vector<char> bytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(Assetgen, PicturesHaveTheirSizesAndAreOpaque)
{
    ASSERT_FALSE(assets().empty()) << "assetgen failed";
    const fs::path img = assets() / "images";
    const struct {
        std::string name;
        int w, h;
    } fixed[] = {{"bg.png", 1024, 1024},  {"numbers.png", 170, 32}, {"intro.png", 640, 480},  {"loading.png", 640, 140},
                 {"ready.png", 640, 140}, {"bullet.png", 6, 6},     {"smallship.png", 16, 16}};
    for (const auto& f : fixed) {
        const Picture p = load(img / f.name);
        EXPECT_EQ(p.width, f.w) << f.name;
        EXPECT_EQ(p.height, f.h) << f.name;
        EXPECT_EQ(p.format, CAIRO_FORMAT_RGB24) << f.name;
    }
    for (int k = 1; k <= 64; ++k) {
        EXPECT_EQ(load(img / frame("ship", k)).width, 32);
        EXPECT_EQ(load(img / frame("enemy", k)).width, 32);
        EXPECT_EQ(load(img / frame("missile", k)).width, 16);
        EXPECT_EQ(load(img / frame("shrapnel", k)).width, 12);
    }
}

TEST(Assetgen, MagentaKeyedPicturesHaveNoPinkFringe)
{
    ASSERT_FALSE(assets().empty());
    for (const char* name : {"numbers.png", "bullet.png", "smallship.png"}) {
        const Picture p = load(assets() / "images" / name);
        int key = 0, pink = 0;
        for (std::uint32_t px : p.pixels) {
            const int r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
            if ((px & 0xFFFFFFu) == 0xFF00FFu)
                ++key;
            else if (r > 150 && b > 150 && g < 100)
                ++pink;
        }
        EXPECT_GT(key, 0) << name;
        EXPECT_EQ(pink, 0) << name;
    }
}

TEST(Assetgen, CraftFramesSitOnBlackAndTurnCounterClockwise)
{
    ASSERT_FALSE(assets().empty());
    const fs::path img = assets() / "images";
    // The missile's bright flame sits behind it: left of centre at frame 1, below at 17.
    auto flame_side = [&](int k) {
        const Picture p = load(img / frame("missile", k));
        long sx = 0, sy = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const std::uint32_t px = p.at(x, y);
                if (((px >> 16) & 0xFF) > 200 && ((px >> 8) & 0xFF) > 150 && (px & 0xFF) < 120) {
                    sx += x - 8;
                    sy += y - 8;
                }
            }
        return std::pair{sx, sy};
    };
    EXPECT_LT(flame_side(1).first, 0);
    EXPECT_GT(flame_side(17).second, 0);
    EXPECT_GT(flame_side(33).first, 0);
    EXPECT_LT(flame_side(49).second, 0);
    const Picture ship = load(img / frame("ship", 1));
    EXPECT_EQ(ship.at(0, 0), 0u);
    EXPECT_NE(ship.at(16, 16), 0u);
}

TEST(Assetgen, BackdropTilesAndIsDark)
{
    ASSERT_FALSE(assets().empty());
    const Picture bg = load(assets() / "images" / "bg.png");
    auto lum = [](std::uint32_t px) {
        return 0.299 * ((px >> 16) & 0xFF) + 0.587 * ((px >> 8) & 0xFF) + 0.114 * (px & 0xFF);
    };
    double total = 0;
    for (std::uint32_t px : bg.pixels)
        total += lum(px);
    EXPECT_LT(total / bg.pixels.size(), 30.0);
    auto row_step = [&](int y0, int y1) {
        double d = 0;
        for (int x = 0; x < bg.width; ++x)
            d += std::abs(lum(bg.at(x, y0)) - lum(bg.at(x, y1)));
        return d / bg.width;
    };
    auto col_step = [&](int x0, int x1) {
        double d = 0;
        for (int y = 0; y < bg.height; ++y)
            d += std::abs(lum(bg.at(x0, y)) - lum(bg.at(x1, y)));
        return d / bg.height;
    };
    EXPECT_LT(row_step(bg.height - 1, 0), 2.0 * row_step(500, 501) + 1.0);
    EXPECT_LT(col_step(bg.width - 1, 0), 2.0 * col_step(500, 501) + 1.0);
}

TEST(Assetgen, SoundsAreShortCleanAndUnclipped)
{
    ASSERT_FALSE(assets().empty());
    const struct {
        const char* name;
        double max_seconds;
    } sounds[] = {{"shoot3.wav", 0.15}, {"missile1.wav", 0.5}, {"explode1.wav", 0.6},
                  {"impact1.wav", 0.4}, {"impact2.wav", 0.4},  {"impact3.wav", 0.4}};
    for (const auto& s : sounds) {
        SF_INFO info{};
        SNDFILE* f = sf_open((assets() / "sounds" / s.name).c_str(), SFM_READ, &info);
        ASSERT_NE(f, nullptr) << s.name;
        std::vector<short> pcm(static_cast<std::size_t>(info.frames));
        sf_read_short(f, pcm.data(), info.frames);
        sf_close(f);
        EXPECT_EQ(info.samplerate, 22050) << s.name;
        EXPECT_EQ(info.channels, 1) << s.name;
        EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16) << s.name;
        EXPECT_LE(info.frames, s.max_seconds * 22050) << s.name;
        ASSERT_FALSE(pcm.empty());
        int peak = 0;
        for (short v : pcm)
            peak = std::max(peak, std::abs(static_cast<int>(v)));
        EXPECT_GT(peak, 25000) << s.name;
        EXPECT_LT(peak, 32767) << s.name;
        EXPECT_LT(std::abs(pcm.front()), 100) << s.name;
        EXPECT_LT(std::abs(pcm.back()), 100) << s.name;
    }
}

TEST(Assetgen, EveryRunWritesTheSameBytes)
{
    ASSERT_FALSE(assets().empty());
    const fs::path again = run_generator("b");
    ASSERT_FALSE(again.empty());
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(assets())) {
        if (!entry.is_regular_file())
            continue;
        const fs::path other = again / fs::relative(entry.path(), assets());
        EXPECT_EQ(bytes(entry.path()), bytes(other)) << entry.path();
        ++files;
    }
    EXPECT_EQ(files, 263 + 6);
}
