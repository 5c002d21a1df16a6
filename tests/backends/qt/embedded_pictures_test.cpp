// SPDX-License-Identifier: MIT
// What of the embedded pictures only Qt's decoders tell: the icon's images and the
// cherub's alpha, which must be wholly on or off (the window is cut along it).

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <vector>

#include "platform/resources.h"

namespace xmascard {
namespace {

QByteArray embedded(const char* name) {
    const auto bytes = embeddedFile(name);
    if (!bytes) return {};
    return QByteArray(reinterpret_cast<const char*>(bytes->data()),
                      static_cast<qsizetype>(bytes->size()));
}

TEST(EmbeddedAssetIcon, HoldsA32And16PixelImage) {
    QByteArray data = embedded("icon/tree.ico");
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "ico");
    ASSERT_EQ(reader.imageCount(), 2);
    std::vector<int> sizes;
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), image.height());
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "transparent background";
        sizes.push_back(image.width());
    }
    EXPECT_EQ(sizes, (std::vector<int>{32, 16}));
}

TEST(EmbeddedAssetCherub, FramesAreWhollyOpaqueOrWhollyClear) {
    for (const char* name : {"pictures/cherub1.gif", "pictures/cherub2.gif", "pictures/cherub3.gif",
                             "pictures/cherub4.gif"}) {
        const QImage image =
            QImage::fromData(embedded(name)).convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(image.isNull()) << name;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int alpha = qAlpha(image.pixel(x, y));
                ASSERT_TRUE(alpha == 0 || alpha == 255) << name << " at " << x << "," << y;
            }
    }
}

}  // namespace
}  // namespace xmascard
