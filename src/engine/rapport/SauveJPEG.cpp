#include "engine/rapport/SauveJPEG.h"

#include <csetjmp>
#include <cstdio>
#include <unistd.h>

#include <jpeglib.h>

namespace t3 {

namespace {

// The library's fatal errors come back here instead of ending the program.
struct ErreurJpeg {
    jpeg_error_mgr base;
    std::jmp_buf retour;
};

[[noreturn]] void SortieErreur(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErreurJpeg*>(info->err)->retour, 1);
}

void SansMessage(j_common_ptr) {}

// The compression itself, free of C++ objects with destructors, since an error leaves it by longjmp.
bool Compresse(const unsigned char* rgb, int largeur, int hauteur, int pas, std::FILE* f, int qualite) {
    jpeg_compress_struct cinfo;
    ErreurJpeg erreur;
    cinfo.err = jpeg_std_error(&erreur.base);
    erreur.base.error_exit = SortieErreur;
    erreur.base.output_message = SansMessage;
    if (setjmp(erreur.retour)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = static_cast<JDIMENSION>(largeur);
    cinfo.image_height = static_cast<JDIMENSION>(hauteur);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, qualite, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW ligne =
            const_cast<JSAMPROW>(rgb + static_cast<size_t>(cinfo.next_scanline) * static_cast<size_t>(pas));
        jpeg_write_scanlines(&cinfo, &ligne, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

} // namespace

bool SauveJPEG(const unsigned char* rgb, int largeur, int hauteur, int pas, const std::string& chemin,
               int qualite) {
    if (!rgb || largeur <= 0 || hauteur <= 0 || largeur > JPEG_MAX_DIMENSION ||
        hauteur > JPEG_MAX_DIMENSION || pas < 3 * largeur)
        return false;
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    if (!f) return false;
    const bool compresse = Compresse(rgb, largeur, hauteur, pas, f,
                                     qualite < 1     ? 1
                                     : qualite > 100 ? 100
                                                     : qualite);
    const bool ferme = std::fclose(f) == 0;
    if (compresse && ferme) return true;
    ::unlink(chemin.c_str());
    return false;
}

} // namespace t3
