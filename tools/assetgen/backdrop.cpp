#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "generators.h"

namespace art {
namespace {

constexpr int tile = 1024;      // the backdrop repeats every tile pixels both ways
constexpr int cloud_res = 512;  // nebula is soft, so it is computed at half size

std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// Value noise whose lattice wraps, so every octave tiles over the unit square.
class TileNoise {
public:
    TileNoise(std::uint64_t seed, int base_period, int octaves)
    {
        for (int o = 0; o < octaves; ++o) {
            Octave oct;
            oct.period = base_period << o;
            oct.values.resize(static_cast<std::size_t>(oct.period) * oct.period);
            for (std::size_t i = 0; i < oct.values.size(); ++i)
                oct.values[i] = static_cast<double>(mix(seed * 1000003u + o * 7919u + i) >> 11) * 0x1.0p-53;
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
    const TileNoise warp_u(11, 4, 4), warp_v(12, 4, 4), texture(13, 4, 6), dust(15, 8, 4);
    const Rgb palette[] = {{0.46, 0.16, 0.66}, {0.08, 0.40, 0.66}, {0.72, 0.20, 0.36}, {0.30, 0.22, 0.70}};
    Rng rng(0x6e6562u);
    std::vector<Blob> blobs;
    for (int i = 0; i < 16; ++i) {
        const double x = rng.uniform(), y = rng.uniform(), r = rng.range(0.06, 0.17);
        const double w = rng.range(0.4, 1.0);
        blobs.push_back({x, y, r, w, palette[rng.below(4)]});
    }
    Surface out(CAIRO_FORMAT_RGB24, cloud_res, cloud_res);
    for (int y = 0; y < cloud_res; ++y) {
        std::uint32_t* row = out.row(y);
        for (int x = 0; x < cloud_res; ++x) {
            const double u = (x + 0.5) / cloud_res, v = (y + 0.5) / cloud_res;
            const double wu = u + 0.12 * (warp_u(u, v) - 0.5);
            const double wv = v + 0.12 * (warp_v(u, v) - 0.5);
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
    out.mark_dirty();
    return out;
}

}  // namespace

Surface write_backdrop(const std::filesystem::path& images)
{
    Surface clouds = nebula();
    Surface bg(CAIRO_FORMAT_RGB24, tile, tile);
    {
        Context cr(bg);
        const Pattern p = Pattern::surface(clouds);
        cairo_matrix_t m;
        cairo_matrix_init_scale(&m, static_cast<double>(cloud_res) / tile, static_cast<double>(cloud_res) / tile);
        cairo_pattern_set_matrix(p, &m);
        cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
        cairo_pattern_set_filter(p, CAIRO_FILTER_BILINEAR);
        cairo_set_source(cr, p);
        cairo_paint(cr);

        Rng rng(0x5ca4e1u);
        starfield(cr, rng, tile, tile, 3400, true);
    }
    save_png(bg, images / "bg.png");
    return bg;
}

}  // namespace art
