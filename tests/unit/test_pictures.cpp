#include "lesson/pictures.h"
#include "lesson/sentences.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace lumora::h05d3;

namespace {

QByteArray fileBytes(int item)
{
    QFile file(picturePath(item));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QImage decoded(int item)
{
    QImageReader reader(picturePath(item));
    return reader.read();
}

int littleEndian16(const QByteArray& bytes, int at)
{
    return quint8(bytes[at]) | quint8(bytes[at + 1]) << 8;
}

// The global colour table that follows the 13-byte header; its size is
// 2^(N+1) entries for the low three bits N of the packed byte.
QList<QRgb> globalPalette(const QByteArray& bytes)
{
    QList<QRgb> colours;
    if (bytes.size() < 13 || !(quint8(bytes[10]) & 0x80))
        return colours;
    const int size = 1 << ((quint8(bytes[10]) & 0x07) + 1);
    for (int i = 0; i < size && 13 + 3 * i + 2 < bytes.size(); ++i) {
        const int at = 13 + 3 * i;
        colours.append(qRgb(quint8(bytes[at]), quint8(bytes[at + 1]), quint8(bytes[at + 2])));
    }
    return colours;
}

} // namespace

TEST(Pictures, PathOfAnItemCarriesItsTwoDigitIndex)
{
    EXPECT_EQ(picturePath(0), ":/pictures/pic00.gif");
    EXPECT_EQ(picturePath(7), ":/pictures/pic07.gif");
    EXPECT_EQ(picturePath(31), ":/pictures/pic31.gif");
}

TEST(Pictures, EachFileIsASmallGif89aWithAGlobalPaletteOfAtMostEightColours)
{
    for (int item = 0; item < pictureCount; ++item) {
        SCOPED_TRACE(item);
        const QByteArray bytes = fileBytes(item);
        ASSERT_GE(bytes.size(), 13) << "missing resource " << picturePath(item).toStdString();
        // A line drawing of this size takes a few KB; much more means dithering or stray metadata.
        EXPECT_GE(bytes.size(), 1024);
        EXPECT_LE(bytes.size(), 6 * 1024);
        EXPECT_EQ(bytes.left(6), "GIF89a");
        EXPECT_EQ(littleEndian16(bytes, 6), 240);
        EXPECT_EQ(littleEndian16(bytes, 8), 170);
        EXPECT_TRUE(quint8(bytes[10]) & 0x80) << "no global colour table";
        EXPECT_LE(globalPalette(bytes).size(), 8);
    }
}

TEST(Pictures, AllShareOnePaletteAndUseNoOtherColour)
{
    const QList<QRgb> palette = globalPalette(fileBytes(0));
    ASSERT_FALSE(palette.isEmpty());
    for (int item = 0; item < pictureCount; ++item) {
        SCOPED_TRACE(item);
        EXPECT_EQ(globalPalette(fileBytes(item)), palette);
        QImageReader reader(picturePath(item));
        EXPECT_EQ(reader.format(), "gif");
        const QImage image = reader.read().convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.size(), QSize(240, 170));
        QSet<QRgb> used;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                used.insert(image.pixel(x, y));
        for (QRgb colour : used)
            EXPECT_TRUE(palette.contains(colour)) << std::hex << colour;
    }
}

TEST(Pictures, EachShowsAGreenSubject)
{
    const QRgb green = qRgb(0x38, 0xa8, 0x38);
    for (int item = 0; item < pictureCount; ++item) {
        SCOPED_TRACE(item);
        const QImage image = decoded(item).convertToFormat(QImage::Format_RGB32);
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) == green;
        // At least a figure's worth of green, not a stray speck.
        EXPECT_GE(count, 100);
    }
}

TEST(Pictures, NoTwoItemsShareAPicture)
{
    QList<QImage> images;
    for (int item = 0; item < pictureCount; ++item)
        images.append(decoded(item).convertToFormat(QImage::Format_RGB32));
    for (int a = 0; a < pictureCount; ++a)
        for (int b = a + 1; b < pictureCount; ++b)
            EXPECT_NE(images[a], images[b]) << "pictures " << a << " and " << b;
}

// The spoken descriptions say what each picture shows without the sentence
// the learner must make: no description carries its item's Hungarian verb.
TEST(Pictures, EachHasItsOwnDescriptionThatKeepsTheVerbToItself)
{
    Column verbs;
    igelista(verbs);
    QSet<QString> seen;
    for (int item = 0; item < pictureCount; ++item) {
        SCOPED_TRACE(item);
        const QString d = pictureDescription(item);
        EXPECT_GT(d.size(), 30);
        EXPECT_TRUE(d.endsWith(u'.'));
        EXPECT_FALSE(seen.contains(d));
        seen.insert(d);
        const QStringList words = d.toLower().split(QRegularExpression(QStringLiteral("\\W+")), Qt::SkipEmptyParts);
        EXPECT_FALSE(words.contains(verbs[item])) << d.toStdString();
    }
}
