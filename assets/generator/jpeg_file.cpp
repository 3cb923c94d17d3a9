#include "assets/generator/jpeg_file.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "files/whole_file.h"

namespace {

// libjpeg reports fatal errors through error_exit; jump back instead of exiting.
struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void onJpegError(j_common_ptr info) {
    JpegError* error = reinterpret_cast<JpegError*>(info->err);
    std::longjmp(error->jump, 1);
}

void silentMessage(j_common_ptr) {}

// The error manager for a compress or decompress object: no messages, and a
// fatal error jumps back to the setjmp of its caller.
jpeg_error_mgr* quietErrors(JpegError& error) {
    jpeg_error_mgr* manager = jpeg_std_error(&error.manager);
    manager->error_exit = onJpegError;
    manager->output_message = silentMessage;
    return manager;
}

}  // namespace

bool writeJpeg(const std::string& path, const Rgb8Picture& picture, int quality) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    jpeg_compress_struct info;
    JpegError error;
    info.err = quietErrors(error);
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        std::fclose(file);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(picture.width);
    info.image_height = static_cast<JDIMENSION>(picture.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    info.optimize_coding = TRUE;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(picture.pixel(0, static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

bool decodeJpeg(const std::vector<uint8_t>& bytes, Rgb8Picture& picture) {
    if (bytes.empty()) return false;
    jpeg_decompress_struct info;
    JpegError error;
    info.err = quietErrors(error);
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&info);
    picture.width = static_cast<int>(info.output_width);
    picture.height = static_cast<int>(info.output_height);
    picture.rgb.assign(static_cast<size_t>(picture.width) * picture.height * 3, 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = picture.pixel(0, static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool readJpeg(const std::string& path, Rgb8Picture& picture) {
    std::vector<uint8_t> bytes;
    return readWholeFile(path, bytes) && decodeJpeg(bytes, picture);
}
