// Probe pixels and golden fingerprints.
#include "support/ImageCompare.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "engine/GdiText.h"

namespace {

int Channel(std::uint32_t rgb, int shift) {
    return int((rgb >> shift) & 0xFF);
}

std::vector<std::uint32_t> Fingerprint(const platform::Image& image, int columns, int rows) {
    std::vector<std::uint32_t> cells;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const int x0 = column * image.width / columns,
                      x1 = (column + 1) * image.width / columns;
            const int y0 = row * image.height / rows, y1 = (row + 1) * image.height / rows;
            long sum[3] = {0, 0, 0};
            for (int y = y0; y < y1; ++y) {
                for (int x = x0; x < x1; ++x) {
                    for (int c = 0; c < 3; ++c) sum[c] += Channel(image.At(x, y), 16 - 8 * c);
                }
            }
            const long n = std::max(1L, long(x1 - x0) * long(y1 - y0));
            cells.push_back(std::uint32_t(sum[0] / n) << 16 | std::uint32_t(sum[1] / n) << 8 |
                            std::uint32_t(sum[2] / n));
        }
    }
    return cells;
}

}  // namespace

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
                                         const std::string& goldenPath, int columns, int rows,
                                         int tolerance) {
    const std::vector<std::uint32_t> cells = Fingerprint(image, columns, rows);
    if (const char* update = std::getenv("POLITY_UPDATE_GOLDEN");
        update && std::string(update) == "1") {
        std::ofstream out(goldenPath);
        out << "# Mean colour of each cell of a " << columns << " x " << rows << " grid over a "
            << image.width << " x " << image.height << " frame, rows top to bottom.\n";
        char hex[8];
        for (size_t i = 0; i < cells.size(); ++i) {
            std::snprintf(hex, sizeof hex, "%06X", cells[i]);
            out << hex << ((i + 1) % size_t(columns) == 0 ? "\n" : " ");
        }
        return ::testing::AssertionSuccess();
    }
    std::ifstream in(goldenPath);
    if (!in) return ::testing::AssertionFailure() << "no golden file " << goldenPath;
    std::vector<std::uint32_t> expected;
    std::string word;
    while (in >> word) {
        if (word[0] == '#') {
            std::getline(in, word);
            continue;
        }
        expected.push_back(std::uint32_t(std::stoul(word, nullptr, 16)));
    }
    if (expected.size() != cells.size())
        return ::testing::AssertionFailure() << goldenPath << " has the wrong size";
    int differing = 0;
    std::ostringstream detail;
    for (size_t i = 0; i < cells.size(); ++i) {
        for (int shift : {16, 8, 0}) {
            if (std::abs(Channel(cells[i], shift) - Channel(expected[i], shift)) > tolerance) {
                if (differing++ < 5) {
                    detail << " cell (" << i % size_t(columns) << "," << i / size_t(columns) << ")";
                }
                break;
            }
        }
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    // A face drawn in another font changes every label: name the cause first.
    for (const std::string& substitution : GdiText::Instance().Substitutions())
        failure << substitution << "\n";
    return failure << differing << " cells differ from " << goldenPath << ":" << detail.str();
}
