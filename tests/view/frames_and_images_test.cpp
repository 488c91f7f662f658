// Text frames and images on the recording canvas, and where pictures come from.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "view/picture_source.h"
#include "view_scene.h"

namespace {

using namespace viewtest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using view::FillStyle;
namespace tf = view::text_format;

// x1, y1 (lower left), x2, y2 (upper right), width code, border, fill, text
// colour, font id, solid, bordered, alignment, wrap, clip, -; lines
SchElement frame(std::vector<std::string> lines, int32_t alignment = 1, int32_t wrap = 0, int32_t clip = 1,
                 int32_t solid = 0, int32_t bordered = 1, int32_t widthCode = 0) {
    SchElement e = element(K::TextFrame, {100, 200, 300, 100, widthCode, 0x0000FF, 0x00FFFF, 0x00FF00, 1, solid,
                                          bordered, alignment, wrap, clip, 0});
    e.textCount = static_cast<int32_t>(lines.size());
    e.texts = std::move(lines);
    e.texts.emplace_back();
    return e;
}

std::vector<std::string> manyLines(int count, int length) {
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) out.push_back(std::string(static_cast<std::size_t>(length), char('a' + i % 26)));
    return out;
}

int lineCount(const QString& text) { return static_cast<int>(text.count(QStringLiteral("\r\n"))); }

TEST(TextFrame, BoxThenTextInsetFiveUnits) {
    Scene s;
    s.draw({frame({"A", "B"}, 0, 1, 0)});
    EXPECT_THAT(s.log(), ElementsAre("box 1500,3000 4500,1500", "drawText \"\r\nA\r\nB\" 105,105 295,195"));
    EXPECT_EQ(s.calls()[0].state.fillStyle, FillStyle::Transparent);
    EXPECT_EQ(s.calls()[0].state.foreColour, 0x0000FFu);
    const view::RecordedCall& text = s.calls()[1];
    EXPECT_EQ(text.extra, 0x911u);
    EXPECT_EQ(text.state.foreColour, 0x00FF00u);
    EXPECT_EQ(text.state.font.height, 10);
}

TEST(TextFrame, SolidAndBorderFlags) {
    Scene solidOnly;
    solidOnly.draw({frame({}, 1, 0, 1, 1, 0)});
    EXPECT_THAT(solidOnly.log(), ElementsAre("box 1500,3000 4500,1500"));  // no lines: only the box
    EXPECT_EQ(solidOnly.calls()[0].state.fillStyle, FillStyle::Solid);
    EXPECT_EQ(solidOnly.calls()[0].state.fillColour, 0x00FFFFu);
    EXPECT_EQ(solidOnly.calls()[0].state.foreColour, 0x00FFFFu);  // outlined in the fill colour

    Scene textOnly;
    textOnly.draw({frame({"A"}, 1, 0, 1, 0, 0)});
    EXPECT_THAT(textOnly.log(), ElementsAre("drawText \"\r\nA\" 105,105 295,195"));
    Scene nothing;
    nothing.draw({frame({}, 1, 0, 1, 0, 0)});
    EXPECT_THAT(nothing.log(), IsEmpty());
}

TEST(TextFrame, FlagsByAlignmentWrapAndClip) {
    struct Case {
        int alignment, wrap, clip;
        unsigned flags;
    } cases[] = {
        {0, 1, 0, 0x911}, {1, 0, 1, 0x800}, {2, 0, 1, 0x802}, {3, 0, 1, 0x000}, {1, 1, 1, 0x810}, {2, 0, 0, 0x902},
    };
    for (const Case& c : cases) {
        Scene s;
        s.draw({frame({"A&B"}, c.alignment, c.wrap, c.clip)});
        EXPECT_EQ(s.calls().back().extra, c.flags) << c.alignment << c.wrap << c.clip;
    }
}

