// vantorel-artgen: draws the sheets and icons of the game and writes them to a folder.
//   vantorel-artgen --out DIR [--contact-sheet FILE.png]
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "art.h"

namespace {

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "vantorel-artgen: cannot write " << path << "\n";
        return false;
    }
    return true;
}

int Usage() {
    std::cerr << "usage: vantorel-artgen --out DIR [--contact-sheet FILE.png]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string outDir;
    std::string contact;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--out" || arg == "--contact-sheet") && i + 1 < argc) {
            (arg == "--out" ? outDir : contact) = argv[++i];
        } else {
            return Usage();
        }
    }
    if (outDir.empty() && contact.empty()) {
        return Usage();
    }
    const artgen::Artwork art = artgen::DrawArtwork();
    if (!outDir.empty()) {
        const artgen::Palette sheet = artgen::SheetPalette();
        const artgen::Palette glyph = artgen::GlyphPalette();
        const bool ok =
            WriteFile(outDir + "/tiles.bmp", artgen::EncodeBmp(art.tiles, sheet)) &&
            WriteFile(outDir + "/banner.bmp", artgen::EncodeBmp(art.banner, sheet)) &&
            WriteFile(outDir + "/pans.bmp", artgen::EncodeBmp(art.pans, sheet)) &&
            WriteFile(outDir + "/glyphs.bmp", artgen::EncodeBmp(art.glyphs, glyph)) &&
            WriteFile(outDir + "/background.bmp", artgen::EncodeBmp(art.background, sheet)) &&
            WriteFile(outDir + "/vantorel_file.ico", artgen::EncodeIco(art.fileIcon, glyph)) &&
            WriteFile(outDir + "/vantorel_window.ico", artgen::EncodeIco(art.windowIcon, glyph));
        if (!ok) {
            return 1;
        }
    }
    if (!contact.empty() && !artgen::WriteContactSheet(art, contact)) {
        std::cerr << "vantorel-artgen: cannot write " << contact << "\n";
        return 1;
    }
    return 0;
}
