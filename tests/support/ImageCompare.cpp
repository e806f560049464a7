// Probe pixels and golden pictures.
#include "support/ImageCompare.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <vector>

#include "engine/GdiText.h"
#include "platform/ImageFiles.h"

namespace {

int Channel(std::uint32_t rgb, int shift) {
    return int((rgb >> shift) & 0xFF);
}

struct Comparison {
    int differing = 0;
    int worstTileCount = 0;
    int worstTileX = 0, worstTileY = 0;
    int left = 0, top = 0, right = 0, bottom = 0;  // bounds of the differing pixels
    bool matches = true;
    platform::Image diff;
};

// Black where the pictures agree, the golden's faint grey behind for bearings,
// and each differing pixel at full strength in the colour of its difference.
Comparison Compare(const platform::Image& actual, const platform::Image& expected,
                   const GoldenTolerance& tolerance) {
    Comparison result;
    result.diff = platform::Image(actual.width, actual.height);
    const int tile = std::max(1, tolerance.tile);
    const int tilesAcross = (actual.width + tile - 1) / tile;
    const int tilesDown = (actual.height + tile - 1) / tile;
    std::vector<int> perTile(size_t(tilesAcross) * size_t(tilesDown), 0);
    result.left = actual.width;
    result.top = actual.height;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            const std::uint32_t a = actual.At(x, y), e = expected.At(x, y);
            int delta[3], largest = 0;
            for (int c = 0; c < 3; ++c) {
                delta[c] = std::abs(Channel(a, 16 - 8 * c) - Channel(e, 16 - 8 * c));
                largest = std::max(largest, delta[c]);
            }
            std::uint32_t shown = 0xFF000000u;
            if (largest > tolerance.channel) {
                for (int c = 0; c < 3; ++c)
                    shown |= std::uint32_t(delta[c] * 255 / largest) << (16 - 8 * c);
                ++result.differing;
                int& count = perTile[size_t(y / tile) * size_t(tilesAcross) + size_t(x / tile)];
                if (++count > result.worstTileCount) {
                    result.worstTileCount = count;
                    result.worstTileX = x / tile * tile;
                    result.worstTileY = y / tile * tile;
                }
                result.left = std::min(result.left, x);
                result.top = std::min(result.top, y);
                result.right = std::max(result.right, x + 1);
                result.bottom = std::max(result.bottom, y + 1);
            } else {
                const int grey = (Channel(e, 16) * 3 + Channel(e, 8) * 6 + Channel(e, 0)) / 10 / 4;
                shown |= std::uint32_t(grey) * 0x010101u;
            }
            result.diff.At(x, y) = shown;
        }
    }
    const long pixels = long(actual.width) * long(actual.height);
    const long allowed =
        std::max(long(tolerance.minimum), pixels / std::max(1, tolerance.pixelsPerAllowed));
    result.matches = result.differing <= allowed && result.worstTileCount <= tolerance.perTile;
    return result;
}

platform::Image Opaque(const platform::Image& image) {
    platform::Image out = image;
    for (std::uint32_t& pixel : out.pixels) pixel |= 0xFF000000u;
    return out;
}

std::string Stem(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (const size_t dot = name.rfind('.'); dot != std::string::npos) name.resize(dot);
    return name;
}

bool Updating() {
    const char* update = std::getenv("POLITY_UPDATE_GOLDEN");
    return update && std::string(update) == "1";
}

// The command that regenerates the golden of the running test.
std::string RegenerateCommand() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return "POLITY_UPDATE_GOLDEN=1 " + (error ? std::string("<test program>") : program.string()) +
           " --gtest_filter=" +
           (info ? std::string(info->test_suite_name()) + "." + info->name() : std::string("*"));
}

// What a run with POLITY_UPDATE_GOLDEN=1 did, repeated once at the end so a
// long run's changes are not lost among the tests' output.
class UpdateSummary {
public:
    void Add(const std::string& line, bool changed) {
        (changed ? changed_ : unchanged_).push_back(line);
        std::cout << "[golden] " << line << std::endl;
    }
    ~UpdateSummary() {
        if (!Updating() || (changed_.empty() && unchanged_.empty())) return;
        std::cout << "[golden] " << changed_.size() << " changed or created, " << unchanged_.size()
                  << " unchanged\n";
        for (const std::string& line : changed_) std::cout << "[golden]   " << line << "\n";
        std::cout.flush();
    }

private:
    std::vector<std::string> changed_, unchanged_;
};

