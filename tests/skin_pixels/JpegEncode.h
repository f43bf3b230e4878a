// Encodes small test pictures with libjpeg itself.
#pragma once

#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>
#include <jpeglib.h>

#include <cstdint>
#include <vector>

namespace skin::test {

// Left half one colour, right half another; grey pictures take the red byte.
enum class JpegColour { Rgb, Grey };
enum class JpegScan { Baseline, Progressive };

inline std::vector<std::uint8_t> MakeJpeg(int width, int height, JpegColour colour,
                                          JpegScan scan = JpegScan::Baseline) {
    const bool grey = colour == JpegColour::Grey;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    if (scan == JpegScan::Progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(std::size_t(width) * info.input_components);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool left = x < width / 2;
            if (grey) {
                row[x] = left ? 40 : 200;
            } else {
                row[3 * x] = left ? 200 : 20;
                row[3 * x + 1] = left ? 30 : 120;
                row[3 * x + 2] = left ? 60 : 230;
            }
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

} // namespace skin::test