TEST(TextFrame, KeepsTheFirstLineThatOverflowsAndDropsTheRest) {
    // "@" is 90 twips and a line 150: lines are added while 90 x lines <= 1425,
    // the height from the text's top to the frame's bottom.
    Scene s;
    s.draw({frame(manyLines(20, 3))});
    EXPECT_EQ(lineCount(s.calls().back().text), 15);
    EXPECT_EQ(s.calls().back().extra, 0x800u);

    // Wrapping compares areas: 90 x lines x 3600 against 1425 x 2925.
    Scene wrapped;
    wrapped.draw({frame(manyLines(20, 40), 3, 1, 0)});
    EXPECT_EQ(lineCount(wrapped.calls().back().text), 12);
    EXPECT_EQ(wrapped.calls().back().extra, unsigned(tf::EditControl | tf::NoClip | tf::WordBreak));
    Scene clipped;
    clipped.draw({frame(manyLines(20, 40), 3, 1, 1)});
    EXPECT_EQ(clipped.calls().back().extra, unsigned(tf::WordBreak));
}

TEST(TextFrame, InsetOfTheBorderIsInPixelsAtEveryZoom) {
    // Width code 3: 5 pixels at level 0 (half: 2), 18 at level 3 (half: 9).
    Scene normal;
    normal.draw({frame({"A"}, 1, 0, 1, 0, 1, 3)});
    EXPECT_EQ(normal.log().back(), "drawText \"\r\nA\" 107,107 293,193");
    Scene close;
    close.level = 3;
    close.draw({frame({"A"}, 1, 0, 1, 0, 1, 3)});
    // 3.51 x 105 + 9 = 377.55, 3.51 x 295 - 9 = 1026.45, 3.51 x 195 - 9 = 675.45
    EXPECT_EQ(close.log().back(), "drawText \"\r\nA\" 378,378 1026,675");
}

TEST(TextFrame, InsideAPartStaysAtItsOwnPlace) {
    Scene top;
    top.draw({frame({"A"}, 1, 0, 1, 1, 1)});
    Scene inPart;
    SchElement part = partElement(500, 500, 1, true);
    part.params[schematic::part_param::ColorOverride] = 1;
    part.params[schematic::part_param::LineColor] = 0x777777;
    inPart.drawInPart(part, {frame({"A"}, 1, 0, 1, 1, 1)});
    EXPECT_EQ(inPart.log(), top.log());
    EXPECT_EQ(inPart.calls().back().state, top.calls().back().state);
}

class FakePictures : public view::PictureSource {
public:
    explicit FakePictures(bool present) {
        if (present) image_ = QImage(4, 2, QImage::Format_RGB32);
    }
    const QImage* picture(const QString& name) override {
        asked.push_back(name);
        return image_.isNull() ? nullptr : &image_;
    }
    std::vector<QString> asked;

private:
    QImage image_;
};

// x1, y1 (lower left), x2, y2 (upper right), width code, colour, -, border, -; name
SchElement image(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t border = 1) {
    return element(K::Image, {x1, y1, x2, y2, 0, 0x0000FF, 0, border, 0}, {"board.bmp"});
}

TEST(Image, StretchedIntoItsRectangleWithItsBorder) {
    FakePictures pictures(true);
    Scene s;
    s.pictures = &pictures;
    s.draw({image(100, 300, 200, 250)});
    EXPECT_THAT(s.log(), ElementsAre("picture 1500,3750 1500,750", "box 1500,4500 3000,3750"));
    EXPECT_EQ(s.calls()[1].state.fillStyle, FillStyle::Transparent);
    EXPECT_THAT(pictures.asked, ElementsAre(QStringLiteral("board.bmp")));
}

TEST(Image, AMissingPictureLeavesTheBorderOnly) {
    FakePictures missing(false);
    Scene s;
    s.pictures = &missing;
    s.draw({image(100, 300, 200, 250), image(100, 300, 200, 250, 0)});
    EXPECT_THAT(s.log(), ElementsAre("box 1500,4500 3000,3750"));
    Scene noSource;
    noSource.draw({image(100, 300, 200, 250)});
    EXPECT_THAT(noSource.log(), ElementsAre("box 1500,4500 3000,3750"));
}

