#pragma once
// A whole sheet (or a window of it) drawn into an image on the QPainter
// canvas, as the render tool and the reference-picture tests need it.

#include <optional>

#include <QImage>
#include <QRect>
#include <QString>

#include "schematic/sch_model.h"
#include "view/draw_elements.h"

namespace viewtest {

struct PictureRequest {
    int level = 0;
    // White space around the drawing, in pixels.
    int margin = 20;
    // Only this window of the full picture (pixels), drawn with the origin
    // shifted as a scrolled view would.
    std::optional<QRect> crop;
    bool antialiasText = true;
    // Where Image elements find their pictures; the program's data folder when empty.
    QString dataFolder;
};

// The size in pixels of the full picture.
QSize fullPictureSize(const schematic::SchSheet& sheet, const PictureRequest& request);

QImage renderSheetPicture(const schematic::SchSheet& sheet, const PictureRequest& request,
                          view::DrawOutcome* outcome = nullptr);

// The sheet read from a fixture file of tests/view/fixtures.
schematic::SchSheet readFixture(const QString& name);
QString fixturePath(const QString& name);
// tests/view/data, where the fixtures' pictures are.
QString fixtureDataFolder();

}  // namespace viewtest
