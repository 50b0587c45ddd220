// Writing the data files: the BMP encoding, every file present, byte-identical on every run, and a
// folder that cannot be written reported as a failure.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "files.h"
#include "sheet.h"
#include "sounds.h"

namespace fs = std::filesystem;
namespace va = varnook::assets;

namespace {

std::vector<std::uint8_t> readFile(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

std::uint32_t read32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

class TempDir {
public:
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = fs::temp_directory_path() /
                (std::string("varnook-assets-") + info->name() + "-" + std::to_string(counter_++));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    static inline int counter_ = 0;
    fs::path path_;
};

}  // namespace

TEST(AssetFiles, TheSheetIsABottomUp24BitBmpThatDecodesToThePaintedImage) {
    const va::Image img = va::makeSpriteSheet();
    const std::vector<std::uint8_t> bmp = va::encodeBmp(img);
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(read32(bmp, 2), bmp.size());
    const std::uint32_t offset = read32(bmp, 10);
    EXPECT_EQ(read32(bmp, 14), 40u);
    const auto w = std::int32_t(read32(bmp, 18)), h = std::int32_t(read32(bmp, 22));
    EXPECT_EQ(w, 283);
    EXPECT_EQ(h, 232);  // positive height: rows bottom-up
    EXPECT_EQ(bmp[28] | bmp[29] << 8, 24);
    EXPECT_EQ(read32(bmp, 30), 0u);  // uncompressed
    const std::size_t stride = (std::size_t(w) * 3 + 3) / 4 * 4;
    ASSERT_EQ(bmp.size(), offset + stride * std::size_t(h));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t at = offset + std::size_t(h - 1 - y) * stride + std::size_t(x) * 3;
            const va::Rgb p{bmp[at + 2], bmp[at + 1], bmp[at]};
            ASSERT_EQ(p, img.at(x, y)) << x << "," << y;
        }
    }
}

TEST(AssetFiles, TwoRunsWriteTheSameFilesByteForByteAndNothingElse) {
    TempDir a, b;
    std::string error;
    ASSERT_TRUE(va::writeAllAssets(a.path(), error)) << error;
    ASSERT_TRUE(va::writeAllAssets(b.path(), error)) << error;
    std::vector<std::string> names{std::string(va::kSheetFileName)};
    for (const va::SoundFile& f : va::kSoundFiles) names.emplace_back(f.fileName);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const auto first = readFile(a.path() / name);
        ASSERT_FALSE(first.empty());
        EXPECT_EQ(first, readFile(b.path() / name));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(a.path()), fs::directory_iterator()), std::ssize(names));
}

TEST(AssetFiles, AFolderThatCannotBeWrittenIsReportedAsAFailure) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(va::writeAllAssets(dir.path() / "missing" / "folder", error));
    EXPECT_NE(error.find("missing"), std::string::npos) << error;
}