TEST(Image, InsideAPartTurnedOrMirrored) {
    FakePictures pictures(true);
    Scene turned;
    turned.pictures = &pictures;
    SchElement part = partElement(100, 200, 1);
    part.params[schematic::part_param::ColorOverride] = 1;
    part.params[schematic::part_param::LineColor] = 0x777777;
    turned.drawInPart(part, {image(0, 0, 40, 20)});
    EXPECT_THAT(turned.log(), ElementsAre("plgBlt 80,200 80,160 100,200", "box 1500,3000 1200,2400"));
    EXPECT_EQ(turned.calls()[1].state.foreColour, 0x777777u);

    Scene mirrored;
    mirrored.pictures = &pictures;
    mirrored.drawInPart(partElement(100, 200, 0, true), {image(0, 0, 40, 20)});
    EXPECT_THAT(mirrored.log(), ElementsAre("picture 1500,2700 -600,300", "box 1500,3000 900,2700"));

    Scene upsideDown;
    upsideDown.pictures = &pictures;
    upsideDown.drawInPart(partElement(100, 200, 2), {image(0, 0, 40, 20)});
    EXPECT_EQ(upsideDown.log().front(), "picture 1500,3300 -600,-300");

    Scene bad;
    bad.pictures = &pictures;
    bad.drawInPart(partElement(100, 200, 5), {image(0, 0, 40, 20)});
    EXPECT_THAT(bad.log(), IsEmpty());
}

TEST(PictureNames, OnlyTheNameAfterTheLastSlashOfEitherKind) {
    EXPECT_EQ(view::pictureFileName(QStringLiteral("board.bmp")), QStringLiteral("board.bmp"));
    EXPECT_EQ(view::pictureFileName(QStringLiteral("C:\\pics\\board.bmp")), QStringLiteral("board.bmp"));
    EXPECT_EQ(view::pictureFileName(QStringLiteral("../../etc/passwd")), QStringLiteral("passwd"));
    EXPECT_EQ(view::pictureFileName(QStringLiteral("..\\x/..\\y.png")), QStringLiteral("y.png"));
    EXPECT_EQ(view::pictureFileName(QStringLiteral("dir/")), QString());
}

TEST(PictureNames, LookedUpInTheDataFolderWithoutRegardToCase) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QDir(root.path()).mkdir(QStringLiteral("data"));
    const QString data = root.filePath(QStringLiteral("data"));
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(data + QStringLiteral("/Board.BMP"), "BMP"));
    ASSERT_TRUE(picture.save(root.filePath(QStringLiteral("outside.bmp")), "BMP"));
    QFile junk(data + QStringLiteral("/junk.bmp"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();

    view::DataFolderPictures pictures(data);
    const QImage* found = pictures.picture(QStringLiteral("C:\\pics\\board.bmp"));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->size(), QSize(3, 2));
    EXPECT_EQ(pictures.picture(QStringLiteral("..\\outside.bmp")), nullptr);  // never leaves the folder
    EXPECT_EQ(pictures.picture(QStringLiteral("../data/../outside.bmp")), nullptr);
    EXPECT_EQ(pictures.picture(QStringLiteral("..")), nullptr);
    EXPECT_EQ(pictures.picture(QStringLiteral("junk.bmp")), nullptr);
    EXPECT_EQ(pictures.picture(QStringLiteral("none.bmp")), nullptr);
    // A link is followed only as far as it stays in the folder.
    ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("outside.bmp")), data + QStringLiteral("/out.bmp")));
    ASSERT_TRUE(QFile::link(data + QStringLiteral("/Board.BMP"), data + QStringLiteral("/in.bmp")));
    EXPECT_EQ(pictures.picture(QStringLiteral("out.bmp")), nullptr);
    EXPECT_NE(pictures.picture(QStringLiteral("in.bmp")), nullptr);
    // Read once: the picture stays while the source lives.
    ASSERT_TRUE(QFile::remove(data + QStringLiteral("/Board.BMP")));
    EXPECT_EQ(pictures.picture(QStringLiteral("BOARD.bmp")), found);
}

}  // namespace