UpdateSummary& Summary() {
    static UpdateSummary summary;
    return summary;
}

void Forget(const std::string& path) {
    std::remove(path.c_str());
}

}  // namespace

std::string GoldenOutputFolder() {
    if (const char* dir = std::getenv("POLITY_GOLDEN_OUTPUT_DIR"); dir && *dir) return dir;
    return POLITY_BINARY_DIR;
}

::testing::AssertionResult PixelNear(const platform::Image& image, int x, int y, std::uint32_t rgb,
                                     int tolerance) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) {
        return ::testing::AssertionFailure() << "(" << x << "," << y << ") is outside the frame";
    }
    const std::uint32_t actual = image.At(x, y);
    for (int shift : {16, 8, 0}) {
        if (std::abs(Channel(actual, shift) - Channel(rgb, shift)) > tolerance) {
            char text[96];
            std::snprintf(text, sizeof text, "pixel (%d,%d) is %06X, expected %06X", x, y,
                          actual & 0xFFFFFF, rgb);
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult MatchesGolden(const platform::Image& image,
                                         const std::string& goldenPath,
                                         const GoldenTolerance& tolerance) {
    const platform::Image frame = Opaque(image);
    const std::string name = Stem(goldenPath);
    std::string readError;
    const platform::Image golden = platform::ReadPng(goldenPath, &readError);
    const bool sameSize = golden.width == frame.width && golden.height == frame.height;
    Comparison comparison;
    if (sameSize && !frame.IsEmpty()) comparison = Compare(frame, golden, tolerance);

    if (Updating()) {
        if (!golden.IsEmpty() && sameSize && comparison.matches) {
            Summary().Add("unchanged " + goldenPath, false);
            return ::testing::AssertionSuccess();
        }
        std::string error;
        if (!platform::WritePng(goldenPath, frame, &error))
            return ::testing::AssertionFailure() << "cannot write " << goldenPath << ": " << error;
        std::ostringstream line;
        if (golden.IsEmpty()) {
            line << "created   " << goldenPath;
        } else if (!sameSize) {
            line << "changed   " << goldenPath << " (was " << golden.width << " x " << golden.height
                 << ", now " << frame.width << " x " << frame.height << ")";
        } else {
            const std::string folder = GoldenOutputFolder() + "/golden-changes/";
            platform::WritePng(folder + name + ".before.png", golden);
            platform::WritePng(folder + name + ".diff.png", comparison.diff);
            line << "changed   " << goldenPath << " (" << comparison.differing
                 << " pixels differ; before and difference in " << folder << name << ".*)";
        }
        Summary().Add(line.str(), true);
        return ::testing::AssertionSuccess();
    }

    const std::string folder = GoldenOutputFolder() + "/golden-failures/";
    const std::string actualPath = folder + name + ".actual.png";
    const std::string diffPath = folder + name + ".diff.png";
    if (!golden.IsEmpty() && sameSize && comparison.matches) {
        // A stale failure picture would mislead whoever looks in the folder next.
        Forget(actualPath);
        Forget(diffPath);
        return ::testing::AssertionSuccess();
    }

    auto failure = ::testing::AssertionFailure();
    // A face drawn in another font changes every label: name the cause first.
    for (const std::string& substitution : GdiText::Instance().Substitutions())
        failure << substitution << "\n";
    if (golden.IsEmpty()) {
        failure << "no golden picture " << goldenPath << " (" << readError << ")";
    } else if (!sameSize) {
        failure << goldenPath << " is " << golden.width << " x " << golden.height << ", the frame "
                << frame.width << " x " << frame.height;
    } else {
        failure << comparison.differing << " pixels differ from " << goldenPath << " by more than "
                << tolerance.channel << " in a channel, within (" << comparison.left << ","
                << comparison.top << ")-(" << comparison.right << "," << comparison.bottom
                << "); the " << tolerance.tile << " px square at (" << comparison.worstTileX << ","
                << comparison.worstTileY << ") holds " << comparison.worstTileCount;
    }
    Forget(diffPath);
    if (platform::WritePng(actualPath, frame)) failure << "\n  actual:     " << actualPath;
    if (sameSize && !golden.IsEmpty() && platform::WritePng(diffPath, comparison.diff))
        failure << "\n  difference: " << diffPath;
    return failure << "\n  if the change is meant: " << RegenerateCommand()
                   << ", then look at the new picture";
}
