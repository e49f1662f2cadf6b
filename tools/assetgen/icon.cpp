#include <cairo-svg.h>

#include <stdexcept>
#include <string>
#include <tuple>

#include "craft.h"
#include "generators.h"

namespace art {
namespace {

// The badge on a 64 x 64 grid: the player's ship, nose up, on a rounded square of deep
// space with a few stars, so it reads in a menu at 16 pixels, in a dock at 256 and on a
// phone's home screen at 192 or its splash screen at 512.
void drawIcon(cairo_t* cr, double size)
{
    cairo_scale(cr, size / 64.0, size / 64.0);
    const double r = 12;
    cairo_new_sub_path(cr);
    cairo_arc(cr, 64 - r - 2, r + 2, r, -PI / 2, 0);
    cairo_arc(cr, 64 - r - 2, 64 - r - 2, r, 0, PI / 2);
    cairo_arc(cr, r + 2, 64 - r - 2, r, PI / 2, PI);
    cairo_arc(cr, r + 2, r + 2, r, PI, 3 * PI / 2);
    cairo_close_path(cr);
    const Pattern space =
        Pattern::radial(32, 26, 2, 32, 32, 44).stop(0.0, {0.10, 0.16, 0.34}).stop(1.0, {0.01, 0.02, 0.06});
    cairo_set_source(cr, space);
    cairo_fill_preserve(cr);
    setColour(cr, {0.35, 0.55, 0.85}, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (const auto& [x, y, radius] :
         {std::tuple{13.0, 15.0, 0.9}, {50.0, 12.0, 0.7}, {47.0, 50.0, 1.0}, {15.0, 48.0, 0.6}}) {
        cairo_arc(cr, x, y, radius, 0, 2 * PI);
        setColour(cr, {0.9, 0.95, 1.0});
        cairo_fill(cr);
    }
    cairo_translate(cr, 32, 34);
    cairo_rotate(cr, -PI / 2);
    cairo_scale(cr, 1.6, 1.6);
    drawShip(cr);
}

}  // namespace

void writeIcons(const std::filesystem::path& images, const std::filesystem::path& icons)
{
    for (int size : {16, 32, 48, 64, 128, 192, 256, 512}) {
        Surface canvas = transparentCanvas(size, size);
        {
            Context cr(canvas);
            drawIcon(cr, size);
        }
        const std::string dimensions = std::to_string(size) + "x" + std::to_string(size);
        std::filesystem::create_directories(icons / dimensions / "apps");
        savePng(canvas, icons / dimensions / "apps" / "skarvel.png");
        if (size == 32)
            savePng(canvas, images / fileName(Picture::Icon));  // the window's own
    }
    std::filesystem::create_directories(icons / "scalable" / "apps");
    const std::string svg = (icons / "scalable" / "apps" / "skarvel.svg").string();
    cairo_surface_t* surface = cairo_svg_surface_create(svg.c_str(), 64, 64);
    cairo_t* cr = cairo_create(surface);
    drawIcon(cr, 64);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + svg + ": " + cairo_status_to_string(status));
}

}  // namespace art
