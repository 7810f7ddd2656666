// Our PNG decoder against libpng on pictures of the sizes a quiz carries.
// Each pair is decoded from the same file in memory to full-size rows; the
// figures are megabytes of decoded pixels per second, and after the run the
// ratio of our speed to libpng's, measured in the same run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "../unit/png_test_support.h"
#include "platform/platform.h"

namespace {

struct Picture {
    const char *name;
    int width, height, bitDepth, colourType;
    bool interlace;
    bool photoLike;
};

const Picture pictures[] = {
    {"rgb_260", 260, 260, 8, 2, false, true},         {"photo_1600x1200", 1600, 1200, 8, 2, false, true},
    {"palette_260", 260, 260, 8, 3, false, false},    {"grey_260", 260, 260, 8, 0, false, true},
    {"rgb_260_adam7", 260, 260, 8, 2, true, true},    {"rgba_640x480", 640, 480, 8, 6, false, true},
};

// Smooth gradients with a little noise, as photographs compress; or flat
// areas of a few colours, as drawings do.
Bytes makeFile(const Picture &picture) {
    LibpngImage image;
    image.width = std::uint32_t(picture.width);
    image.height = std::uint32_t(picture.height);
    image.bitDepth = picture.bitDepth;
    image.colourType = picture.colourType;
    image.interlace = picture.interlace;
    int channels = picture.colourType == 2 ? 3 : picture.colourType == 6 ? 4 : 1;
    std::mt19937 random(5);
    for (int y = 0; y < picture.height; ++y) {
        Bytes row(std::size_t(picture.width) * channels);
        for (int x = 0; x < picture.width; ++x)
            for (int c = 0; c < channels; ++c) {
                double wave = 128 + 100 * std::sin((x * (c + 1) + y * 2) / 90.0) * std::cos(y / 70.0);
                row[std::size_t(x) * channels + c] =
                    picture.photoLike ? std::uint8_t(int(wave) + int(random() % 9) - 4)
                                      : std::uint8_t(((x / 23) * 7 + (y / 31) * 3) % 40);
            }
        image.rows.push_back(row);
    }
    if (picture.colourType == 3)
        for (int i = 0; i < 256; ++i)
            image.palette.push_back(png_color{std::uint8_t(i), std::uint8_t(i * 5), std::uint8_t(255 - i)});
    return encodeWithLibpng(image, PNG_ALL_FILTERS, 1);
}

double decodedBytes(const Picture &picture) {
    int channels = picture.colourType == 2 ? 3 : picture.colourType == 6 ? 4 : 1;
    return double(picture.width) * picture.height * channels;
}

void decodeWithOursOnce(benchmark::State &state, const Picture &picture) {
    Bytes file = makeFile(picture);
    Bytes bits;
    for (auto _ : state) {
        PngImage image;
        std::memset(&image, 0, sizeof image);
        PngBitmapFormat format;
        bool done = attachPngBytes(&image, file.data(), std::uint32_t(file.size())) && inflatePngImage(&image) &&
                    describePngBitmap(&image, &format);
        if (done) {
            bits.resize(format.imageSize);
            done = convertPngRows(&image, format, bits.data());
        }
        clearPngImage(&image);
        if (!done) state.SkipWithError("our decoder refused the picture");
        benchmark::DoNotOptimize(bits.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * decodedBytes(picture)));
}

void decodeWithLibpngOnce(benchmark::State &state, const Picture &picture) {
    Bytes file = makeFile(picture);
    for (auto _ : state) {
        LibpngImage image;
        if (!decodeWithLibpng(file, &image)) state.SkipWithError("libpng refused the picture");
        benchmark::DoNotOptimize(image.rows.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * decodedBytes(picture)));
}

// Remembers each benchmark's time per iteration so that the ratios can be
// printed once both decoders of a picture have run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &run : runs) secondsPerIteration[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void printRatios() const {
        std::printf("\nspeed of our decoder relative to libpng (above 1: ours is faster)\n");
        for (const Picture &picture : pictures) {
            auto ours = secondsPerIteration.find(std::string("ours/") + picture.name);
            auto theirs = secondsPerIteration.find(std::string("libpng/") + picture.name);
            if (ours == secondsPerIteration.end() || theirs == secondsPerIteration.end()) continue;
            std::printf("  %-18s %.2f\n", picture.name, theirs->second / ours->second);
        }
    }

private:
    std::map<std::string, double> secondsPerIteration;
};

}  // namespace

int main(int argc, char **argv) {
    for (const Picture &picture : pictures) {
        benchmark::RegisterBenchmark((std::string("ours/") + picture.name).c_str(), decodeWithOursOnce, picture);
        benchmark::RegisterBenchmark((std::string("libpng/") + picture.name).c_str(), decodeWithLibpngOnce, picture);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
