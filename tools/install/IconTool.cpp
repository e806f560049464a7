// polity_icon SOURCE.svg OUTPUT_FOLDER SIZE...: renders the program's icon
// into OUTPUT_FOLDER/polity-SIZE.png for each size the desktop asks for.
#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool Render(RsvgHandle* handle, int size, const std::string& path) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    const RsvgRectangle viewport{0, 0, double(size), double(size)};
    GError* error = nullptr;
    bool written = rsvg_handle_render_document(handle, cr, &viewport, &error);
    if (!written)
        std::fprintf(stderr, "polity_icon: %s\n", error ? error->message : "rendering failed");
    if (error) g_error_free(error);
    if (written && cairo_surface_write_to_png(surface, path.c_str()) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "polity_icon: cannot write %s\n", path.c_str());
        written = false;
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: polity_icon SOURCE.svg OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    GError* error = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_file(argv[1], &error);
    if (!handle) {
        std::fprintf(stderr, "polity_icon: %s: %s\n", argv[1],
                     error ? error->message : "cannot read");
        if (error) g_error_free(error);
        return 1;
    }
    bool ok = true;
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 16 || size > 1024) {
            std::fprintf(stderr, "polity_icon: size %s is not from 16 to 1024\n", argv[i]);
            ok = false;
            continue;
        }
        ok = Render(handle, size, std::string(argv[2]) + "/polity-" + argv[i] + ".png") && ok;
    }
    g_object_unref(handle);
    return ok ? 0 : 1;
}
