#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "generators.h"
#include "random.h"

namespace art {
namespace {

constexpr int TILE = 1024;      // the backdrop repeats every tile pixels both ways
constexpr int CLOUD_RES = 512;  // nebula is soft, so it is computed at half size

// Value noise whose lattice wraps, so every octave tiles over the unit square.
class TileNoise {
public:
    TileNoise(std::uint64_t seed, int basePeriod, int octaves)
    {
        for (int o = 0; o < octaves; ++o) {
            Octave oct;
            oct.period = basePeriod << o;
            oct.values.resize(static_cast<std::size_t>(oct.period) * oct.period);
            for (std::size_t i = 0; i < oct.values.size(); ++i)
                oct.values[i] = randomUnit(randomMix(seed * 1000003u + o * 7919u + i));
            octaves_.push_back(std::move(oct));
        }
    }

    // Fractal sum in about [0,1] at tile coordinates (u,v), any real values.
    double operator()(double u, double v) const
    {
        double sum = 0, amp = 1, norm = 0;
        bool turned = false;
        for (const Octave& o : octaves_) {
            // every other octave is sampled on a lattice turned by 45 degrees (an integer
            // map, so it still tiles) to hide the grid that value noise leaves
            sum += amp * (turned ? o.at(u + v, v - u) : o.at(u, v));
            turned = !turned;
            norm += amp;
            amp *= 0.5;
        }
        return sum / norm;
    }

private:
    struct Octave {
        int period = 1;
        std::vector<double> values;
        double at(double u, double v) const
        {
            const double x = u * period, y = v * period;
            const double fx = std::floor(x), fy = std::floor(y);
            const int x0 = wrap(static_cast<int>(fx)), y0 = wrap(static_cast<int>(fy));
            const int x1 = wrap(x0 + 1), y1 = wrap(y0 + 1);
            const double tx = fade(x - fx), ty = fade(y - fy);
            const double a = values[y0 * period + x0], b = values[y0 * period + x1];
            const double c = values[y1 * period + x0], d = values[y1 * period + x1];
            return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
        }
        int wrap(int i) const { return ((i % period) + period) % period; }
        static double fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
    };
    std::vector<Octave> octaves_;
};

double smooth(double lo, double hi, double x)
{
    const double t = std::clamp((x - lo) / (hi - lo), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

struct Blob {
    double x, y, radius, weight;
    Rgb colour;
};

// Faint clouds of violet, teal and rose with darker dust lanes, as a tileable picture:
// soft blobs (measured across the wrapped edges) give the large shapes, warped noise the
// wisps inside them.
Surface nebula()
{
    const TileNoise warpU(11, 4, 4), warpV(12, 4, 4), texture(13, 4, 6), dust(15, 8, 4);
    const Rgb palette[] = {{0.46, 0.16, 0.66}, {0.08, 0.40, 0.66}, {0.72, 0.20, 0.36}, {0.30, 0.22, 0.70}};
    Random random(0x6e6562u);
    std::vector<Blob> blobs;
    for (int i = 0; i < 16; ++i) {
        const double x = random.uniform(), y = random.uniform(), r = random.range(0.06, 0.17);
        const double w = random.range(0.4, 1.0);
        blobs.push_back({x, y, r, w, palette[random.below(4)]});
    }
    Surface out(CAIRO_FORMAT_RGB24, CLOUD_RES, CLOUD_RES);
    for (int y = 0; y < CLOUD_RES; ++y) {
        std::uint32_t* row = out.row(y);
        for (int x = 0; x < CLOUD_RES; ++x) {
            const double u = (x + 0.5) / CLOUD_RES, v = (y + 0.5) / CLOUD_RES;
            const double wu = u + 0.12 * (warpU(u, v) - 0.5);
            const double wv = v + 0.12 * (warpV(u, v) - 0.5);
            Rgb c{0, 0, 0};
            double mass = 0;
            for (const Blob& b : blobs) {
                double dx = wu - b.x, dy = wv - b.y;
                dx -= std::round(dx);
                dy -= std::round(dy);
                const double g = b.weight * std::exp(-(dx * dx + dy * dy) / (b.radius * b.radius));
                mass += g;
                c = {c.r + g * b.colour.r, c.g + g * b.colour.g, c.b + g * b.colour.b};
            }
            const double t = texture(wu, wv);
            const double wisp = smooth(0.3, 0.8, 0.75 * t + 0.35 * std::min(mass, 1.0));
            const double lane = 1.0 - 0.7 * smooth(0.52, 0.72, dust(wu, wv));
            const double k = 0.30 * (0.25 + 0.95 * wisp) * lane;
            const double ambient = 0.012 + 0.015 * t;
            const auto level = [](double f) {
                return static_cast<std::uint32_t>(std::clamp(std::lround(f * 255), 0L, 255L));
            };
            row[x] = 0xFF000000u | level(ambient * 0.5 + c.r * k) << 16 | level(ambient * 0.6 + c.g * k) << 8 |
                level(ambient * 1.4 + c.b * k);
        }
    }
    out.markDirty();
    return out;
}

}  // namespace

Surface writeBackdrop(const std::filesystem::path& images)
{
    Surface clouds = nebula();
    Surface bg(CAIRO_FORMAT_RGB24, TILE, TILE);
    {
        Context cr(bg);
        const Pattern p = Pattern::surface(clouds);
        cairo_matrix_t m;
        cairo_matrix_init_scale(&m, static_cast<double>(CLOUD_RES) / TILE, static_cast<double>(CLOUD_RES) / TILE);
        cairo_pattern_set_matrix(p, &m);
        cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
        cairo_pattern_set_filter(p, CAIRO_FILTER_BILINEAR);
        cairo_set_source(cr, p);
        cairo_paint(cr);

        Random random(0x5ca4e1u);
        starfield(cr, random, TILE, TILE, 3400, true);
    }
    savePng(bg, images / fileName(Picture::Background));
    return bg;
}

}  // namespace art
