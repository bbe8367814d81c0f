#include "core/icons.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace lumora;

namespace {

QStringList icoPaths()
{
    QStringList paths;
    for (int id = 51; id <= 58; ++id)
        paths << personIconPath(id);
    paths << QStringLiteral(":/icons/about1.ico") << QStringLiteral(":/icons/about2.ico")
          << QStringLiteral(":/icons/about3.ico") << QStringLiteral(":/icons/info.ico");
    return paths;
}

QImage decoded(const QString& path)
{
    QImageReader reader(path);
    QImage image = reader.read();
    EXPECT_FALSE(image.isNull()) << path.toStdString() << ": " << reader.errorString().toStdString();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// What the file's bytes say about its first picture.
struct IcoEntry {
    int type = 0, count = 0, width = 0, height = 0, colours = 0, entryBits = 0, bitmapBits = 0;
};

IcoEntry icoEntry(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const auto u8 = [&](int at) { return int(quint8(bytes[at])); };
    const auto u16 = [&](int at) { return int(qFromLittleEndian<quint16>(bytes.constData() + at)); };
    if (bytes.size() < 22)
        return {};
    IcoEntry e{u16(2), u16(4), u8(6), u8(7), u8(8), u16(12), 0};
    // The entry points at the bitmap header, whose bit count sits 14 bytes in.
    const qint64 offset = qFromLittleEndian<quint32>(bytes.constData() + 18);
    if (offset + 16 <= bytes.size())
        e.bitmapBits = u16(int(offset) + 14);
    return e;
}

} // namespace

TEST(Icons, PersonAndAboutIconsAre32By32IcosOf16Colours)
{
    for (const QString& path : icoPaths()) {
        SCOPED_TRACE(path.toStdString());
        QImageReader reader(path);
        EXPECT_EQ(reader.format(), "ico");
        const QImage image = decoded(path);
        EXPECT_EQ(image.size(), QSize(32, 32));

        const IcoEntry e = icoEntry(path);
        EXPECT_EQ(e.type, 1); // icon, not cursor
        EXPECT_EQ(e.count, 1);
        EXPECT_EQ(e.width, 32);
        EXPECT_EQ(e.height, 32);
        EXPECT_EQ(e.colours, 16);
        EXPECT_EQ(e.entryBits, 4);
        EXPECT_EQ(e.bitmapBits, 4);
    }
}

TEST(Icons, IconsAreDrawnOnATransparentBackground)
{
    for (const QString& path : icoPaths()) {
        SCOPED_TRACE(path.toStdString());
        const QImage image = decoded(path);
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) == 255;
        // Every picture leaves its bottom right corner free.
        EXPECT_EQ(qAlpha(image.pixel(31, 31)), 0);
        EXPECT_GT(opaque, 32 * 32 / 10);
    }
}

TEST(Icons, NoTwoIconsAreAlike)
{
    const QStringList paths = icoPaths();
    for (int i = 0; i < paths.size(); ++i)
        for (int j = i + 1; j < paths.size(); ++j)
            EXPECT_NE(decoded(paths[i]), decoded(paths[j]))
                << paths[i].toStdString() << " and " << paths[j].toStdString();
}

// The polite persons are the third persons with hats: the same figures
// below the hat, and something drawn in the rows above the head.
TEST(Icons, PoliteIconsAreThirdPersonIconsWithHats)
{
    constexpr int hatRows = 6;
    for (const auto& [plain, polite] : {std::pair{53, 54}, std::pair{57, 58}}) {
        SCOPED_TRACE(polite);
        const QImage without = decoded(personIconPath(plain));
        const QImage with = decoded(personIconPath(polite));
        EXPECT_EQ(without.copy(0, hatRows, 32, 32 - hatRows), with.copy(0, hatRows, 32, 32 - hatRows));
        int hatPixels = 0, bareHeadPixels = 0;
        for (int y = 0; y < hatRows; ++y)
            for (int x = 0; x < 32; ++x) {
                hatPixels += qAlpha(with.pixel(x, y)) != 0;
                bareHeadPixels += qAlpha(without.pixel(x, y)) != 0;
            }
        EXPECT_EQ(bareHeadPixels, 0);
        EXPECT_GT(hatPixels, 20);
    }
}

TEST(Icons, MenuPicturesAndApplicationIconDecodeAtTheirSizes)
{
    const std::pair<const char*, QSize> pictures[] = {
        {":/icons/menu1.png", {32, 32}}, {":/icons/menu2.png", {32, 32}},
        {":/icons/menu3.png", {32, 32}}, {":/icons/menu5.png", {32, 32}},
        {":/icons/lumora-64.png", {64, 64}},
    };
    QList<QImage> menus;
    for (const auto& [path, size] : pictures) {
        SCOPED_TRACE(path);
        const QImage image = decoded(QString::fromLatin1(path));
        EXPECT_EQ(image.size(), size);
        menus << image;
    }
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            EXPECT_NE(menus[i], menus[j]) << i << ", " << j;
}
