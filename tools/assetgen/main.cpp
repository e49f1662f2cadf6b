// Draws and synthesises every picture and sound of Skarvel into the directory given on
// the command line (images/ and sounds/ beneath it, the desktop icons in icons/hicolor/).
#include <exception>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "generators.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: assetgen OUTDIR\n";
        return 2;
    }
    try {
        const std::filesystem::path out = argv[1];
        const std::filesystem::path images = out / "images", sounds = out / "sounds";
        for (const auto& dir : {images, sounds}) {
            std::error_code ec;
            std::filesystem::create_directories(dir, ec);
            if (ec) {
                std::cerr << "assetgen: cannot create " << dir.string() << ": " << ec.message() << "\n";
                return 1;
            }
        }
        const art::Surface backdrop = art::writeBackdrop(images);
        art::writeTitle(images, backdrop);
        art::writeFont(images);
        art::writeSprites(images);
        art::writeIcons(images, out / "icons" / "hicolor");
        art::writeSounds(sounds);
    } catch (const std::exception& e) {
        std::cerr << "assetgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
