// The report's pictures: what SauveJPEG writes decodes, through the library's own decompressor, to the
// size and roughly the colours given; failures leave no file.
#include "AideTests.h"

#include "engine/rapport/SauveJPEG.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

#include <jpeglib.h>

using namespace t3test;
namespace fs = std::filesystem;

namespace {

struct Image {
    int largeur = 0, hauteur = 0, composantes = 0;
    std::vector<unsigned char> pixels;
    const unsigned char* Pixel(int x, int y) const {
        return pixels.data() + (static_cast<size_t>(y) * largeur + x) * static_cast<size_t>(composantes);
    }
};

// Decodes the JPEG file into RGB; an image of width 0 when the file is missing. A file that is not a
// JPEG ends the test program through the library's default error handler, which is failure enough.
Image Decode(const std::string& chemin) {
    Image image;
    std::FILE* f = std::fopen(chemin.c_str(), "rb");
    if (!f) return image;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr erreur;
    cinfo.err = jpeg_std_error(&erreur);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, f);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    image.largeur = static_cast<int>(cinfo.output_width);
    image.hauteur = static_cast<int>(cinfo.output_height);
    image.composantes = cinfo.output_components;
    image.pixels.resize(static_cast<size_t>(image.largeur) * image.hauteur * image.composantes);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW ligne = image.pixels.data() +
                         static_cast<size_t>(cinfo.output_scanline) * image.largeur * image.composantes;
        jpeg_read_scanlines(&cinfo, &ligne, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(f);
    return image;
}

void ProcheDe(const Image& image, int x, int y, int r, int v, int b) {
    const unsigned char* p = image.Pixel(x, y);
    EXPECT_LE(std::abs(p[0] - r), 40) << x << "," << y;
    EXPECT_LE(std::abs(p[1] - v), 40) << x << "," << y;
    EXPECT_LE(std::abs(p[2] - b), 40) << x << "," << y;
}

} // namespace

TEST(SauveJPEG, ImageRelueAvecSesDimensionsEtSesCouleurs) {
    DossierTemporaire dossier;
    // 64 x 48: red on the left, blue on the right, a white band at the bottom; rows padded to 200 bytes.
    const int largeur = 64, hauteur = 48, pas = 200;
    std::vector<unsigned char> rgb(static_cast<size_t>(pas) * hauteur, 0x55);
    for (int y = 0; y < hauteur; ++y)
        for (int x = 0; x < largeur; ++x) {
            unsigned char* p = &rgb[static_cast<size_t>(y) * pas + static_cast<size_t>(x) * 3];
            if (y >= 40)
                p[0] = p[1] = p[2] = 255;
            else if (x < 32)
                p[0] = 255, p[1] = 0, p[2] = 0;
            else
                p[0] = 0, p[1] = 0, p[2] = 255;
        }

    // Replaces a larger file of the same name.
    EcritFichier("image.jpg", std::string(100000, 'x'));
    ASSERT_TRUE(t3::SauveJPEG(rgb.data(), largeur, hauteur, pas, "image.jpg", 30));
    EXPECT_LT(fs::file_size("image.jpg"), 100000u);
    const Image lue = Decode("image.jpg");
    ASSERT_EQ(lue.largeur, largeur);
    ASSERT_EQ(lue.hauteur, hauteur);
    ASSERT_EQ(lue.composantes, 3);
    ProcheDe(lue, 8, 8, 255, 0, 0);
    ProcheDe(lue, 56, 8, 0, 0, 255);
    ProcheDe(lue, 8, 44, 255, 255, 255);
    ProcheDe(lue, 56, 44, 255, 255, 255);

    // The quality goes to the encoder: a lower one gives a smaller file of the same picture.
    for (int y = 0; y < hauteur; ++y)
        for (int x = 0; x < largeur * 3; ++x)
            rgb[static_cast<size_t>(y) * pas + x] = static_cast<unsigned char>(x * y * 7);
    ASSERT_TRUE(t3::SauveJPEG(rgb.data(), largeur, hauteur, pas, "fort.jpg", 95));
    ASSERT_TRUE(t3::SauveJPEG(rgb.data(), largeur, hauteur, pas, "faible.jpg", 30));
    EXPECT_LT(fs::file_size("faible.jpg"), fs::file_size("fort.jpg"));
}

TEST(SauveJPEG, EchecsSansFichier) {
    DossierTemporaire dossier;
    const std::vector<unsigned char> rgb(300, 128);
    EXPECT_FALSE(t3::SauveJPEG(rgb.data(), 10, 10, 30, "absent/image.jpg", 30));
    EXPECT_FALSE(t3::SauveJPEG(nullptr, 10, 10, 30, "nul.jpg", 30));
    EXPECT_FALSE(t3::SauveJPEG(rgb.data(), 10, 10, 29, "pas.jpg", 30));
    EXPECT_FALSE(t3::SauveJPEG(rgb.data(), 0, 10, 30, "vide.jpg", 30));
    EXPECT_FALSE(t3::SauveJPEG(rgb.data(), 10, -1, 30, "negatif.jpg", 30));
    EXPECT_TRUE(fs::is_empty(dossier.Chemin()));
}
