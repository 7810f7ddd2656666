// Builds PNG files for the decoder's tests: by hand, chunk by chunk, for the
// odd cases, and with libpng's encoder for every accepted kind; decodes them
// with our decoder and with libpng to compare.
#pragma once

#include <png.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "media/png_image.h"
#include "media/png_pixels.h"

typedef std::vector<std::uint8_t> Bytes;

inline std::uint32_t crc32Of(const std::uint8_t *bytes, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

inline void appendBigEndian(Bytes &to, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) to.push_back(std::uint8_t(value >> shift));
}

struct Chunk {
    std::string type;
    Bytes data;
};

inline Bytes pngSignatureBytes() { return {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A}; }

inline void appendChunk(Bytes &file, const Chunk &chunk, bool wrongCrc = false) {
    appendBigEndian(file, std::uint32_t(chunk.data.size()));
    Bytes typed(chunk.type.begin(), chunk.type.end());
    typed.insert(typed.end(), chunk.data.begin(), chunk.data.end());
    file.insert(file.end(), typed.begin(), typed.end());
    appendBigEndian(file, crc32Of(typed.data(), typed.size()) ^ (wrongCrc ? 1u : 0u));
}

inline Bytes pngFile(const std::vector<Chunk> &chunks, bool wrongCrcs = false) {
    Bytes file = pngSignatureBytes();
    for (const Chunk &chunk : chunks) appendChunk(file, chunk, wrongCrcs);
    return file;
}

inline Chunk ihdrChunk(std::uint32_t width, std::uint32_t height, std::uint8_t bitDepth, std::uint8_t colourType,
                       std::uint8_t interlace = 0) {
    Chunk chunk{"IHDR", {}};
    appendBigEndian(chunk.data, width);
    appendBigEndian(chunk.data, height);
    chunk.data.insert(chunk.data.end(), {bitDepth, colourType, 0, 0, interlace});
    return chunk;
}

inline std::uint32_t adler32Of(const Bytes &bytes) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

// A zlib stream of stored blocks holding `raw`.
inline Bytes zlibStored(const Bytes &raw, bool wrongAdler = false) {
    Bytes stream = {0x78, 0x01};
    std::size_t at = 0;
    do {
        std::size_t length = raw.size() - at < 65535 ? raw.size() - at : 65535;
        bool final = at + length == raw.size();
        stream.push_back(final ? 1 : 0);
        stream.push_back(std::uint8_t(length));
        stream.push_back(std::uint8_t(length >> 8));
        stream.push_back(std::uint8_t(~length));
        stream.push_back(std::uint8_t(~length >> 8));
        stream.insert(stream.end(), raw.begin() + long(at), raw.begin() + long(at + length));
        at += length;
    } while (at < raw.size());
    appendBigEndian(stream, adler32Of(raw) ^ (wrongAdler ? 1u : 0u));
    return stream;
}

inline Chunk idatChunk(const Bytes &zlibData) { return Chunk{"IDAT", zlibData}; }
inline Chunk iendChunk() { return Chunk{"IEND", {}}; }

// Every step of our decoder, as far as it gets.
struct OurDecoding {
    bool attached = false, inflated = false, described = false, converted = false;
    std::uint32_t lastError = 0;
    PngBitmapFormat format{};
    Bytes bits;
};

inline OurDecoding decodeWithOurs(const Bytes &file) {
    OurDecoding result;
    PngImage image;
    std::memset(&image, 0, sizeof image);
    result.attached = attachPngBytes(&image, file.data(), std::uint32_t(file.size())) != 0;
    result.inflated = result.attached && inflatePngImage(&image) != 0;
    result.described = result.inflated && describePngBitmap(&image, &result.format) != 0;
    if (result.described) {
        result.bits.assign(result.format.imageSize, 0xCD);
        result.converted = convertPngRows(&image, result.format, result.bits.data()) != 0;
    }
    result.lastError = image.lastError;
    clearPngImage(&image);
    return result;
}

// libpng's side: writing from memory rows, reading back to full-size rows in
// the file's own sample format (packed low depths, big-endian 16 bits).
struct LibpngImage {
    std::uint32_t width = 0, height = 0;
    int bitDepth = 0, colourType = 0, interlace = 0;
    std::vector<Bytes> rows;
    std::vector<png_color> palette;
};

inline void libpngWriteToVector(png_structp png, png_bytep data, png_size_t length) {
    Bytes *out = static_cast<Bytes *>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
inline void libpngFlush(png_structp) {}

// `filters` is one of libpng's PNG_FILTER_* flags; `strategy` 0 stores,
// otherwise it is the zlib strategy (1 default, 4 fixed codes).
inline Bytes encodeWithLibpng(const LibpngImage &source, int filters, int strategy) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return Bytes();
    }
    png_set_write_fn(png, &out, libpngWriteToVector, libpngFlush);
    png_set_IHDR(png, info, source.width, source.height, source.bitDepth, source.colourType,
                 source.interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!source.palette.empty())
        png_set_PLTE(png, info, const_cast<png_colorp>(source.palette.data()), int(source.palette.size()));
    png_set_filter(png, PNG_FILTER_TYPE_BASE, filters);
    if (strategy == 0) {
        png_set_compression_level(png, 0);
    } else {
        png_set_compression_strategy(png, strategy == 4 ? 4 /* Z_FIXED */ : 0);
    }
    std::vector<png_bytep> rowPointers;
    for (const Bytes &row : source.rows) rowPointers.push_back(const_cast<png_bytep>(row.data()));
    png_write_info(png, info);
    png_write_image(png, rowPointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

struct MemoryReader {
    const Bytes *bytes;
    std::size_t at;
};

inline void libpngReadFromMemory(png_structp png, png_bytep data, png_size_t length) {
    MemoryReader *reader = static_cast<MemoryReader *>(png_get_io_ptr(png));
    if (reader->at + length > reader->bytes->size()) png_error(png, "read past the end");
    std::memcpy(data, reader->bytes->data() + reader->at, length);
    reader->at += length;
}

inline bool decodeWithLibpng(const Bytes &file, LibpngImage *image) {
    MemoryReader reader{&file, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &reader, libpngReadFromMemory);
    png_read_info(png, info);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    image->width = png_get_image_width(png, info);
    image->height = png_get_image_height(png, info);
    image->bitDepth = png_get_bit_depth(png, info);
    image->colourType = png_get_color_type(png, info);
    image->rows.assign(image->height, Bytes(png_get_rowbytes(png, info)));
    std::vector<png_bytep> rowPointers;
    for (Bytes &row : image->rows) rowPointers.push_back(row.data());
    png_read_image(png, rowPointers.data());
    png_colorp palette = nullptr;
    int paletteSize = 0;
    if (png_get_PLTE(png, info, &palette, &paletteSize)) image->palette.assign(palette, palette + paletteSize);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}
